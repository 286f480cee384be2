#include "pages/features_page.h"

#include <gtest/gtest.h>

#include "page_context_fixture.h"
#include "pages/field_ids.h"
#include "pages/more_features_page.h"

namespace zelta::pages {
namespace {

using codeplug::SettingsRecord;
using testing::PageContextFixture;
constexpr auto choose = testing::chooseItem;
constexpr auto type = testing::typeText;

constexpr int kNo = 0;
constexpr int kYes = 1;

// A pager whose settings pass the Features check: one individual numeric
// code, the default end-of-message character.
struct FeaturesFixture : PageContextFixture {
  FeaturesPage page;
  explicit FeaturesFixture(models::ModelCode model = 'p') : PageContextFixture(model) {
    setCode(1, "0001000", "NNAA");
    settings.endMsgChar = "04";
  }
};

struct EndCharCase {
  const char* text;
  bool accepted;
};

class EndOfMessageCharacter : public ::testing::TestWithParam<EndCharCase> {};

TEST_P(EndOfMessageCharacter, OnlyTwoHexDigitsUpTo7F) {
  FeaturesFixture f;
  const EndCharCase c = GetParam();
  const errors::ResultCode result =
      f.page.onExit(type(fieldId("ed_endMsgChar"), c.text), f.context);
  EXPECT_EQ(result, c.accepted ? errors::code::Ok : errors::code::InvalidEot) << c.text;
  EXPECT_EQ(f.reported(errors::code::InvalidEot), !c.accepted) << c.text;
  EXPECT_EQ(endOfMessageCharacter(c.text).has_value(), c.accepted) << c.text;
  // A refused character never reaches the settings.
  if (!c.accepted) {
    EXPECT_EQ(f.settings.endMsgChar, "04") << c.text;
  }
}

// "1." once passed as text below "7F" and reached the pager as another byte.
INSTANTIATE_TEST_SUITE_P(FeaturesPage, EndOfMessageCharacter,
                         ::testing::Values(EndCharCase{"7F", true}, EndCharCase{"00", true},
                                           EndCharCase{"0a", true}, EndCharCase{"80", false},
                                           EndCharCase{"FF", false}, EndCharCase{"1.", false},
                                           EndCharCase{"..", false}, EndCharCase{"7", false},
                                           EndCharCase{"", false}, EndCharCase{"7F0", false}));

TEST(FeaturesPage, EndOfMessageCharacterValueAndFocus) {
  EXPECT_EQ(endOfMessageCharacter("7f"), 0x7F);
  EXPECT_EQ(endOfMessageCharacter("1A"), 0x1A);
  EXPECT_EQ(FeaturesPage::focusAfter(errors::code::InvalidEot), 160);
  EXPECT_FALSE(FeaturesPage::focusAfter(errors::code::CannedRange).has_value());

  FeaturesFixture f;
  f.page.onExit(type(fieldId("ed_endMsgChar"), "1a"), f.context);
  EXPECT_EQ(f.settings.endMsgChar, "1A");  // shown as the pager gets it
}

TEST(FeaturesPage, ModelSpaceKeepsTheCharacterAsLcdControlAndSkipsTheCheck) {
  FeaturesFixture f(' ');
  f.settings.endMsgChar = "junk";
  EXPECT_EQ(f.page.onExit(type(fieldId("ed_endMsgChar"), "99"), f.context), errors::code::Ok);
  EXPECT_EQ(f.settings.endMsgChar, "junk");
  EXPECT_EQ(f.page.onExit(choose(fieldId("cb_displayContrast"), 12), f.context), errors::code::Ok);
  EXPECT_EQ(f.settings.displayContrast, 12);
  EXPECT_TRUE(f.reporter.shown.empty());
}

TEST(FeaturesPage, ThirtySecondScrollWithSixteenSecondTimeoutBecomesTenSeconds) {
  FeaturesFixture f;
  f.settings.readTimeout = 0;  // 16 sec
  EXPECT_EQ(f.page.onExit(choose(fieldId("cb_fastScrollTime"), 8), f.context),
            errors::code::Ok);              // 30 sec
  EXPECT_EQ(f.settings.fastScrollTime, 7);  // 10 sec
  EXPECT_EQ(f.page.view(Page::Features, f.context).find(fieldId("cb_fastScrollTime"))->selected, 7);

  f.settings.readTimeout = 1;  // 32 sec allows 30 sec scrolling
  f.page.onExit(choose(fieldId("cb_fastScrollTime"), 8), f.context);
  EXPECT_EQ(f.settings.fastScrollTime, 8);
}

TEST(FeaturesPage, NotebookNeedsManualDelete) {
  FeaturesFixture f;
  f.settings.manualDelete = kNo;
  EXPECT_EQ(f.page.onExit(choose(fieldId("cb_personalMessageNotebook"), kYes), f.context),
            errors::code::NotebookWithoutDelete);
  EXPECT_TRUE(f.reported(errors::code::NotebookWithoutDelete));
  EXPECT_EQ(f.settings.personalMessageNotebook, kYes);  // kept as chosen

  f.reporter.shown.clear();
  EXPECT_EQ(f.page.onExit(choose(fieldId("cb_manualDelete"), kYes), f.context), errors::code::Ok);
  EXPECT_TRUE(f.reporter.shown.empty());
}

TEST(FeaturesPage, ChecksAdjustTheDependentChoices) {
  FeaturesFixture f;
  SettingsRecord& s = f.settings;
  s.duplication = kNo;
  s.sourceIndependentDuplication = kYes;
  s.sequentialLockoutPeriod = 4;
  s.maildropMessageNotebook = kYes;  // no maildrop code
  s.manualDelete = kYes;
  s.memoryCleanup = kYes;
  s.retainErroredNonNumeric = kYes;
  s.retainBetterMaildrop = kYes;
  s.retainErroredNumeric = kYes;
  ASSERT_EQ(f.page.pageCheck(f.context), errors::code::Ok);
  EXPECT_EQ(s.sourceIndependentDuplication, kNo);
  EXPECT_EQ(s.sequentialLockoutPeriod, 0);
  EXPECT_EQ(s.maildropMessageNotebook, kNo);
  EXPECT_EQ(s.retainBetterMaildrop, kNo);
  EXPECT_EQ(s.retainErroredNumeric, kYes);  // code 1 has numeric functions
  EXPECT_EQ(s.memoryCleanup, kYes);

  s.manualDelete = kNo;
  f.setCode(1, "0001000", "AAAA");
  ASSERT_EQ(f.page.pageCheck(f.context), errors::code::Ok);
  EXPECT_EQ(s.memoryCleanup, kNo);
  EXPECT_EQ(s.retainErroredNumeric, kNo);
}

TEST(FeaturesPage, MaildropCodeKeepsBetterMaildropWhenErroredTextIsDropped) {
  FeaturesFixture f;
  f.setCode(2, "0002000", "AAAA", 2);
  f.settings.retainErroredNonNumeric = kNo;
  f.settings.retainBetterMaildrop = kNo;
  ASSERT_EQ(f.page.pageCheck(f.context), errors::code::Ok);
  EXPECT_EQ(f.settings.retainBetterMaildrop, kYes);
}

TEST(FeaturesPage, AllowOffNoClearsAlarmTurnOnAndPrivateTimeOutsideSixteenCodes) {
  struct Case {
    models::ModelCode model;
    ConverterMode converter;
    bool privateTimeKept;
  };
  for (const Case c : {Case{'p', ConverterMode::Off, false}, Case{0x95, ConverterMode::Off, true},
                       Case{'1', ConverterMode::Varda, true}}) {
    FeaturesFixture f(c.model);
    f.context.converter = c.converter;
    f.settings.autoAlarmTurnOn = f.settings.autoOnOff = f.settings.autoOnOffAlert = kYes;
    f.page.onExit(choose(fieldId("cb_allowOff"), kNo), f.context);
    EXPECT_EQ(f.settings.autoAlarmTurnOn, kNo);
    EXPECT_EQ(f.settings.autoOnOff == kYes, c.privateTimeKept) << int(c.model);
    EXPECT_EQ(f.settings.autoOnOffAlert == kYes, c.privateTimeKept) << int(c.model);
  }
}

TEST(FeaturesPage, WithoutPersonalCodeDuplicationIsCleared) {
  FeaturesFixture f;
  f.setCode(1, "0001000", "AAAA", 2);  // maildrop only
  f.settings.duplication = f.settings.sourceIndependentDuplication = kYes;
  f.settings.sequentialLockoutPeriod = 3;
  f.settings.retainErroredNumeric = f.settings.retainErroredNonNumeric = kNo;
  ASSERT_EQ(f.page.pageCheck(f.context), errors::code::Ok);
  EXPECT_EQ(f.settings.duplication, kNo);
  EXPECT_EQ(f.settings.sequentialLockoutPeriod, 0);
}

TEST(FeaturesPage, DeleteSlotAndLockingNeedAPersonalCode) {
  FeaturesFixture f;
  f.setCode(1, "0001000", "AAAA", 2);
  f.page.onExit(choose(fieldId("cb_deleteSlotNumber"), kYes), f.context);
  f.page.onExit(choose(fieldId("cb_messageLocking"), kYes), f.context);
  EXPECT_EQ(f.settings.deleteSlotNumber, kNo);
  EXPECT_EQ(f.settings.messageLocking, kNo);

  f.setCode(3, "0003000", "NNNN", 1);  // a group code is personal
  f.page.onExit(choose(fieldId("cb_deleteSlotNumber"), kYes), f.context);
  f.page.onExit(choose(fieldId("cb_messageLocking"), kYes), f.context);
  EXPECT_EQ(f.settings.deleteSlotNumber, kYes);
  EXPECT_EQ(f.settings.messageLocking, kYes);
}

TEST(FeaturesPage, RetryAfterFailStoresOneMore) {
  FeaturesFixture f(0x91);
  f.page.onExit(choose(fieldId("cb_scLostNumNormalMod"), 2), f.context);  // "Twice"
  EXPECT_EQ(f.settings.scLostNumNormalMod, 3);
  EXPECT_EQ(f.page.view(Page::Features, f.context).find(fieldId("cb_scLostNumNormalMod"))->selected,
            2);
}

TEST(FeaturesPage, FourteenBitDecodingOfRomThreeHasItsOwnSetting) {
  FeaturesFixture f;
  f.context.headerType = 3;
  MoreFeaturesPage more;
  more.onExit(choose(fieldId("cb_B14bitDecoding"), kYes), f.context);
  EXPECT_EQ(f.settings.b14bitDecodingRom3, kYes);
  EXPECT_EQ(f.settings.B14bitDecoding, kNo);
  EXPECT_EQ(more.view(Page::MoreFeatures, f.context).find(fieldId("cb_B14bitDecoding"))->selected,
            kYes);
  f.context.headerType = 1;
  EXPECT_EQ(more.view(Page::MoreFeatures, f.context).find(fieldId("cb_B14bitDecoding"))->selected,
            kNo);
}

struct CannedCase {
  std::uint8_t headerType;
  const char* start;
  const char* end;
  bool valid;
};

class CannedRangeCheck : public ::testing::TestWithParam<CannedCase> {};

TEST_P(CannedRangeCheck, WindowOfTheHeaderType) {
  const CannedCase c = GetParam();
  EXPECT_EQ(cannedRangeValid(c.start, c.end, c.headerType), c.valid);

  FeaturesFixture f;
  f.setCode(1, "0001000", "AAAA", 2);  // no personal code: the canned mode stays as set
  f.context.headerType = c.headerType;
  f.settings.ideoNumericCanned = 1;
  f.settings.regularCannedMsg = kYes;
  f.settings.startCannedMsg = c.start;
  f.settings.endCannedMsg = c.end;
  EXPECT_EQ(f.page.pageCheck(f.context), c.valid ? errors::code::Ok : errors::code::CannedRange);
  EXPECT_EQ(f.reported(errors::code::CannedRange), !c.valid);
}

INSTANTIATE_TEST_SUITE_P(
    FeaturesPage, CannedRangeCheck,
    ::testing::Values(CannedCase{1, "3321", "3F7E", true}, CannedCase{1, "3F7E", "3321", false},
                      CannedCase{1, "3400", "3400", true}, CannedCase{1, "3320", "3F7E", false},
                      CannedCase{1, "3321", "3F7F", false}, CannedCase{1, "7821", "7D47", false},
                      CannedCase{2, "7821", "7D47", true}, CannedCase{2, "3321", "3F7E", false},
                      CannedCase{2, "782", "7D47", false}, CannedCase{2, "78.1", "7D47", false}));

TEST(FeaturesPage, CannedAddressesFollowTheCannedChoices) {
  FeaturesFixture f;
  SettingsRecord& s = f.settings;
  f.context.headerType = 1;

  // A traditional generator starts a personal pager on "2 digits".
  s.ideoNumericCanned = 0;
  s.regularCannedMsg = kNo;
  s.startCannedMsg = "3321";
  s.endCannedMsg = "3F7E";
  ASSERT_EQ(f.page.pageCheck(f.context), errors::code::Ok);
  EXPECT_EQ(s.ideoNumericCanned, 1);
  EXPECT_EQ(s.startCannedMsg, "0000");  // no regular canned messages, no range
  EXPECT_EQ(s.endCannedMsg, "0000");

  // "Extended" brings regular canned messages over the whole window.
  s.ideoNumericCanned = 2;
  ASSERT_EQ(f.page.pageCheck(f.context), errors::code::Ok);
  EXPECT_EQ(s.regularCannedMsg, kYes);
  EXPECT_EQ(s.startCannedMsg, "3321");
  EXPECT_EQ(s.endCannedMsg, "3F7E");

  // A simplified generator offers "Extended" only.
  f.context.headerType = 2;
  s.ideoNumericCanned = 1;
  ASSERT_EQ(f.page.pageCheck(f.context), errors::code::Ok);
  EXPECT_EQ(s.ideoNumericCanned, 2);
  EXPECT_EQ(s.startCannedMsg, "7821");
  EXPECT_EQ(s.endCannedMsg, "7D47");
}

TEST(FeaturesPage, IdeoCannedListPositionsNameTheirMeaning) {
  FeaturesFixture f;
  MoreFeaturesPage more;
  f.context.headerType = 2;  // "None", "Extended"
  f.setCode(1, "0001000", "AAAA", 2);
  more.onExit(choose(fieldId("cb_ideoNumericCanned"), 1), f.context);
  EXPECT_EQ(f.settings.ideoNumericCanned, 2);
  const PageView view = more.view(Page::MoreFeatures, f.context);
  EXPECT_EQ(view.find(fieldId("cb_ideoNumericCanned"))->items.size(), 2U);
  EXPECT_EQ(view.find(fieldId("cb_ideoNumericCanned"))->selected, 1);

  f.context.headerType = 3;  // "None", "2 digits": refresh fits the setting
  f.page.refresh(f.context);
  EXPECT_EQ(f.settings.ideoNumericCanned, 1);
}

TEST(FeaturesPage, CannedFieldsEnabledForCharacterGeneratorsButModelHash) {
  struct Case {
    models::ModelCode model;
    std::uint8_t headerType;
    int regular;
    bool choices;
    bool addresses;
  };
  MoreFeaturesPage more;
  for (const Case c : {Case{'p', 0, kYes, false, false}, Case{'p', 1, kNo, true, false},
                       Case{'p', 1, kYes, true, true}, Case{'#', 1, kYes, false, false}}) {
    FeaturesFixture f(c.model);
    f.context.headerType = c.headerType;
    f.settings.regularCannedMsg = c.regular;
    const PageView view = more.view(Page::MoreFeatures, f.context);
    for (FieldId id : {fieldId("cb_B14bitDecoding"), fieldId("cb_ideoNumericCanned"),
                       fieldId("cb_regularCannedMsg")})
      EXPECT_EQ(view.find(id)->enabled, c.choices) << id;
    for (FieldId id : {fieldId("ed_startCannedMsg"), fieldId("ed_endCannedMsg")})
      EXPECT_EQ(view.find(id)->enabled, c.addresses) << id;
  }
}

TEST(FeaturesPage, CannedAddressesTypedUpperCaseAndCheckedThroughMoreFeatures) {
  FeaturesFixture f;
  MoreFeaturesPage more;
  f.context.headerType = 1;
  f.settings.ideoNumericCanned = 1;
  f.settings.regularCannedMsg = kYes;
  f.settings.endCannedMsg = "3F7E";
  EXPECT_EQ(more.onExit(type(fieldId("ed_startCannedMsg"), "3f7f"), f.context),
            errors::code::CannedRange);
  EXPECT_EQ(f.settings.startCannedMsg, "3F7F");
  EXPECT_EQ(more.onExit(type(fieldId("ed_startCannedMsg"), "3a00"), f.context), errors::code::Ok);
}

TEST(FeaturesPage, RefreshClearsWhatTheCodesNoLongerAllow) {
  FeaturesFixture f;
  SettingsRecord& s = f.settings;
  f.setCode(1, "0001000", "AAAA", 2);  // maildrop only
  s.personalMessageNotebook = s.duplication = s.sourceIndependentDuplication = kYes;
  s.maildropMessageNotebook = kYes;
  s.sequentialLockoutPeriod = 2;
  f.page.refresh(f.context);
  EXPECT_EQ(s.personalMessageNotebook, kNo);
  EXPECT_EQ(s.duplication, kNo);
  EXPECT_EQ(s.sourceIndependentDuplication, kNo);
  EXPECT_EQ(s.sequentialLockoutPeriod, 0);
  EXPECT_EQ(s.maildropMessageNotebook, kYes);

  f.setCode(1, "       ", "TNAA");
  f.page.refresh(f.context);
  EXPECT_EQ(s.maildropMessageNotebook, kNo);
}

TEST(FeaturesPage, FunctionMenuDisplayFollowsPromptStorage) {
  FeaturesFixture f;
  SettingsRecord& s = f.settings;
  s.functionMenuDisplay = 2;  // "Both"
  f.context.promptsAsText = true;
  f.page.refresh(f.context);
  EXPECT_EQ(s.functionMenuDisplay, 1);  // "Prompts", "Icons" only
  EXPECT_TRUE(
      f.page.view(Page::Features, f.context).find(fieldId("cb_functionMenuDisplay"))->enabled);

  s.functionMenuDisplay = 0;
  f.context.headerType = 3;  // the prompts menu is the ROM's own: icons, fixed
  f.page.refresh(f.context);
  EXPECT_EQ(s.functionMenuDisplay, 1);
  const PageView view = f.page.view(Page::Features, f.context);
  EXPECT_FALSE(view.find(fieldId("cb_functionMenuDisplay"))->enabled);
  EXPECT_EQ(view.find(fieldId("cb_functionMenuDisplay"))->selected, 1);
}

TEST(FeaturesPage, EnablingByCodesAndChoices) {
  FeaturesFixture f;
  SettingsRecord& s = f.settings;
  const auto enabled = [&](FieldId id) { return f.enabled(f.page, Page::Features, id); };
  f.setCode(1, "0001000", "NNNN");
  EXPECT_TRUE(enabled(fieldId("cb_retainErroredNumeric")));
  EXPECT_FALSE(enabled(fieldId("cb_retainErroredNonNumeric")));  // every code is numeric only
  EXPECT_FALSE(enabled(fieldId("cb_maildropMessageNotebook")));  // no maildrop code
  EXPECT_TRUE(enabled(fieldId("cb_personalMessageNotebook")));

  f.setCode(1, "0001000", "TTTT", 2);  // a maildrop tone code, nothing personal
  EXPECT_FALSE(enabled(fieldId("cb_retainErroredNumeric")));
  EXPECT_TRUE(enabled(fieldId("cb_retainErroredNonNumeric")));
  EXPECT_TRUE(enabled(fieldId("cb_maildropMessageNotebook")));
  s.retainErroredNonNumeric = kNo;
  EXPECT_FALSE(enabled(fieldId("cb_retainBetterMaildrop")));
  s.retainErroredNonNumeric = kYes;
  EXPECT_TRUE(enabled(fieldId("cb_retainBetterMaildrop")));
  for (FieldId id :
       {fieldId("cb_personalMessageNotebook"), fieldId("cb_duplication"),
        fieldId("cb_sourceIndependentDuplication"), fieldId("cb_sequentialLockoutPeriod"),
        fieldId("cb_deleteSlotNumber"), fieldId("cb_messageLocking")})
    EXPECT_FALSE(enabled(id)) << id;

  f.setCode(2, "0002000", "AAAA");
  s.duplication = kNo;
  EXPECT_TRUE(enabled(fieldId("cb_duplication")));
  EXPECT_FALSE(enabled(fieldId("cb_sourceIndependentDuplication")));
  s.duplication = kYes;
  EXPECT_TRUE(enabled(fieldId("cb_sourceIndependentDuplication")));

  s.manualDelete = kNo;
  EXPECT_FALSE(enabled(fieldId("cb_memoryCleanup")));
  s.manualDelete = kYes;
  EXPECT_TRUE(enabled(fieldId("cb_memoryCleanup")));
  EXPECT_FALSE(enabled(fieldId("cb_stopDecodeMissSync")));  // never editable
}

TEST(FeaturesPage, BacklightChoicesOfFamilyF) {
  FeaturesFixture f(0x98);
  SettingsRecord& s = f.settings;
  const auto enabled = [&](FieldId id) { return f.enabled(f.page, Page::Features, id); };
  s.autoBacklight = kNo;
  s.cpfUif_Paging_Auto_Backlight = kYes;
  EXPECT_FALSE(enabled(fieldId("cb_cpfUif_Paging_Auto_Backlight")));
  EXPECT_FALSE(enabled(fieldId("cb_cpfUif_Auto_Backlight_Mode")));
  s.autoBacklight = kYes;
  EXPECT_TRUE(enabled(fieldId("cb_cpfUif_Paging_Auto_Backlight")));
  EXPECT_TRUE(enabled(fieldId("cb_cpfUif_Auto_Backlight_Mode")));
  s.cpfUif_Paging_Auto_Backlight = kNo;
  EXPECT_FALSE(enabled(fieldId("cb_cpfUif_Auto_Backlight_Mode")));
}

}  // namespace
}  // namespace zelta::pages
