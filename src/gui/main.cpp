// orbisk: the desktop program. Start-up order: the application, the main
// window (its FormCreate loads the settings and sizes the picture, nothing is
// drawn), the function-and-domain dialog, then the event loop until the main
// window closes; closing it saves the settings.

#include "gui/main_form.h"
#include "gui/orbisk_application.h"
#include "platform/file_registry.h"
#include "platform/write_cleanup.h"

int main(int argc, char** argv) {
  orbisk::InstallWriteCleanup();  // an interrupted write leaves no temporary file
  orbisk::OrbiskApplication app(argc, argv);
  orbisk::FileRegistry registry;
  orbisk::MainForm form(registry);
  app.SetErrorUi(&form.FormUi());
  form.CreateFunctionDialog();
  form.ShowCentred();
  const int code = app.exec();
  app.SetErrorUi(nullptr);  // the window's boxes go with the window
  return code;
}
