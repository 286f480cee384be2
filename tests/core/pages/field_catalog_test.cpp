#include "pages/field_catalog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace zelta::pages {
namespace {

std::string two(int n) {
  char buf[4];
  std::snprintf(buf, sizeof buf, "%02d", n);
  return buf;
}

// The field IDs written out the way the window assigns them: explicit lists
// for the irregular blocks, the per-code arithmetic for the code rows.
std::map<FieldId, std::string> assignedIds() {
  std::map<FieldId, std::string> ids;
  auto put = [&](FieldId id, const std::string& name) {
    EXPECT_TRUE(ids.emplace(id, name).second) << "ID listed twice: " << id;
  };
  auto putRun = [&](FieldId first, const std::vector<std::string>& names) {
    for (std::size_t i = 0; i < names.size(); ++i) put(first + static_cast<int>(i), names[i]);
  };

  put(1, "ed_serialNumber");
  put(2, "ed_ICN");
  put(3, "cb_deafPager");
  put(4, "cb_codingFormat");
  put(6, "ed_frequency");
  for (int n = 1; n <= 4; ++n) {
    putRun(7 + 5 * (n - 1), {"ed_code" + two(n), "ed_function" + two(n), "ed_priority" + two(n),
                             "cb_codeType" + two(n), "ed_history" + two(n)});
  }
  putRun(27, {"ed_code05", "ed_function05", "ed_priority05", "cb_codeType05"});
  putRun(31, {"ed_code06", "ed_function06", "ed_priority06", "cb_codeType06"});
  putRun(35, {"cb_internationalPrompt", "cb_internationalCharSet", "cb_showSource",
              "ed_powerUpPrompt", "ed_disablePagerPrompt"});
  for (int k = 1; k <= 24; ++k) put(39 + k, "ed_source" + std::to_string(k) + "Prompt");
  putRun(64, {"ed_autoOnPrompt",
              "ed_setAlertPrompt",
              "ed_setAudioPrompt",
              "ed_setSilentPrompt",
              "ed_setLockPrompt",
              "ed_setUnlockPrompt",
              "ed_deletePrompt",
              "ed_deleteAllPrompt",
              "ed_setTimeAlarmPrompt",
              "ed_setAlarmPrompt",
              "ed_setOffPrompt",
              "ed_goStatusPrompt",
              "ed_duplicatePrompt",
              "ed_memoryFullPrompt",
              "ed_setTimePrompt",
              "ed_standardAlertPrompt",
              "ed_pleasantAlertPrompt",
              "ed_chirpAlertPrompt",
              "ed_noAlertPrompt",
              "ed_enableMaildropPrompt",
              "ed_disableMaildropPrompt",
              "ed_onPrompt",
              "ed_offPrompt",
              "ed_zoomInPrompt",
              "ed_zoomOutPrompt",
              "ed_addToNotebookPrompt",
              "ed_printPrompt",
              "ed_printAllPrompt",
              "ed_setMsgAlarmPrompt",
              "ed_noteBookPrompt",
              "ed_setReminderPrompt",
              "ed_standardAndVibPrompt",
              "ed_batteryLowPrompt"});
  putRun(97, {"cb_disableAllAlerts",
              "cb_alertFrequency",
              "cb_alertDuration",
              "cb_defaultAlert",
              "cb_userChangableAlertMode",
              "cb_userSelectableAlerts",
              "cb_programmablePleasingAlert",
              "cb_reminderAlertInterval",
              "cb_reminderAlertTimeout",
              "cb_reminderAlertDuration",
              "cb_defaultReminderAlert",
              "cb_enableMaildropAlert",
              "cb_manualAlertReset",
              "cb_lowCellAlert",
              "cb_keyChirp",
              "cb_alarmAlwaysAudible",
              "cb_realTimeClock",
              "cb_internationalDate",
              "cb_showTimeStamp",
              "cb_individualMessageAlarm",
              "cb_autoAlarmTurnOn",
              "cb_autoOnOff",
              "cb_autoOnOffAlert",
              "cb_oorTime",
              "cb_oorAlert",
              "cb_vibrator",
              "cb_std4RepeatPeriod",
              "cb_std4PulseDuration"});
  putRun(125,
         {"cb_securityLevel", "ed_downloadPassword", "cb_rfProgramming", "cb_silentRFProgramming",
          "ed_otaPassword", "ed_otaGroupPassword", "cb_dataInversion"});
  putRun(132, {"cb_retainErroredNumeric",
               "cb_retainErroredNonNumeric",
               "cb_retainBetterMaildrop",
               "cb_personalMessageNotebook",
               "cb_maildropMessageNotebook",
               "cb_duplication",
               "cb_sourceIndependentDuplication",
               "cb_sequentialLockoutPeriod",
               "cb_truncatedMessageIndicator",
               "cb_badDataIndication",
               "cb_messageContinueIndicator",
               "cb_deleteSlotNumber",
               "cb_stopDecodeMissSync",
               "cb_readTimeout",
               "cb_fastScrollTime",
               "cb_allowOff",
               "cb_functionMenuDisplay",
               "cb_manualDelete",
               "cb_messageLocking",
               "cb_nonVolatileMemory",
               "cb_memoryCleanup"});
  putRun(153, {"cb_B14bitDecoding", "cb_ideoNumericCanned", "cb_regularCannedMsg",
               "ed_startCannedMsg", "ed_endCannedMsg", "cb_messagePreview", "cb_autoBacklight",
               "ed_endMsgChar", "cb_displayContrast"});
  putRun(163, {"cb_batteryGauge", "cb_batteryGaugeHiLevel", "cb_batteryGaugeMedLevel",
               "cb_batteryGaugeLoLevel", "cb_lowCellPeriod", "cb_printerEnabled", "cb_showMemFull",
               "cb_zoom", "cb_noSequentialInc", "cb_toneOnlySupport"});
  for (int n = 7; n <= 16; ++n) {
    put(166 + n, "ed_code" + two(n));
    put(176 + n, "ed_function" + two(n));
    put(186 + n, "ed_priority" + two(n));
    put(196 + n, "cb_codeType" + two(n));
  }
  for (int n = 5; n <= 8; ++n) put(208 + n, "ed_history" + two(n));
  for (int n = 1; n <= 16; ++n) {
    put(216 + n, "ed_onOffDuty" + two(n));
    put(232 + n, "ed_fixAlert" + two(n));
    put(248 + n, "ed_interruptVib" + two(n));
    put(264 + n, "ed_crescendo" + two(n));
    for (int s = 1; s <= 4; ++s) {
      put(280 + 4 * (n - 1) + s, "cb_alertMode" + two(n) + "_" + std::to_string(s));
      put(344 + 4 * (n - 1) + s, "cb_alertPattern" + two(n) + "_" + std::to_string(s));
    }
  }
  putRun(411, {"ed_musicAlertPrompt", "ed_setMsgAlertPrompt", "ed_setMsgReminderPrompt",
               "ed_soundModePrompt", "ed_soundAndVibModePrompt", "ed_vibThenSoundModePrompt"});
  putRun(418, {"ed_vibratorModePrompt", "ed_silentModePrompt", "ed_continuousVibPrompt",
               "ed_interruptedVibPrompt", "ed_crescendoPrompt", "ed_nonCrescendoPrompt",
               "ed_dutyEnablePrompt", "ed_dutyDisablePrompt", "ed_sourcePrompt"});
  for (int k = 25; k <= 64; ++k) put(402 + k, "ed_source" + std::to_string(k) + "Prompt");
  const std::vector<std::pair<FieldId, std::string>> late{
      {467, "ed_setOffDutyPrompt"},
      {468, "ed_setOnDutyPrompt"},
      {469, "cb_fixAlert"},
      {471, "cb_defaultReminderVibMode"},
      {472, "cb_defaultReminderCrescendoMode"},
      {473, "cb_defaultReminderAlertMode"},
      {474, "cb_defaultReminderAlertPattern"},
      {475, "cb_defaultZoom"},
      {476, "cb_onOffDuty"},
      {478, "cb_timeFormat"},
      {479, "cb_turnOnPager"},
      {480, "cb_codeMode"},
      {483, "cb_selDutySource"},
      {484, "cb_newAlertMenu"},
      {485, "cb_maxErrorsUHB7B6"},
      {486, "cb_maxErrorsUHB5B4"},
      {487, "cb_scLostNumNormalMod"},
      {488, "ed_setToOffDutyPrompt"},
      {489, "ed_setToOnDutyPrompt"},
      {490, "cb_supportDualFreq"},
      {491, "ed_frequency2"},
      {492, "cb_dualFreqMenu"},
      {494, "ed_switchSitePrompt"},
      {495, "ed_switchWidePrompt"},
      {496, "cb_freqBand"},
      {497, "cb_nwBand"},
      {498, "cb_cpfUif_Paging_Auto_Backlight"},
      {499, "cb_cpfUif_Auto_Backlight_Mode"},
      {500, "cb_cpfUif_New_Msg_Auto_Display"},
      {501, "ed_DualFrequencyMenuPrompt"},
      {502, "ed_PriorityScanPrompt"},
      {503, "cb_fUif_User_Password_Enable"},
      {504, "cb_fUif_User_Password_Level"},
      {505, "ed_cpwFc_Pswd_Timeout_m"},
      {506, "ed_cpwFc_Pswd_Timeout_h"},
      {507, "ed_cpwFc_Pswd_Timeout_s"},
      {508, "ed_cpwFc_Password_LRUD"},
      {509, "ed_INPUT_PASSWORD_PROMPT"},
      {510, "ed_PASSWORD_KEY_PROMPT"},
      {511, "cb_PLL_Type"},
      {512, "cb_nwBandCombo"},
      {531, "cb_EnableSingleMessage"},
  };
  for (const auto& [id, name] : late) put(id, name);
  return ids;
}

TEST(FieldCatalog, HoldsEveryAssignedIdOnceUnderItsControlName) {
  const std::map<FieldId, std::string> expected = assignedIds();
  std::map<FieldId, std::string> actual;
  for (const FieldEntry& f : allFields()) {
    if (f.id == kNoFieldId) continue;
    EXPECT_TRUE(actual.emplace(f.id, std::string(f.name)).second) << "duplicate ID " << f.id;
  }
  EXPECT_EQ(actual, expected);
}

TEST(FieldCatalog, NamesAreUniqueAndLookupsRoundTrip) {
  std::set<std::string_view> names;
  for (const FieldEntry& f : allFields()) {
    EXPECT_TRUE(names.insert(f.name).second) << "duplicate name " << f.name;
    ASSERT_EQ(findField(f.name), &f) << f.name;
    if (f.id != kNoFieldId) {
      ASSERT_EQ(findField(f.id), &f) << f.id;
      EXPECT_GE(f.id, kFirstFieldId);
      EXPECT_LE(f.id, kLastFieldId);
    }
  }
}

TEST(FieldCatalog, UnassignedIdsAndUnknownNamesFindNothing) {
  for (FieldId id : {0, 5, 162, 409, 410, 417, 470, 477, 481, 482, 493, 513, 530, 532, -1}) {
    EXPECT_EQ(findField(id), nullptr) << id;
  }
  EXPECT_EQ(findField("ed_history09"), nullptr);
  EXPECT_EQ(findField("cb_spurSwitch"), nullptr);
  EXPECT_EQ(findField(""), nullptr);
}

TEST(FieldCatalog, FieldsWithoutIdAreTheReadOnlyHelpers) {
  std::set<std::string_view> withoutId;
  for (const FieldEntry& f : allFields()) {
    if (f.id == kNoFieldId) withoutId.insert(f.name);
  }
  EXPECT_EQ(withoutId, (std::set<std::string_view>{"ed_persMemSizeString", "ed_persMaildropString",
                                                   "ed_cpwFc_Password"}));
  const FieldEntry* userPassword = findField("ed_cpwFc_Password");
  ASSERT_NE(userPassword, nullptr);
  EXPECT_EQ(userPassword->filter, KeyFilter::UserPassword);
  EXPECT_EQ(userPassword->maxLength, 8);
  EXPECT_TRUE(userPassword->flags.hidden);
  EXPECT_TRUE(findField("ed_persMaildropString")->flags.notTabStop);
}

// Every kind is usable as built: lists offer items, typed fields have a limit,
// masked fields a mask.
TEST(FieldCatalog, EveryFieldIsCompleteForItsKind) {
  for (const FieldEntry& f : allFields()) {
    switch (f.kind) {
      case FieldKind::List:
        EXPECT_FALSE(f.items.empty()) << f.name;
        EXPECT_EQ(f.maxLength, 0) << f.name;
        break;
      case FieldKind::Text: EXPECT_GT(f.maxLength, 0) << f.name; break;
      case FieldKind::Masked:
        EXPECT_FALSE(f.mask.empty()) << f.name;
        EXPECT_TRUE(f.maskKeys || f.name.starts_with("ed_frequency")) << f.name;
        break;
      case FieldKind::ReadOnly: break;
    }
    EXPECT_FALSE(f.caption.empty() && f.group.empty() && !f.flags.hidden) << f.name;
  }
}

struct FieldCase {
  std::string_view name;
  Page page;
  FieldKind kind;
  std::string_view caption;
  std::string_view group;
  int maxLength;
  KeyFilter filter;
  std::string_view hint;
};

void PrintTo(const FieldCase& c, std::ostream* os) {
  *os << c.name;
}

class FieldInventoryTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldInventoryTest, MatchesTheInventory) {
  const FieldCase& c = GetParam();
  const FieldEntry* f = findField(c.name);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->page, c.page);
  EXPECT_EQ(f->kind, c.kind);
  EXPECT_EQ(f->caption, c.caption);
  EXPECT_EQ(f->group, c.group);
  EXPECT_EQ(f->maxLength, c.maxLength);
  EXPECT_EQ(f->filter, c.filter);
  EXPECT_EQ(f->hint, c.hint);
}

using enum Page;
using enum FieldKind;
using enum KeyFilter;

INSTANTIATE_TEST_SUITE_P(
    Inventory, FieldInventoryTest,
    ::testing::Values(
        FieldCase{"ed_frequency", General, Masked, "", "Frequency (MHz)", 9, None,
                  "Enter frequency."},
        FieldCase{"ed_frequency2", General, Masked, "", "Secondary Frequency (MHz)", 9, None,
                  "Enter frequency."},
        FieldCase{"ed_ICN", General, Text, "Inventory Control No.", "", 10, None,
                  "Enter inverntory control number."},
        FieldCase{"ed_persMemSizeString", General, ReadOnly, "Personal Memory", "Total Memory", 0,
                  None, ""},
        FieldCase{"cb_noSequentialInc", General, List, "", "Sequential Code Increment", 0, None,
                  ""},
        FieldCase{"ed_code05", Code5to8, Text, "Code 5", "", 7, Decimal, "Enter pager code."},
        FieldCase{"ed_code16", Code13to16, Text, "Code 16", "", 7, Decimal, "Enter pager code."},
        FieldCase{"ed_priority09", Code9to12, Text, "Priority  (Y,N)", "", 4, YesNo,
                  "Enter Y or N."},
        FieldCase{"ed_history08", Code5to8, Text, "Maildrop History (Y,N)", "", 4, YesNo,
                  "Enter Y or N."},
        FieldCase{"ed_crescendo13", Code13to16, Masked, "Escalating Mode", "", 4, YesNo,
                  "Enter characters. "},
        FieldCase{"cb_alertMode07_3", Code5to8, List, "3", "Alert Mode", 0, None,
                  "1 = Alert Mode\n2 = Alert & VIB\n3 = VIB Then Alert\n4 = Vibrate\n5 = "
                  "Chirp\n6 = Silent"},
        FieldCase{"ed_setTimeAlarmPrompt", Prompt1, Text, "Set Time && Alarm", "", 20,
                  PromptCharacters, "Enter characters."},
        FieldCase{"ed_batteryLowPrompt", Prompt2, Text, "Battery Low", "", 20, PromptCharacters,
                  "Enter characters."},
        FieldCase{"ed_PASSWORD_KEY_PROMPT", Prompt2, Text, "Direction Key For Input", "", 20,
                  PromptCharacters, "Enter characters."},
        FieldCase{"ed_source1Prompt", Source1to8, Text, "Source 1-1 Prompt", "", 20,
                  PromptCharacters, ""},
        FieldCase{"ed_source24Prompt", Source1to8, Text, "Source 6-4 Prompt", "", 20,
                  PromptCharacters, ""},
        FieldCase{"ed_source25Prompt", Source9to16, Text, "Source 7-1 Prompt", "", 20,
                  PromptCharacters, ""},
        FieldCase{"ed_source64Prompt", Source9to16, Text, "Source 16-4 Prompt", "", 20,
                  PromptCharacters, ""},
        FieldCase{"cb_std4PulseDuration", Alert, List, "Function 4 Tone Pulse", "", 0, None, ""},
        FieldCase{"ed_downloadPassword", PasswordOta, Text, "Download Password", "", 10,
                  LettersAndDigits, "Enter password."},
        FieldCase{"ed_otaGroupPassword", PasswordOta, Text, "Group OTA Password", "", 10,
                  LettersAndDigits, ""},
        FieldCase{"ed_cpwFc_Pswd_Timeout_s", PasswordOta, Text, "m", "Password Timeout (Max.12h)",
                  5, Decimal, "Enter seconds. (Max.43200)"},
        FieldCase{"ed_cpwFc_Password_LRUD", PasswordOta, ReadOnly, "User Password", "", 0, None,
                  "L=Left key,  R=Right key,  U=Up key,  D=Down key."},
        FieldCase{"ed_endMsgChar", Features, Text, "End of Message Character", "", 2, Hexadecimal,
                  "Enter HEX value - Valid Range: 00-7F."},
        FieldCase{"ed_endCannedMsg", MoreFeatures, Text, "End Canned Message", "", 4, Hexadecimal,
                  ""},
        FieldCase{"cb_EnableSingleMessage", MoreFeatures, List, "Enable Single Message", "", 0,
                  None, ""}),
    [](const ::testing::TestParamInfo<FieldCase>& p) { return std::string(p.param.name); });

std::vector<std::string_view> itemsOf(std::string_view name) {
  const FieldEntry* f = findField(name);
  if (f == nullptr) return {};
  return {f->items.begin(), f->items.end()};
}

TEST(FieldCatalog, ListItemsAsTheSettingsIndexThem) {
  using V = std::vector<std::string_view>;
  EXPECT_EQ(itemsOf("cb_freqBand"), (V{"VHF D (High)", "VHF A (Low)", "VHF B (Low)", "VHF C (Low)",
                                       "UHF A (Low)", "UHF B (Low)", "900 MHz", "UHF C (Low)"}));
  EXPECT_EQ(itemsOf("cb_codeMode"), (V{"Zelta Kestra", "Zelta Lumio", "Zelta Varda"}));
  EXPECT_EQ(itemsOf("cb_alertFrequency"), (V{"3.84 KHz", "3.2  KHz", "3.0  KHz", "2.7  KHz",
                                             "2.5  KHz", "1.37 KHz", "1.24 KHz"}));
  EXPECT_EQ(itemsOf("cb_defaultReminderAlertMode"),
            (V{"Alert Mode", "Alert & VIB", "VIB > Alert", "Vibrate", "Chirp", "Silent"}));
  EXPECT_EQ(itemsOf("cb_scLostNumNormalMod"), (V{"Disable", "Once", "Twice"}));
  EXPECT_EQ(itemsOf("cb_cpfUif_Auto_Backlight_Mode"), (V{"Always ON", "Flash"}));
  EXPECT_EQ(itemsOf("cb_internationalCharSet"),
            (V{"US", "Swiss", "German", "French", "Italian", "Spanish", "Portuguese", "Swedish",
               "Norwegian", "Danish", "UK"}));

  // The two default-alert lists differ only in how they write "STD & VIB".
  EXPECT_EQ(itemsOf("cb_defaultAlert").at(8), "STD & VIB");
  EXPECT_EQ(itemsOf("cb_defaultReminderAlert").at(8), "STD&VIB");
  EXPECT_EQ(itemsOf("cb_defaultReminderAlert").at(9), "Chirp");

  const V patterns = itemsOf("cb_alertPattern16_4");
  ASSERT_EQ(patterns.size(), 16u);
  EXPECT_EQ(patterns.front(), "STD");
  EXPECT_EQ(patterns[8], "PL8");
  EXPECT_EQ(patterns.back(), "UG7");
  EXPECT_EQ(itemsOf("cb_defaultReminderAlertPattern"), patterns);

  const V levels = itemsOf("cb_batteryGaugeLoLevel");
  ASSERT_EQ(levels.size(), 16u);
  EXPECT_EQ(levels[7], "1.24v");
  EXPECT_EQ(levels[8], "1.29v");
  EXPECT_EQ(levels[9], "1.34v");
  EXPECT_EQ(levels.back(), "1.63v");

  const V lowCell = itemsOf("cb_lowCellPeriod");
  ASSERT_EQ(lowCell.size(), 16u);
  EXPECT_EQ(lowCell[1], "1 hr");
  EXPECT_EQ(lowCell[2], "2 hrs");
  EXPECT_EQ(lowCell.back(), "15 hrs");

  EXPECT_EQ(itemsOf("cb_displayContrast").size(), 16u);
  EXPECT_EQ(itemsOf("cb_noSequentialInc").size(), 8u);
  EXPECT_EQ(itemsOf("cb_alertMode01_1").size(), 6u);
}

TEST(FieldCatalog, BuiltListsNameTheirRule) {
  const std::vector<std::pair<std::string_view, ListRule>> cases{
      {"cb_codingFormat", ListRule::CodingFormat},
      {"cb_codeType11", ListRule::CodeType},
      {"cb_internationalPrompt", ListRule::InternationalPrompt},
      {"cb_alertDuration", ListRule::AlertDuration},
      {"cb_functionMenuDisplay", ListRule::FunctionMenuDisplay},
      {"cb_ideoNumericCanned", ListRule::IdeoNumericCanned},
      {"cb_deafPager", ListRule::Static},
  };
  for (const auto& [name, rule] : cases) EXPECT_EQ(findField(name)->listRule, rule) << name;
}

TEST(FieldCatalog, InitialStatesAsBuilt) {
  for (std::string_view name : {"cb_codeMode", "cb_supportDualFreq", "cb_nwBand", "cb_freqBand",
                                "cb_PLL_Type", "cb_nwBandCombo", "cb_stopDecodeMissSync"}) {
    EXPECT_TRUE(findField(name)->flags.disabled) << name;
  }
  for (std::string_view name :
       {"cb_PLL_Type", "cb_maxErrorsUHB7B6", "cb_maxErrorsUHB5B4", "cb_scLostNumNormalMod",
        "cb_cpfUif_Paging_Auto_Backlight", "cb_cpfUif_Auto_Backlight_Mode",
        "cb_cpfUif_New_Msg_Auto_Display", "cb_toneOnlySupport", "cb_displayContrast"}) {
    EXPECT_TRUE(findField(name)->flags.hidden) << name;
  }
  EXPECT_FALSE(findField("cb_dualFreqMenu")->flags.disabled);
  EXPECT_FALSE(findField("cb_autoBacklight")->flags.hidden);
}

TEST(FieldCatalog, AltRRestoresDefaultsOnMenuPromptsOnly) {
  for (const FieldEntry& f : allFields()) {
    const bool menuPrompt = (f.page == Prompt1 || f.page == Prompt2) && f.kind == Text;
    const bool excluded = f.name == "ed_setSilentPrompt" || f.name == "ed_disablePagerPrompt" ||
                          f.name == "ed_powerUpPrompt" || f.name == "ed_setMsgReminderPrompt";
    EXPECT_EQ(f.flags.restoresDefault, menuPrompt && !excluded) << f.name;
  }
}

TEST(FieldCatalog, FeaturesModuleOwnsItsFieldsOnMoreFeatures) {
  EXPECT_EQ(owningModule(*findField(153)), PageModuleId::Features);
  EXPECT_EQ(owningModule(*findField(157)), PageModuleId::Features);
  EXPECT_EQ(owningModule(*findField(161)), PageModuleId::Features);
  EXPECT_EQ(owningModule(*findField(163)), PageModuleId::MoreFeatures);
  EXPECT_EQ(owningModule(*findField(171)), PageModuleId::GeneralCode);
  EXPECT_EQ(owningModule(*findField("ed_code12")), PageModuleId::GeneralCode);
  EXPECT_EQ(owningModule(*findField(430)), PageModuleId::Source);
  EXPECT_EQ(owningModule(*findField(412)), PageModuleId::Prompt);
}

TEST(FieldCatalog, CodeRowFieldsByColumn) {
  struct Case {
    CodeColumn column;
    int code;
    int function;
    FieldId expected;  // 0: no such field
  };
  const Case cases[] = {
      {CodeColumn::Code, 1, 0, 7},
      {CodeColumn::History, 4, 0, 26},
      {CodeColumn::CodeType, 6, 0, 34},
      {CodeColumn::Code, 7, 0, 173},
      {CodeColumn::History, 8, 0, 216},
      {CodeColumn::History, 9, 0, 0},
      {CodeColumn::Function, 16, 0, 192},
      {CodeColumn::OnOffDuty, 1, 0, 217},
      {CodeColumn::Crescendo, 16, 0, 280},
      {CodeColumn::AlertMode, 1, 1, 281},
      {CodeColumn::AlertPattern, 16, 4, 408},
      {CodeColumn::AlertMode, 3, 0, 0},
      {CodeColumn::Code, 17, 0, 0},
  };
  for (const Case& c : cases) {
    const FieldEntry* f = codeRowField(c.column, c.code, c.function);
    EXPECT_EQ(f == nullptr ? 0 : f->id, c.expected)
        << static_cast<int>(c.column) << " code " << c.code << " function " << c.function;
  }
}

}  // namespace
}  // namespace zelta::pages
