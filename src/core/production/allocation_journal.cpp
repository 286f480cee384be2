#include "production/allocation_journal.h"

#include <algorithm>

namespace zelta::production {
namespace {

bool blank(const std::string& text) {
  return text.find_first_not_of(' ') == std::string::npos;
}

std::string line(const JournalEvent& event) {
  return journalLine(event) + '\n';
}

JournalEvent eventOf(JournalEventKind kind, long pid) {
  JournalEvent e;
  e.kind = kind;
  e.time = utcTimestamp();
  e.pid = pid;
  return e;
}

}  // namespace

OpenedJournal AllocationJournal::open(const std::filesystem::path& path, const AllocationPlan& plan,
                                      const RunHeader& header) {
  OpenedJournal opened;
  JournalFault fault = JournalFault::None;
  std::string reason;
  std::unique_ptr<JournalFile> file = JournalFile::open(path, fault, reason);
  if (!file) {
    opened.problem = JournalOpenProblem::File;
    opened.text = std::string(describeJournalFault(fault)) + ": " + reason;
    return opened;
  }
  bool otherPlan = false;
  // The first process to open a new journal writes its plan; every later
  // one checks it is continuing that plan.
  fault = file->update([&](std::string_view content) {
    opened.replay = replayJournal(content);
    if (opened.replay.header) {
      otherPlan = !opened.replay.header->samePlan(header);
      return std::string();
    }
    JournalEvent run = eventOf(JournalEventKind::Run, file->pid());
    run.header = header;
    opened.replay.header = header;
    return line(run);
  });
  if (fault != JournalFault::None) {
    opened.problem = JournalOpenProblem::File;
    opened.text = std::string(describeJournalFault(fault)) + ": " + file->lastError();
    return opened;
  }
  if (otherPlan) {
    opened.problem = JournalOpenProblem::OtherPlan;
    opened.text = "the journal belongs to another plan (template " +
                  opened.replay.header->templateFile +
                  "): its first codes, increment, model or end differ";
    return opened;
  }
  opened.journal = std::unique_ptr<AllocationJournal>(new AllocationJournal(std::move(file), plan));
  return opened;
}

std::optional<CodeSet> AllocationJournal::choose(const JournalState& state,
                                                 const std::string& serialNumber,
                                                 bool& waitForOthers) const {
  waitForOthers = false;
  if (!blank(serialNumber)) {
    for (const auto& [index, entry] : state.sets) {
      if (entry.status == SetStatus::Reserved && entry.serialNumber == serialNumber &&
          !file_->processRunsOnJournal(entry.pid)) {
        return entry.set;
      }
    }
  }
  for (const auto& [index, entry] : state.sets) {
    if (entry.status == SetStatus::Released) return entry.set;
  }
  if (std::optional<CodeSet> next = plan_.set(state.highestSet() + 1)) return next;
  waitForOthers = std::any_of(state.sets.begin(), state.sets.end(), [&](const auto& s) {
    return s.second.status == SetStatus::Reserved && file_->processRunsOnJournal(s.second.pid);
  });
  return std::nullopt;
}

Reservation AllocationJournal::reserve(const std::string& fixture,
                                       const std::string& serialNumber) {
  Reservation result;
  bool waitForOthers = false;
  const JournalFault fault = file_->update([&](std::string_view content) {
    const JournalState state = replayJournal(content);
    result.set = choose(state, serialNumber, waitForOthers);
    if (!result.set) return std::string();
    JournalEvent reserved = eventOf(JournalEventKind::Reserved, file_->pid());
    reserved.set = result.set;
    reserved.fixture = fixture;
    reserved.serialNumber = serialNumber;
    return line(reserved);
  });
  if (fault != JournalFault::None) {
    result.set.reset();
    result.kind = ReserveKind::Failed;
    result.fault = fault;
  } else if (result.set) {
    result.kind = ReserveKind::Granted;
  } else {
    result.kind = waitForOthers ? ReserveKind::Wait : ReserveKind::Exhausted;
  }
  return result;
}

JournalFault AllocationJournal::finish(const PagerRecord& record) {
  JournalEvent event = eventOf(!record.codes    ? JournalEventKind::Refused
                               : record.written ? JournalEventKind::Written
                                                : JournalEventKind::Released,
                               file_->pid());
  event.record = record;
  event.set = record.codes;
  return file_->update([&](std::string_view) { return line(event); });
}

JournalFault AllocationJournal::state(JournalState& state) {
  std::string content;
  const JournalFault fault = file_->read(content);
  if (fault == JournalFault::None) state = replayJournal(content);
  return fault;
}

ProductionCounters AllocationJournal::counters(const JournalState& state) const {
  ProductionCounters c;
  c.done = state.written();
  c.failed = state.failed();
  if (plan_.limits().count) c.left = std::max(0, *plan_.limits().count - c.done);
  return c;
}

std::vector<SetEntry> AllocationJournal::inDoubt(const JournalState& state) const {
  std::vector<SetEntry> sets;
  for (const auto& [index, entry] : state.sets) {
    if (entry.status == SetStatus::Reserved && !file_->processRunsOnJournal(entry.pid)) {
      sets.push_back(entry);
    }
  }
  return sets;
}

}  // namespace zelta::production
