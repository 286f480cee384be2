#include "models/models.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace zelta::models {
namespace {

// Every group checked over all 256 codes against its member list, so a code
// that slips into a group shows as well as one that is missing.
TEST(ModelGroups, ExactMembersOverAllCodes) {
  const std::vector<ModelCode> dFamily{0x91, 0x92, 0x93, 0x95, 0x96, 0x97, 0x98, 0x99};
  struct Case {
    ModelGroup group;
    std::vector<ModelCode> members;
  };
  const Case cases[] = {
      {ModelGroup::oneKbNewModels, {'p', 't', 'x'}},
      {ModelGroup::sixCodeModels, {'p', 't', 'x', 'q', 'u'}},
      {ModelGroup::largeQModels, {'q', 'u'}},
      {ModelGroup::oldGeneration, {0xCC, ' ', '!', 0x22, '#'}},
      {ModelGroup::iconContrastGroup, {'2', 'p', 'q', 0x91, 0x92, 0x93, 0x98}},
      {ModelGroup::dGroup, {0x91, 0x92, 0x95, 0x96}},
      {ModelGroup::dualFrequencyGroup, {0x93, 0x97}},
      {ModelGroup::toolsMenuModels, {'0', '1'}},
      {ModelGroup::userPasswordGroup, {0x98, 0x99}},
      {ModelGroup::extendedAlertModels,
       {'q', 't', 'u', 'x', 0x91, 0x92, 0x93, 0x95, 0x96, 0x97, 0x98, 0x99}},
      {ModelGroup::newProtocolModels, {'q', 'u', 0x91, 0x92, 0x93, 0x95, 0x96, 0x97, 0x98, 0x99}},
      {ModelGroup::dFamily, dFamily},
      {ModelGroup::fFamily, {0x98, 0x99}},
      {ModelGroup::dualOrF, {0x93, 0x97, 0x98, 0x99}},
  };
  for (const Case& c : cases) {
    const std::set<ModelCode> members(c.members.begin(), c.members.end());
    for (int code = 0; code < 256; ++code) {
      EXPECT_EQ(modelIn(static_cast<ModelCode>(code), c.group),
                members.count(static_cast<ModelCode>(code)) == 1)
          << "group " << static_cast<int>(c.group) << " code " << code;
    }
  }
  // Backups: every code but the old-format models and families D-F.
  std::set<ModelCode> noBackup{' ', '!', 0x22, '#'};
  noBackup.insert(dFamily.begin(), dFamily.end());
  for (int code = 0; code < 256; ++code) {
    EXPECT_EQ(modelIn(static_cast<ModelCode>(code), ModelGroup::backupAllowed),
              noBackup.count(static_cast<ModelCode>(code)) == 0)
        << code;
  }
}

TEST(ModelRegistry, FamiliesSizesAndCodes) {
  struct Case {
    std::vector<ModelCode> codes;
    Family family;
    int imageBytes;
    int pageCodes;
  };
  const Case cases[] = {
      {{' ', '!', 0x22, '#'}, Family::OldFormat, 768, 4},
      {{'0', '1', '2', '6', ':'}, Family::A, 1024, 4},
      {{'p', 't', 'x'}, Family::B, 1024, 6},
      {{'q', 'u'}, Family::C, 2048, 6},
      {{0x91, 0x92, 0x95, 0x96}, Family::D, 2048, 16},
      {{0x93, 0x97}, Family::E, 2048, 16},
      {{0x98, 0x99}, Family::F, 2048, 16},
  };
  std::size_t registered = 0;
  for (const Case& c : cases) {
    for (ModelCode code : c.codes) {
      const auto m = findModel(code);
      ASSERT_TRUE(m) << int(code);
      EXPECT_EQ(m->family, c.family) << int(code);
      EXPECT_EQ(m->imageBytes, c.imageBytes) << int(code);
      EXPECT_EQ(m->codes, c.pageCodes) << int(code);
      // The old-format models are decoded with family A's slots.
      EXPECT_EQ(m->slotFamily, c.family == Family::OldFormat ? Family::A : c.family) << int(code);
      ++registered;
    }
  }
  EXPECT_EQ(registered, kModels.size());
  for (ModelCode unknown :
       {ModelCode{0xCC}, ModelCode{0x94}, ModelCode{'3'}, kNoModel, ModelCode{0}}) {
    EXPECT_FALSE(findModel(unknown)) << int(unknown);
  }
}

}  // namespace
}  // namespace zelta::models
