#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "models/models.h"

namespace zelta::pagersim {

using models::ModelCode;

// A fault that fires a number of times (or always).
struct Fault {
  static constexpr int kAlways = -1;
  int remaining = 0;  // 0: off

  bool fire() {
    if (remaining == 0) return false;
    if (remaining > 0) --remaining;
    return true;
  }
  bool on() const { return remaining != 0; }
};

struct Faults {
  bool silent = false;        // no pager and no fixture: nothing comes back
  bool noEcho = false;        // the fixture does not echo the PC's bytes
  Fault badChecksum;          // image blocks sent with a wrong sum
  Fault nak;                  // written blocks answered with NAK
  Fault garbage;              // wake-ups answered with a junk byte
  bool exitMidBlock = false;  // the simulator dies half-way through an image block
  bool exitMidWrite = false;  // ... through a block the PC writes (reads are answered)
  // Another pager of this model is put on the fixture once the first
  // wake-up has been answered (0: none).
  ModelCode swapModel = 0;
};

struct SimulatorOptions {
  ModelCode model = 0x91;
  std::vector<std::uint8_t> image;  // the pager's codeplug; a made-up one when empty
  std::string firmware;             // six characters; by model when empty
  std::string serial;               // ten characters; from the image when empty
  char status = 'N';                // N, O, U, B, D, or Y (password required)
  std::string password;             // stored as the download password; implies status Y
  int attempts = 3;                 // password attempts before the pager locks
  std::uint8_t ramPattern = 'A';    // second reply byte of the RAM pattern test
  std::uint8_t keyCode = 0x00;      // second reply byte of the key test
  Faults faults;
  // Pagers put into the fixture one after the other, by serial number (the
  // first from the start). Each is taken out removeAfterMs after its clock
  // was set or its write refused, and the next goes in insertGapMs later;
  // an empty fixture answers nothing. Empty: one pager, always there.
  std::vector<std::string> script;
  std::int64_t insertGapMs = 500;
  std::int64_t removeAfterMs = 1000;
};

// The pager and its programming fixture, as the PC sees them on the line:
// every byte the PC sends is echoed, and the pager answers wake-ups,
// command frames, passwords, image blocks, the clock and test commands.
//
// The pager keeps a checksum byte at the end of the block it sends, so that
// the block's bytes sum to 0xFF; blocks it receives are stored as sent.
// It checks passwords against the download password field of its image
// (0x53-0x5C) as stored there, scrambled.
class PagerSimulator {
 public:
  explicit PagerSimulator(SimulatorOptions options);

  // One byte from the PC; returns the bytes that go back, echo first.
  std::vector<std::uint8_t> receive(std::uint8_t byte, std::int64_t nowMs);

  // Called while the line is quiet: a pager waiting for the rest of a record
  // gives up after a while and waits for the next wake-up.
  void tick(std::int64_t nowMs);

  // The PC let go of the port: the fixture stops the pager, so a block it
  // was in the middle of (a PC killed half-way through a write) is dropped
  // and the next wake-up is answered. A frame outlasts the close (the PC
  // reopens at the woken speed), and so does test mode.
  void portClosed();

  bool wantsExit() const { return wantsExit_; }
  // A pager is in the fixture (always, without a script).
  bool pagerPresent() const { return present_; }
  const std::string& serialNumber() const { return options_.serial; }
  ModelCode model() const { return options_.model; }
  const std::vector<std::uint8_t>& image() const { return image_; }
  int imagesWritten() const { return imagesWritten_; }
  bool clockSet() const { return clockSet_; }
  const std::array<std::uint8_t, 5>& clock() const { return clock_; }
  bool inTestMode() const { return state_ == State::TestOpen || state_ == State::TestClose; }
  // The baud the pager is listening at.
  std::uint32_t lineBaud() const;
  // What happened, one line per exchange ("wake 0xAA", "write accepted" ...).
  std::vector<std::string> takeEvents();

  static constexpr std::int64_t kGiveUpMs = 2000;

 private:
  enum class State {
    Idle,       // waiting for the wake-up byte
    Frame,      // collecting the 8-byte command frame
    Password,   // collecting the 10-byte password
    Block,      // collecting a written image block and its sum
    Clock,      // collecting the 5 clock bytes and their sum
    TestOpen,   // test mode: waiting for a command byte
    TestClose,  // test mode: waiting for the closing byte
  };
  enum class After { Nothing, SendBlock, ReceiveBlock, ReceiveClock };

  void onIdle(std::uint8_t byte, std::vector<std::uint8_t>& out);
  void onFrame(std::vector<std::uint8_t>& out);
  void onPassword(std::vector<std::uint8_t>& out);
  void onBlock(std::vector<std::uint8_t>& out);
  void onClock(std::vector<std::uint8_t>& out);
  void onTestOpen(std::uint8_t byte, std::vector<std::uint8_t>& out);
  void onTestClose(std::uint8_t byte);
  void statusAndPassword(After after, std::vector<std::uint8_t>& out);
  void proceed(After after, std::vector<std::uint8_t>& out);
  void sendBlock(std::vector<std::uint8_t>& out);
  void appendInformation(std::vector<std::uint8_t>& out) const;
  void appendSerial(std::vector<std::uint8_t>& out) const;
  bool startsNewWakeUp(std::uint8_t byte) const;
  bool isWakeCode(std::uint8_t byte) const;
  void event(std::string text);
  void toIdle();
  void insertPager(std::size_t index);
  void advanceScript(std::int64_t nowMs);
  void takeOutLater();

  SimulatorOptions options_;
  std::vector<std::uint8_t> image_;
  State state_ = State::Idle;
  std::vector<std::uint8_t> record_;
  std::size_t recordLength_ = 0;
  std::size_t blockLength_ = 0;
  After afterPassword_ = After::Nothing;
  std::uint8_t testCommand_ = 0;
  std::uint8_t speedCode_ = 0xAA;
  std::int64_t lastByteMs_ = 0;
  int attemptsLeft_ = 3;
  int imagesWritten_ = 0;
  bool clockSet_ = false;
  std::array<std::uint8_t, 5> clock_{};
  bool wantsExit_ = false;
  std::vector<std::string> events_;
  // The scripted sequence: the pager in the fixture, when it goes out and
  // when the next comes in (-1: not planned).
  std::vector<std::uint8_t> blankImage_;
  char firstStatus_ = 'N';
  std::size_t scripted_ = 0;
  bool present_ = true;
  std::int64_t removeAtMs_ = -1;
  std::int64_t insertAtMs_ = -1;
};

// Default firmware text of a model's generation.
std::string defaultFirmware(ModelCode model);

// Reads "0x98", "152" or a one-character model ("q"); false when it names no model.
bool parseModel(const std::string& text, ModelCode& model);

}  // namespace zelta::pagersim
