#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zelta::window {

// Help is one HTML guide. Run from the build tree it lies beside the
// program (help/index.html); installed, in <prefix>/share/zelta-pps/help.
// F1 anywhere and "&Help Topics" open it at its start.
inline constexpr std::string_view kHelpFolderName = "help";
inline constexpr std::string_view kHelpFileName = "index.html";

// The box shown when the guide is missing starts with this; the full path
// follows.
inline constexpr std::string_view kHelpFileNotFoundText = "Help file not found\n";

// The guide's full path for a program in programFolder.
std::filesystem::path helpFilePath(const std::filesystem::path& programFolder);

// What F1 does: show missingMessage first when it is not empty, then hand
// file to the desktop to open all the same (a missing file is the
// desktop's to report, or not).
struct HelpRequest {
  std::filesystem::path file;
  std::string missingMessage;
};

HelpRequest helpRequest(const std::filesystem::path& programFolder);

}  // namespace zelta::window
