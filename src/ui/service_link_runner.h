#pragma once

#include <functional>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "window/service_link.h"
#include "window/window_pager_port.h"
#pragma pop_macro("slots")
#include "ui/window_operations.h"

namespace zelta::ui {

// The service window's pager work on the main window's port and link: every
// call is an operation of its own on the worker thread of the runner, with
// the progress window shown, the port held from its first transaction to
// its last, and the service window drawn busy for its length (it goes on
// painting).
class ServiceLinkRunner : public window::ServiceLink {
 public:
  // showBusy(true) before every call and showBusy(false) after it; F2
  // programs through the main window's flow.
  ServiceLinkRunner(WindowOperations& operations, std::function<void(bool)> showBusy,
                    window::ServiceProgram program);

  ModeSwitch switchMode(link::PagerMode mode) override;
  errors::ResultCode enterTestMode() override;
  link::TestReply sendTestCommand(std::uint8_t command, int replyKind) override;
  errors::OperationOutcome program() override;
  int rateCode() const override { return operations_.rateCode(); }

 private:
  errors::ResultCode run(const std::function<errors::ResultCode(link::PagerLink&)>& work);

  WindowOperations& operations_;
  std::function<void(bool)> showBusy_;
  window::ServiceProgram program_;
};

}  // namespace zelta::ui
