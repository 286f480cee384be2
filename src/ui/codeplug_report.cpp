#include "ui/codeplug_report.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <utility>
#include <vector>

#include "window/report_sheets.h"

namespace zelta::ui {

CodeplugReport::CodeplugReport(QString folder, int printedPages, QString title)
    : folder_(std::move(folder)), printedPages_(printedPages), title_(std::move(title)) {}

void CodeplugReport::print(QPrinter& printer) const {
  QPainter painter;
  if (!painter.begin(&printer)) {
    return;
  }
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  const QRect area(0, 0, page.width(), page.height());
  bool first = true;
  for (const window::ReportSheet& sheet : window::reportSheetsFor(printedPages_)) {
    if (!first) {
      printer.newPage();
    }
    first = false;
    QRect boxes = area;
    if (sheet.title) {
      QFont font = painter.font();
      font.setPointSize(14);
      font.setBold(true);
      painter.setFont(font);
      const int height = painter.fontMetrics().height() * 2;
      painter.drawText(QRect(area.left(), area.top(), area.width(), height), Qt::AlignCenter,
                       title_);
      boxes.setTop(area.top() + height);
    }
    // Two boxes one above the other; each picture keeps its proportions.
    const int boxHeight = boxes.height() / 2;
    for (int slot = 0; slot < 2; ++slot) {
      const int picture = sheet.pictures[static_cast<std::size_t>(slot)];
      const std::vector<int> shown = window::sheetPictures(sheet, printedPages_);
      if (picture < 0 || std::find(shown.begin(), shown.end(), picture) == shown.end()) {
        continue;
      }
      const QImage image(
          QDir(folder_).filePath(QString::fromStdString(window::pagePictureName(picture))));
      if (image.isNull()) {
        continue;
      }
      const QRect box(boxes.left(), boxes.top() + slot * boxHeight, boxes.width(), boxHeight);
      QSize size = image.size().scaled(box.size(), Qt::KeepAspectRatio);
      const QRect target(box.left() + (box.width() - size.width()) / 2, box.top(), size.width(),
                         size.height());
      painter.drawImage(target, image);
    }
  }
  painter.end();
}

bool CodeplugReport::exportPdf(const QString& path) const {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
  print(printer);
  return QFile::exists(path);
}

}  // namespace zelta::ui
