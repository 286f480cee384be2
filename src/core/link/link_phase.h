#pragma once

#include <cstdint>

namespace zelta::link {

// What the link is doing for the operator to see: the progress window
// names it above its gauge. The gauge's percent belongs to the phase's
// current block.
enum class LinkPhase : std::uint8_t {
  Waking,        // the wake-up byte and the pager's answer, the short exchanges after it
  Reading,       // the image coming from the pager
  Writing,       // the image going to the pager
  SettingClock,  // the clock block after a programming run
};

}  // namespace zelta::link
