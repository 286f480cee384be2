#include "ui/codeplug_report.h"

#include <QDir>
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

int CodeplugReport::sheetCount() const {
  return static_cast<int>(window::reportSheetsFor(printedPages_).size());
}

void CodeplugReport::drawSheet(QPainter& painter, const QRect& area, int index) const {
  const std::vector<window::ReportSheet> sheets = window::reportSheetsFor(printedPages_);
  if (index < 0 || index >= static_cast<int>(sheets.size())) return;
  const window::ReportSheet& sheet = sheets[static_cast<std::size_t>(index)];
  QRect boxes = area;
  if (sheet.title) {
    painter.save();
    QFont font = painter.font();
    font.setPointSize(14);
    font.setBold(true);
    painter.setFont(font);
    const int height = painter.fontMetrics().height() * 2;
    painter.drawText(QRect(area.left(), area.top(), area.width(), height), Qt::AlignCenter, title_);
    painter.restore();
    boxes.setTop(area.top() + height);
  }
  // Two boxes one above the other; each picture keeps its proportions.
  const int boxHeight = boxes.height() / 2;
  const std::vector<int> shown = window::sheetPictures(sheet, printedPages_);
  for (int slot = 0; slot < 2; ++slot) {
    const int picture = sheet.pictures[static_cast<std::size_t>(slot)];
    if (picture < 0 || std::find(shown.begin(), shown.end(), picture) == shown.end()) continue;
    const QImage image(
        QDir(folder_).filePath(QString::fromStdString(window::pagePictureName(picture))));
    if (image.isNull()) continue;
    const QRect box(boxes.left(), boxes.top() + slot * boxHeight, boxes.width(), boxHeight);
    const QSize size = image.size().scaled(box.size(), Qt::KeepAspectRatio);
    const QRect target(box.left() + (box.width() - size.width()) / 2, box.top(), size.width(),
                       size.height());
    painter.drawImage(target, image);
  }
}

bool CodeplugReport::print(QPrinter& printer) const {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  const QRect area(0, 0, page.width(), page.height());
  for (int sheet = 0; sheet < sheetCount(); ++sheet) {
    if (sheet > 0) printer.newPage();
    drawSheet(painter, area, sheet);
  }
  return painter.end();
}

bool CodeplugReport::exportPdf(const QString& path) const {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setDocName(title_);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
  return print(printer);
}

}  // namespace zelta::ui
