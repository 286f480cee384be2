#pragma once

#include <string>

#include "link/link_state.h"

namespace zelta::window {

// The facts of the last pager identification that the page rules read.
struct LinkFacts {
  bool limitedBaudFirmware = false;
  bool firmwareR0102 = false;
  bool ideographicMixForbidden = false;
  std::string pagerSerialNumber;
  std::string firmware;
};

// What the link's state after an operation tells the rules.
LinkFacts linkFactsOf(const link::LinkState& state);

}  // namespace zelta::window
