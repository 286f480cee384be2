#include "codes/tone_samples.h"

#include <string>
#include <system_error>

#include "storage/install_layout.h"

namespace zelta::codes {
namespace fs = std::filesystem;

std::optional<std::string_view> alertPatternName(int patternIndex) {
  if (patternIndex < 0 || patternIndex >= static_cast<int>(kAlertPatternNames.size())) {
    return std::nullopt;
  }
  return kAlertPatternNames[static_cast<std::size_t>(patternIndex)];
}

fs::path toneFolder(const fs::path& programFolder) {
  const std::optional<fs::path> installed = storage::installedDataFolder(programFolder);
  return (installed ? *installed : programFolder) / kToneFolder;
}

std::vector<ToneStep> standInPatternTones(int patternIndex) {
  if (!alertPatternName(patternIndex)) return {};
  return melodySchedule(kStandInPatternMelodies[static_cast<std::size_t>(patternIndex)]);
}

AlertPatternSound alertPatternSound(const fs::path& programFolder, int patternIndex) {
  AlertPatternSound sound;
  const std::optional<std::string_view> name = alertPatternName(patternIndex);
  if (!name) return sound;
  const fs::path bare = toneFolder(programFolder) / std::string(*name);
  std::error_code error;
  if (fs::exists(bare, error)) {
    sound.kind = AlertPatternSound::Kind::Skipped;
    return sound;
  }
  fs::path file = bare;
  file += std::string(kToneExtension);
  if (fs::is_regular_file(file, error)) {
    sound.kind = AlertPatternSound::Kind::File;
    sound.file = std::move(file);
    return sound;
  }
  sound.kind = AlertPatternSound::Kind::StandIn;
  sound.tones = standInPatternTones(patternIndex);
  return sound;
}

bool playAlertPatternSample(const fs::path& programFolder, int patternIndex, ToneOutput& output) {
  const AlertPatternSound sound = alertPatternSound(programFolder, patternIndex);
  switch (sound.kind) {
    case AlertPatternSound::Kind::File: output.playFile(sound.file); return true;
    case AlertPatternSound::Kind::StandIn: output.play(sound.tones); return true;
    case AlertPatternSound::Kind::None:
    case AlertPatternSound::Kind::Skipped: break;
  }
  return false;
}

}  // namespace zelta::codes
