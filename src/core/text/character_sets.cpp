#include "text/character_sets.h"

#include <algorithm>

#include "text/languages.h"

namespace zelta::text {
namespace {

// clang-format off
constexpr std::array<RemapRow, kCharacterSets> kRemapRows{{
    //  #     $     @     [     \     ]     ^     _     `     {     |     }     ~    DEL
    {0x23, 0x24, 0x40, 0x5B, 0x5C, 0x5D, 0x5E, 0x5F, 0x60, 0x7B, 0x7C, 0x7D, 0x7E, 0x20},  // US
    {0x81, 0x24, 0x83, 0x8A, 0x8B, 0x90, 0x94, 0x95, 0x96, 0x99, 0x9D, 0x9F, 0xA3, 0x20},  // Swiss
    {0x23, 0x24, 0x40, 0x7F, 0x8E, 0x92, 0x5E, 0x5F, 0x60, 0x99, 0x9D, 0x9F, 0xA0, 0x20},  // German
    {0x80, 0x24, 0x83, 0x87, 0x8B, 0x84, 0x5E, 0x5F, 0x60, 0x8A, 0x81, 0x95, 0xA1, 0x20},  // French
    {0x23, 0x24, 0x40, 0x87, 0x5C, 0x8A, 0x5E, 0x5F, 0x81, 0x83, 0x9C, 0x95, 0xA2, 0x20},  // Italian
    {0x82, 0x24, 0x40, 0x89, 0x8D, 0x8F, 0x93, 0x5F, 0x97, 0x8B, 0x9B, 0x92, 0x9F, 0x20},  // Spanish
    {0x80, 0x24, 0x40, 0x89, 0x8F, 0x8B, 0x7F, 0x5F, 0x60, 0x99, 0x93, 0x8E, 0x9D, 0x20},  // Portuguese
    {0x80, 0x24, 0x86, 0x7F, 0x8E, 0x91, 0x92, 0x5F, 0x8A, 0x99, 0x9D, 0x9E, 0x9F, 0x20},  // Swedish
    {0x23, 0x24, 0x84, 0x88, 0x8C, 0x91, 0x5E, 0x5F, 0x60, 0x98, 0x9A, 0x9E, 0xA1, 0x20},  // Norwegian
    {0x23, 0x24, 0x84, 0x88, 0x8C, 0x91, 0x5E, 0x5F, 0x60, 0x98, 0x9A, 0x9E, 0xA1, 0x20},  // Danish
    {0x80, 0x24, 0x85, 0x5B, 0x5C, 0x5D, 0x5E, 0x5F, 0x60, 0x7B, 0x7C, 0x7D, 0x7E, 0x20},  // UK
}};
// clang-format on

// The character sets each table language shows properly; the ideographic
// and Thai languages match none.
constexpr std::uint16_t bit(int characterSet) {
  return static_cast<std::uint16_t>(1U << characterSet);
}
constexpr std::array<std::uint16_t, kTableLanguages> kCompatibleSets{
    bit(charset::us) | bit(charset::uk),             // English
    bit(charset::german),                            // German
    bit(charset::swiss),                             // German/Swiss
    bit(charset::french),                            // French
    bit(charset::swedish),                           // Swedish
    bit(charset::norwegian) | bit(charset::danish),  // Danish
    bit(charset::norwegian) | bit(charset::danish),  // Norwegian
    bit(charset::portuguese),                        // European Portuguese
    bit(charset::portuguese),                        // LA & C Portuguese
    bit(charset::spanish),                           // European Spanish
    bit(charset::spanish),                           // LA & C Spanish
    bit(charset::italian),                           // Italian
    bit(charset::swedish),                           // Finnish
    bit(charset::us) | bit(charset::uk) | bit(charset::norwegian) | bit(charset::danish),  // Dutch
    bit(charset::us) | bit(charset::uk),                                                   // Malay
};

constexpr std::uint8_t kRawPad = '!';
constexpr std::uint8_t kThaiRawPad = 0xA0;

}  // namespace

const RemapRow& characterSetRow(int characterSet) {
  if (characterSet < 0 || characterSet >= kCharacterSets) return kRemapRows[charset::us];
  return kRemapRows[static_cast<std::size_t>(characterSet)];
}

int characterSetFromImage(std::span<const std::uint8_t, kRemapRowBytes> bytes, int language) {
  int found = charset::us;
  for (int i = 0; i < kCharacterSets; ++i) {
    if (std::equal(bytes.begin(), bytes.end(), kRemapRows[static_cast<std::size_t>(i)].begin())) {
      found = i;
      break;
    }
  }
  if (language == lang::danish && found == charset::norwegian) found = charset::danish;
  if (language == lang::italian) found = charset::italian;
  return found;
}

bool languageMatchesCharacterSet(int language, int characterSet) {
  if (!hasDefaultTables(language) || characterSet < 0 || characterSet >= kCharacterSets) {
    return false;
  }
  return (kCompatibleSets[static_cast<std::size_t>(language)] & bit(characterSet)) != 0;
}

errors::ResultCode checkLanguageCharacterSet(int language, int characterSet,
                                             errors::Reporter& reporter) {
  if (languageMatchesCharacterSet(language, characterSet)) return errors::code::Ok;
  reporter.ReportCode(errors::code::CharacterSetMismatch);
  return errors::code::CharacterSetMismatch;
}

std::optional<std::size_t> firstInvalidLeadByte(std::span<const std::uint8_t> prompt) {
  const std::size_t end = std::min(prompt.size(), kRawTwoBytePromptBytes);
  for (std::size_t i = 0; i < end; i += 2) {
    const std::uint8_t lead = prompt[i];
    if ((lead >= 0x2D && lead <= 0x2F) || lead > 0x48) return i;
  }
  return std::nullopt;
}

errors::ResultCode checkRawPromptLeadBytes(std::span<const std::uint8_t> powerUp,
                                           std::span<const std::uint8_t> disable,
                                           errors::Reporter& reporter) {
  if (!firstInvalidLeadByte(powerUp) && !firstInvalidLeadByte(disable)) return errors::code::Ok;
  reporter.ReportCode(errors::code::InvalidPromptCharacter);
  return errors::code::InvalidPromptCharacter;
}

std::uint8_t rawPadByte(int language) {
  return language == lang::thai ? kThaiRawPad : kRawPad;
}

void writeRawPrompt(std::span<std::uint8_t> field, std::string_view text, int language) {
  const std::size_t copied = std::min(field.size(), text.size());
  std::copy_n(text.begin(), copied, field.begin());
  std::fill(field.begin() + static_cast<std::ptrdiff_t>(copied), field.end(), rawPadByte(language));
}

void writeFullWidthRawPrompt(std::span<std::uint8_t> field, std::string_view text) {
  constexpr std::uint8_t kFullWidthRow = 0x23;
  constexpr std::uint8_t kIdeographicSpace = 0x21;
  std::fill(field.begin(), field.end(), kRawPad);
  const std::size_t chars = std::min(field.size() / 2, text.size());
  for (std::size_t i = 0; i < chars; ++i) {
    const auto c = static_cast<std::uint8_t>(text[i]);
    const bool shown = c > 0x20 && c < 0x7F;
    field[2 * i] = shown ? kFullWidthRow : kIdeographicSpace;
    field[2 * i + 1] = shown ? c : kIdeographicSpace;
  }
}

}  // namespace zelta::text
