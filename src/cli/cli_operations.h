#pragma once

#include <optional>
#include <string>

#include "cli/cli_app.h"
#include "cli/cli_link.h"
#include "cli/codeplug_files.h"
#include "codeplug/codec.h"
#include "conversion/model_converter.h"
#include "operations/pager_operations.h"
#include "storage/codeplug_files.h"

namespace zelta::cli {

// The memory and serial number dialog on the command line: the answers come
// from --serial and --memory; without them an unprogrammed pager is not
// programmed (-17).
class CliMemorySerial : public operations::OperatorDialogs {
 public:
  CliMemorySerial(CliRun& run, std::string serial, std::optional<int> memoryCode)
      : run_(run), serial_(std::move(serial)), memoryCode_(memoryCode) {}
  errors::ResultCode askMemoryAndSerial(operations::MemorySerialRequest& request) override;

 private:
  CliRun& run_;
  std::string serial_;
  std::optional<int> memoryCode_;
};

// A codeplug, the link and the operations of one read or program command.
struct OperationRun {
  OperationRun(CliRun& run, const LinkOptions& options, operations::OperatorDialogs& dialogs);

  Codeplug codeplug;
  LinkSession session;
  storage::WorkFiles work;
  conversion::ConverterState converter;
  operations::OperationSettings settings;
  storage::CodeplugSession codeplugSession;
  operations::PagerOperations operations;
};

}  // namespace zelta::cli
