#include "ui/window_operations.h"

#include <QWidget>

namespace zelta::ui {

WindowOperations::WindowOperations(window::WindowController& controller,
                                   errors::Reporter& guiReporter, QWidget* window,
                                   std::unique_ptr<window::SettingsStore> store)
    : controller_(controller),
      store_(std::move(store)),
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

errors::ResultCode WindowOperations::read() {
  return runOperation([this] {
    const errors::OperationOutcome outcome =
        operations_.RunPagerOperation(operations::OperationKind::Read);
    return outcome.succeeded() ? errors::code::Done : outcome.code;
  });
}

void WindowOperations::takeSourceModel() {
  // The model the codeplug on screen came from: a converted codeplug keeps
  // its source's.
  const conversion::ConverterState& converter = controller_.converter();
  settings_.sourceModel = converter.targetSet() && converter.sourceModel != models::kNoModel
                              ? converter.sourceModel
                              : controller_.model();
}

errors::OperationOutcome WindowOperations::program() {
  takeSourceModel();
  errors::OperationOutcome outcome;
  runOperation([this, &outcome] {
    outcome = operations_.RunPagerOperation(operations::OperationKind::Program);
    return outcome.code;
  });
  settings_.programmingAttempted = true;
  return outcome;
}

window::LinkFacts WindowOperations::linkFacts() const {
  return window::linkFactsOf(link_.state(), settings_.programmingAttempted);
}

}  // namespace zelta::ui
