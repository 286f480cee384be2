#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "errors/result_code.h"
#include "window/comm_settings.h"

namespace zelta::window {

// Passwords are typed as at most ten letters, digits and spaces, letters in
// upper case: the characters the scrambling table holds.
inline constexpr std::size_t kPasswordLength = 10;

// The character as it enters a password field, or 0 when it is dropped.
char passwordCharacter(char typed);

// Text as a password field keeps it: upper case, other characters dropped,
// at most ten.
std::string passwordText(std::string_view typed);

// The two uses of the password dialog.
enum class PasswordUse { Software, Pager };

struct PasswordCaptions {
  std::string_view window;
  std::string_view label;
};

// Pager password: "Enter New Password" while the download password is being
// edited on its page, else "Enter Current Password".
PasswordCaptions passwordCaptions(PasswordUse use, bool downloadPasswordBeingEdited);

// The start-up check runs only when a software password is configured.
bool startupPasswordRequired(const CommSettings& settings);

// 0 when typed is the configured software password, -105 otherwise.
errors::ResultCode checkSoftwarePassword(std::string_view typed, const CommSettings& settings);

}  // namespace zelta::window
