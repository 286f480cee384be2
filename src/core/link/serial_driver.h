#pragma once

#include <string>

namespace zelta::link {

// What the kernel driver of a serial port offers beyond termios for a fast
// turn-around of the pager's echoes: the low-latency flag (TIOCGSERIAL /
// TIOCSSERIAL, ASYNC_LOW_LATENCY) and, on USB-serial adapters that have one,
// the latency timer the adapter waits before it hands over a short packet
// (/sys/bus/usb-serial/devices/<tty>/latency_timer). A seam, so that tests
// can play a driver that refuses.
class SerialDriver {
 public:
  virtual ~SerialDriver() = default;

  // Whether the flag is on; false when the driver has no serial flags (a
  // pseudo-terminal), with errno set.
  virtual bool lowLatency(int fd, bool& on) = 0;
  // Sets or clears the flag; 0, or the errno of the refusal.
  virtual int setLowLatency(int fd, bool on) = 0;
  // Where the adapter's latency timer of a device path is, or empty when
  // the device has none.
  virtual std::string latencyTimerPath(const std::string& devicePath) = 0;
  // The timer in milliseconds, or -1 when it cannot be read.
  virtual int readLatencyTimer(const std::string& timerPath) = 0;
};

// The Linux driver interface: ioctl() and sysfs. Holds no state.
class LinuxSerialDriver : public SerialDriver {
 public:
  bool lowLatency(int fd, bool& on) override;
  int setLowLatency(int fd, bool on) override;
  std::string latencyTimerPath(const std::string& devicePath) override;
  int readLatencyTimer(const std::string& timerPath) override;
};

// What the port's driver was asked for at open and what it granted.
struct LatencyReport {
  enum class LowLatency {
    NotOffered,  // the driver has no low-latency flag (a pseudo-terminal)
    AlreadyOn,
    Granted,
    Refused,
  };
  LowLatency lowLatency = LowLatency::NotOffered;
  std::string refusal;      // the driver's reason, when refused
  std::string timerPath;    // the adapter's latency timer, when it has one
  int latencyTimerMs = -1;  // its value; -1 when there is none or it cannot be read
};

// One line for the trace, identify and the port list:
// "low latency granted; latency timer 16 ms (write 1 to /sys/.../latency_timer)".
std::string describeLatency(const LatencyReport& report);

// The adapter's latency timer of a device path without opening it (the port
// list): -1 when it has none.
int adapterLatencyTimerMs(SerialDriver& driver, const std::string& devicePath);

}  // namespace zelta::link
