#include <gtest/gtest.h>

#include <functional>

#include "codec_fixture.h"
#include "codeplug/builders.h"
#include "codeplug/decoders.h"
#include "codeplug/firmware_blocks.h"
#include "registry_models.h"

namespace zelta::codeplug {
namespace {

using testing::imageOf;
using testing::startingSettings;

struct Built {
  std::unique_ptr<CodeplugImage> image;
  SettingsRecord settings;
  ConstImageView bytes() const { return std::as_const(*image).current(); }
};

// Builds model from its starting settings changed by edit.
Built build(models::ModelCode model, const std::function<void(SettingsRecord&)>& edit = {},
            BuildContext context = {}, const std::function<void(CodeplugImage&)>& prepare = {}) {
  Built b{imageOf(model), {}};
  b.settings = startingSettings(*b.image);
  if (prepare) prepare(*b.image);
  if (edit) edit(b.settings);
  EXPECT_EQ(buildImage(*b.image, b.settings, context), errors::code::Ok);
  return b;
}

BuildContext unprogrammedWith(std::string firmware) {
  BuildContext context;
  context.pagerUnprogrammed = true;
  context.firmware = std::move(firmware);
  return context;
}

std::vector<std::uint8_t> bytesOf(ConstImageView image, std::size_t at, std::size_t count) {
  const auto run = image.bytesAt(at, count);
  return {run.begin(), run.end()};
}

// Every model the main builder writes: all but families D-F.
const std::vector<models::ModelCode> kMainModels = zelta::testing::registryModels(
    [](const models::ModelInfo& m) { return !models::isDFamily(m.family); });

TEST(BuildMain, Code2AloneWritesItsSlotFlagsAndFrame) {
  for (models::ModelCode model : {'1', 'p', 'q'}) {
    const Built b = build(model, [](SettingsRecord& s) {
      s.code[0] = "       ";
      s.code[1] = "1234567";
    });
    const std::size_t block = model == 'q' ? 0x700 : 0x300;
    EXPECT_EQ(bytesOf(b.bytes(), block, 6),
              (std::vector<std::uint8_t>{0x00, 0x00, 0x07, 0x96, 0xB4, 0x39}));
    EXPECT_TRUE(b.bytes().bit(block + 0x14, 0));   // code 1 empty
    EXPECT_FALSE(b.bytes().bit(block + 0x13, 4));  // code 2 used
    EXPECT_TRUE(b.bytes().bit(block + 0x13, 3));   // code 3 empty
    EXPECT_EQ(b.bytes().byte(0x17), 0x80);         // 1234567 mod 8 = 7
    // An empty code writes no function nibbles.
    EXPECT_EQ(b.bytes().byte(0x24) & 0x0F, 0);
    EXPECT_EQ(b.bytes().byte(0x24) >> 4, 1);  // code 2 "TNAA": T first
  }
}

TEST(BuildMain, FourCodeModelsClearCodes5And6) {
  const Built b =
      build('0', {}, {}, [](CodeplugImage& image) { image.current().fill(0x30C, 6, 0x5A); });
  EXPECT_EQ(bytesOf(b.bytes(), 0x30C, 6), (std::vector<std::uint8_t>{0, 0, 4, 0, 0, 0}));
  EXPECT_EQ(b.bytes().bits(0x313, 1, 0), 3U);
}

TEST(BuildMain, EveryImageCarriesVersion834) {
  for (models::ModelCode model : kMainModels) {
    const Built b = build(model);
    EXPECT_EQ(b.bytes().byte(0x96), 0x18) << model;
    EXPECT_EQ(b.bytes().byte(0x97), 0x34) << model;
  }
}

TEST(BuildMain, ModelByteAndGeneration) {
  struct Case {
    models::ModelCode model;
    bool unprogrammed;
    std::uint8_t byte1;
    char generation;
  };
  const Case cases[] = {
      {'0', false, '0', '0'}, {'6', false, '6', '0'}, {'!', false, '!', '0'},
      {'p', false, 'p', '2'}, {'x', false, 'x', '2'}, {'q', false, 'q', '3'},
      {'u', false, 'u', '3'}, {' ', false, '1', '0'},  // a converted image keeps its '1'
      {' ', true, ' ', '0'},
  };
  for (const Case& c : cases) {
    BuildContext context;
    context.pagerUnprogrammed = c.unprogrammed;
    const Built b =
        build(c.model, {}, context, [](CodeplugImage& image) { image.current().setByte(1, '1'); });
    EXPECT_EQ(b.bytes().byte(1), c.byte1) << c.model;
    EXPECT_EQ(b.bytes().byte(7), c.generation) << c.model;
    EXPECT_EQ(b.bytes().text(2, 5), ")&)YC");
  }
}

TEST(BuildMain, Byte84IsOneTo50) {
  const std::pair<int, int> cases[] = {{0, 50}, {60, 50}, {51, 50}, {50, 50}, {1, 1}, {37, 37}};
  for (const auto& [setting, stored] : cases) {
    const Built b = build('t', [&](SettingsRecord& s) { s.kept.byte84 = setting; });
    EXPECT_EQ(b.bytes().byte(0x84), stored) << setting;
  }
}

TEST(BuildMain, ReceiverParametersByCodingFormatAndBand) {
  struct Case {
    const char* frequency;
    int codingFormat;
    int p1, p2, p3;
  };
  const Case cases[] = {
      {"929.0125", 2, 2, 1, 31}, {"929.0125", 0, 2, 1, 8},  {"931.5000", 1, 2, 1, 18},
      {"158.0125", 2, 2, 1, 24}, {"158.0125", 1, 8, 1, 12}, {"465.0000", 0, 3, 0, 6},
  };
  for (const Case& c : cases) {
    const Built b = build('1', [&](SettingsRecord& s) {
      s.frequency = c.frequency;
      s.freqBand = bandOfFrequency(*frequencyHzFromText(c.frequency));
      s.codingFormat = c.codingFormat;
    });
    EXPECT_EQ(b.bytes().bits(0x314, 7, 4), unsigned(c.p1)) << c.frequency << "/" << c.codingFormat;
    EXPECT_EQ(b.bytes().bits(0x312, 7, 6), unsigned(c.p2)) << c.frequency << "/" << c.codingFormat;
    EXPECT_EQ(b.bytes().bits(0x318, 7, 2), unsigned(c.p3)) << c.frequency << "/" << c.codingFormat;
    static constexpr unsigned kFormatBits[] = {1, 2, 7};
    EXPECT_EQ(b.bytes().bits(0x313, 7, 5), kFormatBits[c.codingFormat]);
    EXPECT_EQ(b.bytes().bits(0x13, 1, 0), unsigned(c.codingFormat));
  }
}

TEST(BuildMain, SynthesizerAboveTheCarrierSetsDataInversion) {
  const Built high = build('2', [](SettingsRecord& s) {
    s.frequency = "140.0000";
    s.freqBand = 0;
  });
  EXPECT_TRUE(high.bytes().bit(0x312, 4));
  EXPECT_EQ(high.bytes().bits(0x99, 1, 0), 2U);
  const Built low = build('2');
  EXPECT_FALSE(low.bytes().bit(0x312, 4));
  EXPECT_EQ(low.bytes().bits(0x99, 1, 0), 1U);
}

TEST(BuildImage, UnsynthesizableFrequencyBuildsNothing) {
  for (const char* frequency : {"158.0130", "", "abc"}) {
    auto image = imageOf('p');
    image->current().fill(0, 0x400, 0xA5);
    SettingsRecord s = startingSettings(*image);
    s.frequency = frequency;
    EXPECT_EQ(buildImage(*image, s, {}), errors::code::NotSynthesizable) << frequency;
    const auto bytes = bytesOf(std::as_const(*image).current(), 0, 0x400);
    EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](auto v) { return v == 0xA5; }))
        << frequency;
  }
}

TEST(BuildMain, ModelPWithR0602OnAnUnprogrammedPager) {
  const Built b = build('p', {}, unprogrammedWith("R0602"));
  const ConstImageView image = b.bytes();
  EXPECT_EQ(image.byte(0x321), 0x7C);
  EXPECT_EQ(image.byte(0x322), 0x70);
  EXPECT_EQ(bytesOf(image, 0x323, 49),
            std::vector<std::uint8_t>(kFirmwarePatternP.begin(), kFirmwarePatternP.end()));
  EXPECT_EQ(bytesOf(image, 0x2EA, 0x16), std::vector<std::uint8_t>(0x16, 0xF3));
  EXPECT_EQ(bytesOf(image, 0x354, 0x400 - 0x354), std::vector<std::uint8_t>(0x400 - 0x354, 0xFF));
}

TEST(BuildMain, FirmwareBlocksByModelAndFlag) {
  struct Case {
    models::ModelCode model;
    const char* firmware;
    std::size_t at;
    std::vector<std::uint8_t> head;  // the first bytes written there
    std::uint8_t byte321;            // on an unprogrammed pager
  };
  const Case cases[] = {
      {':', "R0105", 0x322, {':', 0x10, 0x2B, 0x2D}, 0xB4},
      {'x', "R0602", 0x322, {'x', 0x10, 0x2B}, 0xB4},
      {'2', "R0105", 0x322, {'2', 0x0A, 0xE2}, 0x7C},
      {'!', "R0103", 0x2EA, {0xF4, 0x37, 0x00}, 0},
      {'!', "R0103", 0x322, {0x7E, 0xBF, 0x3F}, 0},
      {'1', "R0104", 0x2EA, {0xFC, 0x34, 0x07, 0x00, 0xF3}, 0},
      {'0', "R0104", 0x334, {0x7E, 0xBF, 0x83}, 0},
      {'0', "R0104", 0x34B, {0xC0, 0xFF, 0x29}, 0},  // PLL type 0
      {'q', "R0708", 0x722, {'q', 0x0A, 0xE2}, 0},
      {'u', "R0708", 0x722, {'u', 0x10, 0x2B}, 0},
  };
  for (const Case& c : cases) {
    const Built b = build(c.model, {}, unprogrammedWith(c.firmware));
    EXPECT_EQ(bytesOf(b.bytes(), c.at, c.head.size()), c.head) << c.model << " " << c.firmware;
    if (c.byte321 != 0) {
      EXPECT_EQ(b.bytes().byte(0x321), c.byte321) << c.model;
    }
  }
  // PLL types 1 and 3 put their head before the common table at 0x34B.
  const Built mb = build(
      '1', [](SettingsRecord& s) { s.PLL_Type = kPllMb15e03; }, unprogrammedWith("R0104"));
  EXPECT_EQ(bytesOf(mb.bytes(), 0x34B, 3), (std::vector<std::uint8_t>{0x76, 0x0F, 0x73}));
  EXPECT_EQ(bytesOf(mb.bytes(), 0x355, 3), (std::vector<std::uint8_t>{0xC0, 0xFF, 0x29}));
  EXPECT_EQ(mb.bytes().byte(0x322), 0xFF);
  // Without the flag no block is written.
  const Built plain = build('p', {}, unprogrammedWith("R0601"));
  EXPECT_NE(plain.bytes().byte(0x322), 'p');
}

TEST(BuildMain, AreaFillsByModel) {
  auto dirty = [](CodeplugImage& image) { image.current().fill(0, 0x800, 0x5A); };
  const Built space = build(' ', {}, {}, dirty);
  EXPECT_EQ(bytesOf(space.bytes(), 0x14A, 21), std::vector<std::uint8_t>(21, 0xF3));
  EXPECT_EQ(bytesOf(space.bytes(), 0xAF, 0xC9 - 0xAF), std::vector<std::uint8_t>(0xC9 - 0xAF, 0));
  EXPECT_EQ(bytesOf(space.bytes(), 0x2C6, 0x2EA - 0x2C6),
            std::vector<std::uint8_t>(0x2EA - 0x2C6, 0));
  EXPECT_EQ(bytesOf(space.bytes(), 0x3C, 1), std::vector<std::uint8_t>{0});
  EXPECT_EQ(bytesOf(space.bytes(), 0x3D, 3), (std::vector<std::uint8_t>{90, 78, 98}));

  const Built hash = build('#', {}, {}, dirty);
  EXPECT_EQ(hash.bytes().byte(0x2EA), 0xF3);
  EXPECT_EQ(hash.bytes().byte(0xBB), 0x5A);

  const Built other = build('t', {}, {}, dirty);
  EXPECT_EQ(other.bytes().byte(0x2EA), 0xF3);
  EXPECT_EQ(bytesOf(other.bytes(), 0xBB, 14), std::vector<std::uint8_t>(14, 0));
  EXPECT_EQ(bytesOf(other.bytes(), 0xE7, 5), std::vector<std::uint8_t>(5, 0));
  EXPECT_EQ(other.bytes().bits(0x305, 2, 1), 0U);

  const Built large = build('u', {}, {}, dirty);
  EXPECT_EQ(bytesOf(large.bytes(), 0x7CC, 52), std::vector<std::uint8_t>(52, 0xF3));
  EXPECT_EQ(bytesOf(large.bytes(), 0x344, 0x600 - 0x344),
            std::vector<std::uint8_t>(0x600 - 0x344, 0));
}

TEST(BuildMain, AreasBehindByteB9Bit1) {
  for (bool bit : {false, true}) {
    const Built b = build(
        '0', [&](SettingsRecord& s) { s.kept.byteB9Bit1 = bit; }, {},
        [](CodeplugImage& image) { image.current().fill(0xAF, 0xDD - 0xAF, 0x5A); });
    const std::uint8_t expected = bit ? 0x5A : 0;
    EXPECT_EQ(bytesOf(b.bytes(), 0xAF, 10), std::vector<std::uint8_t>(10, expected));
    EXPECT_EQ(bytesOf(b.bytes(), 0xCA, 16), std::vector<std::uint8_t>(16, expected));
    EXPECT_EQ(b.bytes().byte(0xDC), expected);
    EXPECT_EQ(b.bytes().bit(0xB9, 1), bit);
  }
}

TEST(BuildMain, ForcedOptionBits) {
  const Built notebook = build('1', [](SettingsRecord& s) {
    s.manualDelete = 0;
    s.personalMessageNotebook = 1;
    s.realTimeClock = 1;
  });
  EXPECT_TRUE(notebook.bytes().bit(0x77, 7));
  EXPECT_TRUE(notebook.bytes().bit(0x77, 3));

  const Built noNotebook = build('1', [](SettingsRecord& s) {
    s.manualDelete = 0;
    s.personalMessageNotebook = s.maildropMessageNotebook = 0;
    s.realTimeClock = 0;
  });
  EXPECT_FALSE(noNotebook.bytes().bit(0x77, 7));
  EXPECT_FALSE(noNotebook.bytes().bit(0x77, 3));

  // Model ' ' has no maildrop notebook.
  const Built space = build(' ', [](SettingsRecord& s) { s.maildropMessageNotebook = 1; });
  EXPECT_FALSE(space.bytes().bit(0x76, 7));
}

TEST(BuildMain, CharacterRomDecidesCannedAndDecodingBits) {
  struct Case {
    models::ModelCode model;
    int rom;
    int ideo;           // setting
    unsigned bits79;    // 0x79 bits 4-3 written
    unsigned nibbleBA;  // 0xBA bits 3-0
    bool bit78;         // 0x78 bit 0 with the 14-bit setting on
  };
  const Case cases[] = {
      {'1', 0, 2, 0, 0x0, true}, {'1', 1, 2, 3, 0x1, false}, {'1', 2, 1, 1, 0x1, false},
      {'1', 3, 2, 1, 0x2, true}, {'1', 5, 0, 0, 0x8, true},  {'#', 4, 0, 1, 0x4, true},
      {'#', 3, 2, 1, 0x6, true},
  };
  for (const Case& c : cases) {
    const Built b = build(
        c.model,
        [&](SettingsRecord& s) {
          s.ideoNumericCanned = c.ideo;
          s.b14bitDecodingRom3 = 1;
        },
        {},
        [&](CodeplugImage& image) { image.header().cgromType = static_cast<std::uint8_t>(c.rom); });
    EXPECT_EQ(b.bytes().bits(0x79, 4, 3), c.bits79) << c.model << c.rom;
    EXPECT_EQ(b.bytes().bits(0xBA, 3, 0), c.nibbleBA) << c.model << c.rom;
    EXPECT_EQ(b.bytes().bit(0x78, 0), c.bit78) << c.model << c.rom;
  }
}

TEST(BuildMain, SerialNumberAndMemorySplitOnlyForAnUnprogrammedPager) {
  for (bool unprogrammed : {false, true}) {
    BuildContext context;
    context.pagerUnprogrammed = unprogrammed;
    const Built b = build(
        'x',
        [](SettingsRecord& s) {
          s.serialNumber = "BZZQ123";
          s.memorySplit = 16;
        },
        context, [](CodeplugImage& image) { image.current().fill(0x5D, 10, 'A'); });
    EXPECT_EQ(b.bytes().text(0x5D, 10), unprogrammed ? "BZZQ123   " : "AAAAAAAAAA");
    EXPECT_EQ(b.bytes().byte(0xC9), unprogrammed ? 16 : 0);
  }
}

// A converted old image has no synthesizer words; its frequency stays at 0x49.
TEST(BuildMain, SynthesizerWordsOnlyWithTheSynthesizerFlag) {
  for (bool flag : {false, true}) {
    const Built b = build(
        '1', [&](SettingsRecord& s) { s.kept.synthesizerFlag = flag; }, {},
        [](CodeplugImage& image) { image.current().fill(0x319, 6, 0x5A); });
    EXPECT_EQ(b.bytes().bit(0x13, 2), flag);
    EXPECT_EQ(b.bytes().byte(0x319) == 0x5A, !flag);
    EXPECT_NE(b.bytes().byte(0x31F), 0);
  }
}

TEST(BuildMain, PromptsStoredAsTextGoToTheirSlots) {
  const Built b = build('p', [](SettingsRecord& s) {
    s.promptsAsText = true;
    s.prompts[text::PromptId::powerUpPrompt].text.assign("HELLO");
    s.prompts[text::sourcePromptId(17)].text.assign("SRC17");
  });
  EXPECT_TRUE(b.bytes().bit(0x79, 1));
  EXPECT_EQ(b.bytes().text(0x1AE, 14), "HELLO!!!!!!!!!");
  EXPECT_EQ(b.bytes().text(0x2B6, 6), "SRC17!");
}

// A codeplug read from a model ' ' pager gets the features it lacked when it
// is built for another model.
TEST(BuildMain, OldModelFeatureDefaultsWhenProgrammingStartedWithModelSpace) {
  for (models::ModelCode start : {models::ModelCode{' '}, models::ModelCode{'1'}}) {
    BuildContext context;
    context.modelAtProgrammingStart = start;
    const Built b = build(
        '1',
        [](SettingsRecord& s) {
          s.alarmAlwaysAudible = 0;
          s.keyChirp = 1;
          s.endMsgChar = "7F";
        },
        context);
    const bool applied = start == ' ';
    EXPECT_EQ(b.bytes().bit(0x7D, 3), applied) << start;
    EXPECT_EQ(b.bytes().bit(0x7D, 2), !applied) << start;
    EXPECT_EQ(b.bytes().byte(0x40), applied ? 0x04 : 0x7F) << start;
  }
}

}  // namespace
}  // namespace zelta::codeplug
