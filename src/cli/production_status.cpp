#include "cli/production_status.h"

#include <ostream>

namespace zelta::cli {

using production::FixtureState;

std::string describeSet(const production::CodeSet& set) {
  std::string text;
  for (const production::SlotCode& c : set.codes) {
    text += (text.empty() ? "" : ",") + c.capcode;
  }
  if (!set.icn.empty()) text += (text.empty() ? "ICN " : " ICN ") + set.icn;
  return text;
}

namespace {

// A message's line breaks folded, so that a status stays one line.
std::string oneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

}  // namespace

std::string describeFixture(const production::FixtureStatus& status) {
  switch (status.state) {
    case FixtureState::WaitingForPager:
      return status.text.empty() ? "waiting for a pager" : status.text;
    case FixtureState::Programming:
      return "programming " + status.serialNumber + " " + std::to_string(status.percent) + "%";
    case FixtureState::TakeOut: return "done: take the pager out";
    case FixtureState::Failed: return "failed: " + oneLine(status.text);
    case FixtureState::Finished: return "finished";
  }
  return {};
}

ProductionStatus::ProductionStatus(CliIo& io, std::size_t fixtures)
    : io_(io), fixtures_(fixtures) {}

void ProductionStatus::fixtureChanged(const production::FixtureStatus& status) {
  const std::lock_guard lock(mutex_);
  production::FixtureStatus& shown = fixtures_.at(static_cast<std::size_t>(status.fixture));
  const bool newState = shown.state != status.state || shown.text != status.text;
  shown = status;
  if (io_.outputIsTerminal) {
    redraw();
  } else if (newState) {
    io_.out << status.port << ": " << describeFixture(status) << std::endl;
  }
}

void ProductionStatus::pagerFinished(const production::PagerRecord& record) {
  const std::lock_guard lock(mutex_);
  if (io_.outputIsTerminal) return;  // the fixture's line shows it
  io_.out << record.fixture << ": pager " << record.serialNumber << " "
          << (record.written ? "written" : "not written");
  if (record.codes) io_.out << " set " << record.codes->index << " " << describeSet(*record.codes);
  if (!record.text.empty()) io_.out << " (" << record.code << ": " << oneLine(record.text) << ")";
  io_.out << std::endl;
}

void ProductionStatus::countersChanged(const production::ProductionCounters& counters) {
  const std::lock_guard lock(mutex_);
  counters_ = counters;
  if (io_.outputIsTerminal) redraw();
}

void ProductionStatus::redraw() {
  // Back to the first line of the block, then every line anew.
  if (drawn_) io_.out << "\033[" << fixtures_.size() + 1 << "A";
  for (const production::FixtureStatus& f : fixtures_) {
    io_.out << "\r\033[K" << f.port << ": " << describeFixture(f) << '\n';
  }
  io_.out << "\r\033[Kdone " << counters_.done << ", failed " << counters_.failed;
  if (counters_.left >= 0) io_.out << ", left " << counters_.left;
  io_.out << '\n' << std::flush;
  drawn_ = true;
}

}  // namespace zelta::cli
