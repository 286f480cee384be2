#include "ui/help_viewer.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/qt_text.h"
#include "version.h"

namespace zelta::ui {

HelpViewer::HelpViewer(const QUrl& guide, QWidget* parent)
    : QDialog(parent), browser_(new QTextBrowser(this)) {
  setObjectName("helpViewer");
  setWindowTitle(qs(kProgramTitle) + QStringLiteral(" - Help"));
  browser_->setObjectName("helpBrowser");
  browser_->setOpenExternalLinks(true);
  browser_->setSource(guide);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->button(QDialogButtonBox::Close)->setObjectName("closeButton");
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(browser_);
  layout->addWidget(buttons);
  // Wide enough for the guide's tables at a reading width; the user may
  // make it larger.
  const int line = fontMetrics().height();
  resize(line * 48, line * 36);
}

}  // namespace zelta::ui
