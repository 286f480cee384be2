#include "production/allocation_plan.h"

#include "codes/capcode.h"
#include "pages/code_predicates.h"
#include "pages/sequential_programming.h"

namespace zelta::production {

AllocationPlan::AllocationPlan(const codeplug::SettingsRecord& templateSettings,
                               models::ModelCode model, PlanLimits limits)
    : limits_(limits),
      increment_(pages::sequentialIncrement(templateSettings)),
      codes_(pages::codesOfModel(model, false)),
      cursor_(templateSettings) {
  for (int c = 1; c <= codes_ && c <= codeplug::kMaxCodes; ++c) {
    if (pages::codePresent(templateSettings, c) &&
        templateSettings.codeType[static_cast<std::size_t>(c - 1)] == pages::Individual) {
      slots_.push_back(c);
    }
  }
}

CodeSet AllocationPlan::current() const {
  CodeSet set;
  set.index = static_cast<int>(sets_.size());
  for (int slot : slots_) {
    const std::string& text = cursor_.code[static_cast<std::size_t>(slot - 1)];
    const codes::Capcode capcode = codes::normaliseCapcode(text);
    set.codes.push_back({slot, capcode.valid() ? capcode.text : text});
  }
  set.icn = cursor_.ICN;
  return set;
}

bool AllocationPlan::withinLimits(const CodeSet& set) const {
  if (limits_.count && set.index >= *limits_.count) return false;
  for (const SlotCode& c : set.codes) {
    // A code past the range is what the next code check would refuse.
    if (!codes::normaliseCapcode(c.capcode).valid()) return false;
  }
  if (limits_.untilCode && !set.codes.empty()) {
    const codes::Capcode first = codes::normaliseCapcode(set.codes.front().capcode);
    if (first.address > *limits_.untilCode) return false;
  }
  return true;
}

std::optional<CodeSet> AllocationPlan::set(int index) const {
  if (index < 0) return std::nullopt;
  const std::lock_guard lock(mutex_);
  while (!ended_ && static_cast<int>(sets_.size()) <= index) {
    if (!sets_.empty()) {
      pages::advanceIndividualCodes(cursor_, codes_, increment_);
      cursor_.ICN = pages::advanceIcn(cursor_.ICN);
    }
    CodeSet next = current();
    if (!withinLimits(next)) {
      ended_ = true;
      break;
    }
    sets_.push_back(std::move(next));
  }
  if (index < static_cast<int>(sets_.size())) return sets_[static_cast<std::size_t>(index)];
  return std::nullopt;
}

void AllocationPlan::applyTo(const CodeSet& set, codeplug::SettingsRecord& settings) {
  for (const SlotCode& c : set.codes) {
    if (c.slot >= 1 && c.slot <= codeplug::kMaxCodes) {
      settings.code[static_cast<std::size_t>(c.slot - 1)] = c.capcode;
    }
  }
  settings.ICN = set.icn;
}

}  // namespace zelta::production
