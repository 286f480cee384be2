#include "pages/user_password.h"

#include "codeplug/settings_record.h"

namespace zelta::pages {

std::string keyLetters(std::string_view digits) {
  static constexpr std::string_view kLetters[] = {"L. ", "R. ", "U. ", "D. "};
  std::string shown;
  for (char d : digits) {
    if (d >= '0' && d <= '3') shown += kLetters[d - '0'];
  }
  return shown;
}

std::uint32_t packUserPassword(std::string_view digits) {
  std::uint32_t packed = 0;
  for (char d : digits) {
    const std::uint32_t key = (d >= '0' && d <= '3') ? static_cast<std::uint32_t>(d - '0') : 0U;
    packed = packed * 4U + key;
  }
  return packed;
}

void storeUserPassword(const UserPassword& password, codeplug::SettingsRecord& settings) {
  settings.cpwFc_Password = password.digits;
  settings.userPasswordKeyCount = password.length;
}

UserPasswordKeypad::UserPasswordKeypad(std::string_view digits) {
  for (char d : digits) {
    if (d >= '0' && d <= '3' && digits_.size() < kUserPasswordMaxKeys) digits_ += d;
  }
}

void UserPasswordKeypad::press(PagerKey key) {
  if (digits_.size() < kUserPasswordMaxKeys) digits_ += static_cast<char>(key);
}

void UserPasswordKeypad::backspace() {
  if (!digits_.empty()) digits_.pop_back();
}

void UserPasswordKeypad::deleteAll() {
  digits_.clear();
}

errors::ResultCode UserPasswordKeypad::save(UserPassword& out) const {
  if (!canSave()) return errors::code::IllegalPasswordLength;
  out.digits = digits_;
  out.length = static_cast<int>(digits_.size());
  out.packed = packUserPassword(digits_);
  out.lengthCode = out.length - 2;
  return errors::code::Ok;
}

}  // namespace zelta::pages
