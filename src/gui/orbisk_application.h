#pragma once
// The application object: a QApplication whose every event runs under the
// default handler, so an error that escapes a slot or an event handler is
// shown in an error box and the program keeps running. It carries the
// program's version, desktop entry and window icon.

#include <QApplication>

#include "qt/widget_ui.h"

namespace orbisk {

// The name of the desktop entry, the icons and the AppStream metainfo.
inline constexpr const char* kApplicationId = "com.tevrana.orbisk";

class OrbiskApplication : public QApplication {
 public:
  OrbiskApplication(int& argc, char** argv);

  // Where uncaught errors are shown; null: error boxes without an owner.
  void SetErrorUi(Ui* ui) { errorUi_ = ui; }

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  WidgetUi ownUi_;
  Ui* errorUi_ = nullptr;
};

}  // namespace orbisk
