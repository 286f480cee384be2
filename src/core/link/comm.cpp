#include "link/comm.h"

#include <algorithm>
#include <array>

namespace zelta::link {
namespace {

struct SpeedEntry {
  std::uint8_t code;
  std::uint32_t baud;
};

constexpr std::array kSpeeds{
    SpeedEntry{speed::k9600, 9600},   SpeedEntry{speed::k19200, 19200},
    SpeedEntry{speed::k38400, 38400}, SpeedEntry{speed::k57600, 57600},
    SpeedEntry{speed::k4800, 4800},
};

// How long WaitMs lets the clock run between two rounds of message processing.
constexpr std::int64_t kPumpSliceMs = 10;

}  // namespace

std::uint32_t baudForSpeedCode(std::uint8_t speedCode) {
  for (const SpeedEntry& e : kSpeeds) {
    if (e.code == speedCode) return e.baud;
  }
  return 4800;
}

TDComm::TDComm(SerialDevice& device, errors::Reporter& reporter, Clock& clock)
    : device_(device), reporter_(reporter), clock_(clock) {}

bool TDComm::Open(SpeedSelection speed) {
  OpenFailure failure;
  bool ok = false;
  if (open_) {
    // Opening twice is a caller's slip; the port ends up closed, as after any
    // failed open, and the handle held so far is released.
    device_.close();
    open_ = false;
    failure.reason = portName_ + ": the port was already open.";
  } else {
    // The baud stored here is replaced at every open: the configured rate only
    // chooses the speed code the link asks the pager for.
    applied_ = settings_;
    applied_.baud = speed.wakeUp ? 4800 : baudForSpeedCode(speed.speedCode);
    ok = device_.open(portName_, applied_, failure);
  }
  if (!ok) {
    std::string text = "Can not open com port.\n" + failure.reason;
    if (!openFailureHint_.empty()) text += "\n" + openFailureHint_;
    reporter_.Show(errors::Message{errors::BoxClass::Error, "Error", std::move(text)});
    return false;
  }
  open_ = true;
  device_.purge();
  return true;
}

bool TDComm::Close() {
  if (!open_) return false;
  device_.close();
  open_ = false;
  return true;
}

bool TDComm::ReadByte(std::uint8_t& byte) {
  return open_ && device_.readByte(byte);
}

bool TDComm::ReadEcho(std::uint8_t& byte) {
  return open_ && device_.readEcho(byte);
}

bool TDComm::WriteByte(std::uint8_t byte) {
  return open_ && device_.writeByte(byte);
}

bool TDComm::Purge() {
  return open_ && device_.purge();
}

std::int64_t TDComm::WaitMs(std::int64_t ms) {
  const std::int64_t start = clock_.nowMs();
  for (;;) {
    ProcessMessages();
    const std::int64_t waited = clock_.nowMs() - start;
    if (waited >= ms) return waited;
    clock_.delayMs(std::min(kPumpSliceMs, ms - waited));
  }
}

}  // namespace zelta::link
