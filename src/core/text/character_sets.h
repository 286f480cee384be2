#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "errors/reporter.h"
#include "errors/result_code.h"

namespace zelta::text {

// International character set indices (the item order of "International
// Character Set").
namespace charset {
inline constexpr int us = 0;
inline constexpr int swiss = 1;
inline constexpr int german = 2;
inline constexpr int french = 3;
inline constexpr int italian = 4;
inline constexpr int spanish = 5;
inline constexpr int portuguese = 6;
inline constexpr int swedish = 7;
inline constexpr int norwegian = 8;
inline constexpr int danish = 9;
inline constexpr int uk = 10;
}  // namespace charset

inline constexpr int kCharacterSets = 11;
inline constexpr std::size_t kRemapRowBytes = 14;
using RemapRow = std::array<std::uint8_t, kRemapRowBytes>;

// The 14 bytes the image holds for a character set: the pager's ROM glyph to
// show at each national position, in the order # $ @ [ \ ] ^ _ ` { | } ~ DEL.
// An index outside 0-10 gives the US row.
const RemapRow& characterSetRow(int characterSet);

// The character set of 14 image bytes. The first equal row wins and no match
// means US; Norwegian and Danish rows are equal, so the prompt language
// settles between them, and Italian prompts always mean the Italian set.
int characterSetFromImage(std::span<const std::uint8_t, kRemapRowBytes> bytes, int language);

// Whether a prompt language shows properly with a character set.
bool languageMatchesCharacterSet(int language, int characterSet);

// Warns with -59 through the reporter when they do not match; both
// selections stay as they are. Returns the code raised, or Ok.
errors::ResultCode checkLanguageCharacterSet(int language, int characterSet,
                                             errors::Reporter& reporter);

// Model '#' holds its power-up and disable prompts raw: nine two-byte
// characters each (KS X 1001, 7-bit form).
inline constexpr std::size_t kRawTwoBytePromptBytes = 18;

// The position of the first lead byte (even positions) the pager's character
// ROM cannot show: 0x2D-0x2F or above 0x48.
std::optional<std::size_t> firstInvalidLeadByte(std::span<const std::uint8_t> prompt);

// Checks the power-up prompt, then the disable prompt, and reports -77 once
// at the first invalid lead byte. Only a warning: the caller goes on.
errors::ResultCode checkRawPromptLeadBytes(std::span<const std::uint8_t> powerUp,
                                           std::span<const std::uint8_t> disable,
                                           errors::Reporter& reporter);

// The byte raw prompts are padded with: "!", or 0xA0 for Thai (TIS-620).
std::uint8_t rawPadByte(int language);

// Writes a raw prompt into its fixed-width field: the text's bytes as they
// are (cut at the width), the rest padded. Raw prompts read from an image
// are kept with their padding, so writing them back reproduces every byte.
void writeRawPrompt(std::span<std::uint8_t> field, std::string_view text, int language);

// Writes a plain text into a two-byte raw prompt field: each character as its
// full-width form (KS X 1001 row 3: "K" is 0x23 0x4B, a space the ideographic
// space 0x21 0x21), cut at the characters that fit, the rest padded with "!".
void writeFullWidthRawPrompt(std::span<std::uint8_t> field, std::string_view text);

}  // namespace zelta::text
