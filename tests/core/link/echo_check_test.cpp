#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>

#include "corrupting_line.h"
#include "errors/messages.h"
#include "link_fixture.h"

namespace zelta::testing {
namespace {

using link::Transaction;
using link::Variant;
namespace rc = errors::code;

constexpr std::size_t kWake = 1;
constexpr std::size_t kFrame = 8;
constexpr std::size_t kBlock = 2048;
const Bytes kTime{13, 45, 9, 11, 24};  // the fake clock's 13:45, 9 November 2024

// The link over a scripted 0x91 pager behind a line that garbles the echo
// of one written byte.
struct GarbledEchoFixture : LinkBuffers {
  FakeClock clock;
  ScriptedDevice device{clock};
  CorruptingLine line;
  RecordingReporter reporter;
  link::TDComm comm{line, reporter, clock};
  link::PagerLink link{comm, reporter};
  link::OperationScope operation{link};

  explicit GarbledEchoFixture(std::size_t corruptedWrite) : line(device, corruptedWrite) {
    comm.SetPortName("/dev/ttyTEST0");
    attach(link);
    writableState(link).firstStatus = 'N';
    writableState(link).firmware.set(link::Firmware::R0801, true);
  }

  // The whole exchange as a sound pager answers it; returns how many bytes
  // the PC writes in it.
  std::size_t script(Transaction transaction) {
    device.expect({0xAA}).reply({0x91});
    switch (transaction) {
      case Transaction::WriteImage: {
        const Bytes block = imageBlock(kBlock, 0x91);
        std::copy(block.begin(), block.end(), image.begin());
        device.expect(frameBytes(0x18, 0x0F, 0x0400, 0x0800)).reply({'N', 0xBB});
        device.expect(block).expect({sumOf(block)}).reply({0x06, 0x06});
        return kWake + kFrame + kBlock + 1;
      }
      case Transaction::SetClock:
        device.expect(frameBytes(0x00, 0x03, 0x11F8, 0x0005)).reply({'N', 0xBB});
        device.expect(kTime).expect({sumOf(kTime)}).reply({0x06, 0x06});
        return kWake + kFrame + kTime.size() + 1;
      default:
        device.expect(frameBytes(0x46, 0x01, 0x0400, 0x0800))
            .reply(readAnswer(0x91, " R0801", "SN12345678", Bytes{'N', 0xBB}) +
                   imageBlock(kBlock, 0x91));
        return kWake + kFrame;
    }
  }
};

struct GarbledEcho {
  const char* what;
  Transaction transaction;
  std::size_t corruptedWrite;  // which byte the PC writes, counted from the wake-up byte
  bool blockFinished;          // the rest of the block, its sum and the pager's answer follow
};

void PrintTo(const GarbledEcho& c, std::ostream* os) {
  *os << c.what;
}

class EchoCheckTest : public ::testing::TestWithParam<GarbledEcho> {};

// A byte whose echo differs from what was sent may have reached the pager
// garbled: the transaction fails with -127 whatever the pager answers
// afterwards, also when its checksum reply and final reply are good. A
// command frame stops at the garbled byte; an image or clock block is sent
// to its end with its sum and the pager's answer is awaited, so that the
// pager is not left holding half a block.
TEST_P(EchoCheckTest, AWrongEchoEndsTheTransactionAsAnUnreliableLine) {
  const GarbledEcho& c = GetParam();
  GarbledEchoFixture f(c.corruptedWrite);
  const std::size_t whole = f.script(c.transaction);

  ASSERT_EQ(f.link.runTransaction(c.transaction, Variant::A), rc::TransmissionFault);
  EXPECT_FALSE(f.comm.IsOpen());
  if (c.blockFinished) {
    EXPECT_EQ(f.device.sent.size(), whole);
    EXPECT_TRUE(f.device.scriptDone()) << "the pager's answer to the block is read";
  } else {
    EXPECT_EQ(f.device.sent.size(), c.corruptedWrite + 1) << "nothing after the garbled byte";
  }

  const std::string text = errors::reportText(rc::TransmissionFault, f.reporter.context());
  EXPECT_EQ(text.rfind(errors::reportText(rc::TransmissionFault, {}), 0), 0U)
      << "the code's own text comes first";
  EXPECT_NE(text.find("unreliable"), std::string::npos) << text;
  EXPECT_EQ(errors::boxClassOf(rc::TransmissionFault), errors::BoxClass::Error);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, EchoCheckTest,
    ::testing::Values(
        GarbledEcho{"read_frame_command", Transaction::ReadImage, kWake, false},
        GarbledEcho{"write_frame_length", Transaction::WriteImage, kWake + 7, false},
        GarbledEcho{"image_byte_100", Transaction::WriteImage, kWake + kFrame + 100, true},
        GarbledEcho{"image_last_byte", Transaction::WriteImage, kWake + kFrame + kBlock - 1, true},
        GarbledEcho{"image_checksum", Transaction::WriteImage, kWake + kFrame + kBlock, true},
        GarbledEcho{"clock_day", Transaction::SetClock, kWake + kFrame + 2, true},
        GarbledEcho{"clock_checksum", Transaction::SetClock, kWake + kFrame + 5, true}),
    [](const auto& p) { return std::string(p.param.what); });

}  // namespace
}  // namespace zelta::testing
