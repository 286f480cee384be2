#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "fuzz_bytes.h"
#include "pages/edit_mask.h"
#include "pages/field_catalog.h"
#include "pages/key_filter.h"

namespace zelta::fuzzing {

// A few characters beyond ASCII that a keyboard or a paste can bring: the
// prompt fields of some models take them, every other field must refuse
// them without harm.
inline constexpr std::array<char32_t, 8> kWideKeys{U'\u00C4', U'\u00E9', U'\u00DF', U'\u00A5',
                                                   U'\u0E01', U'\u3042', U'\u4E00', U'\uFF21'};

// A key from one input byte: mostly printable ASCII.
inline char32_t keyOf(std::uint8_t byte) {
  if (byte >= 0xF8) return kWideKeys[byte - 0xF8];
  return static_cast<char32_t>(0x20 + byte % 0x5F);
}

inline void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Characters of a text the front end shows (UTF-8 as the views give it).
inline std::vector<char32_t> characters(const std::string& text) {
  std::vector<char32_t> out;
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    const std::size_t length = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? b : b & (0xFF >> (length + 1));
    for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
      c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    out.push_back(c);
    i += length;
  }
  return out;
}

inline std::string utf8(const std::vector<char32_t>& chars) {
  std::string out;
  for (char32_t c : chars) appendUtf8(out, c);
  return out;
}

// A text field edited as the window lets one edit it, from what it shows:
// keys typed at a position through the key filter within the maximum
// length, Backspace, or the whole text selected and deleted.
inline std::string typeIntoText(const pages::FieldEntry& field, const std::string& shown,
                                const pages::KeyContext& context, FuzzBytes& bytes) {
  std::vector<char32_t> chars = characters(shown);
  const std::size_t edits = bytes.below(24);
  for (std::size_t i = 0; i < edits; ++i) {
    const std::uint8_t op = bytes.next();
    const std::size_t at = bytes.below(chars.size() + 1);
    if (op < 0x10) {
      chars.clear();
    } else if (op < 0x30) {
      if (at > 0 && pages::typeCharacter(field, pages::kBackspace, context))
        chars.erase(chars.begin() + static_cast<std::ptrdiff_t>(at - 1));
    } else {
      const std::optional<char32_t> typed =
          pages::typeCharacter(field, keyOf(bytes.next()), context);
      const bool room =
          field.maxLength <= 0 || chars.size() < static_cast<std::size_t>(field.maxLength);
      if (typed && room) chars.insert(chars.begin() + static_cast<std::ptrdiff_t>(at), *typed);
    }
  }
  return utf8(chars);
}

// A masked field: its positions overtyped through the mask, or blanked
// where the field lets Backspace and Delete through.
inline std::string typeIntoMask(const pages::FieldEntry& field, const std::string& shown,
                                const pages::KeyContext& context, FuzzBytes& bytes) {
  const std::optional<pages::EditMask> mask = pages::EditMask::parse(field.mask);
  if (!mask) return shown;
  std::vector<char32_t> chars = characters(mask->display(shown));
  if (chars.size() != mask->length()) return shown;
  const std::size_t edits = bytes.below(16);
  for (std::size_t i = 0; i < edits; ++i) {
    const std::uint8_t op = bytes.next();
    std::size_t at = bytes.below(chars.size());
    while (at < chars.size() && mask->at(at).slot == pages::EditMask::Slot::Literal) ++at;
    if (at >= chars.size()) continue;
    if (op < 0x20) {
      if (!pages::editKeySwallowed(field, pages::EditKey::Delete))
        chars[at] = static_cast<char32_t>(mask->blank());
    } else if (const std::optional<char32_t> typed =
                   pages::typeCharacter(field, keyOf(bytes.next()), context, at)) {
      chars[at] = *typed;
    }
  }
  return utf8(chars);
}

}  // namespace zelta::fuzzing
