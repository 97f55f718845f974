#include "gui/main_form.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLocale>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QStatusBar>
#include <cmath>

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
  view_->setMouseTracking(true);
  view_->installEventFilter(this);
  scroller_->setObjectName("ScrollBox");
  scroller_->setWidget(view_);
  scroller_->setWidgetResizable(false);
  scroller_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setCentralWidget(scroller_);
  RunGuarded(ui_, [this] { main_.FormCreate(); });
  ShowPicture();
  ShowStatusLine();
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
  ShowStatusLine();
  commandUi_.EndCommand();
}

void MainForm::ShowPicture() {
  const QImage& image = picture_.Image();
  view_->setPixmap(QPixmap::fromImage(image));
  view_->resize(image.size());
  if (view_->isVisible()) view_->repaint();
}

void MainForm::ShowStatusLine() {
  const bool shown = main_.StatusLineShown();
  if (cursorValue_ == nullptr) {
    if (!shown) return;  // the window keeps its plain layout
    cursorValue_ = new QLabel;
    cursorValue_->setObjectName("lbCursorValue");
    statusBar()->setObjectName("StatusLine");
    statusBar()->addWidget(cursorValue_, 1);
  }
  statusBar()->setVisible(shown);
  // The picture may have changed under a resting mouse.
  const QPoint mouse = view_->mapFromGlobal(QCursor::pos());
  ShowCursorValue(shown && view_->underMouse() ? std::optional<QPoint>(mouse) : std::nullopt);
}

void MainForm::ShowCursorValue(std::optional<QPoint> pos) {
  if (cursorValue_ == nullptr) return;
  const std::string text = pos ? main_.CursorText(pos->x(), pos->y()) : std::string();
  cursorValue_->setText(QString::fromStdString(text));
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_ && cursorValue_ != nullptr && main_.StatusLineShown()) {
    if (event->type() == QEvent::MouseMove) {
      const QPointF at = static_cast<QMouseEvent*>(event)->position();
      ShowCursorValue(QPoint(static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y()))));
    } else if (event->type() == QEvent::Leave) {
      ShowCursorValue(std::nullopt);
    }
  }
  return QMainWindow::eventFilter(watched, event);
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
