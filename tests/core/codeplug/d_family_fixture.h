#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <random>
#include <string>

#include "codeplug/codeplug_image.h"
#include "codeplug/frequency_band.h"
#include "codeplug/frequency_synthesizer.h"
#include "codeplug/models.h"
#include "codeplug/settings_record.h"
#include "support/recording_reporter.h"

namespace zelta::codeplug::testing {

inline constexpr std::array<ModelCode, 8> kDFamilyModels{0x91, 0x92, 0x95, 0x96, 0x93, 0x97, 0x98, 0x99};

// An image of a D-F model with its slots loaded; heap-held (the image and the
// converter snapshot together are 9 KB).
inline std::unique_ptr<CodeplugImage> dImage(ModelCode model) {
  auto image = std::make_unique<CodeplugImage>();
  image->setModel(model);
  image->current().span()[1] = model;
  return image;
}

inline void fillRandom(CodeplugImage& image, std::uint32_t seed) {
  std::mt19937 random(seed);
  for (std::uint8_t& b : image.current().span()) b = static_cast<std::uint8_t>(random());
}

// Turns the frequencies of the settings into receiver values, as programming
// and saving do before building.
inline void synthesize(SettingsRecord& s, ModelCode model) {
  FrequencySettings f;
  f.model = model;
  f.band = s.freqBand;
  f.pllType = s.PLL_Type;
  f.primaryHz = frequencyHzFromText(s.frequency).value_or(0);
  f.secondHz = frequencyHzFromText(s.frequency2).value_or(0);
  zelta::testing::RecordingReporter reporter;
  const SynthesisResult r = checkSynthesizable(f, reporter);
  if (r.code != errors::code::Done) throw std::runtime_error("frequency not synthesizable: " + s.frequency);
  s.receiver = r.primary;
  s.receiver2 = r.second;
}

// Writes the synthesizer bytes of a frequency as a pager holds them: primary
// block at 0x719-0x720 and 0x99, the second divider words at 0x4D and 0x50.
inline void writeFrequency(CodeplugImage& image, Hertz hz, int pllType, int band, Hertz secondHz = 0) {
  const ImageView v = image.current();
  const auto p = synthesizeFrequency(hz, pllType, band);
  if (!p) throw std::runtime_error("frequency not synthesizable");
  const SynthesizerBlock b = synthesizerBlock(*p);
  for (std::size_t k = 0; k < 3; ++k) {
    v.setByte(0x719 + k, b.nWord[k]);
    v.setByte(0x71C + k, b.rWord[k]);
  }
  v.setByte(0x71F, b.synthesizerByte);
  v.setByte(0x720, b.oscillatorByte);
  v.setBits(0x99, 1, 0, b.injectionByte);
  if (secondHz != 0) {
    const auto q = synthesizeFrequency(secondHz, pllType, band, FrequencyRole::Second);
    if (!q) throw std::runtime_error("second frequency not synthesizable");
    const SynthesizerBlock s = synthesizerBlock(*q);
    for (std::size_t k = 0; k < 3; ++k) {
      v.setByte(0x4D + k, s.nWord[k]);
      v.setByte(0x50 + k, s.rWord[k]);
    }
  }
}

}  // namespace zelta::codeplug::testing
