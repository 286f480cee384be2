// Properties of decoding and building together, over every model of
// families A, B and C: a codeplug built from settings decodes to the same
// settings, and a build after a decode keeps every byte no setting covers.

#include <gtest/gtest.h>

#include <random>

#include "codec_fixture.h"
#include "codeplug/builders.h"
#include "codeplug/decoders.h"

namespace zelta::codeplug {
namespace {

using testing::expectSameSettings;
using testing::imageOf;
using testing::startingSettings;

constexpr models::ModelCode kMainModels[] = {'!', '0', '1', '2', '6', ':', 'p', 't', 'x', 'q', 'u'};

BuildContext unprogrammed() {
  BuildContext context;
  context.pagerUnprogrammed = true;
  return context;
}

std::string nameOf(models::ModelCode model) {
  return std::string("model '") + static_cast<char>(model) + "'";
}

TEST(CodecRoundTrip, BuiltSettingsDecodeToTheSameSettings) {
  for (models::ModelCode model : kMainModels) {
    auto image = imageOf(model);
    SettingsRecord built = startingSettings(*image);
    ASSERT_EQ(buildImage(*image, built, unprogrammed()), errors::code::Ok) << nameOf(model);
    SettingsRecord decoded;
    ASSERT_EQ(decodeImage(DecodeCommand::OpenFile, *image, decoded, {}), errors::code::Ok)
        << nameOf(model);
    expectSameSettings(built, decoded, nameOf(model));
  }
}

// The bits a build of a programmed pager may change, from the image layout:
// everything else must come back as it was read.
class CoveredBits : public testing::ImageBitMask {
 public:
  CoveredBits(models::ModelCode model, ConstImageView original, int cgromType) {
    const bool sixCode = models::modelIn(model, models::ModelGroup::sixCodeModels);
    const bool large = models::modelIn(model, models::ModelGroup::largeQModels);
    const bool space = model == ' ';
    const bool hash = model == '#';
    range(0x00, 8);   // RF flag, model, ")&)", "YC", generation
    range(0x08, 10);  // over-the-air password
    set(0x12, 0x10);
    set(0x13, 0x07);
    set(0x17, 0xFF);  // frame bitmap
    range(0x24, 8);   // function nibbles, codes 1-4
    if (sixCode) {
      range(0x2C, 4);  // function nibbles, codes 5-6
      set(0x30, 0x8F);
      set(0x31, 0xFF);
    } else {
      set(0x2C, 0x80);
    }
    range(0x3D, 6);   // tuning, end of message, battery
    range(0x51, 2);   // priorities
    range(0x53, 10);  // download password
    range(0x67, 10);  // inventory number
    set(0x71, 0xFF);
    set(0x72, 0x03);
    set(0x73, 0xF8);
    set(0x75, 0x9F);
    range(0x76, 3);
    set(0x79, 0xFB);
    set(0x7A, 0x7F);
    set(0x7B, 0x7F);
    range(0x7C, 1);
    if (!space) set(0x7D, sixCode ? 0xFE : 0x7E);
    range(0x7E, 6);  // timers
    if (!space && (original.byte(0x84) == 0 || original.byte(0x84) > 50)) set(0x84, 0xFF);
    set(0x85, 0x0F);
    range(0x86, 16);  // melody
    range(0x96, 2);   // version
    set(0x99, 0x03);
    range(0x9A, 14);  // remap row
    if (cgromType == 3) set(0xAA, 0xFF);
    set(0xAC, space ? 0x1F : 0x0F);
    set(0xAD, 0x0F);
    set(0xAE, 0xFF);
    if (!space && !hash && !original.bit(0xB9, 1)) {
      range(0xAF, 10);
      range(0xCA, 16);
      set(0xDC, 0xFF);
    }
    if (sixCode) {
      set(0xB9, 0xFC);
      set(0xBA, 0xF0);
    }
    if (!space && cgromType <= 5) set(0xBA, 0x0F);
    if (hash) set(0xBA, 0x04);
    if (!space && !hash) {
      range(0xBB, 14);
      range(0xDA, 2);  // history
      range(0xE7, 5);
    }
    if (!space) range(0xDD, 10);  // group password
    if (space) {
      range(0x3C, 8);
      range(0xAF, 0xC9 - 0xAF);
      range(0x14A, 21);
      range(0x2C6, 0x2EA - 0x2C6);
    }
    // Prompts: the compressed block, or the text area of the family.
    if (!original.bit(0x79, 1)) {
      range(0xEC, large ? 600 : 510);
    } else {
      range(0xEC, (sixCode ? 0x2E6 : 0x298) - 0xEC);
    }

    const std::size_t block = large ? 0x700 : 0x300;
    range(block, 18);         // code slots 1-6
    set(block + 0x12, 0xD0);  // P2, data inversion
    set(block + 0x13, 0xFF);  // coding format, empty flags
    set(block + 0x14, 0xF1);  // P1, empty flag of code 1
    set(block + 0x18, 0xFC);  // P3
    range(block + 0x19, 7);   // N and R words, synthesizer byte
    set(block + 0x20, 0xF3);  // oscillator byte but its two kept flags
    set(block + 0x21, models::modelIn(model, models::ModelGroup::iconContrastGroup) ? 0xFF : 0x03);
    set(large ? 0x7CC : 0x2EA, 0xFF);  // first byte of the 21-byte block
    if (large) {
      range(0x344, 0x600 - 0x344);  // behind the prompt area
      if (original.bit(0x79, 1)) range(0x2EA, 12);
      range(0x7CC, 0x800 - 0x7CC);
      for (std::size_t slot = 0x784; slot < 0x7B4; slot += 3) {
        range(slot, 2);
        set(slot + 2, 0xFC);
      }
      set(0x795, 0x03);  // coding format
      set(0x7C7, 0x80);  // tone only
    }
  }
};

void rebuild(CodeplugImage& image, SettingsRecord& settings) {
  BuildContext context;
  buildMain(image, settings, context);
  if (models::modelIn(image.modelCode(), models::ModelGroup::largeQModels))
    buildLargeImage(image, settings, context);
}

TEST(CodecRoundTrip, BuildAfterDecodeKeepsEveryUncoveredBitOfRandomImages) {
  std::mt19937 random(20150622);
  for (models::ModelCode model : kMainModels) {
    for (int round = 0; round < 40; ++round) {
      auto image = imageOf(model);
      const std::size_t synthesizerByte =
          models::modelIn(model, models::ModelGroup::largeQModels) ? 0x71F : 0x31F;
      const int cgromType = testing::fillRandomImage(*image, model, random, synthesizerByte);
      const auto bytes = std::as_const(*image).current().span();
      const std::vector<std::uint8_t> original(bytes.begin(), bytes.end());
      const CoveredBits covered(model, ConstImageView(std::span(original)), cgromType);
      testing::expectBuildKeepsUncoveredBits(*image, original, covered, rebuild,
                                             nameOf(model) + " round " + std::to_string(round));
    }
  }
}

// An old image is converted into the family A layout behind its first 236
// bytes; a build keeps every bit of those that no setting covers.
TEST(CodecRoundTrip, BuildAfterConversionKeepsTheUncoveredBitsOfTheOldHeader) {
  constexpr std::size_t kOldHeaderBytes = 236;
  std::mt19937 random(19960101);
  for (models::ModelCode model : {' ', '"', '#', '!'}) {
    for (int round = 0; round < 40; ++round) {
      auto image = imageOf(model);
      const ImageView old = image->oldFormat();
      for (auto& b : old.span()) b = static_cast<std::uint8_t>(random());
      old.setByte(1, model);
      old.setWord24(0x49, 1'580'125);  // 158.0125 MHz
      const int cgromType = model == '#' ? 4 : static_cast<int>(random() % 4);
      image->header().cgromType = static_cast<std::uint8_t>(cgromType);
      const std::vector<std::uint8_t> original(old.span().begin(), old.span().end());
      const CoveredBits covered(model, ConstImageView(std::span(original)), cgromType);

      SettingsRecord settings;
      ASSERT_EQ(decodeImage(DecodeCommand::OpenFile, *image, settings, {}), errors::code::Ok)
          << nameOf(model);
      rebuild(*image, settings);
      const ConstImageView built = std::as_const(*image).current();
      for (std::size_t at = 0; at < kOldHeaderBytes; ++at) {
        const auto kept = static_cast<std::uint8_t>(~covered.at(at));
        ASSERT_EQ(built.byte(at) & kept, original[at] & kept)
            << nameOf(model) << " round " << round << " byte 0x" << std::hex << at;
      }
      // '!' has a 1 KB form of its own; the others stay model '1' images.
      EXPECT_EQ(built.byte(1), model == '!' ? '!' : '1') << nameOf(model);
      EXPECT_EQ(built.word24(0x49), 1'580'125U);
    }
  }
}

}  // namespace
}  // namespace zelta::codeplug
