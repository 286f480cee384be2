#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "cli/cli_app.h"
#include "cli/codeplug_files.h"
#include "codeplug/new_codeplug.h"
#include "pages/page_context_of.h"
#include "pages/page_rules.h"

namespace zelta::cli {

// new --model CODE -o FILE: a codeplug of the model from its defaults.
void addNewCommand(CLI::App& app, CliRun& run) {
  struct Options {
    std::string model;
    std::string output;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub =
      app.add_subcommand("new", "Write a codeplug file of a model from its default settings");
  sub->add_option("--model", options->model, "Model code: hexadecimal (0x91) or its character (p)")
      ->required();
  sub->add_option("-o,--output", options->output, "Codeplug file to write")->required();
  sub->callback([&run, options] {
    run.action = [&run, options]() -> int {
      const auto model = parseModelCode(options->model);
      if (!model) {
        run.io.err << "new: \"" << options->model
                   << "\" is no model code (hexadecimal such as 0x91, or a character such as p)\n";
        return kExitUsage;
      }
      const auto info = models::findModel(*model);
      if (!info) {
        run.io.err << "new: no pager model has the code " << modelHex(*model) << '\n';
        return kExitUsage;
      }
      // The 768-byte models exist only as images read from old pagers; a
      // file of theirs in the 1 KB layout would not load again. '!' has a
      // 1 KB form of its own.
      if (info->family == models::Family::OldFormat && *model != models::kModelBang) {
        run.io.err << "new: model " << modelHex(*model)
                   << " codeplugs come only from old pagers; no new one can be made\n";
        return kExitUsage;
      }

      Codeplug codeplug;
      codeplug::setUpNewCodeplug(*model, *codeplug.image, codeplug.settings);
      pages::PageContext context =
          pages::pageContextOf(*codeplug.image, codeplug.settings, run.reporter);
      pages::applyPageRules(context);
      return saveCodeplugFile(codeplug, options->output, true, run);
    };
  });
}

}  // namespace zelta::cli
