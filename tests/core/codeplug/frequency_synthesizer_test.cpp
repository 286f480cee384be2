#include "codeplug/frequency_synthesizer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <numeric>
#include <sstream>

#include "support/recording_reporter.h"

namespace zelta::codeplug {
namespace {

struct DefaultsCase {
  int pllType;
  int band;
  int effectiveType;
  Hertz referenceHz;
  Hertz ifHz;
  int multiplier;
  Hertz stepHz;
  std::uint8_t synthesizerByte;
  std::uint8_t oscillatorByte;
  int injectionSide;
};

void PrintTo(const DefaultsCase& c, std::ostream* os) {
  *os << "type " << c.pllType << " band " << c.band;
}

class SynthesizerDefaultsTest : public ::testing::TestWithParam<DefaultsCase> {};

TEST_P(SynthesizerDefaultsTest, ValuesAndBytes) {
  const DefaultsCase& c = GetParam();
  const auto p = synthesizerDefaults(c.pllType, c.band);
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(p->pllType, c.effectiveType);
  EXPECT_EQ(p->referenceHz, c.referenceHz);
  EXPECT_EQ(p->ifHz, c.ifHz);
  EXPECT_EQ(p->multiplier, c.multiplier);
  EXPECT_EQ(p->channelStepHz, c.stepHz);
  EXPECT_EQ(p->injectionSide, c.injectionSide);
  EXPECT_EQ(synthesizerByte(*p), c.synthesizerByte);
  EXPECT_EQ(oscillatorByte(*p, 0), c.oscillatorByte);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SynthesizerDefaultsTest,
    ::testing::Values(DefaultsCase{0, 0, 0, 20'950'000, 21'400'000, 2, 12'500, 0x39, 0x42, 2},
                      DefaultsCase{0, 3, 0, 20'950'000, 21'400'000, 2, 12'500, 0x39, 0x42, 0},
                      // Type 2 outside the 900 MHz band runs as type 0 ...
                      DefaultsCase{2, 1, 0, 20'950'000, 21'400'000, 2, 12'500, 0x39, 0x42, 0},
                      DefaultsCase{0, 4, 0, 20'950'000, 21'400'000, 4, 12'500, 0x3B, 0x42, 0},
                      DefaultsCase{2, 7, 0, 20'950'000, 21'400'000, 4, 12'500, 0x3B, 0x42, 0},
                      // ... and type 0 in it as type 2.
                      DefaultsCase{0, 6, 2, 12'800'000, 45'000'000, 4, 12'500, 0x9B, 0x22, 0},
                      DefaultsCase{1, 0, 1, 20'950'000, 21'400'000, 1, 2'500, 0x20, 0x52, 2},
                      DefaultsCase{1, 7, 1, 20'950'000, 21'400'000, 1, 2'500, 0x20, 0x52, 0},
                      DefaultsCase{1, 6, 1, 12'800'000, 45'000'000, 1, 6'250, 0x88, 0x12, 0},
                      DefaultsCase{3, 2, 3, 20'950'000, 21'400'000, 1, 6'250, 0x28, 0x72, 0},
                      DefaultsCase{3, 5, 3, 20'950'000, 21'400'000, 4, 12'500, 0x3B, 0x72, 0},
                      DefaultsCase{3, 6, 3, 12'800'000, 45'000'000, 6, 12'500, 0x9D, 0x32, 0}));

TEST(SynthesizerDefaultsTest, UnknownTypeOrBandHasNone) {
  EXPECT_FALSE(synthesizerDefaults(4, 1).has_value());
  EXPECT_FALSE(synthesizerDefaults(-1, 1).has_value());
  EXPECT_FALSE(synthesizerDefaults(0, 8).has_value());
  EXPECT_FALSE(synthesizerDefaults(0, -1).has_value());
}

SynthesizerWord word(std::uint8_t a, std::uint8_t b, std::uint8_t c) {
  return {a, b, c};
}

TEST(SynthesizerWordTest, Npc5170Words) {
  EXPECT_EQ(nWord(kPllNpc5170, 1000), word(0x01, 0xF4, 0x00));
  EXPECT_EQ(rWord(kPllNpc5170, 16), word(0x00, 0x10, 0x11));
  EXPECT_EQ(nOfWord(kPllNpc5170, word(0x00, 0x01, 0x00)), 2U);
  EXPECT_EQ(rOfWord(kPllNpc5170, word(0x00, 0x10, 0x11)), 16U);
}

TEST(SynthesizerWordTest, OtherTypesWords) {
  EXPECT_EQ(nWord(kPllHi8107, 10929), word(0x00, 0x55, 0x62));
  EXPECT_EQ(rWord(kPllHi8107, 419), word(0x00, 0x1A, 0x31));
  EXPECT_EQ(rWord(kPllFs8107, 419), word(0x00, 0x1A, 0x31));
  EXPECT_EQ(nWord(kPllMb15e03, 0x12345), word(0x02, 0x46, 0x8A));
  EXPECT_EQ(rWord(kPllMb15e03, 8380), word(0x01, 0x41, 0x79));
  EXPECT_EQ(nOfWord(kPllMb15e03, word(0x02, 0x46, 0x8B)), 0x12345U);  // bit 0 is no divider bit
  EXPECT_EQ(rOfWord(kPllMb15e03, word(0x01, 0x41, 0x79)), 8380U);
  EXPECT_EQ(rOfWord(kPllMb15e03, word(0x00, 0x10, 0x00)), 0U);  // below the fixed 65537
  EXPECT_EQ(rOfWord(kPllHi8107, word(0x00, 0x1A, 0x31)), 419U);
}

// 158.0125 MHz on an HI8107 in band 2: N 10929, R 419, exact.
SynthesizerBlock block158() {
  SynthesizerBlock b;
  b.nWord = word(0x00, 0x55, 0x62);
  b.rWord = word(0x00, 0x1A, 0x31);
  b.synthesizerByte = 0x39;
  b.oscillatorByte = 0x42;
  b.injectionByte = 0x01;
  return b;
}

TEST(ReceiveFrequencyTest, DecodesAProgrammedBlock) {
  const ReceivedFrequency f = receiveFrequency(block158());
  EXPECT_EQ(f.hz, 158'012'500);
  EXPECT_EQ(f.channelHz, 158'012'500);
  ASSERT_TRUE(f.parameters.has_value());
  EXPECT_EQ(f.parameters->n, 10929U);
  EXPECT_EQ(f.parameters->r, 419U);
  EXPECT_EQ(f.parameters->multiplier, 2);
  EXPECT_EQ(f.parameters->ifHz, 21'400'000);
  EXPECT_EQ(f.parameters->roundingFlags, 2);
}

TEST(ReceiveFrequencyTest, ZeroSynthesizerByteMeansNoFrequency) {
  SynthesizerBlock b = block158();
  b.synthesizerByte = 0;
  const ReceivedFrequency f = receiveFrequency(b);
  EXPECT_EQ(f.hz, 0);
  EXPECT_EQ(f.channelHz, 0);
  EXPECT_FALSE(f.parameters.has_value());
}

TEST(ReceiveFrequencyTest, ZeroReferenceDividerGivesZero) {
  SynthesizerBlock b = block158();
  b.rWord = word(0x00, 0x00, 0x01);
  EXPECT_EQ(receiveFrequency(b).hz, 0);
}

TEST(ReceiveFrequencyTest, InjectionSideTwoTakesTheIfOffAndThreeAddsIt) {
  SynthesizerBlock b = block158();
  b.injectionByte = 0xFE;  // only bits 1-0 count
  EXPECT_EQ(receiveFrequency(b).hz, 158'012'500 - 2 * 21'400'000);
  b.injectionByte = 0x03;
  EXPECT_EQ(receiveFrequency(b).hz, 158'012'500);
}

// 137.47125 MHz on an HI8107: the nearest divider pair lands 416.7 Hz low
// (N 15925, R 525, synthesizer above the carrier).
SynthesizerBlock block137() {
  SynthesizerBlock b;
  b.nWord = word(0x00, 0x7C, 0x6A);
  b.rWord = word(0x00, 0x20, 0xD1);
  b.synthesizerByte = 0x39;
  b.oscillatorByte = 0x40;  // round to 100 Hz, upwards
  b.injectionByte = 0x02;
  return b;
}

TEST(ReceiveFrequencyTest, InexactFrequencyIsRoundedTo100HzAndShownOnItsChannel) {
  SynthesizerBlock b = block137();
  ReceivedFrequency f = receiveFrequency(b);
  EXPECT_EQ(f.hz, 137'470'900);
  // 350 Hz low still shows the channel that was programmed.
  EXPECT_EQ(f.channelHz, 137'471'250);

  b.oscillatorByte = 0x41;  // downwards
  EXPECT_EQ(receiveFrequency(b).hz, 137'470'800);
  b.oscillatorByte = 0x42;  // no rounding: the synthesizer's own value
  EXPECT_EQ(receiveFrequency(b).hz, 137'470'833);
}

TEST(SynthesizeFrequencyTest, OffGridFrequencyIsNotSynthesizable) {
  for (int type : {kPllHi8107, kPllNpc5170, kPllFs8107}) {
    EXPECT_FALSE(synthesizeFrequency(158'013'000, type, 2).has_value()) << type;
  }
  // The MB15E03 needs the 2500 Hz grid.
  EXPECT_TRUE(synthesizeFrequency(158'001'250, kPllHi8107, 2).has_value());
  EXPECT_FALSE(synthesizeFrequency(158'001'250, kPllMb15e03, 2).has_value());
  EXPECT_FALSE(synthesizeFrequency(0, kPllHi8107, 2).has_value());
}

TEST(SynthesizeFrequencyTest, SomeOffRasterChannelsHaveNoDividerPair) {
  // No reference divider brings the HI8107 within 500 Hz of this one.
  EXPECT_FALSE(synthesizeFrequency(137'033'750, kPllHi8107, 0).has_value());
  EXPECT_FALSE(synthesizeFrequency(158'000'000, kPllHi8107, 9).has_value());
}

TEST(SynthesizeFrequencyTest, Type0In900MHzBandRunsAsNpc5170) {
  const auto p = synthesizeFrequency(929'612'500, kPllHi8107, 6);
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(p->pllType, kPllNpc5170);
  EXPECT_EQ(p->referenceHz, 12'800'000);
  EXPECT_EQ(p->ifHz, 45'000'000);
  // Carrier 884.6125 MHz from a 12.8 MHz reference divided by 4 * R.
  const std::int64_t synthesized = std::int64_t{p->n} * p->multiplier * p->referenceHz;
  const std::int64_t divider = std::int64_t{4} * p->r;
  EXPECT_LT(std::llabs(synthesized - (929'612'500 - 45'000'000) * divider), 99 * divider);
}

TEST(SynthesizeFrequencyTest, HighVhfPrimaryRunsAboveTheCarrierWhateverTheBand) {
  const auto primary = synthesizeFrequency(142'500'000, kPllHi8107, 1, FrequencyRole::Primary);
  const auto second = synthesizeFrequency(142'500'000, kPllHi8107, 1, FrequencyRole::Second);
  ASSERT_TRUE(primary && second);
  EXPECT_EQ(primary->injectionSide, 2);
  EXPECT_EQ(second->injectionSide, 0);
  EXPECT_EQ(receiveFrequency(synthesizerBlock(*primary)).channelHz, 142'500'000);
  EXPECT_EQ(receiveFrequency(synthesizerBlock(*second)).channelHz, 142'500'000);
}

TEST(SynthesizeFrequencyTest, RoundingFlagsRecordTheSideOfTheError) {
  const auto exact = synthesizeFrequency(158'012'500, kPllHi8107, 2);
  ASSERT_TRUE(exact);
  EXPECT_EQ(exact->roundingFlags, 2);
  EXPECT_EQ(exact->n, 10929U);
  EXPECT_EQ(exact->r, 419U);

  const auto low = synthesizeFrequency(137'471'250, kPllHi8107, 0);
  ASSERT_TRUE(low);
  EXPECT_EQ(low->roundingFlags, 0);  // synthesizer below the frequency: round up
  EXPECT_EQ(synthesizerBlock(*low).nWord, block137().nWord);
  EXPECT_EQ(synthesizerBlock(*low).rWord, block137().rWord);
}

TEST(SynthesizeFrequencyTest, Mb15e03AvoidsThe900MHzSpurs) {
  // 929.5 MHz would come exactly from the 5 kHz step; it is taken from the
  // 6.25 kHz step (R 2048) instead. Its neighbour keeps the 5 kHz step.
  const auto spur = synthesizeFrequency(929'500'000, kPllMb15e03, 6);
  const auto neighbour = synthesizeFrequency(929'505'000, kPllMb15e03, 6);
  ASSERT_TRUE(spur && neighbour);
  EXPECT_EQ(spur->r, 2048U);
  EXPECT_EQ(neighbour->r, 2560U);
  EXPECT_EQ(receiveFrequency(synthesizerBlock(*spur)).hz, 929'500'000);
}

// Every channel on the search's grid (1250 Hz, 2500 Hz for the MB15E03) of
// every band: what the search finds must come back from the words it makes,
// within the search's tolerance, on the same channel; and every channel on
// the receiver's own raster must be found.
TEST(SynthesizeFrequencyTest, EveryChannelOfEveryBandRoundTrips) {
  for (int type = 0; type < 4; ++type) {
    for (int band = 0; band < kBandCount; ++band) {
      const FrequencyBand row = *bandAt(band, BandTable::Variant);
      const auto defaults = synthesizerDefaults(type, band);
      ASSERT_TRUE(defaults);
      const Hertz grid = defaults->pllType == kPllMb15e03 ? 2'500 : 1'250;
      const Hertz raster = std::lcm(grid, defaults->channelStepHz);

      int missing = 0;
      int wrong = 0;
      std::ostringstream first;
      for (Hertz f = Hertz{row.firstMHz} * 1'000'000; f < Hertz{row.lastMHz + 1} * 1'000'000;
           f += grid) {
        const auto p = synthesizeFrequency(f, type, band);
        if (!p) {
          if (f % raster == 0 && missing++ == 0) first << " missing " << f;
          continue;
        }
        const ReceivedFrequency back = receiveFrequency(synthesizerBlock(*p));
        if (back.channelHz != f || std::llabs(back.hz - f) >= 500) {
          if (wrong++ == 0) first << " wrong " << f << " -> " << back.hz;
        }
      }
      EXPECT_EQ(missing, 0) << "type " << type << " band " << band << first.str();
      EXPECT_EQ(wrong, 0) << "type " << type << " band " << band << first.str();
    }
  }
}

TEST(CheckSynthesizableTest, GivesTheDividerValues) {
  testing::RecordingReporter reporter;
  const SynthesisResult r =
      checkSynthesizable({.model = 'p', .band = 2, .primaryHz = 158'012'500}, reporter);
  EXPECT_EQ(r.code, errors::code::Ok);
  EXPECT_EQ(r.primary.n, 10929U);
  EXPECT_TRUE(reporter.shown.empty());
}

TEST(CheckSynthesizableTest, FailureShowsMinus36) {
  testing::RecordingReporter reporter;
  const SynthesisResult r =
      checkSynthesizable({.model = 'p', .band = 2, .primaryHz = 158'013'000}, reporter);
  EXPECT_EQ(r.code, -36);
  ASSERT_EQ(reporter.shown.size(), 1U);
  EXPECT_EQ(reporter.shown[0].text, "ERROR: Frequency is not synthesizable.");
}

TEST(CheckSynthesizableTest, SecondFrequencyOnlyForDualFrequencyModels) {
  testing::RecordingReporter reporter;
  EXPECT_EQ(
      checkSynthesizable(
          {.model = 'p', .band = 2, .primaryHz = 158'012'500, .secondHz = 158'013'000}, reporter)
          .code,
      errors::code::Ok);
  EXPECT_EQ(
      checkSynthesizable(
          {.model = 0x97, .band = 2, .primaryHz = 158'012'500, .secondHz = 158'013'000}, reporter)
          .code,
      -36);
  EXPECT_EQ(reporter.shown.size(), 1U);

  // The second frequency runs on the defaults' side even in high VHF.
  const SynthesisResult dual = checkSynthesizable(
      {.model = 0x98, .band = 1, .primaryHz = 142'500'000, .secondHz = 142'500'000}, reporter);
  EXPECT_EQ(dual.code, errors::code::Ok);
  EXPECT_EQ(dual.primary.injectionSide, 2);
  EXPECT_EQ(dual.second.injectionSide, 0);
  EXPECT_EQ(receiveFrequency(synthesizerBlock(dual.second)).channelHz, 142'500'000);
}

}  // namespace
}  // namespace zelta::codeplug
