#pragma once

#include <QString>

class QPrinter;

namespace zelta::ui {

// The codeplug report: the page pictures the window captured into folder,
// two to a sheet, with the codeplug's name as the title of the first sheet.
class CodeplugReport {
 public:
  CodeplugReport(QString folder, int printedPages, QString title);

  // Draws every sheet onto printer, one sheet a page. A picture file that is
  // missing leaves its box empty.
  void print(QPrinter& printer) const;
  // The same sheets as a PDF file. False when the file cannot be written.
  bool exportPdf(const QString& path) const;

 private:
  QString folder_;
  int printedPages_;
  QString title_;
};

}  // namespace zelta::ui
