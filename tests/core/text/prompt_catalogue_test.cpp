#include "text/prompt_catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "pages/field_catalog.h"
#include "prompt_printers.h"
#include "text/default_prompts.h"
#include "text/languages.h"

namespace zelta::text {
namespace {

using enum PromptId;

struct CatalogueRow {
  PromptId id;
  int in48;
  int in59;
  int in49;
};

// The Prompt 1 and Prompt 2 prompts with their index in each list (-1: not in it).
constexpr CatalogueRow kCatalogue[] = {
    {autoOnPrompt, 0, 0, 0},
    {setAlertPrompt, 1, 1, 1},
    {setReminderPrompt, -1, 2, -1},
    {setAudioPrompt, 2, 3, 2},
    {setSilentPrompt, 3, 4, 3},
    {setLockPrompt, 4, 5, 4},
    {setUnlockPrompt, 5, 6, 5},
    {deletePrompt, 6, 7, 6},
    {deleteAllPrompt, 7, 8, 7},
    {addToNotebookPrompt, 8, 9, 8},
    {printPrompt, 9, 10, 9},
    {printAllPrompt, 10, 11, 10},
    {enableMaildropPrompt, 11, 12, 11},
    {disableMaildropPrompt, 12, 13, 12},
    {setTimeAlarmPrompt, 13, 14, 13},
    {setMsgAlarmPrompt, 14, 15, 14},
    {zoomInPrompt, 15, 16, 15},
    {zoomOutPrompt, 16, 17, 16},
    {setOffPrompt, 17, 18, 17},
    {goStatusPrompt, 18, 19, 18},
    {batteryLowPrompt, -1, 20, -1},
    {duplicatePrompt, 19, 21, 19},
    {disablePagerPrompt, 20, 22, 36},
    {powerUpPrompt, 21, 23, 37},
    {standardAlertPrompt, 22, 24, 38},
    {pleasantAlertPrompt, 23, 25, 39},
    {standardAndVibPrompt, -1, 26, -1},
    {chirpAlertPrompt, 24, 27, 40},
    {noAlertPrompt, 25, 28, 41},
    {onPrompt, 26, 29, 42},
    {offPrompt, 27, 30, 43},
    {setVolumePrompt, -1, -1, 44},
    {escAlertPrompt, -1, -1, 45},
    {setAlarmPrompt, 28, 31, 46},
    {noteBookPrompt, 29, 32, 47},
    {memoryFullPrompt, 30, 33, 48},
    {setTimePrompt, 31, 34, -1},
};

int indexOr(PromptList list, PromptId id) {
  return promptIndex(list, id).value_or(-1);
}

TEST(PromptLists, CatalogueIndices) {
  for (const CatalogueRow& row : kCatalogue) {
    EXPECT_EQ(indexOr(PromptList::list48, row.id), row.in48) << promptFieldName(row.id);
    EXPECT_EQ(indexOr(PromptList::list59, row.id), row.in59) << promptFieldName(row.id);
    EXPECT_EQ(indexOr(PromptList::list49, row.id), row.in49) << promptFieldName(row.id);
  }
  for (int n = 1; n <= 24; ++n) {
    EXPECT_EQ(indexOr(PromptList::list48, sourcePromptId(n)), n <= 16 ? 31 + n : -1) << n;
    EXPECT_EQ(indexOr(PromptList::list59, sourcePromptId(n)), 34 + n) << n;
    EXPECT_EQ(indexOr(PromptList::list49, sourcePromptId(n)), n <= 16 ? 19 + n : -1) << n;
  }
}

std::vector<std::string> sourceTexts() {
  std::vector<std::string> texts;
  for (int c = 1; c <= 16; ++c) {
    for (int f = 1; f <= 4; ++f) texts.push_back(std::to_string(c) + "-" + std::to_string(f));
  }
  return texts;
}

std::vector<std::string> englishDefaults(PromptList list) {
  std::vector<std::string> texts;
  for (int i = 0; i < static_cast<int>(promptListEntries(list).size()); ++i) {
    texts.push_back(std::string{defaultText(lang::english, i, list).value_or("none")});
  }
  return texts;
}

std::vector<std::string> join(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The 123-list up to index 53 by English default text; the 119-list shares it.
const std::vector<std::string> k123Head{"SET PRIVATE TIME",
                                        "CHOOSE ALERT",
                                        "SET REMINDER",
                                        "OFF DUTY",
                                        "ON DUTY",
                                        "SWITCH TO PRIMARY",
                                        "SWITCH TO SECONDARY",
                                        "SET AUDIBLE ALERT",
                                        "SET SILENT ALERT",
                                        "LOCK MESSAGE",
                                        "UNLOCK MESSAGE",
                                        "DELETE MESSAGE",
                                        "DELETE ALL MESSAGES",
                                        "ADD TO NOTEBOOK",
                                        "DUAL FREQUENCY MENU",
                                        "SCAN",
                                        "MAILDROP ALERT ON",
                                        "MAILDROP ALERT OFF",
                                        "SET TIME AND ALARM",
                                        "SET MESSAGE ALARM",
                                        "none",
                                        "none",
                                        "TURN PAGER OFF",
                                        "ESCAPE",
                                        "BATTERY LOW",
                                        "DUPLICATE MESSAGE",
                                        "PAGER DISABLED",
                                        "KORVANDEL",
                                        "STANDARD ALERT",
                                        "PLEASING ALERT",
                                        "URGENT ALERT",
                                        "CHIRPING ALERT",
                                        "NO MESSAGE ALERT",
                                        "ON",
                                        "OFF",
                                        "SET ALARM",
                                        "NOTEBOOK",
                                        "MEMORY FULL",
                                        "SET TIME",
                                        "SET MSG ALERT",
                                        "SET REMINDER",
                                        "ALERT MODE",
                                        "ALERT & VIB MODE",
                                        "VIB THEN ALERT MODE",
                                        "VIBRATOR MODE",
                                        "SILENT MODE",
                                        "CONTINUOUS VIB",
                                        "INTERRUPTED VIB",
                                        "ESCALATING TONE",
                                        "GENERAL TONE",
                                        "INCLUDE",
                                        "EXCLUDE",
                                        "SET TO OFF DUTY",
                                        "SET TO ON DUTY"};

TEST(PromptLists, LongListsInOrder) {
  EXPECT_EQ(englishDefaults(PromptList::list123),
            join(join(k123Head, {"PRINT ONE MESSAGE", "PRINT ALL MESSAGES", "INPUT PASSWORD",
                                 "DIR KEY FOR INPUT", "SOURCE"}),
                 sourceTexts()));
  EXPECT_EQ(englishDefaults(PromptList::list119), join(join(k123Head, {"SOURCE"}), sourceTexts()));
  const std::vector<std::string> head118{"SET PRIVATE TIME",
                                         "CHOOSE ALERT",
                                         "SET REMINDER",
                                         "OFF DUTY",
                                         "ON DUTY",
                                         "SET AUDIBLE ALERT",
                                         "SET SILENT ALERT",
                                         "LOCK MESSAGE",
                                         "UNLOCK MESSAGE",
                                         "DELETE MESSAGE",
                                         "DELETE ALL MESSAGES",
                                         "ADD TO NOTEBOOK",
                                         "PRINT ONE MESSAGE",
                                         "PRINT ALL MESSAGES",
                                         "MAILDROP ALERT ON",
                                         "MAILDROP ALERT OFF",
                                         "SET TIME AND ALARM",
                                         "SET MESSAGE ALARM",
                                         "none",
                                         "none",
                                         "TURN PAGER OFF",
                                         "ESCAPE",
                                         "BATTERY LOW",
                                         "DUPLICATE MESSAGE",
                                         "PAGER DISABLED",
                                         "KORVANDEL",
                                         "STANDARD ALERT",
                                         "PLEASING ALERT",
                                         "URGENT ALERT",
                                         "CHIRPING ALERT",
                                         "NO MESSAGE ALERT",
                                         "ON",
                                         "OFF",
                                         "SET ALARM",
                                         "NOTEBOOK",
                                         "MEMORY FULL",
                                         "SET TIME",
                                         "SET MSG ALERT",
                                         "SET REMINDER",
                                         "ALERT MODE",
                                         "ALERT & VIB MODE",
                                         "VIB THEN ALERT MODE",
                                         "VIBRATOR MODE",
                                         "",
                                         "SILENT MODE",
                                         "CONTINUOUS VIB",
                                         "INTERRUPTED VIB",
                                         "ESCALATING TONE",
                                         "GENERAL TONE",
                                         "INCLUDE",
                                         "EXCLUDE",
                                         "SET TO OFF DUTY",
                                         "SET TO ON DUTY",
                                         "SOURCE"};
  EXPECT_EQ(englishDefaults(PromptList::list118), join(head118, sourceTexts()));
}

TEST(PromptLists, ShortListsEnglishDefaults) {
  const auto list49 = englishDefaults(PromptList::list49);
  ASSERT_EQ(list49.size(), 49U);
  EXPECT_EQ(list49[13], "SET TIME");  // the 49-list names set time and alarm so
  EXPECT_EQ(list49[15], "none");
  EXPECT_EQ(list49[20], "1-1");
  EXPECT_EQ(list49[35], "4-4");
  EXPECT_EQ(list49[44], "SET VOLUME");
  EXPECT_EQ(list49[45], "ESCALERT");
  EXPECT_EQ(englishDefaults(PromptList::list48)[13], "SET TIME AND ALARM");
  EXPECT_EQ(englishDefaults(PromptList::list59)[58], "6-4");
}

TEST(PromptLists, ListByModel) {
  struct Case {
    models::ModelCode model;
    PromptList list;
  };
  const Case cases[] = {
      {' ', PromptList::list49},   {'!', PromptList::list48},   {'#', PromptList::list48},
      {'0', PromptList::list48},   {':', PromptList::list48},   {'p', PromptList::list59},
      {'q', PromptList::list59},   {'u', PromptList::list59},   {'x', PromptList::list59},
      {0x91, PromptList::list118}, {0x96, PromptList::list118}, {0x93, PromptList::list119},
      {0x97, PromptList::list119}, {0x98, PromptList::list123}, {0x99, PromptList::list123}};
  for (const Case& c : cases) {
    EXPECT_EQ(promptListFor(c.model, false), c.list) << int{c.model};
    EXPECT_EQ(promptListFor(c.model, true), PromptList::list118) << int{c.model};
  }
}

TEST(PromptLists, PackedCountLeavesTrailingSourcesToShowSource) {
  struct Case {
    PromptList list;
    int withoutSources;
    int withSources;
  };
  for (const Case& c : {Case{PromptList::list48, 32, 48}, Case{PromptList::list49, 49, 49},
                        Case{PromptList::list59, 35, 59}, Case{PromptList::list118, 54, 118},
                        Case{PromptList::list119, 55, 119}, Case{PromptList::list123, 59, 123}}) {
    EXPECT_EQ(packedPromptCount(c.list, false), c.withoutSources);
    EXPECT_EQ(packedPromptCount(c.list, true), c.withSources);
  }
}

TEST(PromptLists, EveryPromptFieldHasItsPrompt) {
  EXPECT_EQ(promptFieldName(deletePrompt), "ed_deletePrompt");
  EXPECT_EQ(promptFieldName(sourcePromptId(12)), "ed_source12Prompt");
  EXPECT_EQ(promptFieldName(setVolumePrompt), "");

  // Each named prompt field of the window is one prompt, and back.
  std::set<std::string> fields;
  for (std::size_t i = 0; i < kPromptCount; ++i) {
    const std::string name = promptFieldName(static_cast<PromptId>(i));
    if (name.empty()) continue;
    EXPECT_TRUE(fields.insert(name).second) << name;
    const pages::FieldEntry* field = pages::findField(name);
    ASSERT_NE(field, nullptr) << name;
    EXPECT_EQ(field->filter, pages::KeyFilter::PromptCharacters) << name;
  }
  for (const pages::FieldEntry& field : pages::allFields()) {
    if (field.filter == pages::KeyFilter::PromptCharacters) {
      EXPECT_TRUE(fields.contains(std::string{field.name})) << field.name;
    }
  }
}

TEST(PromptTexts, HoldTwentyBytes) {
  PromptText text{"ABCDEFGHIJKLMNOPQRSTUVWXYZ"};
  EXPECT_EQ(text, "ABCDEFGHIJKLMNOPQRST");
  text.assign("");
  EXPECT_TRUE(text.empty());
}

}  // namespace
}  // namespace zelta::text
