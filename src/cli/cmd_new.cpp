#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>

#include "cli/cli_app.h"
#include "cli/codeplug_files.h"
#include "codeplug/defaults.h"
#include "codeplug/frequency_band.h"

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
      const auto info = codeplug::findModel(*model);
      if (!info) {
        run.io.err << "new: no pager model has the code " << modelHex(*model) << '\n';
        return kExitUsage;
      }
      // The 768-byte models exist only as images read from old pagers; a
      // file of theirs in the 1 KB layout would not load again. '!' has a
      // 1 KB form of its own.
      if (info->family == codeplug::Family::OldFormat && *model != '!') {
        run.io.err << "new: model " << modelHex(*model)
                   << " codeplugs come only from old pagers; no new one can be made\n";
        return kExitUsage;
      }

      Codeplug codeplug;
      codeplug::CodeplugImage& image = *codeplug.image;
      image.setModel(*model);
      image.header().cgromType = 0;
      image.header().memorySize = 32;
      image.header().modelByte = *model;
      codeplug::resetToDefaults(codeplug.settings, image, false);
      // The defaults name no band: the one of the default frequency. The
      // second receiver of the two-frequency models starts on it too.
      codeplug::SettingsRecord& s = codeplug.settings;
      const codeplug::Hertz hz = codeplug::frequencyHzFromText(s.frequency).value_or(0);
      if (const int band = codeplug::bandOfFrequency(hz); band >= 0) s.freqBand = band;
      if (codeplug::modelIn(*model, codeplug::ModelGroup::dualOrF) && s.frequency2.empty()) {
        s.frequency2 = codeplug::frequencyTextOf(hz, 4);
      }
      return saveCodeplugFile(codeplug, options->output, true, run);
    };
  });
}

}  // namespace zelta::cli
