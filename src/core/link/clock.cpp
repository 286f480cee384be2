#include "link/clock.h"

#include <chrono>
#include <thread>

namespace zelta::link {

std::int64_t SteadyClock::nowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// The pauses were busy waits on the performance counter; sleeping keeps the
// same "nothing else runs meanwhile" without burning a core.
void SteadyClock::delayMs(std::int64_t ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::tm SteadyClock::localTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

}  // namespace zelta::link
