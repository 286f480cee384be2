#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zelta::codes {

// A pager code (capcode) is a POCSAG address. Addresses 0 to 7 are not
// handed out to pagers; the address field is 21 bits wide.
inline constexpr std::uint32_t kMinCapcode = 8;
inline constexpr std::uint32_t kMaxCapcode = 2097151;  // 0x1FFFFF
inline constexpr std::size_t kCapcodeWidth = 7;

// How the settings hold an empty code, and how the page shows one.
inline constexpr std::string_view kBlankCapcode = "       ";
inline constexpr std::string_view kNoneCapcode = "NONE   ";

// True when the text holds no code: blanks only, or "NONE" as an empty code
// is shown.
bool capcodeBlank(std::string_view text);

struct Capcode {
  enum class State { Blank, Valid, Invalid };
  State state = State::Blank;
  // Blank: seven spaces. Valid: seven digits with leading zeros ("0000008").
  // Invalid: the text as given, padded with spaces to seven characters.
  std::string text;
  std::uint32_t address = 0;  // Valid only

  bool present() const { return state != State::Blank; }
  bool valid() const { return state == State::Valid; }
};

// The capcode rule of the Code pages: a blank or "NONE" text is no code;
// any other text must be a decimal number from 8 to 2097151.
Capcode normaliseCapcode(std::string_view text);

// The POCSAG frame (0-7) a pager with this address listens in.
constexpr int pocsagFrame(std::uint32_t address) {
  return static_cast<int>(address % 8);
}

}  // namespace zelta::codes
