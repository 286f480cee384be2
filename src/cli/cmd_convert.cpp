#include <CLI/CLI.hpp>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>
#include <system_error>
#include <vector>

#include "cli/cli_app.h"
#include "codeplug/codec.h"
#include "conversion/codeplug_commands.h"
#include "conversion/model_converter.h"
#include "link/wire.h"
#include "storage/codeplug_files.h"

namespace zelta::cli {
namespace {

namespace fs = std::filesystem;

// The scratch files of one conversion. The window keeps them in its work
// folder; a command-line run, which may run beside others, keeps them in a
// folder of its own that goes when the run ends.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::error_code ec;
    std::string pattern = (fs::temp_directory_path(ec) / "zelta-pps-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()) != nullptr) path_ = name.data();
  }
  ~ScratchFolder() {
    std::error_code ec;
    if (!path_.empty()) fs::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// One line on standard error for a failure. A result code has been shown
// by the reporter already, with the file it is about; a file that cannot
// be reached has shown nothing.
int failed(errors::ResultCode result, const char* what, const std::string& path,
           const std::string& output, CliRun& run) {
  if (result == storage::kFileNotAccessible) {
    run.io.err << "convert: cannot " << what << " \"" << path << "\"";
    if (!run.reporter.context().fileProblem.empty())
      run.io.err << ": " << run.reporter.context().fileProblem;
    run.io.err << '\n';
  } else {
    run.io.err << "convert: nothing was written to \"" << output << "\"\n";
  }
  return kExitFailed;
}

}  // namespace

int runConvert(const std::string& file, const std::string& target, const std::string& output,
               const codeplug::CodeplugCodec& codec, CliRun& run) {
  const conversion::ConverterMode mode =
      target == "varda" ? conversion::ConverterMode::Varda : conversion::ConverterMode::Lumio;
  ScratchFolder scratch;
  if (scratch.path().empty()) {
    run.io.err << "convert: no temporary folder for the scratch files\n";
    return kExitFailed;
  }
  auto image = std::make_unique<codeplug::CodeplugImage>();
  auto settings = std::make_unique<codeplug::SettingsRecord>();
  storage::WorkFiles work{scratch.path(), {}};
  const storage::CodeplugSession session{*image, *settings, work, run.reporter, codec};
  conversion::ConverterState converter;

  const errors::ResultCode opened = conversion::openCodeplug(file, session, converter);
  if (opened != errors::code::Ok) return failed(opened, "open", file, output, run);
  const models::ModelCode source = image->modelCode();

  conversion::chooseConverter(converter, mode, *image, *settings);
  const errors::ResultCode saved = conversion::saveCodeplug(output, session, converter);
  if (saved != errors::code::Ok) return failed(saved, "write", output, output, run);
  run.io.out << "convert: " << file << " (model " << link::modelLabel(source) << ") -> " << output
             << " (model " << link::modelLabel(image->modelCode()) << ", Zelta "
             << (mode == conversion::ConverterMode::Varda ? "Varda" : "Lumio") << ")\n";
  return kExitOk;
}

// convert FILE --target lumio|varda -o OUT
void addConvertCommand(CLI::App& app, CliRun& run, const codeplug::CodeplugCodec& codec) {
  struct Options {
    std::string file;
    std::string target;
    std::string output;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub = app.add_subcommand(
      "convert",
      "Convert a family A, B or C codeplug to the family D layout of a target pager and save it");
  sub->add_option("file", options->file, "Codeplug file (.cp)")->required();
  sub->add_option("--target", options->target, "Target pager: lumio or varda")
      ->required()
      ->check(CLI::IsMember({"lumio", "varda"}));
  sub->add_option("-o,--output", options->output, "Codeplug file to write")->required();
  sub->callback([&run, options, &codec] {
    run.action = [&run, options, &codec] {
      return runConvert(options->file, options->target, options->output, codec, run);
    };
  });
}

}  // namespace zelta::cli
