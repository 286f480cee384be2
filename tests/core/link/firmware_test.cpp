#include "link/firmware.h"

#include <gtest/gtest.h>

#include "link_fixture.h"

namespace zelta::testing {
namespace {

using link::Firmware;
using link::FirmwareFlags;
using link::FlagSet;

TEST(InformationRecord, DigitsAreReadAsHexadecimalValues) {
  struct Case {
    const char* text;
    int major;
    int minor;
    char digit;
  };
  const Case cases[] = {
      {" R0803", 8, 3, '8'},
      {" R0A1F", 10, 1 * 10 + 15, 'A'},
      {" Rx8?3", 8, 3, '8'},  // anything else counts 0
      {"ZR1234", 12, 34, '2'},
  };
  for (const Case& c : cases) {
    const link::FirmwareInfo info = link::parseInformationRecord(informationRecord(c.text));
    EXPECT_EQ(info.text, c.text);
    EXPECT_EQ(info.major, c.major) << c.text;
    EXPECT_EQ(info.minor, c.minor) << c.text;
    EXPECT_EQ(info.digit, c.digit) << c.text;
  }
}

TEST(FirmwareFlagsTest, EachSetTouchesOnlyItsFlags) {
  FirmwareFlags flags;
  std::uint8_t extended = 0xFF;
  flags.set(Firmware::R0601, true);
  link::evaluateFirmware(" R0803", FlagSet::VariantA, flags, extended);
  EXPECT_TRUE(flags.has(Firmware::R0803));
  EXPECT_TRUE(flags.has(Firmware::R0601)) << "variant A leaves the older flags alone";
  EXPECT_EQ(extended, 0xFF);

  link::evaluateFirmware(" R0103", FlagSet::VariantB, flags, extended);
  EXPECT_EQ(extended, 1);
  EXPECT_FALSE(flags.has(Firmware::R0601));
  EXPECT_TRUE(flags.has(Firmware::R0803)) << "variant B leaves the newer flags alone";

  flags.clear();
  link::evaluateFirmware(" R0105", FlagSet::ProbeBeforeRead, flags, extended);
  EXPECT_FALSE(flags.has(Firmware::R0105));
  EXPECT_EQ(extended, 0);
  link::evaluateFirmware(" R0105", FlagSet::All, flags, extended);
  EXPECT_TRUE(flags.has(Firmware::R0105));
  link::evaluateFirmware(" R0705", FlagSet::All, flags, extended);
  EXPECT_TRUE(flags.has(Firmware::R0705));
  EXPECT_FALSE(flags.has(Firmware::R0105));
}

TEST(ClockLocation, FirstRuleThatAppliesWins) {
  struct Case {
    std::initializer_list<Firmware> flags;
    char digit;
    std::uint8_t hi;
    std::uint8_t lo;
  };
  const Case cases[] = {
      {{Firmware::R0802, Firmware::R0803, Firmware::R0801}, '8', 0x0D, 0x12},
      {{Firmware::R0801, Firmware::R0702}, '8', 0x11, 0xF8},
      {{Firmware::R0802}, '8', 0x0D, 0x12},
      {{Firmware::R0702, Firmware::R0703}, '7', 0x11, 0xAE},
      {{Firmware::R0703}, '7', 0x11, 0xB2},
      {{Firmware::R0105, Firmware::R0601}, '1', 0x09, 0x2A},
      {{Firmware::R0602}, '6', 0x09, 0x44},
      {{}, '7', 0x0E, 0x74},
      {{}, '3', 0x09, 0x28},
      {{}, '0', 0x09, 0x28},
      {{}, '9', 0x0D, 0x12},
      {{}, ' ', 0x0D, 0x12},  // not a digit: the last rule
  };
  for (const Case& c : cases) {
    FirmwareFlags flags;
    for (Firmware f : c.flags) flags.set(f, true);
    const auto at = link::clockLocation(flags, c.digit);
    EXPECT_EQ(at[0], c.hi) << "digit " << c.digit;
    EXPECT_EQ(at[1], c.lo) << "digit " << c.digit;
  }
}

}  // namespace
}  // namespace zelta::testing
