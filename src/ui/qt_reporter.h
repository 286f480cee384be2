#pragma once

#include "errors/reporter.h"

class QWidget;

namespace zelta::ui {

// Shows result codes and questions as application-modal message boxes with
// the caption and icon of their class.
class QtReporter : public errors::Reporter {
 public:
  explicit QtReporter(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }

 protected:
  void showMessage(const errors::Message& message) override;
  bool askQuestion(std::optional<errors::ResultCode> code,
                   const errors::Question& question) override;

 private:
  QWidget* parent_;
};

}  // namespace zelta::ui
