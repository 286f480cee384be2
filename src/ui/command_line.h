#pragma once

#include <optional>

namespace zelta::ui {

// The window program's own options, answered before Qt starts (so they work
// without a display): --version prints "zelta-pps R08.03.04", --help a short
// usage. The exit status when one was answered; nothing when the window
// should open. Other arguments are left to Qt (-platform and the like).
std::optional<int> answerCommandLine(int argc, const char* const* argv);

}  // namespace zelta::ui
