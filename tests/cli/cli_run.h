#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"

namespace zelta::cli::testing {

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

// Runs zelta-pps-cli in-process with args (program name added).
inline CliResult runArgs(std::vector<std::string> args) {
  std::ostringstream out;
  std::ostringstream err;
  std::istringstream in;
  CliIo io{out, err, in};
  args.insert(args.begin(), "zelta-pps-cli");
  const int status = runCli(args, io);
  return {status, out.str(), err.str()};
}

}  // namespace zelta::cli::testing
