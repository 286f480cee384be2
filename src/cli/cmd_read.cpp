#include <CLI/CLI.hpp>

#include "cli/cli_app.h"
#include "cli/cli_operations.h"

namespace zelta::cli {

// read --port DEV -o FILE: reads the pager's codeplug, decodes it and saves
// it as a codeplug file. A failed read writes nothing.
void addReadCommand(CLI::App& app, CliRun& run) {
  struct Options {
    LinkOptions link;
    std::string output;
    std::string password;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub = app.add_subcommand(
      "read", "Read the codeplug of the pager on the fixture and save it as a codeplug file");
  addLinkOptions(*sub, options->link);
  sub->add_option("-o,--output", options->output, "Codeplug file to write (.cp)")->required();
  sub->add_option("--password", options->password,
                  "Download password, sent when the pager asks for one");
  sub->callback([&run, options] {
    run.action = [&run, options]() -> int {
      CliMemorySerial dialogs(run, "", std::nullopt);
      auto op = std::make_unique<OperationRun>(run, options->link, dialogs);
      if (!op->session.ready()) return kExitFailed;
      op->session.usePassword(options->password);
      const errors::ResultCode r =
          op->operations.RunPagerOperation(operations::OperationKind::Read);
      if (r != errors::code::Done) return reportLinkFailure(run, r);
      const int saved = saveCodeplugFile(op->codeplug, options->output, false, run);
      if (saved == kExitOk) {
        run.io.out << "Read " << link::modelLabel(op->codeplug.image->modelCode()) << " pager "
                   << op->codeplug.settings.serialNumber << " into " << options->output << '\n';
      }
      return saved;
    };
  });
}

}  // namespace zelta::cli
