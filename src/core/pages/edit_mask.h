#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelta::pages {

// An edit mask of the form "<positions>;<save literals>;<blank>", e.g.
// ">llll;1;_" (four letters forced to upper case, blanks shown as "_") or
// "999.99999;1;0" (three digits, a fixed point, five digits, blanks "0").
//
// Position characters: L/l letter, A/a letter or digit, C/c any character,
// 0/9 digit, # digit or sign (upper case: required, lower case: optional);
// ">" upper-cases and "<" lower-cases what follows, "<>" ends that; "\"
// makes the next character a literal; anything else is a literal.
class EditMask {
 public:
  enum class Slot : std::uint8_t { Literal, Letter, LetterOrDigit, Any, Digit, DigitOrSign };
  enum class Case : std::uint8_t { AsTyped, Upper, Lower };

  struct Position {
    Slot slot = Slot::Literal;
    bool required = false;
    Case caseConversion = Case::AsTyped;
    char literal = 0;
  };

  // nullopt for a mask without positions.
  static std::optional<EditMask> parse(std::string_view mask);

  std::size_t length() const { return positions_.size(); }
  const Position& at(std::size_t index) const { return positions_.at(index); }
  bool savesLiterals() const { return savesLiterals_; }
  char blank() const { return blank_; }

  // The character as it enters the field at `index`, case-converted, or
  // nullopt when the position does not take it (literals take nothing).
  std::optional<char32_t> accept(std::size_t index, char32_t ch) const;

  // The text shown for a stored value: literals in their places, every
  // position the value leaves empty (missing or a space) shown as the blank.
  std::string display(std::string_view stored) const;

 private:
  std::vector<Position> positions_;
  bool savesLiterals_ = true;
  char blank_ = '_';
};

}  // namespace zelta::pages
