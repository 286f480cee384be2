#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "link/service_commands.h"
#include "link/wire.h"
#include "window/window_commands.h"

namespace zelta::window {

// The service window (TFmService): the workshop's window for the pager on
// the fixture. Its pages, keys, menu items and texts.

inline constexpr std::string_view kServiceCaption = "Zelta Orvel PPS - Service ";

// ---- Pages: one is shown at a time ----

enum class ServicePage : std::uint8_t { Main, Adjust, Test };

struct ServicePageInfo {
  ServicePage page;
  std::string_view component;
  std::string_view caption;
  // Status panel 1 while the page is shown.
  std::string_view keyHints;
};

inline constexpr std::array kServicePages{
    ServicePageInfo{ServicePage::Main, "servicePage0", "Main", ""},
    ServicePageInfo{ServicePage::Adjust, "servicePage1", "Adjust Hardware Tuned Values",
                    "F1-Help | F2-Program | F10-Exit"},
    ServicePageInfo{ServicePage::Test, "servicePage2", "Test Mode",
                    "F1-Help | F8-Scan Command | F10-Exit"},
};

constexpr const ServicePageInfo& servicePageInfo(ServicePage page) {
  return kServicePages[static_cast<std::size_t>(page)];
}

// The key list of the main page; the texts are padded to line up.
inline constexpr std::array<std::string_view, 7> kServiceMainKeys{
    "F1   - HELP",         "F3   - ADJUST HARDWARE TUNED VALUES", "F5   - TEST MODE",
    "F6   - QUICK PAGE",   "F7   - KEEP ONLY GOOD MESSAGES",      "F9   - SET CHIRP MODE",
    "F10  - EXIT to Main",
};

// ---- Keys ----

// What a function key does on a page.
enum class ServiceAction : std::uint8_t {
  InvalidKey,  // the page answers "Invalid Key"
  Help,
  Adjust,  // ask -73, then the adjust page
  TestMode,
  QuickPage,
  KeepOnlyGoodMessages,
  Chirp,
  CloseWindow,
  Program,        // check the adjust values and program the pager
  LeaveAdjust,    // the values as the page opened, back to the main page
  SendTest,       // the test chosen by the radio buttons
  LeaveTestMode,  // "Exit Test Mode", back to the main page
};

struct ServiceKeyEntry {
  WindowKey key;
  ServiceAction action;
};

// Every key a page handles; any other key is "Invalid Key".
inline constexpr std::array kServiceMainPageKeys{
    ServiceKeyEntry{WindowKey::F1, ServiceAction::Help},
    ServiceKeyEntry{WindowKey::F3, ServiceAction::Adjust},
    ServiceKeyEntry{WindowKey::F5, ServiceAction::TestMode},
    ServiceKeyEntry{WindowKey::F6, ServiceAction::QuickPage},
    ServiceKeyEntry{WindowKey::F7, ServiceAction::KeepOnlyGoodMessages},
    ServiceKeyEntry{WindowKey::F9, ServiceAction::Chirp},
    ServiceKeyEntry{WindowKey::F10, ServiceAction::CloseWindow},
};
inline constexpr std::array kServiceAdjustPageKeys{
    ServiceKeyEntry{WindowKey::F1, ServiceAction::Help},
    ServiceKeyEntry{WindowKey::F2, ServiceAction::Program},
    ServiceKeyEntry{WindowKey::F10, ServiceAction::LeaveAdjust},
};
inline constexpr std::array kServiceTestPageKeys{
    ServiceKeyEntry{WindowKey::F1, ServiceAction::Help},
    ServiceKeyEntry{WindowKey::F8, ServiceAction::SendTest},
    ServiceKeyEntry{WindowKey::F10, ServiceAction::LeaveTestMode},
};

// The action of a key on a page.
constexpr ServiceAction serviceAction(ServicePage page, WindowKey key) {
  auto find = [key](const auto& table) {
    for (const ServiceKeyEntry& e : table) {
      if (e.key == key) return e.action;
    }
    return ServiceAction::InvalidKey;
  };
  switch (page) {
    case ServicePage::Main: return find(kServiceMainPageKeys);
    case ServicePage::Adjust: return find(kServiceAdjustPageKeys);
    case ServicePage::Test: return find(kServiceTestPageKeys);
  }
  return ServiceAction::InvalidKey;
}

// ---- The "&Service" menu ----

inline constexpr std::string_view kServiceMenuName = "menuService";
inline constexpr std::string_view kServiceMenuCaption = "&Service";

// Each item passes its key and the active page to the key dispatcher; an
// item is enabled on the pages whose key table has its key.
struct ServiceMenuItem {
  std::string_view name;
  std::string_view caption;
  WindowKey key;
  std::string_view shortcut;
  bool separatorBefore = false;
};

inline constexpr std::array kServiceMenuItems{
    ServiceMenuItem{"smenuHelp", "&Help", WindowKey::F1, "F1"},
    ServiceMenuItem{"smenuAdjust", "&Adjust Hardware Tuned Values", WindowKey::F3, "F3"},
    ServiceMenuItem{"smenuTest", "&Test Mode", WindowKey::F5, "F5"},
    ServiceMenuItem{"smenuQuick", "&Quick Page", WindowKey::F6, "F6"},
    ServiceMenuItem{"smenuMsg", "&Keep Only Good Messages ", WindowKey::F7, "F7"},
    ServiceMenuItem{"smenuChirp", "Set &Chirp Mode", WindowKey::F9, "F9"},
    ServiceMenuItem{"smenuExit", "E&xit", WindowKey::F10, "F10"},
    ServiceMenuItem{"smenuProgram", "&Program", WindowKey::F2, "F2", true},
    ServiceMenuItem{"smenuCommand", "&Send Command", WindowKey::F8, "F8"},
};

// ---- The adjust page ----

inline constexpr std::string_view kClockGroupCaption = "Clock Second Adjustment";
inline constexpr std::string_view kTextContrastGroupCaption = "Text Contrast Adjustment";
inline constexpr std::string_view kIconContrastGroupCaption = "Icon Contrast Adjustment";

// `cb_secondAdjustValue`: list positions 0-16.
inline constexpr std::array<std::string_view, 17> kSecondAdjustItems{
    "0",  "+1", "+2", "+3", "+4", "+5", "+6", "+7", "+8",
    "-1", "-2", "-3", "-4", "-5", "-6", "-7", "-8",
};

// The number fields of the adjust page: their digits and the hint beside them.
enum class AdjustField : std::uint8_t { SecondAdjust, TextContrast, IconContrast, Lcd1, Lcd2 };

struct AdjustFieldInfo {
  AdjustField field;
  std::string_view name;
  int maxDigits;  // 0: a list
  std::string_view hint;
};

inline constexpr std::array kAdjustFields{
    AdjustFieldInfo{AdjustField::SecondAdjust, "cb_secondAdjustValue", 0, ""},
    AdjustFieldInfo{AdjustField::TextContrast, "ed_contrastAdjustValue", 2,
                    "Enter Decimal value: 0-15"},
    AdjustFieldInfo{AdjustField::IconContrast, "ed_IconContrastAdjustValue", 1,
                    "Enter Decimal value: 0-3"},
    AdjustFieldInfo{AdjustField::Lcd1, "ed_lcdAdjust1", 2, "Enter Decimal value: 0-16"},
    AdjustFieldInfo{AdjustField::Lcd2, "ed_lcdAdjust2", 2, "Enter Decimal value: 0-15"},
};

constexpr const AdjustFieldInfo& adjustFieldInfo(AdjustField field) {
  return kAdjustFields[static_cast<std::size_t>(field)];
}

// ---- The test page ----

// How a test's reply is used.
enum class TestReplyUse : std::uint8_t {
  None,
  Annunciator,     // "." first: the sub-command of `serviceComboAnn` follows
  CharacterShown,  // the second byte as a character in "Data Result"
  KeyName,         // the second byte's key name in "Data Result"
};

struct ServiceTest {
  std::string_view name;     // serviceRadio01 ... serviceRadio12
  std::string_view caption;  // the radio button's
  std::uint8_t command;      // sent with its reply kind
  TestReplyUse reply;
  bool endsTestMode;  // the pager leaves test mode: back to the main page
};

inline constexpr std::array kServiceTests{
    ServiceTest{"serviceRadio01", "Exit Test Mode", link::test_command::kExit, TestReplyUse::None,
                true},
    ServiceTest{"serviceRadio02", "Annunciator Test", link::test_command::kAnnunciator,
                TestReplyUse::Annunciator, false},
    ServiceTest{"serviceRadio03", "RAM Test Pattern", link::test_command::kRamPattern,
                TestReplyUse::CharacterShown, false},
    ServiceTest{"serviceRadio04", "Key Test", link::test_command::kKeyTest, TestReplyUse::KeyName,
                false},
    ServiceTest{"serviceRadio05", "Vibrator Off", link::test_command::kVibratorOff,
                TestReplyUse::None, false},
    ServiceTest{"serviceRadio06", "Vibrator On", link::test_command::kVibratorOn,
                TestReplyUse::None, false},
    ServiceTest{"serviceRadio07", "Alert Off", link::test_command::kAlertOff, TestReplyUse::None,
                false},
    ServiceTest{"serviceRadio08", "Alert On", link::test_command::kAlertOn, TestReplyUse::None,
                false},
    ServiceTest{"serviceRadio09", "Backlight Off", link::test_command::kBacklightOff,
                TestReplyUse::None, false},
    ServiceTest{"serviceRadio10", "Backlight On", link::test_command::kBacklightOn,
                TestReplyUse::None, false},
    ServiceTest{"serviceRadio11", "Enable RAM Test", link::test_command::kEnableRamTest,
                TestReplyUse::None, false},
    ServiceTest{"serviceRadio12", "Standby Current Test", link::test_command::kStandbyCurrent,
                TestReplyUse::None, true},
};

// The test the page opens with the first time: the annunciators light every
// segment, the first thing looked at on a pager in for service (and F8
// cannot end test mode by accident).
inline constexpr int kFirstServiceTest = 1;

struct AnnunciatorCommand {
  std::string_view caption;
  std::uint8_t command;
};

// `serviceComboAnn`; the sub-commands travel with the Annunciator Test's
// reply kind.
inline constexpr std::array kAnnunciatorCommands{
    AnnunciatorCommand{"ALL ON", link::test_command::kAnnunciatorAllOn},
    AnnunciatorCommand{"ALARM OFF", 0x60},
    AnnunciatorCommand{"ALARM ON", 0x61},
    AnnunciatorCommand{"SPEAKER OFF", 0x62},
    AnnunciatorCommand{"SPEAKER ON", 0x63},
    AnnunciatorCommand{"ON OFF", 0x64},
    AnnunciatorCommand{"ON ON", 0x65},
    AnnunciatorCommand{"AUTO-ON OFF", 0x66},
    AnnunciatorCommand{"AUTO-ON ON", link::test_command::kAnnunciatorLast},
    AnnunciatorCommand{"EXIT", link::test_command::kAnnunciatorExit},
};

inline constexpr std::string_view kAnnunciatorLabel = "&Annunciator:";
inline constexpr std::string_view kDataResultLabel = "Data &Result:";
inline constexpr std::string_view kTestGroupCaption = "Test Command";

}  // namespace zelta::window
