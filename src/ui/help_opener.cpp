#include "ui/help_opener.h"

#include <QMessageBox>

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

void HelpOpener::open(QWidget* parent) const {
  const window::HelpRequest request = window::helpRequest(programFolder_.toStdString());
  if (!request.missingMessage.empty()) {
    QMessageBox box(QMessageBox::NoIcon, qs(kProgramTitle),
                    QString::fromStdString(request.missingMessage), QMessageBox::Ok, parent);
    box.exec();
  }
  opener_.openUrl(QUrl::fromLocalFile(QString::fromStdString(request.file.string())));
}

}  // namespace zelta::ui
