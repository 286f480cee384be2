#include <gtest/gtest.h>

#include "codec_fixture.h"
#include "codeplug/builders.h"
#include "codeplug/codeplug_version.h"
#include "codeplug/decoders.h"
#include "recording_reporter.h"
#include "text/character_sets.h"
#include "text/languages.h"

namespace zelta::codeplug {
namespace {

using testing::imageOf;
using testing::startingSettings;

const std::string kNoCode(7, ' ');

// An image of model built from its starting settings, as a saved file holds it.
std::unique_ptr<CodeplugImage> builtImage(models::ModelCode model) {
  auto image = imageOf(model);
  SettingsRecord settings = startingSettings(*image);
  BuildContext context;
  context.pagerUnprogrammed = true;
  EXPECT_EQ(buildImage(*image, settings, context), errors::code::Ok);
  return image;
}

SettingsRecord decoded(CodeplugImage& image, errors::ResultCode expected = errors::code::Ok) {
  SettingsRecord settings;
  EXPECT_EQ(decodeImage(DecodeCommand::OpenFile, image, settings, {}), expected);
  return settings;
}

TEST(CodeplugVersion, SupportedUpTo834AndBandFieldFrom826) {
  struct Case {
    std::uint8_t hi, lo;
    errors::ResultCode result;
    bool bandField;
    const char* label;
  };
  const Case cases[] = {
      {0x18, 0x34, errors::code::Ok, true, "Codeplug Version : R08.03.04"},
      {0x18, 0x35, errors::code::NewerFile, true, "Codeplug Version : R08.03.05"},
      {0x19, 0x00, errors::code::NewerFile, true, "Codeplug Version : R09.00.00"},
      {0x08, 0x26, errors::code::Ok, true, "Codeplug Version : B08.02.06"},
      {0x18, 0x25, errors::code::Ok, false, "Codeplug Version : R08.02.05"},
      {0x27, 0x99, errors::code::Ok, false, "Codeplug Version : B07.09.09"},
  };
  for (const Case& c : cases) {
    std::array<std::uint8_t, 0x100> bytes{};
    bytes[0x96] = c.hi;
    bytes[0x97] = c.lo;
    const CodeplugVersionCheck check = checkCodeplugVersion(ConstImageView(std::span(bytes)));
    EXPECT_EQ(check.result, c.result) << c.label;
    EXPECT_EQ(check.bandFieldMark, c.bandField) << c.label;
    EXPECT_EQ(check.label, c.label);
  }
}

TEST(CodeplugVersion, ComparedWithThisProgram) {
  struct Case {
    CodeplugVersion version;
    int order;
  };
  const Case cases[] = {
      {{1, 8, 3, 4}, 0},   {{0, 8, 3, 4}, 0},    {{1, 8, 3, 5}, 1}, {{1, 9, 0, 0}, 1},
      {{1, 8, 2, 15}, -1}, {{1, 7, 15, 15}, -1}, {{0, 8, 4, 0}, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(compareWithProgramVersion(c.version), c.order) << versionNumberText(c.version);
  }
  EXPECT_EQ(versionNumberText({1, 8, 3, 5}), "08.03.05");
}

// With the band-field mark the band index comes from byte 0x73, else from
// the frequency (158.0125 MHz is band 2).
TEST(DecodeMain, VersionDecidesAcceptanceAndWhereTheBandComesFrom) {
  struct Case {
    std::uint8_t hi, lo;
    errors::ResultCode result;
    int band;
  };
  const Case cases[] = {
      {0x18, 0x34, errors::code::Ok, 5},        {0x18, 0x26, errors::code::Ok, 5},
      {0x18, 0x25, errors::code::Ok, 2},        {0x18, 0x35, errors::code::NewerFile, 0},
      {0x19, 0x00, errors::code::NewerFile, 0},
  };
  for (const Case& c : cases) {
    auto image = builtImage('p');
    image->current().setBits(0x73, 6, 3, 5);
    image->current().setWord24(0x300, (777U << 3) | 7U);  // code 1
    image->current().setByte(0x96, c.hi);
    image->current().setByte(0x97, c.lo);
    const SettingsRecord s = decoded(*image, c.result);
    if (c.result != errors::code::Ok) {
      // Left at the defaults, with the version found for the message.
      EXPECT_EQ(s.code[0], "1234567");
      EXPECT_EQ(s.freqBand, 0);
      EXPECT_EQ(s.codeplugVersionText,
                c.hi == 0x19 ? "Codeplug Version : R09.00.00" : "Codeplug Version : R08.03.05");
      continue;
    }
    EXPECT_EQ(s.freqBand, c.band) << std::hex << int(c.lo);
    EXPECT_EQ(s.code[0], "0000777");
    EXPECT_EQ(s.frequency, "158.0125");
  }
}

TEST(DecodeMain, EmptyCodesByFlagOrByTheirSlotsFixedValue) {
  auto image = builtImage('1');
  const ImageView b = image->current();
  // Code 1 reads 00 00 07 and code 3 00 00 04 without their empty flags;
  // code 2 holds an address but its flag is set; code 4 holds address 1.
  b.setWord24(0x300, 0x000007);
  b.setBit(0x314, 0, false);
  b.setWord24(0x303, 0x96B439);
  b.setBit(0x313, 4, true);
  b.setWord24(0x306, 0x000004);
  b.setBit(0x313, 3, false);
  b.setWord24(0x309, 0x00000F);
  b.setBit(0x313, 2, false);
  b.fill(0x24, 8, 0x22);  // every function numeric
  const SettingsRecord s = decoded(*image);
  EXPECT_EQ(s.code[0], kNoCode);
  EXPECT_EQ(s.code[1], kNoCode);
  EXPECT_EQ(s.code[2], kNoCode);
  EXPECT_EQ(s.code[3], "0000001");
  EXPECT_EQ(s.function[0], "TNAA");
  EXPECT_EQ(s.function[2], "TNAA");
  EXPECT_EQ(s.function[3], "NNNN");
}

TEST(DecodeMain, SynthesizerByteZeroMeansNoFrequency) {
  auto image = builtImage('0');
  image->current().setByte(0x31F, 0);
  const SettingsRecord s = decoded(*image);
  EXPECT_EQ(s.frequency, "000.0000");
  EXPECT_EQ(s.receiveFrequencyHz, 0);
}

TEST(DecodeMain, ReceiverValuesComeFromTheSynthesizerWords) {
  auto image = builtImage('2');
  const ImageView b = image->current();
  b.setBits(0x320, 5, 4, kPllNpc5170);
  b.setWord24(0x319, 0x000100);
  const SettingsRecord s = decoded(*image);
  EXPECT_EQ(s.receiver.pllType, kPllNpc5170);
  EXPECT_EQ(s.PLL_Type, kPllNpc5170);
  EXPECT_EQ(s.receiver.n, 2U);
}

// 158.0125 MHz in band 2 of a C image, whose synthesizer block moved to 0x719.
TEST(DecodeMain, LargeImageReadsItsOwnSlotsAndTheSecondCodeTable) {
  auto image = builtImage('q');
  const ImageView b = image->current();
  writeWideCode(b, 0x784 + 3, 1234);      // code 2
  writeWideCode(b, 0x784, std::nullopt);  // code 1
  b.setBit(0x7C7, 7, true);
  const SettingsRecord s = decoded(*image);
  EXPECT_EQ(s.frequency, "158.0125");
  EXPECT_EQ(s.code[0], kNoCode);
  EXPECT_EQ(s.code[1], "1234");
  EXPECT_EQ(s.toneOnlySupport, 1);
}

TEST(DecodeMain, CharacterSetIsSettledByThePromptLanguage) {
  struct Case {
    int language;
    int rowOf;
    int expected;
  };
  const Case cases[] = {
      {text::lang::danish, text::charset::norwegian, text::charset::danish},
      {text::lang::norwegian, text::charset::norwegian, text::charset::norwegian},
      {text::lang::italian, text::charset::us, text::charset::italian},
      {text::lang::english, text::charset::uk, text::charset::uk},
  };
  for (const Case& c : cases) {
    auto image = builtImage('1');
    const ImageView b = image->current();
    b.setBits(0x71, 7, 2, promptLanguageCodeFromIndex(c.language));
    const text::RemapRow& row = text::characterSetRow(c.rowOf);
    std::copy(row.begin(), row.end(), b.bytesAt(0x9A, row.size()).begin());
    const SettingsRecord s = decoded(*image);
    EXPECT_EQ(s.internationalPrompt, c.language);
    EXPECT_EQ(s.internationalCharSet, c.expected) << c.language;
  }
}

TEST(DecodeMain, OptionRulesByModelAndCharacterRom) {
  struct Case {
    models::ModelCode model;
    int cgromType;
    std::uint8_t byte79;  // ideographic canned bits 4-3
    std::uint8_t byte7D;
    int ideo;
    int alertDuration;
  };
  const Case cases[] = {
      {'1', 1, 0x18, 0x80, 2, 1},  // 11 reads as 2; 0x7D bit 7 means nothing on four-code models
      {'1', 2, 0x08, 0x00, 2, 1},  // one with ROM 2 reads as two
      {'p', 1, 0x08, 0x80, 1, 2},  // six-code models keep alert duration 2 in 0x7D
  };
  for (const Case& c : cases) {
    auto image = builtImage(c.model);
    image->header().cgromType = static_cast<std::uint8_t>(c.cgromType);
    const ImageView b = image->current();
    b.setBits(0x79, 4, 3, c.byte79 >> 3);
    b.setByte(0x7D, c.byte7D);
    b.setBit(0x7C, 1, true);
    const SettingsRecord s = decoded(*image);
    EXPECT_EQ(s.ideoNumericCanned, c.ideo) << c.model;
    EXPECT_EQ(s.alertDuration, c.alertDuration) << c.model;
  }
}

TEST(DecodeMain, MemorySizeComesFromTheImageUnlessThePagerIsUnprogrammed) {
  for (bool unprogrammed : {false, true}) {
    auto image = builtImage('x');
    image->current().setBit(0x7B, 7, false);
    image->header().largeMemory = true;
    image->header().memorySize = 32;
    SettingsRecord s;
    DecodeContext context;
    context.pagerUnprogrammed = unprogrammed;
    ASSERT_EQ(decodeImage(DecodeCommand::ReadPager, *image, s, context), errors::code::Ok);
    EXPECT_EQ(image->header().largeMemory, unprogrammed);
    EXPECT_EQ(image->header().memorySize, unprogrammed ? 32 : 8);
  }
}

TEST(DecodeMain, TextsAreTrimmedAndSingleSpacesEmptied) {
  auto image = builtImage('1');
  const ImageView b = image->current();
  b.setText(0x67, 10, "ICN 1");
  b.setBit(0x79, 1, true);        // prompts stored as text
  b.setText(0xEC, 10, " ", ' ');  // the auto-on prompt: one space padded with spaces
  const SettingsRecord s = decoded(*image);
  EXPECT_EQ(s.ICN, "ICN 1");
  EXPECT_EQ(s.prompts[text::PromptId::autoOnPrompt].text.view(), std::string(10, ' '));
  b.setText(0xEC, 10, " ", '!');
  const SettingsRecord padded = decoded(*image);
  EXPECT_EQ(padded.prompts[text::PromptId::autoOnPrompt].text.view(), " !!!!!!!!!");
}

// --- Old format ---

struct OldImage {
  std::unique_ptr<CodeplugImage> image;
  ImageView bytes;
};

// A 768-byte image in the old-format window: frequency 158.0125 MHz, 1200
// baud, codes 1-3 empty and code 4 stored bit-reversed.
OldImage oldImage(models::ModelCode model) {
  auto image = imageOf(model);
  const ImageView old = image->oldFormat();
  old.setByte(1, model);
  old.setByte(0x13, 0x01);  // 1200 baud, bit 3 clear: data inversion
  for (std::size_t slot : {0x18, 0x1B, 0x1E}) old.setWord24(slot, 0x0000F0);
  old.setWord24(0x21, 0x800010);  // reversed 01 00 08 -> 0x4000 | 1
  old.setWord24(0x49, 1580125);
  old.fill(0x24, 8, 0x33);
  old.setByte(0x76, 0x06);  // alerts on, standard pager
  return {std::move(image), old};
}

TEST(ConvertOldFormat, ReadsTheOldEncodingsAndRelaysTheImageAsModel1) {
  OldImage old = oldImage(' ');
  SettingsRecord s;
  ASSERT_EQ(decodeImage(DecodeCommand::OpenFile, *old.image, s, {}), errors::code::Ok);
  EXPECT_EQ(s.codingFormat, 1);
  EXPECT_EQ(s.dataInversion, 1);
  EXPECT_EQ(s.code[0], kNoCode);
  EXPECT_EQ(s.code[2], kNoCode);
  EXPECT_EQ(s.code[3], "0016385");
  EXPECT_EQ(s.function[0], "TNAA");
  EXPECT_EQ(s.function[3], "AAAA");
  EXPECT_EQ(s.frequency, "158.0125");
  EXPECT_EQ(s.freqBand, 2);
  EXPECT_EQ(s.zoom, 1);
  EXPECT_EQ(s.prompts[text::PromptId::zoomInPrompt].text.view(), "ZOOM IN");
  EXPECT_FALSE(s.kept.synthesizerFlag);
  EXPECT_EQ(s.kept.block21, (std::array<std::uint8_t, 21>{
                                0xF3, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3,
                                0xF3, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3, 0xF3}));
  const ConstImageView current = std::as_const(*old.image).current();
  EXPECT_EQ(current.byte(1), '1');
  EXPECT_EQ(current.byte(0x49), old.bytes.byte(0x49));  // the old header is kept
  EXPECT_EQ(current.byte(0x31F), 0x39);
  EXPECT_EQ(current.byte(0x320), 0x41);
  EXPECT_EQ(current.byte(0xEC), 0);  // nothing of the old window past 236 bytes
}

TEST(ConvertOldFormat, SynthesizerByBandAndFrequenciesWithoutOne) {
  struct Case {
    std::uint32_t steps;  // 100 Hz
    errors::ResultCode result;
    std::uint8_t synthesizer, oscillator;
  };
  const Case cases[] = {
      {1380000, errors::code::Ok, 0x39, 0x41},          // 138 MHz, band 0
      {4655000, errors::code::Ok, 0x3B, 0x41},          // 465.5 MHz, band 5
      {9295000, errors::code::Ok, 0x9B, 0x21},          // 929.5 MHz, band 6
      {4455000, errors::code::NotSynthesizable, 0, 0},  // band 7
      {3000000, errors::code::NotSynthesizable, 0, 0},  // no band
  };
  for (const Case& c : cases) {
    OldImage old = oldImage(0x22);
    old.bytes.setWord24(0x49, c.steps);
    SettingsRecord s;
    ASSERT_EQ(decodeImage(DecodeCommand::OpenFile, *old.image, s, {}), c.result) << c.steps;
    if (c.result != errors::code::Ok) {
      EXPECT_EQ(s.code[3], kNoCode);  // left at the defaults
      continue;
    }
    EXPECT_EQ(old.image->current().byte(0x31F), c.synthesizer);
    EXPECT_EQ(old.image->current().byte(0x320), c.oscillator);
  }
}

TEST(ConvertOldFormat, EmptySlotsAndModelHashFunctions) {
  OldImage old = oldImage('#');
  old.bytes.setWord24(0x21, 0x000080);  // bit 7 of the third byte: no code either
  SettingsRecord s;
  ASSERT_EQ(decodeImage(DecodeCommand::OpenFile, *old.image, s, {}), errors::code::Ok);
  const std::array<std::string, 4> expected{"NIII", "IIII", "NIII", "NIII"};
  for (std::size_t c = 0; c < 4; ++c) {
    EXPECT_EQ(s.code[c], kNoCode);
    EXPECT_EQ(s.function[c], expected[c]);
  }
}

// --- Dispatch ---

TEST(DecodeImage, ModelBangIsDecodedByWhereItsImageLies) {
  // A 1 KB '!' image at the image start: the main decoder (frequency from
  // the synthesizer words).
  auto oneKb = builtImage('!');
  EXPECT_EQ(decoded(*oneKb).frequency, "158.0125");

  // A 768-byte '!' image in the window: the old-format conversion.
  OldImage old = oldImage('!');
  old.bytes.setWord24(0x49, 1520000);
  EXPECT_EQ(decoded(*old.image).frequency, "152.0000");
  EXPECT_EQ(old.image->current().byte(1), '1');

  // A pager read says which generation it was.
  OldImage read = oldImage('!');
  read.image->current().setByte(1, '!');
  zelta::testing::RecordingReporter reporter;
  DecodeContext context;
  context.oldGenerationPager = true;
  context.reporter = &reporter;
  SettingsRecord s;
  ASSERT_EQ(decodeImage(DecodeCommand::ReadPager, *read.image, s, context), errors::code::Ok);
  EXPECT_EQ(s.frequency, "158.0125");
  ASSERT_EQ(reporter.shown.size(), 1U);
  EXPECT_EQ(reporter.shown[0].text, errors::reportMessage(errors::code::ConvertingFormat, {}).text);
}

TEST(DecodeImage, OnlyAPagerReadAnnouncesTheConversion) {
  for (DecodeCommand command : {DecodeCommand::OpenFile, DecodeCommand::SetToDefaults}) {
    OldImage old = oldImage(' ');
    zelta::testing::RecordingReporter reporter;
    DecodeContext context;
    context.reporter = &reporter;
    SettingsRecord s;
    ASSERT_EQ(decodeImage(command, *old.image, s, context), errors::code::Ok);
    EXPECT_TRUE(reporter.shown.empty());
  }
}

TEST(DecodeImage, NoModelGivesTheDefaults) {
  auto image = std::make_unique<CodeplugImage>();
  SettingsRecord s;
  s.code[0] = "7654321";
  ASSERT_EQ(decodeImage(DecodeCommand::SetToDefaults, *image, s, {}), errors::code::Ok);
  EXPECT_EQ(s.code[1], kNoCode);
  EXPECT_NE(s.code[0], "7654321");
}

TEST(DecodeImage, Model6IsFamilyA) {
  auto image = builtImage('6');
  EXPECT_EQ(decoded(*image).frequency, "158.0125");
}

}  // namespace
}  // namespace zelta::codeplug
