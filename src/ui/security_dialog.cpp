#include "ui/security_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/qt_text.h"
#include "ui/text_filter_validator.h"

namespace zelta::ui {

TFmSecurity::TFmSecurity(window::PasswordUse use, bool downloadPasswordBeingEdited, QWidget* parent)
    : QDialog(parent), use_(use) {
  setObjectName("FmSecurity");
  const window::PasswordCaptions captions =
      window::passwordCaptions(use, downloadPasswordBeingEdited);
  setWindowTitle(qs(captions.window));

  auto* label = new QLabel(qs(captions.label), this);
  label->setObjectName("lb_password");
  edit_ = new QLineEdit(this);
  edit_->setObjectName("pwdLabelEdit");
  edit_->setEchoMode(QLineEdit::Password);
  edit_->setMaxLength(static_cast<int>(window::kPasswordLength));
  edit_->setValidator(new TextFilterValidator(
      [](std::string_view typed) { return window::passwordText(typed); }, edit_));
  edit_->setMinimumWidth(edit_->fontMetrics().horizontalAdvance(QString(20, 'W')));
  label->setBuddy(edit_);

  submit_ = new QPushButton("Submit", this);
  submit_->setObjectName("btnSubmit");
  submit_->setDefault(true);
  clear_ = new QPushButton("Clear", this);
  clear_->setObjectName("btnClear");
  clear_->setAutoDefault(false);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(submit_);
  buttons->addWidget(clear_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(edit_);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(edit_, &QLineEdit::returnPressed, this, [this] {
    submit_->setFocus();
    submit();
  });
  connect(submit_, &QPushButton::clicked, this, &TFmSecurity::submit);
  connect(clear_, &QPushButton::clicked, edit_, &QLineEdit::clear);
  setTabOrder(edit_, submit_);
  setTabOrder(submit_, clear_);
  edit_->setFocus();
}

void TFmSecurity::checkAgainst(const window::CommSettings& settings, errors::Reporter& reporter) {
  settings_ = &settings;
  reporter_ = &reporter;
}

void TFmSecurity::submit() {
  if (result_ != -1) return;  // Enter and the button's click arrive together
  password_ = edit_->text().toStdString();
  if (use_ == window::PasswordUse::Software) {
    result_ = settings_ != nullptr ? window::checkSoftwarePassword(password_, *settings_)
                                   : errors::code::WrongEntryPassword;
    if (result_ != errors::code::Ok && reporter_ != nullptr) reporter_->ReportCode(result_);
    done(result_ == errors::code::Ok ? Accepted : Rejected);
    return;
  }
  // The pager is given a moment before the link goes on.
  result_ = errors::code::Ok;
  edit_->setEnabled(false);
  submit_->setEnabled(false);
  clear_->setEnabled(false);
  QTimer::singleShot(submitPauseMs_, this, &QDialog::accept);
}

errors::ResultCode askStartupPassword(const window::CommSettings& settings,
                                      errors::Reporter& reporter, QWidget* parent) {
  if (!window::startupPasswordRequired(settings)) return errors::code::Ok;
  TFmSecurity dialog(window::PasswordUse::Software, false, parent);
  dialog.checkAgainst(settings, reporter);
  dialog.exec();
  return dialog.resultCode();
}

void askPagerPassword(link::PasswordField& field, bool downloadPasswordBeingEdited, QWidget* parent,
                      int submitPauseMs) {
  TFmSecurity dialog(window::PasswordUse::Pager, downloadPasswordBeingEdited, parent);
  dialog.setSubmitPauseMs(submitPauseMs);
  dialog.exec();
  if (dialog.resultCode() == errors::code::Ok) field = dialog.passwordField();
}

}  // namespace zelta::ui
