#pragma once

#include <QString>
#include <chrono>
#include <filesystem>
#include <functional>
#include <span>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "codes/tone_output.h"
#pragma pop_macro("slots")

namespace zelta::ui {

// The tones of the pleasing alert editor and the "Play tone" samples through
// the desktop's sound device: a schedule as square-wave PCM into an audio
// sink, a recorded sample through a sound effect.
//
// Playback holds the caller until the sound has finished, as the tone
// contract says (one preview never overlaps the next), but the window does
// not freeze: a local event loop runs meanwhile that paints and handles
// timers, and leaves the user's input queued until the sound ends. A
// request that arrives while a sound plays is dropped.
//
// Without a sound device (a headless bench, CI) nothing is played and the
// window is told once, through the notice given at construction.
class AudioToneOutput : public codes::ToneOutput {
 public:
  using Notice = std::function<void(const QString&)>;

  explicit AudioToneOutput(Notice notice = {});

  void play(std::span<const codes::ToneStep> steps) override;
  void playFile(const std::filesystem::path& file) override;

  // Whether a sound device is there now.
  static bool deviceAvailable();

 private:
  // Tells the window (the first time only) that nothing can be heard.
  void noDevice();

  Notice notice_;
  bool told_ = false;
  bool playing_ = false;
};

// What the window's status bar says once when no sound can be played.
inline constexpr const char* kNoAudioOutputText = "No audio output is available.";

}  // namespace zelta::ui
