#pragma once

#include <QStringList>
#include <optional>

namespace zelta::ui {

// The window program's own options, answered before any window is made:
// --version prints "zelta-pps R08.03.04", --help a short usage. The exit
// status when one was answered; nothing when the window should open. Other
// arguments are left alone (Qt takes its own, such as -platform, first).
std::optional<int> answerCommandLine(const QStringList& arguments);

}  // namespace zelta::ui
