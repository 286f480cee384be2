#pragma once

#include <QPrintPreviewDialog>
#include <QString>
#include <functional>
#include <optional>

#include "ui/codeplug_report.h"

class QAction;

namespace zelta::ui {

// The report on screen: Qt's print preview of the sheets, from which the
// user prints, with "Export PDF…" in its tool bar for the same sheets as a
// PDF file.
class ReportPreview : public QPrintPreviewDialog {
  Q_OBJECT

 public:
  // Chooses the PDF file to write; nothing when the user cancels. The
  // default is the desktop's save dialog.
  using PdfChooser = std::function<std::optional<QString>(const QString& suggested)>;

  ReportPreview(const CodeplugReport& report, QString pdfFolder, QWidget* parent = nullptr);

  void setPdfChooser(PdfChooser chooser) { choosePdf_ = std::move(chooser); }
  QAction* exportPdfAction() const { return exportPdf_; }

  // "Export PDF…": chooses the file and writes it; a file that cannot be
  // written is told in a box. True when written.
  bool exportPdf();

 private:
  std::optional<QString> choosePdfFile(const QString& suggested);

  const CodeplugReport& report_;
  QString pdfFolder_;
  PdfChooser choosePdf_;
  QAction* exportPdf_ = nullptr;
};

}  // namespace zelta::ui
