#pragma once

#include <string>
#include <vector>

namespace zelta::production {

// One Individual code of a set: the code's number on the Code pages (1-16)
// and its capcode as seven digits.
struct SlotCode {
  int slot = 0;
  std::string capcode;

  bool operator==(const SlotCode&) const = default;
};

// What one pager of a production run is given: the run's index of the set
// (0 for the first pager), its Individual codes and its ICN.
struct CodeSet {
  int index = 0;
  std::vector<SlotCode> codes;
  std::string icn;

  bool operator==(const CodeSet&) const = default;
};

}  // namespace zelta::production
