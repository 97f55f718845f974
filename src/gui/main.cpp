// orbisk: the desktop program. Start-up order: the application, the main
// window (its FormCreate loads the settings and sizes the picture, nothing is
// drawn), the function-and-domain dialog, then the event loop until the main
// window closes; closing it saves the settings. A file named on the command
// line is opened once the window shows.

#include <QTimer>
#include <filesystem>
#include <iostream>

#include "gui/desktop_arguments.h"
#include "gui/main_form.h"
#include "gui/orbisk_application.h"
#include "platform/file_registry.h"
#include "platform/heap_pages.h"
#include "platform/write_cleanup.h"

namespace {

std::vector<std::string> Arguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

// Answers --help, --version and a fault on the command line; -1 when the
// program is to run.
int Answer(const orbisk::DesktopArguments& args) {
  using Action = orbisk::DesktopArguments::Action;
  switch (args.action) {
    case Action::Help:
      std::cout << orbisk::DesktopUsage();
      return 0;
    case Action::Version:
      std::cout << orbisk::DesktopVersion() << '\n';
      return 0;
    case Action::Fault:
      std::cerr << "orbisk: " << args.fault << "\nTry 'orbisk --help'.\n";
      return 2;
    case Action::Run:
      break;
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  orbisk::PreferHugePages();
  orbisk::InstallWriteCleanup();  // an interrupted write leaves no temporary file
  // --help and --version need no display: they are answered before the
  // application connects to one. Anything else waits until Qt has taken its
  // own options (-platform, -style, ...) out of argv.
  const orbisk::DesktopArguments early = orbisk::ParseDesktopArguments(Arguments(argc, argv));
  if (early.action == orbisk::DesktopArguments::Action::Help ||
      early.action == orbisk::DesktopArguments::Action::Version) {
    return Answer(early);
  }
  orbisk::OrbiskApplication app(argc, argv);
  const orbisk::DesktopArguments args = orbisk::ParseDesktopArguments(Arguments(argc, argv));
  if (const int code = Answer(args); code >= 0) return code;

  orbisk::FileRegistry registry;
  orbisk::MainForm form(registry);
  app.SetErrorUi(&form.FormUi());
  form.CreateFunctionDialog();
  form.ShowCentred();
  if (!args.file.empty()) {
    // The name as it is remembered for the next start: absolute.
    std::error_code failed;
    std::filesystem::path path = std::filesystem::absolute(args.file, failed);
    if (failed) path = args.file;
    QTimer::singleShot(0, &form, [&form, name = path.string()] { form.OpenFile(name); });
  }
  const int code = app.exec();
  app.SetErrorUi(nullptr);  // the window's boxes go with the window
  return code;
}
