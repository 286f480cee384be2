#pragma once

#include <cstdint>
#include <string>

#include "errors/result_code.h"
#include "link/service_commands.h"
#include "window/service_adjust.h"

namespace zelta::window {

// The pager work of the service window; the window runs it with the progress
// window shown.
class ServiceLink {
 public:
  virtual ~ServiceLink() = default;
  virtual errors::ResultCode program(const ServiceValues& values) = 0;
  virtual errors::ResultCode enterTestMode() = 0;
  virtual errors::ResultCode switchMode(link::PagerMode mode) = 0;
  virtual link::TestReply sendTest(std::uint8_t command, int replyKind) = 0;
};

// Messages and questions of the service window.
class ServiceReporter {
 public:
  virtual ~ServiceReporter() = default;
  virtual void report(errors::ResultCode code) = 0;
  virtual bool confirm(errors::ResultCode code) = 0;
  virtual void invalidKey() = 0;
  virtual void help(int topic) = 0;
};

// What the window does after a key.
enum class ServiceOutcome { Stay, CloseWindow, CloseWindowMainToMain };

class ServiceController {
 public:
  ServiceController(ServiceLink& link, ServiceReporter& reporter, std::uint8_t model,
                    ServiceValues values);

  ServiceOutcome key(int functionKey);

  ServicePage page() const { return page_; }
  ServiceValues& values() { return values_; }
  const std::string& dataResult() const { return dataResult_; }
  void selectTest(std::size_t index) { test_ = index; }
  void selectAnnunciator(std::size_t index) { annunciator_ = index; }

 private:
  ServiceOutcome mainKey(ServiceAction action);
  ServiceOutcome adjustKey(ServiceAction action);
  ServiceOutcome testKey(ServiceAction action);
  void switchMode(link::PagerMode mode, errors::ResultCode message);

  ServiceLink& link_;
  ServiceReporter& reporter_;
  std::uint8_t model_;
  ServiceValues values_;
  ServiceValues backup_;
  ServicePage page_ = ServicePage::Main;
  std::string dataResult_;
  std::size_t test_ = 0;
  std::size_t annunciator_ = 0;
};

}  // namespace zelta::window
