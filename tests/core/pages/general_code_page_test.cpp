#include "pages/general_code_page.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "code_page_fixture.h"
#include "pages/code_predicates.h"

namespace zelta::pages {
namespace {

namespace code = errors::code;
using pages::FieldInput;
using pages::Page;
using test::CodePageFixture;
using ::testing::ElementsAre;

// Field IDs of code 1 and code 2 on "Code 1-4".
constexpr pages::FieldId kCode1 = 7, kFunction1 = 8, kPriority1 = 9, kCodeType1 = 10,
                         kHistory1 = 11;
constexpr pages::FieldId kCode2 = 12, kPriority2 = 14, kCodeType2 = 15;

struct PageFixture : CodePageFixture {
  GeneralCodePage page;

  errors::ResultCode type(pages::FieldId id, std::string text) {
    page.onEnter(id, context);
    return page.onExit(FieldInput{.id = id, .text = std::move(text)}, context);
  }
  errors::ResultCode choose(pages::FieldId id, int index) {
    page.onEnter(id, context);
    return page.onExit(FieldInput{.id = id, .text = {}, .index = index}, context);
  }
  pages::FieldView field(std::string_view name) const {
    const pages::FieldEntry* entry = pages::findField(name);
    const pages::PageView v = page.view(entry->page, context);
    return *v.find(name);
  }
};

TEST(GeneralCodePage, CapcodeIsStoredNormalised) {
  PageFixture f;
  EXPECT_EQ(f.type(kCode1, "8"), code::Ok);
  EXPECT_EQ(f.settings.code[0], "0000008");
  EXPECT_EQ(f.field("ed_code01").text, "0000008");

  EXPECT_EQ(f.type(kCode1, "NONE   "), code::Ok);
  EXPECT_EQ(f.settings.code[0], "       ");
  EXPECT_EQ(f.field("ed_code01").text, "NONE   ");
}

TEST(GeneralCodePage, InvalidCapcodeIsRefusedByThePageCheck) {
  PageFixture f;
  EXPECT_EQ(f.type(kCode1, "7"), code::Ok);
  EXPECT_EQ(f.settings.code[0], "7      ");
  EXPECT_TRUE(f.reporter.shown.empty());
  EXPECT_EQ(f.page.pageCheck(f.context), code::InvalidPocsagCode);
  EXPECT_THAT(f.shownTexts(),
              ElementsAre(f.textOf(code::InvalidPocsagCode) +
                          "\nCode 1 is \"7\": a POCSAG code is a number from 8 to 2097151."));
}

TEST(GeneralCodePage, PageCheckEndsWithTheFrequencyInBand) {
  PageFixture f;
  f.type(kCode1, "1234567");
  EXPECT_EQ(f.page.pageCheck(f.context), code::Ok);

  f.type(f.field("ed_frequency").id, "450.1250 ");  // UHF, while "VHF B (Low)" is selected
  EXPECT_EQ(f.page.pageCheck(f.context), code::OutOfBand);
  ASSERT_EQ(f.reporter.shown.size(), 1u);
  EXPECT_EQ(f.shownTexts()[0], f.textOf(code::OutOfBand));
  EXPECT_FLOAT_EQ(f.reporter.context().bandLowerMHz, 153.0F);

  // A failing code check comes first and the band is not checked then.
  f.reporter.shown.clear();
  f.type(kCode2, "1234567");
  EXPECT_EQ(f.page.pageCheck(f.context), code::DuplicateCodes);
  EXPECT_THAT(f.shownTexts(), ElementsAre(f.textOf(code::DuplicateCodes)));
}

TEST(GeneralCodePage, FrequencyMaskBlanksAreStoredAsZeros) {
  PageFixture f;
  const pages::FieldId frequency = f.field("ed_frequency").id;
  f.type(frequency, "158.0125 ");
  EXPECT_EQ(f.settings.frequency, "158.01250");
  f.type(frequency, "158.  25");
  EXPECT_EQ(f.settings.frequency, "158.00250");
  f.type(f.field("ed_frequency2").id, "1 2.5");
  EXPECT_EQ(f.settings.frequency2, "102.50000");
}

TEST(GeneralCodePage, PagerTypeSetsTheHardwareVariant) {
  PageFixture f;
  f.useModel(0x91);
  const pages::FieldId pagerType = f.field("cb_codeMode").id;
  const int variants[] = {0, 2, 3};
  for (int index = 0; index < 3; ++index) {
    EXPECT_EQ(f.choose(pagerType, index), code::Ok);
    EXPECT_EQ(f.settings.hardwareVariant, variants[index]);
    EXPECT_EQ(f.field("cb_codeMode").selected, index);
  }
}

TEST(GeneralCodePage, CodingFormatPresetsTheReceiverParameters) {
  PageFixture f;
  const pages::FieldId format = f.field("cb_codingFormat").id;
  f.choose(format, 0);
  EXPECT_EQ(f.settings.codingFormat, 0);
  EXPECT_EQ((std::array{f.settings.receiverP1, f.settings.receiverP2, f.settings.receiverP3}),
            (std::array{3, 0, 6}));
  f.settings.freqBand = 6;  // 900 MHz
  f.choose(format, 2);
  EXPECT_EQ((std::array{f.settings.receiverP1, f.settings.receiverP2, f.settings.receiverP3}),
            (std::array{2, 1, 31}));
  EXPECT_EQ(f.settings.baudConstant, 14);
}

TEST(GeneralCodePage, ListChoiceOutsideTheOfferedItemsIsRefused) {
  PageFixture f;
  f.context.limitedBaudFirmware = true;  // 2400 baud is not offered
  EXPECT_EQ(f.choose(f.field("cb_codingFormat").id, 2), code::FieldRefused);
  EXPECT_EQ(f.settings.codingFormat, 0);
  // Codes 5 to 16 of the sixteen-code models offer no Mail Drop beyond code 8.
  f.useModel(0x91);
  EXPECT_EQ(f.choose(f.field("cb_codeType09").id, MailDrop), code::FieldRefused);
  EXPECT_EQ(f.choose(f.field("cb_codeType08").id, MailDrop), code::Ok);
  EXPECT_EQ(f.settings.codeType[7], MailDrop);
}

TEST(GeneralCodePage, SequentialIncrementShowsAsItsItem) {
  PageFixture f;
  f.choose(f.field("cb_noSequentialInc").id, 7);
  EXPECT_EQ(f.settings.noSequentialInc, 8);
  for (int stored : {0, 9}) {
    f.settings.noSequentialInc = stored;
    EXPECT_EQ(f.field("cb_noSequentialInc").selected, 0);
  }
}

TEST(GeneralCodePage, FunctionsAndFlagsAreStoredAsFourLetters) {
  PageFixture f;
  f.type(kCode1, "1234567");
  f.type(kFunction1, "tn_ ");
  EXPECT_EQ(f.settings.function[0], "TNXX");
  f.type(kPriority1, "y");
  EXPECT_EQ(f.settings.priority[0], "YNNN");
}

TEST(GeneralCodePage, InactiveFunctionsShowADotForPriority) {
  PageFixture f;
  f.setCode(1, "1234567", Individual, "TXNX");
  f.settings.priority[0] = "YYYY";
  f.page.refresh(f.context);
  EXPECT_EQ(f.settings.priority[0], "YNYN");  // an inactive function has no priority
  EXPECT_EQ(f.field("ed_priority01").text, "Y.Y.");

  // While the priority field is edited it shows the stored letters.
  f.page.onEnter(kPriority1, f.context);
  EXPECT_EQ(f.field("ed_priority01").text, "YNYN");
}

TEST(GeneralCodePage, MailDropShowsStoredPriorityAndMaskedHistory) {
  PageFixture f;
  f.setCode(1, "1234567", Individual, "TXNA");
  f.settings.history[0] = "YYYY";
  f.choose(kCodeType1, MailDrop);
  EXPECT_EQ(f.settings.priority[0], "NNNN");  // a Mail Drop code has no priority
  EXPECT_EQ(f.settings.history[0], "YNYY");
  EXPECT_EQ(f.field("ed_priority01").text, "NNNN");
  EXPECT_EQ(f.field("ed_history01").text, "Y.YY");
  f.page.onEnter(kHistory1, f.context);
  EXPECT_EQ(f.field("ed_history01").text, "YNYY");

  // Back to Individual: no history.
  f.choose(kCodeType1, Individual);
  EXPECT_EQ(f.settings.history[0], "NNNN");
  EXPECT_EQ(f.field("ed_history01").text, "NNNN");
}

TEST(GeneralCodePage, SecondCodeOfModelHashIsAlwaysMailDrop) {
  PageFixture f;
  f.useModel('#');
  f.setCode(2, "2000008", MailDrop, "IXXX");
  f.settings.priority[1] = "NNNN";
  EXPECT_EQ(f.type(kPriority2, "YYYY"), code::Ok);
  EXPECT_EQ(f.settings.priority[1], "NNNN");
  f.settings.codeType[1] = Individual;  // as if some other path had changed it
  f.type(kCode1, "1106798");
  EXPECT_EQ(f.settings.codeType[1], MailDrop);

  const pages::FieldView type2 = f.field("cb_codeType02");
  EXPECT_THAT(type2.items, ElementsAre("Mail Drop"));
  EXPECT_EQ(type2.selected, 0);
  EXPECT_EQ(f.choose(kCodeType2, 0), code::Ok);
  EXPECT_EQ(f.settings.codeType[1], MailDrop);
}

TEST(GeneralCodePage, EmptyRowsAreDisabled) {
  PageFixture f;
  f.setCode(1, "1234567", Individual);
  f.setCode(2, "NONE   ", Individual);
  f.settings.onOffDutyFlags[1] = "YYYY";
  f.settings.fixAlert[1] = "YYYY";
  f.page.refresh(f.context);
  EXPECT_TRUE(f.field("ed_function01").enabled);
  EXPECT_TRUE(f.field("cb_codeType01").enabled);
  EXPECT_FALSE(f.field("ed_history01").enabled);  // not Mail Drop
  EXPECT_TRUE(f.field("ed_code02").enabled);
  EXPECT_FALSE(f.field("ed_function02").enabled);
  EXPECT_FALSE(f.field("ed_priority02").enabled);
  EXPECT_FALSE(f.field("cb_codeType02").enabled);
  EXPECT_EQ(f.settings.onOffDutyFlags[1], "NNNN");
  EXPECT_EQ(f.settings.fixAlert[1], "NNNN");
}

struct HistoryCase {
  models::ModelCode model;
  bool largeMemory;
  int type;
  bool enabled;
};

void PrintTo(const HistoryCase& c, std::ostream* os) {
  *os << "model " << int{c.model} << (c.largeMemory ? " 32K" : " 8K") << " type " << c.type;
}

class HistoryEnablingTest : public ::testing::TestWithParam<HistoryCase> {};

TEST_P(HistoryEnablingTest, OnlyMailDropOnLargeMemory) {
  PageFixture f;
  f.useModel(GetParam().model);
  f.context.largeMemory = GetParam().largeMemory;
  f.setCode(1, "1234567", GetParam().type, "NAAA");
  f.page.refresh(f.context);
  EXPECT_EQ(f.field("ed_history01").enabled, GetParam().enabled);
}

INSTANTIATE_TEST_SUITE_P(Table, HistoryEnablingTest,
                         ::testing::Values(HistoryCase{'1', true, MailDrop, true},
                                           HistoryCase{'1', false, MailDrop, false},
                                           HistoryCase{'1', true, Group, false},
                                           HistoryCase{' ', true, MailDrop, false},
                                           HistoryCase{'#', true, MailDrop, false}));

TEST(GeneralCodePage, LockerLeavesRowsAsTheyWere) {
  PageFixture f;
  f.setCode(1, "NONE   ");
  f.page.refresh(f.context);
  EXPECT_FALSE(f.field("ed_function01").enabled);

  f.context.locker = true;
  f.type(kCode1, "1234567");
  EXPECT_FALSE(f.field("ed_function01").enabled);
  f.type(kCode1, "");  // a blank row is disabled all the same
  EXPECT_FALSE(f.field("ed_function01").enabled);

  f.context.locker = false;
  f.type(kCode1, "1234567");
  EXPECT_TRUE(f.field("ed_function01").enabled);
}

TEST(GeneralCodePage, DutyAndAlertMenusSwitchThePerFunctionColumns) {
  PageFixture f;
  f.useModel(0x95);
  f.setCode(1, "1234567", Individual);
  f.page.refresh(f.context);
  f.settings.onOffDuty = 0;
  f.settings.newAlertMenu = 0;
  EXPECT_FALSE(f.field("ed_onOffDuty01").enabled);
  EXPECT_FALSE(f.field("ed_fixAlert01").enabled);
  EXPECT_FALSE(f.field("ed_crescendo01").enabled);
  EXPECT_FALSE(f.field("cb_alertMode01_3").enabled);
  EXPECT_FALSE(f.field("cb_alertPattern01_4").enabled);

  f.settings.onOffDuty = 1;
  f.settings.newAlertMenu = 1;
  f.settings.alertPattern[0][3] = 9;
  EXPECT_TRUE(f.field("ed_onOffDuty01").enabled);
  EXPECT_TRUE(f.field("ed_interruptVib01").enabled);
  EXPECT_TRUE(f.field("cb_alertMode01_3").enabled);
  EXPECT_EQ(f.field("cb_alertPattern01_4").selected, 9);
  EXPECT_FALSE(f.field("cb_alertPattern02_1").enabled);  // code 2 is empty
}

TEST(GeneralCodePage, AlertColumnsAreStored) {
  PageFixture f;
  f.useModel(0x98);
  f.type(kCode1, "1234567");
  f.choose(f.field("cb_alertMode01_2").id, 5);
  f.choose(f.field("cb_alertPattern01_4").id, 15);
  f.type(f.field("ed_crescendo01").id, "YN_Y");
  EXPECT_EQ(f.settings.alertMode[0][1], 5);
  EXPECT_EQ(f.settings.alertPattern[0][3], 15);
  EXPECT_EQ(f.settings.crescendo[0], "YNNY");
}

TEST(GeneralCodePage, GeneralPageShowsTheSettings) {
  PageFixture f;
  f.settings.ICN = "ABC0099";
  f.settings.codingFormat = 1;
  f.settings.memorySplit = 21;
  f.settings.deafPager = 1;
  EXPECT_EQ(f.field("ed_ICN").text, "ABC0099");
  EXPECT_EQ(f.field("cb_codingFormat").selected, 1);
  EXPECT_EQ(f.field("cb_deafPager").selected, 1);
  EXPECT_EQ(f.field("ed_persMemSizeString").text, "21.5K");
  EXPECT_EQ(f.field("ed_persMaildropString").text, "10.5K");
  EXPECT_EQ(f.field("ed_frequency").text, "158.0125");

  EXPECT_EQ(f.type(f.field("ed_ICN").id, "inv-7"), code::Ok);
  EXPECT_EQ(f.settings.ICN, "INV-7");
  EXPECT_EQ(f.type(f.field("ed_ICN").id, "ELEVEN CHAR"),
            code::FieldRefused);  // longer than the field
  EXPECT_EQ(f.settings.ICN, "INV-7");
}

}  // namespace
}  // namespace zelta::pages
