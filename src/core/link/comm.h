#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "errors/reporter.h"
#include "link/clock.h"
#include "link/serial_device.h"

namespace zelta::link {

// Link speed codes: the byte sent at wake-up, which also selects the baud of
// the following opens.
namespace speed {
inline constexpr std::uint8_t k9600 = 0xA2;
inline constexpr std::uint8_t k19200 = 0xA4;
inline constexpr std::uint8_t k38400 = 0xA6;
inline constexpr std::uint8_t k57600 = 0xA8;
inline constexpr std::uint8_t k4800 = 0xAA;
}  // namespace speed

// 4800 for 0xAA and for any code not in the table.
std::uint32_t baudForSpeedCode(std::uint8_t speedCode);

// What the link protocol decides about the next open: its speed code, and
// the wake-up flag that forces 4800 baud while the pager is being woken.
struct SpeedSelection {
  std::uint8_t speedCode = speed::k4800;
  bool wakeUp = false;
};

// The one serial port through which the system talks to the pager fixture.
// Opened at the start of every link transaction and closed at its end, so
// the port is free for other programs in between. Moves single bytes; knows
// nothing of frames or pagers.
class TDComm {
 public:
  TDComm(SerialDevice& device, errors::Reporter& reporter, Clock& clock);
  TDComm(const TDComm&) = delete;
  TDComm& operator=(const TDComm&) = delete;

  // Opens and configures the port at the baud the speed selection gives. On
  // failure shows "Can not open com port." once, with the system's reason,
  // and leaves the port closed.
  bool Open(SpeedSelection speed = {});
  bool Close();
  bool IsOpen() const { return open_; }

  void SetPortName(std::string name) { portName_ = std::move(name); }
  // One more line for the open failure's box: where this front end
  // chooses the port (the window's setup; the command line names its
  // --port in the reason already).
  void SetOpenFailureHint(std::string hint) { openFailureHint_ = std::move(hint); }
  const std::string& PortName() const { return portName_; }
  // The line the next Open configures; Open sets its baud from the speed
  // selection. With the default time-outs every single-byte read returns
  // after at most 500 ms, with or without a byte.
  LineSettings& Settings() { return settings_; }
  // The baud of the last Open.
  std::uint32_t BaudRate() const { return applied_.baud; }

  bool ReadByte(std::uint8_t& byte);
  // The echo of the byte just written (see SerialDevice::readEcho).
  bool ReadEcho(std::uint8_t& byte);
  bool WriteByte(std::uint8_t byte);
  bool Purge();
  // Keeps the port for this program from one transaction of an operation to
  // the next: nobody else can open it in between (SerialDevice::setHeld).
  void HoldPort(bool held) { device_.setHeld(held); }

  // Waits at least ms while the user interface keeps processing its
  // messages; returns the time waited.
  std::int64_t WaitMs(std::int64_t ms);
  // Waits ms without servicing the user interface.
  void DelayMs(std::int64_t ms) { clock_.delayMs(ms); }

  // The front end's message processing, run between bytes and during WaitMs
  // so that the window keeps painting.
  void SetMessagePump(std::function<void()> pump) { pump_ = std::move(pump); }
  void ProcessMessages() {
    if (pump_) pump_();
  }

  // The line settings the last Open applied (or tried to).
  const LineSettings& AppliedSettings() const { return applied_; }
  Clock& clock() { return clock_; }

 private:
  SerialDevice& device_;
  errors::Reporter& reporter_;
  Clock& clock_;
  std::function<void()> pump_;

  std::string portName_ = "COM1";
  std::string openFailureHint_;
  LineSettings settings_;
  bool open_ = false;
  LineSettings applied_;
};

}  // namespace zelta::link
