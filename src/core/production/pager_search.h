#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>

#include "link/port_list.h"
#include "models/models.h"

namespace zelta::production {

// Asks whether a pager answers on one port: its model, or nothing. stop is
// asked between bytes.
using PagerProbe = std::function<std::optional<models::ModelCode>(
    const std::string& path, const std::function<bool()>& stop)>;

struct PagerSearchHooks {
  // The operator gave up the search: asked before each port and between
  // bytes.
  std::function<bool()> stopRequested;
  // The search moves on to the port at this index of the list.
  std::function<void(std::size_t index)> trying;
};

struct PagerSearchResult {
  // The first port a pager answered on, its index in the list.
  std::optional<std::size_t> index;
  models::ModelCode model = models::kNoModel;
  bool stopped = false;
};

// Probes the ports in list order and stops at the first that a pager
// answers on.
PagerSearchResult findPager(std::span<const link::PortEntry> ports, const PagerProbe& probe,
                            const PagerSearchHooks& hooks);

// The fixture's presence probe on a port of its own: one wake-up at
// 4800 baud and the identification that follows, nothing answered, so no
// password attempt is spent and nothing is written. A port that cannot be
// opened shows nothing: it is only not the one.
std::optional<models::ModelCode> probePagerOn(const std::string& path,
                                              const std::function<bool()>& stop);

}  // namespace zelta::production
