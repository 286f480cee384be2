#include "link/termios_serial_device.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "link/clock.h"

namespace zelta::link {
namespace {

constexpr unsigned long kTimerSlackNs = 1000;

// The system's text for an error number. strerror may share one buffer
// between threads; several links may be opening their ports at once.
std::string errorText(int errorNumber) {
  return std::system_category().message(errorNumber);
}

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

// Whether the user running this program is listed as a member of gid.
bool userListedInGroup(gid_t gid) {
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) {
    return false;
  }
  int count = 64;
  std::vector<gid_t> groups(static_cast<std::size_t>(count));
  if (getgrouplist(found->pw_name, found->pw_gid, groups.data(), &count) < 0) {
    groups.resize(static_cast<std::size_t>(count));
    if (getgrouplist(found->pw_name, found->pw_gid, groups.data(), &count) < 0) return false;
  }
  groups.resize(static_cast<std::size_t>(count));
  return std::find(groups.begin(), groups.end(), gid) != groups.end();
}

DeviceAccess deviceAccess(const std::string& path) {
  DeviceAccess access;
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return access;
  access.known = true;
  access.groupId = info.st_gid;
  access.groupName = groupName(info.st_gid);
  access.mode = info.st_mode & 07777;
  access.listedInGroup = userListedInGroup(info.st_gid);
  return access;
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

std::string describeOpenError(const std::string& path, int errorNumber) {
  if (path.empty()) return std::string(kNoPortNamed);
  switch (errorNumber) {
    case ENOENT:
    case ENODEV:
    case ENXIO: return path + ": no such device.";
    case EACCES:
    case EPERM: return describePermissionDenied(path, deviceAccess(path));
    case EBUSY:
    case EWOULDBLOCK: return path + ": the port is in use by another program.";
    case ENOTTY: return path + ": not a serial device.";
    default: return path + ": " + errorText(errorNumber) + ".";
  }
}

std::string describePermissionDenied(const std::string& path, const DeviceAccess& access) {
  std::string text = path + ": permission denied.";
  const bool groupMayUse = (access.mode & S_IRGRP) != 0 && (access.mode & S_IWGRP) != 0;
  if (!access.known || !groupMayUse || access.groupId == 0) {
    return text +
           "\nThe device is not open to a group you could join; ask the administrator "
           "for access to it.";
  }
  const std::string group = "\"" + access.groupName + "\"";
  if (access.listedInGroup) {
    return text + "\nYou are in the group " + group +
           ", which owns the device, but this session started before you joined it: log out "
           "and in again.";
  }
  return text + "\nThe device belongs to the group " + group +
         ". Join it with\n    sudo usermod -aG " + access.groupName +
         " $USER\nthen log out and in again.";
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
  held_ = false;
  close();
}

std::string portLockPath(const std::string& devicePath) {
  std::string name = devicePath;
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  const char* folder = access("/run/lock", W_OK) == 0 ? "/run/lock" : "/tmp";
  return std::string(folder) + "/zelta-pps" + name + ".lock";
}

bool TermiosSerialDevice::open(const std::string& path, const LineSettings& settings,
                               OpenFailure& failure) {
  if (fd_ >= 0) {
    failure.reason = path + ": the port is already open.";
    return false;
  }
  if (path.empty()) {
    failure.reason = std::string(kNoPortNamed);
    return false;
  }
  if (!takePortLock(path, failure)) return false;

  // Non-blocking, so that a port without carrier does not hold the open.
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    failure.reason = describeOpenError(path, errno);
    if (!held_) releasePortLock();
    return false;
  }
  // The port is not shared: a second program with the same port is turned
  // away at once rather than interleaving bytes. The lock turns away the
  // programs that ask for it; the terminal's exclusive mode any later open()
  // (except an administrator's).
  termios saved{};
  if (flock(fd, LOCK_EX | LOCK_NB) != 0 || tcgetattr(fd, &saved) != 0) {
    failure.reason = describeOpenError(path, errno);
    ::close(fd);
    if (!held_) releasePortLock();
    return false;
  }
  ioctl(fd, TIOCEXCL);
  fd_ = fd;
  saved_ = saved;
  askLowLatency(path);
  // Timed waits (the read time-outs, the protocol's pauses) end when due
  // rather than up to the default 50 us slack later; put back on close.
  savedTimerSlack_ = prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0);
  prctl(PR_SET_TIMERSLACK, kTimerSlackNs, 0, 0, 0);
  if (!configure(path, settings, failure)) {
    close();
    return false;
  }
  return true;
}

// The port lock: a file named after the device in a folder every user may
// write, locked for as long as this program has the port, and for a held
// port from the first transaction of an operation to the end of the last.
// The device itself must be closed between transactions (the fixture stops
// the pager when the PC lets go of the line), so between two transactions
// the file is what tells a second program that the port is taken.
bool TermiosSerialDevice::takePortLock(const std::string& path, OpenFailure& failure) {
  std::error_code ec;
  const std::filesystem::path device = std::filesystem::weakly_canonical(path, ec);
  const std::string lockPath = portLockPath(ec ? path : device.string());
  if (lockFd_ >= 0 && lockPath == lockPath_) return true;  // held by us
  releasePortLock();
  const int fd = ::open(lockPath.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return true;  // no lock folder: the device's own lock must do
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    failure.reason = describeOpenError(path, EWOULDBLOCK);
    return false;
  }
  lockFd_ = fd;
  lockPath_ = lockPath;
  return true;
}

void TermiosSerialDevice::releasePortLock() {
  if (lockFd_ < 0) return;
  ::close(lockFd_);
  lockFd_ = -1;
  lockPath_.clear();
}

bool TermiosSerialDevice::configure(const std::string& path, const LineSettings& settings,
                                    OpenFailure& failure) {
  termios tio{};
  if (tcgetattr(fd_, &tio) != 0) {
    failure.reason = describeOpenError(path, errno);
    return false;
  }
  if (!configureTermios(tio, settings)) {
    failure.reason = path + ": the line cannot run at " + std::to_string(settings.baud) + " baud.";
    return false;
  }
  if (tcsetattr(fd_, TCSANOW, &tio) != 0) {
    failure.reason = describeOpenError(path, errno);
    return false;
  }

  setModemLine(fd_, TIOCM_DTR, settings.dtr != LineControl::Off);
  setModemLine(fd_, TIOCM_RTS, settings.rts != LineControl::Off);

  // The driver's queues are its own affair on POSIX; the sizes need no call.
  readTimeoutMs_ = static_cast<int>(settings.readTotalConstantMs + settings.readTotalMultiplierMs);
  writeTimeoutMs_ =
      static_cast<int>(settings.writeTotalConstantMs + settings.writeTotalMultiplierMs);
  return true;
}

// Each echo the pager sends waits in the driver (and, on a USB adapter, in
// the adapter for its latency timer) before a read sees it; with 2000-odd
// echoes an image write pays that delay 2000 times. The driver is asked to
// hand bytes over at once; a refusal is no reason not to go on, and is said
// (trace, identify, README).
void TermiosSerialDevice::askLowLatency(const std::string& path) {
  latency_ = {};
  lowLatencySet_ = false;
  bool on = false;
  if (driver_->lowLatency(fd_, on)) {
    if (on) {
      latency_.lowLatency = LatencyReport::LowLatency::AlreadyOn;
    } else if (const int refusal = driver_->setLowLatency(fd_, true); refusal == 0) {
      latency_.lowLatency = LatencyReport::LowLatency::Granted;
      lowLatencySet_ = true;
    } else {
      latency_.lowLatency = LatencyReport::LowLatency::Refused;
      latency_.refusal = errorText(refusal);
    }
  }
  latency_.timerPath = driver_->latencyTimerPath(path);
  if (!latency_.timerPath.empty()) {
    latency_.latencyTimerMs = driver_->readLatencyTimer(latency_.timerPath);
  }
}

// The line as it was found, the exclusive mode off, and the device closed;
// the port lock stays while the port is held.
void TermiosSerialDevice::close() {
  if (fd_ >= 0) {
    tcsetattr(fd_, TCSANOW, &saved_);
    if (lowLatencySet_) driver_->setLowLatency(fd_, false);
    lowLatencySet_ = false;
    if (savedTimerSlack_ > 0) prctl(PR_SET_TIMERSLACK, savedTimerSlack_, 0, 0, 0);
    savedTimerSlack_ = -1;
    ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
  }
  if (!held_) releasePortLock();
}

void TermiosSerialDevice::setHeld(bool held) {
  held_ = held;
  if (!held_ && fd_ < 0) releasePortLock();
}

// A byte already waiting in the driver, without blocking.
bool TermiosSerialDevice::readWaiting(std::uint8_t& byte) {
  for (;;) {
    const ssize_t n = ::read(fd_, &byte, 1);
    if (n < 0 && errno == EINTR) continue;
    return n == 1;
  }
}

// The pager echoes every byte. The wait for the echo blocks in poll() at
// once: the kernel wakes the program when the byte arrives, which costs no
// CPU while the byte crosses the line and, unlike a sleep until the echo is
// due, never oversleeps it; a busy PC takes nothing from it either, since a
// task woken from poll() is preferred over the CPU-bound ones beside it.
// Spinning on read() instead would burn a core for 2000-odd echoes of an
// image and lose the core to any other busy program.
bool TermiosSerialDevice::readEcho(std::uint8_t& byte) {
  return readByte(byte);
}

bool TermiosSerialDevice::readByte(std::uint8_t& byte) {
  if (fd_ < 0) return false;
  if (readWaiting(byte)) return true;
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
    return n == 1;
  }
}

bool TermiosSerialDevice::purge() {
  if (fd_ < 0) return false;
  return tcflush(fd_, TCIOFLUSH) == 0;
}

}  // namespace zelta::link
