#include "pages/page_sections.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace zelta::pages {
namespace {

constexpr Page kEditingPages[] = {
    Page::General,     Page::Code1to4, Page::Code5to8,    Page::Code9to12,   Page::Code13to16,
    Page::Prompt1,     Page::Prompt2,  Page::Source1to8,  Page::Source9to16, Page::Alert,
    Page::PasswordOta, Page::Features, Page::MoreFeatures};

// Every field of the catalog is drawn exactly once, on its own page; the
// catalog keeps ID order, so a field left out of the sections would simply
// never appear in the window.
TEST(PageSections, EveryFieldSitsInExactlyOnePlaceOfItsPage) {
  std::map<std::string_view, int> seen;
  for (Page page : kEditingPages) {
    for (const PageSection& section : pageSections(page)) {
      EXPECT_EQ(section.page, page);
      for (const SectionPlace& place : sectionPlaces(section)) {
        if (place.field == nullptr) continue;
        EXPECT_EQ(place.field->page, page) << place.field->name;
        ++seen[place.field->name];
      }
    }
  }
  for (const FieldEntry& field : allFields()) {
    EXPECT_EQ(seen[field.name], 1) << field.name;
  }
}

// A name in a section that is neither a field nor a control would drop out
// of the window without a trace.
TEST(PageSections, EveryNamedItemIsAFieldOrAControl) {
  std::set<std::string_view> controls;
  for (Page page : kEditingPages) {
    for (const PageSection& section : pageSections(page)) {
      for (std::string_view name : section.items) {
        const bool known = findField(name) != nullptr || findPageControl(name) != nullptr;
        EXPECT_TRUE(known) << name;
        if (findPageControl(name) != nullptr) {
          EXPECT_TRUE(controls.insert(name).second) << name;
        }
      }
    }
  }
  for (std::string_view name : {"listenBtn01", "listenBtn02", "listenBtn03", "listenBtn04",
                                "infolb_cus1", "infolb_cus2", "BitBtn1"}) {
    EXPECT_TRUE(controls.count(name)) << name;
  }
}

TEST(PageSections, GridCellsAreUniqueAndInVisualOrder) {
  for (Page page : kEditingPages) {
    for (const PageSection& section : pageSections(page)) {
      if (section.kind != SectionKind::CodeGrid && section.kind != SectionKind::SourceGrid)
        continue;
      std::set<std::pair<int, int>> cells;
      std::pair<int, int> previous{-1, -1};
      for (const SectionPlace& place : sectionPlaces(section)) {
        const std::pair<int, int> cell{place.row, place.column};
        EXPECT_TRUE(cells.insert(cell).second) << place.field->name;
        EXPECT_LT(previous, cell) << place.field->name;
        previous = cell;
      }
    }
  }
}

TEST(PageSections, CodeGridColumnsHoldOneCodeEach) {
  const std::span<const PageSection> sections = pageSections(Page::Code5to8);
  ASSERT_FALSE(sections.empty());
  for (const SectionPlace& place : sectionPlaces(sections.front())) {
    EXPECT_EQ(place.field->row, 5 + place.column) << place.field->name;
    EXPECT_EQ(codeColumnOf(*place.field), codeGridRows()[place.row].column) << place.field->name;
  }
}

struct ShownCase {
  const char* control;
  int model;
  bool shown;
};

class ControlShownTest : public ::testing::TestWithParam<ShownCase> {};

// The controls that are not fields follow the model layout's flags.
TEST_P(ControlShownTest, FollowsTheModelLayout) {
  const ShownCase& c = GetParam();
  const PageControl* control = findPageControl(c.control);
  ASSERT_NE(control, nullptr);
  const ModelFieldLayout layout = modelFieldLayout(static_cast<models::ModelCode>(c.model), {});
  EXPECT_EQ(shownUnder(control->shownWhen, layout), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ControlShownTest,
    ::testing::Values(ShownCase{"listenBtn01", 0x30, false}, ShownCase{"listenBtn01", 0x91, true},
                      ShownCase{"listenBtn02", 0x30, true}, ShownCase{"infolb_cus1", 'p', false},
                      ShownCase{"infolb_cus2", 0x93, true}, ShownCase{"BitBtn1", 0x91, false},
                      ShownCase{"BitBtn1", 0x98, true}));

TEST(PageSections, FrameCaptionsFollowTheModel) {
  const std::span<const PageSection> general = pageSections(Page::General);
  const PageSection* frequency = nullptr;
  for (const PageSection& s : general) {
    if (s.name == "gb_frequency1") frequency = &s;
  }
  ASSERT_NE(frequency, nullptr);
  FieldLayoutContext dual;
  dual.dualFrequencyEnabled = true;
  EXPECT_EQ(sectionCaption(*frequency, modelFieldLayout(0x93, dual)), "Primary Frequency");
  EXPECT_EQ(sectionCaption(*frequency, modelFieldLayout(0x30, {})), "Frequency");
}

}  // namespace
}  // namespace zelta::pages
