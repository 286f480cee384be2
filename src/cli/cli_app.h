#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_io.h"
#include "cli/cli_reporter.h"

namespace CLI {
class App;
}

namespace zelta::codeplug {
class CodeplugImage;
class SettingsRecord;
class CodeplugCodec;
}  // namespace zelta::codeplug

namespace zelta::cli {

// What a subcommand shares with the run: streams, the reporter, and the
// action it leaves to be run once the whole command line has been parsed.
struct CliRun {
  explicit CliRun(CliIo& ioRef) : io(ioRef), reporter(ioRef) {}
  CliIo& io;
  CliReporter reporter;
  std::function<int()> action;
};

// Parses and runs one command line (args as argv, program name first);
// returns the exit status.
int runCli(const std::vector<std::string>& args, CliIo& io);

// Reads a result code argument such as "-30".
bool parseResultCode(std::string_view text, errors::ResultCode& code);

// Each subcommand adds itself to the application (cmd_<name>.cpp).
void addExplainCommand(CLI::App& app, CliRun& run);
void addInfoCommand(CLI::App& app, CliRun& run);
void addShowCommand(CLI::App& app, CliRun& run);
void addEditCommand(CLI::App& app, CliRun& run);
void addNewCommand(CLI::App& app, CliRun& run);
void addPortsCommand(CLI::App& app, CliRun& run);
void addIdentifyCommand(CLI::App& app, CliRun& run);
void addReadCommand(CLI::App& app, CliRun& run);
void addProgramCommand(CLI::App& app, CliRun& run);
void addServiceCommand(CLI::App& app, CliRun& run);
void addProduceCommand(CLI::App& app, CliRun& run);

// Decodes the image of the model loaded into the settings; Ok on success.
using DecodeImage =
    std::function<errors::ResultCode(codeplug::CodeplugImage&, codeplug::SettingsRecord&)>;

// check FILE: reads the file, decodes it with `decode` and runs the page
// check chain. It joins kCommands with the codeplug decoder, e.g.
//   [](CLI::App& a, CliRun& r) { addCheckCommand(a, r, <the decoder>); }
void addCheckCommand(CLI::App& app, CliRun& run, DecodeImage decode);
int runCheck(const std::string& path, const DecodeImage& decode, CliRun& run);

// convert FILE --target lumio|varda -o OUT: a family A, B or C codeplug in
// the family D layout of the target; nothing is written when it cannot be
// converted. diff A B [--json]: the settings that differ, then the image
// bytes that differ outside any setting; 0 when equal, 1 when they differ,
// 2 when a file cannot be read. kCommands gives both the codeplug decoders
// (codeplug::standardCodec()); tests give them stand-ins.
void addConvertCommand(CLI::App& app, CliRun& run, const codeplug::CodeplugCodec& codec);
void addDiffCommand(CLI::App& app, CliRun& run, const codeplug::CodeplugCodec& codec);
int runConvert(const std::string& file, const std::string& target, const std::string& output,
               const codeplug::CodeplugCodec& codec, CliRun& run);
int runDiff(const std::string& fileA, const std::string& fileB, bool json,
            const codeplug::CodeplugCodec& codec, CliRun& run);

}  // namespace zelta::cli
