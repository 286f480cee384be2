#include "codes/tone_synthesizer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "codes/pleasing_alert.h"

namespace zelta::codes {
namespace {

// Changes between positive and negative samples; silence between them does
// not count as a change.
int signChanges(std::span<const std::int16_t> samples) {
  int changes = 0;
  int last = 0;
  for (std::int16_t s : samples) {
    const int sign = (s > 0) - (s < 0);
    if (sign != 0 && last != 0 && sign != last) ++changes;
    if (sign != 0) last = sign;
  }
  return changes;
}

TEST(ToneSynthesizerTest, OneMelodyStepOf1300Hz) {
  // Step 1 of a melody: 1300 Hz for 62.5 ms, heard as 63 ms; then silence.
  Melody m{};
  m[0] = 0xE9;
  const std::vector<ToneStep> schedule = melodySchedule(m);
  const PcmFormat format{44'100, 8'000};
  const std::vector<std::int16_t> pcm = synthesizeTones(schedule, format);

  EXPECT_EQ(pcm.size(), 44'100U);  // the whole melody, one second
  const auto toneEnd = std::find(pcm.begin(), pcm.end(), 0);
  const auto toneSamples = toneEnd - pcm.begin();
  EXPECT_NEAR(static_cast<double>(toneSamples), 0.063 * 44'100, 1.0);
  EXPECT_TRUE(std::all_of(toneEnd, pcm.end(), [](std::int16_t s) { return s == 0; }));
  EXPECT_TRUE(
      std::all_of(pcm.begin(), toneEnd, [](std::int16_t s) { return s == 8'000 || s == -8'000; }));

  // 1300 Hz * 63 ms = 81.9 cycles: two sign changes per cycle.
  const int changes = signChanges({pcm.data(), static_cast<std::size_t>(toneSamples)});
  EXPECT_NEAR(changes, 2 * 1300 * 0.063, 1.0);
}

TEST(ToneSynthesizerTest, FrequencyMeasuredOverAWholeSecond) {
  for (int note : {1, 9, 16, 24}) {
    const ToneStep tone{playedFrequencyOf(note), 1000};
    const std::vector<std::int16_t> pcm = synthesizeTones({&tone, 1}, {48'000, 1'000});
    EXPECT_EQ(pcm.size(), 48'000U);
    EXPECT_NEAR(signChanges(pcm) / 2.0, tone.frequencyHz, 1.0) << note;
  }
}

TEST(ToneSynthesizerTest, StepBoundariesDoNotDrift) {
  // Sixteen alternating steps at a rate where one millisecond is no whole
  // number of samples: the total is still exactly one second.
  Melody m{};
  for (std::size_t i = 0; i < kMelodySteps; ++i) m[i] = (i % 2 == 0) ? 0x09 : 0x00;
  const std::vector<std::int16_t> pcm = synthesizeTones(melodySchedule(m), {22'050, 100});
  EXPECT_EQ(pcm.size(), 22'050U);
}

TEST(ToneSynthesizerTest, ToneAboveHalfTheSampleRateIsSilent) {
  const ToneStep tone{6387, 10};
  const std::vector<std::int16_t> pcm = synthesizeTones({&tone, 1}, {8'000, 1'000});
  EXPECT_EQ(pcm.size(), 80U);
  EXPECT_TRUE(std::all_of(pcm.begin(), pcm.end(), [](std::int16_t s) { return s == 0; }));
}

}  // namespace
}  // namespace zelta::codes
