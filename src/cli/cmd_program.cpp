#include <CLI/CLI.hpp>

#include "cli/cli_app.h"
#include "cli/cli_operations.h"

namespace zelta::cli {

// program --port DEV FILE: programs the codeplug file into the pager on the
// fixture, with every check and question of programming from the window.
void addProgramCommand(CLI::App& app, CliRun& run) {
  struct Options {
    LinkOptions link;
    std::string file;
    std::string password;
    std::string serial;
    std::optional<int> memory;
    bool noBackup = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* sub =
      app.add_subcommand("program", "Program a codeplug file into the pager on the fixture");
  addLinkOptions(*sub, options->link);
  sub->add_option("file", options->file, "Codeplug file (.cp)")->required();
  sub->add_option("--password", options->password,
                  "Download password, sent when the pager asks for one");
  sub->add_option("--serial", options->serial,
                  "Serial number for an unprogrammed pager (at most 10 characters)");
  sub->add_option("--memory", options->memory,
                  "Personal memory code for an unprogrammed pager (1-8, or 3-32 on 32 K pagers)");
  sub->add_flag("--no-backup", options->noBackup, "Do not write ~writeBeforeCP.bak first");
  sub->callback([&run, options] {
    run.action = [&run, options]() -> int {
      std::optional<Codeplug> loaded = openCodeplugFile(options->file, run);
      if (!loaded) return kExitFailed;
      CliMemorySerial dialogs(run, options->serial, options->memory);
      auto op = std::make_unique<OperationRun>(run, options->link, dialogs);
      if (!op->session.ready()) return kExitFailed;
      op->session.usePassword(options->password);
      *op->codeplug.image = *loaded->image;
      op->codeplug.settings = std::move(loaded->settings);
      op->settings.sourceModel = op->codeplug.image->modelCode();
      op->settings.backupBeforeProgramming = !options->noBackup;

      const errors::OperationOutcome programmed =
          op->operations.RunPagerOperation(operations::OperationKind::Program);
      if (op->session.stoppedBy() != 0) {
        return op->session.reportStopped(
            programmed.pagerWritten
                ? "the image was written whole and its checksum accepted; the pager's clock "
                  "was not set."
                : "nothing was written to the pager.");
      }
      if (programmed.succeeded()) {
        run.io.out << "Programmed " << link::modelLabel(op->session.link().state().modelCode)
                   << " pager from " << options->file << '\n';
        return kExitOk;
      }
      if (programmed.kind == errors::OutcomeKind::NotWritten) {
        // A repeated attempt abandoned after an earlier one was cut off
        // mid-write: the operation has said what the pager holds.
        if (!programmed.writeInterrupted) {
          run.io.err << "Programming abandoned: nothing was written.\n";
        }
        return kExitFailed;
      }
      // The operation has shown every other failure.
      if (programmed.failedWith(errors::code::NotResponding)) {
        return reportLinkFailure(run, programmed.code);
      }
      return kExitFailed;
    };
  });
}

}  // namespace zelta::cli
