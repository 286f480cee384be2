#include "codeplug/field_offsets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "codeplug/codeplug_image.h"
#include "codeplug/field_encodings.h"
#include "text/prompt_catalogue.h"

namespace zelta::codeplug {
namespace {

TEST(FieldOffsets, LargeModelsMoveTheCodeAndSynthesizerBlocks) {
  FieldOffsetTable t;
  ASSERT_TRUE(loadOffsetTables(t, 'q'));
  EXPECT_EQ(t.codeSlots, 0x700);
  EXPECT_EQ(t.synthN, 0x719);
  EXPECT_EQ(t.iconContrast, 0x721);
  ASSERT_TRUE(loadOffsetTables(t, 'p'));
  EXPECT_EQ(t.codeSlots, 0x300);
  EXPECT_EQ(t.synthN, 0x319);
  EXPECT_EQ(t.iconContrast, 0x321);
}

TEST(FieldOffsets, EveryModelLoadsItsFamilyAndOthersLeaveTheSlots) {
  for (const models::ModelInfo& m : models::kModels) {
    FieldOffsetTable t;
    ASSERT_TRUE(loadOffsetTables(t, m.code)) << int(m.code);
    EXPECT_EQ(t.family, m.slotFamily) << int(m.code);
  }
  FieldOffsetTable t;
  ASSERT_TRUE(loadOffsetTables(t, 0x97));
  for (models::ModelCode unknown :
       {models::ModelCode{0x00}, models::ModelCode{0x94}, models::ModelCode{0xCC}, models::kNoModel,
        models::ModelCode{'3'}}) {
    EXPECT_FALSE(loadOffsetTables(t, unknown)) << int(unknown);
    EXPECT_EQ(t.family, models::Family::E);
    EXPECT_EQ(t.secondSynthN, 0x4D);
  }

  CodeplugImage image;
  image.setModel('x');
  image.setModel(0x94);
  EXPECT_EQ(image.modelCode(), 0x94);
  EXPECT_EQ(image.offsets().family, models::Family::B);
}

// Every model's code slots lie inside its image: the narrow slots of its
// codes (A-C), the 32 wide slots of families D-F, the second table of C.
TEST(FieldOffsets, EveryModelsCodeSlotsFitItsImage) {
  for (const models::ModelInfo& m : models::kModels) {
    SCOPED_TRACE(int(m.code));
    FieldOffsetTable t;
    ASSERT_TRUE(loadOffsetTables(t, m.code));
    ASSERT_NE(t.codeSlots, kNoSlot);
    // The old format is read into family A's 1 KB layout.
    const std::size_t bytes = m.family == models::Family::OldFormat ? 1024 : m.imageBytes;
    if (models::modelIn(m.code, models::ModelGroup::dFamily)) {
      EXPECT_EQ(m.imageBytes, 2048);
      EXPECT_LE(wideCodeSlot(t.codeSlots, 32) + 3, bytes);
    } else {
      EXPECT_LE(narrowCodeSlot(t.codeSlots, m.codes) + 3, bytes);
    }
    if (m.family == models::Family::C) {
      ASSERT_NE(t.secondCodeSlots, kNoSlot);
      EXPECT_LE(wideCodeSlot(t.secondCodeSlots, 16) + 3, bytes);
    }
  }
}

TEST(FieldOffsets, FieldsOfOneFamily) {
  struct Case {
    const char* name;
    Offset FieldOffsetTable::*slot;
    std::array<Offset, 6> byFamily;  // A, B, C, D, E, F
  };
  constexpr Offset no = kNoSlot;
  const Case cases[] = {
      {"functionLetters", &FieldOffsetTable::functionLetters, {0x24, 0x24, 0x24, 0x18, 0x18, 0x18}},
      {"zoom", &FieldOffsetTable::zoom, {0x2C, 0x30, 0x30, 0x3C, 0x3C, 0x3C}},
      {"codeTypeFirst", &FieldOffsetTable::codeTypeFirst, {0x7A, 0x7A, 0x7A, 0x38, 0x38, 0x38}},
      {"codeTypeCodes56", &FieldOffsetTable::codeTypeCodes56, {no, 0x30, 0x30, no, no, no}},
      {"priorityCodes56", &FieldOffsetTable::priorityCodes56, {no, 0x31, 0x31, no, no, no}},
      {"history", &FieldOffsetTable::history, {0xDA, 0xDA, 0xDA, 0xE7, 0xE7, 0xE7}},
      {"codeSlots", &FieldOffsetTable::codeSlots, {0x300, 0x300, 0x700, 0x754, 0x754, 0x754}},
      {"codingFormat", &FieldOffsetTable::codingFormat, {0x313, 0x313, 0x713, 0x765, 0x765, 0x765}},
      {"dataInversion",
       &FieldOffsetTable::dataInversion,
       {0x312, 0x312, 0x712, 0x768, 0x768, 0x768}},
      {"emptyFlagCode1", &FieldOffsetTable::emptyFlagCode1, {0x314, 0x314, 0x714, no, no, no}},
      {"receiverP3", &FieldOffsetTable::receiverP3, {0x318, 0x318, 0x718, no, no, no}},
      {"synthByte", &FieldOffsetTable::synthByte, {0x31F, 0x31F, 0x71F, 0x71F, 0x71F, 0x71F}},
      {"oscillator", &FieldOffsetTable::oscillator, {0x320, 0x320, 0x720, 0x720, 0x720, 0x720}},
      {"block21", &FieldOffsetTable::block21, {0x2EA, 0x2EA, 0x7CC, 0x7CC, 0x7CC, 0x7CC}},
      {"keptByte2FF", &FieldOffsetTable::keptByte2FF, {0x2FF, 0x2FF, 0x7C9, 0x7C9, 0x7C9, 0x7C9}},
      {"firmwareBlock",
       &FieldOffsetTable::firmwareBlock,
       {0x322, 0x322, 0x722, 0x722, 0x722, 0x722}},
      {"secondCodeSlots", &FieldOffsetTable::secondCodeSlots, {no, no, 0x784, no, no, no}},
      {"toneOnlySupport", &FieldOffsetTable::toneOnlySupport, {no, no, 0x7C7, 0x7C7, 0x7C7, 0x7C7}},
      {"lcdAdjust1", &FieldOffsetTable::lcdAdjust1, {no, no, 0x73E, 0x73E, 0x73E, 0x73E}},
      {"alertTable", &FieldOffsetTable::alertTable, {no, no, no, 0x696, 0x696, 0x696}},
      {"slot12Flags", &FieldOffsetTable::slot12Flags, {no, no, no, 0x777, 0x777, 0x777}},
      {"secondSynthR", &FieldOffsetTable::secondSynthR, {no, no, no, no, 0x50, 0x50}},
      {"dualFreqSupport", &FieldOffsetTable::dualFreqSupport, {no, no, no, no, 0x786, 0x786}},
      {"userPasswordFlags", &FieldOffsetTable::userPasswordFlags, {no, no, no, no, no, 0x48}},
      {"rawBlock320", &FieldOffsetTable::rawBlock320, {0x13F, no, no, no, no, no}},
      {"memorySplit", &FieldOffsetTable::memorySplit, {0xC9, 0xC9, 0xC9, 0xC9, 0xC9, 0xC9}},
      {"otaGroupPassword",
       &FieldOffsetTable::otaGroupPassword,
       {0xDD, 0xDD, 0xDD, 0xDD, 0xDD, 0xDD}},
  };
  const models::Family families[] = {models::Family::A, models::Family::B, models::Family::C,
                                     models::Family::D, models::Family::E, models::Family::F};
  for (const Case& c : cases) {
    for (std::size_t f = 0; f < 6; ++f) {
      EXPECT_EQ(offsetTableFor(families[f]).*c.slot, c.byFamily[f]) << c.name << " family " << f;
    }
  }
  EXPECT_EQ(offsetTableFor(models::Family::B).promptCapacity, 510);
  EXPECT_EQ(offsetTableFor(models::Family::C).promptCapacity, 600);
  EXPECT_EQ(offsetTableFor(models::Family::F).promptCapacity, 1200);
}

struct Span {
  Offset begin;
  Offset end;
};

std::vector<Span> textSpans(const FieldOffsetTable& t) {
  std::vector<Span> spans;
  for (const auto& s : t.promptText) {
    if (s.width != 0) spans.push_back({s.offset, static_cast<Offset>(s.offset + s.width)});
  }
  return spans;
}

TEST(FieldOffsets, PromptTextFieldsFitTheirAreaWithoutOverlap) {
  struct Case {
    models::Family family;
    std::size_t prompts;  // named prompts plus sources stored as text
    Offset areaEnd;
  };
  // Families D-F store exactly the prompts of their lists (118, 119, 123).
  const Case cases[] = {
      {models::Family::A, 30 + 16, 0x298},   {models::Family::B, 33 + 24, 0x2EA},
      {models::Family::C, 33 + 24, 0x2EA},   {models::Family::D, 118, 0xEC + 1200},
      {models::Family::E, 119, 0xEC + 1200}, {models::Family::F, 123, 0xEC + 1200}};
  for (const Case& c : cases) {
    auto spans = textSpans(offsetTableFor(c.family));
    EXPECT_EQ(spans.size(), c.prompts);
    std::sort(spans.begin(), spans.end(), [](Span a, Span b) { return a.begin < b.begin; });
    EXPECT_EQ(spans.front().begin, 0xEC);
    EXPECT_LE(spans.back().end, c.areaEnd);
    for (std::size_t i = 1; i < spans.size(); ++i) {
      EXPECT_LE(spans[i - 1].end, spans[i].begin) << "family " << static_cast<int>(c.family);
    }
  }
}

TEST(FieldOffsets, FamilyATextPromptsAtTheirFixedPlaces) {
  const FieldOffsetTable& a = offsetTableFor(models::Family::A);
  using enum text::PromptId;
  struct Case {
    text::PromptId prompt;
    Offset offset;
    int width;
  };
  for (const Case c : {Case{autoOnPrompt, 0xEC, 10}, Case{duplicatePrompt, 0x196, 10},
                       Case{disablePagerPrompt, 0x1A0, 14}, Case{powerUpPrompt, 0x1AE, 14},
                       Case{offPrompt, 0x1EA, 6}, Case{setTimePrompt, 0x20E, 10}}) {
    EXPECT_EQ(a.prompt(c.prompt).offset, c.offset) << text::promptFieldName(c.prompt);
    EXPECT_EQ(a.prompt(c.prompt).width, c.width) << text::promptFieldName(c.prompt);
  }
  EXPECT_EQ(a.prompt(text::sourcePromptId(16)).offset, 0x290);
  EXPECT_EQ(a.prompt(zoomInPrompt).width, 0);
  EXPECT_EQ(a.prompt(text::sourcePromptId(17)).width, 0);
  EXPECT_EQ(offsetTableFor(models::Family::B).prompt(text::sourcePromptId(24)).width, 6);
  // Only the family F list has the password prompts.
  EXPECT_EQ(offsetTableFor(models::Family::E).prompt(INPUT_PASSWORD_PROMPT).width, 0);
  EXPECT_NE(offsetTableFor(models::Family::F).prompt(INPUT_PASSWORD_PROMPT).width, 0);
  EXPECT_EQ(offsetTableFor(models::Family::D).prompt(switchSitePrompt).width, 0);
  EXPECT_EQ(offsetTableFor(models::Family::D).prompt(autoOnPrompt).offset, 0xEC);
}

// Families D-F lay their list out in order from 0xEC: power-up and disable
// take 14 bytes, on and off 6, sources 8, the others 10.
TEST(FieldOffsets, LargeFamilyTextPromptsFollowTheirList) {
  using enum text::PromptId;
  struct Case {
    models::Family family;
    text::PromptId prompt;
    Offset offset;
    int width;
  };
  const Case cases[] = {
      {models::Family::D, printPrompt, 0xEC + 12 * 10, 10},
      {models::Family::D, disablePagerPrompt, 0xEC + 24 * 10, 14},
      {models::Family::D, powerUpPrompt, 0xEC + 24 * 10 + 14, 14},
      {models::Family::D, onPrompt, 0xEC + 29 * 10 + 28, 6},
      {models::Family::D, blankPrompt, 0xEC + 39 * 10 + 28 + 12, 10},
      {models::Family::D, sourcePrompt, 0x2FE, 10},
      {models::Family::D, text::sourcePromptId(1), 0x308, 8},
      {models::Family::D, text::sourcePromptId(64), 0x308 + 63 * 8, 8},
      {models::Family::E, switchSitePrompt, 0xEC + 5 * 10, 10},
      {models::Family::E, PriorityScanPrompt, 0xEC + 15 * 10, 10},
      {models::Family::E, sourcePrompt, 0x308, 10},
      {models::Family::E, text::sourcePromptId(1), 0x312, 8},
      {models::Family::F, printPrompt, 0x308, 10},
      {models::Family::F, PASSWORD_KEY_PROMPT, 0x326, 10},
      {models::Family::F, sourcePrompt, 0x330, 10},
      {models::Family::F, text::sourcePromptId(64), 0x33A + 63 * 8, 8},
  };
  for (const Case& c : cases) {
    const PromptTextSlot& s = offsetTableFor(c.family).prompt(c.prompt);
    EXPECT_EQ(s.offset, c.offset) << text::promptFieldName(c.prompt) << " family "
                                  << static_cast<int>(c.family);
    EXPECT_EQ(s.width, c.width) << text::promptFieldName(c.prompt) << " family "
                                << static_cast<int>(c.family);
  }
  EXPECT_EQ(offsetTableFor(models::Family::D).prompt(printPrompt).width, 10);
  EXPECT_EQ(offsetTableFor(models::Family::E).prompt(printPrompt).width, 0);
}

}  // namespace
}  // namespace zelta::codeplug
