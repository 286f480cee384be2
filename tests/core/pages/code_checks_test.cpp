#include "pages/code_checks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "code_page_fixture.h"
#include "codes/capcode.h"
#include "pages/code_predicates.h"

namespace zelta::pages {
namespace {

namespace code = errors::code;
using test::CodePageFixture;
using ::testing::ElementsAre;

struct CapcodeCase {
  std::string typed;
  codes::Capcode::State state;
  std::string stored;
};

void PrintTo(const CapcodeCase& c, std::ostream* os) {
  *os << '"' << c.typed << '"';
}

class CapcodeTest : public ::testing::TestWithParam<CapcodeCase> {};

TEST_P(CapcodeTest, Normalises) {
  const codes::Capcode c = codes::normaliseCapcode(GetParam().typed);
  EXPECT_EQ(c.state, GetParam().state);
  EXPECT_EQ(c.text, GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CapcodeTest,
    ::testing::Values(CapcodeCase{"7", codes::Capcode::State::Invalid, "7      "},
                      CapcodeCase{"8", codes::Capcode::State::Valid, "0000008"},
                      CapcodeCase{"2097151", codes::Capcode::State::Valid, "2097151"},
                      CapcodeCase{"2097152", codes::Capcode::State::Invalid, "2097152"},
                      CapcodeCase{"1000", codes::Capcode::State::Valid, "0001000"},
                      CapcodeCase{"0001000", codes::Capcode::State::Valid, "0001000"},
                      CapcodeCase{"00000008", codes::Capcode::State::Valid, "0000008"},
                      CapcodeCase{"", codes::Capcode::State::Blank, "       "},
                      CapcodeCase{"       ", codes::Capcode::State::Blank, "       "},
                      CapcodeCase{"NONE   ", codes::Capcode::State::Blank, "       "},
                      CapcodeCase{"NONE", codes::Capcode::State::Blank, "       "},
                      CapcodeCase{"12A", codes::Capcode::State::Invalid, "12A    "},
                      CapcodeCase{"99999999999", codes::Capcode::State::Invalid, "99999999999"}));

TEST(CodeChecks, InvalidCapcodeIsRefusedOnce) {
  CodePageFixture f;
  f.setCode(1, "7      ");
  f.setCode(2, "2097152");
  f.setCode(3, "1234567");
  EXPECT_EQ(normaliseCapcodes(f.context), code::InvalidPocsagCode);
  // The system's text, then the first code refused and the limits.
  EXPECT_THAT(f.shownTexts(),
              ElementsAre(f.textOf(code::InvalidPocsagCode) +
                          "\nCode 1 is \"7\": a POCSAG code is a number from 8 to 2097151."));
}

TEST(CodeChecks, PresentCapcodesAreRewrittenAsSevenDigits) {
  CodePageFixture f;
  f.setCode(1, "8      ");
  f.setCode(2, "  2097151");
  f.setCode(3, "NONE   ");
  EXPECT_EQ(normaliseCapcodes(f.context), code::Ok);
  EXPECT_EQ(f.settings.code[0], "0000008");
  EXPECT_EQ(f.settings.code[1], "2097151");
  EXPECT_EQ(f.settings.code[2], "NONE   ");  // no code: left for the page to show
  EXPECT_TRUE(f.reporter.shown.empty());
}

TEST(CodeChecks, CodesThatNormaliseAlikeAreDuplicates) {
  CodePageFixture f;
  f.setCode(1, "1000   ");
  f.setCode(3, "0001000");
  EXPECT_EQ(runCodeChecks(f.context), code::DuplicateCodes);
  EXPECT_THAT(f.shownTexts(), ElementsAre(f.textOf(code::DuplicateCodes)));
}

TEST(CodeChecks, BlankCodesAreNeitherDuplicatesNorFrames) {
  CodePageFixture f;
  f.setCode(1, "0000008");
  f.setCode(2, "       ");
  f.setCode(3, "NONE   ");
  f.setCode(4, "0000009");
  EXPECT_EQ(checkDuplicateCodes(f.context), code::Ok);
  EXPECT_EQ(framesUsed(f.settings, 4), 2);
  EXPECT_EQ(confirmFrameCount(f.context), code::Ok);
  EXPECT_TRUE(f.reporter.asked.empty());
}

TEST(CodeChecks, ThreeFramesAskBeforeProgramming) {
  CodePageFixture f;
  f.setCode(1, "0000008");                                       // frame 0
  f.setCode(2, "0000009");                                       // frame 1
  f.setCode(3, "0000010");                                       // frame 2
  EXPECT_EQ(confirmFrameCount(f.context), code::TooManyFrames);  // no answer: No
  ASSERT_EQ(f.reporter.asked.size(), 1u);
  EXPECT_EQ(f.reporter.asked[0].code, code::TooManyFrames);

  f.reporter.answer(true);
  EXPECT_EQ(confirmFrameCount(f.context), code::Ok);
}

TEST(CodeChecks, CodesInOneFrameCountOnce) {
  CodePageFixture f;
  f.setCode(1, "0000008");
  f.setCode(2, "0000016");
  f.setCode(3, "0000024");
  f.setCode(4, "0000009");
  EXPECT_EQ(framesUsed(f.settings, 4), 2);
}

TEST(CodeChecks, MailDropWithToneFunctionIsRefused) {
  CodePageFixture f;
  f.setCode(1, "0000008", MailDrop, "NTXX");
  EXPECT_EQ(runCodeChecks(f.context), code::MaildropToneOnly);
  EXPECT_THAT(f.shownTexts(), ElementsAre(f.textOf(code::MaildropToneOnly)));

  CodePageFixture g;
  g.setCode(1, "0000008", Group, "TNAA");  // tone is fine on a personal code
  g.setCode(2, "0000016", MailDrop, "NAAA");
  EXPECT_EQ(runCodeChecks(g.context), code::Ok);
}

TEST(CodeChecks, IdeographicMixOnlyWhereTheFirmwareForbidsIt) {
  CodePageFixture f;
  f.setCode(1, "0000008", Individual, "IAXX");
  EXPECT_EQ(runCodeChecks(f.context), code::Ok);

  f.context.ideographicMixForbidden = true;
  EXPECT_EQ(runCodeChecks(f.context), code::PersonalMessageType);
  EXPECT_THAT(f.shownTexts(), ElementsAre(f.textOf(code::PersonalMessageType)));

  f.setCode(1, "0000008", Individual, "IINX");
  EXPECT_EQ(checkIdeographicMix(f.context), code::Ok);
}

struct MemoryCase {
  bool largeMemory;
  int split;
  models::ModelCode model;
  errors::ResultCode expected;
};

void PrintTo(const MemoryCase& c, std::ostream* os) {
  *os << (c.largeMemory ? "32K" : "8K") << " split " << c.split << " model " << int{c.model};
}

class MaildropMemoryTest : public ::testing::TestWithParam<MemoryCase> {};

TEST_P(MaildropMemoryTest, MailDropCodeNeedsMaildropMemory) {
  CodePageFixture f;
  f.useModel(GetParam().model);
  f.context.largeMemory = GetParam().largeMemory;
  f.settings.memorySplit = GetParam().split;
  f.setCode(1, "0000008", MailDrop, "NAAA");
  EXPECT_EQ(runCodeChecks(f.context), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, MaildropMemoryTest,
                         ::testing::Values(MemoryCase{true, 32, '1', code::NoMaildropMemory},
                                           MemoryCase{false, 8, '1', code::NoMaildropMemory},
                                           MemoryCase{true, 26, '1', code::Ok},
                                           MemoryCase{false, 5, '1', code::Ok},
                                           MemoryCase{true, 8, '1', code::Ok},
                                           MemoryCase{true, 32, ' ', code::Ok}));

TEST(CodeChecks, BlankMailDropCodeNeedsNoMaildropMemory) {
  CodePageFixture f;
  f.settings.memorySplit = 32;
  f.setCode(1, "0000008", Individual);
  f.setCode(2, "NONE   ", MailDrop, "TNAA");  // also no -70: not present
  EXPECT_EQ(runCodeChecks(f.context), code::Ok);
}

TEST(CodeChecks, FirstFailureStopsTheChecks) {
  CodePageFixture f;
  f.setCode(1, "7      ", MailDrop, "TTTT");
  f.setCode(2, "0000008");
  f.setCode(3, "0000008");
  EXPECT_EQ(runCodeChecks(f.context), code::InvalidPocsagCode);
  EXPECT_EQ(f.reporter.shown.size(), 1u);
}

TEST(CodeChecks, SettingsWithoutTheirCodesAreClearedFirst) {
  CodePageFixture f;
  f.settings.duplication = 1;
  f.settings.sourceIndependentDuplication = 1;
  f.settings.personalMessageNotebook = 1;
  f.settings.showMemFull = 1;
  f.settings.sequentialLockoutPeriod = 4;
  f.settings.maildropMessageNotebook = 1;
  f.settings.retainErroredNumeric = 1;
  f.setCode(1, "0000008", MailDrop, "AAAA");
  f.setCode(2, "NONE   ", Individual, "NNNN");  // not present: no personal, no numeric code

  EXPECT_EQ(runCodeChecks(f.context), code::Ok);
  EXPECT_EQ(f.settings.duplication, 0);
  EXPECT_EQ(f.settings.sourceIndependentDuplication, 0);
  EXPECT_EQ(f.settings.personalMessageNotebook, 0);
  EXPECT_EQ(f.settings.showMemFull, 0);
  EXPECT_EQ(f.settings.sequentialLockoutPeriod, 0);
  EXPECT_EQ(f.settings.maildropMessageNotebook, 1);  // a maildrop code exists
  EXPECT_EQ(f.settings.retainErroredNumeric, 0);
}

TEST(CodeChecks, SettingsWithTheirCodesAreKept) {
  CodePageFixture f;
  f.settings.duplication = 1;
  f.settings.maildropMessageNotebook = 1;
  f.settings.retainErroredNumeric = 1;
  f.setCode(1, "0000008", Group, "TNAA");
  EXPECT_EQ(runCodeChecks(f.context), code::Ok);
  EXPECT_EQ(f.settings.duplication, 1);
  EXPECT_EQ(f.settings.retainErroredNumeric, 1);
  EXPECT_EQ(f.settings.maildropMessageNotebook, 0);
}

TEST(CodeChecks, DeafPagerAlertsAreForced) {
  CodePageFixture f;
  f.setCode(1, "0000008");
  f.settings.deafPager = 1;
  f.settings.manualAlertReset = 1;
  f.settings.vibrator = 0;
  f.settings.userChangableAlertMode = 1;
  f.settings.userSelectableAlerts = 1;
  f.settings.programmablePleasingAlert = 1;
  f.settings.melody.fill(0x01);
  // The forcing comes before the checks, so a failing check does not skip it.
  f.setCode(2, "7      ");
  EXPECT_EQ(runCodeChecks(f.context), code::InvalidPocsagCode);
  EXPECT_EQ(f.settings.manualAlertReset, 0);
  EXPECT_EQ(f.settings.vibrator, 1);
  EXPECT_EQ(f.settings.userChangableAlertMode, 0);
  EXPECT_EQ(f.settings.userSelectableAlerts, 0);
  EXPECT_EQ(f.settings.programmablePleasingAlert, 0);
  for (std::uint8_t step : f.settings.melody) EXPECT_EQ(step, 0xE9);
}

TEST(CodeChecks, StandardPagerAlertsStay) {
  CodePageFixture f;
  f.settings.vibrator = 0;
  f.settings.melody.fill(0x01);
  applyDeafPagerForcing(f.settings);
  EXPECT_EQ(f.settings.vibrator, 0);
  EXPECT_EQ(f.settings.melody[0], 0x01);
}

TEST(CodeChecks, PriorityAndHistoryFollowTheCodeType) {
  CodePageFixture f;
  f.setCode(1, "0000008", MailDrop, "NAAA");
  f.settings.priority[0] = "YYNN";
  f.settings.history[0] = "YNYN";
  f.setCode(2, "0000016", Individual, "NAAA");
  f.settings.priority[1] = "YYNN";
  f.settings.history[1] = "YNYN";
  f.setCode(8, "0000024", Group, "NAAA");  // codes 5-8 too, beyond the model's four
  f.settings.history[7] = "YYYY";
  applyPriorityHistoryRule(f.context);
  EXPECT_EQ(f.settings.priority[0], "NNNN");
  EXPECT_EQ(f.settings.history[0], "YNYN");
  EXPECT_EQ(f.settings.priority[1], "YYNN");
  EXPECT_EQ(f.settings.history[1], "NNNN");
  EXPECT_EQ(f.settings.history[7], "NNNN");
}

TEST(CodeChecks, NewAlertMenuKeepsMailDropPriorityOnSixteenCodeModels) {
  CodePageFixture f;
  f.useModel(0x91);
  f.settings.newAlertMenu = 1;
  f.setCode(1, "0000008", MailDrop, "NAAA");
  f.settings.priority[0] = "YNNN";
  applyPriorityHistoryRule(f.context);
  EXPECT_EQ(f.settings.priority[0], "YNNN");

  f.settings.newAlertMenu = 0;
  applyPriorityHistoryRule(f.context);
  EXPECT_EQ(f.settings.priority[0], "NNNN");

  // The menu does not matter to the older models.
  f.useModel('1');
  f.settings.newAlertMenu = 1;
  f.settings.priority[0] = "YNNN";
  applyPriorityHistoryRule(f.context);
  EXPECT_EQ(f.settings.priority[0], "NNNN");
}

TEST(CodeChecks, OldModelsKeepTheirHistory) {
  for (models::ModelCode model : {models::ModelCode{' '}, models::ModelCode{'#'}}) {
    CodePageFixture f;
    f.useModel(model);
    f.setCode(1, "0000008", Individual);
    f.settings.history[0] = "1";
    applyPriorityHistoryRule(f.context);
    EXPECT_EQ(f.settings.history[0], "1") << int{model};
  }
}

TEST(CodePredicates, LookAtThePresentCodesOfTheModel) {
  CodePageFixture f;
  f.setCode(1, "0000008", MailDrop, "XXTX");
  f.setCode(2, "NONE   ", Individual, "NAAA");
  EXPECT_FALSE(personalCodeExists(f.context));
  EXPECT_TRUE(maildropCodeExists(f.context));
  EXPECT_FALSE(numericCodeExists(f.context));
  EXPECT_FALSE(textCodeExists(f.context));

  // Code 5 exists on the six-code models only.
  f.setCode(5, "0000016", Group, "TTNX");
  EXPECT_FALSE(personalCodeExists(f.context));
  f.useModel('p');
  EXPECT_TRUE(personalCodeExists(f.context));
  EXPECT_TRUE(numericCodeExists(f.context));
  EXPECT_FALSE(textCodeExists(f.context));

  f.setCode(6, "0000024", Group, "IXXX");
  EXPECT_TRUE(textCodeExists(f.context));
  // Code 16 on the sixteen-code families, and on any model the converter targets.
  f.useModel('1');
  f.setCode(16, "0000032", Group, "AAAA");
  EXPECT_FALSE(textCodeExists(f.context));
  f.context.converter = pages::ConverterMode::Varda;
  EXPECT_TRUE(textCodeExists(f.context));
}

}  // namespace
}  // namespace zelta::pages
