#include "text/prompt_code_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zelta::text {
namespace {

std::vector<int> codesOf(std::string_view text, models::ModelCode model) {
  const EncodedPrompt encoded = encodePromptText(text, model);
  return {encoded.codes.begin(), encoded.codes.begin() + static_cast<std::ptrdiff_t>(encoded.size)};
}

TEST(PromptEncoding, TrimsUpperCasesAndMaps) {
  EXPECT_EQ(codesOf("  set alarm  ", '0'), (std::vector<int>{28, 14, 29, 54, 10, 21, 10, 27, 22}));
}

TEST(PromptEncoding, EmptyOrBlankTextIsOneSpace) {
  for (const char* text : {"", " ", "                    "}) {
    EXPECT_EQ(codesOf(text, 'p'), std::vector<int>{kSpaceCode}) << '"' << text << '"';
  }
}

TEST(PromptEncoding, InnerSpacesStay) {
  EXPECT_EQ(codesOf(" A  B ", '1'), (std::vector<int>{10, 54, 54, 11}));
}

struct CharCase {
  char c;
  int onModelSpace;  // model ' '
  int onOthers;
};

class PromptCharTest : public ::testing::TestWithParam<CharCase> {};

TEST_P(PromptCharTest, CodeDependsOnModel) {
  const CharCase& c = GetParam();
  EXPECT_EQ(encodePromptChar(static_cast<unsigned char>(c.c), ' '), c.onModelSpace);
  for (models::ModelCode model :
       {models::ModelCode{'0'}, models::ModelCode{'q'}, models::ModelCode{0x98}}) {
    EXPECT_EQ(encodePromptChar(static_cast<unsigned char>(c.c), model), c.onOthers);
  }
}

INSTANTIATE_TEST_SUITE_P(Table, PromptCharTest,
                         ::testing::Values(CharCase{'*', 0, 61}, CharCase{'!', 0, 62},
                                           CharCase{',', 0, 63}, CharCase{'.', 60, 60},
                                           CharCase{'z', 35, 35}, CharCase{'#', 36, 36},
                                           CharCase{'\x7F', 49, 49}, CharCase{'?', 50, 50},
                                           CharCase{'"', 57, 57}, CharCase{'-', 59, 59},
                                           // bytes the table lacks
                                           CharCase{'+', 0, 0}, CharCase{'\t', 0, 0},
                                           CharCase{'\xC4', 0, 0}));

TEST(PromptEncoding, EveryCodeDecodesAndEncodesBack) {
  for (int code = 0; code < static_cast<int>(kPromptCodes); ++code) {
    const char c = decodePromptCode(static_cast<std::uint8_t>(code));
    EXPECT_EQ(encodePromptChar(static_cast<unsigned char>(c), 'p'), code) << code;
  }
  const std::uint8_t codes[] = {28, 14, 29, 54, 39, 40, 41, 44, 61, 62, 63};
  EXPECT_EQ(decodePromptCodes(codes, std::size(codes)), "SET [\\]`*!,");
}

TEST(PromptEncoding, KeepsTwentyCharacters) {
  EXPECT_EQ(encodePromptText("ABCDEFGHIJKLMNOPQRSTUVWXYZ", 'p').size, kPromptMaxChars);
}

struct KeyCase {
  char key;
  bool onModelSpace;
  bool onOthers;
};

class PromptKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(PromptKeyTest, CompressedPromptsFilterKeys) {
  const KeyCase& c = GetParam();
  EXPECT_EQ(promptKeyAccepted(c.key, ' ', PromptMode::compressed), c.onModelSpace);
  EXPECT_EQ(promptKeyAccepted(c.key, '1', PromptMode::compressed), c.onOthers);
  EXPECT_EQ(promptKeyAccepted(c.key, 0x99, PromptMode::compressed), c.onOthers);
}

INSTANTIATE_TEST_SUITE_P(Table, PromptKeyTest,
                         ::testing::Values(KeyCase{'.', false, false}, KeyCase{',', false, false},
                                           KeyCase{'*', false, true}, KeyCase{'!', false, true},
                                           KeyCase{'a', true, true}, KeyCase{'Z', true, true},
                                           KeyCase{'7', true, true}, KeyCase{'\b', true, true},
                                           KeyCase{' ', true, true}, KeyCase{'\\', true, true},
                                           KeyCase{'"', true, true}, KeyCase{'`', true, true},
                                           KeyCase{'\x7F', false, false},
                                           KeyCase{'+', false, false}, KeyCase{'\0', false, false},
                                           KeyCase{'\r', false, false}));

TEST(PromptKeys, ModelHashAndRawPromptsTakeEveryKey) {
  for (char key : {'.', ',', '+', '\x7F', '\xB0'}) {
    EXPECT_TRUE(promptKeyAccepted(key, '#', PromptMode::compressed)) << int{key};
    EXPECT_TRUE(promptKeyAccepted(key, 'p', PromptMode::raw)) << int{key};
  }
}

}  // namespace
}  // namespace zelta::text
