#include <gtest/gtest.h>

#include "codec_fixture.h"
#include "codeplug/decoders.h"
#include "d_family_fixture.h"

namespace zelta::codeplug {
namespace {

using testing::imageOf;
using testing::writeFrequency;

SettingsRecord decode(CodeplugImage& image) {
  SettingsRecord s;
  EXPECT_EQ(decodeDFamily(image, s, DecodeContext{}), errors::code::Ok);
  return s;
}

TEST(DecodeDFamily, CodesFunctionsTypesAndHistory) {
  auto image = imageOf(0x91);
  const ImageView v = image->current();
  for (int slot = 0; slot < 32; ++slot) v.setByte(0x754 + 3 * slot, 0x80);  // all empty
  v.setWord24(0x754, 1234567U << 2);                                        // code 1
  v.setWord24(0x754 + 3 * 1, (8U << 2) | 3);   // code 2: low bits carry other settings
  v.setWord24(0x754 + 3 * 15, 2097151U << 2);  // code 16, the largest address
  // Function nibbles: code 1 low, code 2 high nibbles of 0x18-0x1B; code 16
  // high nibbles of 0x34-0x37.
  const std::uint8_t functions12[] = {0x31, 0x32, 0x33, 0x30};
  for (int k = 0; k < 4; ++k) v.setByte(0x18 + k, functions12[k]);
  for (int k = 0; k < 4; ++k) v.setByte(0x34 + k, 0x40);
  v.setByte(0x1C, 0x22);  // code 3 is empty: its letters are not read
  // Code types: code 1 Group (first bit 7 of 0x39), code 2 Mail Drop
  // (second bit 6 of 0x3B), code 16 Individual with both bits (bit 0 of
  // 0x38 and 0x3A), code 3 (empty) has type bits but reads 0.
  v.setByte(0x39, 0x80 | 0x20);
  v.setByte(0x3B, 0x40);
  v.setByte(0x38, 0x01);
  v.setByte(0x3A, 0x01);
  // History: code 1 functions 1 and 4, code 2 function 2, code 8 function 3.
  v.setByte(0xE7, 0x29);
  v.setByte(0xEA, 0x40);

  const SettingsRecord s = decode(*image);
  EXPECT_EQ(s.code[0], "1234567");
  EXPECT_EQ(s.code[1], "8");  // no leading zeros
  EXPECT_EQ(s.code[2], "       ");
  EXPECT_EQ(s.code[15], "2097151");
  EXPECT_EQ(s.function[0], "TNAX");
  EXPECT_EQ(s.function[1], "AAAA");
  EXPECT_EQ(s.function[2], "TNAA");
  EXPECT_EQ(s.function[15], "IIII");
  EXPECT_EQ(s.codeType[0], 1);
  EXPECT_EQ(s.codeType[1], 2);
  EXPECT_EQ(s.codeType[2], 0);
  EXPECT_EQ(s.codeType[15], 0);
  EXPECT_EQ(s.history[0], "YNNY");
  EXPECT_EQ(s.history[1], "NYNN");
  EXPECT_EQ(s.history[7], "NNYN");
  EXPECT_EQ(s.history[8], "NNNN");  // codes 9-16 have no history flags
}

TEST(DecodeDFamily, PerFunctionTable) {
  auto image = imageOf(0x96);
  const ImageView v = image->current();
  // Code 1 function 1 at 0x696; code 3 function 2 at 0x696 + 2 * 9;
  // code 16 function 4 at 0x714.
  v.setByte(0x696, 0x8F);  // bit 7 is not part of the pattern: 15
  v.setByte(0x697, 0b1010'1101);
  v.setByte(0x696 + 18, 0x10);         // pattern 16 does not exist: 0
  v.setByte(0x697 + 18, 0b0101'0110);  // mode 6 does not exist: 0
  v.setByte(0x714, 7);
  v.setByte(0x715, 0xFD);

  const SettingsRecord s = decode(*image);
  EXPECT_EQ(s.alertPattern[0][0], 15);
  EXPECT_EQ(s.alertMode[0][0], 5);
  EXPECT_EQ(s.priority[0], "YNNN");
  EXPECT_EQ(s.onOffDutyFlags[0], "NNNN");
  EXPECT_EQ(s.fixAlert[0], "YNNN");
  EXPECT_EQ(s.crescendo[0], "NNNN");
  EXPECT_EQ(s.interruptVib[0], "YNNN");

  EXPECT_EQ(s.alertPattern[2][1], 0);
  EXPECT_EQ(s.alertMode[2][1], 0);
  EXPECT_EQ(s.onOffDutyFlags[2], "NYNN");
  EXPECT_EQ(s.crescendo[2], "NYNN");

  EXPECT_EQ(s.alertPattern[15][3], 7);
  EXPECT_EQ(s.alertMode[15][3], 5);
  EXPECT_EQ(s.priority[15], "NNNY");
  EXPECT_EQ(s.interruptVib[15], "NNNY");
}

TEST(DecodeDFamily, HardwareVariantBelowTwoReadsAsZero) {
  struct Case {
    std::uint8_t bits;
    int variant;
    int codeMode;
  };
  for (const Case c : {Case{0, 0, 0}, Case{1, 0, 0}, Case{2, 2, 1}, Case{3, 3, 2}}) {
    auto image = imageOf(0x98);
    image->current().setByte(0x3C, static_cast<std::uint8_t>(c.bits << 6));
    const SettingsRecord s = decode(*image);
    EXPECT_EQ(s.hardwareVariant, c.variant) << int(c.bits);
    EXPECT_EQ(s.codeMode, c.codeMode) << int(c.bits);
  }
}

TEST(DecodeDFamily, OptionBytes) {
  auto image = imageOf(0x97);
  const ImageView v = image->current();
  v.setByte(0x3C, 0b0011'0101);  // turn-on 2 Sec, 12 h, duty on, 4 Line, zoom
  v.setByte(0xEB, 0b1000'0101);
  v.setByte(0x16, 0b1001'0000);
  v.setByte(0x73, 0b0000'0100);
  v.setByte(0x79, 0b0000'0100);
  v.setByte(0x716, 0x8C);         // bit 7 is kept, not part of the pattern
  v.setByte(0x717, 0b1110'1011);  // fix, vibration interrupted, mode 3
  v.setByte(0x786, 0x01);
  v.setByte(0x7C7, 0x80);
  v.setByte(0x774, 0x02);  // slot 11 bits
  v.setByte(0x777, 0x01);  // slot 12 bits
  v.setByte(0x73E, 0x47);
  v.setByte(0x73F, 0x0B);

  const SettingsRecord s = decode(*image);
  EXPECT_EQ(s.turnOnPager, 1);
  EXPECT_EQ(s.timeFormat, 1);
  EXPECT_EQ(s.onOffDuty, 1);
  EXPECT_EQ(s.defaultZoom, 0);
  EXPECT_EQ(s.zoom, 1);
  EXPECT_EQ(s.dualFreqMenu, 1);
  EXPECT_EQ(s.selDutySource, 1);
  EXPECT_EQ(s.newAlertMenu, 1);
  EXPECT_EQ(s.maxErrorsUHB7B6, 2);
  EXPECT_EQ(s.maxErrorsUHB5B4, 1);
  EXPECT_EQ(s.nwBandCombo, 1);
  EXPECT_EQ(s.EnableSingleMessage, 1);
  EXPECT_EQ(s.defaultReminderAlertPattern, 12);
  EXPECT_EQ(s.fixAlertReminder, 1);
  EXPECT_EQ(s.defaultReminderCrescendoMode, 0);
  EXPECT_EQ(s.defaultReminderVibMode, 1);
  EXPECT_EQ(s.defaultReminderAlertMode, 3);
  EXPECT_EQ(s.supportDualFreq, 1);
  EXPECT_EQ(s.toneOnlySupport, 1);
  EXPECT_EQ(s.scLostNumNormalMod, 1 * 4 + 2);
  EXPECT_EQ(s.lcdAdjust1, 0x47);
  EXPECT_EQ(s.lcdAdjust2, 0x0B);
  EXPECT_EQ(s.stopDecodeMissSync, 0);
}

TEST(DecodeDFamily, DualFrequencyFieldsOnlyOnEAndF) {
  auto image = imageOf(0x92);
  image->current().setByte(0xEB, 0x80);
  image->current().setByte(0x786, 0x01);
  const SettingsRecord s = decode(*image);
  EXPECT_EQ(s.dualFreqMenu, 0);
  EXPECT_EQ(s.supportDualFreq, 0);
}

TEST(DecodeDFamily, CodingFormatAndDataInversion) {
  struct Case {
    std::uint8_t bits;
    int format;
    int baudConstant;
  };
  for (const Case c : {Case{0, 0, 3}, Case{1, 1, 7}, Case{2, 2, 14}, Case{3, 2, 14}}) {
    auto image = imageOf(0x95);
    image->current().setByte(0x765, static_cast<std::uint8_t>(0xFC | c.bits));
    image->current().setByte(0x768, c.bits == 2 ? 0x02 : 0xFD);
    const SettingsRecord s = decode(*image);
    EXPECT_EQ(s.codingFormat, c.format) << int(c.bits);
    EXPECT_EQ(s.baudConstant, c.baudConstant) << int(c.bits);
    EXPECT_EQ(s.dataInversion, c.bits == 2 ? 1 : 0) << int(c.bits);
  }
}

TEST(DecodeDFamily, FrequencyShownWithFiveDecimals) {
  struct Case {
    Hertz hz;
    int pllType;
    int band;
    const char* text;
  };
  for (const Case c :
       {Case{158'013'750, 0, 2, "158.01375"}, Case{158'012'500, 3, 2, "158.01250"},
        Case{929'001'250, 2, 6, "929.00125"}, Case{460'125'000, 1, 5, "460.12500"}}) {
    auto image = imageOf(0x91);
    writeFrequency(*image, c.hz, c.pllType, c.band);
    const SettingsRecord s = decode(*image);
    EXPECT_EQ(s.frequency, c.text);
    // An inexact synthesizer leaves the pager on the 100 Hz step beside the channel.
    EXPECT_NEAR(static_cast<double>(s.receiveFrequencyHz), static_cast<double>(c.hz), 499)
        << c.text;
    EXPECT_EQ(s.PLL_Type, c.pllType == 0 && c.band == 6 ? 2 : c.pllType) << c.text;
    EXPECT_EQ(s.freqBand, c.band) << c.text;
  }
}

TEST(DecodeDFamily, NoSynthesizerByteMeansNoFrequency) {
  auto image = imageOf(0x93);
  const SettingsRecord s = decode(*image);
  EXPECT_EQ(s.frequency, "000.00000");
  EXPECT_EQ(s.receiveFrequencyHz, 0);
  EXPECT_EQ(s.frequency2, "000.0000");
}

TEST(DecodeDFamily, SecondFrequencyOfEAndF) {
  for (models::ModelCode model : {models::ModelCode{0x93}, models::ModelCode{0x97},
                                  models::ModelCode{0x98}, models::ModelCode{0x99}}) {
    auto image = imageOf(model);
    writeFrequency(*image, 460'012'500, 0, 5, 465'987'500);
    const SettingsRecord s = decode(*image);
    EXPECT_EQ(s.frequency, "460.01250") << int(model);
    EXPECT_EQ(s.frequency2, "465.9875") << int(model);  // four decimals
    EXPECT_EQ(s.receiveFrequency2Hz, 465'987'500) << int(model);
  }
  // Family D has no second frequency: the bytes at 0x4D are something else.
  auto image = imageOf(0x91);
  writeFrequency(*image, 460'012'500, 0, 5, 465'987'500);
  EXPECT_EQ(decode(*image).frequency2, "");
}

// Without the band field the band comes from the frequency; the dual and F
// models ask both frequencies. 152.5 MHz alone is VHF A; with a second
// frequency of 155 MHz both can only be VHF B.
TEST(DecodeDFamily, BandFromFrequenciesWithoutBandField) {
  struct Case {
    models::ModelCode model;
    Hertz primary;
    Hertz second;
    int band;
  };
  for (const Case c :
       {Case{0x91, 152'500'000, 155'000'000, 1}, Case{0x93, 152'500'000, 155'000'000, 2},
        Case{0x99, 152'500'000, 151'000'000, 1}, Case{0x98, 152'500'000, 152'750'000, 1},
        Case{0x97, 460'000'000, 465'000'000, 5}}) {
    auto image = imageOf(c.model);
    writeFrequency(*image, c.primary, 0, c.band, c.second);
    image->current().setBits(0x73, 6, 3, 7);  // not read without the band field mark
    SettingsRecord s;
    s.freqBand = 0;
    ASSERT_EQ(decodeDFamily(*image, s, DecodeContext{}), errors::code::Ok);
    EXPECT_EQ(s.freqBand, c.band) << int(c.model) << " " << c.primary;
  }
}

// Two frequencies that share no band leave the band as it was.
TEST(DecodeDFamily, FrequenciesWithoutCommonBandKeepTheBand) {
  auto image = imageOf(0x93);
  writeFrequency(*image, 147'000'000, 0, 1, 158'000'000);
  SettingsRecord s;
  s.freqBand = 3;
  ASSERT_EQ(decodeDFamily(*image, s, DecodeContext{}), errors::code::Ok);
  EXPECT_EQ(s.freqBand, 3);
}

// From 8.2.6 on byte 0x73 holds the band; before, the frequencies decide.
// Anything newer than this program is refused.
TEST(DecodeDFamily, CodeplugVersionAndBandField) {
  struct Case {
    models::ModelCode model;
    std::uint8_t minorPatch;
    errors::ResultCode result;
    int band;
  };
  for (const Case c : {Case{0x95, 0x25, errors::code::Ok, 2}, Case{0x95, 0x26, errors::code::Ok, 5},
                       Case{0x97, 0x25, errors::code::Ok, 2}, Case{0x97, 0x34, errors::code::Ok, 5},
                       Case{0x98, 0x35, errors::code::NewerFile, 0}}) {
    auto image = imageOf(c.model);
    writeFrequency(*image, 158'012'500, 0, 2, 159'000'000);
    image->current().setByte(0x96, 0x18);
    image->current().setByte(0x97, c.minorPatch);
    image->current().setBits(0x73, 6, 3, 5);
    SettingsRecord s;
    EXPECT_EQ(decodeDFamily(*image, s, DecodeContext{}), c.result) << int(c.minorPatch);
    if (c.result == errors::code::Ok) {
      EXPECT_EQ(s.freqBand, c.band) << int(c.model) << " " << int(c.minorPatch);
    }
  }
}

// The Alert page of these families shows the alert duration "30 sec", the
// default alert and the default reminder alert with its duration, kept
// where the six-code models keep them.
TEST(DecodeDFamily, ExtendedAlertFields) {
  auto image = imageOf(0x91);
  const ImageView v = image->current();
  v.setByte(0x7D, 0x80);
  v.setByte(0xB9, 0b1010'1000);  // default reminder alert nibble 10, duration 10
  v.setByte(0xBA, 0x30);
  const SettingsRecord s = decode(*image);
  EXPECT_EQ(s.alertDuration, 2);
  EXPECT_EQ(s.defaultReminderAlert, 9);
  EXPECT_EQ(s.reminderAlertDuration, 2);
  EXPECT_EQ(s.defaultAlert, 2);

  v.setByte(0x7D, 0x00);
  v.setByte(0x7C, 0x02);
  EXPECT_EQ(decode(*image).alertDuration, 1);
}

TEST(DecodeDFamily, UserPasswordOfFamilyF) {
  struct Case {
    std::uint8_t keysLow;
    std::uint8_t keysHigh;
    std::uint8_t flags;
    const char* digits;
    int keyCount;
  };
  for (const Case c : {
           // L R U D, first key highest: 00 01 10 11 = 0x1B; four keys (bits 7-5 = 2)
           Case{0x1B, 0x00, 0b0100'1000, "0123", 4},
           // eight keys use all sixteen bits, byte 0x45 high
           Case{0x34, 0xD2, 0b1100'1000, "31020310", 8},
           // two keys L L of an enabled password
           Case{0x00, 0x00, 0b0000'1000, "00", 2},
           // no keys and disabled: no password
           Case{0x00, 0x00, 0b0000'0000, "", 2},
       }) {
    auto image = imageOf(0x99);
    const ImageView v = image->current();
    v.setByte(0x44, c.keysLow);
    v.setByte(0x45, c.keysHigh);
    v.setByte(0x46, 0x2C);  // 300 s: byte 0x47 is the high byte
    v.setByte(0x47, 0x01);
    v.setByte(0x48, static_cast<std::uint8_t>(c.flags | 0b0001'0101));
    const SettingsRecord s = decode(*image);
    EXPECT_EQ(s.cpwFc_Password, c.digits);
    EXPECT_EQ(s.userPasswordKeyCount, c.keyCount) << c.digits;
    EXPECT_EQ(s.userPasswordTimeout, 300);
    EXPECT_EQ(s.fUif_User_Password_Level, 1);
    EXPECT_EQ(s.fUif_User_Password_Enable, (c.flags >> 3) & 1);
    EXPECT_EQ(s.cpfUif_Paging_Auto_Backlight, 1);
    EXPECT_EQ(s.cpfUif_Auto_Backlight_Mode, 0);
    EXPECT_EQ(s.cpfUif_New_Msg_Auto_Display, 1);
  }
  // Other families keep these bytes to themselves.
  auto image = imageOf(0x93);
  image->current().setByte(0x44, 0x1B);
  image->current().setByte(0x48, 0xFF);
  const SettingsRecord s = decode(*image);
  EXPECT_EQ(s.cpwFc_Password, "");
  EXPECT_EQ(s.fUif_User_Password_Enable, 0);
}

}  // namespace
}  // namespace zelta::codeplug
