#pragma once

#include <termios.h>

#include <chrono>
#include <string>

#include "link/serial_device.h"

namespace zelta::link {

// A serial device through POSIX termios: USB-serial adapters, on-board
// ports and pseudo-terminals alike. Reads and writes are single bytes,
// bounded by poll() with the line's time-outs.
class TermiosSerialDevice : public SerialDevice {
 public:
  TermiosSerialDevice() = default;
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

 private:
  using Clock = std::chrono::steady_clock;
  bool readWaiting(std::uint8_t& byte);
  bool awaitEcho(std::uint8_t& byte);

  int fd_ = -1;
  // One character on the line (start, data, parity and stop bits).
  Clock::duration byteTime_{};
  Clock::time_point lastWrite_{};
  int readTimeoutMs_ = 500;
  int writeTimeoutMs_ = 500;
};

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

// Whether the line can run at a baud rate.
bool baudIsSupported(unsigned baud);

// Raw mode and the line settings on a termios record; false when the baud
// rate has no termios speed.
bool configureTermios(termios& tio, const LineSettings& settings);

}  // namespace zelta::link
