#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "codec_fixture.h"
#include "codeplug/builders.h"
#include "codeplug/firmware_blocks.h"
#include "d_family_fixture.h"

namespace zelta::codeplug {
namespace {

using testing::imageOf;
using testing::kDFamilyModels;

void build(CodeplugImage& image, SettingsRecord& s, std::string firmware = "") {
  BuildContext context;
  context.firmware = std::move(firmware);
  buildDFamily(image, s, context);
}

// An unused code is seven spaces. It must not reach the pager: empty slot,
// no frame, no function letters, whatever letters the settings still hold.
TEST(BuildDFamily, EmptyCodeHasNoFrameAndNoFunctions) {
  auto image = imageOf(0x91);
  const ImageView v = image->current();
  v.setByte(0x757 + 2, 0x03);  // low bits of slot 2 belong to other settings
  SettingsRecord s;
  s.code[0] = "1234567";  // frame 7
  s.function[0] = "TNAX";
  s.code[1] = "       ";
  s.function[1] = "NNNN";
  build(*image, s);

  EXPECT_EQ(v.word24(0x754), 1234567U << 2);
  EXPECT_EQ(v.byte(0x757), 0x80);
  EXPECT_EQ(v.byte(0x758), 0x00);
  EXPECT_EQ(v.byte(0x759), 0x03);
  EXPECT_EQ(v.byte(0x17), 0x80);  // frame 7 only; an empty code would add frame 0
  const std::uint8_t functions12[] = {0x01, 0x02, 0x03, 0x00};  // code 2's high nibbles zero
  for (int k = 0; k < 4; ++k) EXPECT_EQ(v.byte(0x18 + k), functions12[k]) << k;
}

TEST(BuildDFamily, SixteenCodesAndTheirFrames) {
  auto image = imageOf(0x99);
  const ImageView v = image->current();
  SettingsRecord s;
  for (int c = 0; c < kMaxCodes; ++c) {
    s.code[static_cast<std::size_t>(c)] = std::to_string(1000 + c);  // frames 0-7 twice
    s.function[static_cast<std::size_t>(c)] = "AAAA";
  }
  s.code[15] = "2097151";
  s.codeType[15] = 2;
  s.codeType[8] = 1;
  s.history[7] = "NYNY";
  build(*image, s);

  EXPECT_EQ(v.byte(0x17), 0xFF);
  EXPECT_EQ(v.word24(0x754 + 3 * 15) >> 2, 2097151U);
  EXPECT_EQ(v.byte(0x37), 0x33);
  EXPECT_EQ(v.byte(0x38), 0x80);  // code 9 Group: first bit 7 of 0x38
  EXPECT_EQ(v.byte(0x3A), 0x01);  // code 16 Mail Drop: second bit 0 of 0x3A
  EXPECT_EQ(v.byte(0xEA), 0xA0);  // code 8's history in the high nibble
}

TEST(BuildDFamily, PerFunctionTableBits) {
  auto image = imageOf(0x93);
  const ImageView v = image->current();
  for (std::size_t at = 0x696; at < 0x716; ++at) v.setByte(at, 0xFF);
  SettingsRecord s;
  s.alertPattern[0] = {15, 0, 3, 8};
  s.alertMode[0] = {5, 0, 1, 2};
  s.priority[0] = "YNNY";
  s.onOffDutyFlags[0] = "NYNN";
  s.fixAlert[0] = "NNYN";
  s.crescendo[0] = "YYNN";
  s.interruptVib[0] = "NNNY";
  build(*image, s);

  const std::uint8_t expected[] = {0x0F, 0b1001'0101, 0x00, 0b0101'0000,
                                   0x03, 0b0010'0001, 0x08, 0b1000'1010};
  for (int k = 0; k < 8; ++k) EXPECT_EQ(v.byte(0x696 + k), expected[k]) << k;
  // Every other entry is rewritten from the settings too: pattern 0 and no
  // attributes, bit 7 of the first byte cleared.
  EXPECT_EQ(v.byte(0x714), 0x00);
  EXPECT_EQ(v.byte(0x715), 0x00);
}

TEST(BuildDFamily, GenerationCharacterAndVariantBits) {
  for (models::ModelCode model : kDFamilyModels) {
    const bool f = models::modelIn(model, models::ModelGroup::fFamily);
    struct Case {
      int variant;
      char generation;
    };
    for (const Case c : {Case{0, f ? '7' : '5'}, Case{1, f ? '7' : '5'}, Case{2, f ? '8' : '4'},
                         Case{3, f ? '9' : '6'}}) {
      auto image = imageOf(model);
      image->current().setByte(0x3C, 0x08);  // bit 3 is kept
      image->current().setByte(0x01, 0x00);
      SettingsRecord s;
      s.hardwareVariant = c.variant;
      build(*image, s);
      EXPECT_EQ(image->current().byte(0x07), c.generation) << int(model) << " " << c.variant;
      EXPECT_EQ(image->current().byte(0x3C), (c.variant << 6) | 0x08) << int(model);
      EXPECT_EQ(image->current().byte(0x01), model);
    }
  }
}

// The FS8107 / FS8108 receivers take the synthesizer byte of their band,
// whatever the receiver values say; the others write their own.
TEST(BuildDFamily, SynthesizerByteOfPllType3ByBand) {
  const std::uint8_t byBand[] = {0x28, 0x28, 0x28, 0x28, 0x3B, 0x3B, 0x9D, 0x3B};
  for (int band = 0; band < kBandCount; ++band) {
    for (int pll : {0, 3}) {
      auto image = imageOf(0x92);
      SettingsRecord s;
      s.freqBand = band;
      s.receiver.pllType = pll;
      s.receiver.multiplier = 2;  // 0x39 with the 21.4 MHz IF and 12.5 kHz steps
      build(*image, s);
      EXPECT_EQ(image->current().byte(0x71F), pll == 3 ? byBand[band] : 0x39) << band << " " << pll;
      EXPECT_EQ(image->current().bits(0x720, 5, 4), static_cast<unsigned>(pll));
    }
  }
}

TEST(BuildDFamily, SynthesizerWordsOnlyWithTheFlag) {
  for (bool flag : {true, false}) {
    auto image = imageOf(0x97);
    const ImageView v = image->current();
    v.setByte(0x99, 0xFC);
    SettingsRecord s;
    s.kept.synthesizerFlag = flag;
    s.receiver.pllType = 2;
    s.receiver.n = 1000;
    s.receiver.r = 16;
    s.receiver.injectionSide = 2;
    s.receiver2.n = 1001;
    s.receiver2.r = 16;
    build(*image, s);
    EXPECT_EQ(v.word24(0x719), flag ? 0x01F400U : 0U);
    EXPECT_EQ(v.word24(0x71C), flag ? 0x001011U : 0U);
    EXPECT_EQ(v.word24(0x4D), flag ? 1001U * 128 : 0U);
    EXPECT_EQ(v.word24(0x50), flag ? 0x001011U : 0U);
    EXPECT_EQ(v.byte(0x99), 0xFE);  // side 2, the upper bits kept
    EXPECT_TRUE(v.bit(0x768, 1));   // side 2 inverts the data
  }
}

struct FirmwareCase {
  models::ModelCode model;
  const char* firmware;
  enum { Untouched, Filled, Block } result;
};

// The matching firmware writes the model's block; any of the three D-F
// firmware texts clears the area first; other firmware leaves it alone.
TEST(BuildDFamily, FirmwareBlocks) {
  for (const FirmwareCase c : {
           FirmwareCase{0x91, "R0801", FirmwareCase::Block},
           FirmwareCase{0x95, "R0801", FirmwareCase::Block},
           FirmwareCase{0x93, "R0802", FirmwareCase::Block},
           FirmwareCase{0x97, "R0802", FirmwareCase::Block},
           FirmwareCase{0x98, "R0803", FirmwareCase::Block},
           FirmwareCase{0x99, "R0803", FirmwareCase::Block},
           FirmwareCase{0x92, "R0802", FirmwareCase::Filled},
           FirmwareCase{0x98, "R0801", FirmwareCase::Filled},
           FirmwareCase{0x96, "R0602", FirmwareCase::Untouched},
           FirmwareCase{0x93, "", FirmwareCase::Untouched},
       }) {
    auto image = imageOf(c.model);
    const ImageView v = image->current();
    v.fill(0x722, 50, 0x5A);
    v.setByte(0x754, 0x80);
    SettingsRecord s;
    s.lcdAdjust1 = 0x11;  // 0x73E and 0x73F lie in the block area and win over it
    s.lcdAdjust2 = 0x22;
    build(*image, s, c.firmware);

    std::vector<std::uint8_t> expected(50, c.result == FirmwareCase::Filled ? 0xFF : 0x5A);
    if (c.result == FirmwareCase::Block) {
      const bool p = c.model == 0x91 || c.model == 0x93 || c.model == 0x98;
      expected[0] = c.model;
      std::copy_n((p ? kFirmwarePatternP : kFirmwarePatternQ).begin(), 49, expected.begin() + 1);
    }
    expected[0x73E - 0x722] = 0x11;
    expected[0x73F - 0x722] = 0x22;
    const auto block = v.bytesAt(0x722, 50);
    EXPECT_EQ(std::vector<std::uint8_t>(block.begin(), block.end()), expected)
        << int(c.model) << " " << c.firmware;
    EXPECT_EQ(v.byte(0x754), 0x80) << "the code table after the block stays";
  }
}

TEST(FirmwarePatterns, KnownBytes) {
  EXPECT_EQ(kFirmwarePatternP[0], 0x0A);
  EXPECT_EQ(kFirmwarePatternP[10], 0xAF);
  EXPECT_EQ(kFirmwarePatternP[24], 0x00);
  EXPECT_EQ(kFirmwarePatternP[25], 0x21);
  EXPECT_EQ(kFirmwarePatternP[39], 0x02);
  EXPECT_EQ(kFirmwarePatternP[46], 0x00);
  EXPECT_EQ(kFirmwarePatternQ[16], 0x29);
  EXPECT_EQ(kFirmwarePatternQ[32], 0x00);
  EXPECT_EQ(kFirmwarePatternQ[33], 0x80);
  EXPECT_EQ(kFirmwarePatternQ[41], 0x2D);
  EXPECT_EQ(kFirmwarePatternQ[46], 0x00);
}

TEST(BuildDFamily, ExtendedAlertFields) {
  auto image = imageOf(0x96);
  const ImageView v = image->current();
  SettingsRecord s;
  s.alertDuration = 2;
  s.defaultReminderAlert = 9;
  s.reminderAlertDuration = 3;
  s.defaultAlert = 0;
  build(*image, s);
  EXPECT_TRUE(v.bit(0x7D, 7));
  EXPECT_FALSE(v.bit(0x7C, 1));
  EXPECT_EQ(v.bits(0xB9, 7, 2), 0b1010'11U);
  EXPECT_EQ(v.bits(0xBA, 7, 4), 1U);
}

TEST(BuildDFamily, UserPasswordOfFamilyF) {
  auto image = imageOf(0x98);
  const ImageView v = image->current();
  SettingsRecord s;
  s.cpwFc_Password = "31020310";
  s.userPasswordKeyCount = 8;
  s.userPasswordTimeout = 43200;
  s.fUif_User_Password_Enable = 1;
  s.cpfUif_Auto_Backlight_Mode = 1;
  build(*image, s);
  EXPECT_EQ(v.byte(0x44), 0x34);
  EXPECT_EQ(v.byte(0x45), 0xD2);
  EXPECT_EQ(v.byte(0x46), 43200 & 0xFF);
  EXPECT_EQ(v.byte(0x47), 43200 >> 8);
  EXPECT_EQ(v.byte(0x48), 0b1100'1010);

  // Keys typed without the count following them: the keys decide.
  s.cpwFc_Password = "123";
  s.userPasswordKeyCount = 2;
  build(*image, s);
  EXPECT_EQ(v.word16(0x44), 0x1B00);  // 01 10 11 in the low byte
  EXPECT_EQ(v.bits(0x48, 7, 5), 1U);

  // Family D and E leave these bytes alone.
  auto other = imageOf(0x93);
  other->current().fill(0x44, 5, 0xA5);
  build(*other, s);
  for (int k = 0; k < 5; ++k) EXPECT_EQ(other->current().byte(0x44 + k), 0xA5);
}

}  // namespace
}  // namespace zelta::codeplug
