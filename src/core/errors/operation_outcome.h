#pragma once

#include <cstdint>

#include "errors/result_code.h"

namespace zelta::errors {

// What a pager operation (a read, a programming run, a service command) or
// a file command of the window (open, save, set to defaults) came to, in
// one value instead of a number with conventions.
//
//   Done        read: the image was read and decoded; programming: the
//               image is in the pager and every step after it succeeded;
//               a file command: the file was opened or written
//   NotWritten  ended before the image or the file was written, at a
//               question answered No or at a check that showed its own
//               message; nothing is left to report
//   Failed      ended with `code` (a result code); `reported` tells whether
//               the operation has shown it already
//   Stopped     the operator stopped it (a cancelled dialog, Ctrl+C, a
//               termination request); a block being written was finished
//
// `pagerWritten` is true once the image reached the pager, also when a
// later step (the clock) failed: sequential and production programming hand
// out the next codes only then. `writeInterrupted` is true when the last
// image write stopped part-way (the port or the line went away): the pager
// may hold part of the image, must be programmed again before use, and
// `pagerWritten` is false; the operation has told the operator so.
enum class OutcomeKind : std::uint8_t { Done, NotWritten, Failed, Stopped };

struct OperationOutcome {
  OutcomeKind kind = OutcomeKind::NotWritten;
  ResultCode code = code::Ok;  // the failure's code; Ok otherwise
  bool pagerWritten = false;
  bool reported = false;  // the failure has been shown to the operator
  bool writeInterrupted = false;

  static constexpr OperationOutcome done(bool written = false) {
    return {OutcomeKind::Done, code::Ok, written, false};
  }
  static constexpr OperationOutcome notWritten() { return {}; }
  static constexpr OperationOutcome failed(ResultCode failure, bool shown = false,
                                           bool written = false) {
    return {OutcomeKind::Failed, failure, written, shown};
  }
  static constexpr OperationOutcome stopped(bool shown, bool written = false) {
    return {OutcomeKind::Stopped, code::Cancelled, written, shown};
  }

  constexpr bool succeeded() const { return kind == OutcomeKind::Done; }
  constexpr bool operator==(const OperationOutcome&) const = default;
  constexpr bool failedWith(ResultCode failure) const {
    return kind == OutcomeKind::Failed && code == failure;
  }
};

}  // namespace zelta::errors
