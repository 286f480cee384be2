#pragma once

#include <QDialog>
#include <string>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "errors/reporter.h"
#include "link/link_state.h"
#include "window/comm_settings.h"
#include "window/password_entry.h"
#pragma pop_macro("slots")

class QLabel;
class QLineEdit;
class QPushButton;

namespace zelta::ui {

// The password dialog, in its two uses: the software password that guards
// start-up, and the pager's download password the link asks for.
class TFmSecurity : public QDialog {
  Q_OBJECT

 public:
  TFmSecurity(window::PasswordUse use, bool downloadPasswordBeingEdited, QWidget* parent = nullptr);

  // Software password: compared with this on submit; a wrong one is
  // reported through reporter.
  void checkAgainst(const window::CommSettings& settings, errors::Reporter& reporter);
  // Pager password: the pause between submit and closing (one second).
  void setSubmitPauseMs(int ms) { submitPauseMs_ = ms; }

  // -1 until submitted; software password: 0 or -105; pager password: 0.
  errors::ResultCode resultCode() const { return result_; }
  // The submitted text.
  const std::string& password() const { return password_; }
  // Pager password: the ten bytes the pager is sent.
  link::PasswordField passwordField() const { return link::makePasswordField(password_); }

  QLineEdit* passwordEdit() const { return edit_; }

 private:
  void submit();

  window::PasswordUse use_;
  const window::CommSettings* settings_ = nullptr;
  errors::Reporter* reporter_ = nullptr;
  int submitPauseMs_ = 1000;
  errors::ResultCode result_ = -1;
  std::string password_;
  QLineEdit* edit_ = nullptr;
  QPushButton* submit_ = nullptr;
  QPushButton* clear_ = nullptr;
};

// The start-up check: 0 when no software password is configured or the
// right one was given; -105 (reported) for a wrong one; -1 when the dialog
// was closed without submitting. Anything but 0 keeps the window closed.
errors::ResultCode askStartupPassword(const window::CommSettings& settings,
                                      errors::Reporter& reporter, QWidget* parent = nullptr);

// The pager password: fills field with what the operator submitted; a
// dialog closed without submitting leaves field as it was.
void askPagerPassword(link::PasswordField& field, bool downloadPasswordBeingEdited,
                      QWidget* parent = nullptr, int submitPauseMs = 1000);

}  // namespace zelta::ui
