#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_app.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv, argv + argc);
  zelta::cli::CliIo io{std::cout,
                       std::cerr,
                       std::cin,
                       isatty(STDIN_FILENO) == 1,
                       isatty(STDERR_FILENO) == 1,
                       isatty(STDOUT_FILENO) == 1};
  return zelta::cli::runCli(args, io);
}
