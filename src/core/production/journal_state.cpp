#include "production/journal_state.h"

#include <algorithm>

namespace zelta::production {
namespace {

void apply(JournalState& state, JournalEvent&& e) {
  switch (e.kind) {
    case JournalEventKind::Run:
      if (!state.header) state.header = std::move(e.header);
      return;
    case JournalEventKind::Reserved: {
      auto [it, fresh] = state.sets.try_emplace(e.set->index);
      // A written set stays written: no later line can take it back.
      if (!fresh && it->second.status == SetStatus::Written) return;
      it->second = {SetStatus::Reserved, e.pid, e.fixture, e.serialNumber, *e.set};
      return;
    }
    case JournalEventKind::Written:
    case JournalEventKind::Released: {
      SetEntry& entry = state.sets[e.set->index];
      const bool written = e.kind == JournalEventKind::Written;
      if (entry.status != SetStatus::Written || written) {
        entry = {written ? SetStatus::Written : SetStatus::Released, e.pid, e.record->fixture,
                 e.record->serialNumber, *e.set};
      }
      state.records.push_back(std::move(*e.record));
      return;
    }
    case JournalEventKind::Refused: state.records.push_back(std::move(*e.record)); return;
  }
}

}  // namespace

int JournalState::written() const {
  return static_cast<int>(std::count_if(sets.begin(), sets.end(), [](const auto& s) {
    return s.second.status == SetStatus::Written;
  }));
}

int JournalState::failed() const {
  return static_cast<int>(std::count_if(records.begin(), records.end(),
                                        [](const PagerRecord& r) { return !r.written; }));
}

int JournalState::highestSet() const {
  return sets.empty() ? -1 : sets.rbegin()->first;
}

JournalState replayJournal(std::string_view content) {
  JournalState state;
  int number = 0;
  while (!content.empty()) {
    ++number;
    const std::size_t end = content.find('\n');
    const std::string_view line = content.substr(0, end);
    if (end == std::string_view::npos) {
      state.tornLastLine = DamagedLine{number, std::string(line)};
      break;
    }
    content.remove_prefix(end + 1);
    if (line.empty()) continue;
    if (std::optional<JournalEvent> e = parseJournalLine(line)) {
      apply(state, std::move(*e));
    } else {
      state.damagedLines.push_back({number, std::string(line)});
    }
  }
  return state;
}

}  // namespace zelta::production
