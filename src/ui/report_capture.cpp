#include "ui/report_capture.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QImage>
#include <QPixmap>
#include <QTabWidget>

#include "window/report_sheets.h"

namespace zelta::ui {

int captureReportPages(QTabWidget& pageControl, const std::vector<pages::Page>& pages,
                       const QString& folder) {
  const int shownBefore = pageControl.currentIndex();
  int written = 0;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    pageControl.setCurrentIndex(pages::pageIndex(pages[i]));
    // The page just shown lays itself out before it is drawn.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QImage picture = pageControl.grab().toImage();
    const QString file =
        QDir(folder).filePath(QString::fromStdString(window::pagePictureName(static_cast<int>(i))));
    if (picture.save(file, "JPEG", window::kPagePictureQuality)) ++written;
  }
  pageControl.setCurrentIndex(shownBefore);
  return written;
}

}  // namespace zelta::ui
