#include "codeplug/password_substitution.h"

namespace zelta::codeplug {
namespace {

constexpr int kTableSize = static_cast<int>(kSubstitutionTable.size());

// Moves character c by steps places through the table (negative = back).
char shift(char c, int steps) {
  const auto p = kSubstitutionTable.find(static_cast<char>(static_cast<unsigned char>(c) + 16));
  if (p == std::string_view::npos) return c;
  const int moved = ((static_cast<int>(p) + steps) % kTableSize + kTableSize) % kTableSize;
  return static_cast<char>(
      static_cast<unsigned char>(kSubstitutionTable[static_cast<std::size_t>(moved)]) - 16);
}

std::string apply(std::string_view text, int direction) {
  std::string out(text);
  for (std::size_t i = 0; i < out.size(); ++i) {
    // Steps beyond one lap are the same as their remainder.
    out[i] = shift(out[i], direction * static_cast<int>((i + 1) % kTableSize));
  }
  return out;
}

}  // namespace

std::string scramble(std::string_view plain) {
  return apply(plain, +1);
}
std::string unscramble(std::string_view stored) {
  return apply(stored, -1);
}

void writePassword(ImageView image, std::size_t at, std::string_view text) {
  std::string padded(text.substr(0, kPasswordBytes));
  padded.resize(kPasswordBytes, ' ');
  image.setText(at, kPasswordBytes, scramble(padded));
}

std::string readPassword(ConstImageView image, std::size_t at) {
  return unscramble(image.text(at, kPasswordBytes));
}

}  // namespace zelta::codeplug
