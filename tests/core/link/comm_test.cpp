#include "link/comm.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "link/link_state.h"
#include "link/port_name.h"
#include "link/serial_driver.h"
#include "link/termios_serial_device.h"
#include "link/trace_device.h"
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

  // A front end's pointer to where the port is chosen closes the box.
  comm.SetOpenFailureHint("Choose the port in Setup.");
  EXPECT_FALSE(comm.Open());
  EXPECT_EQ(reporter.shown.back().text,
            "Can not open com port.\n/dev/ttyNOPE: no such device.\nChoose the port in Setup.");
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
  comm.Settings().parity = link::Parity::Even;
  comm.Settings().dataBits = 8;
  comm.Settings().stopBits = link::StopBits::One;
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

TEST(OpenError, NamesTheCause) {
  EXPECT_EQ(link::describeOpenError("/dev/ttyUSB7", ENOENT), "/dev/ttyUSB7: no such device.");
  // /dev/null belongs to group root on every Linux system: joining it is no advice.
  const std::string text = link::describeOpenError("/dev/null", EACCES);
  EXPECT_NE(text.find("/dev/null: permission denied."), std::string::npos) << text;
  EXPECT_EQ(text.find("usermod"), std::string::npos) << text;
}

TEST(OpenError, AdvisesJoiningTheGroupOnlyWhenThatHelps) {
  struct Case {
    link::DeviceAccess access;
    bool advisesJoin;
    bool advisesNewLogin;
  };
  const Case cases[] = {
      {{true, "dialout", 20, 0660, false}, true, true},
      {{true, "dialout", 20, 0660, true}, false, true},    // joined, session older
      {{true, "dialout", 20, 0640, false}, false, false},  // group may not write
      {{true, "root", 0, 0660, false}, false, false},
      {{true, "uucp", 14, 0600, false}, false, false},
      {{false, "", 0, 0, false}, false, false},
  };
  for (const Case& c : cases) {
    const std::string text = link::describePermissionDenied("/dev/ttyUSB0", c.access);
    SCOPED_TRACE(text);
    EXPECT_TRUE(text.starts_with("/dev/ttyUSB0: permission denied.\n"));
    EXPECT_EQ(text.find("sudo usermod -aG dialout $USER") != std::string::npos, c.advisesJoin);
    EXPECT_EQ(text.find("log out and in again") != std::string::npos, c.advisesNewLogin);
    if (c.advisesJoin) {
      EXPECT_NE(text.find("\"dialout\""), std::string::npos);
    }
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

// An empty port name (an empty "Port=" in the settings file) is no device
// called "": the box says that no port is chosen.
TEST(TermiosDevice, AnEmptyPortNameSaysNoPortIsChosen) {
  EXPECT_EQ(link::describeOpenError("", ENOENT), link::kNoPortNamed);
  FakeClock clock;
  RecordingReporter reporter;
  link::TermiosSerialDevice device;
  link::TDComm comm(device, reporter, clock);
  comm.SetPortName("");
  EXPECT_FALSE(comm.Open());
  ASSERT_EQ(reporter.shown.size(), 1U);
  EXPECT_EQ(reporter.shown[0].text,
            "Can not open com port.\nNo serial port is chosen: choose the port the fixture is "
            "connected to (Setup in the window, --port on the command line).");
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

// One program per port for a whole operation: between two transactions of
// the holder a second opener is told at once that the port is in use; once
// the holder lets go, it gets the port.
TEST(TermiosDevice, HeldPortTurnsASecondOpenerAwayBetweenTransactions) {
  PtyPair pty;
  ASSERT_FALSE(pty.slavePath().empty());
  FakeClock clock;
  RecordingReporter reporter;
  link::TermiosSerialDevice holderDevice;
  link::TDComm holder(holderDevice, reporter, clock);
  holder.SetPortName(pty.slavePath());
  link::TermiosSerialDevice otherDevice;
  RecordingReporter otherReporter;
  link::TDComm other(otherDevice, otherReporter, clock);
  other.SetPortName(pty.slavePath());

  holder.HoldPort(true);
  ASSERT_TRUE(holder.Open());
  ASSERT_TRUE(holder.Close());  // end of the first transaction
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(other.Open());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
  ASSERT_EQ(otherReporter.shown.size(), 1U);
  EXPECT_EQ(otherReporter.shown[0].text, "Can not open com port.\n" + pty.slavePath() +
                                             ": the port is in use by another program.");
  // The holder opens the port again for its next transaction, at its new speed.
  ASSERT_TRUE(holder.Open(SpeedSelection{link::speed::k57600, false}));
  termios tio{};
  ASSERT_EQ(tcgetattr(pty.master(), &tio), 0);
  EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B57600));
  ASSERT_TRUE(holder.Close());

  holder.HoldPort(false);
  EXPECT_TRUE(other.Open());
  EXPECT_TRUE(reporter.shown.empty());
}

// The line is left as it was found: the settings the port had before the
// first open come back when the program lets go of it.
TEST(TermiosDevice, ClosingRestoresThePortsSettings) {
  PtyPair pty;
  ASSERT_FALSE(pty.slavePath().empty());
  const int probe = open(pty.slavePath().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(probe, 0);
  termios before{};
  ASSERT_EQ(tcgetattr(probe, &before), 0);
  cfsetispeed(&before, B9600);
  cfsetospeed(&before, B9600);
  before.c_lflag |= ICANON | ECHO;
  ASSERT_EQ(tcsetattr(probe, TCSANOW, &before), 0);
  ASSERT_EQ(tcgetattr(probe, &before), 0);
  close(probe);

  for (bool held : {false, true}) {
    link::TermiosSerialDevice device;
    link::OpenFailure failure;
    device.setHeld(held);
    ASSERT_TRUE(device.open(pty.slavePath(), link::LineSettings{}, failure)) << failure.reason;
    termios during{};
    ASSERT_EQ(tcgetattr(pty.master(), &during), 0);
    EXPECT_FALSE(during.c_lflag & ICANON);
    device.close();
    device.setHeld(false);

    termios after{};
    ASSERT_EQ(tcgetattr(pty.master(), &after), 0);
    EXPECT_EQ(cfgetospeed(&after), cfgetospeed(&before)) << held;
    EXPECT_EQ(after.c_lflag, before.c_lflag) << held;
    EXPECT_EQ(after.c_iflag, before.c_iflag) << held;
    EXPECT_EQ(after.c_cflag, before.c_cflag) << held;
  }
}

// A driver as the test wants it: with or without the low-latency flag,
// granting or refusing it, with or without an adapter's latency timer.
class FakeDriver : public link::SerialDriver {
 public:
  bool hasFlags = true;
  bool on = false;
  int refusal = 0;
  int timerMs = -1;
  std::vector<bool> sets;

  bool lowLatency(int, bool& flag) override {
    flag = on;
    return hasFlags;
  }
  int setLowLatency(int, bool value) override {
    sets.push_back(value);
    if (refusal == 0) on = value;
    return refusal;
  }
  std::string latencyTimerPath(const std::string&) override {
    return timerMs < 0 ? std::string() : "/sys/bus/usb-serial/devices/ttyUSB7/latency_timer";
  }
  int readLatencyTimer(const std::string&) override { return timerMs; }
};

// The port opens whatever the driver grants; what was asked and granted is
// reported (and traced), and a flag this program set is cleared again.
TEST(TermiosDevice, AsksTheDriverForLowLatencyAndSaysWhatItGot) {
  struct Case {
    bool hasFlags;
    bool on;
    int refusal;
    int timerMs;
    std::vector<bool> sets;
    const char* said;
  };
  const Case cases[] = {
      {false, false, 0, -1, {}, "no low-latency setting"},
      {true, true, 0, 1, {}, "low latency on; latency timer 1 ms"},
      {true, false, 0, -1, {true, false}, "low latency asked and granted"},
      {true,
       false,
       EPERM,
       16,
       {true},
       "low latency asked and refused (Operation not permitted); latency timer 16 ms (write 1 "
       "to /sys/bus/usb-serial/devices/ttyUSB7/latency_timer)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.said);
    PtyPair pty;
    FakeDriver driver;
    driver.hasFlags = c.hasFlags;
    driver.on = c.on;
    driver.refusal = c.refusal;
    driver.timerMs = c.timerMs;
    link::TermiosSerialDevice device(driver);
    FakeClock clock;
    std::ostringstream trace;
    link::TraceDevice traced(device, trace, clock);
    link::OpenFailure failure;
    ASSERT_TRUE(traced.open(pty.slavePath(), link::LineSettings{}, failure)) << failure.reason;
    EXPECT_EQ(link::describeLatency(traced.latency()), c.said);
    EXPECT_NE(trace.str().find(std::string("latency: ") + c.said + "\n"), std::string::npos)
        << trace.str();
    traced.close();
    EXPECT_EQ(driver.sets, c.sets);
  }
}

}  // namespace
}  // namespace zelta::testing
