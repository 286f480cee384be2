#include "production/production_board.h"

#include <gtest/gtest.h>

#include "production/production_texts.h"
#include "production/record_table.h"

namespace zelta::production {
namespace {

FixtureStatus statusOf(int fixture, FixtureState state, int percent = 0, std::string text = {}) {
  FixtureStatus s;
  s.fixture = fixture;
  s.port = fixture == 0 ? "/dev/ttyUSB0" : "/dev/ttyUSB1";
  s.state = state;
  s.percent = percent;
  s.serialNumber = "A1        ";
  s.text = std::move(text);
  return s;
}

PagerRecord recordOf(int set, std::string capcode, bool written) {
  PagerRecord r;
  r.time = "2026-12-11T09:35:18.951Z";
  r.fixture = "/dev/ttyUSB0";
  r.serialNumber = "A1        ";
  r.model = 0x91;
  r.firmware = "R0801";
  r.codes = CodeSet{set, {{1, std::move(capcode)}}, "ABC0001"};
  r.written = written;
  r.durationMs = 10486;
  r.imageFile = written ? "A1_ABC0001.cp" : "";
  return r;
}

// A row per fixture, each moved only by its own events; the bar's percent
// is kept only while programming, and a pager being written is told by port.
TEST(ProductionBoard, RowsFollowTheirOwnFixtureOnly) {
  ProductionBoard board({"/dev/ttyUSB0", "/dev/ttyUSB1"});
  ASSERT_EQ(board.rows().size(), 2u);
  EXPECT_EQ(board.rows()[1].text, "waiting for a pager");
  EXPECT_TRUE(board.writing().empty());

  board.fixtureChanged(statusOf(1, FixtureState::Programming, 40));
  EXPECT_EQ(board.rows()[0].state, FixtureState::WaitingForPager);
  EXPECT_EQ(board.rows()[1].text, "programming A1         40%");
  EXPECT_EQ(board.rows()[1].percent, 40);
  EXPECT_EQ(board.writing(), std::vector<std::string>{"/dev/ttyUSB1"});

  board.fixtureChanged(statusOf(1, FixtureState::Failed, 70, "Pager does not answer.\nTry again"));
  EXPECT_EQ(board.rows()[1].text, "failed: Pager does not answer. Try again");
  EXPECT_EQ(board.rows()[1].percent, 0);
  EXPECT_TRUE(board.writing().empty());

  // An index past the rows (a stray event) changes nothing.
  board.fixtureChanged(statusOf(5, FixtureState::Programming, 10));
  EXPECT_TRUE(board.writing().empty());
}

// The journal's earlier records come first, the run's follow in order.
TEST(ProductionBoard, RecordsContinueTheJournalsRecords) {
  ProductionBoard board({"/dev/ttyUSB0"});
  board.start({recordOf(0, "0001000", true)}, {.done = 1, .failed = 0, .left = 3});
  board.pagerFinished(recordOf(1, "0001001", false));
  board.countersChanged({.done = 1, .failed = 1, .left = 3});
  ASSERT_EQ(board.records().size(), 2u);
  EXPECT_EQ(board.records()[1].codes->index, 1);
  EXPECT_EQ(describeCounters(board.counters()), "done 1, failed 1, left 3");
  EXPECT_EQ(describeCounters({.done = 2, .failed = 0, .left = -1}), "done 2, failed 0");
}

// The CSV is the report's: the header of the columns, then one line a
// record with fields holding commas, quotes or line breaks quoted.
TEST(RecordTable, CsvQuotesWhatWouldSplitAField) {
  PagerRecord refused = recordOf(0, "", false);
  refused.codes.reset();
  refused.code = -1003;
  refused.text = "Pager model differs, \"0x93\"\nfrom the template";
  const std::string csv = recordsCsv({recordOf(2, "0001002", true), refused});
  EXPECT_EQ(csv,
            "time,fixture,serialNumber,model,firmware,set,codes,icn,written,result,resultText,"
            "durationMs,imageFile\n"
            "2026-12-11T09:35:18.951Z,/dev/ttyUSB0,A1        ,0x91,R0801,2,0001002,ABC0001,"
            "written,0,,10486,A1_ABC0001.cp\n"
            "2026-12-11T09:35:18.951Z,/dev/ttyUSB0,A1        ,0x91,R0801,,,,not written,-1003,"
            "\"Pager model differs, \"\"0x93\"\"\nfrom the template\",10486,\n");
}

TEST(RecordTable, PlainLineJoinsTheFieldsAndListsEveryCode) {
  PagerRecord r = recordOf(4, "0001004", true);
  r.codes->codes.push_back({6, "0002004"});
  EXPECT_EQ(recordLine(r),
            "2026-12-11T09:35:18.951Z | /dev/ttyUSB0 | A1         | 0x91 | R0801 | 4 | "
            "0001004 0002004 | ABC0001 | written | 0 |  | 10486 | A1_ABC0001.cp");
}

TEST(ProductionTexts, RunEndTellsCompleteOrTheSetsInDoubt) {
  EXPECT_EQ(runEndText({.done = 4, .failed = 1, .left = 0}, true, {}),
            "Run complete: 4 pagers written, 1 not written");
  SetEntry doubt;
  doubt.serialNumber = "K2        ";
  doubt.set.index = 1;
  EXPECT_EQ(runEndText({.done = 2, .failed = 0, .left = 1}, false, {doubt}),
            "The run ended unfinished: 2 pagers written; set 1 in doubt (pager K2        )");
}

}  // namespace
}  // namespace zelta::production
