#pragma once

#include <mutex>
#include <vector>

#include "cli/cli_io.h"
#include "production/production_observer.h"

namespace zelta::cli {

// The production run's live status on standard output: on a terminal one
// line per fixture, redrawn in place, and the counters under them; otherwise
// one line per event (a fixture's new state, a finished pager), for a log.
class ProductionStatus : public production::ProductionObserver {
 public:
  ProductionStatus(CliIo& io, std::size_t fixtures);

  void fixtureChanged(const production::FixtureStatus& status) override;
  void pagerFinished(const production::PagerRecord& record) override;
  void countersChanged(const production::ProductionCounters& counters) override;

 private:
  void redraw();

  CliIo& io_;
  std::mutex mutex_;
  std::vector<production::FixtureStatus> fixtures_;
  production::ProductionCounters counters_;
  bool drawn_ = false;
};

}  // namespace zelta::cli
