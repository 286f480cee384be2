#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "models/models.h"

namespace zelta::link {

// A running pager simulator leaves a small file in the user's runtime
// directory naming its pseudo-terminal, so that port lists can offer it.
//
//   $XDG_RUNTIME_DIR/zelta-pager-sim/<pid>     (or /tmp/zelta-pager-sim-<uid>/<pid>)
//     path=/dev/pts/7
//     model=152
struct SimulatorAdvert {
  std::string path;
  models::ModelCode model = models::kNoModel;
  long pid = 0;
};

std::filesystem::path simulatorAdvertDirectory();

// Writes the advert of this process; returns the file written, or an empty
// path when the directory cannot be made.
std::filesystem::path writeSimulatorAdvert(const SimulatorAdvert& advert);

// Adverts of simulators that are still running; stale files are skipped.
std::vector<SimulatorAdvert> readSimulatorAdverts();

// "Pager simulator (0x98)", "Pager simulator (0x71 'q')".
std::string simulatorDescription(models::ModelCode model);

}  // namespace zelta::link
