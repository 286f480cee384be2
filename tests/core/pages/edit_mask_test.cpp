#include "pages/edit_mask.h"

#include <gtest/gtest.h>

namespace zelta::pages {
namespace {

TEST(EditMask, FourLetterMask) {
  const auto mask = EditMask::parse(">llll;1;_");
  ASSERT_TRUE(mask);
  EXPECT_EQ(mask->length(), 4u);
  EXPECT_EQ(mask->blank(), '_');
  EXPECT_TRUE(mask->savesLiterals());
  EXPECT_EQ(mask->accept(0, 'y'), U'Y');
  EXPECT_EQ(mask->accept(3, 'N'), U'N');
  EXPECT_EQ(mask->accept(1, '5'), std::nullopt);
  EXPECT_EQ(mask->accept(4, 'Y'), std::nullopt);  // past the end
  EXPECT_EQ(mask->display("TN"), "TN__");
  EXPECT_EQ(mask->display("T AX"), "T_AX");
}

TEST(EditMask, FrequencyMaskKeepsItsPoint) {
  const auto mask = EditMask::parse("999.99999;1;0");
  ASSERT_TRUE(mask);
  ASSERT_EQ(mask->length(), 9u);
  EXPECT_EQ(mask->at(3).slot, EditMask::Slot::Literal);
  EXPECT_EQ(mask->at(3).literal, '.');
  EXPECT_EQ(mask->accept(3, '.'), std::nullopt);
  EXPECT_EQ(mask->accept(3, '5'), std::nullopt);
  EXPECT_EQ(mask->accept(0, '1'), U'1');
  EXPECT_EQ(mask->accept(4, 'a'), std::nullopt);
  EXPECT_EQ(mask->blank(), '0');
  EXPECT_EQ(mask->display("145.5"), "145.50000");
  EXPECT_EQ(mask->display("152.8375 "), "152.83750");
  EXPECT_EQ(mask->display(""), "000.00000");
}

TEST(EditMask, LiteralsNotSavedAreSkippedInTheStoredValue) {
  const auto mask = EditMask::parse("99\\-99;0;_");
  ASSERT_TRUE(mask);
  EXPECT_FALSE(mask->savesLiterals());
  EXPECT_EQ(mask->at(2).literal, '-');
  EXPECT_EQ(mask->display("123"), "12-3_");
}

TEST(EditMask, CaseSwitchesAndDefaults) {
  const auto mask = EditMask::parse("<l>l<>l");
  ASSERT_TRUE(mask);
  EXPECT_EQ(mask->accept(0, 'Q'), U'q');
  EXPECT_EQ(mask->accept(1, 'q'), U'Q');
  EXPECT_EQ(mask->accept(2, 'q'), U'q');
  EXPECT_EQ(mask->blank(), '_');
  EXPECT_FALSE(EditMask::parse(";1;_"));
  EXPECT_FALSE(EditMask::parse(""));
}

}  // namespace
}  // namespace zelta::pages
