#include "pages/password_ota_page.h"

#include <gtest/gtest.h>

#include "page_context_fixture.h"
#include "pages/field_ids.h"

namespace zelta::pages {
namespace {

using testing::PageContextFixture;
constexpr auto choose = testing::chooseItem;
constexpr auto type = testing::typeText;

constexpr int kNo = 0;
constexpr int kYes = 1;

struct PasswordFixture : PageContextFixture {
  PasswordOtaPage page;
  explicit PasswordFixture(models::ModelCode model = 'p') : PageContextFixture(model) {
    setCode(1, "0001000", "NNAA");  // a text code
  }
};

TEST(PasswordOtaPage, TimeoutFieldsAddUpAndAreCutAtTwelveHoursOnFamilyF) {
  struct Case {
    models::ModelCode model;
    bool cut;
  };
  for (const Case c : {Case{0x98, true}, Case{0x99, true}, Case{0x91, false}}) {
    PasswordFixture f(c.model);
    f.settings.userPasswordTimeout = 300;  // 0 h 5 m 0 s
    f.page.onExit(type(fieldId("ed_cpwFc_Pswd_Timeout_m"), "0"), f.context);
    f.page.onExit(type(fieldId("ed_cpwFc_Pswd_Timeout_h"), "12"), f.context);
    EXPECT_EQ(f.settings.userPasswordTimeout, 43200);
    EXPECT_TRUE(f.reporter.shown.empty());

    const errors::ResultCode result =
        f.page.onExit(type(fieldId("ed_cpwFc_Pswd_Timeout_s"), "1"), f.context);  // 43201 s
    EXPECT_EQ(result, c.cut ? errors::code::IllegalTimeout : errors::code::Ok) << int(c.model);
    EXPECT_EQ(f.reported(errors::code::IllegalTimeout), c.cut);
    EXPECT_EQ(f.settings.userPasswordTimeout, c.cut ? 43200 : 43201);
  }
}

TEST(PasswordOtaPage, TimeoutShownAsHoursMinutesSeconds) {
  PasswordFixture f(0x98);
  f.settings.userPasswordTimeout = 3 * 3600 + 7 * 60 + 9;
  const PageView view = f.page.view(Page::PasswordOta, f.context);
  EXPECT_EQ(view.find(fieldId("ed_cpwFc_Pswd_Timeout_h"))->text, "3");
  EXPECT_EQ(view.find(fieldId("ed_cpwFc_Pswd_Timeout_m"))->text, "7");
  EXPECT_EQ(view.find(fieldId("ed_cpwFc_Pswd_Timeout_s"))->text, "9");

  // Minutes typed beyond an hour are folded into the hours when shown.
  f.page.onExit(type(fieldId("ed_cpwFc_Pswd_Timeout_m"), "125"), f.context);
  EXPECT_EQ(f.settings.userPasswordTimeout, 3 * 3600 + 125 * 60 + 9);
  const TimeoutParts parts = timeoutParts(f.settings.userPasswordTimeout);
  EXPECT_EQ(parts.hours, 5);
  EXPECT_EQ(parts.minutes, 5);
  EXPECT_EQ(parts.seconds, 9);

  f.page.onExit(type(fieldId("ed_cpwFc_Pswd_Timeout_s"), ""),
                f.context);  // an emptied field counts as 0
  EXPECT_EQ(f.settings.userPasswordTimeout, 5 * 3600 + 5 * 60);
}

TEST(PasswordOtaPage, GroupPasswordWithoutGroupOrMaildropCodeWarnsAndStays) {
  PasswordFixture f;
  f.setCode(2, "0002000", "AAAA", 0);
  EXPECT_EQ(f.page.onExit(type(fieldId("ed_otaGroupPassword"), "SECRET"), f.context),
            errors::code::Ok);
  EXPECT_TRUE(f.reported(errors::code::OtaFieldNeedsGroup));
  EXPECT_EQ(f.settings.otaGroupPassword, "SECRET");

  // Leaving it unchanged (the stored form is space-padded) says nothing more.
  f.reporter.shown.clear();
  f.settings.otaGroupPassword = "SECRET    ";
  f.page.onExit(type(fieldId("ed_otaGroupPassword"), "SECRET"), f.context);
  EXPECT_TRUE(f.reporter.shown.empty());

  for (int type_ : {1, 2}) {
    PasswordFixture g;
    g.setCode(2, "0002000", "AAAA", type_);
    g.page.onExit(type(fieldId("ed_otaGroupPassword"), "SECRET"), g.context);
    EXPECT_TRUE(g.reporter.shown.empty()) << type_;
  }

  // A group code that is blank does not count.
  PasswordFixture h;
  h.setCode(2, "       ", "AAAA", 1);
  h.page.onExit(type(fieldId("ed_otaGroupPassword"), "SECRET"), h.context);
  EXPECT_TRUE(h.reported(errors::code::OtaFieldNeedsGroup));
}

TEST(PasswordOtaPage, OtaProgrammingNeedsATextCodeAndSilentNeedsOta) {
  PasswordFixture f;
  f.settings.silentRFProgramming = kYes;
  f.page.onExit(choose(fieldId("cb_rfProgramming"), kNo), f.context);
  EXPECT_EQ(f.settings.silentRFProgramming, kNo);

  f.page.onExit(choose(fieldId("cb_rfProgramming"), kYes), f.context);
  f.page.onExit(choose(fieldId("cb_silentRFProgramming"), kYes), f.context);
  EXPECT_EQ(f.settings.rfProgramming, kYes);
  EXPECT_EQ(f.settings.silentRFProgramming, kYes);
  for (FieldId id : {fieldId("cb_silentRFProgramming"), fieldId("ed_otaPassword"),
                     fieldId("ed_otaGroupPassword")}) {
    EXPECT_TRUE(f.page.view(Page::PasswordOta, f.context).find(id)->enabled) << id;
  }

  f.setCode(1, "0001000", "NNTX");  // numeric and tone only: no text code
  f.page.refresh(f.context);
  EXPECT_EQ(f.settings.rfProgramming, kNo);
  EXPECT_EQ(f.settings.silentRFProgramming, kNo);
  for (FieldId id : {fieldId("cb_silentRFProgramming"), fieldId("ed_otaPassword"),
                     fieldId("ed_otaGroupPassword")}) {
    EXPECT_FALSE(f.page.view(Page::PasswordOta, f.context).find(id)->enabled) << id;
  }

  f.settings.rfProgramming = kYes;
  EXPECT_EQ(f.page.pageCheck(f.context), errors::code::Ok);
  EXPECT_EQ(f.settings.rfProgramming, kNo);
}

TEST(PasswordOtaPage, MaximumSecurityAsksToRecordThePassword) {
  PasswordFixture f;
  f.page.onExit(choose(fieldId("cb_securityLevel"), 0), f.context);
  EXPECT_TRUE(f.reporter.shown.empty());
  f.page.onExit(choose(fieldId("cb_securityLevel"), 1), f.context);
  EXPECT_EQ(f.settings.securityLevel, 1);
  ASSERT_EQ(f.reporter.shown.size(), 1U);
  EXPECT_EQ(f.reporter.shown[0].caption, "successfully");
  EXPECT_EQ(f.reporter.shown[0].text, "Please record your password.\nPress OK button to continue");
}

TEST(PasswordOtaPage, PasswordsStoredAsTyped) {
  PasswordFixture f;
  f.page.onExit(type(fieldId("ed_downloadPassword"), "DL01"), f.context);
  f.page.onExit(type(fieldId("ed_otaPassword"), "OTA9"), f.context);
  EXPECT_EQ(f.settings.downloadPassword, "DL01");
  EXPECT_EQ(f.settings.otaPassword, "OTA9");
  EXPECT_EQ(f.page.view(Page::PasswordOta, f.context).find(fieldId("ed_downloadPassword"))->text,
            "DL01");
}

TEST(PasswordOtaPage, UserPasswordKeysFromDigitsOrLetters) {
  PasswordFixture f(0x98);
  f.page.onExit(type(fieldId("ed_cpwFc_Password_LRUD"), "0231"), f.context);
  EXPECT_EQ(f.settings.cpwFc_Password, "0231");
  EXPECT_EQ(f.settings.userPasswordKeyCount, 4);
  EXPECT_EQ(f.page.view(Page::PasswordOta, f.context).find(fieldId("ed_cpwFc_Password_LRUD"))->text,
            "L. U. D. R. ");

  f.page.onExit(type(fieldId("ed_cpwFc_Password_LRUD"), "R. R. D. "), f.context);
  EXPECT_EQ(f.settings.cpwFc_Password, "113");
  EXPECT_EQ(f.settings.userPasswordKeyCount, 3);
}

// The page shows the keys the pager gets, as a save and a read give them
// back: an enabled password with no keys typed is a run of left keys, a
// disabled one of left keys only is none.
TEST(PasswordOtaPage, UserPasswordShownAsThePagerHoldsIt) {
  struct Case {
    const char* digits;
    int keyCount;
    int enabled;
    const char* shown;
  };
  for (const Case& c :
       {Case{"", 2, 1, "L. L. "}, Case{"", 3, 1, "L. L. L. "}, Case{"", 2, 0, ""},
        Case{"00", 2, 0, ""}, Case{"00", 2, 1, "L. L. "}, Case{"0231", 4, 0, "L. U. D. R. "}}) {
    PasswordFixture f(0x98);
    f.settings.cpwFc_Password = c.digits;
    f.settings.userPasswordKeyCount = c.keyCount;
    f.settings.fUif_User_Password_Enable = c.enabled;
    EXPECT_EQ(
        f.page.view(Page::PasswordOta, f.context).find(fieldId("ed_cpwFc_Password_LRUD"))->text,
        c.shown)
        << c.digits << " " << c.keyCount << " " << c.enabled;
  }
}

TEST(PasswordOtaPage, PasswordLevelFollowsPasswordEnable) {
  PasswordFixture f(0x98);
  f.settings.fUif_User_Password_Enable = 0;
  EXPECT_FALSE(f.page.view(Page::PasswordOta, f.context)
                   .find(fieldId("cb_fUif_User_Password_Level"))
                   ->enabled);
  f.page.onExit(choose(fieldId("cb_fUif_User_Password_Enable"), 1), f.context);
  EXPECT_TRUE(f.page.view(Page::PasswordOta, f.context)
                  .find(fieldId("cb_fUif_User_Password_Level"))
                  ->enabled);
}

}  // namespace
}  // namespace zelta::pages
