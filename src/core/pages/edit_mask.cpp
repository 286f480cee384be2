#include "pages/edit_mask.h"

namespace zelta::pages {
namespace {

bool isAsciiLetter(char32_t c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isAsciiDigit(char32_t c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::optional<EditMask> EditMask::parse(std::string_view mask) {
  EditMask result;
  Case caseConversion = Case::AsTyped;
  std::size_t i = 0;
  for (; i < mask.size() && mask[i] != ';'; ++i) {
    const char c = mask[i];
    Position p;
    p.caseConversion = caseConversion;
    switch (c) {
      case '>': caseConversion = Case::Upper; continue;
      case '<':
        if (i + 1 < mask.size() && mask[i + 1] == '>') {
          caseConversion = Case::AsTyped;
          ++i;
        } else {
          caseConversion = Case::Lower;
        }
        continue;
      case '!': continue;  // blank-trimming direction: no effect on what is typed
      case '\\':
        if (++i == mask.size()) break;
        p.literal = mask[i];
        break;
      case 'L': p.required = true; [[fallthrough]];
      case 'l': p.slot = Slot::Letter; break;
      case 'A': p.required = true; [[fallthrough]];
      case 'a': p.slot = Slot::LetterOrDigit; break;
      case 'C': p.required = true; [[fallthrough]];
      case 'c': p.slot = Slot::Any; break;
      case '0': p.required = true; [[fallthrough]];
      case '9': p.slot = Slot::Digit; break;
      case '#': p.slot = Slot::DigitOrSign; break;
      case '_': p.literal = ' '; break;
      default: p.literal = c; break;
    }
    result.positions_.push_back(p);
  }
  if (result.positions_.empty()) return std::nullopt;

  // ";<save literals>;<blank>"
  std::string_view rest = i < mask.size() ? mask.substr(i + 1) : std::string_view{};
  if (!rest.empty()) {
    result.savesLiterals_ = rest.front() != '0';
    const std::size_t semi = rest.find(';');
    if (semi != std::string_view::npos && semi + 1 < rest.size()) result.blank_ = rest[semi + 1];
  }
  return result;
}

std::optional<char32_t> EditMask::accept(std::size_t index, char32_t ch) const {
  if (index >= positions_.size()) return std::nullopt;
  const Position& p = positions_[index];
  bool fits = false;
  switch (p.slot) {
    case Slot::Literal: return std::nullopt;
    case Slot::Letter: fits = isAsciiLetter(ch); break;
    case Slot::LetterOrDigit: fits = isAsciiLetter(ch) || isAsciiDigit(ch); break;
    case Slot::Any: fits = ch >= 0x20; break;
    case Slot::Digit: fits = isAsciiDigit(ch); break;
    case Slot::DigitOrSign: fits = isAsciiDigit(ch) || ch == '+' || ch == '-'; break;
  }
  if (!fits) return std::nullopt;
  if (p.caseConversion == Case::Upper && ch >= 'a' && ch <= 'z') return ch - 'a' + 'A';
  if (p.caseConversion == Case::Lower && ch >= 'A' && ch <= 'Z') return ch - 'A' + 'a';
  return ch;
}

std::string EditMask::display(std::string_view stored) const {
  std::string shown;
  shown.reserve(positions_.size());
  std::size_t next = 0;  // next character of the stored value
  for (const Position& p : positions_) {
    if (p.slot == Slot::Literal) {
      shown.push_back(p.literal);
      if (savesLiterals_) ++next;  // the stored value carries the literal too
      continue;
    }
    const char c = next < stored.size() ? stored[next] : ' ';
    ++next;
    shown.push_back(c == ' ' ? blank_ : c);
  }
  return shown;
}

}  // namespace zelta::pages
