#include "pager_simulator.h"

#include <cstdio>
#include <cstdlib>

#include "codeplug/password_substitution.h"
#include "link/comm.h"
#include "link/wire.h"

namespace zelta::pagersim {
namespace {

namespace wire = link::wire;

constexpr std::uint8_t kJunk = 0x3F;  // answers a wake-up under the garbage fault
constexpr std::size_t kPasswordOffset = 0x53;
constexpr std::size_t kSerialOffset = 0x5D;

std::string hex(std::uint8_t byte) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", byte);
  return text;
}

struct TestName {
  std::uint8_t command;
  const char* name;
};

constexpr TestName kTestNames[] = {
    {0x00, "exit test mode"},    {0x03, "annunciator test"}, {0x04, "RAM test pattern"},
    {0x06, "key test"},          {0x07, "vibrator off"},     {0x08, "vibrator on"},
    {0x09, "alert off"},         {0x0A, "alert on"},         {0x0B, "backlight off"},
    {0x0C, "backlight on"},      {0x12, "RAM test enabled"}, {0x14, "standby current test"},
    {0x68, "annunciators exit"},
};

const char* testName(std::uint8_t command) {
  for (const TestName& t : kTestNames) {
    if (t.command == command) return t.name;
  }
  return nullptr;
}

struct ModeName {
  std::uint8_t subcommand;
  const char* name;
};

constexpr ModeName kModes[] = {
    {0x0A, "quick page mode"},
    {0x0B, "receiver always-on mode"},
    {0x08, "keep only good messages mode"},
    {0x0C, "chirp mode"},
};

// What the simulated pager of each family says about itself: the layout
// generation character of its image and its firmware text.
struct FamilyTraits {
  models::Family family;
  char generation;
  const char* firmware;
};

constexpr FamilyTraits kFamilyTraits[] = {
    {models::Family::OldFormat, '0', " R0101"}, {models::Family::A, '0', " R0104"},
    {models::Family::B, '2', " R0602"},         {models::Family::C, '3', " R0702"},
    {models::Family::D, '5', " R0801"},         {models::Family::E, '5', " R0802"},
    {models::Family::F, '7', " R0803"},
};

const FamilyTraits& traitsOf(models::ModelCode model) {
  const auto info = models::findModel(model);
  for (const FamilyTraits& t : kFamilyTraits) {
    if (info && t.family == info->family) return t;
  }
  return kFamilyTraits[0];
}

char generationOf(models::ModelCode model) {
  return traitsOf(model).generation;
}

// A plausible programmed image: the fixed header, spaces for passwords and
// numbers, version 8.3.4.
std::vector<std::uint8_t> madeUpImage(models::ModelCode model, std::size_t size) {
  std::vector<std::uint8_t> image(size, 0x00);
  const std::uint8_t header[] = {0x00, model, ')', '&',
                                 ')',  'Y',   'C', static_cast<std::uint8_t>(generationOf(model))};
  std::copy(std::begin(header), std::end(header), image.begin());
  for (std::size_t i = 0x08; i < 0x12; ++i) image[i] = ' ';
  for (std::size_t i = kPasswordOffset; i < 0x71; ++i) image[i] = ' ';
  image[0x96] = 0x18;
  image[0x97] = 0x34;
  return image;
}

}  // namespace

std::string defaultFirmware(models::ModelCode model) {
  return traitsOf(model).firmware;
}

bool parseModel(const std::string& text, models::ModelCode& model) {
  long value = -1;
  if (text.size() == 1) {
    value = static_cast<unsigned char>(text[0]);
  } else if (!text.empty()) {
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 0);
    if (*end != '\0') return false;
  }
  if (value < 0 || value > 0xFF || !models::findModel(static_cast<models::ModelCode>(value))) {
    return false;
  }
  model = static_cast<models::ModelCode>(value);
  return true;
}

PagerSimulator::PagerSimulator(SimulatorOptions options) : options_(std::move(options)) {
  if (options_.firmware.empty()) options_.firmware = defaultFirmware(options_.model);
  options_.firmware.resize(6, ' ');
  const std::uint8_t extended = options_.firmware.find("R0103") != std::string::npos ? 1 : 0;
  const std::size_t size = link::blockGeometry(options_.model, extended).length;
  if (options_.image.empty()) {
    image_ = madeUpImage(options_.model, size);
  } else {
    image_ = options_.image;
    image_.resize(size, 0xFF);
  }
  if (!options_.serial.empty()) {
    options_.serial.resize(wire::kSerialNumberBytes, ' ');
    std::copy(options_.serial.begin(), options_.serial.end(), image_.begin() + kSerialOffset);
  } else {
    options_.serial.assign(image_.begin() + kSerialOffset,
                           image_.begin() + kSerialOffset + wire::kSerialNumberBytes);
  }
  if (!options_.password.empty()) {
    codeplug::writePassword(codeplug::ImageView(std::span(image_)), kPasswordOffset,
                            options_.password);
    options_.status = 'Y';
  }
  attemptsLeft_ = options_.attempts;
  blankImage_ = image_;
  firstStatus_ = options_.status;
  if (!options_.script.empty()) insertPager(0);
}

// The next pager of the script: the same codeplug as the first, its own
// serial number, not yet written.
void PagerSimulator::insertPager(std::size_t index) {
  scripted_ = index;
  image_ = blankImage_;
  options_.serial = options_.script[index];
  options_.serial.resize(wire::kSerialNumberBytes, ' ');
  std::copy(options_.serial.begin(), options_.serial.end(), image_.begin() + kSerialOffset);
  options_.status = firstStatus_;
  attemptsLeft_ = options_.attempts;
  present_ = true;
  removeAtMs_ = -1;
  insertAtMs_ = -1;
  toIdle();
  event("pager " + options_.script[index] + " inserted");
}

void PagerSimulator::takeOutLater() {
  if (!options_.script.empty()) removeAtMs_ = lastByteMs_ + options_.removeAfterMs;
}

void PagerSimulator::advanceScript(std::int64_t nowMs) {
  if (options_.script.empty()) return;
  if (present_ && removeAtMs_ >= 0 && nowMs >= removeAtMs_ && state_ == State::Idle) {
    present_ = false;
    removeAtMs_ = -1;
    event("pager " + options_.script[scripted_] + " taken out");
    if (scripted_ + 1 < options_.script.size()) insertAtMs_ = nowMs + options_.insertGapMs;
  }
  if (!present_ && insertAtMs_ >= 0 && nowMs >= insertAtMs_) insertPager(scripted_ + 1);
}

std::uint32_t PagerSimulator::lineBaud() const {
  return link::baudForSpeedCode(speedCode_);
}

std::vector<std::string> PagerSimulator::takeEvents() {
  std::vector<std::string> events;
  events.swap(events_);
  return events;
}

void PagerSimulator::event(std::string text) {
  events_.push_back(std::move(text));
}

void PagerSimulator::toIdle() {
  state_ = State::Idle;
  record_.clear();
  speedCode_ = 0xAA;
}

bool PagerSimulator::isWakeCode(std::uint8_t byte) const {
  if (byte == link::speed::k4800) return true;
  // Only the fast models take the other speeds.
  return models::modelIn(options_.model, models::ModelGroup::userPasswordGroup) &&
         (byte == link::speed::k9600 || byte == link::speed::k19200 ||
          byte == link::speed::k38400 || byte == link::speed::k57600);
}

// A PC that gave up on an exchange starts over with a wake-up; no frame or
// password starts with a speed code, so one there is taken as a new start.
bool PagerSimulator::startsNewWakeUp(std::uint8_t byte) const {
  return record_.empty() && isWakeCode(byte);
}

std::vector<std::uint8_t> PagerSimulator::receive(std::uint8_t byte, std::int64_t nowMs) {
  std::vector<std::uint8_t> out;
  lastByteMs_ = nowMs;
  if (options_.faults.silent || !present_) return out;
  if (!options_.faults.noEcho) out.push_back(byte);

  switch (state_) {
    case State::Idle: onIdle(byte, out); break;
    case State::Frame:
    case State::Password:
      if (startsNewWakeUp(byte)) {
        event("restarted by a wake-up");
        toIdle();
        onIdle(byte, out);
        break;
      }
      record_.push_back(byte);
      if (state_ == State::Frame && record_.size() == wire::kFrameBytes) onFrame(out);
      if (state_ == State::Password && record_.size() == wire::kPasswordBytes) onPassword(out);
      break;
    case State::Block:
      record_.push_back(byte);
      if ((options_.faults.exitMidBlock || options_.faults.exitMidWrite) &&
          record_.size() == blockLength_ / 2) {
        event("exits half-way through the block");
        wantsExit_ = true;
      }
      if (record_.size() == blockLength_ + 1) onBlock(out);
      break;
    case State::Clock:
      record_.push_back(byte);
      if (record_.size() == wire::kClockBytes + 1) onClock(out);
      break;
    case State::TestOpen:
      if (isWakeCode(byte)) {
        event("left test mode for a wake-up");
        toIdle();
        onIdle(byte, out);
        break;
      }
      onTestOpen(byte, out);
      break;
    case State::TestClose: onTestClose(byte); break;
  }
  return out;
}

void PagerSimulator::tick(std::int64_t nowMs) {
  const bool waiting = state_ == State::Frame || state_ == State::Password ||
                       state_ == State::Block || state_ == State::Clock;
  if (waiting && nowMs - lastByteMs_ > kGiveUpMs) {
    event("gave up waiting for the PC");
    toIdle();
  }
  advanceScript(nowMs);
}

void PagerSimulator::portClosed() {
  // Only an image or clock block: after a wake-up the PC may reopen the
  // port at another speed before it sends the frame.
  if (state_ == State::Block || state_ == State::Clock) {
    event("record dropped: the port was closed");
    toIdle();
  }
}

void PagerSimulator::onIdle(std::uint8_t byte, std::vector<std::uint8_t>& out) {
  if (!isWakeCode(byte)) return;
  speedCode_ = byte;
  if (options_.faults.garbage.fire()) {
    event("wake " + hex(byte) + " answered with junk");
    out.push_back(kJunk);
    speedCode_ = 0xAA;
    return;
  }
  event("wake " + hex(byte));
  out.push_back(options_.model);
  state_ = State::Frame;
  record_.clear();
  if (options_.faults.swapModel != 0) {
    // The next wake-up finds the other pager; it keeps this one's image.
    event("pager swapped for " + hex(options_.faults.swapModel));
    options_.model = options_.faults.swapModel;
    options_.faults.swapModel = 0;
  }
}

void PagerSimulator::appendInformation(std::vector<std::uint8_t>& out) const {
  const char filler[] = "ZELTASIM";
  out.push_back(options_.model);
  out.insert(out.end(), filler, filler + 8);
  out.insert(out.end(), options_.firmware.begin(), options_.firmware.end());
}

void PagerSimulator::appendSerial(std::vector<std::uint8_t>& out) const {
  out.insert(out.end(), options_.serial.begin(), options_.serial.end());
  out.insert(out.end(), wire::kSerialRecordBytes - wire::kSerialNumberBytes, ' ');
}

void PagerSimulator::onFrame(std::vector<std::uint8_t>& out) {
  const std::uint8_t command = record_[0];
  const std::uint8_t sub = record_[1];
  blockLength_ = static_cast<std::size_t>(record_[6] << 8 | record_[7]);
  record_.clear();

  if (command == 0x01 && sub == 0x01) {
    event(std::string("status request: ") + options_.status);
    out.push_back(static_cast<std::uint8_t>(options_.status));
    if (options_.status != 'Y' && options_.status != 'B' && options_.status != 'D') {
      out.push_back(wire::kPasswordAccepted);
    }
    toIdle();
    return;
  }
  if (command == 0x05 && sub == 0x01) {
    event("information request");
    appendInformation(out);
    appendSerial(out);
    statusAndPassword(After::SendBlock, out);
    return;
  }
  if ((command == 0x46 || command == 0x66) && sub == 0x01) {
    event(command == 0x66 ? "blank read" : "read");
    out.push_back(wire::kAck);
    out.push_back(options_.model);
    if (command == 0x66) {
      const bool large = image_.size() > 0x7B && (image_[0x7B] & 0x80) != 0;
      out.push_back(large ? 32 : 8);
    }
    appendInformation(out);
    appendSerial(out);
    if (options_.status == 'U') {
      // Nothing to send from an unprogrammed pager.
      out.push_back('U');
      toIdle();
      return;
    }
    statusAndPassword(After::SendBlock, out);
    return;
  }
  if (command == 0x18) {
    event("write");
    statusAndPassword(After::ReceiveBlock, out);
    return;
  }
  if (command == 0x00 && sub == 0x03) {
    event("set clock");
    statusAndPassword(After::ReceiveClock, out);
    return;
  }
  if (command == 0x00 && sub == 0x09) {
    event("test mode");
    out.push_back(wire::kTestAccepted);
    state_ = State::TestOpen;
    return;
  }
  if (command == 0x00) {
    for (const ModeName& m : kModes) {
      if (m.subcommand == sub) {
        event(m.name);
        out.push_back(wire::kAck);
        toIdle();
        return;
      }
    }
  }
  event("unknown frame " + hex(command) + " " + hex(sub));
  toIdle();
}

void PagerSimulator::statusAndPassword(After after, std::vector<std::uint8_t>& out) {
  out.push_back(static_cast<std::uint8_t>(options_.status));
  switch (options_.status) {
    case 'B':
    case 'D': toIdle(); return;
    case 'Y':
      afterPassword_ = after;
      state_ = State::Password;
      record_.clear();
      return;
    default: out.push_back(wire::kPasswordAccepted); proceed(after, out);
  }
}

void PagerSimulator::proceed(After after, std::vector<std::uint8_t>& out) {
  record_.clear();
  switch (after) {
    case After::SendBlock:
      sendBlock(out);
      toIdle();
      break;
    case After::ReceiveBlock: state_ = State::Block; break;
    case After::ReceiveClock: state_ = State::Clock; break;
    case After::Nothing: toIdle(); break;
  }
}

void PagerSimulator::onPassword(std::vector<std::uint8_t>& out) {
  const bool match = std::equal(record_.begin(), record_.end(), image_.begin() + kPasswordOffset);
  if (match && attemptsLeft_ > 0) {
    event("password accepted");
    attemptsLeft_ = options_.attempts;
    out.push_back(wire::kPasswordAccepted);
    proceed(afterPassword_, out);
    return;
  }
  if (attemptsLeft_ > 0) --attemptsLeft_;
  event("password refused, " + std::to_string(attemptsLeft_) + " attempts left");
  out.push_back(static_cast<std::uint8_t>(attemptsLeft_ & 7));
  toIdle();
}

void PagerSimulator::sendBlock(std::vector<std::uint8_t>& out) {
  std::vector<std::uint8_t> block(blockLength_, 0xFF);
  std::copy_n(image_.begin(), std::min(blockLength_, image_.size()), block.begin());
  if (block.empty()) return;
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i + 1 < block.size(); ++i)
    sum = static_cast<std::uint8_t>(sum + block[i]);
  block.back() = static_cast<std::uint8_t>(0xFF - sum);
  if (options_.faults.badChecksum.fire()) {
    block.back() ^= 0x5A;
    event("block sent with a bad checksum");
  } else {
    event("block of " + std::to_string(block.size()) + " bytes sent");
  }
  if (options_.faults.exitMidBlock) {
    block.resize(block.size() / 2);
    event("exits half-way through the block");
    wantsExit_ = true;
  }
  out.insert(out.end(), block.begin(), block.end());
}

void PagerSimulator::onBlock(std::vector<std::uint8_t>& out) {
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i < blockLength_; ++i) sum = static_cast<std::uint8_t>(sum + record_[i]);
  // A refused write ends the pager's turn; a written one once its clock is
  // set (at once for a model without a clock).
  const bool refused = sum != record_.back() || options_.faults.nak.on();
  if (refused || !models::hasClock(options_.model)) takeOutLater();
  if (sum != record_.back()) {
    event("written block has a bad checksum: NAK");
    out.push_back(wire::kNak);
  } else if (options_.faults.nak.fire()) {
    event("written block answered with NAK");
    out.push_back(wire::kNak);
  } else {
    image_.assign(record_.begin(), record_.begin() + static_cast<std::ptrdiff_t>(blockLength_));
    ++imagesWritten_;
    if (options_.status == 'U') options_.status = 'N';
    event("write accepted");
    out.push_back(wire::kAck);  // checksum reply
    out.push_back(wire::kAck);  // final reply, once programmed
  }
  toIdle();
}

void PagerSimulator::onClock(std::vector<std::uint8_t>& out) {
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i < wire::kClockBytes; ++i)
    sum = static_cast<std::uint8_t>(sum + record_[i]);
  if (sum != record_.back()) {
    event("clock has a bad checksum: NAK");
    out.push_back(wire::kNak);
  } else {
    std::copy_n(record_.begin(), wire::kClockBytes, clock_.begin());
    clockSet_ = true;
    takeOutLater();
    char text[64];
    std::snprintf(text, sizeof text, "clock set to %02d:%02d %02d.%02d.%02d", clock_[0], clock_[1],
                  clock_[2], clock_[3], clock_[4]);
    event(text);
    out.push_back(wire::kAck);
    out.push_back(wire::kAck);
  }
  toIdle();
}

// In test mode a command byte is answered with "." (and a second byte for
// the RAM pattern and key tests); the PC then sends a closing byte.
void PagerSimulator::onTestOpen(std::uint8_t byte, std::vector<std::uint8_t>& out) {
  if (testName(byte) == nullptr) {
    event("unknown test command " + hex(byte));
    return;
  }
  testCommand_ = byte;
  out.push_back(wire::kTestAccepted);
  if (byte == 0x04) out.push_back(options_.ramPattern);
  if (byte == 0x06) out.push_back(options_.keyCode);
  state_ = State::TestClose;
}

void PagerSimulator::onTestClose(std::uint8_t byte) {
  std::string text = testName(testCommand_);
  if (testCommand_ == 0x03 && byte == 0xFF) text = "annunciators ALL ON";
  if (testCommand_ == 0x03 && byte >= 0x60 && byte <= 0x67) text = "annunciator " + hex(byte);
  event(text);
  if (testCommand_ == 0x00 || testCommand_ == 0x14) {
    toIdle();
  } else {
    state_ = State::TestOpen;
  }
}

}  // namespace zelta::pagersim
