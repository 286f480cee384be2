#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string_view>

#include "codes/tone_output.h"

namespace zelta::codes {

// Alert patterns by list index; each has a recorded sample "<name>.wav" in the
// folder "tone" beside the program.
inline constexpr std::array<std::string_view, 16> kAlertPatternNames{
    "STD", "PL1", "PL2", "PL3", "PL4", "PL5", "PL6", "PL7",
    "PL8", "UG1", "UG2", "UG3", "UG4", "UG5", "UG6", "UG7",
};

inline constexpr std::string_view kToneFolder = "tone";

std::optional<std::string_view> alertPatternName(int patternIndex);

// The sample of a pattern, when the index names one and its wave file is
// there; nullopt otherwise (nothing is played then).
std::optional<std::filesystem::path> toneSamplePath(const std::filesystem::path& programDir,
                                                    int patternIndex);

// "Play tone": the pattern of the alert pattern list last entered. An index of
// -1 (an edit field was entered since) or any other value outside 0-15 plays
// nothing. Returns whether a sample was played.
bool playAlertPatternSample(const std::filesystem::path& programDir, int patternIndex,
                            ToneOutput& output);

}  // namespace zelta::codes
