#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <vector>

#include "codeplug/codeplug_image.h"
#include "codeplug/settings_record.h"
#include "link/clock.h"
#include "link/serial_device.h"
#include "production/allocation_journal.h"
#include "production/allocation_plan.h"
#include "production/fixture_station.h"
#include "production/production_observer.h"

namespace zelta::production {

// Everything a production run is made of.
struct ProductionSetup {
  std::string templateFile;  // as the journal names it
  std::shared_ptr<const codeplug::CodeplugImage> templateImage;
  codeplug::SettingsRecord templateSettings;
  std::vector<std::string> ports;  // one fixture each
  std::filesystem::path journal;
  PlanLimits limits;
  // Where each programmed image is kept; by default a folder beside the
  // journal named after it ("RUN.jsonl" -> "RUN/").
  std::filesystem::path runFolder;
  // How often an empty fixture looks for a pager, and a full one whether
  // its pager was taken out.
  std::chrono::milliseconds probeInterval{1000};
  // The link's clock (shared: it keeps no state) and the serial device of
  // each fixture (termios by default).
  link::Clock* clock = nullptr;
  std::function<std::unique_ptr<link::SerialDevice>()> makeDevice;
};

// A production run: one plan, one journal, several fixtures. A front end
// opens it, then runs every fixture on a worker thread of its own (run() does
// that and waits) and stops it through the stop token: each fixture then
// finishes the block it is writing, releases a set that was not written,
// and returns.
class ProductionRun {
 public:
  ProductionRun(ProductionSetup setup, ProductionObserver& observer);
  ~ProductionRun();
  ProductionRun(const ProductionRun&) = delete;
  ProductionRun& operator=(const ProductionRun&) = delete;

  // Opens (or continues) the journal; false with the reason in `problem`.
  bool open(std::string& problem);
  // The journal as it was found when opened (a torn last line, earlier records).
  const JournalState& journalAtOpen() const { return atOpen_; }

  const AllocationPlan& plan() const { return plan_; }
  int fixtureCount() const { return static_cast<int>(setup_.ports.size()); }

  // One fixture's loop until the plan is exhausted or stop is requested.
  void runFixture(int index, std::stop_token stop);
  // All fixtures, each on a thread of its own; returns when all have ended.
  void run(std::stop_token stop);
  // run() until stop is requested or the run is complete: a complete run
  // stops the fixtures that still wait for a pager.
  void runToCompletion(std::stop_token stop);

  // The journal as it stands now, read through the run's own descriptor
  // (another one, closed, would take the run's mark off the file); false
  // when it cannot be read.
  bool journalState(JournalState& state);

  // From the journal as it stands now.
  ProductionCounters counters();
  std::vector<SetEntry> inDoubt();
  // Every set of the plan is written (a count plan), or nothing is left to
  // hand out and nothing is in doubt.
  bool complete();

 private:
  ProductionSetup setup_;
  ProductionObserver& observer_;
  AllocationPlan plan_;
  std::unique_ptr<AllocationJournal> journal_;
  JournalState atOpen_;
  std::vector<std::unique_ptr<FixtureStation>> stations_;
};

// The journal's header for a plan: what a later run must match.
RunHeader runHeaderOf(const ProductionSetup& setup, const AllocationPlan& plan);

}  // namespace zelta::production
