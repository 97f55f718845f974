#include <iostream>

#include "cli/commands.h"

int main(int argc, char** argv) {
  return orbisk::cli::RunCli(orbisk::cli::Args(argv + 1, argv + argc), std::cout, std::cerr);
}
