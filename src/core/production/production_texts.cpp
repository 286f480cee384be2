#include "production/production_texts.h"

namespace zelta::production {

std::string describeSet(const CodeSet& set) {
  std::string text;
  for (const SlotCode& c : set.codes) {
    text += (text.empty() ? "" : ",") + c.capcode;
  }
  if (!set.icn.empty()) text += (text.empty() ? "ICN " : " ICN ") + set.icn;
  return text;
}

std::string oneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::string describeFixture(const FixtureStatus& status) {
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

std::string describeCounters(const ProductionCounters& counters) {
  std::string text =
      "done " + std::to_string(counters.done) + ", failed " + std::to_string(counters.failed);
  if (counters.left >= 0) text += ", left " + std::to_string(counters.left);
  return text;
}

std::string runEndText(const ProductionCounters& counters, bool complete,
                       const std::vector<SetEntry>& inDoubt) {
  if (complete) {
    return "Run complete: " + std::to_string(counters.done) + " pagers written, " +
           std::to_string(counters.failed) + " not written";
  }
  std::string text =
      "The run ended unfinished: " + std::to_string(counters.done) + " pagers written";
  for (const SetEntry& e : inDoubt) {
    text += "; set " + std::to_string(e.set.index) + " in doubt (pager " + e.serialNumber + ")";
  }
  return text;
}

}  // namespace zelta::production
