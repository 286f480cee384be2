#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "errors/result_code.h"
#include "link/pager_link.h"

namespace zelta::link {

// The pager's service modes.
enum class PagerMode { QuickPage, KeepOnlyGoodMessages, Chirp, ReceiverAlwaysOn };

// Switches the pager into a mode. On success the link's service result holds
// the mode's message code (-60, -61, -62 or -67) for the caller to show.
errors::ResultCode SwitchPagerMode(PagerLink& link, PagerMode mode);

// Puts the pager into its test mode (the pager answers ".").
errors::ResultCode EnterTestMode(PagerLink& link);

// Test commands, sent while the pager is in test mode: the command byte and
// the reply kind the service window sends with it.
namespace test_command {
inline constexpr std::uint8_t kExit = 0x00;
inline constexpr std::uint8_t kAnnunciator = 0x03;
inline constexpr std::uint8_t kRamPattern = 0x04;
inline constexpr std::uint8_t kKeyTest = 0x06;
inline constexpr std::uint8_t kVibratorOff = 0x07;
inline constexpr std::uint8_t kVibratorOn = 0x08;
inline constexpr std::uint8_t kAlertOff = 0x09;
inline constexpr std::uint8_t kAlertOn = 0x0A;
inline constexpr std::uint8_t kBacklightOff = 0x0B;
inline constexpr std::uint8_t kBacklightOn = 0x0C;
inline constexpr std::uint8_t kEnableRamTest = 0x12;
inline constexpr std::uint8_t kStandbyCurrent = 0x14;
// Annunciator sub-commands: ALL ON, ALARM OFF ... AUTO-ON ON (0x60-0x67), EXIT.
inline constexpr std::uint8_t kAnnunciatorAllOn = 0xFF;
inline constexpr std::uint8_t kAnnunciatorFirst = 0x60;
inline constexpr std::uint8_t kAnnunciatorLast = 0x67;
inline constexpr std::uint8_t kAnnunciatorExit = 0x68;
}  // namespace test_command

// The reply kind each test command is sent with: it fixes how many bytes
// the pager answers and how the exchange is closed. The annunciator
// sub-commands travel with the Annunciator Test's kind.
struct TestReplyKind {
  std::uint8_t command;
  int replyKind;
};
inline constexpr std::array kTestReplyKinds{
    TestReplyKind{test_command::kExit, 0},
    TestReplyKind{test_command::kAnnunciator, 3},
    TestReplyKind{test_command::kRamPattern, 4},
    TestReplyKind{test_command::kKeyTest, 6},
    TestReplyKind{test_command::kVibratorOff, 7},
    TestReplyKind{test_command::kVibratorOn, 8},
    TestReplyKind{test_command::kAlertOff, 9},
    TestReplyKind{test_command::kAlertOn, 10},
    TestReplyKind{test_command::kBacklightOff, 11},
    TestReplyKind{test_command::kBacklightOn, 12},
    TestReplyKind{test_command::kEnableRamTest, 18},
    TestReplyKind{test_command::kStandbyCurrent, 20},
};
inline constexpr int kAnnunciatorSubCommandReplyKind = 3;

constexpr int testReplyKind(std::uint8_t command) {
  for (const TestReplyKind& row : kTestReplyKinds)
    if (row.command == command) return row.replyKind;
  return kAnnunciatorSubCommandReplyKind;
}

struct TestReply {
  errors::ResultCode result = errors::code::Ok;
  // Up to two reply bytes, then a zero byte.
  std::array<std::uint8_t, 3> bytes{};
  int count = 0;
};

// One test command exchange. A failed exchange (no echo, no reply) is
// offered for retry with the "not responding" question; No gives -16.
TestReply SendTestCommand(PagerLink& link, std::uint8_t command, int replyKind);

// The 13-character key name the Key Test shows for its key code.
std::string_view keyName(std::uint8_t keyCode);

}  // namespace zelta::link
