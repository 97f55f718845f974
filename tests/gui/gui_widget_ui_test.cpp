// The Qt Ui: its boxes, the one-state wait cursor and a missing help page.

#include <QApplication>
#include <QMessageBox>
#include <gtest/gtest.h>

#include "gui_test_support.h"
#include "qt/widget_ui.h"

namespace orbisk {
namespace {

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
