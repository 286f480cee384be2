#pragma once

#include <cstdint>

#include "link/serial_device.h"

namespace zelta::testing {

// A line that garbles one byte on its way back: the echo of the n-th byte
// the PC writes (counted from 0 over the line's life) arrives with some
// bits flipped. Everything else passes through to the device underneath.
class CorruptingLine : public link::SerialDevice {
 public:
  CorruptingLine(link::SerialDevice& inner, std::size_t corruptedWrite, std::uint8_t flip = 0x10)
      : inner_(inner), corrupted_(corruptedWrite), flip_(flip) {}

  bool open(const std::string& path, const link::LineSettings& settings,
            link::OpenFailure& failure) override {
    return inner_.open(path, settings, failure);
  }
  void close() override { inner_.close(); }
  bool isOpen() const override { return inner_.isOpen(); }
  bool readByte(std::uint8_t& byte) override { return inner_.readByte(byte); }
  bool readEcho(std::uint8_t& byte) override {
    if (!inner_.readEcho(byte)) return false;
    if (written_ == corrupted_ + 1 && !done_) {
      byte ^= flip_;
      done_ = true;
    }
    return true;
  }
  bool writeByte(std::uint8_t byte) override {
    ++written_;
    return inner_.writeByte(byte);
  }
  bool purge() override { return inner_.purge(); }

 private:
  link::SerialDevice& inner_;
  std::size_t corrupted_;
  std::uint8_t flip_;
  std::size_t written_ = 0;
  bool done_ = false;
};

}  // namespace zelta::testing
