#include "codeplug/frequency_band.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "support/recording_reporter.h"

namespace zelta::codeplug {
namespace {

constexpr models::ModelCode kModelP = 'p';
constexpr models::ModelCode kModelD = 0x91;
constexpr models::ModelCode kModelE = 0x93;
constexpr models::ModelCode kModelF = 0x98;

struct BandCase {
  Hertz hz;
  BandTable table;
  int band;
};

void PrintTo(const BandCase& c, std::ostream* os) {
  *os << c.hz << (c.table == BandTable::Variant ? " variant" : "") << " -> " << c.band;
}

class BandOfFrequencyTest : public ::testing::TestWithParam<BandCase> {};

TEST_P(BandOfFrequencyTest, FirstMatchingBand) {
  const BandCase& c = GetParam();
  EXPECT_EQ(bandOfFrequency(c.hz, c.table), c.band) << c.hz;
}

INSTANTIATE_TEST_SUITE_P(
    Table, BandOfFrequencyTest,
    ::testing::Values(
        BandCase{158'012'500, BandTable::Normal, 2}, BandCase{152'500'000, BandTable::Normal, 1},
        // 152 MHz is in both rows of the variant table; band 1 comes first.
        BandCase{152'500'000, BandTable::Variant, 1}, BandCase{163'500'000, BandTable::Normal, 3},
        BandCase{163'500'000, BandTable::Variant, 2}, BandCase{142'987'500, BandTable::Normal, 0},
        BandCase{143'000'000, BandTable::Normal, 1},
        BandCase{136'999'999, BandTable::Normal, kNoBand},
        BandCase{173'987'500, BandTable::Normal, 3},
        BandCase{174'000'000, BandTable::Normal, kNoBand},
        BandCase{440'000'000, BandTable::Normal, 7}, BandCase{449'987'500, BandTable::Normal, 7},
        BandCase{450'000'000, BandTable::Normal, 4}, BandCase{469'987'500, BandTable::Normal, 5},
        BandCase{470'000'000, BandTable::Normal, kNoBand},
        BandCase{929'000'000, BandTable::Normal, 6}, BandCase{931'987'500, BandTable::Normal, 6},
        BandCase{932'000'000, BandTable::Normal, kNoBand},
        BandCase{327'525'000, BandTable::Normal, kNoBand}, BandCase{0, BandTable::Normal, kNoBand},
        BandCase{-158'012'500, BandTable::Normal, kNoBand}));

TEST(FrequencyInBandTest, VariantTableAcceptsTheOverlapForEitherNeighbour) {
  EXPECT_FALSE(frequencyInBand(152'500'000, 2, BandTable::Normal));
  EXPECT_TRUE(frequencyInBand(152'500'000, 2, BandTable::Variant));
  EXPECT_TRUE(frequencyInBand(152'500'000, 1, BandTable::Variant));
  EXPECT_TRUE(frequencyInBand(163'500'000, 3, BandTable::Variant));
  EXPECT_TRUE(frequencyInBand(163'987'500, 2, BandTable::Variant));
  EXPECT_FALSE(frequencyInBand(164'000'000, 2, BandTable::Variant));
  EXPECT_FALSE(frequencyInBand(158'012'500, -1));
  EXPECT_FALSE(frequencyInBand(158'012'500, kBandCount));
}

struct TwoFrequencyCase {
  Hertz primary;
  Hertz second;
  int band;
};

void PrintTo(const TwoFrequencyCase& c, std::ostream* os) {
  *os << c.primary << " + " << c.second << " -> " << c.band;
}

class BandOfTwoFrequenciesTest : public ::testing::TestWithParam<TwoFrequencyCase> {};

TEST_P(BandOfTwoFrequenciesTest, Classifies) {
  const TwoFrequencyCase& c = GetParam();
  EXPECT_EQ(bandOfTwoFrequencies(c.primary, c.second), c.band) << c.primary << " " << c.second;
}

INSTANTIATE_TEST_SUITE_P(Table, BandOfTwoFrequenciesTest,
                         ::testing::Values(
                             // Both beyond doubt: the primary frequency decides.
                             TwoFrequencyCase{450'100'000, 460'100'000, 4},
                             TwoFrequencyCase{163'500'000, 450'000'000, 3},
                             TwoFrequencyCase{929'012'500, 931'987'500, 6},
                             // Low VHF: both must share a band; 152 MHz fits either.
                             TwoFrequencyCase{158'012'500, 155'000'000, 2},
                             TwoFrequencyCase{145'000'000, 151'987'500, 1},
                             TwoFrequencyCase{152'500'000, 158'012'500, 2},
                             TwoFrequencyCase{150'000'000, 152'500'000, 1},
                             TwoFrequencyCase{152'500'000, 152'000'000, 1},
                             TwoFrequencyCase{150'000'000, 158'012'500, kNoBand},
                             // One low VHF frequency with one of another band.
                             TwoFrequencyCase{137'500'000, 150'000'000, kNoBand},
                             // UHF C and the 900 MHz band edge are not recognised in pairs.
                             TwoFrequencyCase{440'500'000, 440'500'000, kNoBand},
                             TwoFrequencyCase{929'000'000, 930'000'000, kNoBand}));

TEST(BandLimitsTest, LimitsOfTheSelectedBand) {
  const BandLimits vhfB = bandLimits(2);
  EXPECT_FLOAT_EQ(vhfB.lowerMHz, 153.0F);
  EXPECT_FLOAT_EQ(vhfB.upperMHz, 162.9875F);
  const BandLimits wideVhfB = bandLimits(2, BandTable::Variant);
  EXPECT_FLOAT_EQ(wideVhfB.lowerMHz, 152.0F);
  EXPECT_FLOAT_EQ(wideVhfB.upperMHz, 163.9875F);
  const BandLimits band900 = bandLimits(6);
  EXPECT_FLOAT_EQ(band900.lowerMHz, 929.0F);
  EXPECT_FLOAT_EQ(band900.upperMHz, 931.9875F);
  EXPECT_EQ(bandAt(7)->listText, "UHF C (Low)");
  EXPECT_FALSE(bandAt(8).has_value());
}

TEST(BandTableTest, ChosenByModelSerialNumberAndFirstProgramming) {
  EXPECT_EQ(bandTableFor(kModelE, "", true), BandTable::Variant);
  EXPECT_EQ(bandTableFor(kModelF, "AAAAAAAAAA", true), BandTable::Variant);
  EXPECT_EQ(bandTableFor(kModelP, "ZZZZZZZZZZ", false), BandTable::Normal);

  const std::string threshold(kProductionData.variantBandThreshold);
  std::string below = threshold;
  below.back() = static_cast<char>(below.back() - 1);
  // Before the first programming attempt every D-family pager gets the wide table.
  EXPECT_EQ(bandTableFor(kModelD, below, false), BandTable::Variant);
  EXPECT_EQ(bandTableFor(kModelD, below, true), BandTable::Normal);
  EXPECT_EQ(bandTableFor(kModelD, threshold, true), BandTable::Variant);
}

TEST(BandTableTest, ProductionDataCanBeReplaced) {
  ProductionData data = kProductionData;
  data.variantBandThreshold = "M000000000";
  EXPECT_EQ(bandTableFor(kModelD, "L999999999", true, data), BandTable::Normal);
  EXPECT_EQ(bandTableFor(kModelD, "M000000000", true, data), BandTable::Variant);

  data.variantTwoSerialRanges[3] = {"K000000100", "K000000199"};
  EXPECT_FALSE(serialInVariantTwoRanges("K000000099", data));
  EXPECT_TRUE(serialInVariantTwoRanges("K000000100", data));
  EXPECT_TRUE(serialInVariantTwoRanges("K000000199", data));
  EXPECT_FALSE(serialInVariantTwoRanges("K000000200", data));
}

// The production table is edited by hand; a swapped or mistyped range would
// silently match nothing.
TEST(BandTableTest, BuiltInSerialNumbersAreWellFormed) {
  for (const SerialRange& range : kProductionData.variantTwoSerialRanges) {
    EXPECT_EQ(range.first.size(), 10U);
    EXPECT_EQ(range.last.size(), 10U);
    EXPECT_LE(range.first, range.last);
  }
  EXPECT_EQ(kProductionData.variantBandThreshold.size(), 10U);
}

struct TextCase {
  const char* text;
  std::optional<Hertz> hz;
};

void PrintTo(const TextCase& c, std::ostream* os) {
  *os << '"' << c.text << '"';
}

class FrequencyTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(FrequencyTextTest, ParsesExactly) {
  const TextCase& c = GetParam();
  EXPECT_EQ(frequencyHzFromText(c.text), c.hz) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Table, FrequencyTextTest,
    ::testing::Values(TextCase{"158.0125", 158'012'500}, TextCase{"158.01250", 158'012'500},
                      TextCase{"929.98750", 929'987'500}, TextCase{" 152.5 ", 152'500'000},
                      TextCase{"450", 450'000'000}, TextCase{"000.0000", 0},
                      // Beyond whole hertz the text is rounded up.
                      TextCase{"158.0125001", 158'012'501}, TextCase{"158.01250000", 158'012'500},
                      TextCase{"", std::nullopt}, TextCase{".", std::nullopt},
                      TextCase{"158.01.25", std::nullopt}, TextCase{"15a.0125", std::nullopt},
                      TextCase{"-158.0125", std::nullopt},
                      TextCase{"99999999999999999999", std::nullopt}));

TEST(FrequencyTextTest, PageTextReadsBackAsTheSameFrequency) {
  EXPECT_EQ(frequencyTextOf(158'012'500), "158.0125");
  EXPECT_EQ(frequencyTextOf(158'012'500, 5), "158.01250");
  EXPECT_EQ(frequencyTextOf(929'006'250, 5), "929.00625");
  EXPECT_EQ(frequencyTextOf(929'006'250), "929.0062");  // below the last decimal dropped
  EXPECT_EQ(frequencyTextOf(0), "000.0000");
  for (Hertz hz : {Hertz{137'000'000}, Hertz{152'512'500}, Hertz{469'987'500}}) {
    EXPECT_EQ(frequencyHzFromText(frequencyTextOf(hz)), hz);
  }
}

TEST(CheckFrequencyInBandTest, InBandPassesSilently) {
  testing::RecordingReporter reporter;
  EXPECT_EQ(checkFrequencyInBand({.model = kModelP, .band = 2, .primaryHz = 158'012'500}, reporter),
            errors::code::Ok);
  EXPECT_TRUE(reporter.shown.empty());
}

TEST(CheckFrequencyInBandTest, OutOfBandShowsTheSelectedBandLimits) {
  testing::RecordingReporter reporter;
  EXPECT_EQ(checkFrequencyInBand({.model = kModelP, .band = 2, .primaryHz = 152'500'000}, reporter),
            -104);
  ASSERT_EQ(reporter.shown.size(), 1U);
  EXPECT_EQ(reporter.shown[0].text.rfind("WARNING: Valid range is 153.0000 to 162.9875 MHz\n", 0),
            0U)
      << reporter.shown[0].text;
  EXPECT_FLOAT_EQ(reporter.context().bandLowerMHz, 153.0F);
}

TEST(CheckFrequencyInBandTest, VariantTableWidensBandTwoAndItsLimits) {
  testing::RecordingReporter reporter;
  EXPECT_EQ(
      checkFrequencyInBand(
          {.model = kModelD, .band = 2, .table = BandTable::Variant, .primaryHz = 152'500'000},
          reporter),
      errors::code::Ok);
  EXPECT_EQ(
      checkFrequencyInBand(
          {.model = kModelD, .band = 2, .table = BandTable::Variant, .primaryHz = 164'000'000},
          reporter),
      -104);
  ASSERT_EQ(reporter.shown.size(), 1U);
  EXPECT_NE(reporter.shown[0].text.find("152.0000 to 163.9875 MHz"), std::string::npos);
}

TEST(CheckFrequencyInBandTest, SecondFrequencyCountsOnlyForDualFrequencyModels) {
  testing::RecordingReporter reporter;
  // A stale second frequency of a single-frequency model is not looked at.
  EXPECT_EQ(checkFrequencyInBand(
                {.model = kModelP, .band = 4, .primaryHz = 450'000'000, .secondHz = 158'012'500},
                reporter),
            errors::code::Ok);
  EXPECT_EQ(checkFrequencyInBand(
                {.model = kModelE, .band = 4, .primaryHz = 450'000'000, .secondHz = 459'987'500},
                reporter),
            errors::code::Ok);
  EXPECT_EQ(checkFrequencyInBand(
                {.model = kModelF, .band = 4, .primaryHz = 450'000'000, .secondHz = 460'000'000},
                reporter),
            -104);
  EXPECT_EQ(reporter.shown.size(), 1U);
}

TEST(CheckFrequencyInBandTest, UnknownBandIndexFails) {
  testing::RecordingReporter reporter;
  EXPECT_EQ(checkFrequencyInBand({.model = kModelP, .band = 9, .primaryHz = 158'012'500}, reporter),
            -104);
  EXPECT_EQ(reporter.shown.size(), 1U);
}

}  // namespace
}  // namespace zelta::codeplug
