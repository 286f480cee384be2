#pragma once

#include <string>
#include <vector>

#include "production/allocation_journal.h"
#include "production/code_set.h"
#include "production/journal_state.h"
#include "production/production_observer.h"

namespace zelta::production {

// "waiting for a pager", "programming SN 40%", "done: take the pager out",
// "failed: ...": a fixture's state as one line.
std::string describeFixture(const FixtureStatus& status);

// "0001000,0001010 ICN ABC0001": a set as the lines show it.
std::string describeSet(const CodeSet& set);

// "done 3, failed 1, left 2" (no "left" when the plan ends at a code).
std::string describeCounters(const ProductionCounters& counters);

// How a run ended, as its last line says it: "Run complete: 4 pagers
// written, 0 not written", or the run unfinished with the sets in doubt.
std::string runEndText(const ProductionCounters& counters, bool complete,
                       const std::vector<SetEntry>& inDoubt);

// A message's line breaks folded, so that a status stays one line.
std::string oneLine(std::string text);

}  // namespace zelta::production
