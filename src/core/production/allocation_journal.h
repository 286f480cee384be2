#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "production/allocation_plan.h"
#include "production/journal_file.h"
#include "production/journal_state.h"

namespace zelta::production {

// What asking for a set came to.
//   Granted    the set is reserved (its line is on disk) for this pager
//   Wait       none is free now, but sets still being programmed may be
//              released: ask again later
//   Exhausted  the plan has nothing left to hand out
//   Failed     the journal could not be read or written (`fault`)
enum class ReserveKind { Granted, Wait, Exhausted, Failed };

struct Reservation {
  ReserveKind kind = ReserveKind::Failed;
  std::optional<CodeSet> set;
  JournalFault fault = JournalFault::None;
};

// Done: sets written; failed: pagers not written; left: sets of the plan not
// yet written (-1 when the plan ends at a code rather than a count).
struct ProductionCounters {
  int done = 0;
  int failed = 0;
  int left = -1;
};

enum class JournalOpenProblem { None, File, OtherPlan };

struct OpenedJournal;

// The allocation journal of a production run: which set went to which
// pager. Sets are handed out in this order:
//   1. a set that a run which is no longer running reserved for this very
//      pager (same serial number) and never finished: it may be in the
//      pager already, and giving it to the same pager again is harmless;
//   2. the lowest released set (nothing of it reached a pager);
//   3. the next set of the plan after the highest one the journal names.
// A set reserved by a run that ended without finishing it, for a pager that
// is not this one, is never handed to another pager: it may be in the pager
// it was meant for. The report shows it as in doubt.
class AllocationJournal {
 public:
  static OpenedJournal open(const std::filesystem::path& path, const AllocationPlan& plan,
                            const RunHeader& header);

  Reservation reserve(const std::string& fixture, const std::string& serialNumber);

  // The set of the record becomes written (record.written) or released; a
  // record without a set is a refused pager.
  JournalFault finish(const PagerRecord& record);

  // The journal as it stands now.
  JournalFault state(JournalState& state);
  ProductionCounters counters(const JournalState& state) const;

  // Sets reserved by runs that no longer run and never finished.
  std::vector<SetEntry> inDoubt(const JournalState& state) const;

  const JournalFile& file() const { return *file_; }

 private:
  AllocationJournal(std::unique_ptr<JournalFile> file, const AllocationPlan& plan)
      : file_(std::move(file)), plan_(plan) {}
  std::optional<CodeSet> choose(const JournalState& state, const std::string& serialNumber,
                                bool& waitForOthers) const;

  std::unique_ptr<JournalFile> file_;
  const AllocationPlan& plan_;
};

struct OpenedJournal {
  std::unique_ptr<AllocationJournal> journal;
  JournalOpenProblem problem = JournalOpenProblem::None;
  std::string text;     // what is wrong, for a message
  JournalState replay;  // the journal as found (a torn last line is shown from here)
};

}  // namespace zelta::production
