#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/cli_app.h"
#include "cli/codeplug_files.h"
#include "codeplug/codeplug_image.h"
#include "codeplug/settings_record.h"
#include "pages/editing_page_modules.h"
#include "pages/page_context_of.h"

namespace zelta::cli {

namespace {

// The program's codec with the check's own decoder, so that the file is
// opened exactly as every other command opens it.
class CheckCodec final : public codeplug::CodeplugCodec {
 public:
  explicit CheckCodec(const DecodeImage& decode) : decode_(decode) {}
  errors::ResultCode decode(codeplug::DecodeCommand, codeplug::CodeplugImage& image,
                            codeplug::SettingsRecord& settings,
                            const codeplug::DecodeContext&) const override {
    return decode_(image, settings);
  }
  errors::ResultCode build(codeplug::CodeplugImage& image, codeplug::SettingsRecord& settings,
                           const codeplug::BuildContext& context) const override {
    return codeplug::standardCodec().build(image, settings, context);
  }
  void loadDefaultPrompts(codeplug::SettingsRecord& settings,
                          models::ModelCode model) const override {
    codeplug::standardCodec().loadDefaultPrompts(settings, model);
  }

 private:
  const DecodeImage& decode_;
};

}  // namespace

int runCheck(const std::string& path, const DecodeImage& decode, CliRun& run) {
  OpenedCodeplug opened = loadCodeplugFile(path, CheckCodec(decode));
  if (!opened.codeplug) {
    run.io.err << path << ": " << opened.failure << '\n';
    return kExitFailed;
  }
  codeplug::CodeplugImage& image = *opened.codeplug->image;
  codeplug::SettingsRecord& settings = opened.codeplug->settings;

  pages::PageContext context = pages::pageContextOf(image, settings, run.reporter);
  pages::EditingPageModules modules;
  pages::FieldDispatcher dispatcher(modules.registry());
  const errors::ResultCode result =
      dispatcher.runPageCheckChain(pages::Page::General, std::nullopt, context);
  if (result == errors::code::Ok) {
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
