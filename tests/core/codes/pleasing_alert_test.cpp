#include "codes/pleasing_alert.h"

#include <gtest/gtest.h>

#include <numeric>

#include "recording_tone_output.h"

namespace zelta::codes {
namespace {

Melody melodyOf(std::initializer_list<std::uint8_t> bytes) {
  Melody m{};
  std::copy(bytes.begin(), bytes.end(), m.begin());
  return m;
}

int totalMs(const std::vector<ToneStep>& schedule) {
  return std::accumulate(schedule.begin(), schedule.end(), 0,
                         [](int sum, const ToneStep& s) { return sum + s.durationMs; });
}

TEST(MelodyScheduleTest, SixteenEqualNotesAreOneSecondTone) {
  const std::vector<ToneStep> schedule = melodySchedule(defaultMelody());
  ASSERT_EQ(schedule.size(), 1U);
  EXPECT_EQ(schedule[0], (ToneStep{1300, 1000}));
}

TEST(MelodyScheduleTest, AlternatingNotesAreSixteenStepTones) {
  Melody m{};
  for (std::size_t i = 0; i < kMelodySteps; ++i) m[i] = (i % 2 == 0) ? 0xE9 : 0xEE;
  const std::vector<ToneStep> schedule = melodySchedule(m);
  ASSERT_EQ(schedule.size(), 16U);
  for (std::size_t i = 0; i < schedule.size(); ++i) {
    EXPECT_EQ(schedule[i].frequencyHz, i % 2 == 0 ? 1300 : 2403) << i;
    EXPECT_TRUE(schedule[i].durationMs == 62 || schedule[i].durationMs == 63) << i;
  }
  EXPECT_EQ(totalMs(schedule), 1000);
}

TEST(MelodyScheduleTest, RunsFollowTheNoteBitsOnly) {
  // Steps 1-3 share note 3 although their upper bits differ; then a rest,
  // a note that names no tone (rest too), and note 24 to the end.
  const Melody m = melodyOf({0x03, 0xE3, 0x43, 0x00, 0x00, 0x1F, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18,
                             0x18, 0x18, 0x18, 0x18});
  EXPECT_EQ(melodyRuns(m), (std::vector<MelodyRun>{{3, 3}, {0, 2}, {31, 1}, {24, 10}}));
  // Boundaries at 187.5, 312.5 and 375 ms, rounded from the melody's start.
  EXPECT_EQ(melodySchedule(m), (std::vector<ToneStep>{{686, 188}, {0, 125}, {0, 62}, {6387, 625}}));
}

// A listing shows the bytes as stored (upper bits included) and the notes
// as they sound, run by run.
TEST(MelodyTextTest, BytesAsStoredAndNotesByRun) {
  Melody m = defaultMelody();
  m[0] = 0x00;   // a rest
  m[1] = 0x20;   // a rest with upper bits
  m[15] = 0xFB;  // index 27 names no note
  EXPECT_EQ(melodyBytesText(m), "00 20 E9 E9 E9 E9 E9 E9 E9 E9 E9 E9 E9 E9 E9 FB");
  EXPECT_EQ(melodyNotesText(m), "OFF x2, 1300 Hz x13, note 27 x1");
  EXPECT_EQ(melodyNotesText(defaultMelody()), "1300 Hz x16");
}

TEST(NotePreviewTest, ToneIsShortAndRestIsLong) {
  EXPECT_EQ(notePreview(6), (ToneStep{959, 50}));
  EXPECT_EQ(notePreview(0), (ToneStep{0, 500}));
  EXPECT_EQ(notePreview(24), (ToneStep{6387, 50}));
}

TEST(PleasingAlertEditorTest, ChangingANoteKeepsUpperBitsAndPreviews) {
  Melody melody = melodyOf({0xE9, 0x49, 0x09});
  RecordingToneOutput output;
  PleasingAlertEditor editor(melody, output);

  EXPECT_TRUE(editor.setNote(0, 3));
  EXPECT_TRUE(editor.setNote(1, 24));
  EXPECT_TRUE(editor.setNote(2, 0));
  EXPECT_EQ(melody[0], 0xE3);
  EXPECT_EQ(melody[1], 0x58);
  EXPECT_EQ(melody[2], 0x00);
  EXPECT_EQ(editor.noteAt(1), 24);
  ASSERT_EQ(output.played.size(), 3U);
  EXPECT_EQ(output.played[0], (std::vector<ToneStep>{{686, 50}}));
  EXPECT_EQ(output.played[2], (std::vector<ToneStep>{{0, 500}}));
}

TEST(PleasingAlertEditorTest, RejectsStepsAndNotesOutOfRange) {
  Melody melody = defaultMelody();
  RecordingToneOutput output;
  PleasingAlertEditor editor(melody, output);
  EXPECT_FALSE(editor.setNote(16, 3));
  EXPECT_FALSE(editor.setNote(0, 25));
  EXPECT_FALSE(editor.setNote(0, -1));
  EXPECT_EQ(melody, defaultMelody());
  EXPECT_TRUE(output.played.empty());
}

TEST(PleasingAlertEditorTest, AbortRestoresTheMelodyAsOpenedAfterDefault) {
  const Melody opened = melodyOf({0x21, 0x42, 0x63, 0x84});
  Melody melody = opened;
  RecordingToneOutput output;
  PleasingAlertEditor editor(melody, output);

  editor.setNote(0, 10);
  editor.carryOut(PleasingAlertCommand::Default);
  EXPECT_EQ(melody, defaultMelody());
  editor.setNote(5, 1);
  EXPECT_FALSE(editor.carryOut(PleasingAlertCommand::Abort));
  EXPECT_EQ(melody, opened);
}

TEST(PleasingAlertEditorTest, PlayAndDone) {
  Melody melody = defaultMelody();
  RecordingToneOutput output;
  PleasingAlertEditor editor(melody, output);

  editor.setNote(15, 0);
  EXPECT_FALSE(editor.carryOut(PleasingAlertCommand::Play));
  ASSERT_EQ(output.played.size(), 2U);
  EXPECT_EQ(output.played[1], (std::vector<ToneStep>{{1300, 938}, {0, 62}}));

  EXPECT_TRUE(editor.carryOut(PleasingAlertCommand::Done));
  EXPECT_EQ(melody[15], 0xE0);  // kept as edited
}

TEST(PleasingAlertEditorTest, KeysAndButtonTags) {
  EXPECT_EQ(pleasingAlertCommandForKey(kKeyEscape), PleasingAlertCommand::Abort);
  EXPECT_EQ(pleasingAlertCommandForKey(kKeyF6), PleasingAlertCommand::Default);
  EXPECT_EQ(pleasingAlertCommandForKey(kKeyF10), PleasingAlertCommand::Done);
  EXPECT_EQ(pleasingAlertCommandForKey('A', true), PleasingAlertCommand::Play);
  EXPECT_EQ(pleasingAlertCommandForKey('A'), std::nullopt);
  EXPECT_EQ(pleasingAlertCommandForKey(kKeyF1), std::nullopt);
  EXPECT_EQ(pleasingAlertCommandForKey(kKeyF6, true), std::nullopt);
}

TEST(NoteTableTest, ShownAndPlayedFrequencies) {
  EXPECT_EQ(kNotes[0].shown, "OFF");
  EXPECT_EQ(kNotes[16].shown, "2743 Hz");
  EXPECT_EQ(playedFrequencyOf(16), 2730);
  EXPECT_EQ(playedFrequencyOf(25), 0);
  EXPECT_EQ(playedFrequencyOf(-1), 0);
}

}  // namespace
}  // namespace zelta::codes
