#include "ui/report_capture.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QImage>
#include <QPixmap>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>

#include "window/report_sheets.h"

namespace zelta::ui {
namespace {

// The page just shown lays itself out before it is measured or drawn.
void layOut() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

// The scroll area an editing page lives in (directly, or in the tab's host
// widget); null for a page without one.
QScrollArea* pageScroll(QWidget* tab) {
  if (tab == nullptr) return nullptr;
  if (auto* scroll = qobject_cast<QScrollArea*>(tab)) return scroll;
  return tab->findChild<QScrollArea*>(QString(), Qt::FindDirectChildrenOnly);
}

// The size of the page control at which its current page shows whole, with
// no scroll bar: the page's own layout size and the room the tabs and
// frames around it take. Never smaller than the page control is.
QSize fullLayoutSize(const QTabWidget& pageControl) {
  const QScrollArea* scroll = pageScroll(pageControl.currentWidget());
  if (scroll == nullptr || scroll->widget() == nullptr) return pageControl.size();
  const QWidget& contents = *scroll->widget();
  const QSize around = pageControl.size() - scroll->size();
  const int frame = 2 * scroll->frameWidth();
  const QSize whole = contents.sizeHint().expandedTo(contents.minimumSizeHint());
  return pageControl.size().expandedTo(whole + around + QSize(frame, frame));
}

// Where the user had scrolled a page to, so that the capture leaves it there.
struct ScrollPosition {
  explicit ScrollPosition(QWidget* tab) : scroll(pageScroll(tab)) {
    if (scroll == nullptr) return;
    horizontal = scroll->horizontalScrollBar()->value();
    vertical = scroll->verticalScrollBar()->value();
  }
  void restore() const {
    if (scroll == nullptr) return;
    scroll->horizontalScrollBar()->setValue(horizontal);
    scroll->verticalScrollBar()->setValue(vertical);
  }
  QScrollArea* scroll;
  int horizontal = 0;
  int vertical = 0;
};

}  // namespace

int captureReportPages(QTabWidget& pageControl, const std::vector<pages::Page>& pages,
                       const QString& folder) {
  const int shownBefore = pageControl.currentIndex();
  const QSize shownSize = pageControl.size();
  int written = 0;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    pageControl.setCurrentIndex(pages::pageIndex(pages[i]));
    layOut();
    const ScrollPosition scrolled(pageControl.currentWidget());
    // A window smaller than the page (a laptop's screen) would cut the
    // picture at its scroll bar: the page control is drawn at the page's
    // full size for the picture and given its own size back after it. The
    // tabs, the page and its scroll area follow the resize at once; laying
    // out the window now would give the page control its place back.
    pageControl.resize(fullLayoutSize(pageControl));
    const QImage picture = pageControl.grab().toImage();
    pageControl.resize(shownSize);
    layOut();
    scrolled.restore();
    const QString file =
        QDir(folder).filePath(QString::fromStdString(window::pagePictureName(static_cast<int>(i))));
    if (picture.save(file, "JPEG", window::kPagePictureQuality)) ++written;
  }
  pageControl.setCurrentIndex(shownBefore);
  return written;
}

}  // namespace zelta::ui
