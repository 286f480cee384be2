#include "window/password_entry.h"

namespace zelta::window {

char passwordCharacter(char typed) {
  if (typed >= 'a' && typed <= 'z') return static_cast<char>(typed - 'a' + 'A');
  if ((typed >= 'A' && typed <= 'Z') || (typed >= '0' && typed <= '9') || typed == ' ') {
    return typed;
  }
  return 0;
}

std::string passwordText(std::string_view typed) {
  std::string text;
  for (const char c : typed) {
    if (text.size() == kPasswordLength) break;
    if (const char kept = passwordCharacter(c); kept != 0) text.push_back(kept);
  }
  return text;
}

PasswordCaptions passwordCaptions(PasswordUse use, bool downloadPasswordBeingEdited) {
  if (use == PasswordUse::Software) return {"SOFTWARE PASSWORD", "Enter Software Password"};
  return {"PASSWORD",
          downloadPasswordBeingEdited ? "Enter New Password" : "Enter Current Password"};
}

bool startupPasswordRequired(const CommSettings& settings) {
  return !settings.softwarePassword.empty();
}

errors::ResultCode checkSoftwarePassword(std::string_view typed, const CommSettings& settings) {
  return typed == settings.softwarePassword ? errors::code::Ok : errors::code::WrongEntryPassword;
}

}  // namespace zelta::window
