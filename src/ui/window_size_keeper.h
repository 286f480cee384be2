#pragma once

#include <QSize>
#include <optional>

class QWidget;

namespace zelta::ui {

// Qt widens a window whose contents need more room than it has (the tab
// row of the converter's pages) and never narrows it again. The keeper
// remembers the size the window had before its contents widened it and
// gives it back once they fit again, unless the user has sized the window
// in between.
class WindowSizeKeeper {
 public:
  explicit WindowSizeKeeper(QWidget& window) : window_(window) {}

  // Around a change of the window's contents: contentsChanging() before,
  // contentsChanged() after it.
  void contentsChanging();
  void contentsChanged();

 private:
  QWidget& window_;
  QSize before_;
  // The size the window had before its contents widened it, and the size
  // they gave it; none while the window has the size it was given.
  std::optional<QSize> ownSize_;
  QSize grownSize_;
};

}  // namespace zelta::ui
