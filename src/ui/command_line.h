#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zelta::ui {

// The window program's own options, answered before Qt starts (so they work
// without a display): --version prints "zelta-pps R08.03.04", --help a short
// usage. The exit status when one was answered; nothing when the window
// should open. Other arguments are left to Qt (-platform and the like).
std::optional<int> answerCommandLine(int argc, const char* const* argv);

// The codeplug file to open at start (`zelta-pps FILE.cp`, as the desktop
// entry passes it): the first argument that is not an option, arguments
// being the program's name and what Qt has left of its own options. "--"
// ends the options.
std::optional<std::filesystem::path> fileArgument(const std::vector<std::string>& arguments);

}  // namespace zelta::ui
