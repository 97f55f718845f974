#include "qt_test_app.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

namespace orbisk::testing {

void EnsureQtApp() {
  if (QCoreApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "qt_tests";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = new QGuiApplication(argc, argv);
  (void)app;
}

namespace {

// Fixtures hold bitmaps as members, built before their SetUp runs: the
// application object must exist before the first test is created.
class QtAppEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { EnsureQtApp(); }
};

const auto* const kQtAppEnvironment = ::testing::AddGlobalTestEnvironment(new QtAppEnvironment);

}  // namespace

}  // namespace orbisk::testing
