#include "cli/cli_operations.h"

#include <filesystem>
#include <system_error>

#include "storage/work_folder.h"

namespace zelta::cli {

namespace {

// The scratch files live beside the program, as the desktop tool keeps them
// (or in the user's folder when that is not writable).
std::filesystem::path programFolder() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path() : self.parent_path();
}

}  // namespace

errors::ResultCode CliMemorySerial::askMemoryAndSerial(operations::MemorySerialRequest& request) {
  if (serial_.empty()) {
    run_.io.err << "The pager is unprogrammed: give its new serial number with --serial "
                   "(and --memory CODE).\n";
    return errors::code::Cancelled;
  }
  request.serialNumber = serial_.substr(0, 10);
  if (memoryCode_) request.memoryCode = *memoryCode_;
  return errors::code::Ok;
}

OperationRun::OperationRun(CliRun& run, const LinkOptions& options,
                           operations::OperatorDialogs& dialogs)
    : session(run, options),
      work{storage::workFolder(programFolder()), {}},
      codeplugSession{*codeplug.image, codeplug.settings, work, run.reporter,
                      codeplug::standardCodec()},
      operations(session.link(), codeplugSession, converter, dialogs, settings) {
  session.link().setImageBuffers(link::imageBuffersOf(*codeplug.image));
}

}  // namespace zelta::cli
