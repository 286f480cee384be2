#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "models/models.h"

namespace zelta::text {

// The pager shows prompts from a 64-entry table of 6-bit codes:
//
//   0-9    "0".."9"
//   10-35  "A".."Z"
//   36-49  national positions  # $ @ [ \ ] ^ _ ` { | } ~ DEL
//          (the selected character set decides the glyph shown there)
//   50-60  ? % & / space > < " ' - .
//   61-63  * ! ,    (not on model ' ', whose pagers stop at code 60)
inline constexpr std::size_t kPromptCodes = 64;
inline constexpr std::uint8_t kSpaceCode = 54;
inline constexpr std::size_t kPromptMaxChars = 20;

// How a codeplug holds its prompts: the 6-bit packed block, or fixed-width
// byte strings (ideographic and Thai tables, model '#').
enum class PromptMode { compressed, raw };

// The code of one byte: upper-cased first; a byte the table lacks is code 0.
std::uint8_t encodePromptChar(unsigned char byte, models::ModelCode model);

// The character of a code (the low 6 bits count). Codes 61-63 read as "*",
// "!" and "," on every model, so a stray code in a model ' ' image stays
// visible instead of turning into a digit.
char decodePromptCode(std::uint8_t code);

// A prompt as the pager stores it: 1 to 20 codes.
struct EncodedPrompt {
  std::array<std::uint8_t, kPromptMaxChars> codes{};
  std::size_t size = 0;
};

// Trims surrounding spaces, makes an empty text one space, upper-cases and
// maps every byte. Texts longer than 20 characters keep their first 20: the
// 6-bit length field has no room for more.
EncodedPrompt encodePromptText(std::string_view text, models::ModelCode model);

// The text the pager shows for a run of codes.
std::string decodePromptCodes(const std::uint8_t* codes, std::size_t count);

// The key filter of every prompt edit field: true when the key is kept.
// Full stop and comma cannot be typed although the table holds them.
bool promptKeyAccepted(char key, models::ModelCode model, PromptMode mode);

}  // namespace zelta::text
