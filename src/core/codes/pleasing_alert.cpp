#include "codes/pleasing_alert.h"

#include <cstdio>

namespace zelta::codes {
namespace {

// Milliseconds from the start of the melody to the end of a step count:
// count * 62.5 rounded half up.
constexpr int boundaryMs(int steps) {
  return (steps * 125 + 1) / 2;
}

}  // namespace

int playedFrequencyOf(int noteIndex) {
  if (noteIndex < 0 || noteIndex >= static_cast<int>(kNoteCount)) return 0;
  return kNotes[static_cast<std::size_t>(noteIndex)].playedHz;
}

std::vector<MelodyRun> melodyRuns(const Melody& melody) {
  std::vector<MelodyRun> runs;
  for (std::uint8_t stepByte : melody) {
    const int note = noteIndexOf(stepByte);
    if (!runs.empty() && runs.back().noteIndex == note) {
      ++runs.back().steps;
    } else {
      runs.push_back({note, 1});
    }
  }
  return runs;
}

std::string melodyBytesText(const Melody& melody) {
  std::string text;
  for (std::uint8_t stepByte : melody) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned>(stepByte));
    if (!text.empty()) text += ' ';
    text += hex;
  }
  return text;
}

std::string melodyNotesText(const Melody& melody) {
  std::string text;
  for (const MelodyRun& run : melodyRuns(melody)) {
    if (!text.empty()) text += ", ";
    const auto index = static_cast<std::size_t>(run.noteIndex);
    text += index < kNoteCount ? std::string(kNotes[index].shown)
                               : "note " + std::to_string(run.noteIndex);
    text += " x" + std::to_string(run.steps);
  }
  return text;
}

std::vector<ToneStep> melodySchedule(const Melody& melody) {
  std::vector<ToneStep> schedule;
  int stepsBefore = 0;
  for (const MelodyRun& run : melodyRuns(melody)) {
    const int start = boundaryMs(stepsBefore);
    stepsBefore += run.steps;
    schedule.push_back({playedFrequencyOf(run.noteIndex), boundaryMs(stepsBefore) - start});
  }
  return schedule;
}

ToneStep notePreview(int noteIndex) {
  const int hz = playedFrequencyOf(noteIndex);
  return {hz, hz > 0 ? kNotePreviewMs : kRestPreviewMs};
}

std::optional<PleasingAlertCommand> pleasingAlertCommandForKey(int keyCode, bool alt) {
  if (alt && (keyCode == 'A' || keyCode == 'a')) return PleasingAlertCommand::Play;
  if (alt) return std::nullopt;
  switch (keyCode) {
    case kKeyEscape: return PleasingAlertCommand::Abort;
    case kKeyF6: return PleasingAlertCommand::Default;
    case kKeyF10: return PleasingAlertCommand::Done;
    default: return std::nullopt;
  }
}

PleasingAlertEditor::PleasingAlertEditor(Melody& melody, ToneOutput& output)
    : melody_(melody), undo_(melody), output_(output) {}

bool PleasingAlertEditor::setNote(std::size_t step, int noteIndex) {
  if (step >= kMelodySteps || noteIndex < 0 || noteIndex >= static_cast<int>(kNoteCount)) {
    return false;
  }
  std::uint8_t& stepByte = melody_[step];
  stepByte = static_cast<std::uint8_t>((stepByte & ~kNoteMask) | noteIndex);
  const ToneStep preview = notePreview(noteIndex);
  output_.play({&preview, 1});
  return true;
}

void PleasingAlertEditor::play() {
  const std::vector<ToneStep> schedule = melodySchedule(melody_);
  output_.play(schedule);
}

void PleasingAlertEditor::abort() {
  melody_ = undo_;
}

void PleasingAlertEditor::restoreDefault() {
  melody_ = defaultMelody();
}

bool PleasingAlertEditor::carryOut(PleasingAlertCommand command) {
  switch (command) {
    case PleasingAlertCommand::Play: play(); return false;
    case PleasingAlertCommand::Abort: abort(); return false;
    case PleasingAlertCommand::Default: restoreDefault(); return false;
    case PleasingAlertCommand::Done: return true;
  }
  return false;
}

}  // namespace zelta::codes
