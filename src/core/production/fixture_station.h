#pragma once

#include <memory>
#include <string>

#include "codeplug/codeplug_image.h"
#include "codeplug/settings_record.h"
#include "conversion/model_converter.h"
#include "errors/operation_outcome.h"
#include "link/clock.h"
#include "link/comm.h"
#include "link/pager_link.h"
#include "link/serial_device.h"
#include "operations/pager_operations.h"
#include "production/code_set.h"
#include "production/production_reporter.h"
#include "storage/codeplug_files.h"

namespace zelta::production {

// An unprogrammed pager needs a serial number from a person: a fixture
// turns it away (-17) rather than invent one.
class NoMemorySerialDialog : public operations::OperatorDialogs {
 public:
  errors::ResultCode askMemoryAndSerial(operations::MemorySerialRequest&) override {
    return errors::code::Cancelled;
  }
};

// Everything one fixture programs its pagers with: its port and link, its
// own copy of the codeplug and its own operations. Nothing here is shared
// with another fixture, so each can run on a thread of its own.
class FixtureStation {
 public:
  FixtureStation(std::string port, std::unique_ptr<link::SerialDevice> device, link::Clock& clock);
  FixtureStation(const FixtureStation&) = delete;
  FixtureStation& operator=(const FixtureStation&) = delete;

  const std::string& port() const { return port_; }
  link::PagerLink& link() { return link_; }
  ProductionReporter& reporter() { return reporter_; }

  // The template with the set's codes and ICN, programmed into the pager on
  // the fixture; only a pager of the template's model is written.
  errors::OperationOutcome program(const codeplug::CodeplugImage& templateImage,
                                   const codeplug::SettingsRecord& templateSettings,
                                   const CodeSet& set);

  // The image as the last programming run built and sent it, as S-records.
  bool saveImage(const std::filesystem::path& path);

 private:
  std::string port_;
  std::unique_ptr<link::SerialDevice> device_;
  ProductionReporter reporter_;
  link::TDComm comm_;
  link::PagerLink link_;
  std::unique_ptr<codeplug::CodeplugImage> image_;
  codeplug::SettingsRecord settings_;
  storage::WorkFiles work_;
  conversion::ConverterState converter_;
  NoMemorySerialDialog dialogs_;
  operations::OperationSettings operationSettings_;
  storage::CodeplugSession session_;
  operations::PagerOperations operations_;
};

}  // namespace zelta::production
