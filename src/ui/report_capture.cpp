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

// A page's scroll area while its picture is drawn: no scroll bars (the
// page shows whole), and afterwards the bars and the place the user had
// scrolled to as they were.
class PictureScroll {
 public:
  explicit PictureScroll(QWidget* tab) : scroll_(pageScroll(tab)) {
    if (scroll_ == nullptr) return;
    horizontal_ = scroll_->horizontalScrollBar()->value();
    vertical_ = scroll_->verticalScrollBar()->value();
    horizontalPolicy_ = scroll_->horizontalScrollBarPolicy();
    verticalPolicy_ = scroll_->verticalScrollBarPolicy();
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  }
  ~PictureScroll() {
    if (scroll_ == nullptr) return;
    scroll_->setHorizontalScrollBarPolicy(horizontalPolicy_);
    scroll_->setVerticalScrollBarPolicy(verticalPolicy_);
    scroll_->horizontalScrollBar()->setValue(horizontal_);
    scroll_->verticalScrollBar()->setValue(vertical_);
  }
  PictureScroll(const PictureScroll&) = delete;
  PictureScroll& operator=(const PictureScroll&) = delete;

 private:
  QScrollArea* scroll_;
  int horizontal_ = 0;
  int vertical_ = 0;
  Qt::ScrollBarPolicy horizontalPolicy_ = Qt::ScrollBarAsNeeded;
  Qt::ScrollBarPolicy verticalPolicy_ = Qt::ScrollBarAsNeeded;
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
    const QSize full = fullLayoutSize(pageControl);
    QImage picture;
    {
      // A window smaller than the page (a laptop's screen) would cut the
      // picture at its scroll bar: the page control is drawn at the page's
      // full size for the picture and given its own size back after it.
      // The tabs, the page and its scroll area follow the resize at once;
      // laying out the window now would give the page control its place back.
      const PictureScroll scroll(pageControl.currentWidget());
      pageControl.resize(full);
      picture = pageControl.grab().toImage();
      pageControl.resize(shownSize);
    }
    layOut();
    const QString file =
        QDir(folder).filePath(QString::fromStdString(window::pagePictureName(static_cast<int>(i))));
    if (picture.save(file, "JPEG", window::kPagePictureQuality)) ++written;
  }
  pageControl.setCurrentIndex(shownBefore);
  return written;
}

}  // namespace zelta::ui
