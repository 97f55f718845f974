// The Qt Ui: its boxes, the one-state wait cursor and a missing help page.

#include <QApplication>
#include <QMessageBox>
#include <gtest/gtest.h>

#include "gui_test_support.h"
#include "qt/widget_ui.h"
#include "support/temp_dir.h"

namespace orbisk {
namespace {

using testing::TempDir;
using testing::WriteFile;

// What a message box showed.
struct Shown {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

void ReadNextBox(Shown& shown) {
  testing::AnswerNextDialog([&shown](QDialog& dialog) {
    auto& box = static_cast<QMessageBox&>(dialog);
    shown = {box.windowTitle(), box.text(), box.icon()};
    box.accept();
  });
}

TEST(WidgetUi, BoxesCarryTheTitleAndTheirIcon) {
  WidgetUi ui;
  const struct {
    std::function<void()> show;
    const char* title;
    QMessageBox::Icon icon;
  } cases[] = {
      {[&] { ui.ShowMessage("plain"); }, "Orbisk", QMessageBox::NoIcon},
      {[&] { ui.ShowError("plain"); }, "Orbisk", QMessageBox::Critical},
      {[&] { ui.ShowInformation("About Orbisk", "plain"); }, "About Orbisk", QMessageBox::Information},
  };
  for (const auto& row : cases) {
    Shown shown;
    ReadNextBox(shown);
    row.show();
    EXPECT_EQ(shown.title, row.title);
    EXPECT_EQ(shown.text, "plain");
    EXPECT_EQ(shown.icon, row.icon);
  }
}

TEST(WidgetUi, AMissingHelpPageIsReported) {
  WidgetUi ui;
  Shown shown;
  ReadNextBox(shown);
  ui.ShowHelp("/nonexistent/orbisk.html");
  EXPECT_EQ(shown.icon, QMessageBox::Critical);
  EXPECT_EQ(shown.text, "Cannot find the help file /nonexistent/orbisk.html.");
}

TEST(WidgetUi, TheHelpPageBesideTheProgramComesBeforeTheInstalledOne) {
  TempDir dir;
  std::filesystem::create_directories(dir.path() / "bin");
  std::filesystem::create_directories(dir.path() / "share" / "orbisk");
  const QString beside = QString::fromStdString(dir.File("bin/orbisk.html"));
  const QString installed = QString::fromStdString(dir.File("share/orbisk/orbisk.html"));
  const struct {
    bool besideExists;
    bool installedExists;
    QString found;
  } cases[] = {
      {true, true, beside},
      {false, true, installed},
      {false, false, QString()},
  };
  for (const auto& row : cases) {
    std::filesystem::remove(beside.toStdString());
    std::filesystem::remove(installed.toStdString());
    if (row.besideExists) WriteFile(beside.toStdString(), "<html>");
    if (row.installedExists) WriteFile(installed.toStdString(), "<html>");
    EXPECT_EQ(FindHelpPage(beside), row.found) << row.besideExists << row.installedExists;
  }
}

TEST(WidgetUi, OneRestoreEndsTheHourglassHoweverOftenItWasShown) {
  WidgetUi ui;
  ui.ShowHourglass();
  ui.ShowHourglass();
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  ui.RestoreCursor();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  ui.RestoreCursor();  // nothing to restore: harmless
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace orbisk
