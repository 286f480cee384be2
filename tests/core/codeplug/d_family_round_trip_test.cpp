// Properties of the D-F decoder and builder together, over every model code
// of the three families: settings built into an image decode to the same
// settings, and a build after a decode keeps every bit no setting covers.

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "codec_fixture.h"
#include "codeplug/builders.h"
#include "codeplug/common_fields.h"
#include "codeplug/decoders.h"
#include "codeplug/defaults.h"
#include "codeplug/new_codeplug.h"
#include "d_family_fixture.h"

namespace zelta::codeplug {
namespace {

using testing::expectSameSettings;
using testing::imageOf;
using testing::kDFamilyModels;

// A new codeplug of these families, as "new" makes it.
SettingsRecord dStartingSettings(models::ModelCode model) {
  auto image = imageOf(model);
  SettingsRecord s;
  setUpNewCodeplug(model, *image, s);
  return s;
}

// Every D-F field given a value other than its default.
SettingsRecord editedSettings(models::ModelCode model) {
  SettingsRecord s = dStartingSettings(model);
  s.frequency = "163.98750";
  s.freqBand = 3;
  s.PLL_Type = 3;
  if (models::modelIn(model, models::ModelGroup::dualOrF)) s.frequency2 = "170.1250";
  setCodingFormat(s, 2);
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
  if (models::modelIn(model, models::ModelGroup::dualOrF)) {
    s.supportDualFreq = 1;
    s.dualFreqMenu = 1;
  }
  if (models::modelIn(model, models::ModelGroup::fFamily)) {
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

std::string nameOf(models::ModelCode model) {
  return "model " + std::to_string(model);
}

// Builds the settings as programming an unprogrammed pager does and decodes
// the image as opening a file does; the settings must come back as built.
void expectRoundTrip(models::ModelCode model, SettingsRecord built) {
  auto image = imageOf(model);
  BuildContext context;
  context.pagerUnprogrammed = true;
  ASSERT_EQ(buildImage(*image, built, context), errors::code::Ok)
      << nameOf(model) << " " << built.frequency;
  // Decoded as opening a file does: from the model's defaults.
  SettingsRecord decoded;
  resetToDefaults(decoded, *image, false);
  ASSERT_EQ(decodeDFamily(*image, decoded, DecodeContext{}), errors::code::Ok) << nameOf(model);
  emptySingleSpaceTexts(decoded);

  const std::string where = nameOf(model) + " " + built.frequency + " " + built.frequency2;
  expectSameSettings(built, decoded, where);
  EXPECT_EQ(built.hardwareVariant, decoded.hardwareVariant) << where;
  // The second frequency shares the synthesizer, oscillator and injection
  // bytes of the primary one, and with them the rounding bits and the
  // injection side: those come back as the primary's.
  if (models::modelIn(model, models::ModelGroup::dualOrF)) {
    SynthesizerParameters expected = built.receiver2;
    expected.roundingFlags = decoded.receiver.roundingFlags;
    expected.injectionSide = decoded.receiver.injectionSide;
    EXPECT_EQ(expected, decoded.receiver2) << where;
  }
}

TEST(DFamilyRoundTrip, StartingSettingsComeBackFieldByField) {
  for (models::ModelCode model : kDFamilyModels) expectRoundTrip(model, dStartingSettings(model));
}

TEST(DFamilyRoundTrip, EditedSettingsComeBackFieldByField) {
  for (models::ModelCode model : kDFamilyModels) expectRoundTrip(model, editedSettings(model));
}

TEST(DFamilyRoundTrip, SecondFrequencyOfEAndF) {
  struct Case {
    const char* primary;
    const char* second;
  };
  for (models::ModelCode model : kDFamilyModels) {
    if (!models::modelIn(model, models::ModelGroup::dualOrF)) continue;
    for (const Case c : {Case{"137.00000", "137.0000"}, Case{"142.98750", "138.0125"},
                         Case{"155.50000", "153.0000"}, Case{"163.00000", "173.9875"},
                         Case{"460.01250", "469.9875"}, Case{"450.00000", "459.9875"}}) {
      SettingsRecord s = dStartingSettings(model);
      s.frequency = c.primary;
      s.frequency2 = c.second;
      s.freqBand = bandOfFrequency(*frequencyHzFromText(c.primary));
      // The synthesizer above the carrier (band 0) inverts the data.
      s.dataInversion = s.freqBand == 0 ? 1 : 0;
      expectRoundTrip(model, s);
    }
  }
}

// The bits a build of a programmed pager may change, from the image layout
// of these families: everything else must come back as it was read.
class CoveredBits : public testing::ImageBitMask {
 public:
  CoveredBits(models::ModelCode model, ConstImageView original, int cgromType) {
    const bool dualOrF = models::modelIn(model, models::ModelGroup::dualOrF);
    range(0x00, 8);   // RF flag, model, ")&)", "YC", generation
    range(0x08, 10);  // over-the-air password
    set(0x12, 0x10);
    set(0x13, 0x07);    // synthesizer flag, coding format
    set(0x16, 0xF0);    // decode errors
    set(0x17, 0xFF);    // frame bitmap
    range(0x18, 0x24);  // function nibbles 0x18-0x37, code types 0x38-0x3B
    set(0x3C, 0xF7);    // hardware options but bit 3
    range(0x3D, 6);     // tuning, end of message, battery
    if (models::modelIn(model, models::ModelGroup::fFamily)) range(0x44, 5);  // user password
    if (dualOrF) range(0x4D, 6);  // second divider words
    range(0x53, 10);              // download password
    range(0x67, 10);              // inventory number
    set(0x71, 0xFF);
    set(0x72, 0x03);
    set(0x73, 0xFC);  // narrow, band, combo
    set(0x75, 0x9F);
    range(0x76, 4);
    set(0x7A, 0x70);  // the code types of these families are at 0x38
    set(0x7B, 0xF0);
    set(0x7C, 0xFF);
    set(0x7D, 0xFE);
    range(0x7E, 6);  // timers
    if (original.byte(0x84) == 0 || original.byte(0x84) > 50) set(0x84, 0xFF);
    set(0x85, 0x0F);
    range(0x86, 16);  // melody
    range(0x96, 2);   // version
    set(0x99, 0x03);
    range(0x9A, 14);  // remap row
    if (cgromType == 3) set(0xAA, 0xFF);
    set(0xAC, 0x0F);
    set(0xAD, 0x0F);
    set(0xAE, 0xFF);
    if (!original.bit(0xB9, 1)) {
      range(0xAF, 10);
      range(0xCA, 16);
      set(0xDC, 0xFF);
    }
    set(0xB9, 0xFC);  // default reminder alert and its duration
    set(0xBA, 0xF0);  // default alert
    if (cgromType <= 5) set(0xBA, 0x0F);
    range(0xDD, 10);  // group password
    range(0xE7, 4);   // history
    set(0xEB, dualOrF ? 0x85 : 0x05);
    // The prompt area: the whole block when packed, the text fields when not.
    const FieldOffsetTable& t = offsetTableFor(models::findModel(model)->slotFamily);
    if (original.bit(0x79, 1)) {
      for (text::PromptId id : text::promptListEntries(text::promptListFor(model, false))) {
        range(t.prompt(id).offset, t.prompt(id).width);
      }
    } else {
      range(0xEC, 1200);
    }
    range(0x696, 0x80);  // per-function table
    set(0x716, 0x7F);
    set(0x717, 0x3F);
    range(0x719, 8);  // N and R words, synthesizer byte, oscillator byte
    set(0x720, 0xF3);
    set(0x721, models::modelIn(model, models::ModelGroup::iconContrastGroup) ? 0xFF : 0x03);
    range(0x73E, 2);                                           // LCD
    for (std::size_t slot = 0x754; slot < 0x784; slot += 3) {  // codes 1-16
      range(slot, 2);
      set(slot + 2, 0xFC);
    }
    set(0x765, 0x03);  // coding format
    set(0x768, 0x02);  // data inversion
    set(0x774, 0x03);  // the 4-bit value of slots 11 and 12
    set(0x777, 0x03);
    if (dualOrF) set(0x786, 0x01);
    set(0x7C7, 0x80);  // tone only
  }
};

TEST(DFamilyRoundTrip, BuildAfterDecodeKeepsEveryUncoveredBitOfRandomImages) {
  std::mt19937 random(19990817);
  const auto rebuild = [](CodeplugImage& image, SettingsRecord& settings) {
    buildDFamily(image, settings, BuildContext{});
  };
  for (models::ModelCode model : kDFamilyModels) {
    for (int round = 0; round < 40; ++round) {
      auto image = imageOf(model);
      const int cgromType = testing::fillRandomImage(*image, model, random, 0x71F);
      const auto bytes = std::as_const(*image).current().span();
      const std::vector<std::uint8_t> original(bytes.begin(), bytes.end());
      const CoveredBits covered(model, ConstImageView(std::span(original)), cgromType);
      testing::expectBuildKeepsUncoveredBits(*image, original, covered, rebuild,
                                             nameOf(model) + " round " + std::to_string(round));
    }
  }
}

}  // namespace
}  // namespace zelta::codeplug
