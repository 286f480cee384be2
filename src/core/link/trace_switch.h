#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "link/clock.h"
#include "link/serial_device.h"
#include "link/trace_device.h"

namespace zelta::link {

// A serial device whose byte trace (TraceDevice) can be turned on and off
// between operations, for a port built once for the program's whole run:
// the window's switch does what the command line's --trace does for one
// run. The trace is appended to, so that an earlier session's trace of a
// fault is still there when support asks for it.
class TraceSwitch : public SerialDevice {
 public:
  TraceSwitch(SerialDevice& inner, Clock& clock) : inner_(inner), clock_(clock) {}

  // Traces into file from now on (appended); false, and no trace, when the
  // file cannot be written. Not while an operation uses the device.
  bool start(const std::filesystem::path& file);
  void stop();
  bool tracing() const { return trace_ != nullptr; }

  bool open(const std::string& path, const LineSettings& settings, OpenFailure& failure) override {
    return active().open(path, settings, failure);
  }
  void close() override { active().close(); }
  bool isOpen() const override { return inner_.isOpen(); }
  bool readByte(std::uint8_t& byte) override { return active().readByte(byte); }
  bool readEcho(std::uint8_t& byte) override { return active().readEcho(byte); }
  bool writeByte(std::uint8_t byte) override { return active().writeByte(byte); }
  bool purge() override { return active().purge(); }
  void setHeld(bool held) override { inner_.setHeld(held); }
  LatencyReport latency() const override { return inner_.latency(); }

 private:
  SerialDevice& active() { return trace_ ? static_cast<SerialDevice&>(*trace_) : inner_; }

  SerialDevice& inner_;
  Clock& clock_;
  std::ofstream file_;
  std::unique_ptr<TraceDevice> trace_;
};

}  // namespace zelta::link
