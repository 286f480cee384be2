#include "codes/tone_samples.h"

#include <gtest/gtest.h>

#include <fstream>

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

TEST_F(ToneSampleTest, PlaysThePatternOfTheListIndex) {
  RecordingToneOutput output;
  EXPECT_TRUE(playAlertPatternSample(dir_, 8, output));
  EXPECT_TRUE(playAlertPatternSample(dir_, 15, output));
  ASSERT_EQ(output.files.size(), 2U);
  EXPECT_EQ(output.files[0], dir_ / "tone" / "PL8.wav");
  EXPECT_EQ(output.files[1], dir_ / "tone" / "UG7.wav");
}

TEST_F(ToneSampleTest, NothingWithoutAPatternListOrSample) {
  RecordingToneOutput output;
  EXPECT_FALSE(playAlertPatternSample(dir_, -1, output));  // an edit field was entered
  EXPECT_FALSE(playAlertPatternSample(dir_, 16, output));
  EXPECT_FALSE(playAlertPatternSample(dir_, 0, output));  // STD.wav is missing
  EXPECT_TRUE(output.files.empty());
}

TEST(AlertPatternNameTest, Names) {
  EXPECT_EQ(alertPatternName(0), "STD");
  EXPECT_EQ(alertPatternName(9), "UG1");
  EXPECT_EQ(alertPatternName(16), std::nullopt);
}

}  // namespace
}  // namespace zelta::codes
