#pragma once

#include <QIcon>

namespace zelta::ui {

// The program's icon (the same picture as the desktop entry's), built into
// the program.
QIcon programIcon();

}  // namespace zelta::ui
