#include <gtest/gtest.h>

#include "pages/memory_partitions.h"
#include "pages/user_password.h"

namespace zelta::pages {
namespace {

TEST(UserPasswordKeypad, LeftUpDownPacksToEleven) {
  UserPasswordKeypad keypad;
  keypad.press(PagerKey::Left);
  keypad.press(PagerKey::Up);
  keypad.press(PagerKey::Down);
  EXPECT_EQ(keypad.digits(), "023");
  EXPECT_EQ(keypad.display(), "L. U. D. ");
  UserPassword saved;
  ASSERT_EQ(keypad.save(saved), 0);
  EXPECT_EQ(saved.digits, "023");
  EXPECT_EQ(saved.length, 3);
  EXPECT_EQ(saved.packed, 11U);
  EXPECT_EQ(saved.lengthCode, 1);
}

TEST(UserPasswordKeypad, EightKeysAtMostTwoAtLeast) {
  UserPasswordKeypad keypad;
  keypad.press(PagerKey::Right);
  EXPECT_FALSE(keypad.canSave());
  UserPassword saved;
  saved.digits = "untouched";
  EXPECT_EQ(keypad.save(saved), -126);
  EXPECT_EQ(saved.digits, "untouched");

  for (int i = 0; i < 8; ++i) keypad.press(PagerKey::Down);  // the ninth press is ignored
  EXPECT_EQ(keypad.digits(), "13333333");
  ASSERT_EQ(keypad.save(saved), 0);
  // first key in the highest two bits of sixteen
  EXPECT_EQ(saved.packed, 0x7FFFU);
  EXPECT_EQ(saved.lengthCode, 6);

  keypad.backspace();
  EXPECT_EQ(keypad.digits(), "1333333");
  keypad.deleteAll();
  EXPECT_EQ(keypad.display(), "");
  keypad.backspace();  // nothing to remove is harmless
  EXPECT_TRUE(keypad.digits().empty());
}

TEST(UserPasswordKeypad, StartsFromStoredDigitsIgnoringForeignCharacters) {
  UserPasswordKeypad keypad("01x23");
  EXPECT_EQ(keypad.digits(), "0123");
  EXPECT_EQ(keypad.display(), "L. R. U. D. ");
}

TEST(MemoryPartitions, LastRowOnlyWithoutAMailDropCode) {
  EXPECT_EQ(offeredPartitions(true, false).size(), 7U);
  EXPECT_EQ(offeredPartitions(true, true).size(), 6U);
  EXPECT_EQ(offeredPartitions(false, false).size(), 6U);
  EXPECT_EQ(offeredPartitions(false, true).size(), 5U);
  EXPECT_EQ(offeredPartitions(true, true).back().memoryCode, 26);
}

TEST(MemoryPartitions, DefaultsAndUnknownCodes) {
  EXPECT_TRUE(isLargeMemory(32, true));
  EXPECT_FALSE(isLargeMemory(32, false));
  EXPECT_FALSE(isLargeMemory(8, true));
  EXPECT_EQ(defaultMemoryCode(32), 10);
  EXPECT_EQ(defaultMemoryCode(8), 5);
  EXPECT_EQ(partitionIndexOf(10, true), 2);
  EXPECT_EQ(partitionIndexOf(26, true), 5);
  EXPECT_EQ(partitionIndexOf(8, false), 5);
  EXPECT_EQ(partitionIndexOf(7, true), 2);
  EXPECT_EQ(partitionIndexOf(7, false), 4);
}

}  // namespace
}  // namespace zelta::pages
