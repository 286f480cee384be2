#include "models/models.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <set>

namespace zelta::models {
namespace {

bool isOneOf(Family f, std::initializer_list<Family> families) {
  return std::find(families.begin(), families.end(), f) != families.end();
}

TEST(ModelRegistry, CodesAreUniqueAndMarkersAreNoModels) {
  std::set<ModelCode> seen;
  for (const ModelInfo& m : kModels) {
    EXPECT_TRUE(seen.insert(m.code).second) << "duplicate code " << int(m.code);
    EXPECT_EQ(findModel(m.code)->family, m.family) << int(m.code);
  }
  for (ModelCode unknown : {kOldGenerationId, kNoModel, ModelCode{0x94}, ModelCode{'3'}}) {
    EXPECT_FALSE(findModel(unknown)) << int(unknown);
  }
}

// Sizes, code counts and slot tables follow the layout family.
TEST(ModelRegistry, FamilyDecidesSizeCodesAndSlots) {
  for (const ModelInfo& m : kModels) {
    SCOPED_TRACE(int(m.code));
    switch (m.family) {
      case Family::OldFormat:
        EXPECT_EQ(m.imageBytes, 768);
        EXPECT_EQ(m.codes, 4);
        EXPECT_EQ(m.slotFamily, Family::A);  // read through family A's slots
        break;
      case Family::A:
        EXPECT_EQ(m.imageBytes, 1024);
        EXPECT_EQ(m.codes, 4);
        break;
      case Family::B:
        EXPECT_EQ(m.imageBytes, 1024);
        EXPECT_EQ(m.codes, 6);
        break;
      case Family::C:
        EXPECT_EQ(m.imageBytes, 2048);
        EXPECT_EQ(m.codes, 6);
        break;
      case Family::D:
      case Family::E:
      case Family::F:
        EXPECT_EQ(m.imageBytes, 2048);
        EXPECT_EQ(m.codes, 16);
        break;
    }
    if (m.family != Family::OldFormat) {
      EXPECT_EQ(m.slotFamily, m.family);
    }
  }
}

// The groups named by family agree with the family of every code, and a
// code outside the registry is in none of them.
TEST(ModelGroups, FamilyGroupsAgreeWithTheFamilyOverAllCodes) {
  struct Case {
    ModelGroup group;
    std::initializer_list<Family> families;
  };
  const Case cases[] = {
      {ModelGroup::oneKbNewModels, {Family::B}},
      {ModelGroup::sixCodeModels, {Family::B, Family::C}},
      {ModelGroup::largeQModels, {Family::C}},
      {ModelGroup::dGroup, {Family::D}},
      {ModelGroup::dualFrequencyGroup, {Family::E}},
      {ModelGroup::userPasswordGroup, {Family::F}},
      {ModelGroup::newProtocolModels, {Family::C, Family::D, Family::E, Family::F}},
      {ModelGroup::dFamily, {Family::D, Family::E, Family::F}},
      {ModelGroup::fFamily, {Family::F}},
      {ModelGroup::dualOrF, {Family::E, Family::F}},
  };
  for (int code = 0; code < 256; ++code) {
    const auto m = findModel(static_cast<ModelCode>(code));
    for (const Case& c : cases) {
      EXPECT_EQ(modelIn(static_cast<ModelCode>(code), c.group),
                m.has_value() && isOneOf(m->family, c.families))
          << "group " << static_cast<int>(c.group) << " code " << code;
    }
    // Old generation: the old format, and 0xCC, which the read command
    // answers for such a pager.
    EXPECT_EQ(modelIn(static_cast<ModelCode>(code), ModelGroup::oldGeneration),
              code == kOldGenerationId || (m && m->family == Family::OldFormat))
        << code;
    // Backups: refused for the old format and families D-F only.
    EXPECT_EQ(modelIn(static_cast<ModelCode>(code), ModelGroup::backupAllowed),
              !m || !isOneOf(m->family, {Family::OldFormat, Family::D, Family::E, Family::F}))
        << code;
    if (!m) {
      for (ModelGroup g : {ModelGroup::iconContrastGroup, ModelGroup::toolsMenuModels,
                           ModelGroup::extendedAlertModels, ModelGroup::linkServed,
                           ModelGroup::clearsIconContrast, ModelGroup::fourCodePages}) {
        EXPECT_FALSE(modelIn(static_cast<ModelCode>(code), g)) << code;
      }
    }
  }
}

// The per-model columns against the family where one implies the other.
TEST(ModelGroups, ModelColumnsFitTheirFamily) {
  for (const ModelInfo& m : kModels) {
    SCOPED_TRACE(int(m.code));
    const bool dToF = modelIn(m.code, ModelGroup::dFamily);
    const bool large = dToF || m.family == Family::C;
    // The link moves the whole image of every model it serves; the old
    // format moves 768 bytes.
    if (m.linkServed) {
      EXPECT_EQ(m.linkBlockBytes, m.imageBytes);
    }
    if (m.family == Family::OldFormat) {
      EXPECT_FALSE(m.linkServed);
      EXPECT_EQ(m.linkBlockBytes, 768);
    }
    if (large) {
      EXPECT_TRUE(m.linkServed);
      EXPECT_NE(m.firmwarePattern, BlockPattern::None);  // every large model has one
      EXPECT_TRUE(m.extendedAlert);
      EXPECT_EQ(m.firmwareBlock, FirmwareBlock::None);
      EXPECT_EQ(m.spareFill, SpareFill::None);
    }
    if (dToF) {
      EXPECT_FALSE(modelIn(m.code, ModelGroup::backupAllowed));
    }
    // Pattern P goes with the icon contrast group, pattern Q with the others.
    if (m.firmwarePattern != BlockPattern::None) {
      EXPECT_EQ(m.firmwarePattern == BlockPattern::P, m.iconContrast);
    }
    // A pattern block written by the builder needs the model's pattern.
    if (m.firmwareBlock == FirmwareBlock::R0105 || m.firmwareBlock == FirmwareBlock::R0602) {
      EXPECT_NE(m.firmwarePattern, BlockPattern::None);
    }
    // The icon contrast byte is cleared only where it holds no contrast.
    if (modelIn(m.code, ModelGroup::clearsIconContrast)) {
      EXPECT_FALSE(m.iconContrast);
    }
    EXPECT_EQ(m.fourCodePages, m.family == Family::A || m.code == '!');
  }
}

// The character ROM a model fixes: '#' always the ideographic ROM, '"' the
// Thai ROM only when its language byte names Thai; every other case keeps
// the codeplug's ROM.
TEST(ModelRegistry, OldModelsFixTheirCharacterRom) {
  constexpr std::uint8_t kThaiByte = kOldThaiLanguageCode << 2 | 0x03;  // low bits are flags
  struct Case {
    ModelCode model;
    std::uint8_t languageByte;
    std::uint8_t expected;
  };
  const Case cases[] = {
      {kModelHash, 0x00, kIdeographicRom}, {kModelHash, kThaiByte, kIdeographicRom},
      {kModelQuote, kThaiByte, kThaiRom},  {kModelQuote, (17u << 2), 1},
      {kModelSpace, kThaiByte, 1},         {ModelCode{0x91}, kThaiByte, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(oldModelCharacterRom(c.model, c.languageByte, 1), c.expected)
        << int(c.model) << " " << int(c.languageByte);
  }
}

TEST(ModelRegistry, NamedOldModelsAreTheOldFormat) {
  for (ModelCode code : {kModelSpace, kModelBang, kModelQuote, kModelHash}) {
    EXPECT_EQ(findModel(code)->family, Family::OldFormat) << int(code);
  }
  for (const ModelInfo& m : kModels) {
    if (modelIn(m.code, ModelGroup::rawPrompts) || modelIn(m.code, ModelGroup::keepsCodeHistory)) {
      EXPECT_EQ(m.family, Family::OldFormat) << int(m.code);
    }
  }
}

TEST(ModelRegistry, OneModelPerFamilyCoversEachFamilyOnce) {
  std::set<Family> families;
  for (ModelCode code : oneModelPerFamily()) {
    const auto m = findModel(code);
    ASSERT_TRUE(m) << int(code);
    EXPECT_TRUE(families.insert(m->family).second) << int(code);
  }
  EXPECT_EQ(families.size(), 7u);
}

// F5 and F6 take every model but '6', whose image no pager answers with;
// codes the registry does not know are never programmed that way.
TEST(ModelGroups, EveryModelButSixIsProgrammedSingly) {
  for (const ModelInfo& m : kModels) {
    EXPECT_EQ(modelIn(m.code, ModelGroup::programmedSingly), m.code != 0x36) << int(m.code);
  }
  for (ModelCode unknown : {ModelCode{0x00}, ModelCode{0x90}, kNoModel, kOldGenerationId}) {
    EXPECT_FALSE(modelIn(unknown, ModelGroup::programmedSingly)) << int(unknown);
  }
}

TEST(ModelRegistry, OnlyBangOnExtendedFirmwareTakesTheFamilyAImage) {
  EXPECT_TRUE(takesFamilyAImage(kModelBang, 1));
  EXPECT_FALSE(takesFamilyAImage(kModelBang, 0));
  EXPECT_FALSE(takesFamilyAImage(kModelBang, 0xFF));  // firmware not known yet
  for (const ModelInfo& m : kModels) {
    if (m.code == kModelBang) continue;
    EXPECT_FALSE(takesFamilyAImage(m.code, 1)) << int(m.code);
  }
}

}  // namespace
}  // namespace zelta::models
