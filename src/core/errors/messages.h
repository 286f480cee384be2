#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "errors/result_code.h"

namespace zelta::errors {

// The box a statement is shown in: the class fixes caption and icon.
enum class BoxClass { Warning, Information, Error };

// The values the texts of a few codes read from other parts of the system.
// The reporters only read them; their owners (the link, the frequency check,
// the version checks) set them before they report.
struct MessageContext {
  // Attempts the pager still allows after refusing a password; 8 means
  // "not counted" and drops the second line of -1.
  int remainingAttempts = 8;
  // Edges of the receiver band in MHz, single precision as the check holds them.
  float bandLowerMHz = 0.0F;
  float bandUpperMHz = 0.0F;
  // Version text of the last pager image checked (-93).
  std::string pagerVersionText;
  // Codeplug version label of the last file checked (-107).
  std::string fileVersionLabel;
  // Why the last codeplug file was refused (-30 appends it as "The file is
  // ...") or could not be read or written (a front end shows it beside the
  // path); empty when there is nothing to add. Set by the file operations.
  std::string fileProblem;
  // The system's reason behind fileProblem (an errno value or a refusal of
  // the file layer), for a front end that says it in its own words; empty
  // when fileProblem is.
  std::error_code fileError;
  // The file the last failed file operation was about: a save may fail on
  // its backup or scratch file before it reaches the file chosen. Empty
  // when nothing failed.
  std::string problemFile;
  // Where the line garbled a byte and what became of the transaction
  // (TransmissionFault appends it to its text); set by the link.
  std::string lineFault;
  // What the exception behind InternalFault said.
  std::string internalFault;
  // A line the raiser of one report knows beyond the code's own text
  // (which field, which limit), shown after it; set for that one report
  // only (Reporter::ReportCode with a detail).
  std::string detail;
};

struct Message {
  BoxClass boxClass;
  std::string caption;
  std::string text;
  std::optional<ResultCode> code = std::nullopt;  // the result code shown; none for a free box
};

struct Question {
  std::string caption;
  std::string text;
};

BoxClass boxClassOf(ResultCode code);
std::string_view captionOf(BoxClass boxClass);

// The statement ReportCode shows for a code ("What is this?" when it has none).
std::string reportText(ResultCode code, const MessageContext& context);
Message reportMessage(ResultCode code, const MessageContext& context);

// The Yes/No question ConfirmCode asks (empty caption and text when none).
Question confirmQuestion(ResultCode code);
// The same question with detail, what the asker knows of this case, on a
// line after the code's own text.
Question confirmQuestion(ResultCode code, std::string_view detail);

// True when the code has a text of its own in the statement table.
bool hasReportText(ResultCode code);

}  // namespace zelta::errors
