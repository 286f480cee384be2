#pragma once

#include <filesystem>
#include <span>

namespace zelta::codes {

// One step of a tone schedule: a square tone, or silence when frequencyHz is 0.
struct ToneStep {
  int frequencyHz = 0;
  int durationMs = 0;

  bool isRest() const { return frequencyHz <= 0; }
  friend bool operator==(const ToneStep&, const ToneStep&) = default;
};

// Where the core's tones and alert samples are heard. The front end plays them
// through the sound device and returns when they have finished: playback
// holds the caller for its length, about a second for a melody, so that one
// preview never overlaps the next.
class ToneOutput {
 public:
  virtual ~ToneOutput() = default;

  // Sounds the steps in order; rests are silence of their length.
  virtual void play(std::span<const ToneStep> steps) = 0;

  // Plays a recorded alert sample (a wave file).
  virtual void playFile(const std::filesystem::path& file) = 0;
};

}  // namespace zelta::codes
