#pragma once

#include <optional>
#include <string>

#include "cli/cli_app.h"
#include "cli/cli_link.h"
#include "cli/codeplug_files.h"
#include "codeplug/codec.h"
#include "codeplug/codeplug_files.h"
#include "link/pager_operations.h"
#include "service/model_converter.h"

namespace zelta::cli {

// The memory and serial number dialog on the command line: the answers come
// from --serial and --memory; without them an unprogrammed pager is not
// programmed (-17).
class CliMemorySerial : public link::OperatorDialogs {
 public:
  CliMemorySerial(CliRun& run, std::string serial, std::optional<int> memoryCode)
      : run_(run), serial_(std::move(serial)), memoryCode_(memoryCode) {}
  errors::ResultCode askMemoryAndSerial(link::MemorySerialRequest& request) override;

 private:
  CliRun& run_;
  std::string serial_;
  std::optional<int> memoryCode_;
};

// A codeplug, the link and the operations of one read or program command.
struct OperationRun {
  OperationRun(CliRun& run, const LinkOptions& options, link::OperatorDialogs& dialogs);

  Codeplug codeplug;
  LinkSession session;
  codeplug::WorkFiles work;
  service::ConverterState converter;
  link::OperationSettings settings;
  codeplug::CodeplugSession codeplugSession;
  link::PagerOperations operations;
};

}  // namespace zelta::cli
