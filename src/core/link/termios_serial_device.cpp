#include "link/termios_serial_device.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <thread>
#include <utility>
#include <vector>

#include "link/clock.h"

namespace zelta::link {
namespace {

struct BaudEntry {
  unsigned baud;
  speed_t speed;
};

constexpr std::array kBaudRates{
    BaudEntry{1200, B1200},   BaudEntry{2400, B2400},     BaudEntry{4800, B4800},
    BaudEntry{9600, B9600},   BaudEntry{19200, B19200},   BaudEntry{38400, B38400},
    BaudEntry{57600, B57600}, BaudEntry{115200, B115200},
};

bool speedOf(unsigned baud, speed_t& speed) {
  for (const BaudEntry& e : kBaudRates) {
    if (e.baud == baud) {
      speed = e.speed;
      return true;
    }
  }
  return false;
}

std::string groupName(gid_t gid) {
  std::vector<char> buffer(4096);
  group entry{};
  group* found = nullptr;
  if (getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr) {
    return found->gr_name;
  }
  return std::to_string(gid);
}

// Sets or clears one modem line. Pseudo-terminals have no modem lines and
// refuse the request; that is not an error for us.
void setModemLine(int fd, int line, bool on) {
  ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line);
}

// Waits for the descriptor to become ready; false on time-out, error or hang-up
// without data.
bool waitReady(int fd, short events, int timeoutMs) {
  SteadyClock clock;
  const std::int64_t deadline = clock.nowMs() + timeoutMs;
  for (;;) {
    pollfd p{fd, events, 0};
    const std::int64_t left = deadline - clock.nowMs();
    const int ready = poll(&p, 1, static_cast<int>(left > 0 ? left : 0));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    return (p.revents & events) != 0;
  }
}

}  // namespace

bool baudIsSupported(unsigned baud) {
  speed_t speed{};
  return speedOf(baud, speed);
}

std::string permissionDeniedText(const std::string& path, unsigned mode, unsigned gid) {
  const std::string denied = path + ": permission denied.\n";
  // Joining the group helps only when the group may read and write the
  // device, and nobody should join root's group for a serial port.
  constexpr unsigned kGroupReadWrite = S_IRGRP | S_IWGRP;
  if ((mode & kGroupReadWrite) == kGroupReadWrite && gid != 0) {
    return denied + "Join the group \"" + groupName(static_cast<gid_t>(gid)) +
           "\" (it owns the device) and log in again.";
  }
  return denied +
         "No group may read and write it: ask the administrator to give the device "
         "to a group you are in (a udev rule), or run with access to it.";
}

std::string describeOpenError(const std::string& path, int errorNumber) {
  switch (errorNumber) {
    case ENOENT:
    case ENODEV:
    case ENXIO: return path + ": no such device.";
    case EACCES:
    case EPERM: {
      struct stat info {};
      if (stat(path.c_str(), &info) != 0) return path + ": permission denied.";
      return permissionDeniedText(path, info.st_mode, info.st_gid);
    }
    case EBUSY:
    case EWOULDBLOCK: return path + ": the port is in use by another program.";
    case ENOTTY: return path + ": not a serial device.";
    default: return path + ": " + std::strerror(errorNumber) + ".";
  }
}

bool configureTermios(termios& tio, const LineSettings& settings) {
  speed_t speed{};
  if (!speedOf(settings.baud, speed)) return false;
  cfmakeraw(&tio);
  tio.c_cflag |= CREAD | CLOCAL;
  cfsetispeed(&tio, speed);
  cfsetospeed(&tio, speed);

  tio.c_cflag &= ~CSIZE;
  switch (settings.dataBits) {
    case 5: tio.c_cflag |= CS5; break;
    case 6: tio.c_cflag |= CS6; break;
    case 7: tio.c_cflag |= CS7; break;
    default: tio.c_cflag |= CS8; break;
  }

  tio.c_cflag &= ~(PARENB | PARODD | CMSPAR);
  switch (settings.parity) {
    case Parity::None: break;
    case Parity::Odd: tio.c_cflag |= PARENB | PARODD; break;
    case Parity::Even: tio.c_cflag |= PARENB; break;
    case Parity::Mark: tio.c_cflag |= PARENB | PARODD | CMSPAR; break;
    case Parity::Space: tio.c_cflag |= PARENB | CMSPAR; break;
  }

  // termios knows one or two stop bits. The one-and-a-half code is what the
  // setup dialog stores for its "2" choice, so it means two here.
  if (settings.stopBits == StopBits::One) {
    tio.c_cflag &= ~CSTOPB;
  } else {
    tio.c_cflag |= CSTOPB;
  }

  // Transmit-side hardware handshake is CTS (RTS in handshake mode drives the
  // same pair). DSR output flow has no termios counterpart.
  if (settings.ctsOutputFlow || settings.rts == LineControl::Handshake) {
    tio.c_cflag |= CRTSCTS;
  } else {
    tio.c_cflag &= ~CRTSCTS;
  }

  if (settings.xonXoff) {
    tio.c_iflag |= IXON | IXOFF;
    tio.c_cc[VSTART] = settings.xonChar;
    tio.c_cc[VSTOP] = settings.xoffChar;
  } else {
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
  }

  // Reads return at once; poll() bounds the wait.
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  return true;
}

TermiosSerialDevice::~TermiosSerialDevice() {
  close();
}

bool TermiosSerialDevice::open(const std::string& path, const LineSettings& settings,
                               OpenFailure& failure) {
  if (fd_ >= 0) {
    failure.reason = path + ": the port is already open.";
    return false;
  }
  // Non-blocking, so that a port without carrier does not hold the open.
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    failure.reason = describeOpenError(path, errno);
    return false;
  }
  const auto fail = [&](int errorNumber) {
    failure.reason = describeOpenError(path, errorNumber);
    ::close(fd);
    return false;
  };
  // The port is not shared: a second program with the same port (or a second
  // instance of this one) is turned away rather than interleaving bytes.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) return fail(errno);

  termios tio{};
  if (tcgetattr(fd, &tio) != 0) return fail(errno);
  if (!configureTermios(tio, settings)) {
    failure.reason = path + ": the line cannot run at " + std::to_string(settings.baud) + " baud.";
    ::close(fd);
    return false;
  }
  if (tcsetattr(fd, TCSANOW, &tio) != 0) return fail(errno);

  setModemLine(fd, TIOCM_DTR, settings.dtr != LineControl::Off);
  setModemLine(fd, TIOCM_RTS, settings.rts != LineControl::Off);

  // The driver's queues are its own affair on POSIX; the sizes need no call.
  readTimeoutMs_ = static_cast<int>(settings.readTotalConstantMs + settings.readTotalMultiplierMs);
  writeTimeoutMs_ =
      static_cast<int>(settings.writeTotalConstantMs + settings.writeTotalMultiplierMs);
  const int bits = 1 + settings.dataBits + (settings.parity == Parity::None ? 0 : 1) +
                   (settings.stopBits == StopBits::One ? 1 : 2);
  byteTime_ = std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(
      std::int64_t{bits} * 1'000'000'000 / std::max<std::uint32_t>(settings.baud, 1)));
  echoDue_ = false;
  fd_ = fd;
  return true;
}

void TermiosSerialDevice::close() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
}

// A byte already waiting in the driver, without blocking.
bool TermiosSerialDevice::readWaiting(std::uint8_t& byte) {
  for (;;) {
    const ssize_t n = ::read(fd_, &byte, 1);
    if (n < 0 && errno == EINTR) continue;
    return n == 1;
  }
}

// The pager echoes every byte, and the echo cannot arrive before the byte
// written has crossed the line. Waiting for it in poll() costs a scheduler
// wake-up after it arrives (100-200 us on a loaded or virtual machine, up to
// a tenth of a 4800-baud byte), paid on each of the 2000-odd echoes of an
// image write. So the wait sleeps until shortly before the earliest arrival
// and then watches the line without sleeping, for at most two byte times;
// a later echo is left to poll().
bool TermiosSerialDevice::awaitEcho(std::uint8_t& byte) {
  constexpr auto kLead = std::chrono::microseconds(300);
  const Clock::time_point spinFrom = lastWrite_ + byteTime_ - kLead;
  if (Clock::now() < spinFrom) std::this_thread::sleep_until(spinFrom);
  const Clock::time_point spinUntil = lastWrite_ + 2 * byteTime_ + kLead;
  while (Clock::now() < spinUntil) {
    if (readWaiting(byte)) return true;
  }
  return false;
}

bool TermiosSerialDevice::readByte(std::uint8_t& byte) {
  if (fd_ < 0) return false;
  const bool echo = std::exchange(echoDue_, false);
  if (readWaiting(byte)) return true;
  if (echo && awaitEcho(byte)) return true;
  if (!waitReady(fd_, POLLIN, readTimeoutMs_)) return false;
  for (;;) {
    const ssize_t n = ::read(fd_, &byte, 1);
    if (n < 0 && errno == EINTR) continue;
    return n == 1;
  }
}

bool TermiosSerialDevice::writeByte(std::uint8_t byte) {
  if (fd_ < 0) return false;
  if (!waitReady(fd_, POLLOUT, writeTimeoutMs_)) return false;
  for (;;) {
    const ssize_t n = ::write(fd_, &byte, 1);
    if (n < 0 && errno == EINTR) continue;
    lastWrite_ = Clock::now();
    echoDue_ = n == 1;
    return n == 1;
  }
}

bool TermiosSerialDevice::purge() {
  if (fd_ < 0) return false;
  return tcflush(fd_, TCIOFLUSH) == 0;
}

}  // namespace zelta::link
