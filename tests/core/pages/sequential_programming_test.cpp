#include "pages/sequential_programming.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "code_page_fixture.h"
#include "pages/code_predicates.h"

namespace zelta::pages {
namespace {

namespace code = errors::code;
using errors::OperationOutcome;
using test::CodePageFixture;

struct IcnCase {
  std::string before;
  std::string after;
};

void PrintTo(const IcnCase& c, std::ostream* os) {
  *os << '"' << c.before << '"';
}

class AdvanceIcnTest : public ::testing::TestWithParam<IcnCase> {};

TEST_P(AdvanceIcnTest, CountsTheTrailingDigitsUp) {
  EXPECT_EQ(advanceIcn(GetParam().before), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AdvanceIcnTest,
    ::testing::Values(
        IcnCase{"ABC0099", "ABC0100"}, IcnCase{"ABC0099   ", "ABC0100"},  // trailing spaces dropped
        IcnCase{"A1B2", "A1B3"},              // only the trailing run counts
        IcnCase{"1234567899", "1234567900"},  // ten digits: 1 + nine-digit counter
        IcnCase{"0999999999", "1000000000"},  // the counter carries into the first digit
        IcnCase{"00099", "00100"},            // an all-digit ICN keeps its width
        IcnCase{"ABC999", "ABC1000"},         // room left: the counter grows
        IcnCase{"99", "100"}, IcnCase{"ABC9999999", "ABC0000000"},   // ten characters: wraps
        IcnCase{"9999999999", "0000000000"}, IcnCase{"ABC", "ABC"},  // no counter
        IcnCase{"", ""}));

ProgramPager writes(errors::ResultCode result, int* calls) {
  return [=] {
    ++*calls;
    return result == code::Ok ? OperationOutcome::done(true)
                              : OperationOutcome::failed(result, true, true);
  };
}

TEST(SequentialStep, EveryPresentIndividualCodeAdvancesByTheIncrement) {
  CodePageFixture f;
  f.useModel('p');  // six codes
  f.settings.noSequentialInc = 3;
  f.settings.ICN = "ABC0099";
  f.setCode(1, "1000", Individual);
  f.setCode(2, "0002000", Group);
  f.setCode(3, "NONE   ", Individual);
  f.setCode(4, "0003000", MailDrop, "NAAA");
  f.setCode(6, "0004000", Individual);
  int calls = 0;

  EXPECT_TRUE(sequentialProgrammingStep(f.context, writes(code::Ok, &calls)).succeeded());
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(f.settings.code[0], "0001003");
  EXPECT_EQ(f.settings.code[1], "0002000");
  EXPECT_EQ(f.settings.code[2], "NONE   ");
  EXPECT_EQ(f.settings.code[3], "0003000");
  EXPECT_EQ(f.settings.code[5], "0004003");
  EXPECT_EQ(f.settings.ICN, "ABC0100");
}

TEST(SequentialStep, IncrementOutsideTheListCountsAsOne) {
  for (int stored : {0, 9}) {
    CodePageFixture f;
    f.settings.noSequentialInc = stored;
    f.setCode(1, "0000008", Individual);
    int calls = 0;
    sequentialProgrammingStep(f.context, writes(code::Ok, &calls));
    EXPECT_EQ(f.settings.code[0], "0000009") << stored;
  }
}

TEST(SequentialStep, InvalidOrDuplicateCodesStopBeforeProgramming) {
  CodePageFixture f;
  f.setCode(1, "0000008", Individual);
  f.setCode(2, "8", Group);
  int calls = 0;
  EXPECT_EQ(sequentialProgrammingStep(f.context, writes(code::Ok, &calls)),
            OperationOutcome::failed(code::DuplicateCodes, true));
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(f.reporter.shown.size(), 1u);

  f.setCode(2, "2097152", Group);
  EXPECT_EQ(sequentialProgrammingStep(f.context, writes(code::Ok, &calls)),
            OperationOutcome::failed(code::InvalidPocsagCode, true));
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(f.settings.code[0], "0000008");
}

TEST(SequentialStep, WithoutIndividualCodeOnlyTheIcnAdvances) {
  CodePageFixture f;
  f.settings.ICN = "1234567899";
  f.setCode(1, "0000008", Group);
  f.setCode(2, "0000008", MailDrop, "NAAA");  // not checked on this path
  int calls = 0;
  EXPECT_TRUE(sequentialProgrammingStep(f.context, writes(code::Ok, &calls)).succeeded());
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(f.settings.code[0], "0000008");
  EXPECT_EQ(f.settings.ICN, "1234567900");
  EXPECT_TRUE(f.reporter.shown.empty());
}

TEST(SequentialStep, NothingAdvancesUnlessThePagerWasWritten) {
  CodePageFixture f;
  f.settings.ICN = "7";
  f.setCode(1, "0000008", Individual);
  // Refused by the pager, and abandoned at a question (nothing written).
  for (OperationOutcome outcome :
       {OperationOutcome::failed(code::VersionsMismatch, true), OperationOutcome::notWritten()}) {
    EXPECT_EQ(sequentialProgrammingStep(f.context, [=] { return outcome; }), outcome);
    EXPECT_EQ(f.settings.code[0], "0000008");
    EXPECT_EQ(f.settings.ICN, "7");
  }
  // Written, but setting the clock afterwards failed: the pager holds the
  // code, so the next one must get the next code.
  EXPECT_EQ(
      sequentialProgrammingStep(
          f.context, [] { return OperationOutcome::failed(code::NoAcknowledge, true, true); }),
      OperationOutcome::failed(code::NoAcknowledge, true, true));
  EXPECT_EQ(f.settings.code[0], "0000009");
  EXPECT_EQ(f.settings.ICN, "8");
}

TEST(SequentialStep, CodePastTheLastAddressIsRefusedNextTime) {
  CodePageFixture f;
  f.settings.noSequentialInc = 2;
  f.setCode(1, "2097150", Individual);
  int calls = 0;
  EXPECT_TRUE(sequentialProgrammingStep(f.context, writes(code::Ok, &calls)).succeeded());
  EXPECT_EQ(f.settings.code[0], "2097152");
  EXPECT_EQ(sequentialProgrammingStep(f.context, writes(code::Ok, &calls)),
            OperationOutcome::failed(code::InvalidPocsagCode, true));
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace zelta::pages
