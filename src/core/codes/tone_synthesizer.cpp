#include "codes/tone_synthesizer.h"

namespace zelta::codes {
namespace {

std::int64_t sampleAt(std::int64_t ms, int sampleRate) {
  return (ms * sampleRate + 500) / 1000;
}

}  // namespace

std::vector<std::int16_t> synthesizeTones(std::span<const ToneStep> steps,
                                          const PcmFormat& format) {
  std::vector<std::int16_t> samples;
  if (format.sampleRate <= 0) return samples;

  std::int64_t elapsedMs = 0;
  for (const ToneStep& step : steps) {
    if (step.durationMs <= 0) continue;
    const std::int64_t begin = sampleAt(elapsedMs, format.sampleRate);
    elapsedMs += step.durationMs;
    const std::int64_t count = sampleAt(elapsedMs, format.sampleRate) - begin;
    // A square wave above the Nyquist rate would alias to some other pitch.
    if (step.isRest() || 2 * step.frequencyHz > format.sampleRate) {
      samples.insert(samples.end(), static_cast<std::size_t>(count), 0);
      continue;
    }
    const auto high = format.amplitude;
    const auto low = static_cast<std::int16_t>(-format.amplitude);
    for (std::int64_t i = 0; i < count; ++i) {
      // Half periods elapsed at sample i, in exact integer arithmetic.
      const std::int64_t halfPeriods = 2 * step.frequencyHz * i / format.sampleRate;
      samples.push_back(halfPeriods % 2 == 0 ? high : low);
    }
  }
  return samples;
}

}  // namespace zelta::codes
