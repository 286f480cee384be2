#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

#include "link/clock.h"
#include "link/serial_device.h"

namespace zelta::testing {

// A clock that only moves when the link waits: pauses add their length,
// a read on a silent line adds its time-out.
class FakeClock : public link::Clock {
 public:
  std::int64_t now = 0;
  std::vector<std::int64_t> delays;
  std::tm local{};

  FakeClock() {
    local.tm_hour = 13;
    local.tm_min = 45;
    local.tm_mday = 9;
    local.tm_mon = 10;    // November
    local.tm_year = 124;  // 2024
  }
  std::int64_t nowMs() override { return now; }
  void delayMs(std::int64_t ms) override {
    delays.push_back(ms);
    if (ms > 0) now += ms;
  }
  std::tm localTime() override { return local; }
};

// The pager and its fixture as a script: bytes the PC must send (echoed by
// the fixture) and bytes the pager answers once the bytes before them have
// arrived. When the script runs out the line goes silent: no echo, no answer.
class ScriptedDevice : public link::SerialDevice {
 public:
  struct Sent {
    std::int64_t at;
    std::uint8_t byte;
  };

  explicit ScriptedDevice(FakeClock& clock) : clock_(clock) {}

  // The PC must send exactly these bytes.
  ScriptedDevice& expect(std::vector<std::uint8_t> bytes, bool echo = true) {
    for (std::uint8_t b : bytes) events_.push_back({Event::Expect, b, echo, false});
    return *this;
  }
  // The PC sends n bytes of any value.
  ScriptedDevice& expectAny(std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) events_.push_back({Event::Expect, 0, true, true});
    return *this;
  }
  // The pager answers these bytes.
  ScriptedDevice& reply(std::vector<std::uint8_t> bytes) {
    for (std::uint8_t b : bytes) events_.push_back({Event::Reply, b, false, false});
    return *this;
  }

  bool scriptDone() const { return cursor_ == events_.size(); }

  // What happened on the line.
  std::vector<Sent> sent;
  std::vector<link::LineSettings> opens;
  std::vector<std::string> openPaths;
  std::vector<std::string> mismatches;
  int closes = 0;
  int purges = 0;
  bool failOpen = false;
  std::int64_t readTimeoutMs = 500;

  std::vector<std::uint8_t> sentBytes() const {
    std::vector<std::uint8_t> bytes;
    for (const Sent& s : sent) bytes.push_back(s.byte);
    return bytes;
  }

  bool open(const std::string& path, const link::LineSettings& settings,
            link::OpenFailure& failure) override {
    openPaths.push_back(path);
    opens.push_back(settings);
    if (failOpen) {
      failure.reason = path + ": no such device.";
      return false;
    }
    open_ = true;
    return true;
  }
  void close() override {
    if (open_) ++closes;
    open_ = false;
  }
  bool isOpen() const override { return open_; }

  bool readByte(std::uint8_t& byte) override {
    if (incoming_.empty()) {
      clock_.now += readTimeoutMs;
      return false;
    }
    byte = incoming_.front();
    incoming_.pop_front();
    return true;
  }

  bool writeByte(std::uint8_t byte) override {
    sent.push_back({clock_.now, byte});
    if (cursor_ < events_.size() && events_[cursor_].kind == Event::Expect) {
      const Event& e = events_[cursor_++];
      if (!e.any && e.byte != byte) {
        mismatches.push_back("byte " + std::to_string(sent.size() - 1) + ": expected " +
                             std::to_string(e.byte) + ", got " + std::to_string(byte));
      }
      if (e.echo) incoming_.push_back(byte);
      while (cursor_ < events_.size() && events_[cursor_].kind == Event::Reply) {
        incoming_.push_back(events_[cursor_++].byte);
      }
    }
    return true;
  }

  bool purge() override {
    ++purges;
    incoming_.clear();
    return true;
  }

 private:
  struct Event {
    enum Kind { Expect, Reply } kind;
    std::uint8_t byte;
    bool echo;
    bool any;
  };

  FakeClock& clock_;
  std::vector<Event> events_;
  std::size_t cursor_ = 0;
  std::deque<std::uint8_t> incoming_;
  bool open_ = false;
};

}  // namespace zelta::testing
