#pragma once

// Shared by the decoder and builder tests: fresh images, settings to build
// from, and a field-by-field comparison of two settings records.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "codeplug/codeplug_image.h"
#include "codeplug/decoders.h"
#include "codeplug/defaults.h"
#include "codeplug/frequency_band.h"
#include "codeplug/settings_record.h"

namespace zelta::codeplug::testing {

inline std::unique_ptr<CodeplugImage> imageOf(models::ModelCode model) {
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

// Bits of the image marked by offset, for the tests that list which bits a
// build may change.
class ImageBitMask {
 public:
  std::uint8_t at(std::size_t offset) const { return bits_[offset]; }

 protected:
  void set(std::size_t at, std::uint8_t mask) { bits_[at] |= mask; }
  void range(std::size_t from, std::size_t count) {
    for (std::size_t k = 0; k < count; ++k) bits_[from + k] = 0xFF;
  }

 private:
  std::array<std::uint8_t, CodeplugImage::kCurrentSize> bits_{};
};

// Random bytes that still decode: the model byte, a version up to 8.3.4 and
// an IF code that names a frequency (5-7 may turn into a synthesizer byte of
// 0, "no frequency", which a second decode reads differently). Returns the
// character ROM type put into the header, 0-6.
inline int fillRandomImage(CodeplugImage& image, models::ModelCode model, std::mt19937& random,
                           std::size_t synthesizerByte) {
  const ImageView bytes = image.current();
  for (auto& b : bytes.span()) b = static_cast<std::uint8_t>(random());
  bytes.setByte(1, model);
  bytes.setByte(0x96, 0x18);
  bytes.setByte(0x97, static_cast<std::uint8_t>(random() % 0x35));
  bytes.setBits(synthesizerByte, 7, 5, static_cast<unsigned>(random() % 5));
  const int cgromType = static_cast<int>(random() % 7);
  image.header().cgromType = static_cast<std::uint8_t>(cgromType);
  return cgromType;
}

// Decodes the image and builds it again with rebuild(image, settings): every
// bit outside covered keeps its value of original; a second decode and build
// change nothing more.
template <class Rebuild>
void expectBuildKeepsUncoveredBits(CodeplugImage& image, const std::vector<std::uint8_t>& original,
                                   const ImageBitMask& covered, Rebuild rebuild,
                                   const std::string& where) {
  const ConstImageView bytes = std::as_const(image).current();
  SettingsRecord settings;
  ASSERT_EQ(decodeImage(DecodeCommand::OpenFile, image, settings, {}), errors::code::Ok) << where;
  rebuild(image, settings);
  for (std::size_t at = 0; at < original.size(); ++at) {
    const auto kept = static_cast<std::uint8_t>(~covered.at(at));
    ASSERT_EQ(bytes.byte(at) & kept, original[at] & kept) << where << " byte 0x" << std::hex << at;
  }

  const std::vector<std::uint8_t> once(bytes.span().begin(), bytes.span().end());
  SettingsRecord again;
  ASSERT_EQ(decodeImage(DecodeCommand::OpenFile, image, again, {}), errors::code::Ok) << where;
  rebuild(image, again);
  for (std::size_t at = 0; at < once.size(); ++at) {
    ASSERT_EQ(bytes.byte(at), once[at]) << where << " (second build) byte 0x" << std::hex << at;
  }
}

// The receiver values as the image keeps them: sides 0, 1 and 3 all put
// the synthesizer below the carrier, and the image holds 1 for them.
inline SynthesizerParameters asStored(SynthesizerParameters receiver) {
  receiver.injectionSide = receiver.injectionSide == 2 ? 2 : 1;
  return receiver;
}

// Every named field, then the values without a page control that the
// builders write, whole.
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
  EXPECT_EQ(asStored(expected.receiver), asStored(actual.receiver)) << where;
  EXPECT_EQ(expected.kept, actual.kept) << where;
  EXPECT_EQ(expected.decoder, actual.decoder) << where;
}

}  // namespace zelta::codeplug::testing
