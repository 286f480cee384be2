#pragma once

#include <QDialog>
#include <optional>
#include <string_view>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "errors/reporter.h"
#include "pages/user_password.h"
#pragma pop_macro("slots")

class QLineEdit;
class QPushButton;

namespace zelta::ui {

// "User Password" (TFmKeyboard): the pager's user password composed from
// its four direction keys, two to eight presses. "Save" with fewer than two
// keys reports -126 and keeps the window open; "Cancle" closes it without
// changes.
class KeypadDialog : public QDialog {
  Q_OBJECT

 public:
  // digits: the password the page holds ("0"-"3" per key).
  KeypadDialog(std::string_view digits, errors::Reporter& reporter, QWidget* parent = nullptr);

  // What "Save" stored; nothing after "Cancle" or while open.
  const std::optional<pages::UserPassword>& saved() const { return saved_; }

  // The "Save" button's action (the button itself is off below two keys).
  void save();

 private:
  void press(pages::PagerKey key);
  void showKeys();

  pages::UserPasswordKeypad keypad_;
  errors::Reporter& reporter_;
  std::optional<pages::UserPassword> saved_;
  QLineEdit* display_ = nullptr;
  QLineEdit* digits_ = nullptr;
  QPushButton* save_ = nullptr;
};

}  // namespace zelta::ui
