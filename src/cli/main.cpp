#include <exception>
#include <iostream>

#include "app/default_handler.h"
#include "cli/commands.h"
#include "platform/error.h"
#include "platform/write_cleanup.h"

int main(int argc, char** argv) {
  orbisk::InstallWriteCleanup();  // an interrupted write leaves no temporary file
  try {
    return orbisk::cli::RunCli(orbisk::cli::Args(argv + 1, argv + argc), std::cout, std::cerr);
  } catch (const std::exception& e) {
    std::cerr << orbisk::DefaultHandlerText(orbisk::MessageOf(e)) << "\n";
  } catch (...) {
    std::cerr << "Unknown error.\n";
  }
  return 1;
}
