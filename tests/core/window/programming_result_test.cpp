#include "window/programming_result.h"

#include <gtest/gtest.h>

#include <string>

#include "codeplug/codeplug_image.h"
#include "codeplug/new_codeplug.h"
#include "codeplug/settings_record.h"
#include "pages/page_context_of.h"
#include "recording_reporter.h"

namespace zelta::window {
namespace {

TEST(ProgrammingResult, TheLineNamesTheSerialNumberCodesAndIcn) {
  struct Case {
    ProgrammedPager pager;
    std::string text;
  };
  const Case cases[] = {
      {{"1234567890", {"1234567", "0000008"}, "KEEP000001"},
       "Programmed pager SN 1234567890: codes 1234567, 0000008, ICN KEEP000001"},
      // A pager whose serial number the link did not learn; no ICN given.
      {{"", {"1234567"}, ""}, "Programmed pager: codes 1234567"},
      // Sixteen codes do not fit a status bar: the first four, then a count.
      {{"A", {"1", "2", "3", "4", "5", "6"}, "X"},
       "Programmed pager SN A: codes 1, 2, 3, 4 +2 more, ICN X"},
      {{"A", {}, ""}, "Programmed pager SN A: no codes"},
  };
  for (const Case& c : cases) EXPECT_EQ(programmedText(c.pager), c.text);
  EXPECT_EQ(sequentialProgrammedText({"1234567890", {"1234569"}, "KEEP000002"}, 2),
            "Pager 2 programmed SN 1234567890: codes 1234569, ICN KEEP000002. "
            "Insert the next pager and press F2.");
}

// Only the codes the model's pages show, and only the present ones.
TEST(ProgrammingResult, ThePagerHoldsThePresentCodesOfItsModel) {
  codeplug::CodeplugImage image;
  codeplug::SettingsRecord settings;
  codeplug::setUpNewCodeplug(0x30, image, settings);
  for (std::string& c : settings.code) c = "       ";
  settings.code[0] = "1234567";
  settings.code[2] = "0000008";
  settings.code[5] = "0000009";  // beyond the four codes of the model
  settings.ICN = "KEEP000001";
  testing::RecordingReporter reporter;
  const pages::PageContext context = pages::pageContextOf(image, settings, reporter, {});
  const ProgrammedPager pager = programmedPager(context, " 1234567890 ");
  EXPECT_EQ(pager.serialNumber, "1234567890");
  EXPECT_EQ(pager.codes, (std::vector<std::string>{"1234567", "0000008"}));
  EXPECT_EQ(pager.icn, "KEEP000001");
}

}  // namespace
}  // namespace zelta::window
