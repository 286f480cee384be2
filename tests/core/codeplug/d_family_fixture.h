#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>

#include "codeplug/codeplug_image.h"
#include "codeplug/frequency_band.h"
#include "codeplug/frequency_synthesizer.h"
#include "models/models.h"

namespace zelta::codeplug::testing {

inline constexpr std::array<models::ModelCode, 8> kDFamilyModels{0x91, 0x92, 0x95, 0x96,
                                                                 0x93, 0x97, 0x98, 0x99};

// Writes the synthesizer bytes of a frequency as a pager holds them: primary
// block at 0x719-0x720 and 0x99, the second divider words at 0x4D and 0x50.
inline void writeFrequency(CodeplugImage& image, Hertz hz, int pllType, int band,
                           Hertz secondHz = 0) {
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
