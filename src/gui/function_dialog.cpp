#include "gui/function_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <optional>

#include "gui/uncaught_errors.h"
#include "platform/ui.h"
#include "polar_data/domain_validation.h"

namespace orbisk {

namespace {

constexpr int kClientWidth = 429;
constexpr int kClientHeight = 209;

QLabel* Label(const char* caption, const char* tip, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  if (*tip != '\0') label->setToolTip(tip);
  return label;
}

QGroupBox* Group(const char* caption, const char* tip, QWidget* parent) {
  auto* group = new QGroupBox(caption, parent);
  group->setToolTip(tip);
  return group;
}

}  // namespace

TfmEdFCylinder::TfmEdFCylinder(Ui& ui, QWidget* parent) : QDialog(parent), ui_(ui) {
  setObjectName("fmEdFCylinder");
  setWindowTitle("Surface in cylinder coordinates");
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::CustomizeWindowHint);
  QFont bold = font();
  bold.setBold(true);
  bold.setPointSize(8);
  setFont(bold);
  setToolTip("Builds a surface for the function");
  BuildControls();
  setFixedSize(kClientWidth, kClientHeight);
  btOk_->setFocus();
}

void TfmEdFCylinder::BuildControls() {
  for (QLineEdit*& edit : edits_) edit = new QLineEdit(this);
  const char* names[] = {"edF", "edFiStart", "edFiEnd", "edRInt", "edRExt", "edNFi", "edNR"};
  for (int i = 0; i < 7; ++i) edits_[i]->setObjectName(names[i]);
  edits_[kTextF]->setToolTip("Function");
  edits_[kTextNFi]->setToolTip("Number of points along the arc");
  edits_[kTextNR]->setToolTip("Number of points along the radius");

  QGroupBox* function = Group("Function of 2 variables, where r=sqrt(x^2+y^2)", "Function of two variables", this);
  auto* functionRow = new QHBoxLayout(function);
  functionRow->addWidget(Label("F(x,y,r)", "", function));
  functionRow->addWidget(edits_[kTextF], 1);

  QGroupBox* borders = Group("Coordinates of borders", "Coordinates of the borders", this);
  auto* bordersGrid = new QGridLayout(borders);
  bordersGrid->addWidget(Label("Fi from", "", borders), 0, 0);
  bordersGrid->addWidget(edits_[kTextFiStart], 0, 1);
  bordersGrid->addWidget(Label("R from", "Left border along x", borders), 0, 2);
  bordersGrid->addWidget(edits_[kTextRInt], 0, 3);
  bordersGrid->addWidget(Label("Fi to", "", borders), 1, 0);
  bordersGrid->addWidget(edits_[kTextFiEnd], 1, 1);
  bordersGrid->addWidget(Label("R to", "Right border along x", borders), 1, 2);
  bordersGrid->addWidget(edits_[kTextRExt], 1, 3);

  QGroupBox* points = Group("Quantity of points", "Number of points in the grid", this);
  auto* pointsRow = new QHBoxLayout(points);
  pointsRow->addWidget(Label("per Fi", "Number of divisions along the arc", points));
  pointsRow->addWidget(edits_[kTextNFi]);
  pointsRow->addWidget(Label("per R", "Number of divisions along the radius", points));
  pointsRow->addWidget(edits_[kTextNR]);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 4, 6, 6);
  layout->setSpacing(3);
  for (QGroupBox* group : {function, borders, points}) {
    group->layout()->setContentsMargins(6, 2, 6, 4);
    layout->addWidget(group);
  }
  layout->addLayout(BuildButtons());
  SetTabOrder();
}

QHBoxLayout* TfmEdFCylinder::BuildButtons() {
  btOk_ = new QPushButton("OK", this);
  btOk_->setObjectName("btOk");
  btOk_->setDefault(true);
  btCancel_ = new QPushButton("Отмена", this);
  btCancel_->setObjectName("btCancel");
  btCancel_->setToolTip("Cancel");
  connect(btOk_, &QPushButton::clicked, this, &QDialog::accept);
  connect(btCancel_, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btOk_);
  buttons->addWidget(btCancel_);
  buttons->addStretch();
  return buttons;
}

// The buttons, the formula, then the borders row by row with the radius
// first, then the counts.
void TfmEdFCylinder::SetTabOrder() {
  QWidget* order[] = {btOk_,
                      btCancel_,
                      edits_[kTextF],
                      edits_[kTextRInt],
                      edits_[kTextFiStart],
                      edits_[kTextRExt],
                      edits_[kTextFiEnd],
                      edits_[kTextNFi],
                      edits_[kTextNR]};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
}

void TfmEdFCylinder::Prepare(const FunctionTexts& texts, FormulaEngine& engine) {
  engine_ = &engine;
  for (int i = 0; i < 7; ++i) edits_[i]->setText(QString::fromStdString(texts[i]));
}

FunctionTexts TfmEdFCylinder::Texts() const {
  FunctionTexts texts;
  for (int i = 0; i < 7; ++i) texts[i] = edits_[i]->text().toStdString();
  return texts;
}

bool TfmEdFCylinder::Run(FunctionTexts& texts, FormulaEngine& engine) {
  Prepare(texts, engine);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  if (exec() != QDialog::Accepted) return false;
  texts = Texts();
  return true;
}

void TfmEdFCylinder::accept() {
  if (engine_ == nullptr) return;  // never prepared: nothing to check with
  std::optional<std::string> fault;
  const bool checked = RunGuarded(ui_, [&] { fault = ValidateFunctionDomain(WithTexts({}, Texts()), *engine_); });
  if (!checked) return;
  if (fault) {
    ui_.ShowError(*fault);
    return;
  }
  QDialog::accept();
}

}  // namespace orbisk
