// Production runs against several simulators at once, each fixture a
// pseudo-terminal of its own with a scripted sequence of pagers.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <mutex>
#include <set>
#include <thread>

#include "codeplug/field_encodings.h"
#include "production/fixture_loop.h"
#include "production/production_run.h"
#include "real_operations.h"
#include "sim_process.h"
#include "temp_folder.h"

namespace zelta::testing {
namespace {

namespace fs = std::filesystem;
using production::PagerRecord;

class RecordingObserver : public production::ProductionObserver {
 public:
  void fixtureChanged(const production::FixtureStatus&) override {}
  void pagerFinished(const PagerRecord& record) override {
    const std::lock_guard lock(mutex_);
    records.push_back(record);
  }
  void countersChanged(const production::ProductionCounters&) override {}
  std::mutex mutex_;
  std::vector<PagerRecord> records;
};

// The template's file and a simulator per fixture, with its pagers.
struct Line {
  Line(const std::vector<std::string>& scripts, const std::vector<std::string>& extra = {}) {
    templatePlan = defaultCodeplug(0x91);
    templatePlan.settings.code[0] = "0100000";
    templatePlan.settings.ICN = "LOT000001";
    writeBytes(dir.path() / "pager.bin", bytesOf(defaultCodeplug(0x91), 2048));
    for (std::size_t i = 0; i < scripts.size(); ++i) {
      std::vector<std::string> args{"--no-advertise",
                                    "--model",
                                    "0x91",
                                    "--image",
                                    (dir.path() / "pager.bin").string(),
                                    "--script",
                                    scripts[i],
                                    "--insert-gap-ms",
                                    "100",
                                    "--remove-after-ms",
                                    "300"};
      if (i + 1 == scripts.size()) args.insert(args.end(), extra.begin(), extra.end());
      sims.push_back(std::make_unique<SimProcess>(args));
    }
  }

  production::ProductionSetup setup(int count) {
    production::ProductionSetup s;
    s.templateFile = "template.cp";
    s.templateImage = std::make_shared<codeplug::CodeplugImage>(*templatePlan.image);
    s.templateSettings = templatePlan.settings;
    for (const auto& sim : sims) s.ports.push_back(sim->path());
    s.journal = dir.path() / "run.jsonl";
    s.limits.count = count;
    s.probeInterval = std::chrono::milliseconds(100);
    s.clock = &clock;
    return s;
  }

  // Runs until every set of the plan is written (or a minute has passed).
  void run(production::ProductionRun& production) {
    std::string problem;
    ASSERT_TRUE(production.open(problem)) << problem;
    std::stop_source stop;
    std::jthread runner([&] { production.run(stop.get_token()); });
    for (int i = 0; i < 1200 && !production.complete(); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    stop.request_stop();
  }

  TempFolder dir;
  TenthPauseClock clock;
  Codeplug templatePlan;
  std::vector<std::unique_ptr<SimProcess>> sims;
};

std::vector<production::SetEntry> writtenSets(production::ProductionRun& run,
                                              const fs::path& journal) {
  (void)run;
  std::ifstream in(journal);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const production::JournalState state = production::replayJournal(text);
  std::vector<production::SetEntry> sets;
  for (const auto& [index, entry] : state.sets) {
    if (entry.status == production::SetStatus::Written) sets.push_back(entry);
  }
  return sets;
}

// Three fixtures, three pagers each: nine pagers, nine sets in the plan's
// order, each on one pager, and each pager's image saved under its name.
TEST(ProductionLine, ThreeFixturesProgramNinePagersWithNineSets) {
  Line line({"A1,A2,A3", "B1,B2,B3", "C1,C2,C3"});
  RecordingObserver observer;
  production::ProductionRun production(line.setup(9), observer);
  line.run(production);

  const auto sets = writtenSets(production, line.dir.path() / "run.jsonl");
  ASSERT_EQ(sets.size(), 9u);
  std::set<std::string> pagers;
  std::set<std::string> codes;
  for (int i = 0; i < 9; ++i) {
    const production::SetEntry& e = sets[static_cast<std::size_t>(i)];
    EXPECT_EQ(e.set.index, i);
    EXPECT_EQ(e.set.codes.front().capcode, codeplug::codeText(100000 + static_cast<unsigned>(i)));
    pagers.insert(e.serialNumber);
    codes.insert(e.set.codes.front().capcode);
    EXPECT_TRUE(
        fs::exists(line.dir.path() / "run" / production::imageFileName(e.serialNumber, e.set.icn)));
  }
  EXPECT_EQ(pagers.size(), 9u);
  EXPECT_EQ(codes.size(), 9u);
  EXPECT_EQ(production.counters().failed, 0);
  ASSERT_EQ(observer.records.size(), 9u);
  for (const PagerRecord& r : observer.records) {
    EXPECT_EQ(r.code, errors::code::Ok) << r.serialNumber << ": " << r.text;
  }
}

// The last fixture's pager refuses every written block, or is swapped for
// another model after it was identified: its set is released and goes to a
// pager of another fixture, and the run still ends with every set written.
class FaultyFixture : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(FaultyFixture, ReleasesItsSetAndTheOthersGoOn) {
  Line line({"A1,A2,A3", "B1,B2,B3", "F1"}, GetParam());
  RecordingObserver observer;
  production::ProductionRun production(line.setup(6), observer);
  line.run(production);

  const auto sets = writtenSets(production, line.dir.path() / "run.jsonl");
  ASSERT_EQ(sets.size(), 6u);
  for (const production::SetEntry& e : sets) EXPECT_NE(e.serialNumber.substr(0, 2), "F1");
  const auto failed = std::find_if(observer.records.begin(), observer.records.end(),
                                   [](const PagerRecord& r) { return !r.written; });
  ASSERT_NE(failed, observer.records.end());
  EXPECT_EQ(failed->serialNumber.substr(0, 2), "F1");
  EXPECT_NE(failed->code, errors::code::Ok);
  EXPECT_FALSE(failed->text.empty());
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultyFixture,
                         ::testing::Values(std::vector<std::string>{"--fault", "nak"},
                                           std::vector<std::string>{"--fault", "swap-model:0x92"}));

}  // namespace
}  // namespace zelta::testing
