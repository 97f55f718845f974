#include "gui/orbisk_application.h"

#include "gui/uncaught_errors.h"

namespace orbisk {

OrbiskApplication::OrbiskApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName("orbisk");
}

bool OrbiskApplication::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  RunGuarded(errorUi_ != nullptr ? *errorUi_ : ownUi_, [&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

}  // namespace orbisk
