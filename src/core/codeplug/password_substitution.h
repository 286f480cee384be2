#pragma once

#include <string>
#include <string_view>

#include "codeplug/image_view.h"

namespace zelta::codeplug {

// The position-dependent character substitution that hides the passwords in
// the image (over-the-air, download, group) and the software password in the
// registry. The table holds, in an order of our own, the 37 characters
// (c + 16) of every password character c: space, "0"-"9" and "A"-"Z". For
// the character at position i its table position moves forward by i + 1
// places, wrapping around; unscrambling moves back by the same amount.
//
// A character outside the table (lower case, punctuation, any other byte)
// passes through unchanged in both directions; the round trip stays exact
// because such a byte never lands on a table character.
inline constexpr std::string_view kSubstitutionTable = "iWYXSR\\[DfCA0BgTaeIHEjF`@_Q^]ZhVGdbUc";
static_assert(kSubstitutionTable.size() == 37);

std::string scramble(std::string_view plain);
std::string unscramble(std::string_view stored);

// Passwords in the image: ten bytes, the text padded with spaces.
inline constexpr std::size_t kPasswordBytes = 10;
void writePassword(ImageView image, std::size_t at, std::string_view text);
// The ten characters as typed, trailing spaces kept.
std::string readPassword(ConstImageView image, std::size_t at);

}  // namespace zelta::codeplug
