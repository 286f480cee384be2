#include "ui/help_opener.h"

#include <QMessageBox>
#include <filesystem>
#include <system_error>

#include "ui/help_viewer.h"
#include "ui/qt_text.h"
#include "version.h"
#include "window/help_file.h"

namespace zelta::ui {

HelpOpener::HelpOpener(QString programFolder)
    : programFolder_(std::move(programFolder)),
      ownOpener_(std::make_unique<DesktopUrlOpener>()),
      opener_(*ownOpener_) {}

HelpOpener::HelpOpener(QString programFolder, UrlOpener& opener)
    : programFolder_(std::move(programFolder)), opener_(opener) {}

HelpOpener::~HelpOpener() {
  // The viewer belongs to its parent window, which may outlive this object.
  delete viewer_.data();
}

void HelpOpener::open(QWidget* parent) const {
  const window::HelpRequest request = window::helpRequest(programFolder_.toStdString());
  if (!request.missingMessage.empty()) {
    QMessageBox box(QMessageBox::NoIcon, qs(kProgramTitle),
                    QString::fromStdString(request.missingMessage), QMessageBox::Ok, parent);
    box.exec();
  }
  const QUrl guide = QUrl::fromLocalFile(QString::fromStdString(request.file.string()));
  if (opener_.openUrl(guide)) return;
  // A missing guide has been named in the box above; there is nothing to show.
  std::error_code ec;
  if (std::filesystem::is_regular_file(request.file, ec)) showViewer(guide, parent);
}

void HelpOpener::showViewer(const QUrl& guide, QWidget* parent) const {
  if (viewer_ == nullptr) {
    viewer_ = new HelpViewer(guide, parent);
    viewer_->setAttribute(Qt::WA_DeleteOnClose);
  }
  viewer_->show();
  viewer_->raise();
  viewer_->activateWindow();
}

}  // namespace zelta::ui
