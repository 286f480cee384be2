#include "fixture_line.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>

namespace zelta::pagersim {
namespace {

// A sleeper wakes a while after its time: tens of microseconds on a quiet
// machine, hundreds in a virtual one. Within this much of the next byte's
// time the line is watched without sleeping, so that the byte leaves when it
// is due; an echo that came late on every byte would slow the PC's writing
// by as much.
constexpr std::int64_t kWakeMarginNs = 300'000;

// The PC answers an echo within tens of microseconds. For this long after
// the last byte in either direction the line is watched without sleeping,
// so that the next byte is taken when it comes, not when a sleeper wakes:
// the echo's byte time is counted from that moment.
constexpr std::int64_t kListenNs = 300'000;

}  // namespace

std::int64_t FixtureLine::nowNs() {
  using namespace std::chrono;
  return duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();
}

FixtureLine::~FixtureLine() {
  if (watch_ >= 0) ::close(watch_);
  if (master_ >= 0) ::close(master_);
}

bool FixtureLine::open() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return false;
  path_ = ptsname(master_);
  termios tio{};
  if (tcgetattr(master_, &tio) == 0) {
    cfmakeraw(&tio);
    tcsetattr(master_, TCSANOW, &tio);
  }
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  // Watched before anyone learns the path, so that no open goes uncounted.
  watch_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (watch_ < 0 ||
      inotify_add_watch(watch_, path_.c_str(), IN_OPEN | IN_CLOSE_WRITE | IN_CLOSE_NOWRITE) < 0) {
    return false;
  }
  // A sleeper may be woken up to its timer slack late, 50 us by default: a
  // fortieth of a byte time at 4800 baud, added to every echo.
  prctl(PR_SET_TIMERSLACK, 1UL);
  return true;
}

// Reads the queued opens and closes; true when the last holder let go.
bool FixtureLine::takeCloses() {
  bool closed = false;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(watch_, buffer, sizeof buffer);
    if (n <= 0) break;
    for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= n;) {
      inotify_event event{};
      std::memcpy(&event, buffer + at, sizeof event);
      if ((event.mask & IN_OPEN) != 0) ++openers_;
      if ((event.mask & (IN_CLOSE_WRITE | IN_CLOSE_NOWRITE)) != 0) {
        openers_ = std::max(0, openers_ - 1);
        if (openers_ == 0) closed = true;
      }
      at += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
    }
  }
  return closed;
}

FixtureLine::Exchange FixtureLine::exchange(int maxWaitMs) {
  Exchange x;
  const std::int64_t now = nowNs();
  std::int64_t waitNs = std::int64_t{maxWaitMs} * 1'000'000;
  // Nobody holds the port: the master would report a hang-up at once, so
  // only the next open is waited for.
  pollfd fds[2] = {{watch_, POLLIN, 0}, {master_, POLLIN, 0}};
  const nfds_t count = openers_ > 0 ? 2 : 1;
  if (now - lastActivityNs_ < kListenNs) waitNs = 0;
  if (!pending_.empty()) {
    const std::int64_t untilDue = pending_.front().dueNs - now;
    if (untilDue > 0) {
      waitNs = std::min(waitNs, std::max<std::int64_t>(0, untilDue - kWakeMarginNs));
    } else {
      fds[1].events |= POLLOUT;  // due, but the terminal would not take it
    }
  }
  const timespec timeout{static_cast<time_t>(waitNs / 1'000'000'000),
                         static_cast<long>(waitNs % 1'000'000'000)};
  if (ppoll(fds, count, &timeout, nullptr) < 0 && errno != EINTR) {
    x.failed = true;
    return x;
  }
  if (count == 2 && (fds[1].revents & POLLIN) != 0) {
    std::uint8_t buffer[256];
    for (;;) {
      const ssize_t n = ::read(master_, buffer, sizeof buffer);
      if (n <= 0) break;
      x.received.insert(x.received.end(), buffer, buffer + n);
      lastActivityNs_ = nowNs();
    }
  } else if (count == 2 && (fds[1].revents & POLLHUP) != 0) {
    openers_ = 0;  // the count lost step (events overflowed); the master knows
    x.portClosed = true;
  }
  // The close is looked for after the read: bytes that arrived with it were
  // sent after it, as the PC waits for the echo of everything it sends.
  if (takeCloses()) x.portClosed = true;
  if (x.portClosed) {
    x.dropped = pending_.size();
    pending_.clear();
  }
  sendDue();
  return x;
}

void FixtureLine::send(const std::vector<std::uint8_t>& bytes, std::int64_t byteTimeNs) {
  // A byte handed over after the last one has left takes its full time from now.
  std::int64_t due = std::max(nowNs(), pending_.empty() ? 0 : pending_.back().dueNs);
  for (std::uint8_t byte : bytes) {
    due += byteTimeNs;
    pending_.push_back({due, byte});
  }
  sendDue();
}

void FixtureLine::sendDue() {
  const std::int64_t now = nowNs();
  std::uint8_t chunk[256];
  std::size_t n = 0;
  while (n < pending_.size() && n < sizeof chunk && pending_[n].dueNs <= now) {
    chunk[n] = pending_[n].byte;
    ++n;
  }
  if (n == 0) return;
  const ssize_t written = ::write(master_, chunk, n);
  if (written > 0) {
    pending_.erase(pending_.begin(), pending_.begin() + written);
    lastActivityNs_ = now;
  }
}

void FixtureLine::drain() {
  while (sending()) {
    if (exchange(50).failed) break;
  }
  tcdrain(master_);
}

}  // namespace zelta::pagersim
