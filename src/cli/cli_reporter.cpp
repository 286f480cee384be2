#include "cli/cli_reporter.h"

#include <istream>
#include <ostream>
#include <string>
#include <string_view>

namespace zelta::cli {
namespace {

std::string withoutTrailingNewlines(std::string text) {
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

// Folds a multi-line box text into one line for a log-friendly failure line.
std::string oneLine(const std::string& text) {
  std::string line;
  bool pendingSpace = false;
  for (char c : text) {
    if (c == '\n') {
      pendingSpace = !line.empty() && line.back() != ' ';
      continue;
    }
    if (pendingSpace && c != ' ') line += ' ';
    pendingSpace = false;
    line += c;
  }
  return line;
}

// Many texts already start with their caption ("ERROR: Invalid POCSAG
// code." in a box captioned "ERROR", "ERROR : Unknown pager type."): the
// caption is printed once.
bool startsWithCaption(std::string_view text, std::string_view caption) {
  if (!text.starts_with(caption)) return false;
  text.remove_prefix(caption.size());
  while (text.starts_with(' ')) text.remove_prefix(1);
  return text.starts_with(':');
}

}  // namespace

void CliReporter::showMessage(const errors::Message& message) {
  if (message.code) {
    io_.err << reportLine(message) << '\n';
    return;
  }
  const std::string text = withoutTrailingNewlines(message.text);
  if (!startsWithCaption(text, message.caption)) io_.err << message.caption << ": ";
  io_.err << text << '\n';
}

bool CliReporter::askQuestion(std::optional<errors::ResultCode> code,
                              const errors::Question& question) {
  const std::string caption = withoutTrailingNewlines(question.caption);
  io_.err << (caption.empty() ? std::string("QUESTION") : caption);
  if (code) io_.err << " (" << *code << ")";
  io_.err << ": " << withoutTrailingNewlines(question.text) << '\n';
  switch (answer_) {
    case Answer::Yes:
      if (code == errors::code::NotResponding) {
        if (retriesAnswered_ >= retries_) {
          io_.err << "Answered No: the pager did not answer in " << retries_ + 1
                  << (retries_ == 0 ? " attempt" : " attempts") << " (--retries " << retries_
                  << ").\n";
          return false;
        }
        ++retriesAnswered_;
        io_.err << "Answered Yes (--yes): retry " << retriesAnswered_ << " of " << retries_
                << ".\n";
        return true;
      }
      io_.err << "Answered Yes (--yes).\n";
      return true;
    case Answer::No: io_.err << "Answered No (--no).\n"; return false;
    case Answer::Ask: break;
  }
  if (!io_.inputIsTerminal) {
    io_.err << "Answered No: standard input is not a terminal (use --yes to consent).\n";
    return false;
  }
  io_.err << "Yes or No? [y/N] " << std::flush;
  std::string reply;
  if (!std::getline(io_.in, reply)) return false;
  return !reply.empty() && (reply[0] == 'y' || reply[0] == 'Y');
}

std::string reportLine(const errors::Message& message) {
  std::string line = oneLine(message.text);
  if (!startsWithCaption(line, message.caption)) line = message.caption + ": " + line;
  if (!message.code) return line;
  return "error " + std::to_string(*message.code) + ": " + line;
}

std::string describeFailure(errors::ResultCode code, const errors::MessageContext& context) {
  return reportLine(errors::reportMessage(code, context));
}

}  // namespace zelta::cli
