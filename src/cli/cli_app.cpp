#include "cli/cli_app.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <ostream>

#include "codeplug/codec.h"
#include "codeplug/decoders.h"
#include "version.h"

namespace zelta::cli {
namespace {

using AddCommand = void (*)(CLI::App&, CliRun&);

// Every subcommand of zelta-pps-cli, in the order --help lists them.
constexpr AddCommand kCommands[] = {
    addExplainCommand,
    addInfoCommand,
    addShowCommand,
    addNewCommand,
    addEditCommand,
    addPortsCommand,
    addIdentifyCommand,
    addReadCommand,
    addProgramCommand,
    addServiceCommand,
    addProduceCommand,
    [](CLI::App& app, CliRun& run) {
      addCheckCommand(
          app, run, [](codeplug::CodeplugImage& image, codeplug::SettingsRecord& settings) {
            return codeplug::decodeImage(codeplug::DecodeCommand::OpenFile, image, settings, {});
          });
    },
    [](CLI::App& app, CliRun& run) { addConvertCommand(app, run, codeplug::standardCodec()); },
    [](CLI::App& app, CliRun& run) { addDiffCommand(app, run, codeplug::standardCodec()); },
};

// Result codes are negative numbers, which the option parser would take for
// short options ("-30" as "-3 0"). No option of ours is named by a digit, so
// such an argument is marked as a value with a leading blank, which the
// parser classifies as positional; readers trim it (parseResultCode).
std::string protectNegativeNumber(const std::string& arg) {
  if (arg.size() < 2 || arg[0] != '-') return arg;
  for (std::size_t i = 1; i < arg.size(); ++i) {
    if (arg[i] < '0' || arg[i] > '9') return arg;
  }
  return " " + arg;
}

// --retries: a small count. The parser's own range check would print the
// largest double as the limit.
CLI::Validator retryCountCheck() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        std::string_view value = text;
        while (value.starts_with(' ')) value.remove_prefix(1);  // see protectNegativeNumber
        int count = -1;
        const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), count);
        if (ec == std::errc() && end == value.data() + value.size() && count >= 0 &&
            count <= CliReporter::kMaxRetries) {
          text = std::string(value);
          return {};
        }
        return "takes a count from 0 to " + std::to_string(CliReporter::kMaxRetries) + ", not \"" +
               std::string(value) + "\"";
      },
      "0-" + std::to_string(CliReporter::kMaxRetries));
}

}  // namespace

bool parseResultCode(std::string_view text, errors::ResultCode& code) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), code);
  return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

int runCli(const std::vector<std::string>& args, CliIo& io) {
  CliRun run(io);
  CLI::App app{"Zelta PPS command line: codeplug files, pagers and result codes.", "zelta-pps-cli"};
  app.set_version_flag("--version", std::string(zelta::kProgramVersion),
                       "Print the program version and exit");
  app.require_subcommand(1);
  app.fallthrough();  // --yes/--no may stand after the subcommand too

  bool yes = false;
  bool no = false;
  auto* yesOption = app.add_flag("--yes", yes, "Answer Yes to every question");
  app.add_flag("--no", no, "Answer No to every question")->excludes(yesOption);
  int retries = CliReporter::kDefaultRetries;
  app.add_option("--retries", retries,
                 "With --yes: how often a pager that does not respond is tried again before "
                 "giving up")
      ->check(retryCountCheck())
      ->capture_default_str();

  for (AddCommand add : kCommands) add(app, run);

  // args is argv as given (program name first); CLI11 takes the arguments
  // without the program name, last one first.
  std::vector<std::string> reversed;
  reversed.reserve(args.size());
  for (auto it = args.rbegin(); it != args.rend(); ++it)
    reversed.push_back(protectNegativeNumber(*it));
  if (!reversed.empty()) reversed.pop_back();  // the program name
  try {
    app.parse(reversed);
  } catch (const CLI::ParseError& e) {
    const int status = app.exit(e, io.out, io.err);
    return status == 0 ? kExitOk : kExitUsage;
  }

  run.reporter.setRetries(retries);
  if (yes) run.reporter.setAnswer(CliReporter::Answer::Yes);
  if (no) run.reporter.setAnswer(CliReporter::Answer::No);
  if (!run.action) return kExitUsage;
  return run.action();
}

}  // namespace zelta::cli
