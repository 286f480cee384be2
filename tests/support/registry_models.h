#pragma once

#include <vector>

#include "models/models.h"

namespace zelta::testing {

// The registry's models that pass keep, in registry order: test model lists
// follow the registry instead of re-typing its codes.
template <typename Keep>
std::vector<models::ModelCode> registryModels(Keep keep) {
  std::vector<models::ModelCode> out;
  for (const models::ModelInfo& m : models::kModels) {
    if (keep(m)) out.push_back(m.code);
  }
  return out;
}

}  // namespace zelta::testing
