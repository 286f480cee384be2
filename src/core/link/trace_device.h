#pragma once

#include <cstdint>
#include <iosfwd>

#include "link/clock.h"
#include "link/serial_device.h"

namespace zelta::link {

// Wraps a serial device and writes every byte sent and received, with its
// direction and the milliseconds since the trace began, for support cases:
//
//        0 ms  open /dev/ttyUSB0 4800 8N1
//        0 ms  latency: low latency asked and granted; latency timer 1 ms
//      101 ms  TX AA
//      102 ms  RX AA
//      103 ms  RX 98
//      604 ms  RX --   (nothing within the time-out)
//
// Every line is flushed as it is written: the trace of a run that was
// stopped or killed is complete up to its last byte.
class TraceDevice : public SerialDevice {
 public:
  TraceDevice(SerialDevice& inner, std::ostream& out, Clock& clock);

  bool open(const std::string& path, const LineSettings& settings, OpenFailure& failure) override;
  void close() override;
  bool isOpen() const override { return inner_.isOpen(); }
  bool readByte(std::uint8_t& byte) override;
  bool readEcho(std::uint8_t& byte) override;
  bool writeByte(std::uint8_t byte) override;
  bool purge() override;
  void setHeld(bool held) override { inner_.setHeld(held); }
  LatencyReport latency() const override { return inner_.latency(); }

 private:
  std::ostream& line();

  SerialDevice& inner_;
  std::ostream& out_;
  Clock& clock_;
  std::int64_t start_;
};

}  // namespace zelta::link
