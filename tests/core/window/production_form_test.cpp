#include "window/production_form.h"

#include <gtest/gtest.h>

#include <fstream>

#include "temp_folder.h"

namespace zelta::window {
namespace {

namespace fs = std::filesystem;

struct FormCase {
  const char* name;
  ProductionForm form;
  bool onScreen;
  std::optional<ProductionInput> input;
  std::string problemStart;
};

// The first input with a problem is named, in the order the dialog shows
// them; a form without one gives the count.
TEST(ProductionForm, TheFirstInputWithAProblemIsTold) {
  testing::TempFolder dir;
  const std::string tmpl = (dir.path() / "t.cp").string();
  std::ofstream(tmpl) << "x";
  const std::string journal = (dir.path() / "run.jsonl").string();
  const std::vector<std::string> ports{"/dev/pts/3"};
  const FormCase cases[] = {
      {"ok", {TemplateSource::File, tmpl, ports, journal, " 4 "}, false, std::nullopt, ""},
      {"on screen", {TemplateSource::OnScreen, "", ports, journal, "1"}, true, std::nullopt, ""},
      {"nothing on screen",
       {TemplateSource::OnScreen, "", ports, journal, "1"},
       false,
       ProductionInput::Template,
       "No codeplug is on screen"},
      {"no template",
       {TemplateSource::File, "", ports, journal, "1"},
       true,
       ProductionInput::Template,
       "Choose the template"},
      {"missing template",
       {TemplateSource::File, tmpl + "x", {}, "", ""},
       false,
       ProductionInput::Template,
       ""},
      {"no port",
       {TemplateSource::File, tmpl, {}, journal, "1"},
       false,
       ProductionInput::Ports,
       "Tick the port"},
      {"no journal",
       {TemplateSource::File, tmpl, ports, "", "1"},
       false,
       ProductionInput::Journal,
       "Name the journal"},
      {"journal a folder",
       {TemplateSource::File, tmpl, ports, dir.path().string(), "1"},
       false,
       ProductionInput::Journal,
       dir.path().string()},
      {"journal folder missing",
       {TemplateSource::File, tmpl, ports, (dir.path() / "no" / "run.jsonl").string(), "1"},
       false,
       ProductionInput::Journal,
       "The journal's folder"},
      {"count zero",
       {TemplateSource::File, tmpl, ports, journal, "0"},
       false,
       ProductionInput::Count,
       "The number of pagers"},
      {"count text",
       {TemplateSource::File, tmpl, ports, journal, "4x"},
       false,
       ProductionInput::Count,
       "The number of pagers"},
      {"count empty",
       {TemplateSource::File, tmpl, ports, journal, ""},
       false,
       ProductionInput::Count,
       "The number of pagers"},
      {"count too large",
       {TemplateSource::File, tmpl, ports, journal, "100001"},
       false,
       ProductionInput::Count,
       "The number of pagers"},
  };
  for (const FormCase& c : cases) {
    const ProductionFormCheck check = checkProductionForm(c.form, c.onScreen);
    EXPECT_EQ(check.input, c.input) << c.name;
    EXPECT_EQ(check.problem.rfind(c.problemStart, 0), 0u) << c.name << ": " << check.problem;
  }
  EXPECT_EQ(checkProductionForm(cases[0].form, false).count, 4);
  EXPECT_EQ(checkProductionForm(cases[4].form, false).problem, tmpl + "x\ndoes not exist.");
}

// A new journal per start, in the work folder, named after the template and
// the minute; a name with blanks or signs keeps to plain characters.
TEST(ProductionForm, DefaultJournalIsNamedAfterTheTemplateAndTheMinute) {
  std::tm when{};
  when.tm_year = 2026 - 1900;
  when.tm_mon = 11;
  when.tm_mday = 11;
  when.tm_hour = 9;
  when.tm_min = 35;
  when.tm_isdst = -1;
  const auto now = std::chrono::system_clock::from_time_t(std::mktime(&when));
  EXPECT_EQ(defaultJournalPath("/work", "lot 7 (A).cp", now),
            fs::path("/work/lot_7__A_-20261211-0935.jsonl"));
  EXPECT_EQ(defaultJournalPath("/work", "", now), fs::path("/work/run-20261211-0935.jsonl"));
}

TEST(ProductionForm, StopQuestionNamesThePortsBeingWritten) {
  const errors::Question q = stopWhileWritingQuestion({"/dev/pts/3", "/dev/pts/4"});
  EXPECT_EQ(q.caption, "Production run");
  EXPECT_EQ(q.text.rfind("A pager is being written on /dev/pts/3, /dev/pts/4.\nStop the run?", 0),
            0u);
}

}  // namespace
}  // namespace zelta::window
