#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"

namespace zelta::cli {

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

// Runs one command line in-process (arguments without the program name).
inline CliResult runArgs(std::vector<std::string> args) {
  std::ostringstream out;
  std::ostringstream err;
  std::istringstream in;
  CliIo io{out, err, in};
  args.insert(args.begin(), "zelta-pps-cli");
  const int status = runCli(args, io);
  return {status, out.str(), err.str()};
}

}  // namespace zelta::cli
