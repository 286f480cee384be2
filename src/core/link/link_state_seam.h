#pragma once

#include "link/pager_link.h"

namespace zelta::link {

// The link's own tests start a transaction in the middle of an operation
// (status asked, firmware known, model identified) without scripting the
// exchanges that would have taught the link so. The only way to write the
// link's state from outside the link; the program never includes it.
struct LinkStateSeam {
  static LinkState& of(PagerLink& link) { return link.state_; }
};

}  // namespace zelta::link
