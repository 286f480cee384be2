#pragma once

#include "cli/cli_io.h"
#include "errors/reporter.h"

namespace zelta::cli {

// Shows result codes on standard error. Questions are answered by --yes or
// --no; without either, the operator is asked on a terminal, and a run
// without a terminal (a script, a production line) refuses, since nobody
// can consent there.
class CliReporter : public errors::Reporter {
 public:
  enum class Answer { Ask, Yes, No };

  // How often --yes answers the "not responding" question (-16) before it
  // answers No: a silent pager is tried again a few times, not for ever.
  static constexpr int kDefaultRetries = 3;
  // More would keep a production line waiting on a pager that is not there.
  static constexpr int kMaxRetries = 99;

  explicit CliReporter(CliIo& io) : io_(io) {}
  void setAnswer(Answer answer) { answer_ = answer; }
  void setRetries(int retries) { retries_ = retries; }

 protected:
  void showMessage(const errors::Message& message) override;
  bool askQuestion(std::optional<errors::ResultCode> code,
                   const errors::Question& question) override;

 private:
  CliIo& io_;
  Answer answer_ = Answer::Ask;
  int retries_ = kDefaultRetries;
  int retriesAnswered_ = 0;
};

// "error -25: ERROR: Bad checksum." — every result code the command line
// shows, as one line: the code, the box's caption (once, when the text does
// not begin with it) and the text with its line breaks folded.
std::string reportLine(const errors::Message& message);
// The line of a code's statement, for failures that end a command.
std::string describeFailure(errors::ResultCode code, const errors::MessageContext& context);

}  // namespace zelta::cli
