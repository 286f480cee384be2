#pragma once

// Shared by the decoder and builder tests: fresh images, settings to build
// from, and a field-by-field comparison of two settings records.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "codeplug/codeplug_image.h"
#include "codeplug/defaults.h"
#include "codeplug/frequency_band.h"
#include "codeplug/settings_record.h"

namespace zelta::codeplug::testing {

inline std::unique_ptr<CodeplugImage> imageOf(ModelCode model) {
  auto image = std::make_unique<CodeplugImage>();
  image->setModel(model);
  return image;
}

// The defaults of the image's model, as a new codeplug starts from them:
// the band is the one of the default frequency.
inline SettingsRecord startingSettings(CodeplugImage& image) {
  SettingsRecord s;
  resetToDefaults(s, image, false);
  s.freqBand = bandOfFrequency(frequencyHzFromText(s.frequency).value_or(0));
  if (s.freqBand < 0) {
    // Model '#' starts on 327.525 MHz, which no band of the receivers holds.
    s.frequency = "158.0125";
    s.freqBand = 2;
  }
  return s;
}

// Every named field, then the values without a page control that the
// builders write.
inline void expectSameSettings(const SettingsRecord& expected, const SettingsRecord& actual,
                               const std::string& where) {
  for (const FieldDescriptor& field : settingsFields()) {
    EXPECT_EQ(settingsFieldText(expected, field), settingsFieldText(actual, field))
        << where << ": " << field.name;
  }
  EXPECT_EQ(expected.melody, actual.melody) << where;
  EXPECT_EQ(expected.promptsAsText, actual.promptsAsText) << where;
  EXPECT_EQ(expected.tuningBytes, actual.tuningBytes) << where;
  EXPECT_EQ(expected.receiverP1, actual.receiverP1) << where;
  EXPECT_EQ(expected.receiverP2, actual.receiverP2) << where;
  EXPECT_EQ(expected.receiverP3, actual.receiverP3) << where;
  EXPECT_EQ(expected.baudConstant, actual.baudConstant) << where;
  const SynthesizerParameters& a = expected.receiver;
  const SynthesizerParameters& b = actual.receiver;
  EXPECT_EQ(a.referenceHz, b.referenceHz) << where;
  EXPECT_EQ(a.ifHz, b.ifHz) << where;
  EXPECT_EQ(a.channelStepHz, b.channelStepHz) << where;
  EXPECT_EQ(a.multiplier, b.multiplier) << where;
  // Sides 0, 1 and 3 all put the synthesizer below the carrier; the image
  // holds 1 for them.
  EXPECT_EQ(a.injectionSide == 2, b.injectionSide == 2) << where;
  EXPECT_EQ(a.pllType, b.pllType) << where;
  EXPECT_EQ(a.n, b.n) << where;
  EXPECT_EQ(a.r, b.r) << where;
  EXPECT_EQ(a.roundingFlags, b.roundingFlags) << where;
  const KeptBytes& k = expected.kept;
  const KeptBytes& l = actual.kept;
  EXPECT_EQ(k.header, l.header) << where;
  EXPECT_EQ(k.bandLowBits, l.bandLowBits) << where;
  EXPECT_EQ(k.byte74Bits, l.byte74Bits) << where;
  EXPECT_EQ(k.cannedOneOf, l.cannedOneOf) << where;
  EXPECT_EQ(k.byte79Bit2, l.byte79Bit2) << where;
  EXPECT_EQ(k.byteB9Bit1, l.byteB9Bit1) << where;
  EXPECT_EQ(k.byte84, l.byte84) << where;
  EXPECT_EQ(k.synthesizerFlag, l.synthesizerFlag) << where;
  EXPECT_EQ(k.oscillatorFlags32, l.oscillatorFlags32) << where;
  EXPECT_EQ(k.block21, l.block21) << where;
  EXPECT_EQ(k.block222, l.block222) << where;
  EXPECT_EQ(k.rawPowerUpPrompt, l.rawPowerUpPrompt) << where;
  EXPECT_EQ(k.rawBlock320, l.rawBlock320) << where;
}

}  // namespace zelta::codeplug::testing
