#include "text/prompt_code_table.h"

#include <algorithm>

namespace zelta::text {
namespace {

constexpr models::ModelCode kShortTableModel = models::kModelSpace;
constexpr char kBackspace = 0x08;

constexpr std::string_view kNationalPositions{"#$@[\\]^_`{|}~\x7F", 14};
constexpr std::uint8_t kFirstNationalCode = 36;
// Codes 50 onwards; the last three exist on every model but ' '.
constexpr std::string_view kPunctuation{"?%&/ ><\"'-.*!,"};
constexpr std::uint8_t kFirstPunctuationCode = 50;
constexpr std::size_t kPunctuationOnShortTable = 11;

constexpr std::array<char, kPromptCodes> kCodeTable = [] {
  std::array<char, kPromptCodes> table{};
  for (int i = 0; i < 10; ++i) table[i] = static_cast<char>('0' + i);
  for (int i = 0; i < 26; ++i) table[10 + i] = static_cast<char>('A' + i);
  for (std::size_t i = 0; i < kNationalPositions.size(); ++i) {
    table[kFirstNationalCode + i] = kNationalPositions[i];
  }
  for (std::size_t i = 0; i < kPunctuation.size(); ++i) {
    table[kFirstPunctuationCode + i] = kPunctuation[i];
  }
  return table;
}();

// Keys a prompt field takes besides letters, digits, backspace and space.
constexpr std::string_view kTypableSymbols{"#$@[]^_`{}|~?%&/><'-\\\""};
constexpr std::string_view kTypableSymbolsNotOnShortTable{"*!"};

}  // namespace

std::uint8_t encodePromptChar(unsigned char byte, models::ModelCode model) {
  if (byte >= 'a' && byte <= 'z') byte = static_cast<unsigned char>(byte - 'a' + 'A');
  if (byte >= '0' && byte <= '9') return static_cast<std::uint8_t>(byte - '0');
  if (byte >= 'A' && byte <= 'Z') return static_cast<std::uint8_t>(10 + byte - 'A');
  const char c = static_cast<char>(byte);
  if (auto at = kNationalPositions.find(c); at != std::string_view::npos) {
    return static_cast<std::uint8_t>(kFirstNationalCode + at);
  }
  const std::string_view punctuation =
      model == kShortTableModel ? kPunctuation.substr(0, kPunctuationOnShortTable) : kPunctuation;
  if (auto at = punctuation.find(c); at != std::string_view::npos) {
    return static_cast<std::uint8_t>(kFirstPunctuationCode + at);
  }
  return 0;
}

char decodePromptCode(std::uint8_t code) {
  return kCodeTable[code & 0x3F];
}

EncodedPrompt encodePromptText(std::string_view text, models::ModelCode model) {
  const auto last = text.find_last_not_of(' ');
  text = last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
  text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));

  EncodedPrompt encoded;
  if (text.empty()) {
    encoded.codes[0] = kSpaceCode;
    encoded.size = 1;
    return encoded;
  }
  encoded.size = std::min(text.size(), kPromptMaxChars);
  for (std::size_t i = 0; i < encoded.size; ++i) {
    encoded.codes[i] = encodePromptChar(static_cast<unsigned char>(text[i]), model);
  }
  return encoded;
}

std::string decodePromptCodes(const std::uint8_t* codes, std::size_t count) {
  std::string text(count, ' ');
  for (std::size_t i = 0; i < count; ++i) text[i] = decodePromptCode(codes[i]);
  return text;
}

bool promptKeyAccepted(char key, models::ModelCode model, PromptMode mode) {
  if (models::modelIn(model, models::ModelGroup::rawPrompts) || mode == PromptMode::raw)
    return true;
  if ((key >= 'a' && key <= 'z') || (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
    return true;
  }
  if (key == kBackspace || key == ' ') return true;
  if (kTypableSymbols.find(key) != std::string_view::npos) return true;
  return model != kShortTableModel &&
         kTypableSymbolsNotOnShortTable.find(key) != std::string_view::npos;
}

}  // namespace zelta::text
