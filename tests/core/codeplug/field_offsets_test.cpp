#include "codeplug/field_offsets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "codeplug/codeplug_image.h"

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
  for (const ModelInfo& m : kModels) {
    FieldOffsetTable t;
    ASSERT_TRUE(loadOffsetTables(t, m.code)) << int(m.code);
    EXPECT_EQ(t.family, m.slotFamily) << int(m.code);
  }
  FieldOffsetTable t;
  ASSERT_TRUE(loadOffsetTables(t, 0x97));
  for (ModelCode unknown : {ModelCode{0x00}, ModelCode{0x94}, ModelCode{0xCC}, kNoModel, ModelCode{'3'}}) {
    EXPECT_FALSE(loadOffsetTables(t, unknown)) << int(unknown);
    EXPECT_EQ(t.family, Family::E);
    EXPECT_EQ(t.secondSynthN, 0x4D);
  }

  CodeplugImage image;
  image.setModel('x');
  image.setModel(0x94);
  EXPECT_EQ(image.modelCode(), 0x94);
  EXPECT_EQ(image.offsets().family, Family::B);
}

TEST(FieldOffsets, FamilySpecificFields) {
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
      {"dataInversion", &FieldOffsetTable::dataInversion, {0x312, 0x312, 0x712, 0x768, 0x768, 0x768}},
      {"emptyFlagCode1", &FieldOffsetTable::emptyFlagCode1, {0x314, 0x314, 0x714, no, no, no}},
      {"receiverP3", &FieldOffsetTable::receiverP3, {0x318, 0x318, 0x718, no, no, no}},
      {"synthByte", &FieldOffsetTable::synthByte, {0x31F, 0x31F, 0x71F, 0x71F, 0x71F, 0x71F}},
      {"oscillator", &FieldOffsetTable::oscillator, {0x320, 0x320, 0x720, 0x720, 0x720, 0x720}},
      {"block21", &FieldOffsetTable::block21, {0x2EA, 0x2EA, 0x7CC, 0x7CC, 0x7CC, 0x7CC}},
      {"keptByte2FF", &FieldOffsetTable::keptByte2FF, {0x2FF, 0x2FF, 0x7C9, 0x7C9, 0x7C9, 0x7C9}},
      {"firmwareBlock", &FieldOffsetTable::firmwareBlock, {0x322, 0x322, 0x722, 0x722, 0x722, 0x722}},
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
      {"otaGroupPassword", &FieldOffsetTable::otaGroupPassword, {0xDD, 0xDD, 0xDD, 0xDD, 0xDD, 0xDD}},
  };
  const Family families[] = {Family::A, Family::B, Family::C, Family::D, Family::E, Family::F};
  for (const Case& c : cases) {
    for (std::size_t f = 0; f < 6; ++f) {
      EXPECT_EQ(offsetTableFor(families[f]).*c.slot, c.byFamily[f]) << c.name << " family " << f;
    }
  }
  EXPECT_EQ(offsetTableFor(Family::B).promptCapacity, 510);
  EXPECT_EQ(offsetTableFor(Family::C).promptCapacity, 600);
  EXPECT_EQ(offsetTableFor(Family::F).promptCapacity, 1200);
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
  for (const auto& s : t.sourceText) {
    if (s.width != 0) spans.push_back({s.offset, static_cast<Offset>(s.offset + s.width)});
  }
  return spans;
}

TEST(FieldOffsets, PromptTextFieldsFitTheirAreaWithoutOverlap) {
  struct Case {
    Family family;
    std::size_t prompts;  // named prompts plus sources stored as text
    Offset areaEnd;
  };
  // Families D-F store exactly the prompts of their lists (118, 119, 123).
  const Case cases[] = {{Family::A, 30 + 16, 0x298}, {Family::B, 33 + 24, 0x2EA}, {Family::C, 33 + 24, 0x2EA},
                        {Family::D, 118, 0xEC + 1200}, {Family::E, 119, 0xEC + 1200},
                        {Family::F, 123, 0xEC + 1200}};
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
  const FieldOffsetTable& a = offsetTableFor(Family::A);
  struct Case {
    Prompt prompt;
    Offset offset;
    int width;
  };
  for (const Case c : {Case{Prompt::autoOn, 0xEC, 10}, Case{Prompt::duplicate, 0x196, 10},
                       Case{Prompt::disablePager, 0x1A0, 14}, Case{Prompt::powerUp, 0x1AE, 14},
                       Case{Prompt::off, 0x1EA, 6}, Case{Prompt::setTime, 0x20E, 10}}) {
    EXPECT_EQ(a.prompt(c.prompt).offset, c.offset) << promptControlName(c.prompt);
    EXPECT_EQ(a.prompt(c.prompt).width, c.width) << promptControlName(c.prompt);
  }
  EXPECT_EQ(a.source(16).offset, 0x290);
  EXPECT_EQ(a.prompt(Prompt::zoomIn).width, 0);
  EXPECT_EQ(a.source(17).width, 0);
  EXPECT_EQ(offsetTableFor(Family::B).source(24).width, 6);
  // Only the family F list has the password prompts.
  EXPECT_EQ(offsetTableFor(Family::E).prompt(Prompt::inputPassword).width, 0);
  EXPECT_NE(offsetTableFor(Family::F).prompt(Prompt::inputPassword).width, 0);
  EXPECT_EQ(offsetTableFor(Family::D).prompt(Prompt::switchSite).width, 0);
  EXPECT_EQ(offsetTableFor(Family::D).prompt(Prompt::autoOn).offset, 0xEC);
}

}  // namespace
}  // namespace zelta::codeplug
