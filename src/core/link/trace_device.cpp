#include "link/trace_device.h"

#include <cstdio>
#include <ostream>

namespace zelta::link {
namespace {

constexpr char kParityLetters[] = {'N', 'O', 'E', 'M', 'S'};

std::string hex(std::uint8_t byte) {
  char text[4];
  std::snprintf(text, sizeof text, "%02X", byte);
  return text;
}

}  // namespace

TraceDevice::TraceDevice(SerialDevice& inner, std::ostream& out, Clock& clock)
    : inner_(inner), out_(out), clock_(clock), start_(clock.nowMs()) {}

std::ostream& TraceDevice::line() {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%8lld ms  ", static_cast<long long>(clock_.nowMs() - start_));
  return out_ << stamp;
}

bool TraceDevice::open(const std::string& path, const LineSettings& settings,
                       OpenFailure& failure) {
  const bool ok = inner_.open(path, settings, failure);
  line() << "open " << path << ' ' << settings.baud << ' ' << settings.dataBits
         << kParityLetters[static_cast<int>(settings.parity) % 5]
         << (settings.stopBits == StopBits::One ? '1' : '2');
  if (!ok) out_ << " failed: " << failure.reason;
  out_ << std::endl;
  if (ok) line() << "latency: " << describeLatency(inner_.latency()) << std::endl;
  return ok;
}

void TraceDevice::close() {
  if (inner_.isOpen()) line() << "close" << std::endl;
  inner_.close();
}

bool TraceDevice::readByte(std::uint8_t& byte) {
  const bool ok = inner_.readByte(byte);
  line() << "RX " << (ok ? hex(byte) : std::string("--")) << std::endl;
  return ok;
}

bool TraceDevice::readEcho(std::uint8_t& byte) {
  const bool ok = inner_.readEcho(byte);
  line() << "RX " << (ok ? hex(byte) : std::string("--")) << std::endl;
  return ok;
}

bool TraceDevice::writeByte(std::uint8_t byte) {
  const bool ok = inner_.writeByte(byte);
  line() << "TX " << hex(byte) << (ok ? "" : " failed") << std::endl;
  return ok;
}

bool TraceDevice::purge() {
  line() << "purge" << std::endl;
  return inner_.purge();
}

}  // namespace zelta::link
