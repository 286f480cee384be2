#include "codeplug/new_codeplug.h"

#include <gtest/gtest.h>

#include <memory>

#include "codeplug/builders.h"
#include "codeplug/frequency_band.h"
#include "models/models.h"
#include "recording_reporter.h"

namespace zelta::codeplug {
namespace {

// A new codeplug of every model that can be made from nothing passes the
// checks before saving and programming, and builds.
TEST(NewCodeplug, EveryModelPassesTheFrequencyChecksAndBuilds) {
  for (const models::ModelInfo& info : models::kModels) {
    if (info.family == models::Family::OldFormat && info.code != '!')
      continue;  // read from old pagers only
    SCOPED_TRACE(static_cast<int>(info.code));
    auto image = std::make_unique<CodeplugImage>();
    SettingsRecord s;
    setUpNewCodeplug(info.code, *image, s);
    EXPECT_EQ(image->modelCode(), info.code);

    FrequencySettings f;
    f.model = info.code;
    f.band = s.freqBand;
    f.pllType = s.PLL_Type;
    f.table = bandTableFor(info.code, "", false);
    f.primaryHz = frequencyHzFromText(s.frequency).value_or(0);
    f.secondHz = frequencyHzFromText(s.frequency2).value_or(0);
    zelta::testing::RecordingReporter reporter;
    EXPECT_EQ(checkFrequencyInBand(f, reporter), errors::code::Ok);
    EXPECT_EQ(buildImage(*image, s, {}), errors::code::Ok);
  }
}

}  // namespace
}  // namespace zelta::codeplug
