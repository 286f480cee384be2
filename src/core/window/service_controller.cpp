#include "window/service_controller.h"

#include <algorithm>

#include "window/window_texts.h"

namespace zelta::window {
namespace {

namespace rc = errors::code;
using errors::ResultCode;

// The box of a key the page does not handle.
void showInvalidKey(errors::Reporter& reporter) {
  reporter.Show(errors::Message{errors::BoxClass::Information, std::string(kInformationCaption),
                                std::string(kInvalidKeyText)});
}

// A failed pager command is shown unless the port layer has shown it.
void reportFailure(errors::Reporter& reporter, ResultCode result) {
  if (result != rc::PortNotOpened) reporter.ReportCode(result);
}

// Sets a flag for the length of a scope.
class Busy {
 public:
  explicit Busy(bool& flag) : flag_(flag) { flag_ = true; }
  ~Busy() { flag_ = false; }
  Busy(const Busy&) = delete;
  Busy& operator=(const Busy&) = delete;

 private:
  bool& flag_;
};

}  // namespace

ServiceStart serviceStartAfterRead(ResultCode readResult, errors::Reporter& reporter) {
  if (readResult == rc::Ok) return {true, true};
  if (readResult == rc::NotResponding || readResult == rc::PortNotOpened) return {false, false};
  reporter.ReportCode(readResult);
  return {true, false};
}

bool ServiceView::enabled(std::string_view item) const {
  for (const ServiceItemState& s : items) {
    if (s.name == item) return s.enabled;
  }
  return false;
}

ServiceController::ServiceController(codeplug::SettingsRecord& settings, models::ModelCode model,
                                     ServiceLink& link, errors::Reporter& reporter,
                                     ServiceStart start)
    : settings_(settings),
      model_(model),
      link_(link),
      reporter_(reporter),
      adjustOffered_(start.adjustOffered),
      backup_(ServiceValues::of(settings)) {
  fields_ = adjustFieldsOf(backup_);
}

ServiceAction ServiceController::action(WindowKey key) const {
  const ServiceAction a = serviceAction(page_, key);
  if (a == ServiceAction::Adjust && !adjustOffered_) return ServiceAction::InvalidKey;
  return a;
}

ServiceView ServiceController::view() const {
  ServiceView v;
  v.page = page_;
  for (std::size_t i = 0; i < kServiceMenuItems.size(); ++i) {
    const ServiceMenuItem& item = kServiceMenuItems[i];
    v.items[i] = {item.name, !busy_ && !closed_ && action(item.key) != ServiceAction::InvalidKey};
  }
  v.pagesEnabled = !busy_;
  v.operationText = operationText_;
  v.keyHints = servicePageInfo(page_).keyHints;
  v.adjust = fields_;
  v.lcdPairShown = hasLcdAdjustment(model_);
  v.test = test_;
  v.annunciator = annunciator_;
  v.dataResult = dataResult_;
  v.focus = focus_;
  return v;
}

// ---- Keys ----

ServiceOutcome ServiceController::pressKey(WindowKey key) {
  beginCall();
  if (busy_ || closed_) return ServiceOutcome::Ignored;
  switch (action(key)) {
    case ServiceAction::InvalidKey: showInvalidKey(reporter_); return ServiceOutcome::InvalidKey;
    case ServiceAction::Help: return ServiceOutcome::OpenHelp;
    case ServiceAction::Adjust:
      if (reporter_.ConfirmCode(rc::ServiceTuningWarning)) openAdjust();
      return ServiceOutcome::Handled;
    case ServiceAction::TestMode: enterTestMode(); return ServiceOutcome::Handled;
    case ServiceAction::QuickPage: switchMode(link::PagerMode::QuickPage); break;
    case ServiceAction::KeepOnlyGoodMessages:
      switchMode(link::PagerMode::KeepOnlyGoodMessages);
      break;
    case ServiceAction::Chirp: switchMode(link::PagerMode::Chirp); break;
    case ServiceAction::CloseWindow: closed_ = true; return ServiceOutcome::CloseWindow;
    case ServiceAction::Program: return program();
    case ServiceAction::LeaveAdjust: leaveAdjust(); break;
    case ServiceAction::SendTest: sendTest(); break;
    case ServiceAction::LeaveTestMode: leaveTestMode(); break;
  }
  return ServiceOutcome::Handled;
}

bool ServiceController::closeRequested() {
  beginCall();
  if (busy_) return false;
  if (page_ == ServicePage::Adjust) leaveAdjust();
  if (page_ == ServicePage::Test) leaveTestMode();
  closed_ = true;
  return true;
}

void ServiceController::showPage(ServicePage page) {
  page_ = page;
  dataResult_.clear();
}

// ---- Mode switches and test mode ----

void ServiceController::switchMode(link::PagerMode mode) {
  ServiceLink::ModeSwitch done;
  {
    Busy busy(busy_);
    done = link_.switchMode(mode);
  }
  if (done.result == rc::Ok) {
    if (done.message) reporter_.ReportCode(*done.message);
  } else {
    reportFailure(reporter_, done.result);
  }
}

void ServiceController::enterTestMode() {
  ResultCode result = rc::Ok;
  {
    Busy busy(busy_);
    result = link_.enterTestMode();
  }
  if (result != rc::Ok) {
    reportFailure(reporter_, result);
    return;
  }
  showPage(ServicePage::Test);
  focus_ = {ServiceFocus::Target::TestChoice};
}

link::TestReply ServiceController::sendCommand(std::uint8_t command) {
  Busy busy(busy_);
  return link_.sendTestCommand(command, link::testReplyKind(command));
}

void ServiceController::sendTest() {
  const ServiceTest& test = kServiceTests[static_cast<std::size_t>(test_)];
  dataResult_.clear();
  const link::TestReply reply = sendCommand(test.command);
  // A failure has been answered at the "not responding" question (or shown
  // by the port layer): the operator is on the test page to try again or
  // to leave it.
  if (reply.result != rc::Ok) return;
  switch (test.reply) {
    case TestReplyUse::None: break;
    case TestReplyUse::Annunciator:
      if (reply.bytes[0] != link::wire::kTestAccepted) {
        reporter_.ReportCode(rc::NoAcknowledge);
        break;
      }
      sendCommand(kAnnunciatorCommands[static_cast<std::size_t>(annunciator_)].command);
      break;
    case TestReplyUse::CharacterShown: dataResult_ = std::string(1, char(reply.bytes[1])); break;
    case TestReplyUse::KeyName: dataResult_ = std::string(link::keyName(reply.bytes[1])); break;
  }
  if (test.endsTestMode) showPage(ServicePage::Main);
}

// F10 leaves the page whatever the pager answers: a pager that no longer
// answers must not hold the operator on the test page.
void ServiceController::leaveTestMode() {
  sendCommand(link::test_command::kExit);
  showPage(ServicePage::Main);
}

void ServiceController::chooseTest(int index) {
  beginCall();
  if (index >= 0 && index < static_cast<int>(kServiceTests.size())) test_ = index;
}

void ServiceController::chooseAnnunciator(int index) {
  beginCall();
  if (index >= 0 && index < static_cast<int>(kAnnunciatorCommands.size())) annunciator_ = index;
}

// ---- The adjust page ----

void ServiceController::openAdjust() {
  backup_ = ServiceValues::of(settings_);
  fields_ = adjustFieldsOf(backup_);
  showPage(ServicePage::Adjust);
  focus_ = {ServiceFocus::Target::AdjustField, AdjustField::SecondAdjust};
}

void ServiceController::leaveAdjust() {
  backup_.storeInto(settings_);
  fields_ = adjustFieldsOf(backup_);
  showPage(ServicePage::Main);
}

bool ServiceController::runChecks() {
  const AdjustCheck check = checkAdjustFields(fields_, hasLcdAdjustment(model_));
  if (check.code == rc::Ok) return true;
  reporter_.ReportCode(check.code);
  if (check.field) focus_ = {ServiceFocus::Target::AdjustField, *check.field};
  return false;
}

void ServiceController::secondAdjustChosen(int position) {
  beginCall();
  if (page_ != ServicePage::Adjust || busy_ || closed_) return;
  fields_.secondAdjust = std::clamp(position, 0, static_cast<int>(kSecondAdjustItems.size()) - 1);
  settings_.serviceAdjust = fields_.secondAdjust;
  runChecks();
}

void ServiceController::adjustTextEdited(AdjustField field, std::string text) {
  beginCall();
  if (page_ != ServicePage::Adjust || busy_ || closed_) return;
  switch (field) {
    case AdjustField::TextContrast: fields_.textContrast = std::move(text); break;
    case AdjustField::IconContrast: fields_.iconContrast = std::move(text); break;
    case AdjustField::Lcd1:
      fields_.lcdAdjust1 = std::move(text);
      applyLcdPairRule(fields_);
      break;
    case AdjustField::SecondAdjust:
    case AdjustField::Lcd2: break;  // a list, and a computed field
  }
}

void ServiceController::adjustFieldLeft(AdjustField) {
  beginCall();
  if (page_ != ServicePage::Adjust || busy_ || closed_) return;
  runChecks();
}

ServiceOutcome ServiceController::program() {
  if (!runChecks()) return ServiceOutcome::Handled;
  const bool lcdPair = hasLcdAdjustment(model_);
  serviceValuesOf(fields_, lcdPair, ServiceValues::of(settings_)).storeInto(settings_);
  operationText_ = operationText(Operation::Program, link_.rateCode());
  {
    Busy busy(busy_);
    programResult_ = link_.program();
  }
  operationText_.clear();
  closed_ = true;
  return ServiceOutcome::CloseWindow;
}

bool ServiceController::mainReturnsToMain() const {
  return programResult_ && !programResult_->failedWith(rc::PortNotOpened);
}

}  // namespace zelta::window
