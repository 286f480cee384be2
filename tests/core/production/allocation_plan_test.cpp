#include "production/allocation_plan.h"

#include <gtest/gtest.h>

#include "core/pages/code_page_fixture.h"
#include "pages/code_predicates.h"
#include "pages/sequential_programming.h"

namespace zelta::production {
namespace {

using pages::Group;
using pages::Individual;
using pages::MailDrop;
using pages::test::CodePageFixture;

// A six-code template with Individual codes among others, increment 3.
CodePageFixture sixCodeTemplate() {
  CodePageFixture f;
  f.useModel('p');
  f.settings.noSequentialInc = 3;
  f.settings.ICN = "ABC0098";
  f.setCode(1, "1000", Individual);
  f.setCode(2, "0002000", Group);
  f.setCode(4, "0003000", MailDrop, "NAAA");
  f.setCode(6, "0004000", Individual);
  return f;
}

// Each set is what F2 in sequential mode would have sent to that pager:
// the step runs against the same template and every pager is written.
TEST(AllocationPlan, SetsAreWhatTheSequentialStepProgramsPagerByPager) {
  CodePageFixture sequential = sixCodeTemplate();
  const CodePageFixture tmpl = sixCodeTemplate();
  const AllocationPlan plan(tmpl.settings, 'p', {.count = 5, .untilCode = {}});
  for (int pager = 0; pager < 5; ++pager) {
    codeplug::SettingsRecord programmed;
    pages::sequentialProgrammingStep(sequential.context, [&] {
      programmed = sequential.settings;
      return errors::OperationOutcome::done(true);
    });
    const std::optional<CodeSet> set = plan.set(pager);
    ASSERT_TRUE(set) << pager;
    codeplug::SettingsRecord fromPlan = tmpl.settings;
    AllocationPlan::applyTo(*set, fromPlan);
    EXPECT_EQ(set->index, pager);
    EXPECT_EQ(fromPlan.code, programmed.code) << pager;
    EXPECT_EQ(fromPlan.ICN, programmed.ICN) << pager;
  }
  EXPECT_EQ(plan.set(2)->codes, (std::vector<SlotCode>{{1, "0001006"}, {6, "0004006"}}));
  EXPECT_EQ(plan.set(2)->icn, "ABC0100");
  EXPECT_FALSE(plan.set(5)) << "the count ends the plan";
}

struct EndCase {
  const char* name;
  const char* firstCode;
  int increment;
  PlanLimits limits;
  int sets;  // how many sets the plan holds
};

class AllocationPlanEnd : public ::testing::TestWithParam<EndCase> {};

TEST_P(AllocationPlanEnd, EndsAtTheRightSet) {
  const EndCase& c = GetParam();
  CodePageFixture f;
  f.settings.noSequentialInc = c.increment;
  f.settings.ICN = "7";
  f.setCode(1, c.firstCode, Individual);
  f.setCode(2, "2097151", Group);  // only Individual codes move
  const AllocationPlan plan(f.settings, 0x91, c.limits);
  EXPECT_TRUE(plan.set(c.sets - 1)) << c.name;
  EXPECT_FALSE(plan.set(c.sets)) << c.name;
  EXPECT_FALSE(plan.set(c.sets + 5)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, AllocationPlanEnd,
    ::testing::Values(
        // The last set is the one whose first code reaches the end code.
        EndCase{"until", "0001000", 2, {.count = {}, .untilCode = 1006}, 4},
        EndCase{"until between two sets", "0001000", 2, {.count = {}, .untilCode = 1005}, 3},
        EndCase{"count before until", "0001000", 1, {.count = 2, .untilCode = 1006}, 2},
        // 2097151 is the last capcode: the next set would leave the range.
        EndCase{"capcode range", "2097149", 1, {.count = 10, .untilCode = {}}, 3},
        EndCase{"range with increment", "2097140", 8, {.count = {}, .untilCode = {}}, 2}),
    [](const auto& p) {
      std::string name = p.param.name;
      for (char& ch : name) {
        if (ch == ' ') ch = '_';
      }
      return name;
    });

TEST(AllocationPlan, WithoutIndividualCodesOnlyTheIcnAdvances) {
  CodePageFixture f;
  f.settings.ICN = "SN09";
  f.setCode(1, "0000100", Group);
  const AllocationPlan plan(f.settings, 0x91, {.count = 3, .untilCode = {}});
  EXPECT_FALSE(plan.hasIndividualCodes());
  EXPECT_TRUE(plan.set(2)->codes.empty());
  EXPECT_EQ(plan.set(2)->icn, "SN11");
}

}  // namespace
}  // namespace zelta::production
