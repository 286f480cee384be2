#include "link/service_commands.h"

namespace zelta::link {

namespace rc = errors::code;
using errors::ResultCode;

namespace {

constexpr std::int64_t kAnnunciatorPauseMs = 250;
constexpr std::int64_t kRamPatternPauseMs = 250;

Transaction transactionOf(PagerMode mode) {
  switch (mode) {
    case PagerMode::QuickPage: return Transaction::QuickPage;
    case PagerMode::KeepOnlyGoodMessages: return Transaction::KeepOnlyGoodMessages;
    case PagerMode::Chirp: return Transaction::Chirp;
    case PagerMode::ReceiverAlwaysOn: return Transaction::ReceiverAlwaysOn;
  }
  return Transaction::QuickPage;
}

// The annunciator test and its sub-commands open with 0x03 and a pause; the
// sub-command itself is the closing byte.
bool opensWithAnnunciator(std::uint8_t command) {
  return command == test_command::kAnnunciator || command == test_command::kAnnunciatorAllOn ||
         (command >= test_command::kAnnunciatorFirst && command <= test_command::kAnnunciatorLast);
}

bool sendWithEcho(TDComm& comm, std::uint8_t byte) {
  comm.ProcessMessages();
  std::uint8_t echo = 0;
  return comm.WriteByte(byte) && comm.ReadEcho(echo);
}

bool readReply(TDComm& comm, TestReply& reply, int count) {
  for (int i = 0; i < count; ++i) {
    comm.ProcessMessages();
    if (!comm.ReadByte(reply.bytes[static_cast<std::size_t>(i)])) return false;
    reply.count = i + 1;
  }
  return true;
}

//   opening byte ─ [pause] ─ 1 or 2 reply bytes ─ closing byte
//   kind 4 (RAM pattern):  04, 250 ms, 2 bytes, "U"
//   kind 6 (key test):     06, 2 bytes, "U"
//   other kinds:           command (or 03 and 250 ms), 1 byte, command
bool exchange(TDComm& comm, std::uint8_t command, int kind, TestReply& reply) {
  reply.bytes = {};
  reply.count = 0;
  std::uint8_t closing = command;
  if (opensWithAnnunciator(command)) {
    if (!sendWithEcho(comm, test_command::kAnnunciator)) return false;
    comm.DelayMs(kAnnunciatorPauseMs);
  } else if (!sendWithEcho(comm, command)) {
    return false;
  }
  switch (kind) {
    case 4:
      comm.DelayMs(kRamPatternPauseMs);
      if (!readReply(comm, reply, 2)) return false;
      closing = wire::kTestClose;
      break;
    case 6:
      if (!readReply(comm, reply, 2)) return false;
      closing = wire::kTestClose;
      break;
    default:
      if (!readReply(comm, reply, 1)) return false;
      break;
  }
  return sendWithEcho(comm, closing);
}

struct KeyEntry {
  std::uint8_t code;
  std::string_view name;
};

constexpr KeyEntry kKeys[] = {
    {0x00, "NONE         "}, {0x01, "FUNCTION KEY "}, {0x04, "READ KEY     "},
    {0x10, "LEFT KEY     "}, {0x20, "RIGHT KEY    "}, {0x40, "DOWN KEY     "},
    {0x80, "UP KEY       "},
};
constexpr std::string_view kMultipleKeys = "MULTIPLE KEYS";

}  // namespace

ResultCode SwitchPagerMode(PagerLink& link, PagerMode mode) {
  return link.runTransaction(transactionOf(mode), variantFor(link.state().modelCode));
}

ResultCode EnterTestMode(PagerLink& link) {
  return link.runTransaction(Transaction::Test, variantFor(link.state().modelCode));
}

TestReply SendTestCommand(PagerLink& link, std::uint8_t command, int replyKind) {
  TestReply reply;
  TDComm& comm = link.comm();
  comm.Close();
  // The pager in test mode listens at the speed of its last wake-up.
  if (!comm.Open({link.state().wokenSpeedCode, false})) {
    reply.result = rc::PortNotOpened;
    return reply;
  }
  comm.Purge();
  // A failing exchange is repeated for as long as the operator wants it; the
  // question carries the "not responding" text and offers the way out.
  while (!exchange(comm, command, replyKind, reply)) {
    if (!link.reporter().ConfirmCode(rc::NotResponding)) {
      reply.result = rc::NotResponding;
      break;
    }
  }
  comm.Close();
  return reply;
}

std::string_view keyName(std::uint8_t keyCode) {
  for (const KeyEntry& k : kKeys) {
    if (k.code == keyCode) return k.name;
  }
  return kMultipleKeys;
}

}  // namespace zelta::link
