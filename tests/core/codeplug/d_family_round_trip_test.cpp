// Properties of the D-F decoder and builder together, over every model code
// of the three families.

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "codeplug/builders.h"
#include "codeplug/decoders.h"
#include "d_family_fixture.h"

namespace zelta::codeplug {
namespace {

using testing::dImage;
using testing::fillRandom;
using testing::kDFamilyModels;
using testing::synthesize;

// The settings a fresh D-F codeplug starts from.
SettingsRecord dDefaults(ModelCode model) {
  SettingsRecord s;
  s.frequency = "158.0125";
  s.freqBand = 2;
  s.code[0] = "1234567";
  s.userPasswordKeyCount = 2;
  s.userPasswordTimeout = 300;
  if (modelIn(model, ModelGroup::dualOrF)) s.frequency2 = "159.0000";
  return s;
}

// Every D-F field given a value other than its default.
SettingsRecord editedSettings(ModelCode model) {
  SettingsRecord s = dDefaults(model);
  s.frequency = "163.98750";
  s.freqBand = 3;
  s.PLL_Type = 3;
  if (modelIn(model, ModelGroup::dualOrF)) s.frequency2 = "170.1250";
  s.codingFormat = 2;
  s.dataInversion = 1;
  for (int c = 0; c < kMaxCodes; ++c) {
    const auto i = static_cast<std::size_t>(c);
    s.code[i] = c == 5 ? std::string(7, ' ') : std::to_string(100 + 37 * c);
    s.function[i] = c == 5 ? "TNAA" : std::string{"TNAIPHX"[c % 7], 'A', "XTN"[c % 3], 'I'};
    s.codeType[i] = c == 5 ? 0 : c % 3;
    if (c < 8) s.history[i] = c % 2 ? "YNYN" : "NNYY";
    s.priority[i] = c % 2 ? "YYNN" : "NYNY";
    s.onOffDutyFlags[i] = "NNNY";
    s.fixAlert[i] = c % 3 ? "YNNN" : "NYYN";
    s.interruptVib[i] = "YYYN";
    s.crescendo[i] = c % 4 ? "NYNN" : "YNNY";
    for (int f = 0; f < kFunctionsPerCode; ++f) {
      s.alertMode[i][static_cast<std::size_t>(f)] = (c + f) % 6;
      s.alertPattern[i][static_cast<std::size_t>(f)] = (3 * c + f) % 16;
    }
  }
  s.hardwareVariant = 3;
  s.codeMode = 2;
  s.zoom = 1;
  s.defaultZoom = 1;
  s.onOffDuty = 1;
  s.timeFormat = 1;
  s.turnOnPager = 1;
  s.nwBandCombo = 1;
  s.EnableSingleMessage = 1;
  s.selDutySource = 1;
  s.newAlertMenu = 1;
  s.maxErrorsUHB7B6 = 2;
  s.maxErrorsUHB5B4 = 1;
  s.scLostNumNormalMod = 13;
  s.defaultReminderAlertPattern = 9;
  s.defaultReminderAlertMode = 4;
  s.fixAlertReminder = 1;
  s.defaultReminderCrescendoMode = 1;
  s.defaultReminderVibMode = 1;
  s.toneOnlySupport = 1;
  s.lcdAdjust1 = 200;
  s.lcdAdjust2 = 3;
  if (modelIn(model, ModelGroup::dualOrF)) {
    s.supportDualFreq = 1;
    s.dualFreqMenu = 1;
  }
  if (modelIn(model, ModelGroup::fFamily)) {
    s.cpwFc_Password = "3210012";
    s.userPasswordKeyCount = 7;
    s.userPasswordTimeout = 43199;
    s.fUif_User_Password_Enable = 1;
    s.fUif_User_Password_Level = 1;
    s.cpfUif_Paging_Auto_Backlight = 1;
    s.cpfUif_Auto_Backlight_Mode = 1;
    s.cpfUif_New_Msg_Auto_Display = 1;
  }
  return s;
}

// The named fields whose values differ; frequencies compared as numbers
// (the pages of these families show five decimals).
std::vector<std::string> differences(const SettingsRecord& expected, const SettingsRecord& actual) {
  std::vector<std::string> names;
  for (const FieldDescriptor& field : settingsFields()) {
    if (field.name == "ed_frequency" || field.name == "ed_frequency2") {
      const auto a = frequencyHzFromText(settingsFieldText(expected, field));
      const auto b = frequencyHzFromText(settingsFieldText(actual, field));
      if (a != b) names.push_back(field.name);
      continue;
    }
    if (settingsFieldText(expected, field) != settingsFieldText(actual, field)) names.push_back(field.name);
  }
  if (expected.hardwareVariant != actual.hardwareVariant) names.push_back("hardwareVariant");
  // Sides 0 and 1 both put the synthesizer below the carrier (the image
  // holds 1 for both). The second frequency shares the oscillator byte, and
  // with it the rounding bits, of the primary one.
  const auto sameReceiver = [](const SynthesizerParameters& a, const SynthesizerParameters& b, bool rounding) {
    return a.referenceHz == b.referenceHz && a.ifHz == b.ifHz && a.channelStepHz == b.channelStepHz &&
           a.multiplier == b.multiplier && (a.injectionSide == 2) == (b.injectionSide == 2) &&
           a.pllType == b.pllType && a.n == b.n && a.r == b.r && (!rounding || a.roundingFlags == b.roundingFlags);
  };
  if (!sameReceiver(expected.receiver, actual.receiver, true)) names.push_back("receiver");
  if (!sameReceiver(expected.receiver2, actual.receiver2, false)) names.push_back("receiver2");
  return names;
}

void expectRoundTrip(ModelCode model, SettingsRecord settings) {
  synthesize(settings, model);
  auto image = dImage(model);
  buildDFamily(*image, settings, BuildContext{});
  SettingsRecord decoded = dDefaults(model);
  ASSERT_EQ(decodeDFamily(*image, decoded, DecodeContext{}), errors::code::Ok);
  EXPECT_EQ(differences(settings, decoded), std::vector<std::string>{}) << "model " << int(model);
}

TEST(DFamilyRoundTrip, DefaultsComeBackFieldByField) {
  for (ModelCode model : kDFamilyModels) expectRoundTrip(model, dDefaults(model));
}

TEST(DFamilyRoundTrip, EditedSettingsComeBackFieldByField) {
  for (ModelCode model : kDFamilyModels) expectRoundTrip(model, editedSettings(model));
}

TEST(DFamilyRoundTrip, SecondFrequencyOfEAndF) {
  const char* const seconds[] = {"137.0000", "142.9875", "155.5000", "173.9875"};
  for (ModelCode model : kDFamilyModels) {
    if (!modelIn(model, ModelGroup::dualOrF)) continue;
    for (const char* second : seconds) {
      SettingsRecord s = dDefaults(model);
      const int band = bandOfFrequency(*frequencyHzFromText(second));
      s.frequency = second;  // both in the same band
      s.frequency2 = second;
      s.freqBand = band;
      s.dataInversion = band == 0 ? 1 : 0;  // the synthesizer above the carrier inverts the data
      expectRoundTrip(model, s);
    }
    SettingsRecord s = dDefaults(model);
    s.frequency = "460.0125";
    s.frequency2 = "469.9875";
    s.freqBand = 5;
    expectRoundTrip(model, s);
  }
}

// Bits of the image that a D-F setting covers; a build after a decode may
// change them (a value outside a list reads as its fallback), every other
// bit must stay as read.
struct Covered {
  std::size_t offset;
  std::size_t count;
  std::uint8_t mask;
  std::optional<ModelGroup> group;
};

const Covered kCoveredBits[] = {
    {0x01, 1, 0xFF, std::nullopt},           // model
    {0x07, 1, 0xFF, std::nullopt},           // generation
    {0x16, 1, 0xF0, std::nullopt},           // decode errors
    {0x17, 1, 0xFF, std::nullopt},           // frames
    {0x18, 0x24, 0xFF, std::nullopt},        // functions 0x18-0x37, code types 0x38-0x3B
    {0x3C, 1, 0xF7, std::nullopt},           // hardware options (bit 3 kept)
    {0x44, 5, 0xFF, ModelGroup::fFamily},    // user password
    {0x4D, 6, 0xFF, ModelGroup::dualOrF},    // second divider words
    {0x73, 1, 0x04, std::nullopt},           // combo band
    {0x79, 1, 0x04, std::nullopt},           // single message
    {0x99, 1, 0x03, std::nullopt},           // injection side
    {0xE7, 4, 0xFF, std::nullopt},           // history
    {0xEB, 1, 0x85, std::nullopt},           // duty options (bit 7 only E, F: see below)
    {0x696, 0x80, 0xFF, std::nullopt},       // per-function table
    {0x716, 1, 0x7F, std::nullopt},          // default reminder pattern
    {0x717, 1, 0x3F, std::nullopt},          // default reminder attributes
    {0x719, 8, 0xFF, std::nullopt},          // synthesizer block up to the oscillator byte
    {0x73E, 2, 0xFF, std::nullopt},          // LCD
    {0x754, 48, 0xFF, std::nullopt},         // code slots 1-16 ...
    {0x7C7, 1, 0x80, std::nullopt},          // tone only
    {0x786, 1, 0x01, ModelGroup::dualOrF},   // dual-frequency support
};

std::array<std::uint8_t, CodeplugImage::kCurrentSize> coveredMask(ModelCode model) {
  std::array<std::uint8_t, CodeplugImage::kCurrentSize> mask{};
  for (const Covered& c : kCoveredBits) {
    if (c.group && !modelIn(model, *c.group)) continue;
    for (std::size_t k = 0; k < c.count; ++k) mask[c.offset + k] |= c.mask;
  }
  if (!modelIn(model, ModelGroup::dualOrF)) mask[0xEB] &= 0x7F;
  // ... except the low bits of their third bytes, which carry other
  // settings: slot 6 the coding format, 7 data inversion, 11 and 12 one
  // 4-bit value; the rest are kept.
  for (int slot = 1; slot <= 16; ++slot) mask[0x754 + 3 * (slot - 1) + 2] &= 0xFC;
  mask[0x765] |= 0x03;
  mask[0x768] |= 0x02;
  mask[0x774] |= 0x03;
  mask[0x777] |= 0x03;
  return mask;
}

TEST(DFamilyRoundTrip, BuildAfterDecodeKeepsEveryUncoveredBit) {
  for (ModelCode model : kDFamilyModels) {
    const auto mask = coveredMask(model);
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
      auto image = dImage(model);
      fillRandom(*image, seed * 7919 + model);
      image->current().setByte(0x01, model);
      image->current().setWord16(0x96, seed % 2 ? 0x1834 : 0x1825);  // a version this program reads
      std::array<std::uint8_t, CodeplugImage::kCurrentSize> before{};
      std::copy_n(image->current().span().begin(), before.size(), before.begin());

      SettingsRecord s = dDefaults(model);
      ASSERT_EQ(decodeDFamily(*image, s, DecodeContext{}), errors::code::Ok);
      buildDFamily(*image, s, BuildContext{});

      const auto after = image->current().span();
      for (std::size_t at = 0; at < before.size(); ++at) {
        const auto changed = static_cast<std::uint8_t>((before[at] ^ after[at]) & ~mask[at]);
        ASSERT_EQ(changed, 0) << "model " << int(model) << " seed " << seed << " byte 0x" << std::hex << at;
      }
    }
  }
}

// A decode of a built image and a second build give the same bytes: the
// builder writes nothing the decoder cannot read back.
TEST(DFamilyRoundTrip, SecondBuildIsStable) {
  for (ModelCode model : kDFamilyModels) {
    auto image = dImage(model);
    fillRandom(*image, 4242U + model);
    image->current().setByte(0x01, model);
    image->current().setWord16(0x96, 0x1826);
    SettingsRecord s = dDefaults(model);
    ASSERT_EQ(decodeDFamily(*image, s, DecodeContext{}), errors::code::Ok);
    buildDFamily(*image, s, BuildContext{});
    std::vector<std::uint8_t> first(image->current().span().begin(), image->current().span().end());

    SettingsRecord again = dDefaults(model);
    ASSERT_EQ(decodeDFamily(*image, again, DecodeContext{}), errors::code::Ok);
    buildDFamily(*image, again, BuildContext{});
    std::vector<std::uint8_t> second(image->current().span().begin(), image->current().span().end());
    EXPECT_EQ(first, second) << "model " << int(model);
  }
}

}  // namespace
}  // namespace zelta::codeplug
