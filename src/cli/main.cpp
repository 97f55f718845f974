#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>

#include "app/default_handler.h"
#include "cli/commands.h"
#include "platform/error.h"
#include "platform/heap_pages.h"
#include "platform/write_cleanup.h"

namespace {

int Run(int argc, char** argv) {
  try {
    return orbisk::cli::RunCli(orbisk::cli::Args(argv + 1, argv + argc), std::cout, std::cerr);
  } catch (const std::exception& e) {
    std::cerr << orbisk::DefaultHandlerText(orbisk::MessageOf(e)) << "\n";
  } catch (...) {
    std::cerr << "Unknown error.\n";
  }
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  orbisk::PreferHugePages();
  orbisk::InstallWriteCleanup();  // an interrupted write leaves no temporary file
  const int status = Run(argc, argv);
  // Every file is written and closed by now: once the output is flushed,
  // the process ends without running the libraries' teardown (Qt's fonts and
  // plugins), which nothing needs.
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  std::_Exit(status);
}
