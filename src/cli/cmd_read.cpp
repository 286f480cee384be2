#include <CLI/CLI.hpp>
#include <ostream>
#include <vector>

#include "cli/cli_app.h"
#include "cli/cli_operations.h"
#include "codeplug/frequency_band.h"
#include "codeplug/frequency_synthesizer.h"

namespace zelta::cli {
namespace {

// Keeps the statements of the checks, to be shown after the file is saved.
class CollectingReporter final : public errors::Reporter {
 public:
  std::vector<errors::Message> shown;

 protected:
  void showMessage(const errors::Message& message) override { shown.push_back(message); }
  bool askQuestion(std::optional<errors::ResultCode>, const errors::Question&) override {
    return false;
  }
};

// The frequency checks saving and programming make, on the codeplug as
// read; they change nothing.
std::vector<errors::Message> saveCheckFindings(const Codeplug& codeplug) {
  const models::ModelCode model = codeplug.image->modelCode();
  const codeplug::FrequencySettings frequency = codeplug::frequencySettingsOf(
      codeplug.settings, model, codeplug::bandTableFor(model, "", false));
  CollectingReporter findings;
  codeplug::checkSynthesizable(frequency, findings);
  codeplug::checkFrequencyInBand(frequency, findings);
  return findings.shown;
}

// The pager's image saved exactly as read: the file is the pager's backup,
// whatever the checks think of it. An image converted from the old format
// is no longer the pager's layout and is built as a save builds it.
int saveAsRead(OperationRun& op, const std::string& path, CliRun& run) {
  Codeplug& codeplug = op.codeplug;
  const bool ownLayout = codeplug.image->current().byte(1) == codeplug.image->modelCode();
  if (!ownLayout) return saveCodeplugFile(codeplug, path, false, run);
  storage::CodeplugFiles files(op.codeplugSession);
  if (files.writeImageFile(path) != errors::code::Ok) {
    run.io.err << path << ": cannot write the file: " << run.reporter.context().fileProblem << '\n';
    return kExitFailed;
  }
  const std::vector<errors::Message> findings = saveCheckFindings(codeplug);
  if (!findings.empty()) {
    run.io.err << path << ": saved as read; saving or programming this codeplug stops at:\n";
    for (const errors::Message& m : findings) run.io.err << "  " << reportLine(m) << '\n';
  }
  return kExitOk;
}

// The serial number and a blank, as the summary line names the pager; the
// stored number is padded with blanks, and an unprogrammed pager has none.
std::string serialShown(std::string serial) {
  while (!serial.empty() && serial.back() == ' ') serial.pop_back();
  return serial.empty() ? serial : serial + ' ';
}

}  // namespace

// read --port DEV -o FILE: reads the pager's codeplug, decodes it and saves
// the image as read. A failed read writes nothing; a codeplug that fails the
// frequency checks is still saved, and the findings follow as warnings.
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
      const errors::OperationOutcome read =
          op->operations.RunPagerOperation(operations::OperationKind::Read);
      if (op->session.stoppedBy() != 0) {
        return op->session.reportStopped("nothing was saved; the pager is unchanged.");
      }
      if (!read.succeeded()) return reportLinkFailure(run, read.code);
      const int saved = saveAsRead(*op, options->output, run);
      if (saved == kExitOk) {
        run.io.out << "Read " << link::modelLabel(op->codeplug.image->modelCode()) << " pager "
                   << serialShown(op->codeplug.settings.serialNumber) << "into " << options->output
                   << '\n';
      }
      return saved;
    };
  });
}

}  // namespace zelta::cli
