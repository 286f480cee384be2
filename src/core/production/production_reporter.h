#pragma once

#include <optional>
#include <string>

#include "errors/reporter.h"

namespace zelta::production {

// A fixture has no operator at its side: every question is answered No
// (nothing is written that a person would have had to allow) and the last
// statement is kept for the pager's record.
class ProductionReporter : public errors::Reporter {
 public:
  void clear() {
    lastCode_.reset();
    lastText_.clear();
  }
  // The code of the last box or question; none when it had none.
  std::optional<errors::ResultCode> lastCode() const { return lastCode_; }
  const std::string& lastText() const { return lastText_; }

 protected:
  void showMessage(const errors::Message& message) override {
    lastCode_ = message.code;
    lastText_ = message.text;
  }
  bool askQuestion(std::optional<errors::ResultCode> code,
                   const errors::Question& question) override {
    lastCode_ = code;
    lastText_ = question.text;
    return false;
  }

 private:
  std::optional<errors::ResultCode> lastCode_;
  std::string lastText_;
};

}  // namespace zelta::production
