#include "codeplug/settings_record.h"

#include <gtest/gtest.h>

#include <set>

namespace zelta::codeplug {
namespace {

TEST(SettingsRecord, FreshRecordHasEmptyCodesAndTnaa) {
  const SettingsRecord r;
  for (const auto& c : r.code) EXPECT_EQ(c, "       ");
  for (const auto& f : r.function) EXPECT_EQ(f, "TNAA");
  EXPECT_EQ(r.melody[15], 0xE9);
  EXPECT_EQ(r.modelCodeAsRead, models::kNoModel);
}

TEST(SettingsFields, NamesAreUniqueAndCoverThePages) {
  std::set<std::string> names;
  for (const FieldDescriptor& d : settingsFields()) {
    EXPECT_TRUE(names.insert(d.name).second) << "duplicate " << d.name;
    EXPECT_EQ(d.kind == FieldKind::Index, d.indexField != nullptr) << d.name;
    EXPECT_EQ(d.kind == FieldKind::Text, (d.textField != nullptr) != (d.promptField != nullptr))
        << d.name;
  }
  for (const char* name : {"ed_frequency",
                           "cb_codingFormat",
                           "ed_ICN",
                           "ed_code01",
                           "ed_code16",
                           "ed_function16",
                           "ed_history08",
                           "cb_codeType16",
                           "ed_crescendo16",
                           "cb_alertMode16_4",
                           "cb_alertPattern01_1",
                           "cb_internationalPrompt",
                           "ed_powerUpPrompt",
                           "ed_PASSWORD_KEY_PROMPT",
                           "ed_source1Prompt",
                           "ed_source64Prompt",
                           "cb_disableAllAlerts",
                           "cb_fixAlert",
                           "ed_otaGroupPassword",
                           "cb_fUif_User_Password_Level",
                           "ed_cpwFc_Password",
                           "cb_fastScrollTime",
                           "ed_endMsgChar",
                           "cb_scLostNumNormalMod",
                           "cb_EnableSingleMessage",
                           "ed_endCannedMsg",
                           "cb_B14bitDecoding"}) {
    EXPECT_NE(findSettingsField(name), nullptr) << name;
  }
  EXPECT_EQ(findSettingsField("ed_code17"), nullptr);
  EXPECT_EQ(findSettingsField("cb_nothing"), nullptr);
}

// Each name must reach a member of its own: write a different value through
// every descriptor, then read them all back.
TEST(SettingsFields, EveryFieldReachesItsOwnMember) {
  SettingsRecord r;
  int n = 0;
  for (const FieldDescriptor& d : settingsFields()) {
    const FieldValue v =
        d.kind == FieldKind::Index ? FieldValue{1000 + n} : FieldValue{"v" + std::to_string(n)};
    ASSERT_TRUE(writeSettingsField(r, d.name, v)) << d.name;
    ++n;
  }
  n = 0;
  for (const FieldDescriptor& d : settingsFields()) {
    const FieldValue expected =
        d.kind == FieldKind::Index ? FieldValue{1000 + n} : FieldValue{"v" + std::to_string(n)};
    EXPECT_EQ(readSettingsField(r, d.name), expected) << d.name;
    ++n;
  }
}

TEST(SettingsFields, NamesLandOnTheRightMembers) {
  SettingsRecord r;
  ASSERT_TRUE(writeSettingsField(r, "ed_code05", std::string("1234567")));
  EXPECT_EQ(r.code[4], "1234567");
  ASSERT_TRUE(writeSettingsField(r, "cb_alertMode16_4", 5));
  EXPECT_EQ(r.alertMode[15][3], 5);
  ASSERT_TRUE(writeSettingsField(r, "cb_alertPattern02_1", 9));
  EXPECT_EQ(r.alertPattern[1][0], 9);
  ASSERT_TRUE(writeSettingsField(r, "ed_deletePrompt", std::string("WEG")));
  EXPECT_EQ(r.prompts[text::PromptId::deletePrompt].text, "WEG");
  ASSERT_TRUE(writeSettingsField(r, "ed_source64Prompt", std::string("16-4")));
  EXPECT_EQ(r.prompts[text::sourcePromptId(64)].text, "16-4");
  ASSERT_TRUE(writeSettingsField(r, "ed_PASSWORD_KEY_PROMPT", std::string("KEY")));
  EXPECT_EQ(r.prompts[text::PromptId::PASSWORD_KEY_PROMPT].text, "KEY");
  ASSERT_TRUE(writeSettingsField(r, "cb_fixAlert", 1));
  EXPECT_EQ(r.fixAlertReminder, 1);
  ASSERT_TRUE(writeSettingsField(r, "ed_fixAlert03", std::string("YNYN")));
  EXPECT_EQ(r.fixAlert[2], "YNYN");
  ASSERT_TRUE(writeSettingsField(r, "cb_onOffDuty", 1));
  ASSERT_TRUE(writeSettingsField(r, "ed_onOffDuty01", std::string("YYYY")));
  EXPECT_EQ(r.onOffDuty, 1);
  EXPECT_EQ(r.onOffDutyFlags[0], "YYYY");
}

TEST(SettingsFields, WrongKindsAndBadTextAreRefused) {
  SettingsRecord r;
  EXPECT_FALSE(writeSettingsField(r, "cb_codingFormat", std::string("2")));
  EXPECT_FALSE(writeSettingsField(r, "ed_ICN", 5));
  EXPECT_FALSE(writeSettingsField(r, "no_such_field", 1));
  EXPECT_EQ(readSettingsField(r, "no_such_field"), std::nullopt);

  const FieldDescriptor& coding = *findSettingsField("cb_codingFormat");
  EXPECT_TRUE(writeSettingsFieldText(r, coding, "2"));
  EXPECT_EQ(r.codingFormat, 2);
  EXPECT_EQ(settingsFieldText(r, coding), "2");
  for (const char* bad : {"", "two", "2x", " 2"})
    EXPECT_FALSE(writeSettingsFieldText(r, coding, bad)) << bad;
  EXPECT_EQ(r.codingFormat, 2);
  const FieldDescriptor& icn = *findSettingsField("ed_ICN");
  EXPECT_TRUE(writeSettingsFieldText(r, icn, "ABC 123"));
  EXPECT_EQ(r.ICN, "ABC 123");
}

}  // namespace
}  // namespace zelta::codeplug
