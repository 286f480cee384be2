#include "ui/window_operations.h"

#include <QWidget>

namespace zelta::ui {

WindowOperations::WindowOperations(window::WindowController& controller,
                                   errors::Reporter& guiReporter, QWidget* window,
                                   std::unique_ptr<window::SettingsStore> store)
    : store_(std::move(store)),
      guiReporter_(guiReporter),
      runner_(guiReporter, window),
      progress_(window),
      comm_(line_, runner_.reporter(), clock_),
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

bool WindowOperations::traceTo(const std::optional<std::filesystem::path>& file) {
  if (running()) return false;
  if (!file) {
    line_.stop();
    return true;
  }
  return line_.start(*file);
}

errors::ResultCode WindowOperations::runOperation(const OperationRunner::Operation& operation) {
  return runShowingProgress(runner_, progress_, operation);
}

errors::OperationOutcome WindowOperations::runOutcome(
    const std::function<errors::OperationOutcome()>& operation) {
  // The operation runs on the worker; its outcome comes back with it.
  errors::OperationOutcome outcome;
  runOperation([&] {
    outcome = operation();
    return outcome.code;
  });
  // What the link learnt went to the worker's reporter; the window reports
  // a failed read with its own, which must say it too (the attempts a
  // refused password leaves, where the line garbled a byte).
  const errors::MessageContext& learnt = runner_.reporter().context();
  guiReporter_.context().remainingAttempts = learnt.remainingAttempts;
  guiReporter_.context().lineFault = learnt.lineFault;
  return outcome;
}

errors::OperationOutcome WindowOperations::read() {
  return runOutcome(
      [this] { return operations_.RunPagerOperation(operations::OperationKind::Read); });
}

errors::OperationOutcome WindowOperations::program(const window::ProgramRequest& request) {
  settings_.sourceModel = request.sourceModel;
  settings_.backupBeforeProgramming = request.backup;
  settings_.programmingAttempted = request.programmingAttempted;
  return runOutcome(
      [this] { return operations_.RunPagerOperation(operations::OperationKind::Program); });
}

window::PagerReport WindowOperations::report() const {
  const link::LinkState& state = link_.state();
  return window::PagerReport{.facts = window::linkFactsOf(state),
                             .reportedModel = state.modelCode,
                             .unprogrammed = state.unprogrammed,
                             .rateCode = state.requestedSpeedCode};
}

}  // namespace zelta::ui
