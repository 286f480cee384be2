#include "fixture_line.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <thread>

#include "link/termios_serial_device.h"

namespace zelta::testing {
namespace {

using pagersim::FixtureLine;
using Bytes = std::vector<std::uint8_t>;

// The PC's end of the line: the terminal opened as the program opens a port.
class PcPort {
 public:
  explicit PcPort(const std::string& path) : path_(path) { reopen(); }
  ~PcPort() { ::close(fd_); }
  PcPort(const PcPort&) = delete;
  PcPort& operator=(const PcPort&) = delete;

  // Closed and opened again with nothing in between, as a transaction ends
  // and the next begins.
  void reopen() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios tio{};
    tcgetattr(fd_, &tio);
    link::configureTermios(tio, link::LineSettings{});
    tcsetattr(fd_, TCSANOW, &tio);
  }
  void write(std::uint8_t byte) { ASSERT_EQ(::write(fd_, &byte, 1), 1); }
  // What has arrived; waits up to a second for at least `atLeast` bytes, as
  // the terminal hands written bytes on a moment later.
  Bytes take(std::size_t atLeast = 0) {
    Bytes bytes;
    const std::int64_t until = FixtureLine::nowNs() + 1'000'000'000;
    for (;;) {
      std::uint8_t buffer[64];
      for (ssize_t n; (n = ::read(fd_, buffer, sizeof buffer)) > 0;) {
        bytes.insert(bytes.end(), buffer, buffer + n);
      }
      if (bytes.size() >= atLeast || FixtureLine::nowNs() > until) return bytes;
      pollfd p{fd_, POLLIN, 0};
      poll(&p, 1, 10);
    }
  }

 private:
  std::string path_;
  int fd_ = -1;
};

// Exchanges until something arrives from the PC (or a second passes).
FixtureLine::Exchange awaitPc(FixtureLine& line) {
  const std::int64_t until = FixtureLine::nowNs() + 1'000'000'000;
  FixtureLine::Exchange seen;
  while (seen.received.empty() && FixtureLine::nowNs() < until) {
    FixtureLine::Exchange x = line.exchange(10);
    seen.portClosed |= x.portClosed;
    seen.dropped += x.dropped;
    seen.received.insert(seen.received.end(), x.received.begin(), x.received.end());
  }
  return seen;
}

// The PC ends an exchange by closing the port and starts the next at once;
// the rest of what the pager had to say must not come before the answer to
// the new wake-up.
TEST(FixtureLine, CloseAndImmediateReopenSilencesWhatWasStillToGo) {
  FixtureLine line;
  ASSERT_TRUE(line.open());
  PcPort pc(line.path());
  pc.write(0x05);
  ASSERT_EQ(awaitPc(line).received, Bytes{0x05});
  line.send({1, 2, 3, 4}, 1'000'000'000);  // a second a byte: still going out

  pc.reopen();
  pc.write(0xAA);
  const FixtureLine::Exchange x = awaitPc(line);
  EXPECT_TRUE(x.portClosed);
  EXPECT_EQ(x.dropped, 4U);
  EXPECT_EQ(x.received, Bytes{0xAA});
  EXPECT_FALSE(line.sending());

  line.send({0xAA, 0x91}, 0);
  EXPECT_EQ(pc.take(2), (Bytes{0xAA, 0x91}));
}

// No byte reaches the PC before the line could have carried it: counted from
// the moment it was handed over, also when the line fell behind its schedule
// and bytes were still waiting.
TEST(FixtureLine, NoByteArrivesBeforeItsTime) {
  constexpr std::int64_t kByteNs = 3'000'000;
  FixtureLine line;
  ASSERT_TRUE(line.open());
  PcPort pc(line.path());
  pc.write(0x00);
  ASSERT_FALSE(awaitPc(line).received.empty());
  pc.take();

  line.send({1, 2, 3}, kByteNs);
  // The line is not served for a while: the three bytes are overdue.
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const std::int64_t handedOver = FixtureLine::nowNs();
  line.send({4, 5}, kByteNs);
  EXPECT_EQ(pc.take(3), (Bytes{1, 2, 3})) << "the overdue bytes go out, the new ones wait";

  std::size_t arrived = 0;
  while (arrived < 2 && FixtureLine::nowNs() - handedOver < 1'000'000'000) {
    ASSERT_FALSE(line.exchange(1).failed);
    arrived += pc.take().size();
    const std::int64_t elapsed = FixtureLine::nowNs() - handedOver;
    ASSERT_LE(arrived, static_cast<std::size_t>(elapsed / kByteNs))
        << "after " << elapsed / 1000 << " us";
  }
  EXPECT_EQ(arrived, 2U);
}

}  // namespace
}  // namespace zelta::testing
