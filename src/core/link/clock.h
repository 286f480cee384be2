#pragma once

#include <cstdint>
#include <ctime>

namespace zelta::link {

// Time as the link sees it. The protocol's fixed pauses and the per-byte
// time-outs are measured here, so tests can run a whole transaction on a
// fake clock in microseconds of real time.
class Clock {
 public:
  virtual ~Clock() = default;

  // Milliseconds from an arbitrary start; never goes backwards.
  virtual std::int64_t nowMs() = 0;

  // Waits the given time without servicing the user interface: the
  // protocol's fixed pauses (before the wake-up byte, before the password
  // reply, the programming pause).
  virtual void delayMs(std::int64_t ms) = 0;

  // The PC's local date and time, for the pager's clock.
  virtual std::tm localTime() = 0;
};

// The real clock: a monotonic counter and sleeping waits.
class SteadyClock : public Clock {
 public:
  std::int64_t nowMs() override;
  void delayMs(std::int64_t ms) override;
  std::tm localTime() override;
};

}  // namespace zelta::link
