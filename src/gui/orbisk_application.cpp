#include "gui/orbisk_application.h"

#include <QIcon>

#include "gui/uncaught_errors.h"

namespace orbisk {

namespace {

QIcon ApplicationIcon() {
  QIcon icon;
  for (const char* size : {"16x16", "32x32", "48x48", "256x256"}) {
    icon.addFile(QStringLiteral(":/icons/%1/apps/%2.png").arg(size, kApplicationId));
  }
  return icon;
}

}  // namespace

OrbiskApplication::OrbiskApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName("orbisk");
  setApplicationVersion(ORBISK_VERSION);
  // The desktop entry, by which desktops find the icon and name of the
  // program's windows.
  setDesktopFileName(kApplicationId);
  setWindowIcon(ApplicationIcon());
}

bool OrbiskApplication::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  RunGuarded(errorUi_ != nullptr ? *errorUi_ : ownUi_, [&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

}  // namespace orbisk
