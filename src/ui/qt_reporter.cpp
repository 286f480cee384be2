#include "ui/qt_reporter.h"

#include <QMessageBox>
#include <QString>
#include <string>

namespace zelta::ui {
namespace {

QMessageBox::Icon iconOf(errors::BoxClass boxClass) {
  switch (boxClass) {
    case errors::BoxClass::Warning: return QMessageBox::Warning;
    case errors::BoxClass::Information: return QMessageBox::Information;
    case errors::BoxClass::Error: return QMessageBox::Critical;
  }
  return QMessageBox::Critical;
}

// A title bar has one line: the caption's own line feed ("** WARNING **\n")
// would show as a glyph there.
QString titleOf(const std::string& caption) {
  QString title = QString::fromStdString(caption);
  while (title.endsWith(QLatin1Char('\n'))) title.chop(1);
  return title;
}

}  // namespace

void QtReporter::showMessage(const errors::Message& message) {
  if (quiet_) return;
  QMessageBox box(iconOf(message.boxClass), titleOf(message.caption),
                  QString::fromStdString(message.text), QMessageBox::Ok, parent_);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

bool QtReporter::askQuestion(std::optional<errors::ResultCode> /*code*/,
                             const errors::Question& question) {
  if (quiet_) return false;
  QMessageBox box(QMessageBox::Warning, titleOf(question.caption),
                  QString::fromStdString(question.text), QMessageBox::Yes | QMessageBox::No,
                  parent_);
  box.setWindowModality(Qt::ApplicationModal);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace zelta::ui
