#include "pages/model_layout.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace zelta::pages {
namespace {

std::string hiddenTabs(const TabLayout& layout) {
  std::string out;
  for (int i = 0; i < kPageCount; ++i) {
    if (!layout.tabShown(static_cast<Page>(i))) out += (out.empty() ? "" : ",") + std::to_string(i);
  }
  return out;
}

struct TabCase {
  int model;
  int capacity;
  const char* hidden;  // the Main tab (13) is always hidden on a laid-out codeplug
  int printed;
};

void PrintTo(const TabCase& c, std::ostream* os) {
  *os << c.model << "/" << c.capacity;
}

class PageLayoutTest : public ::testing::TestWithParam<TabCase> {};

TEST_P(PageLayoutTest, HiddenTabsAndPrintedPages) {
  const TabCase& c = GetParam();
  const TabLayout layout = pageLayout(static_cast<models::ModelCode>(c.model), c.capacity);
  EXPECT_EQ(hiddenTabs(layout), c.hidden);
  EXPECT_EQ(layout.printedPages, c.printed);
  EXPECT_TRUE(layout.tabShown(Page::General));
}

INSTANTIATE_TEST_SUITE_P(
    ByModel, PageLayoutTest,
    ::testing::Values(TabCase{33, 0, "2,3,4,6,8,13", 8}, TabCase{48, 0, "2,3,4,6,8,13", 8},
                      TabCase{49, 3, "2,3,4,6,8,13", 8},  // capacity means nothing here
                      TabCase{50, 0, "2,3,4,6,8,13", 8}, TabCase{54, 0, "2,3,4,6,8,13", 8},
                      TabCase{58, 0, "2,3,4,6,8,13", 8}, TabCase{112, 0, "3,4,8,13", 10},
                      TabCase{113, 0, "3,4,8,13", 10}, TabCase{116, 0, "3,4,8,13", 10},
                      TabCase{117, 3, "3,4,8,13", 10}, TabCase{120, 0, "3,4,8,13", 10},
                      TabCase{145, 3, "13", 13}, TabCase{147, 3, "13", 13},
                      TabCase{153, 3, "13", 13}, TabCase{146, 2, "3,4,8,13", 10},
                      TabCase{151, 2, "3,4,8,13", 10}, TabCase{149, 1, "2,3,4,8,13", 9},
                      TabCase{152, 0, "2,3,4,8,13", 9},
                      // the old models without a row of their own show every tab
                      TabCase{32, 0, "13", 8}, TabCase{34, 0, "13", 8}, TabCase{35, 0, "13", 8},
                      TabCase{255, 0, "13", 8}, TabCase{148, 3, "13", 8}));

TEST(PageLayout, CodeCapacityIsTheVariantInTheTopTwoBits) {
  EXPECT_EQ(codeCapacityFromVariantByte(0xC5), 3);
  EXPECT_EQ(codeCapacityFromVariantByte(0x80), 2);
  EXPECT_EQ(codeCapacityFromVariantByte(0x7F), 1);
  EXPECT_EQ(codeCapacityFromVariantByte(0x3F), 0);
  EXPECT_EQ(hiddenTabs(pageLayout(0x91, codeCapacityFromVariantByte(0x80))), "3,4,8,13");
}

TEST(PageLayout, ConverterModes) {
  const ConverterTabLayout lumio = converterPageLayout(ConverterMode::Lumio);
  EXPECT_EQ(hiddenTabs(lumio.tabs), "3,4,8,13");
  EXPECT_EQ(lumio.tabs.printedPages, 10);
  EXPECT_EQ(lumio.promptTabCaptions[0], "Prompt 1");
  EXPECT_EQ(lumio.promptTabCaptions[2], "Source 1-8");
  EXPECT_EQ(lumio.promptTabCaptions[3], "");

  const ConverterTabLayout varda = converterPageLayout(ConverterMode::Varda);
  EXPECT_EQ(hiddenTabs(varda.tabs), "13");
  EXPECT_EQ(varda.tabs.printedPages, 13);
  EXPECT_EQ(varda.promptTabCaptions[3], "Source 9-16");

  // Back to the source model's layout: its second prompt page is tab 7.
  const ConverterTabLayout off = converterPageLayout(ConverterMode::Off);
  EXPECT_EQ(hiddenTabs(off.tabs), "2,3,4,6,8,13");
  EXPECT_EQ(off.tabs.printedPages, 8);
  EXPECT_EQ(off.promptTabCaptions[1], "");
  EXPECT_EQ(off.promptTabCaptions[2], "Prompt 2");
}

TEST(ModelFieldLayout, DualFrequencyModelsCaptionTheirFrequencyGroups) {
  const ModelFieldLayout dualOn = modelFieldLayout(147, {.dualFrequencyEnabled = true});
  EXPECT_EQ(dualOn.frequencyGroupCaption, "Primary Frequency");
  EXPECT_TRUE(dualOn.secondaryFrequencyShown);
  EXPECT_EQ(fieldCaption(*findField("ed_printPrompt"), dualOn), "Dual Frequency Menu");
  EXPECT_EQ(fieldCaption(*findField("ed_printAllPrompt"), dualOn), "Scan");
  EXPECT_TRUE(fieldShown(*findField("ed_frequency2"), dualOn));
  EXPECT_TRUE(fieldShown(*findField("cb_dualFreqMenu"), dualOn));

  EXPECT_EQ(modelFieldLayout(151, {}).frequencyGroupCaption, "Frequency");

  // Family F has a second frequency too but its own frequency-menu prompts.
  const ModelFieldLayout f = modelFieldLayout(152, {.dualFrequencyEnabled = true});
  EXPECT_EQ(f.frequencyGroupCaption, "Primary Frequency");
  EXPECT_TRUE(f.secondaryFrequencyShown);
  EXPECT_EQ(fieldCaption(*findField("ed_printPrompt"), f), "Print One Msg");

  const ModelFieldLayout d = modelFieldLayout(145, {.dualFrequencyEnabled = true});
  EXPECT_EQ(d.frequencyGroupCaption, "Frequency");
  EXPECT_FALSE(fieldShown(*findField("ed_frequency2"), d));
  EXPECT_EQ(fieldCaption(*findField("ed_printAllPrompt"), d), "Print All Msgs");
}

// Which fields a model shows, as a table of model and field name.
struct ShownCase {
  int model;
  const char* field;
  bool shown;
  bool converterTarget = false;
  bool sequentialMode = false;
};

class FieldShownTest : public ::testing::TestWithParam<ShownCase> {};

void PrintTo(const ShownCase& c, std::ostream* os) {
  *os << c.model << " " << c.field;
}

TEST_P(FieldShownTest, ByModel) {
  const ShownCase& c = GetParam();
  const ModelFieldLayout layout =
      modelFieldLayout(static_cast<models::ModelCode>(c.model),
                       {.sequentialMode = c.sequentialMode, .converterTarget = c.converterTarget});
  const FieldEntry* field = findField(c.field);
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(fieldShown(*field, layout), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, FieldShownTest,
    ::testing::Values(
        // Code rows follow the model's number of codes.
        ShownCase{48, "ed_code04", true}, ShownCase{48, "ed_code05", false},
        ShownCase{112, "ed_history06", true}, ShownCase{112, "ed_code07", false},
        ShownCase{150, "ed_code16", true}, ShownCase{48, "ed_code16", false},
        // Per-function alert columns and the duty/alert menu belong to the sixteen-code layout.
        ShownCase{48, "ed_onOffDuty01", false}, ShownCase{117, "cb_alertMode01_1", false},
        ShownCase{145, "cb_alertPattern16_4", true}, ShownCase{153, "ed_crescendo09", true},
        ShownCase{48, "cb_alertMode09_1", true, true}, ShownCase{48, "cb_newAlertMenu", true, true},
        ShownCase{120, "cb_onOffDuty", false}, ShownCase{146, "cb_newAlertMenu", true},
        // Never shown: their groups stay hidden.
        ShownCase{145, "cb_codeMode", false}, ShownCase{147, "cb_supportDualFreq", false},
        ShownCase{152, "cb_PLL_Type", false}, ShownCase{152, "cb_nwBandCombo", false},
        // Band fields stay.
        ShownCase{48, "cb_freqBand", true}, ShownCase{152, "cb_nwBand", true},
        // Sequential increment: families D-F only in sequential mode.
        ShownCase{145, "cb_noSequentialInc", false},
        ShownCase{145, "cb_noSequentialInc", true, false, true},
        ShownCase{48, "cb_noSequentialInc", true},
        // Feature extras.
        ShownCase{113, "cb_maxErrorsUHB7B6", true}, ShownCase{117, "cb_scLostNumNormalMod", true},
        ShownCase{151, "cb_maxErrorsUHB5B4", true}, ShownCase{112, "cb_maxErrorsUHB7B6", false},
        ShownCase{151, "cb_cpfUif_Auto_Backlight_Mode", false},
        ShownCase{151, "cb_fUif_User_Password_Enable", false},
        ShownCase{153, "cb_cpfUif_New_Msg_Auto_Display", true},
        ShownCase{153, "cb_fUif_User_Password_Enable", true},
        ShownCase{152, "ed_cpwFc_Pswd_Timeout_s", true},
        ShownCase{152, "ed_cpwFc_Password_LRUD", true},
        ShownCase{152, "cb_fUif_User_Password_Level", false},
        ShownCase{152, "cb_maxErrorsUHB7B6", true},
        ShownCase{48, "cb_cpfUif_Paging_Auto_Backlight", false},
        ShownCase{152, "ed_cpwFc_Password", false},
        // Options only the family D-F image holds: a save of another model
        // would drop them.
        ShownCase{48, "cb_timeFormat", false}, ShownCase{117, "cb_turnOnPager", false},
        ShownCase{113, "cb_defaultZoom", false}, ShownCase{112, "cb_selDutySource", false},
        ShownCase{116, "cb_EnableSingleMessage", false}, ShownCase{145, "cb_timeFormat", true},
        ShownCase{153, "cb_EnableSingleMessage", true}, ShownCase{48, "cb_turnOnPager", true, true},
        ShownCase{58, "cb_fixAlert", false},
        ShownCase{113, "cb_defaultReminderAlertPattern", false},
        ShownCase{150, "cb_defaultReminderVibMode", true},
        // Private time alert: not on families D-F.
        ShownCase{48, "cb_autoOnOffAlert", true}, ShownCase{149, "cb_autoOnOffAlert", false},
        // A converter target shows what the family D codeplug it becomes keeps.
        ShownCase{48, "cb_autoOnOffAlert", false, true},
        ShownCase{48, "cb_maxErrorsUHB5B4", true, true},
        ShownCase{49, "cb_scLostNumNormalMod", true, true},
        ShownCase{48, "cb_noSequentialInc", false, true},
        // Model ' ' shows "LCD Control" in place of the end-of-message character.
        ShownCase{32, "ed_endMsgChar", false}, ShownCase{32, "cb_displayContrast", true},
        ShownCase{48, "ed_endMsgChar", true}, ShownCase{48, "cb_displayContrast", false},
        ShownCase{113, "cb_toneOnlySupport", true}, ShownCase{112, "cb_toneOnlySupport", false},
        ShownCase{48, "cb_disableAllAlerts", true}),
    [](const ::testing::TestParamInfo<ShownCase>& p) {
      return std::to_string(p.param.model) + "_" + p.param.field +
             (p.param.converterTarget ? "_converter" : "") +
             (p.param.sequentialMode ? "_sequential" : "");
    });

TEST(ModelFieldLayout, PagerTypeInfoAndZoomCaption) {
  EXPECT_TRUE(modelFieldLayout(145, {}).pagerTypeInfoShown);
  EXPECT_TRUE(modelFieldLayout(153, {}).pagerTypeInfoShown);
  EXPECT_FALSE(modelFieldLayout(148, {}).pagerTypeInfoShown);
  EXPECT_FALSE(modelFieldLayout(117, {}).pagerTypeInfoShown);
  EXPECT_TRUE(modelFieldLayout(145, {}).firstPlayToneShown);
  EXPECT_FALSE(modelFieldLayout(112, {}).firstPlayToneShown);
  EXPECT_EQ(modelFieldLayout(48, {}).informationGroupCaption, "Information");
  EXPECT_EQ(fieldCaption(*findField("cb_zoom"), modelFieldLayout(35, {})),
            "Receive Messages While Off");
  EXPECT_EQ(fieldCaption(*findField("cb_zoom"), modelFieldLayout(34, {})), "Zoom");
}

TEST(ModelFieldLayout, CodeCounts) {
  EXPECT_EQ(codeCount(32, false), 4);
  EXPECT_EQ(codeCount(49, false), 4);
  EXPECT_EQ(codeCount(116, false), 6);
  EXPECT_EQ(codeCount(113, false), 6);
  EXPECT_EQ(codeCount(147, false), 16);
  EXPECT_EQ(codeCount(255, false), 4);
  EXPECT_EQ(codeCount(48, true), 16);
}

}  // namespace
}  // namespace zelta::pages
