#include "ui/command_line.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "version.h"

namespace zelta::ui {

std::optional<int> answerCommandLine(int argc, const char* const* argv) {
  // The first argument is the program's name.
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--version") {
      std::printf("zelta-pps %s\n", std::string(kProgramVersion).c_str());
      return 0;
    }
    if (arg == "--help" || arg == "-h") {
      std::printf(
          "Usage: zelta-pps [--version] [--help] [FILE.cp]\n"
          "Opens the Zelta PPS window: read, edit and program the codeplugs of Zelta\n"
          "POCSAG pagers on their programming fixture. A codeplug file named opens\n"
          "as F8 would open it.\n"
          "\n"
          "  --version  print the program version and exit\n"
          "  --help     print this help and exit\n"
          "\n"
          "The command-line tool is zelta-pps-cli; F1 in the window opens the guide.\n");
      return 0;
    }
  }
  return std::nullopt;
}

std::optional<std::filesystem::path> fileArgument(const std::vector<std::string>& arguments) {
  bool options = true;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    if (options && arg == "--") {
      options = false;
      continue;
    }
    if (arg.empty() || (options && arg.front() == '-')) continue;
    return std::filesystem::path(arg);
  }
  return std::nullopt;
}

}  // namespace zelta::ui
