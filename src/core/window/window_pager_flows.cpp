// The window controller's flows of F2 to F6: the pager work through the
// port, the window busy around it, and what the window shows after it.
#include "models/models.h"
#include "pages/code_checks.h"
#include "pages/prompt_pages.h"
#include "window/programming_result.h"
#include "window/progress_texts.h"
#include "window/window_controller.h"

namespace zelta::window {
namespace {

using errors::OperationOutcome;
using errors::ResultCode;
using pages::Page;

// The read failures F5 and F6 report: the codes of the reporter's table.
constexpr ResultCode kLastReportedReadCode = -1;
constexpr ResultCode kFirstReportedReadCode = -130;

// A stopped read says what it left; any other end by its code.
void reportReadEnd(errors::Reporter& reporter, const OperationOutcome& read) {
  if (read.kind == errors::OutcomeKind::Stopped) {
    reporter.ReportCode(read.code, std::string(kStoppedReadText));
  } else {
    reporter.ReportCode(read.code);
  }
}

}  // namespace

bool WindowController::replacesCodeplug(KeyOutcome command) {
  return command == KeyOutcome::Read || command == KeyOutcome::Service ||
         command == KeyOutcome::ProgramSingle || command == KeyOutcome::ProgramSequential;
}

void WindowController::runPagerCommand(KeyOutcome command, WindowPagerPort& port) {
  statusResult_.clear();
  // These keys are offered on "Main", where no edits are left unsaved; a
  // front end that runs them over the editing pages asks all the same.
  if (replacesCodeplug(command) && settleUnsavedEdits() == EditsSettled::Kept) return;
  switch (command) {
    case KeyOutcome::Read: readPager(port); return;
    case KeyOutcome::Program: programPager(port); return;
    case KeyOutcome::Service: openService(port); return;
    case KeyOutcome::ProgramSingle: prepareSingle(false, port); return;
    case KeyOutcome::ProgramSequential: prepareSingle(true, port); return;
    default: return;
  }
}

OperationOutcome WindowController::runBusy(Operation shown, WindowPagerPort& port,
                                           const std::function<OperationOutcome()>& operation) {
  operationText_ = operationText(shown, shown == Operation::Program ? port.report().rateCode : 0);
  busy_ = true;
  port.redraw();
  const OperationOutcome outcome = operation();
  busy_ = false;
  link_ = port.report().facts;
  return outcome;
}

models::ModelCode WindowController::sourceModel() const {
  return converter_.targetSet() && converter_.sourceModel != models::kNoModel
             ? converter_.sourceModel
             : model();
}

OperationOutcome WindowController::programThrough(WindowPagerPort& port, bool backup) {
  const OperationOutcome outcome =
      port.program(ProgramRequest{.sourceModel = sourceModel(),
                                  .backup = backup,
                                  .programmingAttempted = programmingAttempted_});
  programmingAttempted_ = true;
  return outcome;
}

void WindowController::readPager(WindowPagerPort& port) {
  readFinished(runBusy(Operation::Read, port, [&] { return port.read(); }));
}

void WindowController::readFinished(const OperationOutcome& read) {
  beginCall();
  operationText_.clear();
  if (read.succeeded()) {
    converter_.mode = pages::ConverterMode::Off;
    showReadCodeplug();
    return;
  }
  if (read.kind == errors::OutcomeKind::Stopped || !read.reported) reportReadEnd(reporter_, read);
}

void WindowController::programPager(WindowPagerPort& port) {
  if (!readyToProgram()) return;
  if (sequentialMode_) {
    programSequentialStep(port);
    return;
  }
  programmed(runBusy(Operation::Program, port, [&] { return programThrough(port, true); }));
}

bool WindowController::readyToProgram() {
  beginCall();
  if (onMain()) return false;
  if (runPageCheckChain() != errors::code::Ok) return false;
  pages::PageContext c = context();
  if (activePage_ == Page::Prompt1 || activePage_ == Page::Prompt2)
    modules_.prompts().programPressed(activePage_, c);
  remindToRecordPassword();
  const bool fits = modules_.prompts().promptMemoryFits(c, true);
  refreshGauge();
  if (!fits) return false;
  return pages::confirmFrameCount(c) == errors::code::Ok;
}

void WindowController::programmed(const OperationOutcome& outcome) {
  beginCall();
  operationText_.clear();
  // Told before "Main" takes the codeplug and the converter off the screen.
  if (outcome.succeeded())
    statusResult_ = programmedText(programmedPager(context(), link_.pagerSerialNumber));
  // Leaving for "Main" drops the codeplug on screen: only once it is in the
  // pager, so that a failed or abandoned run never costs the edits.
  if (outcome.pagerWritten && !outcome.failedWith(errors::code::PortNotOpened) &&
      !outcome.failedWith(errors::code::OutOfBand))
    returnToMain(true);
}

void WindowController::programSequentialStep(WindowPagerPort& port) {
  beginCall();
  pages::PageContext c = context();
  // The pager as written: the step moves the codes and the ICN on after it.
  std::optional<ProgrammedPager> written;
  const OperationOutcome result = pages::sequentialProgrammingStep(c, [&] {
    const OperationOutcome outcome =
        runBusy(Operation::Program, port, [&] { return programThrough(port, true); });
    if (outcome.pagerWritten) ++sequentialCount_;
    if (outcome.succeeded()) written = programmedPager(c, link_.pagerSerialNumber);
    return outcome;
  });
  operationText_.clear();
  if (result.failedWith(errors::code::VersionsMismatch)) {
    returnToMain(true);
    sequentialMode_ = false;
    sequentialCount_ = 0;
    image_->setModel(models::kNoModel);
    return;
  }
  if (written) statusResult_ = sequentialProgrammedText(*written, sequentialCount_);
  // The pages show the codes the next pager gets.
  dispatcher_.enterPage(activePage_, c);
  refreshGauge();
}

void WindowController::openService(WindowPagerPort& port) {
  // The result goes to the service window, which offers what the read allows.
  const OperationOutcome read = runBusy(Operation::Read, port, [&] { return port.read(); });
  operationText_ = operationText(Operation::Done, 0);
  port.redraw();
  const ServiceStart start =
      serviceStartAfterRead(read.succeeded() ? errors::code::Ok : read.code, reporter_);
  if (!start.opens) return;
  // The values tuned there are no edit of the codeplug worth a backup file.
  std::optional<ProgrammedPager> written;
  const bool programmedThere = port.openServiceWindow(start, [&] {
    const OperationOutcome outcome = programThrough(port, false);
    written.reset();
    if (outcome.succeeded())
      written = programmedPager(context(), port.report().facts.pagerSerialNumber);
    return outcome;
  });
  link_ = port.report().facts;
  if (!programmedThere) return;
  returnToMain(true);
  if (written) statusResult_ = programmedText(*written);
}

void WindowController::prepareSingle(bool sequential, WindowPagerPort& port) {
  std::optional<OperationOutcome> read;
  if (singleNeedsRead(port.report().reportedModel))
    read = runBusy(Operation::Read, port, [&] { return port.read(); });
  singleReady(sequential, read, port.report().unprogrammed);
}

bool WindowController::singleNeedsRead(models::ModelCode reportedModel) const {
  return model() == models::kNoModel || reportedModel != model();
}

void WindowController::singleReady(bool sequential, const std::optional<OperationOutcome>& read,
                                   bool pagerUnprogrammed) {
  beginCall();
  operationText_.clear();
  converter_.mode = pages::ConverterMode::Off;
  sequentialMode_ = sequential;
  sequentialCount_ = 0;
  const bool readFailed = read && !read->succeeded();
  if (readFailed) image_->setModel(models::kNoModel);
  const bool ready =
      read ? !readFailed : models::modelIn(model(), models::ModelGroup::programmedSingly);
  if (ready && !pagerUnprogrammed) {
    showReadCodeplug();
  } else if (readFailed && read->code <= kLastReportedReadCode &&
             read->code >= kFirstReportedReadCode) {
    // Unlike F3, whatever the read came to: -16 and -114 too.
    reportReadEnd(reporter_, *read);
  }
}

}  // namespace zelta::window
