#pragma once

#include <string>

#include "production/allocation_journal.h"
#include "production/pager_record.h"

namespace zelta::production {

// What a fixture is doing, as its line of the status shows it.
enum class FixtureState {
  WaitingForPager,  // the fixture is empty; it looks about once a second
  Programming,      // `percent` of the current block
  TakeOut,          // done with this pager: take it out for the next
  Failed,           // `text` says why; take the pager out
  Finished,         // nothing left to hand out, or stopped
};

struct FixtureStatus {
  int fixture = 0;  // index in the run's list of ports
  std::string port;
  FixtureState state = FixtureState::WaitingForPager;
  int percent = 0;
  std::string serialNumber;
  std::string text;
};

// Where a production run reports to: a status line, a dialog. Calls come
// from each fixture's own thread, possibly at the same time: an
// implementation serialises them itself (a Qt dialog queues them to its
// thread).
class ProductionObserver {
 public:
  virtual ~ProductionObserver() = default;
  virtual void fixtureChanged(const FixtureStatus& status) = 0;
  virtual void pagerFinished(const PagerRecord& record) = 0;
  virtual void countersChanged(const ProductionCounters& counters) = 0;
};

}  // namespace zelta::production
