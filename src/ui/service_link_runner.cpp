#include "ui/service_link_runner.h"

#include "link/operation_scope.h"

namespace zelta::ui {

ServiceLinkRunner::ServiceLinkRunner(WindowOperations& operations,
                                     std::function<void(bool)> showBusy,
                                     window::ServiceProgram program)
    : operations_(operations), showBusy_(std::move(showBusy)), program_(std::move(program)) {}

errors::ResultCode ServiceLinkRunner::run(
    const std::function<errors::ResultCode(link::PagerLink&)>& work) {
  link::PagerLink& pager = operations_.link();
  if (showBusy_) showBusy_(true);
  const errors::ResultCode result =
      runShowingProgress(operations_.runner(), operations_.progressWindow(), [&] {
        const link::OperationScope operation(pager);
        // A programming fault ends the call with InternalFault; the scope
        // lets the port go all the same.
        errors::ResultCode r = errors::code::InternalFault;
        pager.runGuarded([&] { r = work(pager); });
        return r;
      });
  if (showBusy_) showBusy_(false);
  return result;
}

window::ServiceLink::ModeSwitch ServiceLinkRunner::switchMode(link::PagerMode mode) {
  ModeSwitch done;
  done.result = run([&](link::PagerLink& pager) {
    const errors::ResultCode r = link::SwitchPagerMode(pager, mode);
    if (r == errors::code::Ok) done.message = pager.state().serviceResult;
    return r;
  });
  return done;
}

errors::ResultCode ServiceLinkRunner::enterTestMode() {
  return run([](link::PagerLink& pager) { return link::EnterTestMode(pager); });
}

link::TestReply ServiceLinkRunner::sendTestCommand(std::uint8_t command, int replyKind) {
  link::TestReply reply;
  reply.result = run([&](link::PagerLink& pager) {
    reply = link::SendTestCommand(pager, command, replyKind);
    return reply.result;
  });
  return reply;
}

errors::OperationOutcome ServiceLinkRunner::program() {
  if (showBusy_) showBusy_(true);
  const errors::OperationOutcome result = program_();
  if (showBusy_) showBusy_(false);
  return result;
}

}  // namespace zelta::ui
