#include <CLI/CLI.hpp>
#include <fstream>
#include <ostream>

#include "cli/cli_app.h"
#include "cli/codeplug_files.h"
#include "codeplug/codeplug_image.h"
#include "codeplug/data_process.h"
#include "codeplug/settings_record.h"
#include "pages/editing_page_modules.h"
#include "pages/page_context_of.h"

namespace zelta::cli {

int runCheck(const std::string& path, const DecodeImage& decode, CliRun& run) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    run.io.err << "check: cannot open \"" << path << "\"\n";
    return kExitFailed;
  }
  codeplug::CodeplugImage image;
  codeplug::SettingsRecord settings;
  const models::ModelCode model = codeplug::DataProcess(image, settings).parseSRecordImage(file);
  if (model == 0) {
    run.io.err << describeFailure(errors::code::InvalidArchive, run.reporter.context()) << '\n';
    return kExitFailed;
  }
  image.setModel(model);
  if (const errors::ResultCode decoded = decode(image, settings); decoded != errors::code::Ok) {
    run.io.err << describeFailure(decoded, run.reporter.context()) << '\n';
    return kExitFailed;
  }

  pages::PageContext context = pages::pageContextOf(image, settings, run.reporter);
  pages::EditingPageModules modules;
  pages::FieldDispatcher dispatcher(modules.registry());
  const errors::ResultCode result =
      dispatcher.runPageCheckChain(pages::Page::General, std::nullopt, context);
  if (result == errors::code::Done) {
    run.io.out << "check: " << path << " passes the page checks\n";
    return kExitOk;
  }
  run.io.out << "check: " << path << " fails the page checks (" << result << ")\n";
  return kExitFailed;
}

// check FILE: the page checks that guard programming and saving, on a
// codeplug file. Each failing check shows its report on standard error.
void addCheckCommand(CLI::App& app, CliRun& run, DecodeImage decode) {
  struct Options {
    std::string file;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub = app.add_subcommand(
      "check", "Run the page checks that guard programming and saving on a codeplug file");
  sub->add_option("file", options->file, "Codeplug file (.cp)")->required();
  sub->callback([&run, options, decode = std::move(decode)] {
    run.action = [&run, options, decode] { return runCheck(options->file, decode, run); };
  });
}

}  // namespace zelta::cli
