#pragma once

#include <string>

#include "errors/messages.h"

namespace zelta::errors {

// How the core shows a result code or asks the operator's consent. Front ends
// implement the two presentation hooks (a message box, standard error, a test
// recorder); the texts and classes come from the one table in messages.cpp.
class Reporter {
 public:
  virtual ~Reporter() = default;

  // Shows the statement of a code with one OK button.
  void ReportCode(ResultCode code) { showMessage(reportMessage(code, context_)); }
  // The same statement with one more line after the code's own text: what
  // the raiser knows of this case (the field, the limit).
  void ReportCode(ResultCode code, std::string detail) {
    context_.detail = std::move(detail);
    showMessage(reportMessage(code, context_));
    context_.detail.clear();
  }

  // Asks the code's Yes/No question; true only for Yes.
  bool ConfirmCode(ResultCode code) { return askQuestion(code, confirmQuestion(code)); }
  // The same question with one more line: what the asker knows of this case.
  bool ConfirmCode(ResultCode code, std::string_view detail) {
    return askQuestion(code, confirmQuestion(code, detail));
  }

  // Boxes whose text is not a result code ("Can not open com port.",
  // "Invalid Key", the save-over question ...).
  void Show(const Message& message) { showMessage(message); }
  bool Ask(const Question& question) { return askQuestion(std::nullopt, question); }

  // The values some texts read (attempts left, band limits, version texts).
  MessageContext& context() { return context_; }
  const MessageContext& context() const { return context_; }

 protected:
  virtual void showMessage(const Message& message) = 0;
  // code is the result code behind the question; none for a free question.
  virtual bool askQuestion(std::optional<ResultCode> code, const Question& question) = 0;

 private:
  MessageContext context_;
};

}  // namespace zelta::errors
