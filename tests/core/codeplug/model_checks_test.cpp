#include "codeplug/model_checks.h"

#include <gtest/gtest.h>

#include <memory>

#include "recording_reporter.h"

namespace zelta::codeplug {
namespace {

using zelta::testing::RecordingReporter;
namespace code = errors::code;

struct CompatibilityCase {
  models::ModelCode codeplug;
  models::ModelCode pager;
  bool unprogrammed;
  errors::ResultCode expected;
};

TEST(ModelCompatibility, FamiliesThatMixAndThoseThatDoNot) {
  const CompatibilityCase cases[] = {
      {'1', '0', false, code::Ok},
      {'6', 'p', false, code::Ok},
      {':', 0x91, false, code::Ok},
      {'1', 0x93, false, code::VersionsMismatch},
      {'0', 0x99, false, code::VersionsMismatch},
      {'q', '1', false, code::CodeplugNewerThanPager},
      {'p', '6', false, code::CodeplugNewerThanPager},
      {'q', 'p', false, code::Ok},
      {'x', 'u', false, code::Ok},
      {'q', 0x91, false, code::VersionsMismatch},
      {'t', 0x98, false, code::VersionsMismatch},
      {0x91, 'q', false, code::CodeplugNewerThanPager},
      {0x96, '2', false, code::CodeplugNewerThanPager},
      {0x92, 0x95, false, code::Ok},
      {0x92, 0x95, true, code::VersionsMismatch},
      {0x91, 0x97, false, code::VersionsMismatch},
      {0x91, ' ', false, code::Ok},
      {0x93, 0x97, false, code::Ok},
      {0x93, 0x93, true, code::VersionsMismatch},
      {0x93, 0x91, false, code::VersionsMismatch},
      {0x97, 0x98, false, code::VersionsMismatch},
      {0x98, 0x99, false, code::Ok},
      {0x99, 0x99, true, code::VersionsMismatch},
      {0x98, '1', false, code::VersionsMismatch},
      {' ', 0x99, false, code::Ok},
      {'!', 0x93, false, code::Ok},
      {0x42, 0x93, false, code::Ok},
  };
  for (const CompatibilityCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "codeplug 0x" << std::hex << int(c.codeplug) << " pager 0x"
                                      << int(c.pager) << (c.unprogrammed ? " unprogrammed" : ""));
    RecordingReporter reporter;
    PagerFacts pager;
    pager.model = c.pager;
    pager.unprogrammed = c.unprogrammed;
    EXPECT_EQ(checkModelCompatibility(c.codeplug, pager, reporter), c.expected);
    if (c.expected == code::Ok) {
      EXPECT_TRUE(reporter.shown.empty());
    } else {
      ASSERT_EQ(reporter.shown.size(), 1U);
      EXPECT_EQ(reporter.shown[0].text, errors::reportText(c.expected, {}));
    }
  }
}

struct VariantFixture {
  std::unique_ptr<CodeplugImage> image = std::make_unique<CodeplugImage>();
  SettingsRecord settings;
  RecordingReporter reporter;
  PagerFacts pager;

  explicit VariantFixture(models::ModelCode model) {
    image->setModel(model);
    pager.model = model;
    pager.serialNumber = "AAAAAA0001";
    settings.freqBand = 2;
    pager.band = 2;
  }
  errors::ResultCode check() { return checkHardwareVariant(pager, *image, settings, reporter); }
  unsigned variantBits() const { return image->current().bits(0x3C, 7, 6); }
};

TEST(HardwareVariant, DGroupMatchesOrTakesVariantTwoFromItsSerialRange) {
  VariantFixture same(0x91);
  same.settings.hardwareVariant = 3;
  same.pager.hardwareVariant = 3;
  same.image->current().setByte(0x3C, 0x15);
  EXPECT_EQ(same.check(), code::Ok);
  EXPECT_EQ(same.variantBits(), 3U);
  EXPECT_EQ(same.image->current().bits(0x3C, 5, 0), 0x15U);  // the other bits stay

  VariantFixture differ(0x92);
  differ.settings.hardwareVariant = 3;
  differ.pager.hardwareVariant = 2;
  EXPECT_EQ(differ.check(), code::VersionsMismatch);
  EXPECT_EQ(differ.variantBits(), 0U);
  EXPECT_TRUE(differ.reporter.shown.empty());

  VariantFixture ranged(0x95);
  ranged.settings.hardwareVariant = 3;
  ranged.pager.hardwareVariant = 0;
  ranged.pager.serialNumber = std::string(kProductionData.variantTwoSerialRanges[4].first);
  EXPECT_EQ(ranged.check(), code::Ok);
  EXPECT_EQ(ranged.variantBits(), 2U);
  EXPECT_EQ(ranged.settings.hardwareVariant, 2);
}

TEST(HardwareVariant, DualAndUserPasswordModelsAlsoMatchDualFrequencySupport) {
  VariantFixture ok(0x93);
  ok.settings.hardwareVariant = ok.pager.hardwareVariant = 2;
  ok.settings.supportDualFreq = 1;
  ok.pager.dualFrequencySupport = true;
  EXPECT_EQ(ok.check(), code::Ok);
  EXPECT_EQ(ok.variantBits(), 2U);

  VariantFixture support(0x98);
  support.settings.hardwareVariant = support.pager.hardwareVariant = 3;
  support.pager.dualFrequencySupport = true;
  EXPECT_EQ(support.check(), code::VersionsMismatch);

  // No production range applies outside the D group.
  VariantFixture ranged(0x97);
  ranged.settings.hardwareVariant = 3;
  ranged.pager.serialNumber = std::string(kProductionData.variantTwoSerialRanges[0].first);
  EXPECT_EQ(ranged.check(), code::VersionsMismatch);
}

// The message names the range the pager's receiver covers, not the range
// of the codeplug's own band, which its frequency may well lie in.
TEST(HardwareVariant, APagerOfAnotherBandStopsWithTheReceiversLimits) {
  VariantFixture f(0x91);
  f.pager.band = 4;
  EXPECT_EQ(f.check(), code::OutOfBand);
  ASSERT_EQ(f.reporter.shown.size(), 1U);
  EXPECT_EQ(f.reporter.shown[0].text,
            "WARNING: Valid range is 450.0000 to 459.9875 MHz\n"
            "Frequency entered is not in the range of the receiver.");
}

}  // namespace
}  // namespace zelta::codeplug
