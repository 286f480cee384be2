#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "codeplug/settings_record.h"
#include "models/models.h"
#include "production/code_set.h"

namespace zelta::production {

// Where a run ends besides the capcode range: after a number of pagers, or
// after the set whose first Individual code reaches an end code.
struct PlanLimits {
  std::optional<int> count;
  std::optional<std::uint32_t> untilCode;
};

// The code sets of a production run: the template's present Individual
// codes and ICN are the first pager's, and every next set is the one before
// it advanced by the template's "Sequential Code Increment", through the
// very functions of sequential programming (advanceIndividualCodes,
// advanceIcn), so a run and F2 in sequential mode can never differ.
//
// The plan ends before a set whose code would leave the capcode range
// (above 2097151) instead of wrapping it onto another pager's address.
// Sets are worked out on demand and kept; several fixtures may ask at once.
class AllocationPlan {
 public:
  AllocationPlan(const codeplug::SettingsRecord& templateSettings, models::ModelCode model,
                 PlanLimits limits);

  // The set of that index, or nothing past the plan's end.
  std::optional<CodeSet> set(int index) const;

  // The template holds a present Individual code (only the ICN advances
  // otherwise).
  bool hasIndividualCodes() const { return !slots_.empty(); }
  int increment() const { return increment_; }
  const PlanLimits& limits() const { return limits_; }

  // Writes a set's codes and ICN into a copy of the template's settings.
  static void applyTo(const CodeSet& set, codeplug::SettingsRecord& settings);

 private:
  CodeSet current() const;
  bool withinLimits(const CodeSet& set) const;

  PlanLimits limits_;
  int increment_ = 1;
  int codes_ = 0;
  std::vector<int> slots_;  // the present Individual codes of the template
  mutable std::mutex mutex_;
  mutable codeplug::SettingsRecord cursor_;  // the last set worked out
  mutable std::vector<CodeSet> sets_;
  mutable bool ended_ = false;
};

}  // namespace zelta::production
