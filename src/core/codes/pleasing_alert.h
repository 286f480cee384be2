#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codes/tone_output.h"

namespace zelta::codes {

// The pleasing-alert melody: sixteen steps of 62.5 ms, step 1 first.
//   7      5 4          0
//   | kept  | note index |
// The upper bits belong to the pager (a volume the editor never shows) and
// are carried through every edit.
inline constexpr std::size_t kMelodySteps = 16;
using Melody = std::array<std::uint8_t, kMelodySteps>;

inline constexpr std::uint8_t kNoteMask = 0x1F;
inline constexpr std::uint8_t kDefaultMelodyByte = 0xE9;  // note 9 (1300 Hz), upper bits 7

constexpr Melody defaultMelody() {
  Melody m{};
  m.fill(kDefaultMelodyByte);
  return m;
}

// Note 0 is a rest; notes 1-24 are tones. The list shows the nominal
// frequency, playback uses the one the pager actually produces.
struct Note {
  std::string_view shown;
  int playedHz;  // 0 for the rest
};

inline constexpr std::size_t kNoteCount = 25;
inline constexpr std::array<Note, kNoteCount> kNotes{{
    {"OFF", 0},        {"345 Hz", 345},   {"480 Hz", 480},   {"686 Hz", 686},   {"800 Hz", 800},
    {"900 Hz", 900},   {"960 Hz", 959},   {"1125 Hz", 1124}, {"1200 Hz", 1201}, {"1300 Hz", 1300},
    {"1371 Hz", 1371}, {"1551 Hz", 1550}, {"1600 Hz", 1602}, {"1920 Hz", 1918}, {"2400 Hz", 2403},
    {"2500 Hz", 2494}, {"2743 Hz", 2730}, {"2800 Hz", 2801}, {"2900 Hz", 2894}, {"2997 Hz", 2993},
    {"3095 Hz", 3099}, {"3200 Hz", 3194}, {"3840 Hz", 3851}, {"4800 Hz", 4805}, {"6400 Hz", 6387},
}};

constexpr int noteIndexOf(std::uint8_t stepByte) {
  return stepByte & kNoteMask;
}

// The frequency a note index plays. Indexes 25-31 fit the five bits but name
// no note: they play as rests.
int playedFrequencyOf(int noteIndex);

// A run of equal consecutive notes.
struct MelodyRun {
  int noteIndex;
  int steps;
  friend bool operator==(const MelodyRun&, const MelodyRun&) = default;
};

std::vector<MelodyRun> melodyRuns(const Melody& melody);

// The sixteen step bytes as stored, in hexadecimal ("E9 E9 ... E9"): what
// a listing shows and compares, the upper bits included.
std::string melodyBytesText(const Melody& melody);
// The notes as they sound, run by run: "1300 Hz x16", "OFF x2, 345 Hz x14".
// Indexes that name no note show as "note 27".
std::string melodyNotesText(const Melody& melody);

inline constexpr double kStepMs = 62.5;
inline constexpr int kNotePreviewMs = 50;
inline constexpr int kRestPreviewMs = 500;

// The melody as the tones to sound, one per run. Run boundaries fall on whole
// milliseconds (62.5 ms steps rounded half up from the start of the melody),
// so single steps last 62 or 63 ms and the melody exactly one second.
std::vector<ToneStep> melodySchedule(const Melody& melody);

// Hearing one note as it is chosen: a tone for 50 ms, a rest as 500 ms of silence.
ToneStep notePreview(int noteIndex);

// The window's commands. The three lower buttons carry the key of their
// command in their tag (Esc 27, F6 117, F10 121) and share one handler; the
// window's short-cut handler sends the same keys, and Alt+A plays.
enum class PleasingAlertCommand { Play, Abort, Default, Done };

inline constexpr int kKeyEscape = 27;
inline constexpr int kKeyF1 = 112;
inline constexpr int kKeyF6 = 117;
inline constexpr int kKeyF10 = 121;

// The command of a key (or of a button tag), nullopt for any other key. F1
// has no command here: the window swallows it rather than opening help.
std::optional<PleasingAlertCommand> pleasingAlertCommandForKey(int keyCode, bool alt = false);

// The editing window's model over the melody of the settings. Edits go
// straight into that melody; opening keeps a copy for "ESC Abort".
class PleasingAlertEditor {
 public:
  PleasingAlertEditor(Melody& melody, ToneOutput& output);

  const Melody& melody() const { return melody_; }
  int noteAt(std::size_t step) const { return noteIndexOf(melody_.at(step)); }

  // A note chosen in a step's list: stored into bits 0-4 and previewed.
  // Returns false (and changes nothing) for a step or note out of range.
  bool setNote(std::size_t step, int noteIndex);

  void play();            // "ALT-A Play"
  void abort();           // "ESC Abort": the melody as the window opened
  void restoreDefault();  // "F6 Default"

  // Carries out a command; true when the window closes ("F10 Done", which
  // keeps the melody as edited).
  bool carryOut(PleasingAlertCommand command);

 private:
  Melody& melody_;
  Melody undo_;
  ToneOutput& output_;
};

}  // namespace zelta::codes
