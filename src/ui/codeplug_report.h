#pragma once

#include <QString>

class QPainter;
class QPrinter;
class QRect;

namespace zelta::ui {

// The codeplug report: the page pictures the window captured into folder,
// two to a sheet, with the codeplug's name as the title of the first sheet.
class CodeplugReport {
 public:
  CodeplugReport(QString folder, int printedPages, QString title);

  const QString& folder() const { return folder_; }
  int printedPages() const { return printedPages_; }
  const QString& title() const { return title_; }

  // The sheets for the printed page count.
  int sheetCount() const;
  // Draws one sheet (0 = the first) into area: the title on the first, then
  // two boxes one above the other. A picture file that is missing leaves its
  // box empty.
  void drawSheet(QPainter& painter, const QRect& area, int sheet) const;

  // Draws every sheet onto printer, one sheet a page. False when the printer
  // cannot be painted on (a PDF file that cannot be written).
  bool print(QPrinter& printer) const;
  // The same sheets as an A4 PDF file. False when the file cannot be written.
  bool exportPdf(const QString& path) const;

 private:
  QString folder_;
  int printedPages_;
  QString title_;
};

}  // namespace zelta::ui
