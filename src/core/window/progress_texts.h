#pragma once

#include <array>
#include <string>
#include <string_view>

#include "link/link_phase.h"

namespace zelta::window {

struct PhaseText {
  link::LinkPhase phase;
  std::string_view text;
};

// The progress window's line above its gauge, one row per phase.
inline constexpr std::array kPhaseTexts{
    PhaseText{link::LinkPhase::Waking, "Waking the pager"},
    PhaseText{link::LinkPhase::Reading, "Reading the pager's image"},
    PhaseText{link::LinkPhase::Writing, "Writing the image to the pager"},
    PhaseText{link::LinkPhase::SettingClock, "Setting the pager's clock"},
};

std::string_view phaseText(link::LinkPhase phase);

// The gauge's value as its label reads it: "45 %".
std::string percentText(int percent);

// Cancel was pressed and the link has not stopped yet: a block under way
// goes to its end first.
inline constexpr std::string_view kStoppingText =
    "Stopping: a block under way is finished first ...";

// What a stopped read left: the line after the stop's own text.
inline constexpr std::string_view kStoppedReadText =
    "Nothing was written to the pager; the codeplug on screen is unchanged.";

}  // namespace zelta::window
