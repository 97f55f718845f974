// The main window: its menu tree, what each item runs, start-up and shut-down.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

#include "gui/function_dialog.h"
#include "gui/main_form.h"
#include "gui_test_support.h"
#include "platform/file_registry.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace orbisk {
namespace {

using testing::AnswerNextDialog;
using testing::FakeUi;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// Every item as "Menu>Submenu>Item", with its shortcut after a "|" when set.
void CollectItems(const QList<QAction*>& actions, const QString& prefix, QStringList& out) {
  for (QAction* action : actions) {
    const QString path = prefix.isEmpty() ? action->text() : prefix + ">" + action->text();
    if (action->menu() != nullptr) {
      CollectItems(action->menu()->actions(), path, out);
    } else if (action->isSeparator()) {
      out << prefix + ">-";
    } else {
      out << path + (action->shortcut().isEmpty() ? "" : "|" + action->shortcut().toString());
    }
  }
}

// Notes in the log, at each restore of the default cursor, whether the view
// showed the picture as drawn by then.
class CursorWatchUi : public FakeUi {
 public:
  void RestoreCursor() override {
    const QImage shown = form->PictureView().pixmap().toImage();
    const bool same = shown == form->PictureBitmap().Image().convertToFormat(shown.format());
    log.push_back(same ? "cursor, picture shown" : "cursor, picture not shown");
  }
  MainForm* form = nullptr;
};

// Notes whether the window was visible when the settings were written.
class WatchedRegistry : public FileRegistry {
 public:
  using FileRegistry::FileRegistry;
  void Close() override {
    if (onClose) onClose();
    FileRegistry::Close();
  }
  std::function<void()> onClose;
};

class MainFormTest : public ::testing::Test {
 protected:
  MainFormTest() : registry_(dir_.File("settings.reg")) { form_ = std::make_unique<MainForm>(registry_, &ui_); }

  void Trigger(const char* name) {
    QAction* action = form_->findChild<QAction*>(name);
    ASSERT_NE(action, nullptr) << name;
    action->trigger();
  }

  TempDir dir_;
  FileRegistry registry_;
  FakeUi ui_;
  std::unique_ptr<MainForm> form_;
};

TEST_F(MainFormTest, MenuTreeHasTheCaptionsAccessLettersAndOnlyF1) {
  QStringList items;
  CollectItems(form_->menuBar()->actions(), "", items);
  const QStringList expected = {"File>New>Cyl Data",
                                "File>Load>Cyl Data",
                                "File>Load>Polar Data",
                                "File>Save>Picture",
                                "File>Save>Cyl Data",
                                "File>Save>Lines as GeoJSON",
                                "File>Save>Lines as CSV",
                                "File>-",
                                "File>E&xit",
                                "Edit>ReDraw",
                                "Edit>Copy",
                                "Edit>Clear",
                                "Tools>Settings",
                                "Tools>Test>Generate 3d data",
                                "Tools>Test>Generate Polar data",
                                "Tools>Replace delimiter>.->,",
                                "Tools>Replace delimiter>,->.",
                                "Tools>Replace delimiter>.<->,",
                                "Help>Contents|F1",
                                "Help>About"};
  EXPECT_EQ(items, expected);
  for (QAction* action : form_->findChildren<QAction*>()) {
    EXPECT_TRUE(action->isEnabled()) << action->text().toStdString();
    EXPECT_TRUE(action->isVisible()) << action->text().toStdString();
    EXPECT_FALSE(action->isCheckable()) << action->text().toStdString();
  }
}

TEST_F(MainFormTest, F10AltAndAltLettersOpenTheMenuBarForTheKeyboard) {
  form_->show();
  QApplication::setActiveWindow(form_.get());
  QMenuBar& bar = *form_->menuBar();
  const struct {
    const char* row;
    std::function<void()> keys;
    const char* highlighted;  // the menu highlighted in the bar
    const char* open;         // the menu open below it, or null
  } cases[] = {
      {"F10", [&] { QTest::keyClick(form_.get(), Qt::Key_F10); }, "mnFile", "mnFile"},
      {"Alt", [&] { QTest::keyClick(form_.get(), Qt::Key_Alt, Qt::AltModifier); }, "mnFile", nullptr},
      {"Alt+T", [&] { QTest::keyClick(form_.get(), Qt::Key_T, Qt::AltModifier); }, "mnTools", "mnTools"},
      {"Alt+H", [&] { QTest::keyClick(form_.get(), Qt::Key_H, Qt::AltModifier); }, "mnHelp", "mnHelp"},
      {"Alt, Right, Down",
       [&] {
         QTest::keyClick(form_.get(), Qt::Key_Alt, Qt::AltModifier);
         QTest::keyClick(&bar, Qt::Key_Right);
         QTest::keyClick(&bar, Qt::Key_Down);
       },
       "mnRun", "mnRun"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.row);
    row.keys();
    ASSERT_NE(bar.activeAction(), nullptr);
    if (row.open != nullptr) {
      // Opened from the keyboard: its first item is chosen.
      QMenu* open = form_->findChild<QMenu*>(row.open);
      EXPECT_EQ(open->activeAction(), open->actions().front());
    }
    EXPECT_EQ(bar.activeAction()->menu()->objectName(), row.highlighted);
    for (const char* name : {"mnFile", "mnRun", "mnTools", "mnHelp"}) {
      QMenu* menu = form_->findChild<QMenu*>(name);
      EXPECT_EQ(menu->isVisible(), row.open != nullptr && menu->objectName() == row.open)
          << menu->objectName().toStdString();
      menu->hide();
    }
    QTest::keyClick(&bar, Qt::Key_Escape);
    bar.setActiveAction(nullptr);
    form_->setFocus();
  }
  form_->hide();
}

TEST_F(MainFormTest, TheKeyboardAloneRunsACommand) {
  form_->show();
  QApplication::setActiveWindow(form_.get());
  bool ran = false;
  QObject::connect(form_->findChild<QAction*>("mnNewCylData"), &QAction::triggered, [&ran] { ran = true; });
  AnswerNextDialog([](QDialog& dialog) { dialog.reject(); });
  // F10 opens File at New; Right opens New at Cyl Data; Enter runs it.
  QTest::keyClick(form_.get(), Qt::Key_F10);
  for (Qt::Key key : {Qt::Key_Right, Qt::Key_Return}) {
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    QTest::keyClick(QApplication::activePopupWidget(), key);
  }
  EXPECT_TRUE(ran);
  form_->hide();
}

TEST_F(MainFormTest, StartsWithTheSizedBlankPictureAndNothingDrawn) {
  form_->ShowCentred();
  EXPECT_EQ(form_->size(), QSize(522, 375));
  EXPECT_EQ(form_->windowTitle(), "Orbisk");
  EXPECT_EQ(form_->Model().GetDataKind(), 0);
  EXPECT_EQ(form_->PictureView().size(), QSize(500, 500));
  const QImage image = form_->PictureView().pixmap().toImage();
  EXPECT_EQ(image.size(), QSize(500, 500));
  EXPECT_EQ(image.pixelColor(250, 250), QColor(Qt::white));
  form_->hide();
}

TEST_F(MainFormTest, EachItemRunsItsOwnCommand) {
  const std::string source = dir_.File("in.txt");
  const std::string target = dir_.File("out.dat");
  const struct {
    const char* item;
    std::vector<FileDialogKind> dialogs;  // the dialogs it runs, all answered
    std::string expectedTarget;           // what ends in target, or "" to skip
  } cases[] = {
      {"mnToolsDelimiterPtoC", {FileDialogKind::Open, FileDialogKind::Save}, "1,5;2,5\r\n"},
      {"mnToolsDelimiterCtoP", {FileDialogKind::Open, FileDialogKind::Save}, "1.5;2.5\r\n"},
      {"mnToolsDelimiterPexC", {FileDialogKind::Open, FileDialogKind::Save}, "1,5;2.5\r\n"},
      {"mnSaveCylData", {FileDialogKind::Save}, ""},
      {"mnGenerate", {FileDialogKind::Save}, ""},
      {"GenPolar1", {FileDialogKind::Save}, ""},
      {"mnFileSavePicture", {FileDialogKind::Picture}, ""},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.item);
    WriteFile(source, "1.5;2,5");
    std::filesystem::remove(target);
    ui_.fileDialogs.clear();
    for (FileDialogKind kind : row.dialogs) ui_.fileAnswers.push_back(kind == FileDialogKind::Open ? source : target);
    Trigger(row.item);
    std::vector<FileDialogKind> kinds;
    for (const auto& dialog : ui_.fileDialogs) kinds.push_back(dialog.first);
    EXPECT_EQ(kinds, row.dialogs);
    const std::string written = ReadFile(target);
    if (!row.expectedTarget.empty()) {
      EXPECT_EQ(written, row.expectedTarget);
    }
    EXPECT_FALSE(written.empty());
    EXPECT_TRUE(ui_.errors.empty());
  }
  EXPECT_EQ(ReadFile(target).substr(0, 2), "BM");  // the last row saved the picture
}

TEST_F(MainFormTest, LoadItemsSetTheirDataKind) {
  const std::string polar = dir_.File("lines.dat");
  WriteFile(polar, "1 1 2\n2\n0 1.5\n1 1.5\n");
  ui_.fileAnswers = {polar};
  Trigger("mnFileLoadPolar");
  EXPECT_EQ(form_->Model().GetDataKind(), 2);
  EXPECT_EQ(form_->Model().Store().LinesFi.Count(), 1);

  const std::string grid = dir_.File("grid.dat");
  WriteFile(grid, "2 0 1\n2 1 2\n1 2\n3 4\n");
  ui_.fileAnswers = {grid};
  Trigger("mnFileLoad3d");
  EXPECT_EQ(form_->Model().GetDataKind(), 3);
  EXPECT_TRUE(ui_.errors.empty());
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(MainFormTest, HelpAboutRedrawAndClearReachTheModel) {
  Trigger("mnHelpContents");
  ASSERT_FALSE(ui_.log.empty());
  const std::string help = ui_.log.back();
  EXPECT_EQ(help.substr(0, 6), "help: ");
  EXPECT_EQ(help.substr(help.size() - 15), "/gui_tests.html");

  Trigger("mnAbout");
  EXPECT_EQ(ui_.log.back().rfind("information: About Orbisk: Orbisk", 0), 0u);

  ui_.log.clear();
  Trigger("mnEditRedraw");
  EXPECT_EQ(ui_.log, (std::vector<std::string>{"hourglass", "events", "cursor"}));

  form_->PictureBitmap().GetCanvas().SetBrushColor(0);
  form_->PictureBitmap().GetCanvas().FillRect(0, 0, 10, 10);
  Trigger("mnEditClear");
  EXPECT_EQ(form_->PictureView().pixmap().toImage().pixelColor(5, 5), QColor(Qt::white));
}

TEST_F(MainFormTest, NewCylDataDrawsTheDefaultMapAndCancelChangesNothing) {
  form_->CreateFunctionDialog();
  AnswerNextDialog([](QDialog& dialog) { dialog.reject(); });
  Trigger("mnNewCylData");
  EXPECT_EQ(form_->Model().GetDataKind(), 0);

  AnswerNextDialog([](QDialog& dialog) { static_cast<TfmEdFCylinder&>(dialog).OkButton()->click(); });
  Trigger("mnNewCylData");
  EXPECT_EQ(form_->Model().GetDataKind(), 3);
  EXPECT_GT(form_->Model().Store().LinesFi.Count(), 0);
  // The view shows the picture as drawn.
  const QImage shown = form_->PictureView().pixmap().toImage();
  EXPECT_EQ(shown, form_->PictureBitmap().Image().convertToFormat(shown.format()));
  EXPECT_TRUE(ui_.errors.empty());
}

TEST_F(MainFormTest, SettingsRedrawsAfterCancelAtTheNewSize) {
  AnswerNextDialog([](QDialog& dialog) {
    dialog.findChild<QLineEdit*>("edWidth")->setText("120");
    dialog.findChild<QLineEdit*>("edHeight")->setText("90");
    dialog.findChild<QPushButton*>("btOk")->click();
  });
  ui_.log.clear();
  Trigger("mnSettings");
  EXPECT_EQ(form_->PictureView().size(), QSize(120, 90));
  EXPECT_EQ(ui_.log.front(), "hourglass");  // the ReDraw that follows

  AnswerNextDialog([](QDialog& dialog) { dialog.reject(); });
  ui_.log.clear();
  Trigger("mnSettings");
  EXPECT_EQ(ui_.log.front(), "hourglass");
}

TEST(MainForm, ErrorBoxesOfTheSettingsDialogOpenOverIt) {
  TempDir dir;
  FileRegistry registry(dir.File("settings.reg"));
  MainForm form(registry);  // its own message boxes
  form.show();
  QWidget* settings = nullptr;
  QWidget* boxOwner = nullptr;
  AnswerNextDialog([&](QDialog& dialog) {
    settings = &dialog;
    dialog.findChild<QLineEdit*>("edNLevelContour")->setText("abc");
    AnswerNextDialog([&](QDialog& box) {
      boxOwner = box.parentWidget();
      box.accept();
    });
    dialog.findChild<QPushButton*>("btOk")->click();
    dialog.reject();
  });
  form.RunCommand(&TfmMain::mnSettingsClick);
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(boxOwner, settings);
  form.hide();
}

TEST(MainForm, TheHourglassStaysUntilThePictureIsShown) {
  TempDir dir;
  FileRegistry registry(dir.File("settings.reg"));
  CursorWatchUi ui;
  MainForm form(registry, &ui);
  ui.form = &form;
  form.show();
  const struct {
    const char* row;
    const char* file;
    std::vector<std::string> log;
  } cases[] = {
      {"a grid", "2 0 1\n2 1 2\n1 2\n3 4\n", {"hourglass", "events", "hourglass", "events", "cursor, picture shown"}},
      // A failure is shown once the cursor is back.
      {"a bad grid",
       "2 0 1\n2 1 2\n1 x\n3 4\n",
       {"hourglass", "events", "cursor, picture shown", "message: Invalid numeric input"}},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.row);
    const std::string path = dir.File("grid.dat");
    WriteFile(path, row.file);
    ui.fileAnswers = {path};
    ui.log.clear();
    form.RunCommand(&TfmMain::mnFileLoad3dClick);
    ui.log.erase(ui.log.begin());  // the file dialog
    EXPECT_EQ(ui.log, row.log);
  }
  form.hide();
}

TEST(MainForm, ClosingHidesTheWindowBeforeTheSettingsAreWritten) {
  TempDir dir;
  WatchedRegistry registry(dir.File("settings.reg"));
  FakeUi ui;
  MainForm form(registry, &ui);
  form.show();
  std::optional<bool> visible;
  registry.onClose = [&] { visible = form.isVisible(); };
  form.close();
  EXPECT_EQ(visible, false);
  EXPECT_FALSE(ReadFile(registry.path()).empty());
}

TEST_F(MainFormTest, CopyPutsAnImageOfThePictureSizeOnTheClipboard) {
  form_->PictureBitmap().SetHeight(30);
  form_->PictureBitmap().SetWidth(80);
  QApplication::clipboard()->clear();
  Trigger("mnEditCopy");
  const QImage copied = QApplication::clipboard()->image();
  EXPECT_EQ(copied.size(), QSize(80, 30));
  EXPECT_EQ(copied.pixelColor(40, 15), QColor(Qt::white));
}

TEST_F(MainFormTest, ExitAndTheCloseBoxSaveTheSettingsForTheNextStart) {
  const std::string picture = dir_.File("map.bmp");
  ui_.fileAnswers = {picture};
  Trigger("mnFileSavePicture");
  form_->show();
  Trigger("mnExit");
  EXPECT_FALSE(form_->isVisible());
  EXPECT_NE(ReadFile(registry_.path()).find("map.bmp"), std::string::npos);

  // The next start proposes the saved name; its close box saves as Exit does.
  FakeUi next;
  MainForm again(registry_, &next);
  next.fileAnswers = {dir_.File("after-close.dat")};  // missing: its load fails, the name stays
  again.findChild<QAction*>("mnFileLoadPolar")->trigger();
  again.show();
  again.close();
  EXPECT_NE(ReadFile(registry_.path()).find("after-close.dat"), std::string::npos);
  FakeUi third;
  MainForm last(registry_, &third);
  last.findChild<QAction*>("mnFileSavePicture")->trigger();
  ASSERT_EQ(third.fileDialogs.size(), 1u);
  EXPECT_EQ(third.fileDialogs[0].second, picture);
}

TEST_F(MainFormTest, AnErrorNoCommandCatchesIsShownAndTheProgramGoesOn) {
  ui_.fileAnswers = {dir_.File("missing.dat")};
  Trigger("mnFileLoad3d");
  EXPECT_EQ(ui_.errors, std::vector<std::string>{"File not found."});
  Trigger("mnAbout");
  EXPECT_EQ(ui_.log.back().rfind("information: About Orbisk", 0), 0u);
}

}  // namespace
}  // namespace orbisk
