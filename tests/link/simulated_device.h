#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "core/link/scripted_device.h"
#include "link/serial_device.h"
#include "pager_simulator.h"

namespace zelta::testing {

// The pager simulator in-process behind the serial device seam, on the fake
// clock: every byte sent is answered at once, a read on a quiet line costs
// its 500 ms time-out. Runs a whole read or programming in microseconds.
class SimulatedDevice : public link::SerialDevice {
 public:
  SimulatedDevice(pagersim::PagerSimulator& sim, FakeClock& clock) : sim_(sim), clock_(clock) {}

  int opens = 0;
  // Bytes the PC may still send before the line dies (-1: never dies).
  long bytesUntilDeath = -1;

  // A simulator that exits takes its port with it: the device is gone.
  bool open(const std::string& path, const link::LineSettings&,
            link::OpenFailure& failure) override {
    if (sim_.wantsExit()) {
      failure.reason = path + ": no such device.";
      return false;
    }
    ++opens;
    open_ = true;
    pending_.clear();
    return true;
  }
  void close() override { open_ = false; }
  bool isOpen() const override { return open_; }

  bool readByte(std::uint8_t& byte) override {
    if (pending_.empty()) {
      clock_.now += 500;
      sim_.tick(clock_.now);
      return false;
    }
    byte = pending_.front();
    pending_.pop_front();
    return true;
  }
  bool writeByte(std::uint8_t byte) override {
    if (sim_.wantsExit()) return false;
    if (bytesUntilDeath == 0) return true;  // the byte leaves, nothing comes back
    if (bytesUntilDeath > 0) --bytesUntilDeath;
    for (std::uint8_t b : sim_.receive(byte, clock_.now)) pending_.push_back(b);
    return true;
  }
  bool purge() override {
    pending_.clear();
    return true;
  }

 private:
  pagersim::PagerSimulator& sim_;
  FakeClock& clock_;
  std::deque<std::uint8_t> pending_;
  bool open_ = false;
};

}  // namespace zelta::testing
