#include "ui/qt_reporter.h"

#include <QMessageBox>
#include <QString>

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

}  // namespace

void QtReporter::showMessage(const errors::Message& message) {
  if (quiet_) return;
  QMessageBox box(iconOf(message.boxClass), QString::fromStdString(message.caption),
                  QString::fromStdString(message.text), QMessageBox::Ok, parent_);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

bool QtReporter::askQuestion(std::optional<errors::ResultCode> /*code*/,
                             const errors::Question& question) {
  if (quiet_) return false;
  QMessageBox box(QMessageBox::Warning, QString::fromStdString(question.caption),
                  QString::fromStdString(question.text), QMessageBox::Yes | QMessageBox::No,
                  parent_);
  box.setWindowModality(Qt::ApplicationModal);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace zelta::ui
