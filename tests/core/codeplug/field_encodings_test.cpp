#include "codeplug/field_encodings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>

#include "codeplug/codeplug_image.h"
#include "codeplug/password_substitution.h"
#include "codeplug/settings_record.h"

namespace zelta::codeplug {
namespace {

struct Bytes {
  std::array<std::uint8_t, 0x800> data{};
  ImageView view() { return ImageView(std::span(data)); }
};

TEST(ImageView, BitFieldsWordsAndBounds) {
  Bytes b;
  const ImageView v = b.view();
  v.setByte(0x10, 0b1010'0110);
  EXPECT_EQ(v.bits(0x10, 7, 6), 0b10U);
  EXPECT_EQ(v.bits(0x10, 5, 3), 0b100U);
  EXPECT_TRUE(v.bit(0x10, 2));
  v.setBits(0x10, 5, 3, 0b011);  // only bits 5-3 change
  EXPECT_EQ(v.byte(0x10), 0b1001'1110);
  v.setBits(0x10, 1, 0, 0xFF);  // excess value bits are dropped
  EXPECT_EQ(v.byte(0x10), 0b1001'1111);
  v.setBit(0x10, 7, false);
  EXPECT_EQ(v.byte(0x10), 0b0001'1111);

  v.setWord24(0x7FD, 0x96B439);
  EXPECT_EQ(v.byte(0x7FD), 0x96);
  EXPECT_EQ(v.byte(0x7FF), 0x39);
  EXPECT_EQ(v.word24(0x7FD), 0x96B439U);
  EXPECT_EQ(v.word16(0x7FE), 0xB439);

  EXPECT_THROW(v.byte(0x800), std::out_of_range);
  EXPECT_THROW(v.word24(0x7FE), std::out_of_range);
  EXPECT_THROW(v.setWord16(0x7FF, 0), std::out_of_range);
  EXPECT_THROW(v.bytesAt(kNoSlot, 1), std::out_of_range);
  EXPECT_THROW(v.bits(0, 3, 4), std::out_of_range);
  EXPECT_NO_THROW(v.bytesAt(0x800, 0));
}

TEST(FunctionNibbles, CodesShareBytesLowAndHigh) {
  Bytes b;
  const ImageView v = b.view();
  const std::uint8_t example[] = {0x31, 0x32, 0x33, 0x30};
  std::copy(std::begin(example), std::end(example), b.data.begin() + 0x24);
  EXPECT_EQ(readFunctionLetters(v, 0x24, 1), "TNAX");
  EXPECT_EQ(readFunctionLetters(v, 0x24, 2), "AAAA");

  // Writing one code leaves its neighbour in the other nibbles alone.
  writeFunctionLetters(v, 0x24, 1, "IPHN");
  EXPECT_EQ(readFunctionLetters(v, 0x24, 1), "IPHN");
  EXPECT_EQ(readFunctionLetters(v, 0x24, 2), "AAAA");
  // Codes 3 and 4 use the next four bytes; D-F code 16 the last of 32.
  writeFunctionLetters(v, 0x24, 4, "TTTT");
  EXPECT_EQ(b.data[0x28], 0x10);
  writeFunctionLetters(v, 0x18, 16, "NNNN");
  EXPECT_EQ(b.data[0x37], 0x20);
  EXPECT_EQ(b.data[0x38], 0x00);
}

TEST(FunctionNibbles, LetterTable) {
  const char* letters = "XTNAIXPHXXXXXXXX";
  for (unsigned n = 0; n < 16; ++n) EXPECT_EQ(functionLetterFromNibble(n), letters[n]) << n;
  for (char c : std::string("XTNAIPH"))
    EXPECT_EQ(functionLetterFromNibble(functionNibbleFromLetter(c)), c);
  EXPECT_EQ(functionNibbleFromLetter('?'), 0U);
  EXPECT_EQ(functionNibbleFromLetter('t'), 0U);  // letters are stored upper case
}

TEST(FlagNibbles, PriorityAndHistoryPositions) {
  const FieldOffsetTable& b = offsetTableFor(models::Family::B);
  const FieldOffsetTable& d = offsetTableFor(models::Family::D);
  struct Case {
    const FieldOffsetTable* table;
    bool history;
    int code;
    std::size_t offset;
    bool high;
  };
  const Case cases[] = {
      {&b, false, 1, 0x52, false}, {&b, false, 2, 0x52, true},  {&b, false, 3, 0x51, false},
      {&b, false, 4, 0x51, true},  {&b, false, 5, 0x31, false}, {&b, false, 6, 0x31, true},
      {&b, true, 1, 0xDB, false},  {&b, true, 2, 0xDB, true},   {&b, true, 3, 0xDA, false},
      {&b, true, 4, 0xDA, true},   {&d, true, 1, 0xE7, false},  {&d, true, 4, 0xE8, true},
      {&d, true, 7, 0xEA, false},  {&d, true, 8, 0xEA, true},
  };
  for (const Case& c : cases) {
    const auto at =
        c.history ? historyPosition(*c.table, c.code) : priorityPosition(*c.table, c.code);
    ASSERT_TRUE(at) << c.code;
    EXPECT_EQ(at->offset, c.offset) << (c.history ? "history " : "priority ") << c.code;
    EXPECT_EQ(at->high, c.high) << c.code;
  }
  EXPECT_FALSE(priorityPosition(offsetTableFor(models::Family::A), 5));
  EXPECT_FALSE(priorityPosition(d, 1));  // D-F keep priority in the alert table
  EXPECT_FALSE(historyPosition(b, 5));
  EXPECT_FALSE(historyPosition(d, 9));

  Bytes bytes;
  const ImageView v = bytes.view();
  bytes.data[0x52] = 0x50;
  writeFlagLetters(v, {0x52, false}, "YNNY");
  EXPECT_EQ(bytes.data[0x52], 0x59);
  EXPECT_EQ(readFlagLetters(v, {0x52, true}), "YNYN");
}

TEST(NarrowCodeSlots, AddressEmptinessAndLowBits) {
  Bytes b;
  const ImageView v = b.view();
  struct Case {
    std::array<std::uint8_t, 3> bytes;
    int code;
    bool readsEmpty;
    std::uint32_t address;
  };
  const Case cases[] = {
      {{0x00, 0x00, 0x07}, 1, true, 0},         {{0x00, 0x00, 0x0F}, 1, false, 1},
      {{0x00, 0x00, 0x04}, 3, true, 0},         {{0x00, 0x00, 0x07}, 3, false, 0},
      {{0x00, 0x00, 0x04}, 1, false, 0},        {{0x96, 0xB4, 0x39}, 2, false, 1234567},
      {{0xFF, 0xFF, 0xFF}, 4, false, 0x1FFFFF},
  };
  for (const Case& c : cases) {
    std::copy(c.bytes.begin(), c.bytes.end(), b.data.begin() + 0x300);
    EXPECT_EQ(narrowCodeReadsEmpty(v, 0x300, c.code), c.readsEmpty)
        << int(c.bytes[2]) << " code " << c.code;
    EXPECT_EQ(narrowCodeAddress(v, 0x300), c.address);
  }

  const FieldOffsetTable& t = offsetTableFor(models::Family::B);
  writeNarrowCode(v, narrowCodeSlot(t.codeSlots, 2), 2, 1234567);
  EXPECT_EQ(b.data[0x303], 0x96);
  EXPECT_EQ(b.data[0x304], 0xB4);
  EXPECT_EQ(b.data[0x305], 0x39);
  const std::array<std::uint32_t, 6> emptyWords{7, 1, 4, 7, 4, 0};
  for (int code = 1; code <= 6; ++code) {
    const std::size_t slot = narrowCodeSlot(t.codeSlots, code);
    writeNarrowCode(v, slot, code, std::nullopt);
    EXPECT_EQ(v.word24(slot), emptyWords[static_cast<std::size_t>(code - 1)]) << code;
  }
}

TEST(NarrowCodeSlots, EmptyFlags) {
  Bytes b;
  const ImageView v = b.view();
  const FieldOffsetTable& c = offsetTableFor(models::Family::C);
  b.data[0x713] = 0xE0;  // coding format bits stay
  for (int code = 1; code <= 6; ++code) setNarrowCodeEmptyFlag(v, c, code, true);
  EXPECT_EQ(b.data[0x713], 0xFF);
  EXPECT_EQ(b.data[0x714], 0x01);
  setNarrowCodeEmptyFlag(v, c, 2, false);
  EXPECT_EQ(b.data[0x713], 0xEF);
  EXPECT_FALSE(narrowCodeEmptyFlag(v, c, 2));
  EXPECT_TRUE(narrowCodeEmptyFlag(v, c, 6));
}

TEST(WideCodeSlots, EmptyBitAndKeptLowBits) {
  Bytes b;
  const ImageView v = b.view();
  const std::size_t slot = wideCodeSlot(0x754, 6);
  EXPECT_EQ(slot + 2, 0x765U);  // the third byte carries the coding format
  b.data[slot + 2] = 0x02;      // a coding format bit in the third byte
  writeWideCode(v, slot, 1234567);
  EXPECT_EQ(v.word24(slot), (1234567U << 2) | 2U);
  EXPECT_EQ(wideCodeAddress(v, slot), 1234567U);
  writeWideCode(v, slot, std::nullopt);
  EXPECT_EQ(v.word24(slot), 0x800002U);
  EXPECT_EQ(wideCodeAddress(v, slot), std::nullopt);
  writeWideCode(v, slot, kMaxAddress);
  EXPECT_FALSE(v.bit(slot, 7));
  EXPECT_EQ(wideCodeAddress(v, slot), kMaxAddress);
}

TEST(CodeTexts, EmptinessAndAddresses) {
  EXPECT_TRUE(isEmptyCode(kEmptyCode));
  EXPECT_TRUE(isEmptyCode("12    3"));
  EXPECT_FALSE(isEmptyCode("1234567"));
  EXPECT_FALSE(isEmptyCode("   123"));
  EXPECT_EQ(codeAddress("0000001"), 1U);
  EXPECT_EQ(codeAddress("  1234 "), 1234U);
  EXPECT_EQ(codeAddress("2097151"), kMaxAddress);
  EXPECT_EQ(codeAddress("2097152"), std::nullopt);
  EXPECT_EQ(codeAddress("12a4567"), std::nullopt);
  EXPECT_EQ(codeAddress(kEmptyCode), std::nullopt);
  EXPECT_EQ(codeText(1), "0000001");
  EXPECT_EQ(codeText(1234567), "1234567");
}

TEST(CodeTypes, BitPairsAndPositions) {
  EXPECT_EQ(codeTypeFromBits(false, false), 0);
  EXPECT_EQ(codeTypeFromBits(true, true), 0);
  EXPECT_EQ(codeTypeFromBits(true, false), 1);
  EXPECT_EQ(codeTypeFromBits(false, true), 2);

  struct Case {
    models::Family family;
    int code;
    std::size_t first;
    int firstBit;
    std::size_t second;
    int secondBit;
  };
  const Case cases[] = {
      {models::Family::A, 1, 0x7A, 3, 0x7B, 3}, {models::Family::A, 4, 0x7A, 0, 0x7B, 0},
      {models::Family::B, 5, 0x30, 3, 0x30, 1}, {models::Family::C, 6, 0x30, 2, 0x30, 0},
      {models::Family::D, 1, 0x39, 7, 0x3B, 7}, {models::Family::E, 8, 0x39, 0, 0x3B, 0},
      {models::Family::F, 9, 0x38, 7, 0x3A, 7}, {models::Family::D, 16, 0x38, 0, 0x3A, 0},
  };
  for (const Case& c : cases) {
    const auto at = codeTypePosition(offsetTableFor(c.family), c.code);
    ASSERT_TRUE(at) << c.code;
    EXPECT_EQ(at->first.offset, c.first) << c.code;
    EXPECT_EQ(at->first.bit, c.firstBit) << c.code;
    EXPECT_EQ(at->second.offset, c.second) << c.code;
    EXPECT_EQ(at->second.bit, c.secondBit) << c.code;
  }
  EXPECT_FALSE(codeTypePosition(offsetTableFor(models::Family::A), 5));
  EXPECT_FALSE(codeTypePosition(offsetTableFor(models::Family::B), 7));
  EXPECT_FALSE(codeTypePosition(offsetTableFor(models::Family::D), 17));

  Bytes b;
  const ImageView v = b.view();
  const auto code5 = *codeTypePosition(offsetTableFor(models::Family::B), 5);
  b.data[0x30] = 0x80;  // zoom shares the byte
  writeCodeType(v, code5, 2);
  EXPECT_EQ(b.data[0x30], 0x82);
  EXPECT_EQ(readCodeType(v, code5), 2);
  writeCodeType(v, code5, 1);
  EXPECT_EQ(b.data[0x30], 0x88);
}

TEST(ValueTables, StoredValuesAndFallbacks) {
  struct Case {
    const ValueTable* table;
    unsigned stored;
    int index;
  };
  const Case cases[] = {
      {&kReminderTimeTable, 15, 1},      {&kReminderTimeTable, 225, 7},
      {&kReminderTimeTable, 16, 0},      {&kReminderTimeTable, 0, 0},
      {&kOorTimeTable, 45, 7},           {&kOorTimeTable, 5, 0},
      {&kSequentialLockoutTable, 38, 9}, {&kSequentialLockoutTable, 3, 0},
      {&kReadTimeoutTable, 2, 0},        {&kReadTimeoutTable, 38, 3},
      {&kReadTimeoutTable, 0, 1},        {&kReadTimeoutTable, 99, 1},
      {&kFastScrollTable, 240, 8},       {&kFastScrollTable, 33, 4},
      {&kMemorySplit8KTable, 8, 5},      {&kMemorySplit8KTable, 7, 4},
      {&kMemorySplit32KTable, 26, 5},    {&kMemorySplit32KTable, 32, 2},
  };
  for (const Case& c : cases) EXPECT_EQ(c.table->indexOf(c.stored), c.index) << c.stored;
  // Every index writes a value that reads back as the same index.
  for (const ValueTable* t :
       {&kReminderTimeTable, &kOorTimeTable, &kSequentialLockoutTable, &kReadTimeoutTable,
        &kFastScrollTable, &kMemorySplit8KTable, &kMemorySplit32KTable}) {
    for (int i = 0; i < static_cast<int>(t->stored.size()); ++i)
      EXPECT_EQ(t->indexOf(t->storedAt(i)), i);
  }
  EXPECT_EQ(kReminderTimeTable.storedAt(0), 0);
  EXPECT_EQ(kFastScrollTable.storedAt(42), 32);  // outside the list: the fallback
}

TEST(ValueTables, MemorySplitTexts) {
  EXPECT_EQ(memorySplitText(false, 4).personal, "  5K");
  EXPECT_EQ(memorySplitText(false, 5).maildrop, "None");
  EXPECT_EQ(memorySplitText(true, 2).personal, "  10K");
  EXPECT_EQ(memorySplitText(true, 4).maildrop, "10.5K");
  EXPECT_EQ(memorySplitText(true, 9).personal,
            "  10K");  // an index without text shows the fallback
}

TEST(ValueTables, PromptLanguageCodes) {
  const int indexOfCode[] = {0, 19, 1, 3, 11, 9, 4, 7, 12, 13, 6, 5, 14, 15, 16, 10, 8, 19, 17, 2};
  for (unsigned code = 0; code < 20; ++code)
    EXPECT_EQ(promptLanguageIndexFromCode(code), indexOfCode[code]);
  EXPECT_EQ(promptLanguageIndexFromCode(20), 0);
  EXPECT_EQ(promptLanguageIndexFromCode(63), 0);
  // Every index but 18 (which no code reaches) survives a write and read.
  for (int index = 0; index < 20; ++index) {
    if (index == 18) continue;
    EXPECT_EQ(promptLanguageIndexFromCode(promptLanguageCodeFromIndex(index)), index) << index;
  }
  EXPECT_EQ(promptLanguageCodeFromIndex(19), 17U);
  EXPECT_EQ(promptLanguageCodeFromIndex(18), 0U);
  EXPECT_EQ(promptLanguageCodeFromIndex(-1), 0U);
}

TEST(OptionBits, FunctionMenuDisplayAndOneOf) {
  struct Case {
    std::uint8_t byte78;
    int index;
  };
  for (const Case c :
       {Case{0x00, 0}, Case{0x40, 0}, Case{0x80, 1}, Case{0xC0, 2}, Case{0xFF, 2}, Case{0x3F, 0}}) {
    EXPECT_EQ(functionMenuDisplayFromBits(c.byte78 >> 6), c.index) << int(c.byte78);
  }
  EXPECT_EQ(functionMenuDisplayBits(0), 1U);
  EXPECT_EQ(functionMenuDisplayBits(1), 2U);
  EXPECT_EQ(functionMenuDisplayBits(2), 3U);

  const std::pair<unsigned, int> oneOf[] = {{0x10, 0}, {0x08, 1}, {0x02, 3}, {0x01, 4},
                                            {0x04, 2}, {0x00, 2}, {0x18, 2}, {0x1F, 2}};
  for (auto [bits, index] : oneOf) EXPECT_EQ(cannedOneOfFromBits(bits), index) << bits;
  for (int i = 0; i < 5; ++i) EXPECT_EQ(cannedOneOfFromBits(cannedOneOfBits(i)), i);

  for (unsigned v = 0; v < 16; ++v) {
    EXPECT_EQ(alertNibbleIndex(v), (v >= 2 && v <= 11) ? int(v) - 1 : 0) << v;
  }
  EXPECT_EQ(alertNibbleFromIndex(9), 10U);
}

TEST(OptionBits, ServiceAdjustAndIconContrast) {
  for (int position = 0; position <= 16; ++position) {
    EXPECT_EQ(serviceAdjustFromByte(serviceAdjustByte(position)), position);
  }
  EXPECT_EQ(serviceAdjustByte(9), 0xFF);
  EXPECT_EQ(serviceAdjustByte(16), 0xF8);

  EXPECT_EQ(iconContrastByte('p', 1), 0x7E);
  EXPECT_EQ(iconContrastByte('p', 3), 0x7C);
  EXPECT_EQ(iconContrastByte('p', 4), 0x7C);
  EXPECT_EQ(iconContrastByte('1', 1), 0x02);
  for (models::ModelCode m : {models::ModelCode{'2'}, models::ModelCode{'1'},
                              models::ModelCode{0x98}, models::ModelCode{0x99}}) {
    for (int contrast = 0; contrast <= 3; ++contrast) {
      EXPECT_EQ(iconContrastFromByte(iconContrastByte(m, contrast)), contrast) << int(m);
    }
  }
}

TEST(OptionBits, CodeplugVersionAndAlertEntries) {
  Bytes b;
  b.data[0x96] = 0x18;
  b.data[0x97] = 0x34;
  const CodeplugVersion v = readCodeplugVersion(b.view(), 0x96);
  EXPECT_EQ(codeplugVersionText(v), "R08.03.04");
  b.data[0x96] = 0x0C;
  b.data[0x97] = 0xF0;
  EXPECT_EQ(codeplugVersionText(readCodeplugVersion(b.view(), 0x96)), "B12.15.00");

  EXPECT_EQ(alertEntryOffset(0x696, 1, 2), 0x698U);
  EXPECT_EQ(alertEntryOffset(0x696, 16, 4), 0x714U);
  EXPECT_EQ(alertPatternFromByte(0x8F), 15);
  EXPECT_EQ(alertPatternFromByte(0x10), 0);
  EXPECT_EQ(alertModeFromBits(5), 5);
  EXPECT_EQ(alertModeFromBits(6), 0);
}

TEST(PasswordSubstitution, TableCoversEveryPasswordCharacter) {
  std::string covered;
  for (char c : kSubstitutionTable) covered.push_back(static_cast<char>(c - 16));
  std::sort(covered.begin(), covered.end());
  EXPECT_EQ(covered, " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
}

TEST(PasswordSubstitution, RoundTripsAndHides) {
  Bytes b;
  const ImageView v = b.view();
  for (const char* password :
       {"FALCONS XV", "A", "", "0000000000", "ZZZZZZZZZZ", "MIXED case!", "TOOLONGPASSWORD"}) {
    writePassword(v, 0x08, password);
    std::string expected = std::string(password).substr(0, 10);
    expected.resize(10, ' ');
    EXPECT_EQ(readPassword(v, 0x08), expected) << password;
    EXPECT_EQ(b.data[0x12], 0) << "ten bytes only";
  }
  writePassword(v, 0x53, "AAAAAAAAAA");
  // The same letter comes out differently at each position.
  const std::string stored = v.text(0x53, 10);
  EXPECT_NE(stored, "AAAAAAAAAA");
  EXPECT_GT(std::set<char>(stored.begin(), stored.end()).size(), 5U);
  // Stored bytes stay inside the password alphabet.
  for (char c : stored)
    EXPECT_NE(std::string(" 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ").find(c), std::string::npos);

  // Any length (the software password), past one lap of the table.
  const std::string longText = "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG 0123456789";
  EXPECT_EQ(unscramble(scramble(longText)), longText);
  // Every byte value survives.
  std::string all;
  for (int c = 0; c < 256; ++c) all.push_back(static_cast<char>(c));
  EXPECT_EQ(unscramble(scramble(all)), all);
}

}  // namespace
}  // namespace zelta::codeplug
