#pragma once

#include <cstdint>
#include <string>

#include "link/serial_driver.h"

namespace zelta::link {

// Parity codes as the port settings hold them (and the setup dialog's list
// indexes): 0 none, 1 odd, 2 even, 3 mark, 4 space.
enum class Parity : std::uint8_t { None = 0, Odd = 1, Even = 2, Mark = 3, Space = 4 };

// Stop-bit codes: 0 one, 1 one and a half, 2 two.
enum class StopBits : std::uint8_t { One = 0, OneAndHalf = 1, Two = 2 };

// Modem line modes of DTR and RTS: 0 off while open, 1 on while open,
// 2 handshake (3, RTS only: on while sending).
enum class LineControl : std::uint8_t { Off = 0, On = 1, Handshake = 2, Toggle = 3 };

// Everything a device needs to configure the line at open.
struct LineSettings {
  std::uint32_t baud = 4800;
  Parity parity = Parity::None;
  int dataBits = 8;
  StopBits stopBits = StopBits::One;
  bool ctsOutputFlow = false;
  bool dsrOutputFlow = false;
  LineControl dtr = LineControl::On;
  LineControl rts = LineControl::On;
  bool xonXoff = false;
  std::uint8_t xonChar = 0;
  std::uint8_t xoffChar = 0;
  // Time-outs in milliseconds; one byte is read or written per call, so a
  // call waits at most constant + multiplier.
  std::uint32_t readIntervalMs = 0;
  std::uint32_t readTotalMultiplierMs = 0;
  std::uint32_t readTotalConstantMs = 500;
  std::uint32_t writeTotalMultiplierMs = 0;
  std::uint32_t writeTotalConstantMs = 500;
  std::uint32_t inputQueueBytes = 1200;
  std::uint32_t outputQueueBytes = 1200;
};

// Why an open failed, in words for the operator.
struct OpenFailure {
  std::string reason;
};

// The platform seam under the serial port object: one device that moves
// single bytes. The real one is termios; tests use a scripted fake.
class SerialDevice {
 public:
  virtual ~SerialDevice() = default;

  // Opens the device by path, exclusively, and configures the line. On
  // failure fills `failure` and leaves the device closed.
  virtual bool open(const std::string& path, const LineSettings& settings,
                    OpenFailure& failure) = 0;
  virtual void close() = 0;
  virtual bool isOpen() const = 0;

  // One byte, bounded by the read time-out; false when none arrived.
  virtual bool readByte(std::uint8_t& byte) = 0;
  // The echo of the byte just written: the pager echoes every byte. An
  // ordinary read unless a device knows better.
  virtual bool readEcho(std::uint8_t& byte) { return readByte(byte); }
  // One byte, bounded by the write time-out; false when it was not written.
  virtual bool writeByte(std::uint8_t byte) = 0;
  // Discards both directions' pending bytes.
  virtual bool purge() = 0;

  // Holds the port for a whole operation. The device is still closed at the
  // end of every transaction (the fixture stops the pager when the PC lets
  // go of the line), but the program's claim on the port stays, so a second
  // program trying to open it between two transactions is turned away at
  // once. Releasing gives the claim up.
  virtual void setHeld(bool held) { (void)held; }

  // What the port's driver was asked for at the last open to cut the echo
  // delay, and what it granted.
  virtual LatencyReport latency() const { return {}; }
};

}  // namespace zelta::link
