#include "codes/tone_samples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <numeric>

#include "recording_tone_output.h"

namespace zelta::codes {
namespace {

class ToneSampleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("zelta-tone-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_ / "tone");
    std::ofstream(dir_ / "tone" / "PL8.wav") << "RIFF";
    std::ofstream(dir_ / "tone" / "UG7.wav") << "RIFF";
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::filesystem::path dir_;
};

TEST_F(ToneSampleTest, PlaysTheRecordedSampleOfTheListIndex) {
  RecordingToneOutput output;
  EXPECT_TRUE(playAlertPatternSample(dir_, 8, output));
  EXPECT_TRUE(playAlertPatternSample(dir_, 15, output));
  ASSERT_EQ(output.files.size(), 2U);
  EXPECT_EQ(output.files[0], dir_ / "tone" / "PL8.wav");
  EXPECT_EQ(output.files[1], dir_ / "tone" / "UG7.wav");
  EXPECT_TRUE(output.played.empty());
}

TEST_F(ToneSampleTest, WithoutARecordingThePatternsStandInPlays) {
  RecordingToneOutput output;
  EXPECT_TRUE(playAlertPatternSample(dir_, 0, output));  // no STD.wav
  EXPECT_TRUE(output.files.empty());
  ASSERT_EQ(output.played.size(), 1U);
  EXPECT_EQ(output.played[0], standInPatternTones(0));
}

TEST_F(ToneSampleTest, NothingWithoutAPatternList) {
  RecordingToneOutput output;
  EXPECT_FALSE(playAlertPatternSample(dir_, -1, output));  // an edit field was entered
  EXPECT_FALSE(playAlertPatternSample(dir_, 16, output));
  EXPECT_TRUE(output.files.empty());
  EXPECT_TRUE(output.played.empty());
}

TEST_F(ToneSampleTest, AFileOfThePatternNameWithoutExtensionSkipsIt) {
  std::ofstream(dir_ / "tone" / "PL8") << "";
  std::filesystem::create_directory(dir_ / "tone" / "STD");
  RecordingToneOutput output;
  EXPECT_FALSE(playAlertPatternSample(dir_, 8, output));
  EXPECT_FALSE(playAlertPatternSample(dir_, 0, output));
  EXPECT_EQ(alertPatternSound(dir_, 8).kind, AlertPatternSound::Kind::Skipped);
  EXPECT_TRUE(output.files.empty());
  EXPECT_TRUE(output.played.empty());
}

TEST_F(ToneSampleTest, AnInstalledProgramFindsItsSamplesUnderShare) {
  const std::filesystem::path prefix = dir_ / "usr";
  std::filesystem::create_directories(prefix / "bin");
  std::filesystem::create_directories(prefix / "share" / "zelta-pps" / "tone");
  std::ofstream(prefix / "share" / "zelta-pps" / "tone" / "UG1.wav") << "RIFF";
  EXPECT_EQ(toneFolder(prefix / "bin"), prefix / "share" / "zelta-pps" / "tone");
  const AlertPatternSound sound = alertPatternSound(prefix / "bin", 9);
  EXPECT_EQ(sound.kind, AlertPatternSound::Kind::File);
  EXPECT_EQ(sound.file, prefix / "share" / "zelta-pps" / "tone" / "UG1.wav");
}

// Every stand-in is a one-second melody of the pager's notes, and no two
// patterns sound alike.
TEST(StandInPatternTest, EachPatternIsAOneSecondTuneOfItsOwn) {
  for (int i = 0; i < static_cast<int>(kAlertPatternNames.size()); ++i) {
    const std::vector<ToneStep> tones = standInPatternTones(i);
    const int total =
        std::accumulate(tones.begin(), tones.end(), 0,
                        [](int sum, const ToneStep& s) { return sum + s.durationMs; });
    EXPECT_EQ(total, 1000) << kAlertPatternNames[static_cast<std::size_t>(i)];
    EXPECT_TRUE(
        std::any_of(tones.begin(), tones.end(), [](const ToneStep& s) { return !s.isRest(); }));
    for (std::uint8_t step : kStandInPatternMelodies[static_cast<std::size_t>(i)])
      EXPECT_LT(step, kNoteCount);
    for (int j = 0; j < i; ++j) EXPECT_NE(tones, standInPatternTones(j)) << i << " " << j;
  }
  EXPECT_TRUE(standInPatternTones(16).empty());
  EXPECT_TRUE(standInPatternTones(-1).empty());
}

TEST(AlertPatternNameTest, Names) {
  EXPECT_EQ(alertPatternName(0), "STD");
  EXPECT_EQ(alertPatternName(9), "UG1");
  EXPECT_EQ(alertPatternName(16), std::nullopt);
}

}  // namespace
}  // namespace zelta::codes
