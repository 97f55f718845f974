#include "gui_test_support.h"

#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include "gui/orbisk_application.h"

namespace orbisk::testing {

namespace {

// Widgets need a QApplication, made before any test runs (and before any
// helper could make a plain QGuiApplication instead).
class WidgetsApplication : public ::testing::Environment {
 public:
  void SetUp() override {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "gui_tests";
    static char* argv[] = {name, nullptr};
    static OrbiskApplication* app = new OrbiskApplication(argc, argv);
    app->setQuitOnLastWindowClosed(false);
  }
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new WidgetsApplication);

}  // namespace

void AnswerNextDialog(std::function<void(QDialog&)> answer) {
  QTimer::singleShot(0, [answer = std::move(answer)] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) {
      ADD_FAILURE() << "no modal dialog is open";
      return;
    }
    answer(*dialog);
    if (dialog->isVisible()) dialog->reject();
  });
}

}  // namespace orbisk::testing
