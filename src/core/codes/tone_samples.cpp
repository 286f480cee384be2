#include "codes/tone_samples.h"

#include <string>
#include <system_error>

namespace zelta::codes {

std::optional<std::string_view> alertPatternName(int patternIndex) {
  if (patternIndex < 0 || patternIndex >= static_cast<int>(kAlertPatternNames.size())) {
    return std::nullopt;
  }
  return kAlertPatternNames[static_cast<std::size_t>(patternIndex)];
}

std::optional<std::filesystem::path> toneSamplePath(const std::filesystem::path& programDir,
                                                    int patternIndex) {
  const std::optional<std::string_view> name = alertPatternName(patternIndex);
  if (!name) return std::nullopt;
  std::filesystem::path file = programDir / kToneFolder / (std::string(*name) + ".wav");
  // A missing sample is skipped quietly, as a missing sound is no fault of
  // the codeplug.
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
  return file;
}

bool playAlertPatternSample(const std::filesystem::path& programDir, int patternIndex,
                            ToneOutput& output) {
  const std::optional<std::filesystem::path> file = toneSamplePath(programDir, patternIndex);
  if (!file) return false;
  output.playFile(*file);
  return true;
}

}  // namespace zelta::codes
