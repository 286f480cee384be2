#include "window/progress_texts.h"

#include <algorithm>

namespace zelta::window {

std::string_view phaseText(link::LinkPhase phase) {
  for (const PhaseText& row : kPhaseTexts) {
    if (row.phase == phase) return row.text;
  }
  return {};
}

std::string percentText(int percent) {
  return std::to_string(std::clamp(percent, 0, 100)) + " %";
}

}  // namespace zelta::window
