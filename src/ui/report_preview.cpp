#include "ui/report_preview.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrinter>
#include <QToolBar>
#include <utility>

namespace zelta::ui {

namespace {

// "a.cp" gives "a.pdf"; a read pager's "NONAME1" gives "NONAME1.pdf".
QString pdfName(const QString& title) {
  const QString base = QFileInfo(title).completeBaseName();
  return (base.isEmpty() ? QStringLiteral("report") : base) + QStringLiteral(".pdf");
}

}  // namespace

ReportPreview::ReportPreview(const CodeplugReport& report, QString pdfFolder, QWidget* parent)
    : QPrintPreviewDialog(parent), report_(report), pdfFolder_(std::move(pdfFolder)) {
  setWindowTitle(QStringLiteral("Print Preview - %1").arg(report_.title()));
  printer()->setDocName(report_.title());
  printer()->setPageSize(QPageSize(QPageSize::A4));
  printer()->setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
  connect(this, &QPrintPreviewDialog::paintRequested, this,
          [this](QPrinter* printer) { report_.print(*printer); });
  exportPdf_ = new QAction(QStringLiteral("Export PDF…"), this);
  exportPdf_->setObjectName("exportPdf");
  exportPdf_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  exportPdf_->setToolTip(QStringLiteral("Save the report as a PDF file (Ctrl+E)"));
  connect(exportPdf_, &QAction::triggered, this, [this] { exportPdf(); });
  addAction(exportPdf_);
  if (auto* bar = findChild<QToolBar*>()) {
    bar->addSeparator();
    bar->addAction(exportPdf_);
  }
}

std::optional<QString> ReportPreview::choosePdfFile(const QString& suggested) {
  if (choosePdf_) return choosePdf_(suggested);
  const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("Export PDF"), suggested,
                                                    QStringLiteral("PDF files (*.pdf)"));
  if (file.isEmpty()) return std::nullopt;
  return file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive) ? file
                                                                    : file + QStringLiteral(".pdf");
}

bool ReportPreview::exportPdf() {
  const std::optional<QString> file =
      choosePdfFile(QDir(pdfFolder_).filePath(pdfName(report_.title())));
  if (!file) return false;
  if (report_.exportPdf(*file)) return true;
  QMessageBox::warning(this, QStringLiteral("Export PDF"),
                       QStringLiteral("The PDF file could not be written:\n%1").arg(*file));
  return false;
}

}  // namespace zelta::ui
