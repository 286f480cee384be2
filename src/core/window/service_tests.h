#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "link/service_commands.h"

namespace zelta::window {

// One radio button of the test page: its command and reply kind, and whether
// the window returns to the main page after it.
struct ServiceTest {
  std::string_view label;
  std::uint8_t command;
  int replyKind;
  bool returnsToMain;
};

inline constexpr std::array<ServiceTest, 12> kServiceTests{{
    {"Exit Test Mode", link::test_command::kExit, 0, true},
    {"Annunciator Test", link::test_command::kAnnunciator, 3, false},
    {"RAM Test Pattern", link::test_command::kRamPattern, 4, false},
    {"Key Test", link::test_command::kKeyTest, 6, false},
    {"Vibrator Off", link::test_command::kVibratorOff, 7, false},
    {"Vibrator On", link::test_command::kVibratorOn, 8, false},
    {"Alert Off", link::test_command::kAlertOff, 9, false},
    {"Alert On", link::test_command::kAlertOn, 10, false},
    {"Backlight Off", link::test_command::kBacklightOff, 11, false},
    {"Backlight On", link::test_command::kBacklightOn, 12, false},
    {"Enable RAM Test", link::test_command::kEnableRamTest, 18, false},
    {"Standby Current Test", link::test_command::kStandbyCurrent, 20, true},
}};

// The annunciator combo's items and the sub-command each sends.
struct AnnunciatorItem {
  std::string_view label;
  std::uint8_t command;
};

inline constexpr std::array<AnnunciatorItem, 10> kAnnunciatorItems{{
    {"ALL ON", 0xFF},
    {"ALARM OFF", 0x60},
    {"ALARM ON", 0x61},
    {"SPEAKER OFF", 0x62},
    {"SPEAKER ON", 0x63},
    {"ON OFF", 0x64},
    {"ON ON", 0x65},
    {"AUTO-ON OFF", 0x66},
    {"AUTO-ON ON", 0x67},
    {"EXIT", 0x68},
}};

// The annunciator sub-command follows only when the pager answered ".".
bool annunciatorMaySend(const link::TestReply& reply);

// The "Data Result" text of a test's reply: the RAM pattern as a character,
// the Key Test's key name, nothing for the others.
std::string serviceTestResult(const ServiceTest& test, const link::TestReply& reply);

}  // namespace zelta::window
