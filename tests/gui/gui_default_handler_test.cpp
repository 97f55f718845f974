// The application's default handler: the error box text with its full stop,
// and errors escaping an event handler caught by the application object.

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <gtest/gtest.h>

#include "gui/orbisk_application.h"
#include "gui/uncaught_errors.h"
#include "platform/error.h"
#include "support/fake_ui.h"

namespace orbisk {
namespace {

using testing::FakeUi;

TEST(DefaultHandler, AddsAFullStopWhenTheLastCharacterSortsAfterIt) {
  const struct {
    const char* raised;
    const char* shown;
  } cases[] = {
      {"'abc' is not a valid integer value", "'abc' is not a valid integer value."},
      {"Failed to set data for 'XY_Color'", "Failed to set data for 'XY_Color'"},
      {"Не могу создать файл /x/new.bmp", "Не могу создать файл /x/new.bmp."},
      {"Не могу открыть файл", "Не могу открыть файл."},
      {"List index out of bounds (3)", "List index out of bounds (3)"},
      {"Done.", "Done."},
      {"Count: 1", "Count: 1."},
      {"", ""},
  };
  for (const auto& row : cases) {
    FakeUi ui;
    EXPECT_FALSE(RunGuarded(ui, [&] { throw InputError(row.raised); }));
    EXPECT_EQ(ui.errors, std::vector<std::string>{row.shown}) << row.raised;
  }
  FakeUi ui;
  EXPECT_TRUE(RunGuarded(ui, [] {}));
  EXPECT_TRUE(ui.errors.empty());
}

// An object whose every event handler fails.
class FailingObject : public QObject {
 public:
  bool event(QEvent*) override { throw FileError("File access denied"); }
};

TEST(DefaultHandler, TheApplicationShowsAnErrorEscapingAnEventHandler) {
  auto* app = dynamic_cast<OrbiskApplication*>(QCoreApplication::instance());
  ASSERT_NE(app, nullptr);
  FakeUi ui;
  app->SetErrorUi(&ui);
  FailingObject failing;
  QEvent event(QEvent::User);
  EXPECT_FALSE(QCoreApplication::sendEvent(&failing, &event));
  app->SetErrorUi(nullptr);
  EXPECT_EQ(ui.errors, std::vector<std::string>{"File access denied."});
}

}  // namespace
}  // namespace orbisk
