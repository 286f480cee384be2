#pragma once

#include <deque>
#include <vector>

#include "errors/reporter.h"

namespace zelta::testing {

// A reporter for tests: keeps every box shown and answers questions from a
// queue (No once the queue is empty).
class RecordingReporter : public errors::Reporter {
 public:
  struct Asked {
    std::optional<errors::ResultCode> code;  // none for a free question
    errors::Question question;
  };

  std::vector<errors::Message> shown;
  std::vector<Asked> asked;
  std::deque<bool> answers;

  void answer(bool yes) { answers.push_back(yes); }

 protected:
  void showMessage(const errors::Message& message) override { shown.push_back(message); }
  bool askQuestion(std::optional<errors::ResultCode> code,
                   const errors::Question& question) override {
    asked.push_back({code, question});
    if (answers.empty()) return false;
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
  }
};

}  // namespace zelta::testing
