#pragma once

#include <string>
#include <vector>

#include "production/allocation_journal.h"
#include "production/pager_record.h"
#include "production/production_observer.h"

namespace zelta::production {

// One fixture's line of a production window.
struct FixtureRow {
  std::string port;
  FixtureState state = FixtureState::WaitingForPager;
  std::string text;  // describeFixture
  int percent = 0;   // of the block being written, while Programming
};

// What a production window shows, folded from the observer's events: a row
// per fixture, the counters and the records of the pagers. It is no
// observer itself and takes no lock: the window hands it the events on its
// own thread, in the order the fixtures sent them.
class ProductionBoard {
 public:
  explicit ProductionBoard(const std::vector<std::string>& ports);

  // The records and counters the journal held when the run opened it (a
  // continued run shows its earlier pagers).
  void start(std::vector<PagerRecord> records, const ProductionCounters& counters);

  void fixtureChanged(const FixtureStatus& status);
  void pagerFinished(const PagerRecord& record);
  void countersChanged(const ProductionCounters& counters) { counters_ = counters; }

  const std::vector<FixtureRow>& rows() const { return rows_; }
  const std::vector<PagerRecord>& records() const { return records_; }
  const ProductionCounters& counters() const { return counters_; }

  // The ports whose pager is being written now.
  std::vector<std::string> writing() const;

 private:
  std::vector<FixtureRow> rows_;
  std::vector<PagerRecord> records_;
  ProductionCounters counters_;
};

}  // namespace zelta::production
