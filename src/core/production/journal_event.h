#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "production/code_set.h"
#include "production/pager_record.h"

namespace zelta::production {

// One line of the allocation journal (docs/production_journal.md).
//
//   Run       the plan the journal belongs to (its first line)
//   Reserved  a set handed to a fixture for a pager, before anything is sent
//   Written   the set's image reached the pager (the record says how it ended)
//   Released  nothing was written: the set is free for the next pager
//   Refused   a pager turned away before any set was reserved for it
enum class JournalEventKind { Run, Reserved, Written, Released, Refused };

// What makes a plan: a journal is only continued with the same one.
struct RunHeader {
  std::string templateFile;
  int model = 0;
  int increment = 1;
  CodeSet first;
  std::optional<int> count;
  std::optional<std::uint32_t> untilCode;

  // The sets are the same (the file's name may differ).
  bool samePlan(const RunHeader& other) const {
    return model == other.model && increment == other.increment && first == other.first &&
           count == other.count && untilCode == other.untilCode;
  }
};

struct JournalEvent {
  JournalEventKind kind = JournalEventKind::Reserved;
  std::string time;
  long pid = 0;  // the process that wrote the line
  // Reserved: the set, the fixture and the pager it is meant for.
  std::optional<CodeSet> set;
  std::string fixture;
  std::string serialNumber;
  // Written, Released, Refused: the pager's record (its codes are the set).
  std::optional<PagerRecord> record;
  // Run only.
  std::optional<RunHeader> header;
};

// The event as one line of JSON, without the newline.
std::string journalLine(const JournalEvent& event);

// A line of the journal, or nothing when it is no event (a torn or damaged
// line).
std::optional<JournalEvent> parseJournalLine(std::string_view line);

}  // namespace zelta::production
