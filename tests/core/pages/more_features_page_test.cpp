#include "pages/more_features_page.h"

#include <gtest/gtest.h>

#include "page_context_fixture.h"
#include "pages/field_ids.h"

namespace zelta::pages {
namespace {

using testing::PageContextFixture;
constexpr auto choose = testing::chooseItem;

constexpr int kNo = 0;
constexpr int kYes = 1;

struct MoreFeaturesFixture : PageContextFixture {
  MoreFeaturesPage page;
  explicit MoreFeaturesFixture(models::ModelCode model = 'p') : PageContextFixture(model) {
    setCode(1, "0001000", "NNAA");
    settings.endMsgChar = "04";
  }
};

struct GaugeCase {
  int gauge;
  int high, medium, low;
  bool passes;
};

class BatteryGauge : public ::testing::TestWithParam<GaugeCase> {};

TEST_P(BatteryGauge, LevelsFallStrictlyWhileTheGaugeIsOn) {
  const GaugeCase c = GetParam();
  MoreFeaturesFixture f;
  f.settings.batteryGauge = c.gauge;
  f.settings.batteryGaugeHiLevel = c.high;
  f.settings.batteryGaugeMedLevel = c.medium;
  f.settings.batteryGaugeLoLevel = c.low;
  EXPECT_EQ(f.page.pageCheck(f.context), c.passes ? errors::code::Ok : errors::code::BatteryLevel);
  EXPECT_EQ(f.reported(errors::code::BatteryLevel), !c.passes);
  if (c.gauge == kNo) {
    EXPECT_EQ(f.settings.batteryGaugeHiLevel, 9);
    EXPECT_EQ(f.settings.batteryGaugeMedLevel, 8);
    EXPECT_EQ(f.settings.batteryGaugeLoLevel, 7);
  } else {
    EXPECT_EQ(f.settings.batteryGaugeHiLevel, c.high);  // a refused choice stays for correction
  }
}

INSTANTIATE_TEST_SUITE_P(
    MoreFeaturesPage, BatteryGauge,
    ::testing::Values(GaugeCase{kYes, 9, 8, 7, true}, GaugeCase{kYes, 15, 1, 0, true},
                      GaugeCase{kYes, 7, 7, 6, false},  // 1.24v, 1.24v
                      GaugeCase{kYes, 9, 8, 8, false}, GaugeCase{kYes, 7, 8, 9, false},
                      GaugeCase{kNo, 7, 7, 7, true}, GaugeCase{kNo, 0, 15, 3, true}));

TEST(MoreFeaturesPage, ExitReturnsTheCheckAndStores) {
  MoreFeaturesFixture f;
  f.settings.batteryGauge = kYes;
  f.settings.batteryGaugeMedLevel = 8;
  f.settings.batteryGaugeLoLevel = 7;
  EXPECT_EQ(f.page.onExit(choose(fieldId("cb_batteryGaugeHiLevel"), 8), f.context),
            errors::code::BatteryLevel);
  EXPECT_EQ(f.settings.batteryGaugeHiLevel, 8);
  EXPECT_EQ(f.page.onExit(choose(fieldId("cb_batteryGaugeHiLevel"), 10), f.context),
            errors::code::Ok);
  EXPECT_EQ(f.page.onExit(choose(fieldId("cb_lowCellPeriod"), 12), f.context), errors::code::Ok);
  EXPECT_EQ(f.settings.lowCellPeriod, 12);
}

TEST(MoreFeaturesPage, MemoryFullPromptNeedsAPersonalCodeAndAPromptMenu) {
  MoreFeaturesFixture f;
  EXPECT_EQ(f.page.onExit(choose(fieldId("cb_showMemFull"), kYes), f.context), errors::code::Ok);
  EXPECT_EQ(f.settings.showMemFull, kYes);

  f.context.headerType = 3;
  f.context.promptsAsText = true;
  f.page.pageCheck(f.context);
  EXPECT_EQ(f.settings.showMemFull, kNo);

  MoreFeaturesFixture maildropOnly;
  maildropOnly.setCode(1, "0001000", "AAAA", 2);
  maildropOnly.page.onExit(choose(fieldId("cb_showMemFull"), kYes), maildropOnly.context);
  EXPECT_EQ(maildropOnly.settings.showMemFull, kNo);
}

TEST(MoreFeaturesPage, ZoomOfModelSpaceNeedsMemoryRetention) {
  MoreFeaturesFixture f(' ');
  f.settings.nonVolatileMemory = kNo;
  f.page.onExit(choose(fieldId("cb_zoom"), kYes), f.context);
  EXPECT_EQ(f.settings.zoom, kNo);
  ASSERT_EQ(f.reporter.shown.size(), 1U);
  EXPECT_EQ(f.reporter.shown[0].caption, "INFORMATION");
  EXPECT_EQ(f.reporter.shown[0].text, "Enable Memory Retention Option");

  f.settings.nonVolatileMemory = kYes;
  f.page.onExit(choose(fieldId("cb_zoom"), kYes), f.context);
  EXPECT_EQ(f.settings.zoom, kYes);
  EXPECT_EQ(f.reporter.shown.size(), 1U);
}

TEST(MoreFeaturesPage, ModelHashShowsReceiveWhileOffInTheZoomControl) {
  MoreFeaturesFixture f('#');
  f.settings.nonVolatileMemory = kYes;
  f.page.onExit(choose(fieldId("cb_zoom"), kYes), f.context);
  EXPECT_EQ(f.settings.receiveWhileOff, kYes);
  EXPECT_EQ(f.settings.zoom, kNo);
  PageView view = f.page.view(Page::MoreFeatures, f.context);
  EXPECT_EQ(view.find(fieldId("cb_zoom"))->caption, "Receive Messages While Off");
  EXPECT_EQ(view.find(fieldId("cb_zoom"))->selected, kYes);

  f.settings.nonVolatileMemory = kNo;  // nothing is kept while off without retention
  EXPECT_EQ(f.page.view(Page::MoreFeatures, f.context).find(fieldId("cb_zoom"))->selected, kNo);
}

TEST(MoreFeaturesPage, Enabling) {
  MoreFeaturesFixture f(0x98);
  auto& s = f.settings;
  const auto enabled = [&](FieldId id) { return f.enabled(f.page, Page::MoreFeatures, id); };
  s.batteryGauge = kNo;
  for (FieldId id : {fieldId("cb_batteryGaugeHiLevel"), fieldId("cb_batteryGaugeMedLevel"),
                     fieldId("cb_batteryGaugeLoLevel")})
    EXPECT_FALSE(enabled(id));
  s.batteryGauge = kYes;
  for (FieldId id : {fieldId("cb_batteryGaugeHiLevel"), fieldId("cb_batteryGaugeMedLevel"),
                     fieldId("cb_batteryGaugeLoLevel")})
    EXPECT_TRUE(enabled(id));

  s.showTimeStamp = kNo;
  EXPECT_FALSE(enabled(fieldId("cb_timeFormat")));
  s.showTimeStamp = kYes;
  EXPECT_TRUE(enabled(fieldId("cb_timeFormat")));

  s.onOffDuty = 0;
  EXPECT_FALSE(enabled(fieldId("cb_selDutySource")));
  s.onOffDuty = 1;
  EXPECT_TRUE(enabled(fieldId("cb_selDutySource")));

  EXPECT_TRUE(enabled(fieldId("cb_zoom")));
  f.context.headerType = 3;
  f.context.promptsAsText = true;
  EXPECT_FALSE(enabled(fieldId("cb_zoom")));
}

TEST(MoreFeaturesPage, ToneOnlySupportShownOnItsModels) {
  struct Case {
    models::ModelCode model;
    ConverterMode converter;
    bool shown;
  };
  for (const Case c :
       {Case{'q', ConverterMode::Off, true}, Case{0x99, ConverterMode::Off, true},
        Case{'p', ConverterMode::Off, false}, Case{'1', ConverterMode::Lumio, true}}) {
    MoreFeaturesFixture f(c.model);
    f.context.converter = c.converter;
    EXPECT_EQ(
        f.page.view(Page::MoreFeatures, f.context).find(fieldId("cb_toneOnlySupport"))->visible,
        c.shown)
        << int(c.model);
  }
}

}  // namespace
}  // namespace zelta::pages
