#include "link/serial_driver.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace zelta::link {

bool LinuxSerialDriver::lowLatency(int fd, bool& on) {
  serial_struct serial{};
  if (ioctl(fd, TIOCGSERIAL, &serial) != 0) return false;
  on = (serial.flags & ASYNC_LOW_LATENCY) != 0;
  return true;
}

int LinuxSerialDriver::setLowLatency(int fd, bool on) {
  serial_struct serial{};
  if (ioctl(fd, TIOCGSERIAL, &serial) != 0) return errno;
  if (on) {
    serial.flags |= ASYNC_LOW_LATENCY;
  } else {
    serial.flags &= ~ASYNC_LOW_LATENCY;
  }
  if (ioctl(fd, TIOCSSERIAL, &serial) != 0) return errno;
  // Some drivers accept the call and keep the flag off.
  bool now = false;
  if (lowLatency(fd, now) && now != on) return EPERM;
  return 0;
}

std::string LinuxSerialDriver::latencyTimerPath(const std::string& devicePath) {
  std::error_code ec;
  const std::filesystem::path device = std::filesystem::canonical(devicePath, ec);
  if (ec) return {};
  const std::filesystem::path timer =
      std::filesystem::path("/sys/bus/usb-serial/devices") / device.filename() / "latency_timer";
  return std::filesystem::exists(timer, ec) ? timer.string() : std::string();
}

int LinuxSerialDriver::readLatencyTimer(const std::string& timerPath) {
  std::ifstream in(timerPath);
  int ms = -1;
  if (!(in >> ms)) return -1;
  return ms;
}

std::string describeLatency(const LatencyReport& report) {
  std::string text;
  switch (report.lowLatency) {
    case LatencyReport::LowLatency::NotOffered: text = "no low-latency setting"; break;
    case LatencyReport::LowLatency::AlreadyOn: text = "low latency on"; break;
    case LatencyReport::LowLatency::Granted: text = "low latency asked and granted"; break;
    case LatencyReport::LowLatency::Refused:
      text = "low latency asked and refused (" + report.refusal + ")";
      break;
  }
  if (report.latencyTimerMs >= 0) {
    text += "; latency timer " + std::to_string(report.latencyTimerMs) + " ms";
    if (report.latencyTimerMs > 1) text += " (write 1 to " + report.timerPath + ")";
  }
  return text;
}

int adapterLatencyTimerMs(SerialDriver& driver, const std::string& devicePath) {
  const std::string timer = driver.latencyTimerPath(devicePath);
  return timer.empty() ? -1 : driver.readLatencyTimer(timer);
}

}  // namespace zelta::link
