#include "window/service_controller.h"

#include "window/service_tests.h"

namespace zelta::window {

ServiceController::ServiceController(ServiceLink& link, ServiceReporter& reporter,
                                     std::uint8_t model, ServiceValues values)
    : link_(link), reporter_(reporter), model_(model), values_(std::move(values)) {}

ServiceOutcome ServiceController::key(int functionKey) {
  const ServiceAction action = serviceKeyAction(page_, functionKey);
  if (action == ServiceAction::Invalid) {
    reporter_.invalidKey();
    return ServiceOutcome::Stay;
  }
  if (action == ServiceAction::Help) {
    reporter_.help(serviceHelpTopic(page_));
    return ServiceOutcome::Stay;
  }
  switch (page_) {
    case ServicePage::Main: return mainKey(action);
    case ServicePage::Adjust: return adjustKey(action);
    case ServicePage::Test: return testKey(action);
  }
  return ServiceOutcome::Stay;
}

void ServiceController::switchMode(link::PagerMode mode, errors::ResultCode message) {
  const errors::ResultCode result = link_.switchMode(mode);
  if (result == errors::code::Ok)
    reporter_.report(message);
  else if (result != -114)
    reporter_.report(result);
}

ServiceOutcome ServiceController::mainKey(ServiceAction action) {
  switch (action) {
    case ServiceAction::Adjust:
      if (reporter_.confirm(-73)) {
        backup_ = values_;
        page_ = ServicePage::Adjust;
      }
      break;
    case ServiceAction::Test:
      if (link_.enterTestMode() == errors::code::Ok) page_ = ServicePage::Test;
      break;
    case ServiceAction::QuickPage: switchMode(link::PagerMode::QuickPage, -60); break;
    case ServiceAction::KeepOnlyGoodMessages:
      switchMode(link::PagerMode::KeepOnlyGoodMessages, -61);
      break;
    case ServiceAction::Chirp: switchMode(link::PagerMode::Chirp, -67); break;
    case ServiceAction::Exit: return ServiceOutcome::CloseWindow;
    default: break;
  }
  return ServiceOutcome::Stay;
}

ServiceOutcome ServiceController::adjustKey(ServiceAction action) {
  if (action == ServiceAction::Exit) {
    const std::string lcd = values_.lcdAdjust1;
    values_ = backup_;
    values_.lcdAdjust1 = lcd;
    page_ = ServicePage::Main;
    return ServiceOutcome::Stay;
  }
  if (action != ServiceAction::Program) return ServiceOutcome::Stay;
  const ServiceCheck check = checkServiceValues(values_, model_);
  if (check.code != 0) {
    reporter_.report(check.code);
    return ServiceOutcome::Stay;
  }
  const errors::ResultCode result = link_.program(values_);
  return result == -114 ? ServiceOutcome::CloseWindow : ServiceOutcome::CloseWindowMainToMain;
}

ServiceOutcome ServiceController::testKey(ServiceAction action) {
  if (action == ServiceAction::Exit) {
    link_.sendTest(link::test_command::kExit, 0);
    page_ = ServicePage::Main;
    return ServiceOutcome::Stay;
  }
  if (action != ServiceAction::SendCommand) return ServiceOutcome::Stay;
  dataResult_.clear();
  const ServiceTest& test = kServiceTests.at(test_);
  const link::TestReply reply = link_.sendTest(test.command, test.replyKind);
  if (test.command == link::test_command::kAnnunciator && annunciatorMaySend(reply))
    link_.sendTest(kAnnunciatorItems.at(annunciator_).command, test.replyKind);
  dataResult_ = serviceTestResult(test, reply);
  if (test.returnsToMain) page_ = ServicePage::Main;
  return ServiceOutcome::Stay;
}

}  // namespace zelta::window
