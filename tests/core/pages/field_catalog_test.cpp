#include "pages/field_catalog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "codeplug/settings_record.h"
#include "pages/field_ids.h"

namespace zelta::pages {
namespace {

std::string two(int n) {
  char buf[4];
  std::snprintf(buf, sizeof buf, "%02d", n);
  return buf;
}

// The IDs are the window's fixed numbering and the help topics: every field
// with one keeps it. A row or two of each block pins where the block sits.
TEST(FieldCatalog, IdsAreTheFixedNumbering) {
  const std::vector<std::pair<FieldId, std::string_view>> pinned{
      {1, "ed_serialNumber"},
      {2, "ed_ICN"},
      {4, "cb_codingFormat"},
      {6, "ed_frequency"},
      {27, "ed_code05"},
      {34, "cb_codeType06"},
      {35, "cb_internationalPrompt"},
      {38, "ed_powerUpPrompt"},
      {40, "ed_source1Prompt"},
      {63, "ed_source24Prompt"},
      {64, "ed_autoOnPrompt"},
      {90, "ed_printPrompt"},
      {96, "ed_batteryLowPrompt"},
      {97, "cb_disableAllAlerts"},
      {103, "cb_programmablePleasingAlert"},
      {124, "cb_std4PulseDuration"},
      {125, "cb_securityLevel"},
      {131, "cb_dataInversion"},
      {132, "cb_retainErroredNumeric"},
      {152, "cb_memoryCleanup"},
      {153, "cb_B14bitDecoding"},
      {161, "cb_displayContrast"},
      {163, "cb_batteryGauge"},
      {171, "cb_noSequentialInc"},
      {172, "cb_toneOnlySupport"},
      {411, "ed_musicAlertPrompt"},
      {416, "ed_vibThenSoundModePrompt"},
      {418, "ed_vibratorModePrompt"},
      {426, "ed_sourcePrompt"},
      {427, "ed_source25Prompt"},
      {466, "ed_source64Prompt"},
      {467, "ed_setOffDutyPrompt"},
      {469, "cb_fixAlert"},
      {471, "cb_defaultReminderVibMode"},
      {476, "cb_onOffDuty"},
      {480, "cb_codeMode"},
      {487, "cb_scLostNumNormalMod"},
      {491, "ed_frequency2"},
      {496, "cb_freqBand"},
      {503, "cb_fUif_User_Password_Enable"},
      {508, "ed_cpwFc_Password_LRUD"},
      {510, "ed_PASSWORD_KEY_PROMPT"},
      {511, "cb_PLL_Type"},
      {512, "cb_nwBandCombo"},
      {531, "cb_EnableSingleMessage"},
  };
  for (const auto& [id, name] : pinned) {
    const FieldEntry* f = findField(id);
    ASSERT_NE(f, nullptr) << id;
    EXPECT_EQ(f->name, name) << id;
  }
  // The handles modules name fields by resolve to the same numbers.
  static_assert(fieldId("ed_ICN") == 2);
  static_assert(fieldId("cb_alertPattern16_4") == 408);
  static_assert(fieldId("cb_EnableSingleMessage") == kLastFieldId);
}

// The code rows are numbered by arithmetic over the code (and function).
TEST(FieldCatalog, CodeRowIdsFollowTheirBlocks) {
  std::map<FieldId, std::string> expected;
  for (int n = 1; n <= 4; ++n) {
    const FieldId first = 7 + 5 * (n - 1);
    for (const auto& [offset, stem] : std::vector<std::pair<int, std::string>>{{0, "ed_code"},
                                                                               {1, "ed_function"},
                                                                               {2, "ed_priority"},
                                                                               {3, "cb_codeType"},
                                                                               {4, "ed_history"}}) {
      expected[first + offset] = stem + two(n);
    }
  }
  for (int n = 5; n <= 6; ++n) {
    const FieldId first = 27 + 4 * (n - 5);
    expected[first] = "ed_code" + two(n);
    expected[first + 1] = "ed_function" + two(n);
    expected[first + 2] = "ed_priority" + two(n);
    expected[first + 3] = "cb_codeType" + two(n);
  }
  for (int n = 7; n <= 16; ++n) {
    expected[166 + n] = "ed_code" + two(n);
    expected[176 + n] = "ed_function" + two(n);
    expected[186 + n] = "ed_priority" + two(n);
    expected[196 + n] = "cb_codeType" + two(n);
  }
  for (int n = 5; n <= 8; ++n) expected[208 + n] = "ed_history" + two(n);
  for (int n = 1; n <= 16; ++n) {
    expected[216 + n] = "ed_onOffDuty" + two(n);
    expected[232 + n] = "ed_fixAlert" + two(n);
    expected[248 + n] = "ed_interruptVib" + two(n);
    expected[264 + n] = "ed_crescendo" + two(n);
    for (int s = 1; s <= 4; ++s) {
      expected[280 + 4 * (n - 1) + s] = "cb_alertMode" + two(n) + "_" + std::to_string(s);
      expected[344 + 4 * (n - 1) + s] = "cb_alertPattern" + two(n) + "_" + std::to_string(s);
    }
  }
  for (int k = 1; k <= 24; ++k) expected[39 + k] = "ed_source" + std::to_string(k) + "Prompt";
  for (int k = 25; k <= 64; ++k) expected[402 + k] = "ed_source" + std::to_string(k) + "Prompt";

  for (const auto& [id, name] : expected) {
    const FieldEntry* f = findField(id);
    ASSERT_NE(f, nullptr) << id;
    EXPECT_EQ(f->name, name) << id;
  }
  // No other field is a code row or a source prompt.
  for (const FieldEntry& f : allFields()) {
    if (f.row != 0) {
      EXPECT_TRUE(expected.contains(f.id)) << f.name;
    }
  }
}

// The table holds the fields with IDs in ascending order, each once, within
// the numbering, then the three helpers without one.
TEST(FieldCatalog, IdsAscendUniqueWithinTheNumbering) {
  FieldId previous = kNoFieldId;
  bool helpers = false;
  int withId = 0;
  for (const FieldEntry& f : allFields()) {
    if (f.id == kNoFieldId) {
      helpers = true;
      continue;
    }
    EXPECT_FALSE(helpers) << f.name << " follows a field without ID";
    EXPECT_GT(f.id, previous) << f.name;
    EXPECT_GE(f.id, kFirstFieldId);
    EXPECT_LE(f.id, kLastFieldId);
    previous = f.id;
    ++withId;
  }
  EXPECT_EQ(previous, kLastFieldId);
  // 531 numbers, less the 28 the window never assigns.
  EXPECT_EQ(withId, 503);
}

// The control name's prefix says its kind: "cb_" lists, "ed_" the rest.
TEST(FieldCatalog, NamePrefixMatchesKind) {
  for (const FieldEntry& f : allFields()) {
    if (f.kind == FieldKind::List) {
      EXPECT_TRUE(f.name.starts_with("cb_")) << f.name;
    } else {
      EXPECT_TRUE(f.name.starts_with("ed_")) << f.name;
    }
  }
}

// A field that shows a setting is joined to it, of the matching kind; the
// others derive what they show.
TEST(FieldCatalog, SettingsBackedFieldsResolveToTheirDescriptor) {
  std::set<std::string_view> derived;
  for (const FieldEntry& f : allFields()) {
    const codeplug::FieldDescriptor* setting = settingOf(f);
    if (setting == nullptr) {
      derived.insert(f.name);
      continue;
    }
    EXPECT_EQ(setting->name, f.name);
    EXPECT_EQ(setting, codeplug::findSettingsField(f.name));
    const bool list = f.kind == FieldKind::List;
    EXPECT_EQ(setting->kind == codeplug::FieldKind::Index, list) << f.name;
  }
  EXPECT_EQ(derived,
            (std::set<std::string_view>{"ed_persMemSizeString", "ed_persMaildropString",
                                        "ed_cpwFc_Pswd_Timeout_h", "ed_cpwFc_Pswd_Timeout_m",
                                        "ed_cpwFc_Pswd_Timeout_s", "ed_cpwFc_Password_LRUD"}));
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
  // Numbers the window never assigns: no handle can name them.
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
  EXPECT_EQ(owningModule(*findField("cb_B14bitDecoding")), PageModuleId::Features);
  EXPECT_EQ(owningModule(*findField("ed_endCannedMsg")), PageModuleId::Features);
  EXPECT_EQ(owningModule(*findField("cb_displayContrast")), PageModuleId::Features);
  EXPECT_EQ(owningModule(*findField("cb_batteryGauge")), PageModuleId::MoreFeatures);
  EXPECT_EQ(owningModule(*findField("cb_noSequentialInc")), PageModuleId::GeneralCode);
  EXPECT_EQ(owningModule(*findField("ed_code12")), PageModuleId::GeneralCode);
  EXPECT_EQ(owningModule(*findField("ed_source28Prompt")), PageModuleId::Source);
  EXPECT_EQ(owningModule(*findField("ed_setMsgAlertPrompt")), PageModuleId::Prompt);
}

TEST(FieldCatalog, CodeRowFieldsByColumn) {
  struct Case {
    CodeColumn column;
    int code;
    int function;
    FieldId expected;  // kNoFieldId: no such field
  };
  const Case cases[] = {
      {CodeColumn::Code, 1, 0, fieldId("ed_code01")},
      {CodeColumn::History, 4, 0, fieldId("ed_history04")},
      {CodeColumn::CodeType, 6, 0, fieldId("cb_codeType06")},
      {CodeColumn::Code, 7, 0, fieldId("ed_code07")},
      {CodeColumn::History, 8, 0, fieldId("ed_history08")},
      {CodeColumn::History, 9, 0, kNoFieldId},
      {CodeColumn::Function, 16, 0, fieldId("ed_function16")},
      {CodeColumn::OnOffDuty, 1, 0, fieldId("ed_onOffDuty01")},
      {CodeColumn::Crescendo, 16, 0, fieldId("ed_crescendo16")},
      {CodeColumn::AlertMode, 1, 1, fieldId("cb_alertMode01_1")},
      {CodeColumn::AlertPattern, 16, 4, fieldId("cb_alertPattern16_4")},
      {CodeColumn::AlertMode, 3, 0, kNoFieldId},
      {CodeColumn::Code, 17, 0, kNoFieldId},
  };
  for (const Case& c : cases) {
    const FieldEntry* f = codeRowField(c.column, c.code, c.function);
    EXPECT_EQ(f == nullptr ? kNoFieldId : f->id, c.expected)
        << static_cast<int>(c.column) << " code " << c.code << " function " << c.function;
  }
}

}  // namespace
}  // namespace zelta::pages
