#include "production/fixture_loop.h"

#include <chrono>
#include <thread>

#include "errors/messages.h"
#include "link/pager_link.h"
#include "production/journal_file.h"

namespace zelta::production {
namespace {

namespace rc = errors::code;
using Steady = std::chrono::steady_clock;

// Waits in short steps so that a stop is seen at once; false when stopped.
bool pause(std::chrono::milliseconds length, const std::stop_token& stop) {
  const auto until = Steady::now() + length;
  while (!stop.stop_requested()) {
    const auto left = until - Steady::now();
    if (left <= Steady::duration::zero()) return true;
    std::this_thread::sleep_for(std::min<Steady::duration>(left, std::chrono::milliseconds(20)));
  }
  return false;
}

std::string trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

class Fixture {
 public:
  Fixture(int index, FixtureStation& station, const FixtureRunContext& context,
          std::stop_token stop)
      : station_(station), context_(context), stop_(std::move(stop)) {
    status_.fixture = index;
    status_.port = station.port();
  }

  void run();

 private:
  // A pager answered the probe: its identification, or nothing.
  bool lookForPager(link::Identification& id);
  // Until the probe finds no pager, or another one (swapped in between two
  // probes): then the fixture is free for the next.
  void waitUntilTakenOut(const std::string& serialNumber);
  void refuse(const link::Identification& id, Steady::time_point started);
  void program(const link::Identification& id, const CodeSet& set);
  PagerRecord recordOf(const link::Identification& id) const;
  void finish(PagerRecord& record, Steady::time_point started);
  void show(FixtureState state, std::string text = {});
  bool exhausted();

  FixtureStation& station_;
  const FixtureRunContext& context_;
  std::stop_token stop_;
  FixtureStatus status_;
};

void Fixture::show(FixtureState state, std::string text) {
  status_.state = state;
  status_.text = std::move(text);
  if (state != FixtureState::Programming) status_.percent = 0;
  context_.observer.fixtureChanged(status_);
}

bool Fixture::lookForPager(link::Identification& id) {
  station_.reporter().clear();
  id = {};
  const errors::ResultCode r = station_.link().identify(id, 1);
  if (r == rc::PortNotOpened && status_.state != FixtureState::Failed) {
    show(FixtureState::Failed, station_.reporter().lastText());
  }
  return r == rc::Ok;
}

void Fixture::waitUntilTakenOut(const std::string& serialNumber) {
  link::Identification id;
  while (pause(context_.probeInterval, stop_) && lookForPager(id) &&
         id.serialNumber == serialNumber) {
  }
}

bool Fixture::exhausted() {
  JournalState state;
  if (context_.journal.state(state) != JournalFault::None) return false;
  const ProductionCounters c = context_.journal.counters(state);
  return c.left == 0;
}

PagerRecord Fixture::recordOf(const link::Identification& id) const {
  PagerRecord r;
  r.time = utcTimestamp();
  r.fixture = station_.port();
  r.serialNumber = id.serialNumber;
  r.model = id.model;
  r.firmware = trimmed(id.firmware.text);
  return r;
}

void Fixture::finish(PagerRecord& record, Steady::time_point started) {
  record.durationMs =
      std::chrono::duration_cast<std::chrono::milliseconds>(Steady::now() - started).count();
  if (record.code != rc::Ok && record.text.empty()) {
    record.text = errors::reportText(record.code, station_.reporter().context());
  }
  if (const JournalFault f = context_.journal.finish(record); f != JournalFault::None) {
    record.text += record.text.empty() ? "" : "; ";
    record.text +=
        std::string(describeJournalFault(f)) + ": " + context_.journal.file().lastError();
  }
  context_.observer.pagerFinished(record);
  JournalState state;
  if (context_.journal.state(state) == JournalFault::None) {
    context_.observer.countersChanged(context_.journal.counters(state));
  }
}

void Fixture::refuse(const link::Identification& id, Steady::time_point started) {
  PagerRecord record = recordOf(id);
  record.code = rc::UnknownPagerType;
  finish(record, started);
  show(FixtureState::Failed, record.text);
}

void Fixture::program(const link::Identification& id, const CodeSet& set) {
  const Steady::time_point started = Steady::now();
  PagerRecord record = recordOf(id);
  record.codes = set;
  status_.serialNumber = id.serialNumber;
  show(FixtureState::Programming);
  station_.reporter().clear();
  const errors::OperationOutcome outcome =
      station_.program(context_.templateImage, context_.templateSettings, set);
  record.written = outcome.pagerWritten;
  record.code = outcome.succeeded() ? rc::Ok : outcome.code;
  if (outcome.kind == errors::OutcomeKind::NotWritten) {
    // Abandoned at a question or check: the reporter has its code, when
    // the box had one.
    record.code = station_.reporter().lastCode().value_or(rc::Abandoned);
    record.text = station_.reporter().lastText();
    if (record.text.empty())
      record.text = "Programming was abandoned before the image was written.";
  }
  if (record.written) {
    const std::string name = imageFileName(id.serialNumber, set.icn);
    if (station_.saveImage(context_.runFolder / name)) record.imageFile = name;
  }
  finish(record, started);
  if (outcome.succeeded()) {
    show(FixtureState::TakeOut);
  } else {
    show(FixtureState::Failed, record.text);
  }
}

void Fixture::run() {
  link::LinkHooks hooks;
  hooks.stopRequested = [this] { return stop_.stop_requested(); };
  hooks.progress = [this](int percent) {
    status_.percent = percent;
    context_.observer.fixtureChanged(status_);
  };
  station_.link().setHooks(hooks);
  show(FixtureState::WaitingForPager);
  while (!stop_.stop_requested()) {
    if (exhausted()) break;
    link::Identification id;
    if (!lookForPager(id)) {
      if (!pause(context_.probeInterval, stop_)) break;
      continue;
    }
    const Steady::time_point started = Steady::now();
    if (id.model != context_.templateImage.modelCode()) {
      refuse(id, started);
      waitUntilTakenOut(id.serialNumber);
      show(FixtureState::WaitingForPager);
      continue;
    }
    const Reservation r = context_.journal.reserve(station_.port(), id.serialNumber);
    if (r.kind == ReserveKind::Exhausted) break;
    if (r.kind == ReserveKind::Failed) {
      show(FixtureState::Failed,
           std::string(describeJournalFault(r.fault)) + ": " + context_.journal.file().lastError());
      return;
    }
    if (r.kind == ReserveKind::Wait) {
      show(FixtureState::WaitingForPager, "waiting for a free set");
      if (!pause(context_.probeInterval, stop_)) break;
      continue;
    }
    program(id, *r.set);
    if (stop_.stop_requested()) break;
    waitUntilTakenOut(id.serialNumber);
    status_.serialNumber.clear();
    show(FixtureState::WaitingForPager);
  }
  show(FixtureState::Finished);
}

}  // namespace

std::string imageFileName(const std::string& serialNumber, const std::string& icn) {
  std::string name = trimmed(serialNumber) + "_" + trimmed(icn);
  for (char& c : name) {
    const bool keep = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                      c == '-' || c == '_';
    if (!keep) c = '_';
  }
  return name + ".cp";
}

void runFixtureLoop(int index, FixtureStation& station, const FixtureRunContext& context,
                    std::stop_token stop) {
  Fixture(index, station, context, std::move(stop)).run();
}

}  // namespace zelta::production
