#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "codeplug/codeplug_image.h"
#include "errors/reporter.h"
#include "link/comm.h"
#include "link/link_phase.h"
#include "link/link_state.h"
#include "link/wire.h"

namespace zelta::link {

// What a transaction is asked to do. The pager is woken, a frame is sent and
// the exchange of that transaction follows.
enum class Transaction {
  StatusRequest,
  InformationRequest,
  ReadImage,
  WriteImage,
  SetClock,
  Test,
  QuickPage,
  ReceiverAlwaysOn,
  KeepOnlyGoodMessages,
  Chirp,
};

// Where image blocks are read to and written from (the codeplug image's
// regions, imageBuffersOf). A 768-byte block goes to the old-format window, 1024 and 2048
// bytes to the start of the image; copy mode reads into the pager copy.
struct ImageBuffers {
  std::span<std::uint8_t> image;      // the current image; written blocks come from here
  std::span<std::uint8_t> pagerCopy;  // the pager's own image, read before programming
  std::span<std::uint8_t> oldFormat;  // 768-byte images of the old format
};

// The front end's part in a transaction.
struct LinkHooks {
  // Progress of the current record or block, 0-100.
  std::function<void(int percent)> progress;
  // Shows the password dialog modally; it fills the scrambled field (and
  // makes its own pause after submit).
  std::function<void(PasswordField& field)> askPassword;
  // The front end wants the operation stopped (a signal on the command
  // line). Asked between bytes; an image or clock block being written is
  // finished first, with its checksum and the pager's answer, so that the
  // pager is never left half-written. The stopped transaction returns -17.
  std::function<bool()> stopRequested;
  // The link moved on to another phase; the percent that follows is the
  // phase's.
  std::function<void(LinkPhase phase)> phase;
};

// What identify learns about the pager on the fixture.
struct Identification {
  models::ModelCode model = models::kNoModel;
  FirmwareInfo firmware;
  std::string serialNumber;
  char status = 0;
};

enum class ProbeKind { BeforeRead, BeforeProgram };

// Where a read image block goes: the current image (a read), or the pager
// copy (the pager's own image, read before programming).
enum class ReadInto { Image, PagerCopy };

// A ReadImage transaction and its options.
struct ReadImageRequest {
  ReadInto into = ReadInto::Image;
  // Read with the lower-case command, which an unprogrammed pager answers
  // with an extra status byte. Also taken when the status request of the
  // operation was answered "U".
  bool blankRead = false;
};

// A SetClock transaction and its options.
struct SetClockRequest {
  // A new password has just gone into the pager: the status and the
  // password are asked for again before the clock is sent.
  bool passwordChanged = false;
};

class OperationScope;
struct LinkStateSeam;

// The protocol with the pager programming interface. Every transaction opens
// the port, runs its state machine and closes the port again; the result is
// 0 or a negative result code.
class PagerLink {
 public:
  PagerLink(TDComm& comm, errors::Reporter& reporter);
  PagerLink(const PagerLink&) = delete;
  PagerLink& operator=(const PagerLink&) = delete;

  // What the link has learnt; only the link and its operation scope change it.
  const LinkState& state() const { return state_; }
  TDComm& comm() { return comm_; }
  errors::Reporter& reporter() { return reporter_; }
  void setHooks(LinkHooks hooks) { hooks_ = std::move(hooks); }
  void setImageBuffers(const ImageBuffers& buffers) { buffers_ = buffers; }

  // The speed code the link asks for, from the configured baud rate.
  void setConfiguredBaud(std::uint32_t baud);

  // One transaction with the variant the caller chose from the current
  // model; ReadImage and SetClock run with their requests' defaults.
  errors::ResultCode runTransaction(Transaction transaction, Variant variant);
  errors::ResultCode readImage(const ReadImageRequest& request, Variant variant);
  errors::ResultCode setClock(const SetClockRequest& request, Variant variant);

  // Runs a step of an operation on this link. An exception escaping it (a
  // programming fault) closes the port, forgets the pager's model and keeps
  // its text for the report (context().internalFault) instead of leaving
  // the core: false then, true when the step ran to its end.
  bool runGuarded(const std::function<void()>& step);

  // The short identification before a read or programming run: wake-up,
  // model, information record. Its own transaction.
  errors::ResultCode informationProbe(ProbeKind kind);

  // The probe, then the serial record and status letter the pager sends
  // after it; nothing is answered, so no password attempt is spent. A
  // fixture that only looks whether a pager is in it wakes it once instead
  // of five times, so that an empty fixture is known within one wake window.
  static constexpr int kProbeWakeAttempts = 5;
  errors::ResultCode identify(Identification& result, int wakeAttempts = kProbeWakeAttempts);

  // Byte helpers: each byte lets the front end process its messages and
  // moves the progress gauge. Writing reads back each byte's echo, compares
  // it with the byte sent and adds the byte to sum; a wrong echo ends the
  // write with TransmissionFault, except inside an image or clock block
  // (see lineGarbled).
  errors::ResultCode readBytes(std::span<std::uint8_t> bytes);
  errors::ResultCode writeBytes(std::span<const std::uint8_t> bytes, std::uint8_t& sum);

 private:
  friend class TransactionRun;
  friend class OperationScope;
  friend struct LinkStateSeam;

  // The transaction with everything a request may say.
  struct Request {
    Transaction transaction;
    ReadImageRequest read;
    SetClockRequest clock;
  };
  errors::ResultCode run(const Request& request, Variant variant);

  bool stopNow() const {
    return !finishingBlock_ && hooks_.stopRequested && hooks_.stopRequested();
  }
  void enterPhase(LinkPhase phase) {
    if (hooks_.phase) hooks_.phase(phase);
  }
  errors::ResultCode wakeUp(Variant variant, models::ModelCode& model);
  errors::ResultCode probe(ProbeKind kind, Identification* identification, int wakeAttempts);
  errors::ResultCode openForWakeUp();
  bool lineGarbled(std::size_t index, std::size_t count, std::uint8_t sent, std::uint8_t echoed);
  void setRemainingAttempts(int attempts);
  // The speed code the fast pagers are switched to: the configured one, or
  // the slower one a retry of the operation chose.
  std::uint8_t askedSpeedCode() const {
    return loweredSpeedCode_ != 0 ? loweredSpeedCode_ : state_.requestedSpeedCode;
  }

  TDComm& comm_;
  errors::Reporter& reporter_;
  LinkHooks hooks_;
  ImageBuffers buffers_;
  LinkState state_;
  // A block is being written: a stop waits until it is complete.
  bool finishingBlock_ = false;
  // An echo differed from its byte in the running transaction or probe: it
  // fails with TransmissionFault whatever the pager answers.
  bool garbled_ = false;
  // The retry's slower speed for the rest of the operation (0: none).
  std::uint8_t loweredSpeedCode_ = 0;
};

// Copies the values programming needs out of the pager's own image,
// through the offset slots of the model's family.
PagerCopyValues extractPagerCopyValues(std::span<const std::uint8_t> copy, models::ModelCode model);

// The regions of the process-wide codeplug image.
ImageBuffers imageBuffersOf(codeplug::CodeplugImage& image);

}  // namespace zelta::link
