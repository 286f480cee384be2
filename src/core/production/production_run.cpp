#include "production/production_run.h"

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <system_error>
#include <thread>

#include "link/termios_serial_device.h"
#include "production/fixture_loop.h"

namespace zelta::production {

RunHeader runHeaderOf(const ProductionSetup& setup, const AllocationPlan& plan) {
  RunHeader h;
  h.templateFile = setup.templateFile;
  h.model = setup.templateImage ? setup.templateImage->modelCode() : 0;
  h.increment = plan.increment();
  h.first = plan.set(0).value_or(CodeSet{});
  h.count = setup.limits.count;
  h.untilCode = setup.limits.untilCode;
  return h;
}

ProductionRun::ProductionRun(ProductionSetup setup, ProductionObserver& observer)
    : setup_(std::move(setup)),
      observer_(observer),
      plan_(setup_.templateSettings,
            setup_.templateImage ? setup_.templateImage->modelCode() : models::kNoModel,
            setup_.limits) {
  if (setup_.runFolder.empty()) {
    setup_.runFolder = setup_.journal.parent_path() / setup_.journal.stem();
  }
  if (!setup_.makeDevice) {
    setup_.makeDevice = [] { return std::make_unique<link::TermiosSerialDevice>(); };
  }
}

ProductionRun::~ProductionRun() = default;

bool ProductionRun::open(std::string& problem) {
  if (!setup_.templateImage || setup_.clock == nullptr) {
    throw std::logic_error("a production run needs a template and a clock");
  }
  if (!plan_.set(0)) {
    problem = "the template gives no first set: its Individual codes are invalid or past the end";
    return false;
  }
  std::error_code ec;
  std::filesystem::create_directories(setup_.runFolder, ec);
  if (ec) {
    problem = "cannot make the run's folder " + setup_.runFolder.string() + ": " + ec.message();
    return false;
  }
  OpenedJournal opened = AllocationJournal::open(setup_.journal, plan_, runHeaderOf(setup_, plan_));
  atOpen_ = std::move(opened.replay);
  if (!opened.journal) {
    problem = opened.text;
    return false;
  }
  journal_ = std::move(opened.journal);
  for (const std::string& port : setup_.ports) {
    stations_.push_back(std::make_unique<FixtureStation>(port, setup_.makeDevice(), *setup_.clock));
  }
  return true;
}

void ProductionRun::runFixture(int index, std::stop_token stop) {
  if (!journal_) throw std::logic_error("the production run is not open");
  const FixtureRunContext context{
      *setup_.templateImage, setup_.templateSettings, *journal_, observer_,
      setup_.runFolder,      setup_.probeInterval};
  runFixtureLoop(index, *stations_.at(static_cast<std::size_t>(index)), context, std::move(stop));
}

void ProductionRun::run(std::stop_token stop) {
  std::vector<std::jthread> threads;
  for (int i = 0; i < fixtureCount(); ++i) {
    threads.emplace_back([this, i, stop] { runFixture(i, stop); });
  }
}

void ProductionRun::runToCompletion(std::stop_token stop) {
  std::stop_source fixtures;
  std::atomic<bool> finished = false;
  std::jthread runner([&] {
    run(fixtures.get_token());
    finished = true;
  });
  while (!finished) {
    if (stop.stop_requested() || complete()) fixtures.request_stop();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

bool ProductionRun::journalState(JournalState& state) {
  return journal_ && journal_->state(state) == JournalFault::None;
}

ProductionCounters ProductionRun::counters() {
  JournalState state;
  if (!journal_ || journal_->state(state) != JournalFault::None) return {};
  return journal_->counters(state);
}

std::vector<SetEntry> ProductionRun::inDoubt() {
  JournalState state;
  if (!journal_ || journal_->state(state) != JournalFault::None) return {};
  return journal_->inDoubt(state);
}

bool ProductionRun::complete() {
  JournalState state;
  if (!journal_ || journal_->state(state) != JournalFault::None) return false;
  const ProductionCounters c = journal_->counters(state);
  if (c.left >= 0) return c.left == 0;
  return journal_->inDoubt(state).empty() && !plan_.set(state.highestSet() + 1) &&
         std::none_of(state.sets.begin(), state.sets.end(),
                      [](const auto& s) { return s.second.status != SetStatus::Written; });
}

}  // namespace zelta::production
