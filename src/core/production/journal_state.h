#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "production/journal_event.h"

namespace zelta::production {

enum class SetStatus { Reserved, Written, Released };

// Where one set stands after the journal's lines.
struct SetEntry {
  SetStatus status = SetStatus::Reserved;
  long pid = 0;  // the process of the last line about it
  std::string fixture;
  std::string serialNumber;  // the pager it was reserved for
  CodeSet set;
};

// A line that is no event: its number (from 1) and its text.
struct DamagedLine {
  int number = 0;
  std::string text;
};

// The journal folded line by line: the single source of truth of which set
// stands where. Nothing else keeps that state; every reservation replays the
// file under its lock.
struct JournalState {
  std::optional<RunHeader> header;
  std::map<int, SetEntry> sets;
  std::vector<PagerRecord> records;
  // The last line has no newline: the writer died in the middle of it. Its
  // event never took effect (a reservation is only relied on once its line
  // is whole and synced), so it is skipped, and reported.
  std::optional<DamagedLine> tornLastLine;
  // Whole lines that are no event (a torn line that later lines followed).
  std::vector<DamagedLine> damagedLines;

  int written() const;
  // Records of pagers that were not written (released or refused).
  int failed() const;
  // The highest set index any line names, or -1.
  int highestSet() const;
};

JournalState replayJournal(std::string_view content);

}  // namespace zelta::production
