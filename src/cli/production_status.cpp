#include "cli/production_status.h"

#include <ostream>

#include "production/production_texts.h"

namespace zelta::cli {

using production::describeFixture;
using production::describeSet;
using production::oneLine;

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
  io_.out << "\r\033[K" << production::describeCounters(counters_) << '\n' << std::flush;
  drawn_ = true;
}

}  // namespace zelta::cli
