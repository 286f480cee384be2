#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "codes/pleasing_alert.h"
#include "codes/tone_output.h"

namespace zelta::codes {

// Alert patterns by list index; a recorded sample "<name>.wav" may lie in
// the folder "tone" beside the program.
inline constexpr std::array<std::string_view, 16> kAlertPatternNames{
    "STD", "PL1", "PL2", "PL3", "PL4", "PL5", "PL6", "PL7",
    "PL8", "UG1", "UG2", "UG3", "UG4", "UG5", "UG6", "UG7",
};

inline constexpr std::string_view kToneFolder = "tone";
inline constexpr std::string_view kToneExtension = ".wav";

std::optional<std::string_view> alertPatternName(int patternIndex);

// The folder of the recorded samples: "tone" beside the program, or
// <prefix>/share/zelta-pps/tone for an installed one.
std::filesystem::path toneFolder(const std::filesystem::path& programFolder);

// No recordings of the pagers' alert patterns come with the program, and the
// patterns are known only by name: the pager's firmware plays them, the
// codeplug holds nothing but their index. "Play tone" therefore sounds a
// stand-in of each pattern, written as a pleasing-alert melody (sixteen
// 62.5 ms steps of the pager's own notes, one second): the standard alert a
// steady beep, the pleasing alerts short tunes, the urgent alerts fast high
// warbles. A recorded sample in the tone folder takes their place.
inline constexpr std::array<Melody, kAlertPatternNames.size()> kStandInPatternMelodies{{
    // STD: four beeps of 2400 Hz.
    {14, 14, 0, 0, 14, 14, 0, 0, 14, 14, 0, 0, 14, 14, 0, 0},
    // PL1 to PL8.
    {9, 9, 12, 12, 14, 14, 0, 0, 9, 9, 12, 12, 14, 14, 0, 0},
    {14, 14, 12, 12, 9, 9, 0, 0, 14, 14, 12, 12, 9, 9, 0, 0},
    {8, 10, 13, 0, 8, 10, 13, 0, 8, 10, 13, 0, 8, 10, 13, 0},
    {7, 7, 9, 9, 11, 11, 13, 13, 11, 11, 9, 9, 7, 7, 0, 0},
    {12, 0, 12, 0, 16, 16, 16, 0, 12, 0, 12, 0, 16, 16, 16, 0},
    {4, 4, 6, 6, 8, 8, 9, 9, 11, 11, 12, 12, 13, 13, 14, 14},
    {13, 13, 13, 0, 9, 9, 9, 0, 11, 11, 11, 0, 14, 14, 14, 0},
    {10, 12, 14, 17, 14, 12, 10, 0, 10, 12, 14, 17, 14, 12, 10, 0},
    // UG1 to UG7.
    {22, 0, 22, 0, 22, 0, 22, 0, 22, 0, 22, 0, 22, 0, 22, 0},
    {21, 23, 21, 23, 21, 23, 21, 23, 21, 23, 21, 23, 21, 23, 21, 23},
    {23, 23, 0, 23, 23, 0, 23, 23, 0, 23, 23, 0, 23, 23, 0, 0},
    {17, 19, 21, 22, 17, 19, 21, 22, 17, 19, 21, 22, 17, 19, 21, 22},
    {22, 22, 22, 0, 0, 22, 22, 22, 0, 0, 22, 22, 22, 0, 0, 0},
    {24, 0, 24, 0, 22, 0, 22, 0, 24, 0, 24, 0, 22, 0, 22, 0},
    {20, 22, 20, 22, 0, 0, 20, 22, 20, 22, 0, 0, 20, 22, 20, 22},
}};

// The tones of a pattern's stand-in; empty for an index outside 0-15.
std::vector<ToneStep> standInPatternTones(int patternIndex);

// What "Play tone" sounds for a pattern.
struct AlertPatternSound {
  enum class Kind {
    None,     // no alert pattern list entered: nothing
    Skipped,  // a file of the pattern's name without extension stands in the tone folder
    File,     // the recorded sample
    StandIn,  // no sample: the stand-in melody
  };
  Kind kind = Kind::None;
  std::filesystem::path file;
  std::vector<ToneStep> tones;
};

// The sound of the pattern with list index patternIndex (-1 when an edit
// field was entered since the list: nothing).
AlertPatternSound alertPatternSound(const std::filesystem::path& programFolder, int patternIndex);

// "Play tone": plays what alertPatternSound finds. Returns whether anything
// was played.
bool playAlertPatternSample(const std::filesystem::path& programFolder, int patternIndex,
                            ToneOutput& output);

}  // namespace zelta::codes
