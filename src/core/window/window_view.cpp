#include "window/window_view.h"

namespace zelta::window {

const CommandState* WindowView::command(std::string_view name) const {
  for (const CommandState& state : commands) {
    if (state.name == name) return &state;
  }
  return nullptr;
}

bool WindowView::enabled(std::string_view name) const {
  const CommandState* state = command(name);
  return state != nullptr && state->enabled;
}

bool WindowView::visible(std::string_view name) const {
  const CommandState* state = command(name);
  return state != nullptr && state->visible;
}

}  // namespace zelta::window
