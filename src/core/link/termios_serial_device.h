#pragma once

#include <termios.h>

#include <string>
#include <string_view>

#include "link/serial_device.h"
#include "link/serial_driver.h"

namespace zelta::link {

// A serial device through POSIX termios: USB-serial adapters, on-board
// ports and pseudo-terminals alike. Reads and writes are single bytes,
// bounded by poll() with the line's time-outs.
class TermiosSerialDevice : public SerialDevice {
 public:
  TermiosSerialDevice() = default;
  // With another driver interface than Linux's (tests).
  explicit TermiosSerialDevice(SerialDriver& driver) : driver_(&driver) {}
  TermiosSerialDevice(const TermiosSerialDevice&) = delete;
  TermiosSerialDevice& operator=(const TermiosSerialDevice&) = delete;
  ~TermiosSerialDevice() override;

  bool open(const std::string& path, const LineSettings& settings, OpenFailure& failure) override;
  void close() override;
  bool isOpen() const override { return fd_ >= 0; }
  bool readByte(std::uint8_t& byte) override;
  bool readEcho(std::uint8_t& byte) override;
  bool writeByte(std::uint8_t byte) override;
  bool purge() override;
  void setHeld(bool held) override;
  LatencyReport latency() const override { return latency_; }

 private:
  bool readWaiting(std::uint8_t& byte);
  bool configure(const std::string& path, const LineSettings& settings, OpenFailure& failure);
  void askLowLatency(const std::string& path);
  bool takePortLock(const std::string& path, OpenFailure& failure);
  void releasePortLock();

  LinuxSerialDriver linux_;
  SerialDriver* driver_ = &linux_;
  LatencyReport latency_;
  bool lowLatencySet_ = false;  // this program turned the flag on

  int fd_ = -1;
  // The port lock (portLockPath), kept from one transaction to the next
  // while the port is held.
  int lockFd_ = -1;
  std::string lockPath_;
  bool held_ = false;
  // The line as it was before the open, put back at close, so the port is
  // left as it was found.
  termios saved_{};
  // The thread's timer slack before the port was opened, or -1.
  long savedTimerSlack_ = -1;
  int readTimeoutMs_ = 500;
  int writeTimeoutMs_ = 500;
};

// Said instead of a device's name when none is set (an empty "Port=" in the
// settings file, an empty --port).
inline constexpr std::string_view kNoPortNamed =
    "No serial port is chosen: choose the port the fixture is connected to (Setup in the "
    "window, --port on the command line).";

// The operator's explanation of an open() errno for a device path: names
// the group that owns the device when permission was denied and joining it
// would help.
std::string describeOpenError(const std::string& path, int errorNumber);
// What decides the advice for a device this user may not open.
struct DeviceAccess {
  bool known = false;  // the device could be examined
  std::string groupName;
  unsigned groupId = 0;
  unsigned mode = 0;           // permission bits
  bool listedInGroup = false;  // the user is a member in the group database
};

// Joining the device's group helps only when the group may read and write
// it and is not root; a user already listed there needs a new login.
std::string describePermissionDenied(const std::string& path, const DeviceAccess& access);

// The file locked while a program has the port of devicePath:
// /run/lock/zelta-pps_dev_ttyUSB0.lock (or under /tmp).
std::string portLockPath(const std::string& devicePath);

// Whether the line can run at a baud rate.
bool baudIsSupported(unsigned baud);

// Raw mode and the line settings on a termios record; false when the baud
// rate has no termios speed.
bool configureTermios(termios& tio, const LineSettings& settings);

}  // namespace zelta::link
