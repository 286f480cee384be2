#include "pages/field_view.h"

#include <gtest/gtest.h>

#include "pages/field_ids.h"

namespace zelta::pages {
namespace {

TEST(FieldView, GeneralPageOfADualFrequencyPager) {
  const ModelFieldLayout layout = modelFieldLayout(147, {.dualFrequencyEnabled = true});
  const PageView page =
      basePageView(Page::General, layout, ListContext{.model = 147, .limitedBaudFirmware = true});

  const FieldView* frequency2 = page.find("ed_frequency2");
  ASSERT_NE(frequency2, nullptr);
  EXPECT_TRUE(frequency2->visible);
  EXPECT_EQ(frequency2->id, fieldId("ed_frequency2"));

  const FieldView* pagerType = page.find(fieldId("cb_codeMode"));
  ASSERT_NE(pagerType, nullptr);
  EXPECT_FALSE(pagerType->visible);
  EXPECT_FALSE(pagerType->enabled);
  EXPECT_EQ(pagerType->items.size(), 3u);

  const FieldView* format = page.find("cb_codingFormat");
  ASSERT_NE(format, nullptr);
  EXPECT_EQ(format->items.size(), 2u);
  EXPECT_EQ(format->selected, 0);
  EXPECT_EQ(format->caption, "Coding Format/Baud Rate");

  EXPECT_EQ(page.find("ed_code01"), nullptr);  // on a Code page
  const FieldView* memory = page.find("ed_persMemSizeString");
  ASSERT_NE(memory, nullptr);
  EXPECT_EQ(memory->selected, -1);
  EXPECT_EQ(page.find(kNoFieldId), nullptr);
}

TEST(FieldView, EveryPageHoldsItsFieldsOnly) {
  const ModelFieldLayout layout = modelFieldLayout(0x99, {});
  std::size_t total = 0;
  for (int i = 0; i < kPageCount; ++i) {
    const PageView page = basePageView(static_cast<Page>(i), layout, ListContext{.model = 0x99});
    for (const FieldView& f : page.fields) EXPECT_EQ(findField(f.name)->page, page.page) << f.name;
    total += page.fields.size();
  }
  EXPECT_EQ(total, allFields().size());
  EXPECT_TRUE(basePageView(Page::Main, layout, {}).fields.empty());
}

}  // namespace
}  // namespace zelta::pages
