#include "text/character_sets.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/recording_reporter.h"
#include "text/languages.h"

namespace zelta::text {
namespace {

TEST(CharacterSets, RowsAsWritten) {
  EXPECT_EQ(characterSetRow(charset::us), (RemapRow{0x23, 0x24, 0x40, 0x5B, 0x5C, 0x5D, 0x5E, 0x5F,
                                                    0x60, 0x7B, 0x7C, 0x7D, 0x7E, 0x20}));
  EXPECT_EQ(characterSetRow(charset::swedish),
            (RemapRow{0x80, 0x24, 0x86, 0x7F, 0x8E, 0x91, 0x92, 0x5F, 0x8A, 0x99, 0x9D, 0x9E, 0x9F,
                      0x20}));
  EXPECT_EQ(characterSetRow(charset::norwegian), characterSetRow(charset::danish));
  EXPECT_EQ(characterSetRow(-1), characterSetRow(charset::us));
  EXPECT_EQ(characterSetRow(kCharacterSets), characterSetRow(charset::us));
}

TEST(CharacterSets, EveryRowReadsBackExceptDanish) {
  for (int set = 0; set < kCharacterSets; ++set) {
    const int expected = set == charset::danish ? charset::norwegian : set;
    EXPECT_EQ(characterSetFromImage(characterSetRow(set), lang::english), expected) << set;
  }
}

struct ReadBackCase {
  int written;
  int language;
  int read;
};

class CharacterSetReadBackTest : public ::testing::TestWithParam<ReadBackCase> {};

TEST_P(CharacterSetReadBackTest, LanguageAdjustsTheSet) {
  const ReadBackCase& c = GetParam();
  EXPECT_EQ(characterSetFromImage(characterSetRow(c.written), c.language), c.read);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CharacterSetReadBackTest,
    ::testing::Values(ReadBackCase{charset::danish, lang::danish, charset::danish},
                      ReadBackCase{charset::danish, lang::norwegian, charset::norwegian},
                      ReadBackCase{charset::danish, lang::dutch, charset::norwegian},
                      ReadBackCase{charset::norwegian, lang::danish, charset::danish},
                      ReadBackCase{charset::us, lang::italian, charset::italian},
                      ReadBackCase{charset::german, lang::italian, charset::italian},
                      ReadBackCase{charset::italian, lang::english, charset::italian}));

TEST(CharacterSets, UnknownRowReadsAsUs) {
  RemapRow row = characterSetRow(charset::french);
  row[13] = 0x21;
  EXPECT_EQ(characterSetFromImage(row, lang::french), charset::us);
  EXPECT_EQ(characterSetFromImage(row, lang::italian), charset::italian);
}

TEST(CharacterSets, LanguageCompatibility) {
  // Each language's compatible sets; everything else warns.
  const std::vector<std::vector<int>> compatible{{0, 10}, {2},           {1},     {3}, {7}, {8, 9},
                                                 {8, 9},  {6},           {6},     {5}, {5}, {4},
                                                 {7},     {0, 10, 8, 9}, {0, 10}, {},  {},  {}};
  for (int language = 0; language < static_cast<int>(compatible.size()); ++language) {
    for (int set = 0; set < kCharacterSets; ++set) {
      const auto& sets = compatible[static_cast<std::size_t>(language)];
      const bool expected = std::find(sets.begin(), sets.end(), set) != sets.end();
      EXPECT_EQ(languageMatchesCharacterSet(language, set), expected) << language << " " << set;
    }
  }
}

TEST(CharacterSets, MismatchWarnsOnceAndOnlyThen) {
  testing::RecordingReporter reporter;
  EXPECT_EQ(checkLanguageCharacterSet(lang::dutch, charset::danish, reporter), errors::code::Ok);
  EXPECT_TRUE(reporter.shown.empty());

  EXPECT_EQ(checkLanguageCharacterSet(lang::german, charset::us, reporter),
            errors::code::CharacterSetMismatch);
  ASSERT_EQ(reporter.shown.size(), 1U);
  EXPECT_EQ(reporter.shown[0].text,
            errors::reportText(errors::code::CharacterSetMismatch, errors::MessageContext{}));
}

struct LeadByteCase {
  std::vector<std::uint8_t> prompt;
  std::optional<std::size_t> firstInvalid;
};

class LeadByteTest : public ::testing::TestWithParam<LeadByteCase> {};

TEST_P(LeadByteTest, FindsTheFirstInvalidLeadByte) {
  EXPECT_EQ(firstInvalidLeadByte(GetParam().prompt), GetParam().firstInvalid);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LeadByteTest,
    ::testing::Values(LeadByteCase{{0x30, 0x21, 0x48, 0x7E, 0x2C, 0x21, 0x21, 0x21}, std::nullopt},
                      LeadByteCase{{0x30, 0x21, 0x2D, 0x21}, 2}, LeadByteCase{{0x2F, 0x21}, 0},
                      LeadByteCase{{0x30, 0x21, 0x30, 0x21, 0x49, 0x21}, 4},
                      // trail bytes are not checked
                      LeadByteCase{{0x30, 0x7F, 0x30, 0x2E}, std::nullopt},
                      // only the 18 bytes of the prompt count
                      LeadByteCase{std::vector<std::uint8_t>(18, 0x21), std::nullopt},
                      LeadByteCase{[] {
                                     std::vector<std::uint8_t> p(20, 0x21);
                                     p[18] = 0x7F;
                                     return p;
                                   }(),
                                   std::nullopt}));

TEST(RawPrompts, InvalidLeadByteReportsOnceAndGoesOn) {
  const std::vector<std::uint8_t> good(18, 0x30);
  std::vector<std::uint8_t> bad(18, 0x30);
  bad[6] = 0x50;

  testing::RecordingReporter reporter;
  EXPECT_EQ(checkRawPromptLeadBytes(good, good, reporter), errors::code::Ok);
  EXPECT_TRUE(reporter.shown.empty());
  EXPECT_EQ(checkRawPromptLeadBytes(bad, bad, reporter), errors::code::InvalidPromptCharacter);
  EXPECT_EQ(checkRawPromptLeadBytes(good, bad, reporter), errors::code::InvalidPromptCharacter);
  ASSERT_EQ(reporter.shown.size(), 2U);
  EXPECT_EQ(reporter.shown[0].text,
            errors::reportText(errors::code::InvalidPromptCharacter, errors::MessageContext{}));
}

TEST(RawPrompts, PaddedWithBangOrThaiBlank) {
  std::array<std::uint8_t, 8> field{};
  writeRawPrompt(field, "AB", lang::english);
  EXPECT_EQ(field, (std::array<std::uint8_t, 8>{'A', 'B', '!', '!', '!', '!', '!', '!'}));
  writeRawPrompt(field, "\xA1\xB2", lang::thai);
  EXPECT_EQ(field, (std::array<std::uint8_t, 8>{0xA1, 0xB2, 0xA0, 0xA0, 0xA0, 0xA0, 0xA0, 0xA0}));
  writeRawPrompt(field, "ABCDEFGHIJ", lang::simplifiedChinese);
  EXPECT_EQ(field, (std::array<std::uint8_t, 8>{'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'}));
}

TEST(RawPrompts, FullWidthBytesWriteBackUnchanged) {
  // A raw ideographic prompt as read, padding included, is written back byte for byte.
  const std::string read{"\x30\x21\x4A\x7E\x21\x21\x21\x21", 8};
  std::array<std::uint8_t, 8> field{};
  writeRawPrompt(field, read, lang::traditionalChinese);
  EXPECT_TRUE(std::equal(field.begin(), field.end(), read.begin(),
                         [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); }));
}

TEST(RawPrompts, PlainTextInFullWidthCharacters) {
  std::array<std::uint8_t, 8> field{};
  writeFullWidthRawPrompt(field, "O N");
  EXPECT_EQ(field, (std::array<std::uint8_t, 8>{0x23, 'O', 0x21, 0x21, 0x23, 'N', '!', '!'}));
  EXPECT_EQ(firstInvalidLeadByte(field), std::nullopt);
  writeFullWidthRawPrompt(field, "ABCDE");
  EXPECT_EQ(field, (std::array<std::uint8_t, 8>{0x23, 'A', 0x23, 'B', 0x23, 'C', 0x23, 'D'}));
}

}  // namespace
}  // namespace zelta::text
