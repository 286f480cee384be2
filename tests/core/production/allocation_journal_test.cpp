#include "production/allocation_journal.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "core/pages/code_page_fixture.h"
#include "pages/code_predicates.h"
#include "temp_folder.h"

namespace zelta::production {
namespace {

using pages::test::CodePageFixture;

codeplug::SettingsRecord firstPager() {
  CodePageFixture f;
  f.setCode(1, "0001000", pages::Individual);
  f.settings.ICN = "A001";
  return f.settings;
}

struct JournalFixture {
  explicit JournalFixture(int sets = 5) : count(sets) {}
  int count;
  testing::TempFolder dir;
  std::filesystem::path path = dir.path() / "run.jsonl";
  AllocationPlan plan{firstPager(), 0x91, {.count = count, .untilCode = {}}};
  RunHeader header{"t.cp", 0x91, 1, *plan.set(0), count, {}};

  std::unique_ptr<AllocationJournal> open() {
    OpenedJournal opened = AllocationJournal::open(path, plan, header);
    EXPECT_EQ(opened.problem, JournalOpenProblem::None) << opened.text;
    return std::move(opened.journal);
  }
  std::string text() const {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void append(const std::string& bytes) const { std::ofstream(path, std::ios::app) << bytes; }
};

PagerRecord recordFor(const CodeSet& set, const std::string& serial, bool written) {
  PagerRecord r;
  r.fixture = "/dev/pts/1";
  r.serialNumber = serial;
  r.model = 0x91;
  r.codes = set;
  r.written = written;
  r.code = written ? errors::code::Ok : errors::code::NoAcknowledge;
  return r;
}

// Reservations, a written and a released set, replayed from the file by a
// journal opened afterwards: the released set goes out again before the
// next new one, and a written set never does.
TEST(AllocationJournal, ReplayHandsOutReleasedSetsFirstAndWrittenOnesNever) {
  JournalFixture j;
  {
    auto journal = j.open();
    const Reservation a = journal->reserve("/dev/pts/1", "SN1");
    const Reservation b = journal->reserve("/dev/pts/2", "SN2");
    ASSERT_EQ(a.kind, ReserveKind::Granted);
    ASSERT_EQ(b.kind, ReserveKind::Granted);
    EXPECT_EQ(a.set->index, 0);
    EXPECT_EQ(b.set->index, 1);
    EXPECT_EQ(b.set->codes.front().capcode, "0001001");
    EXPECT_EQ(journal->finish(recordFor(*a.set, "SN1", true)), JournalFault::None);
    EXPECT_EQ(journal->finish(recordFor(*b.set, "SN2", false)), JournalFault::None);
  }
  auto journal = j.open();
  JournalState state;
  ASSERT_EQ(journal->state(state), JournalFault::None);
  EXPECT_EQ(state.sets.at(0).status, SetStatus::Written);
  EXPECT_EQ(state.sets.at(1).status, SetStatus::Released);
  EXPECT_EQ(state.records.size(), 2u);
  const ProductionCounters c = journal->counters(state);
  EXPECT_EQ(c.done, 1);
  EXPECT_EQ(c.failed, 1);
  EXPECT_EQ(c.left, 4);

  EXPECT_EQ(journal->reserve("/dev/pts/3", "SN3").set->index, 1);
  EXPECT_EQ(journal->reserve("/dev/pts/3", "SN4").set->index, 2);
}

TEST(AllocationJournal, ExhaustedOnlyWhenNothingIsLeftOrStillOpen) {
  JournalFixture j(1);
  auto journal = j.open();
  const Reservation a = journal->reserve("p1", "SN1");
  ASSERT_EQ(a.kind, ReserveKind::Granted);
  // Still being programmed here: it may come back.
  EXPECT_EQ(journal->reserve("p2", "SN2").kind, ReserveKind::Wait);
  journal->finish(recordFor(*a.set, "SN1", false));
  EXPECT_EQ(journal->reserve("p2", "SN2").set->index, 0);
  journal->finish(recordFor(*a.set, "SN2", true));
  EXPECT_EQ(journal->reserve("p3", "SN3").kind, ReserveKind::Exhausted);
}

TEST(AllocationJournal, AnotherPlanIsRefused) {
  JournalFixture j;
  j.open();
  j.header.first.codes.front().capcode = "0002000";
  const OpenedJournal other = AllocationJournal::open(j.path, j.plan, j.header);
  EXPECT_EQ(other.problem, JournalOpenProblem::OtherPlan);
  EXPECT_FALSE(other.journal);
}

// A writer killed in the middle of a line: the torn part is no event and is
// reported; the next line starts on a line of its own and the set it would
// have named is handed out (it was never on disk whole, so never acted on).
TEST(AllocationJournal, TornLastLineIsSkippedAndReported) {
  JournalFixture j;
  {
    auto journal = j.open();
    const Reservation a = journal->reserve("p1", "SN1");
    journal->finish(recordFor(*a.set, "SN1", true));
  }
  j.append(R"({"codes":[{"capcode":"0001001","code":1}],"event":"reserved","fixt)");

  OpenedJournal opened = AllocationJournal::open(j.path, j.plan, j.header);
  ASSERT_TRUE(opened.journal);
  ASSERT_TRUE(opened.replay.tornLastLine);
  EXPECT_EQ(opened.replay.tornLastLine->number, 4);
  EXPECT_EQ(opened.replay.records.size(), 1u);

  EXPECT_EQ(opened.journal->reserve("p1", "SN2").set->index, 1);
  JournalState state;
  opened.journal->state(state);
  EXPECT_FALSE(state.tornLastLine);
  ASSERT_EQ(state.damagedLines.size(), 1u);
  EXPECT_EQ(state.damagedLines.front().number, 4);
  EXPECT_EQ(state.sets.at(1).serialNumber, "SN2");
}

// A set a run reserved and never finished, when that run no longer runs: it
// may be in its pager, so only that pager (same serial number) gets it.
TEST(AllocationJournal, UnfinishedSetOfAnEndedRunGoesOnlyToItsOwnPager) {
  JournalFixture j;
  {
    auto journal = j.open();
    ASSERT_EQ(journal->reserve("p1", "SN1").set->index, 0);
  }
  // The same reservation as a process that has ended would have left it.
  std::string text = j.text();
  const std::string ownPid = "\"pid\":" + std::to_string(getpid());
  const std::size_t last = text.rfind(ownPid);
  text.replace(last, ownPid.size(), "\"pid\":999999999");
  std::ofstream(j.path, std::ios::trunc) << text;

  auto journal = j.open();
  EXPECT_EQ(journal->reserve("p1", "SN7").set->index, 1);
  JournalState state;
  journal->state(state);
  ASSERT_EQ(journal->inDoubt(state).size(), 1u);
  EXPECT_EQ(journal->reserve("p2", "SN1").set->index, 0);
}

TEST(JournalLine, RoundTripsEveryField) {
  PagerRecord r = recordFor({3, {{1, "0001003"}, {6, "0004003"}}, "ABC0001"}, "SN\"1", false);
  r.time = "2026-12-11T09:00:00.000Z";
  r.firmware = "R0801";
  r.text = "ERROR: No acknowledge.";
  r.durationMs = 1234;
  JournalEvent e;
  e.kind = JournalEventKind::Released;
  e.time = "t";
  e.pid = 42;
  e.record = r;
  const std::optional<JournalEvent> back = parseJournalLine(journalLine(e));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->kind, JournalEventKind::Released);
  EXPECT_EQ(back->pid, 42);
  EXPECT_EQ(back->set, r.codes);
  EXPECT_EQ(back->record->serialNumber, "SN\"1");
  EXPECT_EQ(back->record->text, r.text);
  EXPECT_EQ(back->record->durationMs, 1234);
  EXPECT_FALSE(back->record->written);
  EXPECT_FALSE(parseJournalLine(R"({"event":"written","time":"t","pid":1})"));
}

}  // namespace
}  // namespace zelta::production
