#include "gui/main_form.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLocale>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>

#include "gui/function_dialog.h"
#include "gui/settings_dialog.h"
#include "gui/uncaught_errors.h"
#include "qt/widget_ui.h"

namespace orbisk {

namespace {

constexpr int kFirstWidth = 522;
constexpr int kFirstHeight = 375;

}  // namespace

MainForm::MainForm(Registry& registry, Ui* ui, StylePickers* pickers)
    : ownUi_(ui == nullptr ? std::make_unique<WidgetUi>(this) : nullptr),
      ui_(ui != nullptr ? *ui : *ownUi_),
      commandUi_(ui_),
      pickers_(pickers != nullptr ? *pickers : ownPickers_),
      main_(commandUi_, picture_, registry, *this),
      scroller_(new QScrollArea(this)),
      view_(new QLabel) {
  setObjectName("fmMain");
  setWindowTitle("Orbisk");
  resize(kFirstWidth, kFirstHeight);
  BuildMainMenu(*menuBar(), [this](MainCommand command) { RunCommand(command); });
  AddMenuBarKeys(*menuBar(), *this);
  view_->setObjectName("im");
  view_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  scroller_->setObjectName("ScrollBox");
  scroller_->setWidget(view_);
  scroller_->setWidgetResizable(false);
  scroller_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setCentralWidget(scroller_);
  RunGuarded(ui_, [this] { main_.FormCreate(); });
  ShowPicture();
}

MainForm::~MainForm() {
  // Normally the close event has saved the settings already; FormDestroy runs
  // once, so this only matters when the window goes without being closed.
  try {
    main_.FormDestroy();
  } catch (...) {
  }
}

void MainForm::CreateFunctionDialog() {
  if (functionDialog_ == nullptr) functionDialog_ = new TfmEdFCylinder(ui_, this);
}

void MainForm::ShowCentred() {
  resize(kFirstWidth, kFirstHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(kFirstWidth / 2, kFirstHeight / 2));
  }
  show();
}

void MainForm::RunCommand(MainCommand command) {
  RunWork([this, command] { (main_.*command)(); });
}

void MainForm::OpenFile(const std::string& path) {
  RunWork([this, &path] { main_.OpenDataFile(path); });
}

void MainForm::RunWork(const std::function<void()>& work) {
  commandUi_.BeginCommand();
  RunGuarded(commandUi_, work);
  ShowPicture();
  commandUi_.EndCommand();
}

void MainForm::ShowPicture() {
  const QImage& image = picture_.Image();
  view_->setPixmap(QPixmap::fromImage(image));
  view_->resize(image.size());
  if (view_->isVisible()) view_->repaint();
}

bool MainForm::RunFunctionDialog(FunctionTexts& texts, FormulaEngine& engine) {
  CreateFunctionDialog();
  return functionDialog_->Run(texts, engine);
}

void MainForm::RunSettingsDialog(SettingsDialogModel& model) {
  Tfmset dialog(model, ui_, pickers_, this);
  dialog.exec();
}

std::string MainForm::ProgramPath() const { return QCoreApplication::applicationFilePath().toStdString(); }

char MainForm::DecimalSeparator() const {
  const QString point = QLocale().decimalPoint();
  if (point.size() == 1 && point.at(0).unicode() < 0x80) return static_cast<char>(point.at(0).unicode());
  return '.';
}

void MainForm::CloseMainWindow() { close(); }

void MainForm::closeEvent(QCloseEvent* event) {
  // Writing the settings can take a while on a busy disk: the window goes
  // first.
  hide();
  RunGuarded(ui_, [this] { main_.FormDestroy(); });
  event->accept();
}

}  // namespace orbisk
