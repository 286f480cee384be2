#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "errors/reporter.h"
#include "link/clock.h"
#include "link/serial_device.h"

namespace zelta::link {

// Software handshake.
struct TSwFlowCtrl {
  std::uint8_t xonXoffEnable = 0;  // XON/XOFF on both directions
  std::uint8_t xonChar = 0;
  std::uint8_t xoffChar = 0;

  void Init(std::uint8_t enable, std::uint8_t xon, std::uint8_t xoff) {
    xonXoffEnable = enable;
    xonChar = xon;
    xoffChar = xoff;
  }
};

// Hardware handshake, with the software handshake inside.
struct TFlowCtrl {
  std::uint8_t ctsOutFlow = 0;  // transmit only while CTS is on
  std::uint8_t dsrOutFlow = 0;  // transmit only while DSR is on
  std::uint8_t dtrControl = 1;  // 1 = DTR on while open
  std::uint8_t rtsControl = 1;  // 1 = RTS on while open
  TSwFlowCtrl software;

  void Init(std::uint8_t cts, std::uint8_t dsr, std::uint8_t dtr, std::uint8_t rts) {
    ctsOutFlow = cts;
    dsrOutFlow = dsr;
    dtrControl = dtr;
    rtsControl = rts;
  }
};

// Milliseconds. With these values every single-byte read returns after at
// most 500 ms, with or without a byte.
struct TTimeouts {
  std::uint32_t readInterval = 0;
  std::uint32_t readTotalMultiplier = 0;
  std::uint32_t readTotalConstant = 500;
  std::uint32_t writeTotalMultiplier = 0;
  std::uint32_t writeTotalConstant = 500;

  void Init(std::uint32_t interval, std::uint32_t readMultiplier, std::uint32_t readConstant,
            std::uint32_t writeMultiplier, std::uint32_t writeConstant) {
    readInterval = interval;
    readTotalMultiplier = readMultiplier;
    readTotalConstant = readConstant;
    writeTotalMultiplier = writeMultiplier;
    writeTotalConstant = writeConstant;
  }
};

// Driver queue sizes in bytes.
struct TBuffer {
  std::uint32_t inputSize = 1200;
  std::uint32_t outputSize = 1200;

  void Init(std::uint32_t input, std::uint32_t output) {
    inputSize = input;
    outputSize = output;
  }
};

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
  const std::string& PortName() const { return portName_; }
  std::uint16_t BaudRate() const { return baudRate_; }
  void SetBaudRate(std::uint16_t baud) { baudRate_ = baud; }
  std::uint8_t Parity() const { return parity_; }
  void SetParity(std::uint8_t parity) { parity_ = parity; }
  std::uint8_t DataSize() const { return dataSize_; }
  void SetDataSize(std::uint8_t dataSize) { dataSize_ = dataSize; }
  std::uint8_t StopBits() const { return stopBits_; }
  void SetStopBits(std::uint8_t stopBits) { stopBits_ = stopBits; }
  TFlowCtrl& FlowCtrl() { return flowCtrl_; }
  TTimeouts& Timeouts() { return timeouts_; }
  TBuffer& Buffer() { return buffer_; }

  bool ReadByte(std::uint8_t& byte);
  bool WriteByte(std::uint8_t byte);
  bool Purge();

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
  LineSettings lineSettings(std::uint32_t baud) const;

  SerialDevice& device_;
  errors::Reporter& reporter_;
  Clock& clock_;
  std::function<void()> pump_;

  std::string portName_ = "COM1";
  std::uint16_t baudRate_ = 4800;
  std::uint8_t parity_ = 0;
  std::uint8_t dataSize_ = 3;  // data bits minus 5
  std::uint8_t stopBits_ = 0;
  TFlowCtrl flowCtrl_;
  TTimeouts timeouts_;
  TBuffer buffer_;
  bool open_ = false;
  LineSettings applied_;
};

}  // namespace zelta::link
