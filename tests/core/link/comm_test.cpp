#include "link/comm.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "link/link_state.h"
#include "link/port_name.h"
#include "link/termios_serial_device.h"
#include "recording_reporter.h"
#include "scripted_device.h"

namespace zelta::testing {
namespace {

using link::SpeedSelection;

struct CommFixture : ::testing::Test {
  FakeClock clock;
  ScriptedDevice device{clock};
  RecordingReporter reporter;
  link::TDComm comm{device, reporter, clock};
};

TEST_F(CommFixture, DefaultsMatchTheFixtureLine) {
  ASSERT_TRUE(comm.Open());
  const link::LineSettings& s = device.opens.at(0);
  EXPECT_EQ(comm.PortName(), "COM1");
  EXPECT_EQ(s.baud, 4800U);
  EXPECT_EQ(s.dataBits, 8);
  EXPECT_EQ(s.parity, link::Parity::None);
  EXPECT_EQ(s.stopBits, link::StopBits::One);
  EXPECT_EQ(s.dtr, link::LineControl::On);
  EXPECT_EQ(s.rts, link::LineControl::On);
  EXPECT_FALSE(s.ctsOutputFlow);
  EXPECT_FALSE(s.xonXoff);
  EXPECT_EQ(s.readTotalConstantMs, 500U);
  EXPECT_EQ(s.writeTotalConstantMs, 500U);
  EXPECT_EQ(s.inputQueueBytes, 1200U);
  EXPECT_EQ(device.purges, 1) << "open purges both queues";
}

TEST_F(CommFixture, OpenFailureShowsOneBoxWithTheReason) {
  device.failOpen = true;
  comm.SetPortName("/dev/ttyNOPE");
  EXPECT_FALSE(comm.Open());
  EXPECT_FALSE(comm.IsOpen());
  ASSERT_EQ(reporter.shown.size(), 1U);
  EXPECT_EQ(reporter.shown[0].caption, "Error");
  EXPECT_EQ(reporter.shown[0].boxClass, errors::BoxClass::Error);
  EXPECT_EQ(reporter.shown[0].text, "Can not open com port.\n/dev/ttyNOPE: no such device.");
}

TEST_F(CommFixture, OpenWhileOpenFailsAndLeavesThePortClosed) {
  ASSERT_TRUE(comm.Open());
  EXPECT_FALSE(comm.Open());
  EXPECT_FALSE(comm.IsOpen());
  EXPECT_FALSE(device.isOpen()) << "the handle held so far is released";
  EXPECT_EQ(reporter.shown.size(), 1U);
}

TEST_F(CommFixture, CloseOnAClosedPortReturnsFalse) {
  EXPECT_FALSE(comm.Close());
  EXPECT_EQ(device.closes, 0);
  ASSERT_TRUE(comm.Open());
  EXPECT_TRUE(comm.Close());
  EXPECT_FALSE(comm.Close());
  EXPECT_EQ(device.closes, 1);
}

TEST_F(CommFixture, BaudFollowsSpeedCodeUnlessWaking) {
  struct Case {
    SpeedSelection speed;
    std::uint32_t baud;
  };
  const Case cases[] = {
      {{0xA8, true}, 4800},   {{0xA8, false}, 57600}, {{0xA2, false}, 9600}, {{0xA4, false}, 19200},
      {{0xA6, false}, 38400}, {{0xAA, false}, 4800},  {{0x00, false}, 4800},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(comm.Open(c.speed));
    EXPECT_EQ(device.opens.back().baud, c.baud) << int(c.speed.speedCode) << c.speed.wakeUp;
    EXPECT_EQ(comm.BaudRate(), c.baud);
    comm.Close();
  }
}

TEST_F(CommFixture, LineCodesReachTheDevice) {
  comm.SetParity(2);
  comm.SetDataSize(3);
  comm.SetStopBits(0);
  ASSERT_TRUE(comm.Open());
  EXPECT_EQ(device.opens.back().parity, link::Parity::Even);
  EXPECT_EQ(device.opens.back().dataBits, 8);
  EXPECT_EQ(device.opens.back().stopBits, link::StopBits::One);
}

TEST_F(CommFixture, WaitMsKeepsTheInterfaceRunning) {
  int pumped = 0;
  comm.SetMessagePump([&] { ++pumped; });
  EXPECT_GE(comm.WaitMs(95), 95);
  EXPECT_GE(pumped, 10);
}

TEST(RequestedSpeed, FromConfiguredBaud) {
  EXPECT_EQ(link::requestedSpeedCodeForBaud(4800), 0xAA);
  EXPECT_EQ(link::requestedSpeedCodeForBaud(9600), 0xA2);
  EXPECT_EQ(link::requestedSpeedCodeForBaud(19200), 0xA4);
  EXPECT_EQ(link::requestedSpeedCodeForBaud(38400), 0xA6);
  EXPECT_EQ(link::requestedSpeedCodeForBaud(57600), 0xA8);
  EXPECT_EQ(link::requestedSpeedCodeForBaud(115200), 0xA8);
}

TEST(PortName, PrefixOnlyForLongWindowsNames) {
  EXPECT_EQ(link::withDevicePrefix("COM12"), "\\\\.\\COM12");
  EXPECT_EQ(link::withDevicePrefix("COM3"), "COM3");
  EXPECT_EQ(link::withDevicePrefix("/dev/ttyUSB0"), "/dev/ttyUSB0");
  EXPECT_EQ(link::withDevicePrefix("/dev/pts/12"), "/dev/pts/12");
  EXPECT_EQ(link::withoutDevicePrefix("\\\\.\\COM12"), "COM12");
  EXPECT_EQ(link::withoutDevicePrefix("/dev/ttyS1"), "/dev/ttyS1");
}

TEST(OpenError, PermissionDeniedAdvisesOnlyAGroupThatHelps) {
  // /dev/null belongs to group root on every Linux system: no advice to join it.
  const std::string text = link::describeOpenError("/dev/null", EACCES);
  EXPECT_NE(text.find("permission denied"), std::string::npos);
  EXPECT_EQ(text.find("Join the group"), std::string::npos) << text;
  EXPECT_EQ(link::describeOpenError("/dev/ttyUSB7", ENOENT), "/dev/ttyUSB7: no such device.");

  const struct {
    unsigned mode;
    unsigned gid;
    bool join;
  } cases[] = {
      {020660, 1, true},   // group may read and write
      {020600, 1, false},  // group has no access
      {020640, 1, false},  // group may only read
      {020660, 0, false},  // root's group
      {020666, 1, true},
  };
  for (const auto& c : cases) {
    const std::string advice = link::permissionDeniedText("/dev/ttyUSB0", c.mode, c.gid);
    EXPECT_EQ(advice.find("Join the group") != std::string::npos, c.join)
        << std::oct << c.mode << ' ' << c.gid << ": " << advice;
    EXPECT_EQ(advice.find("ask the administrator") != std::string::npos, !c.join) << advice;
  }
}

// A pseudo-terminal pair: the test plays the fixture on the master side.
class PtyPair {
 public:
  PtyPair() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
    slavePath_ = ptsname(master_);
  }
  ~PtyPair() {
    if (master_ >= 0) close(master_);
  }
  int master() const { return master_; }
  const std::string& slavePath() const { return slavePath_; }

 private:
  int master_ = -1;
  std::string slavePath_;
};

TEST(TermiosDevice, ConfiguresAPseudoTerminal) {
  PtyPair pty;
  ASSERT_FALSE(pty.slavePath().empty());
  link::TermiosSerialDevice device;
  link::LineSettings settings;
  settings.baud = 57600;
  settings.parity = link::Parity::Even;
  settings.stopBits = link::StopBits::OneAndHalf;  // the dialog's "2"
  link::OpenFailure failure;
  ASSERT_TRUE(device.open(pty.slavePath(), settings, failure)) << failure.reason;

  // A pseudo-terminal keeps speed and stop bits (it forces 8 bits, no parity).
  termios tio{};
  ASSERT_EQ(tcgetattr(pty.master(), &tio), 0);
  EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B57600));
  EXPECT_TRUE(tio.c_cflag & CSTOPB);
  EXPECT_FALSE(tio.c_lflag & ECHO);

  // Bytes both ways.
  ASSERT_TRUE(device.writeByte(0xAA));
  std::uint8_t byte = 0;
  ASSERT_EQ(read(pty.master(), &byte, 1), 1);
  EXPECT_EQ(byte, 0xAA);
  const std::uint8_t answer = 0x98;
  ASSERT_EQ(write(pty.master(), &answer, 1), 1);
  ASSERT_TRUE(device.readByte(byte));
  EXPECT_EQ(byte, 0x98);

  // The port is not shared.
  link::TermiosSerialDevice second;
  EXPECT_FALSE(second.open(pty.slavePath(), settings, failure));
  EXPECT_NE(failure.reason.find("in use"), std::string::npos) << failure.reason;
}

TEST(TermiosSettings, ParityDataAndStopBits) {
  struct Case {
    link::Parity parity;
    tcflag_t parityBits;
  };
  const Case cases[] = {
      {link::Parity::None, 0},
      {link::Parity::Odd, PARENB | PARODD},
      {link::Parity::Even, PARENB},
      {link::Parity::Mark, PARENB | PARODD | CMSPAR},
      {link::Parity::Space, PARENB | CMSPAR},
  };
  for (const Case& c : cases) {
    termios tio{};
    link::LineSettings settings;
    settings.parity = c.parity;
    ASSERT_TRUE(link::configureTermios(tio, settings));
    EXPECT_EQ(tio.c_cflag & (PARENB | PARODD | CMSPAR), c.parityBits);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_FALSE(tio.c_cflag & CSTOPB);
    EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B4800));
  }
  termios tio{};
  link::LineSettings settings;
  settings.dataBits = 7;
  settings.stopBits = link::StopBits::Two;
  ASSERT_TRUE(link::configureTermios(tio, settings));
  EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS7));
  EXPECT_TRUE(tio.c_cflag & CSTOPB);
  settings.baud = 12345;
  EXPECT_FALSE(link::configureTermios(tio, settings));
}

TEST(TermiosDevice, ReadOnASilentLineGivesUpAfterTheTimeOut) {
  PtyPair pty;
  link::TermiosSerialDevice device;
  link::OpenFailure failure;
  ASSERT_TRUE(device.open(pty.slavePath(), link::LineSettings{}, failure)) << failure.reason;
  const auto start = std::chrono::steady_clock::now();
  std::uint8_t byte = 0;
  EXPECT_FALSE(device.readByte(byte));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(450));
}

TEST(TermiosDevice, PurgeDropsWaitingBytes) {
  PtyPair pty;
  link::TermiosSerialDevice device;
  link::OpenFailure failure;
  ASSERT_TRUE(device.open(pty.slavePath(), link::LineSettings{}, failure));
  const std::uint8_t stale[] = {1, 2, 3};
  ASSERT_EQ(write(pty.master(), stale, 3), 3);
  usleep(20000);
  ASSERT_TRUE(device.purge());
  const std::uint8_t fresh = 9;
  ASSERT_EQ(write(pty.master(), &fresh, 1), 1);
  std::uint8_t byte = 0;
  ASSERT_TRUE(device.readByte(byte));
  EXPECT_EQ(byte, 9);
}

TEST(TermiosDevice, MissingDeviceAndNonSerialFileAreRefused) {
  link::TermiosSerialDevice device;
  link::OpenFailure failure;
  EXPECT_FALSE(device.open("/dev/zelta-no-such-port", link::LineSettings{}, failure));
  EXPECT_EQ(failure.reason, "/dev/zelta-no-such-port: no such device.");
  EXPECT_FALSE(device.open("/dev/null", link::LineSettings{}, failure));
  EXPECT_EQ(failure.reason, "/dev/null: not a serial device.");
  EXPECT_FALSE(device.isOpen());
}

TEST(TermiosDevice, ThroughTheSerialPortObjectNoPortMeansOneBox) {
  FakeClock clock;
  RecordingReporter reporter;
  link::TermiosSerialDevice device;
  link::TDComm comm(device, reporter, clock);
  comm.SetPortName("/dev/zelta-no-such-port");
  EXPECT_FALSE(comm.Open());
  EXPECT_FALSE(comm.IsOpen());
  ASSERT_EQ(reporter.shown.size(), 1U);
  EXPECT_EQ(reporter.shown[0].text,
            "Can not open com port.\n/dev/zelta-no-such-port: no such device.");
}

}  // namespace
}  // namespace zelta::testing
