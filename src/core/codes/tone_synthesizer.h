#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "codes/tone_output.h"

namespace zelta::codes {

// Mono signed 16-bit PCM, the form every sound device takes.
struct PcmFormat {
  int sampleRate = 44'100;
  std::int16_t amplitude = 8'000;  // a square wave is loud; well below full scale
};

// The samples of a tone schedule: a square wave at each tone's frequency,
// starting on its high half, and zeros for rests. Step boundaries are placed
// from the schedule's running total of milliseconds, so a long schedule keeps
// its length to the sample.
std::vector<std::int16_t> synthesizeTones(std::span<const ToneStep> steps,
                                          const PcmFormat& format = {});

}  // namespace zelta::codes
