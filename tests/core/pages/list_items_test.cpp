#include "pages/list_items.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zelta::pages {
namespace {

using V = std::vector<std::string_view>;

V items(std::string_view name, const ListContext& ctx) {
  return listItems(*findField(name), ctx);
}

TEST(ListItems, CodingFormatDropsTwoThousandFourHundredOnLimitedFirmware) {
  EXPECT_EQ(items("cb_codingFormat", {.model = '0'}),
            (V{"POCSAG 512", "POCSAG 1200", "POCSAG 2400"}));
  EXPECT_EQ(items("cb_codingFormat", {.model = '0', .limitedBaudFirmware = true}),
            (V{"POCSAG 512", "POCSAG 1200"}));
}

TEST(ListItems, CodeTypesByModelAndCode) {
  const V all{"Individual", "Group", "Mail Drop"};
  const V personal{"Individual", "Group"};
  struct Case {
    int model;
    bool converter;
    const char* field;
    V expected;
  };
  const Case cases[] = {
      {'#', false, "cb_codeType01", personal},  {'#', false, "cb_codeType02", {"Mail Drop"}},
      {'#', false, "cb_codeType04", personal},  {'0', false, "cb_codeType02", all},
      {'0', false, "cb_codeType04", all},       {'p', false, "cb_codeType05", personal},
      {'u', false, "cb_codeType06", personal},  {0x91, false, "cb_codeType08", all},
      {0x99, false, "cb_codeType09", personal}, {0x97, false, "cb_codeType16", personal},
      {'1', true, "cb_codeType06", all},        {'1', true, "cb_codeType12", personal},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(items(c.field, {.model = static_cast<models::ModelCode>(c.model),
                              .converterTarget = c.converter}),
              c.expected)
        << c.model << " " << c.field;
  }
}

TEST(ListItems, PromptLanguagesAddTheCharacterRomLanguage) {
  const V plain = items("cb_internationalPrompt", {.headerType = 0});
  ASSERT_EQ(plain.size(), 15u);
  EXPECT_EQ(plain.front(), "English");
  EXPECT_EQ(plain[8], "LA & C Portuguese");
  EXPECT_EQ(plain.back(), "Malay");
  EXPECT_EQ(items("cb_internationalPrompt", {.headerType = 4}).size(), 15u);
  const char* romLanguage[] = {"Traditional Chinese", "Simplified Chinese", "Thai"};
  for (std::uint8_t type = 1; type <= 3; ++type) {
    const V withRom = items("cb_internationalPrompt", {.headerType = type});
    ASSERT_EQ(withRom.size(), 16u);
    EXPECT_EQ(withRom.back(), romLanguage[type - 1]);
  }
}

TEST(ListItems, AlertDurationOffersThirtySecondsOnExtendedAlertModels) {
  const V two{"2 sec", "12 sec"};
  const V three{"2 sec", "12 sec", "30 sec"};
  EXPECT_EQ(items("cb_alertDuration", {.model = '0'}), two);
  EXPECT_EQ(items("cb_alertDuration", {.model = 'p'}), two);
  EXPECT_EQ(items("cb_alertDuration", {.model = 't'}), three);
  EXPECT_EQ(items("cb_alertDuration", {.model = 'q'}), three);
  EXPECT_EQ(items("cb_alertDuration", {.model = 0x98}), three);
  EXPECT_EQ(items("cb_alertDuration", {.model = '1', .converterTarget = true}), three);
}

TEST(ListItems, FunctionMenuDisplayFollowsPromptStorageAndLanguage) {
  EXPECT_EQ(items("cb_functionMenuDisplay", {.promptsAsText = false}),
            (V{"Prompts", "Icons", "Both"}));
  EXPECT_EQ(items("cb_functionMenuDisplay", {.promptsAsText = true}), (V{"Prompts", "Icons"}));
  EXPECT_EQ(items("cb_functionMenuDisplay",
                  {.headerType = 3, .promptsAsText = true, .promptLanguage = 17}),
            (V{"Prompts"}));
  EXPECT_EQ(items("cb_functionMenuDisplay",
                  {.headerType = 1, .promptsAsText = true, .promptLanguage = 17}),
            (V{"Prompts", "Icons"}));
}

TEST(ListItems, IdeographicCannedByHeaderType) {
  EXPECT_EQ(items("cb_ideoNumericCanned", {.headerType = 2}), (V{"None", "Extended"}));
  EXPECT_EQ(items("cb_ideoNumericCanned", {.headerType = 3}), (V{"None", "2 digits"}));
  EXPECT_EQ(items("cb_ideoNumericCanned", {.headerType = 1}), (V{"None", "2 digits", "Extended"}));
  EXPECT_EQ(items("cb_ideoNumericCanned", {.headerType = 0}), (V{"None", "2 digits", "Extended"}));
}

TEST(ListItems, StaticListsAndNonLists) {
  EXPECT_EQ(items("cb_turnOnPager", {}), (V{"Click", "2 Sec"}));
  EXPECT_TRUE(items("ed_code01", {}).empty());
  EXPECT_TRUE(items("ed_persMemSizeString", {}).empty());
}

}  // namespace
}  // namespace zelta::pages
