#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "errors/result_code.h"

namespace zelta::codeplug {
class SettingsRecord;
}

namespace zelta::pages {

// The user password of family F pagers is a sequence of two to eight presses
// of the pager's four direction keys, held as digits "0"-"3":
//   0 = left, 1 = right, 2 = up, 3 = down.
enum class PagerKey : char { Left = '0', Right = '1', Up = '2', Down = '3' };

inline constexpr std::size_t kUserPasswordMinKeys = 2;
inline constexpr std::size_t kUserPasswordMaxKeys = 8;

// What the keypad stores on "Save".
struct UserPassword {
  std::string digits;        // "023"
  int length = 0;            // number of keys
  std::uint32_t packed = 0;  // two bits a key, the first key in the highest bits
  int lengthCode = 0;        // length - 2
};

// The key-letter display: "L. ", "R. ", "U. ", "D. " per digit, in order.
// Characters other than "0"-"3" show nothing.
std::string keyLetters(std::string_view digits);

// Sum of digit i times 4^(n-i), i = 1..n: "023" packs to 0*16 + 2*4 + 3 = 11.
std::uint32_t packUserPassword(std::string_view digits);

// "Save" on the keypad: the settings take the digits and their count; the
// image gets the packed keys and the length code from them when it is built.
void storeUserPassword(const UserPassword& password, codeplug::SettingsRecord& settings);

// The keypad's editing state: keys append up to eight digits, Backspace and
// Delete All remove, Save is offered from two digits on.
class UserPasswordKeypad {
 public:
  explicit UserPasswordKeypad(std::string_view digits = {});

  void press(PagerKey key);  // a ninth press is ignored
  void backspace();
  void deleteAll();

  const std::string& digits() const { return digits_; }
  std::string display() const { return keyLetters(digits_); }
  bool canSave() const { return digits_.size() >= kUserPasswordMinKeys; }

  // -126 with fewer than two digits (nothing is stored); otherwise 0 and the
  // password to store.
  errors::ResultCode save(UserPassword& out) const;

 private:
  std::string digits_;
};

}  // namespace zelta::pages
