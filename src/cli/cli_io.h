#pragma once

#include <iosfwd>

namespace zelta::cli {

// Where a run of the command-line tool reads and writes; main() passes the
// process streams, tests pass string streams.
struct CliIo {
  std::ostream& out;
  std::ostream& err;
  std::istream& in;
  bool inputIsTerminal = false;
  bool errorIsTerminal = false;
  bool outputIsTerminal = false;
};

// Exit statuses of zelta-pps-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // an operation failed or a comparison differed
inline constexpr int kExitUsage = 2;   // the command line was wrong

}  // namespace zelta::cli
