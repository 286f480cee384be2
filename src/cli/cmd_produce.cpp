#include <CLI/CLI.hpp>
#include <atomic>
#include <chrono>
#include <memory>
#include <ostream>
#include <stop_token>
#include <thread>

#include "cli/cli_app.h"
#include "cli/cli_signals.h"
#include "cli/codeplug_files.h"
#include "cli/production_status.h"
#include "link/clock.h"
#include "production/journal_file.h"
#include "production/journal_state.h"
#include "production/production_run.h"
#include "production/production_texts.h"
#include "production/record_table.h"

namespace zelta::cli {
namespace {

struct ProduceOptions {
  std::string templateFile;
  std::vector<std::string> ports;
  std::string journal;
  std::optional<int> count;
  std::optional<std::uint32_t> untilCode;
  int probeIntervalMs = 1000;
  std::string report;
  bool csv = false;
};

// The journal's damaged lines and unfinished sets, on standard error.
void reportJournalProblems(CliRun& run, const production::JournalState& state,
                           const production::JournalFile& file) {
  if (state.tornLastLine) {
    run.io.err << "journal line " << state.tornLastLine->number
               << " is torn (the writer stopped in the middle of it) and was skipped: "
               << state.tornLastLine->text << '\n';
  }
  for (const production::DamagedLine& d : state.damagedLines) {
    run.io.err << "journal line " << d.number << " is no event and was skipped: " << d.text << '\n';
  }
  for (const auto& [index, entry] : state.sets) {
    if (entry.status != production::SetStatus::Reserved) continue;
    const bool running = file.processRunsOnJournal(entry.pid);
    run.io.err << "set " << index << " (" << production::describeSet(entry.set) << ") reserved by "
               << entry.fixture << " for pager " << entry.serialNumber
               << (running ? ": being programmed\n"
                           : ": in doubt, its run ended before it was finished\n");
  }
}

int printReport(const ProduceOptions& o, CliRun& run) {
  production::JournalFault fault = production::JournalFault::None;
  std::string reason;
  const auto file = production::JournalFile::open(o.report, fault, reason);
  std::string content;
  if (!file || (fault = file->read(content)) != production::JournalFault::None) {
    run.io.err << o.report << ": " << production::describeJournalFault(fault) << ": "
               << (file ? file->lastError() : reason) << '\n';
    return kExitFailed;
  }
  const production::JournalState state = production::replayJournal(content);
  if (o.csv) {
    run.io.out << production::recordsCsv(state.records);
  } else {
    for (const production::PagerRecord& r : state.records) {
      run.io.out << production::recordLine(r) << '\n';
    }
  }
  reportJournalProblems(run, state, *file);
  return kExitOk;
}

production::ProductionSetup setupOf(const ProduceOptions& o, Codeplug&& codeplug,
                                    link::Clock& clock) {
  production::ProductionSetup setup;
  setup.templateFile = o.templateFile;
  setup.templateImage = std::shared_ptr<const codeplug::CodeplugImage>(std::move(codeplug.image));
  setup.templateSettings = std::move(codeplug.settings);
  setup.ports = o.ports;
  setup.journal = o.journal;
  setup.limits = {o.count, o.untilCode};
  setup.probeInterval = std::chrono::milliseconds(o.probeIntervalMs);
  setup.clock = &clock;
  return setup;
}

int produce(const ProduceOptions& o, CliRun& run) {
  std::optional<Codeplug> loaded = openCodeplugFile(o.templateFile, run);
  if (!loaded) return kExitFailed;
  link::SteadyClock clock;
  ProductionStatus status(run.io, o.ports.size());
  production::ProductionRun production(setupOf(o, std::move(*loaded), clock), status);
  std::string problem;
  if (!production.open(problem)) {
    run.io.err << o.journal << ": " << problem << '\n';
    return kExitFailed;
  }
  if (const auto& torn = production.journalAtOpen().tornLastLine) {
    run.io.err << "journal line " << torn->number
               << " is torn (the writer stopped in the middle of it) and was skipped\n";
  }
  const SignalDeferral signals;
  std::stop_source stop;
  std::atomic<bool> finished = false;
  std::jthread runner([&] {
    production.runToCompletion(stop.get_token());
    finished = true;
  });
  while (!finished) {
    if (SignalDeferral::received() != 0) stop.request_stop();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  runner.join();
  const int signal = SignalDeferral::received();
  if (signal != 0) {
    run.io.err << "Stopped by " << signalName(signal)
               << ": every block being written was finished; sets not written were released.\n";
    return 128 + signal;
  }
  const bool complete = production.complete();
  (complete ? run.io.out : run.io.err)
      << production::runEndText(production.counters(), complete, production.inDoubt()) << '\n';
  return complete ? kExitOk : kExitFailed;
}

}  // namespace

// produce TEMPLATE.cp --port P [--port P ...] --journal RUN.jsonl [--count N]
// [--until-code C]: programs pagers on several fixtures at once, each with a
// set of codes no other pager has, recorded in the journal. produce --report
// RUN.jsonl [--csv]: the record of every pager.
void addProduceCommand(CLI::App& app, CliRun& run) {
  auto o = std::make_shared<ProduceOptions>();
  CLI::App* sub = app.add_subcommand(
      "produce",
      "Program pagers on several fixtures at once, each with its own codes, recorded in a "
      "journal");
  sub->add_option("template", o->templateFile, "Codeplug file of the first pager (.cp)");
  sub->add_option("--port", o->ports, "Serial device of a fixture; repeat for each fixture");
  sub->add_option("--journal", o->journal, "Allocation journal (JSON lines), created or continued");
  sub->add_option("--count", o->count, "Number of pagers of the run")->check(CLI::PositiveNumber);
  sub->add_option("--until-code", o->untilCode,
                  "End after the pager whose first Individual code reaches this code")
      ->check(CLI::Range(8, 2097151));
  sub->add_option("--probe-interval-ms", o->probeIntervalMs,
                  "How often an idle fixture looks for a pager")
      ->capture_default_str()
      ->check(CLI::Range(10, 60000));
  sub->add_option("--report", o->report, "Print the records of a journal instead of running");
  sub->add_flag("--csv", o->csv, "With --report: comma-separated values with a header line");
  sub->callback([&run, o] {
    run.action = [&run, o]() -> int {
      if (!o->report.empty()) return printReport(*o, run);
      if (o->templateFile.empty() || o->ports.empty() || o->journal.empty()) {
        run.io.err << "produce needs TEMPLATE, --port and --journal (or --report JOURNAL)\n";
        return kExitUsage;
      }
      if (!o->count && !o->untilCode) {
        run.io.err << "produce needs --count or --until-code\n";
        return kExitUsage;
      }
      return produce(*o, run);
    };
  });
}

}  // namespace zelta::cli
