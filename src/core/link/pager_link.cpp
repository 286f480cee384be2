#include "link/pager_link.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

#include "codeplug/codeplug_version.h"
#include "codeplug/field_offsets.h"
#include "codeplug/password_substitution.h"

namespace zelta::link {

namespace rc = errors::code;
using errors::ResultCode;

namespace {

constexpr int kMaxWakeAttempts = 5;
constexpr std::int64_t kBeforeWakeMs = 100;
constexpr std::int64_t kWakeWindowMs = 500;
constexpr std::int64_t kAfterStatusReplyMs = 10;
constexpr std::int64_t kClockFinalMs = 50;

// The fixed pauses that differ between the two command sets.
struct Pauses {
  std::int64_t wakePoll;       // between two wake-up polls
  std::int64_t passwordReply;  // before reading the password reply
  std::int64_t acknowledge;    // before reading a mode or test acknowledgement
  std::int64_t programming;    // after the checksum of a written image
};

constexpr Pauses kPausesA{100, 10, 500, 8500};
constexpr Pauses kPausesB{200, 350, 100, 3500};

const Pauses& pausesOf(Variant variant) {
  return variant == Variant::A ? kPausesA : kPausesB;
}

bool isServiceTransaction(Transaction t) {
  return t == Transaction::Test || t == Transaction::QuickPage ||
         t == Transaction::ReceiverAlwaysOn || t == Transaction::KeepOnlyGoodMessages ||
         t == Transaction::Chirp;
}

struct ServiceFrame {
  Transaction transaction;
  std::uint8_t subcommand;
  ResultCode modeMessage;  // service result once acknowledged (0 for test)
};

constexpr ServiceFrame kServiceFrames[] = {
    {Transaction::Test, 0x09, 0},
    {Transaction::QuickPage, 0x0A, -60},
    {Transaction::ReceiverAlwaysOn, 0x0B, -62},
    {Transaction::KeepOnlyGoodMessages, 0x08, -61},
    {Transaction::Chirp, 0x0C, -67},
};

const ServiceFrame& serviceFrame(Transaction t) {
  for (const ServiceFrame& f : kServiceFrames) {
    if (f.transaction == t) return f;
  }
  throw std::logic_error("not a service transaction");
}

// Models the state machine accepts for every transaction.
bool served(models::ModelCode model) {
  return models::modelIn(model, models::ModelGroup::linkServed);
}

}  // namespace

// One run of the transaction state machine.
//
//  0 wake ─ 1 frame ─ 2 command ─┬─ test, mode switch ─────────────────────── done
//                                ├─ status request ─ 16 status reply ─┐
//                                ├─ information ─ 3 info ─ 4 serial ─ 6 status ─ [7 password]
//                                ├─ read ─ 14 reply ─ [15 extra] ─ 3 ...          │
//                                └─ write, clock ─ 6 status ─ [7 password] ─ 8 password reply
//  8 ─┬─ read/information ─ 9 read block ─ done
//     └─ write ─ 10 block / clock ─ 17 clock ─ 11 checksum ─ 12 reply ─ 13 final ─ done
class TransactionRun {
 public:
  TransactionRun(PagerLink& link, const PagerLink::Request& request, Variant variant)
      : link_(link),
        st_(link.state_),
        requested_(request.transaction),
        read_(request.read),
        clock_(request.clock),
        variant_(variant) {}

  ResultCode run();

 private:
  enum class State {
    Wake,
    BuildFrame,
    Command,
    Information,
    Serial,
    Status,
    Password,
    PasswordReply,
    ReadBlock,
    WriteBlock,
    Checksum,
    ChecksumReply,
    Final,
    ReadReply,
    ExtraStatus,
    StatusRequestReply,
    Clock,
    Done,
  };

  ResultCode step(State state);
  State next(State state) const;
  Transaction effective() const;
  bool blankRead() const { return read_.blankRead || st_.blankRead; }

  ResultCode wake();
  ResultCode frame();
  ResultCode command();
  ResultCode information();
  ResultCode serial();
  ResultCode status();
  ResultCode password();
  ResultCode passwordReply();
  ResultCode readBlock();
  ResultCode writeBlock();
  ResultCode clock();
  ResultCode finalReply();
  ResultCode statusRequestReply();
  ResultCode readOne(std::uint8_t& byte);
  void askPassword();

  PagerLink& link_;
  LinkState& st_;
  const Transaction requested_;
  const ReadImageRequest read_;
  const SetClockRequest clock_;
  const Variant variant_;
  Transaction effective_ = Transaction::StatusRequest;
  Frame frame_{};
  models::ModelCode wokenModel_ = models::kNoModel;
  int wakeAttempts_ = 0;
  // An image block has started to go out and the pager's final answer to
  // it has not come yet.
  bool writeUnderway_ = false;
  std::uint8_t sum_ = 0;
  char statusLetter_ = 0;
  bool dialogShown_ = false;
};

ResultCode TransactionRun::run() {
  if (isServiceTransaction(requested_)) {
    // The service commands never ask for the status.
    st_.firstStatus = 'N';
    st_.passwordAsked = true;
  }
  if (requested_ == Transaction::SetClock && clock_.passwordChanged) {
    st_.firstStatus = 0;
    st_.passwordAsked = false;
  }
  ResultCode result = rc::Ok;
  if (variant_ == Variant::B) {
    // Variant B opens the port once, at 4800 baud, and never reopens it.
    st_.speedCode = speed::k4800;
    result = link_.openForWakeUp();
  }
  bool checksumRetried = false;
  link_.garbled_ = false;
  State state = State::Wake;
  while (result == rc::Ok) {
    result = step(state);
    if (result == rc::Ok) {
      if (state == State::Final) writeUnderway_ = false;
      state = next(state);
      if (state == State::Done) break;
      continue;
    }
    if (result == rc::ReadBackFailed && !checksumRetried) {
      checksumRetried = true;
      state = State::Wake;
      result = rc::Ok;
    } else if (variant_ == Variant::A && result == rc::NotResponding &&
               wakeAttempts_ < kMaxWakeAttempts && !link_.garbled_) {
      state = State::Wake;
      result = rc::Ok;
    }
  }
  link_.finishingBlock_ = false;
  link_.comm_.Close();
  if (requested_ == Transaction::WriteImage) {
    st_.imageWriteInterrupted = writeUnderway_ && result != rc::BadChecksum;
  }
  // Whatever the pager answered after it, a garbled byte may have reached it.
  if (link_.garbled_) result = rc::TransmissionFault;
  return result;
}

ResultCode TransactionRun::step(State state) {
  switch (state) {
    case State::Wake: return wake();
    case State::BuildFrame: return frame();
    case State::Command: return command();
    case State::Information: return information();
    case State::Serial: return serial();
    case State::Status: return status();
    case State::Password: return password();
    case State::PasswordReply: return passwordReply();
    case State::ReadBlock: link_.enterPhase(LinkPhase::Reading); return readBlock();
    case State::WriteBlock:
      link_.finishingBlock_ = true;
      writeUnderway_ = true;
      link_.enterPhase(LinkPhase::Writing);
      return writeBlock();
    case State::Checksum: {
      const std::uint8_t sum[] = {sum_};
      std::uint8_t ignored = 0;
      return link_.writeBytes(sum, ignored);
    }
    case State::ChecksumReply: {
      std::uint8_t reply = 0;
      if (const ResultCode r = readOne(reply); r != rc::Ok) return r;
      return reply == wire::kNak ? rc::BadChecksum : rc::Ok;
    }
    case State::Final: return finalReply();
    case State::ReadReply: {
      std::array<std::uint8_t, wire::kReadReplyBytes> reply{};
      return link_.readBytes(reply);
    }
    case State::ExtraStatus: {
      std::uint8_t extra = 0;
      if (const ResultCode r = readOne(extra); r != rc::Ok) return r;
      st_.extraStatus = extra;
      st_.extraStatusLarge = extra >= 32;
      return rc::Ok;
    }
    case State::StatusRequestReply: return statusRequestReply();
    case State::Clock:
      link_.finishingBlock_ = true;
      link_.enterPhase(LinkPhase::SettingClock);
      return clock();
    case State::Done: break;
  }
  return rc::Ok;
}

TransactionRun::State TransactionRun::next(State state) const {
  const bool readOrClock =
      requested_ == Transaction::ReadImage || requested_ == Transaction::SetClock;
  switch (state) {
    case State::Wake: return State::BuildFrame;
    case State::BuildFrame: return State::Command;
    case State::Command:
      switch (effective_) {
        case Transaction::WriteImage:
        case Transaction::SetClock: return State::Status;
        case Transaction::StatusRequest: return State::StatusRequestReply;
        case Transaction::InformationRequest: return State::Information;
        case Transaction::ReadImage: return State::ReadReply;
        default: return State::Done;  // test and mode switches
      }
    case State::ReadReply: return blankRead() ? State::ExtraStatus : State::Information;
    case State::ExtraStatus: return State::Information;
    case State::Information:
      return requested_ == Transaction::StatusRequest ? State::Wake : State::Serial;
    case State::Serial: return State::Status;
    case State::Status: return statusLetter_ == 'Y' ? State::Password : State::PasswordReply;
    case State::Password: return dialogShown_ ? State::Wake : State::PasswordReply;
    case State::StatusRequestReply: return readOrClock ? State::Wake : State::PasswordReply;
    case State::PasswordReply:
      if (requested_ == Transaction::WriteImage) return State::WriteBlock;
      if (requested_ == Transaction::SetClock) return State::Clock;
      return State::ReadBlock;
    case State::ReadBlock: return State::Done;
    case State::WriteBlock:
    case State::Clock: return State::Checksum;
    case State::Checksum: return State::ChecksumReply;
    case State::ChecksumReply: return State::Final;
    case State::Final:
    case State::Done: return State::Done;
  }
  return State::Done;
}

// The status is asked once per operation before anything else. In variant B
// the firmware must be known first, so the information request stands in
// while it is not. The service commands need neither: a mode switch that
// silently ran an information request instead would report success without
// switching anything.
Transaction TransactionRun::effective() const {
  if (isServiceTransaction(requested_)) return requested_;
  if (variant_ == Variant::B && st_.extendedFirmware == 0xFF) {
    return Transaction::InformationRequest;
  }
  if (st_.firstStatus == 0) return Transaction::StatusRequest;
  return requested_;
}

ResultCode TransactionRun::readOne(std::uint8_t& byte) {
  std::uint8_t one[1] = {0};
  const ResultCode r = link_.readBytes(one);
  byte = one[0];
  return r;
}

void TransactionRun::askPassword() {
  if (link_.hooks_.askPassword) link_.hooks_.askPassword(st_.password);
  st_.passwordAsked = true;
}

ResultCode TransactionRun::wake() {
  ++wakeAttempts_;
  if (const ResultCode r = link_.wakeUp(variant_, wokenModel_); r != rc::Ok) return r;
  if (variant_ == Variant::A) {
    // Past the wake-up the line runs at the speed the wake-up byte asked for.
    if (st_.speedCode != speed::k4800) {
      link_.comm_.Close();
      if (!link_.comm_.Open(st_.speedSelection())) return rc::PortNotOpened;
    }
    // The fast pagers switch at their next wake-up, which sends the new code.
    if (models::modelIn(wokenModel_, models::ModelGroup::userPasswordGroup) &&
        st_.speedCode == speed::k4800) {
      st_.speedCode = link_.askedSpeedCode();
    }
  }
  return rc::Ok;
}

ResultCode TransactionRun::frame() {
  effective_ = effective();
  if (isServiceTransaction(requested_)) {
    const BlockGeometry g = blockGeometry(st_.modelCode, st_.extendedFirmware);
    frame_ = makeFrame(0x00, serviceFrame(requested_).subcommand, g.location, g.length);
    return rc::Ok;
  }

  // Another pager on the fixture than the one the run started with: its
  // image would be read or written with the first pager's layout. The run
  // ends here, before any frame goes out.
  if (st_.operationModel != models::kNoModel && wokenModel_ != st_.operationModel) {
    st_.modelCode = models::kNoModel;
    return rc::UnknownPagerType;
  }

  // Model check.
  st_.modelCode = wokenModel_;
  const bool writing = requested_ == Transaction::WriteImage;
  const auto info = models::findModel(wokenModel_);
  if (info && info->family == models::Family::OldFormat) {
    // The old format is read, not written; '!' with the extended firmware
    // takes the 1 KB image and may be written.
    const bool writable = models::takesFamilyAImage(wokenModel_, st_.extendedFirmware);
    if (writing && !writable) return rc::UnknownPagerType;
  } else if (!served(wokenModel_)) {
    st_.modelCode = models::kNoModel;
    return rc::UnknownPagerType;
  }

  const BlockGeometry g = blockGeometry(st_.modelCode, st_.extendedFirmware);
  switch (effective_) {
    case Transaction::StatusRequest: frame_ = makeFrame(0x01, 0x01, g.location, g.length); break;
    case Transaction::InformationRequest:
      frame_ = makeFrame(0x05, 0x01, g.location, g.length);
      break;
    case Transaction::ReadImage:
      frame_ = makeFrame(blankRead() ? 0x66 : 0x46, 0x01, g.location, g.length);
      break;
    case Transaction::WriteImage: {
      // The old layouts ' ' and '#' are written with sub-commands of their own.
      const std::uint8_t sub = st_.modelCode == models::kModelSpace  ? 0x07
                               : st_.modelCode == models::kModelHash ? 0x02
                                                                     : 0x0F;
      frame_ = makeFrame(0x18, sub, g.location, g.length);
      break;
    }
    case Transaction::SetClock: {
      st_.clockLocation = clockLocation(st_.firmware, st_.firmwareInfo.digit);
      const auto& at = st_.clockLocation;
      frame_ =
          makeFrame(0x00, 0x03, static_cast<std::uint16_t>(at[0] << 8 | at[1]), wire::kClockBytes);
      break;
    }
    default: break;
  }
  return rc::Ok;
}

ResultCode TransactionRun::command() {
  std::uint8_t ignored = 0;
  if (const ResultCode r = link_.writeBytes(frame_, ignored); r != rc::Ok) return r;
  if (!isServiceTransaction(effective_)) return rc::Ok;

  link_.comm_.DelayMs(pausesOf(variant_).acknowledge);
  std::uint8_t reply = 0;
  const bool got = link_.comm_.ReadByte(reply);
  const ServiceFrame& sf = serviceFrame(effective_);
  if (effective_ == Transaction::Test) {
    return got && reply == wire::kTestAccepted ? rc::Ok : rc::NoAcknowledge;
  }
  if (!got || reply != wire::kAck) return rc::NotResponding;
  st_.serviceResult = sf.modeMessage;
  return rc::Ok;
}

ResultCode TransactionRun::information() {
  std::array<std::uint8_t, kInformationRecordBytes> record{};
  if (const ResultCode r = link_.readBytes(record); r != rc::Ok) return r;
  st_.informationModel = st_.modelCode;
  st_.firmwareInfo = parseInformationRecord(record);
  evaluateFirmware(st_.firmwareInfo.text,
                   variant_ == Variant::A ? FlagSet::VariantA : FlagSet::VariantB, st_.firmware,
                   st_.extendedFirmware);
  return rc::Ok;
}

ResultCode TransactionRun::serial() {
  std::array<std::uint8_t, wire::kSerialRecordBytes> record{};
  if (const ResultCode r = link_.readBytes(record); r != rc::Ok) return r;
  st_.serialNumber.assign(record.begin(), record.begin() + wire::kSerialNumberBytes);
  st_.serialNumberCopy = st_.serialNumber;
  return rc::Ok;
}

ResultCode TransactionRun::status() {
  std::uint8_t letter = 0;
  if (const ResultCode r = readOne(letter); r != rc::Ok) return r;
  statusLetter_ = static_cast<char>(letter);
  switch (statusLetter_) {
    case 'B': return rc::BadPagerData;
    case 'D': st_.modelCode = models::kNoModel; return rc::DownloadDisabled;
    case 'N':
    case 'O':
    case 'Y': st_.unprogrammed = false; break;
    case 'U':
      if (requested_ == Transaction::ReadImage) {
        st_.unprogrammed = true;
        return rc::Unprogrammed;
      }
      break;
    default: break;  // other letters mean nothing to us
  }
  return rc::Ok;
}

ResultCode TransactionRun::password() {
  dialogShown_ = false;
  if (requested_ == Transaction::ReadImage && !st_.passwordAsked) {
    // Nothing is sent now: the transaction starts over with the password at hand.
    askPassword();
    dialogShown_ = true;
    return rc::Ok;
  }
  std::uint8_t ignored = 0;
  return link_.writeBytes(st_.password, ignored);
}

ResultCode TransactionRun::passwordReply() {
  link_.comm_.DelayMs(pausesOf(variant_).passwordReply);
  link_.setRemainingAttempts(8);
  std::uint8_t reply = 0;
  if (const ResultCode r = readOne(reply); r != rc::Ok) return r;
  if (reply == wire::kPasswordAccepted) return rc::Ok;
  if (st_.firstStatus == 'Y') {
    link_.setRemainingAttempts(reply & 7);
    return rc::WrongPassword;
  }
  return rc::NotResponding;
}

ResultCode TransactionRun::readBlock() {
  const BlockGeometry g = blockGeometry(st_.modelCode, st_.extendedFirmware);
  const ImageBuffers& b = link_.buffers_;
  const bool copy = read_.into == ReadInto::PagerCopy;
  std::span<std::uint8_t> target = copy ? b.pagerCopy : g.length == 768 ? b.oldFormat : b.image;
  if (target.size() < g.length) throw std::logic_error("image buffer too small for the block");
  target = target.first(g.length);
  if (const ResultCode r = link_.readBytes(target); r != rc::Ok) return r;

  if (copy) {
    // The whole copy region: the slots of a family lie beyond a 768-byte block.
    st_.pagerCopy = extractPagerCopyValues(b.pagerCopy, st_.modelCode);
  } else {
    std::uint8_t sum = 0;
    for (std::uint8_t byte : target) sum = static_cast<std::uint8_t>(sum + byte);
    if (sum != 0xFF) return rc::ReadBackFailed;
  }

  const codeplug::CodeplugVersion version = codeplug::readCodeplugVersion(
      codeplug::ConstImageView(target), codeplug::kCodeplugVersionOffset);
  if (codeplug::compareWithProgramVersion(version) > 0) {
    link_.reporter_.context().pagerVersionText = codeplug::versionNumberText(version);
    st_.modelCode = models::kNoModel;
    return rc::NewerPagerImage;
  }
  return rc::Ok;
}

ResultCode TransactionRun::writeBlock() {
  const BlockGeometry g = blockGeometry(st_.modelCode, st_.extendedFirmware);
  const std::span<std::uint8_t> image = link_.buffers_.image;
  if (image.size() < g.length) throw std::logic_error("image buffer too small for the block");
  sum_ = 0;
  return link_.writeBytes(image.first(g.length), sum_);
}

ResultCode TransactionRun::clock() {
  const std::tm now = link_.comm_.clock().localTime();
  const std::uint8_t bytes[wire::kClockBytes] = {
      static_cast<std::uint8_t>(now.tm_hour), static_cast<std::uint8_t>(now.tm_min),
      static_cast<std::uint8_t>(now.tm_mday), static_cast<std::uint8_t>(now.tm_mon + 1),
      static_cast<std::uint8_t>((now.tm_year + 1900) % 100)};
  sum_ = 0;
  return link_.writeBytes(bytes, sum_);
}

ResultCode TransactionRun::finalReply() {
  link_.comm_.DelayMs(requested_ == Transaction::SetClock ? kClockFinalMs
                                                          : pausesOf(variant_).programming);
  std::uint8_t reply = 0;
  return readOne(reply);
}

ResultCode TransactionRun::statusRequestReply() {
  std::uint8_t letter = 0;
  if (const ResultCode r = readOne(letter); r != rc::Ok) return r;
  // A zero byte would leave the status "not asked" and the transaction would
  // ask again for ever; it is no answer.
  if (letter == 0) return rc::NotResponding;
  st_.firstStatus = static_cast<char>(letter);
  if (st_.firstStatus == 'Y' && !st_.passwordAsked) askPassword();
  if (st_.firstStatus == 'U') st_.blankRead = true;
  link_.comm_.DelayMs(kAfterStatusReplyMs);
  return rc::Ok;
}

// ---------------------------------------------------------------------------

PagerLink::PagerLink(TDComm& comm, errors::Reporter& reporter) : comm_(comm), reporter_(reporter) {}

void PagerLink::setConfiguredBaud(std::uint32_t baud) {
  state_.requestedSpeedCode = requestedSpeedCodeForBaud(baud);
}

void PagerLink::setRemainingAttempts(int attempts) {
  state_.remainingAttempts = attempts;
  reporter_.context().remainingAttempts = attempts;
}

ResultCode PagerLink::runTransaction(Transaction transaction, Variant variant) {
  return run({transaction, {}, {}}, variant);
}

ResultCode PagerLink::readImage(const ReadImageRequest& request, Variant variant) {
  return run({Transaction::ReadImage, request, {}}, variant);
}

ResultCode PagerLink::setClock(const SetClockRequest& request, Variant variant) {
  return run({Transaction::SetClock, {}, request}, variant);
}

ResultCode PagerLink::run(const Request& request, Variant variant) {
  return TransactionRun(*this, request, variant).run();
}

bool PagerLink::runGuarded(const std::function<void()>& step) {
  std::string what;
  try {
    step();
    return true;
  } catch (const std::exception& e) {
    what = e.what();
  } catch (...) {
    what = "unknown exception";
  }
  finishingBlock_ = false;
  comm_.Close();
  state_.modelCode = models::kNoModel;
  reporter_.context().internalFault = what;
  return false;
}

ResultCode PagerLink::openForWakeUp() {
  state_.wakeUpFlag = true;
  comm_.Close();
  if (comm_.Open(state_.speedSelection())) return rc::Ok;
  state_.wakeUpFlag = false;
  return rc::PortNotOpened;
}

// The PC sends the speed code; the interface echoes it and the pager answers
// with its model code. Polls until 500 ms have passed since the byte went out.
ResultCode PagerLink::wakeUp(Variant variant, models::ModelCode& model) {
  if (stopNow()) return rc::Cancelled;
  enterPhase(LinkPhase::Waking);
  if (variant == Variant::A) {
    if (const ResultCode r = openForWakeUp(); r != rc::Ok) return r;
  }
  state_.wakeUpFlag = true;
  Clock& clock = comm_.clock();
  comm_.Purge();
  comm_.DelayMs(kBeforeWakeMs);
  // Bytes the pager was still sending when the last exchange stopped
  // listening (the rest of the record after the probe's information) arrive
  // during the pause; left in the queue they would be taken for the answer.
  comm_.Purge();
  const std::uint8_t sent = state_.speedCode;
  ResultCode result = rc::NotResponding;
  if (comm_.WriteByte(sent)) {
    const std::int64_t sentAt = clock.nowMs();
    const std::int64_t interval = pausesOf(variant).wakePoll;
    while (clock.nowMs() - sentAt < kWakeWindowMs) {
      const std::int64_t pollAt = clock.nowMs();
      std::uint8_t echo = 0;
      std::uint8_t answer = 0;
      comm_.ProcessMessages();
      comm_.ReadEcho(echo);
      if (comm_.ReadByte(answer) && answer != sent) {
        if (wakeAnswerAccepted(variant, answer)) {
          model = answer;
          result = rc::Ok;
        }
        break;  // any other answer is not a pager we know
      }
      const std::int64_t wait = pollAt + interval - clock.nowMs();
      if (wait > 0) comm_.DelayMs(wait);
    }
  }
  state_.wakeUpFlag = false;
  if (result == rc::Ok) state_.wokenSpeedCode = sent;
  return result;
}

ResultCode PagerLink::readBytes(std::span<std::uint8_t> bytes) {
  const std::size_t n = bytes.size();
  for (std::size_t i = 0; i < n; ++i) {
    comm_.ProcessMessages();
    if (stopNow()) return rc::Cancelled;
    if (!comm_.ReadByte(bytes[i])) return rc::NotResponding;
    if (hooks_.progress) hooks_.progress(static_cast<int>((i + 1) * 100 / n));
  }
  return rc::Ok;
}

ResultCode PagerLink::writeBytes(std::span<const std::uint8_t> bytes, std::uint8_t& sum) {
  const std::size_t n = bytes.size();
  for (std::size_t i = 0; i < n; ++i) {
    comm_.ProcessMessages();
    if (stopNow()) return rc::Cancelled;
    if (!comm_.WriteByte(bytes[i])) return rc::NotResponding;
    sum = static_cast<std::uint8_t>(sum + bytes[i]);
    std::uint8_t echo = 0;
    if (!comm_.ReadEcho(echo)) return rc::NotResponding;
    if (echo != bytes[i] && !lineGarbled(i, n, bytes[i], echo)) return rc::TransmissionFault;
    if (hooks_.progress) hooks_.progress(static_cast<int>((i + 1) * 100 / n));
  }
  return rc::Ok;
}

// The interface echoes what reached it: another byte means the pager got
// one the PC did not send. Inside an image or clock block the block is still
// sent to its end with its sum, and the pager's answer awaited: a pager left
// with half a block is worse off than one that checks a whole block against
// its sum (and refuses it), and the transaction fails all the same. A
// garbled frame or password is never completed, so that the pager acts on
// nothing more. Returns whether the write carries on.
bool PagerLink::lineGarbled(std::size_t index, std::size_t count, std::uint8_t sent,
                            std::uint8_t echoed) {
  if (!garbled_) {
    char where[128];
    std::snprintf(where, sizeof where,
                  "Byte %zu of %zu went out as 0x%02X and was echoed as 0x%02X: ", index + 1, count,
                  static_cast<unsigned>(sent), static_cast<unsigned>(echoed));
    reporter_.context().lineFault =
        std::string(where) + "the line to the pager is unreliable.\n" +
        (finishingBlock_ ? "The block was sent to its end; program the pager again before use.\n"
                         : "Nothing more was sent.\n");
  }
  garbled_ = true;
  return finishingBlock_;
}

ResultCode PagerLink::informationProbe(ProbeKind kind) {
  return probe(kind, nullptr, kProbeWakeAttempts);
}

ResultCode PagerLink::identify(Identification& result, int wakeAttempts) {
  return probe(ProbeKind::BeforeProgram, &result, std::clamp(wakeAttempts, 1, kMaxWakeAttempts));
}

// Wake-up (variant B, up to five attempts), model, then the information
// request frame, whose answer starts with the information record.
ResultCode PagerLink::probe(ProbeKind kind, Identification* identification, int wakeAttempts) {
  state_.speedCode = speed::k4800;
  garbled_ = false;
  ResultCode result = openForWakeUp();
  models::ModelCode model = models::kNoModel;
  for (int attempt = 0; result == rc::Ok && attempt < wakeAttempts; ++attempt) {
    result = wakeUp(Variant::B, model);
    if (result != rc::NotResponding) break;
    if (attempt + 1 < wakeAttempts) result = rc::Ok;  // try again
  }
  if (result == rc::Ok && !probeAccepts(model)) {
    state_.modelCode = models::kNoModel;
    result = rc::UnknownPagerType;
  }
  if (result == rc::Ok && state_.operationModel != models::kNoModel &&
      model != state_.operationModel) {
    state_.modelCode = models::kNoModel;
    result = rc::UnknownPagerType;
  }
  if (result == rc::Ok) {
    state_.modelCode = model;
    const bool large = models::modelIn(model, models::ModelGroup::newProtocolModels);
    const Frame frame = makeFrame(0x05, 0x01, 0x0400, large ? 0x0800 : 0x0400);
    std::uint8_t ignored = 0;
    result = writeBytes(frame, ignored);
  }
  if (result == rc::Ok) {
    std::array<std::uint8_t, kInformationRecordBytes> record{};
    result = readBytes(record);
    if (result == rc::Ok) {
      state_.informationModel = model;
      state_.firmwareInfo = parseInformationRecord(record);
      // Every flag set includes the extended flag, so the firmware is known
      // after this and the probe ends here.
      evaluateFirmware(state_.firmwareInfo.text,
                       kind == ProbeKind::BeforeRead ? FlagSet::ProbeBeforeRead : FlagSet::All,
                       state_.firmware, state_.extendedFirmware);
    }
  }
  if (result == rc::Ok && identification != nullptr) {
    std::array<std::uint8_t, wire::kSerialRecordBytes> serialRecord{};
    std::uint8_t letter[1] = {0};
    result = readBytes(serialRecord);
    if (result == rc::Ok) result = readBytes(letter);
    if (result == rc::Ok) {
      identification->model = model;
      identification->firmware = state_.firmwareInfo;
      identification->serialNumber.assign(serialRecord.begin(),
                                          serialRecord.begin() + wire::kSerialNumberBytes);
      identification->status = static_cast<char>(letter[0]);
    }
  }
  comm_.Close();
  return result;
}

PagerCopyValues extractPagerCopyValues(std::span<const std::uint8_t> copy,
                                       models::ModelCode model) {
  using models::Family;
  const auto info = models::findModel(model);
  const Family family = info ? info->slotFamily : Family::A;
  const codeplug::FieldOffsetTable& slots = codeplug::offsetTableFor(family);
  const codeplug::ConstImageView image(copy);
  PagerCopyValues v;
  v.serialNumber = image.text(slots.serialNumber, wire::kSerialNumberBytes);
  v.pllType = static_cast<int>(image.bits(slots.oscillator, 5, 4));
  v.narrowBand = image.bit(slots.band, 7) ? 1 : 0;
  v.bandFlag = image.bit(slots.band, 2) ? 1 : 0;
  if (slots.hardwareOptions != codeplug::kNoSlot) {
    v.hardwareVariant = static_cast<int>(image.bits(slots.hardwareOptions, 7, 6));
  }
  if (slots.dualFreqSupport != codeplug::kNoSlot) {
    v.dualFrequency = image.bit(slots.dualFreqSupport, 0) ? 1 : 0;
  }
  return v;
}

ImageBuffers imageBuffersOf(codeplug::CodeplugImage& image) {
  return {image.current().span(), image.pagerCopy().span(), image.oldFormat().span()};
}

PasswordField makePasswordField(std::string_view typed) {
  std::string padded(typed.substr(0, wire::kPasswordBytes));
  padded.resize(wire::kPasswordBytes, ' ');
  const std::string scrambled = codeplug::scramble(padded);
  PasswordField field{};
  std::copy_n(scrambled.begin(), field.size(), field.begin());
  return field;
}

std::uint8_t requestedSpeedCodeForBaud(std::uint32_t baud) {
  switch (baud) {
    case 4800: return speed::k4800;
    case 9600: return speed::k9600;
    case 19200: return speed::k19200;
    case 38400: return speed::k38400;
    default: return speed::k57600;
  }
}

}  // namespace zelta::link
