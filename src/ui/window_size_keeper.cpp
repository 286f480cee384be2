#include "ui/window_size_keeper.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLayout>
#include <QWidget>

namespace zelta::ui {

void WindowSizeKeeper::contentsChanging() {
  before_ = window_.size();
}

void WindowSizeKeeper::contentsChanged() {
  if (!window_.isVisible() || window_.isMaximized() || window_.isFullScreen()) return;
  // The new minimum applies now, not at the next pass of the event loop:
  // the layouts of the changed widgets tell their parents in turn.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  if (QLayout* layout = window_.layout()) layout->activate();
  const QSize now = window_.size();
  if (now != before_) {
    if (!ownSize_) ownSize_ = before_;
    grownSize_ = now;
    return;
  }
  if (!ownSize_) return;
  if (now != grownSize_) {
    // Sized by the user since: that size is the window's own now.
    ownSize_.reset();
    return;
  }
  const QSize back = ownSize_->expandedTo(window_.minimumSize());
  if (back == now) return;
  window_.resize(back);
  grownSize_ = window_.size();
  if (grownSize_ == *ownSize_) ownSize_.reset();
}

}  // namespace zelta::ui
