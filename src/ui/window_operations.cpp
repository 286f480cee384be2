#include "ui/window_operations.h"

#include <QWidget>

namespace zelta::ui {
namespace {

namespace rc = errors::code;

// The operations' results as outcomes. A read returns 1 on success and
// shows nothing itself but the retry question (-16) and the port's own box
// (-114). Programming returns 0 both when it wrote the pager and when it
// stopped quietly at a question, and shows every failure itself.
errors::OperationOutcome readOutcome(errors::ResultCode result) {
  if (result == rc::Done) return errors::OperationOutcome::done();
  return errors::OperationOutcome::failed(
      result, result == rc::NotResponding || result == rc::PortNotOpened);
}

errors::OperationOutcome programOutcome(errors::ResultCode result, bool written) {
  if (result == rc::Ok || result == rc::Done)
    return written ? errors::OperationOutcome::done(true) : errors::OperationOutcome::notWritten();
  if (result == rc::Cancelled) return errors::OperationOutcome::stopped(written);
  return errors::OperationOutcome::failed(result, true, written);
}

}  // namespace

WindowOperations::WindowOperations(window::WindowController& controller,
                                   errors::Reporter& guiReporter, QWidget* window,
                                   std::unique_ptr<window::SettingsStore> store)
    : store_(std::move(store)),
      runner_(guiReporter, window),
      progress_(window),
      comm_(device_, runner_.reporter(), clock_),
      link_(comm_, runner_.reporter()),
      session_{controller.image(), controller.settings(), controller.workFiles(),
               runner_.reporter(), codeplug::standardCodec()},
      operations_(link_, session_, controller.converter(), runner_.dialogs(), settings_) {
  link_.setHooks(runner_.linkHooks());
  link_.setImageBuffers(link::imageBuffersOf(controller.image()));
  configure(window::loadCommSettings(*store_));
}

void WindowOperations::configure(const window::CommSettings& settings) {
  window::configureLink(settings, comm_, link_);
}

errors::ResultCode WindowOperations::runOperation(const OperationRunner::Operation& operation) {
  return runShowingProgress(runner_, progress_, operation);
}

errors::OperationOutcome WindowOperations::read() {
  return readOutcome(runOperation(
      [this] { return operations_.RunPagerOperation(operations::OperationKind::Read); }));
}

errors::OperationOutcome WindowOperations::program(const window::ProgramRequest& request) {
  settings_.sourceModel = request.sourceModel;
  settings_.backupBeforeProgramming = request.backup;
  settings_.programmingAttempted = request.programmingAttempted;
  const errors::ResultCode result = runOperation(
      [this] { return operations_.RunPagerOperation(operations::OperationKind::Program); });
  return programOutcome(result, operations_.pagerWritten());
}

window::PagerReport WindowOperations::report() const {
  const link::LinkState& state = link_.state();
  return window::PagerReport{.facts = window::linkFactsOf(state),
                             .reportedModel = state.modelCode,
                             .unprogrammed = state.unprogrammed,
                             .rateCode = state.requestedSpeedCode};
}

}  // namespace zelta::ui
