#pragma once

#include <filesystem>
#include <span>
#include <vector>

#include "codes/tone_output.h"

namespace zelta::codes {

// Keeps every schedule and file it is asked to play.
class RecordingToneOutput : public ToneOutput {
 public:
  std::vector<std::vector<ToneStep>> played;
  std::vector<std::filesystem::path> files;

  void play(std::span<const ToneStep> steps) override {
    played.emplace_back(steps.begin(), steps.end());
  }
  void playFile(const std::filesystem::path& file) override { files.push_back(file); }
};

}  // namespace zelta::codes
