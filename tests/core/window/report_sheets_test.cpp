#include "window/report_sheets.h"

#include <gtest/gtest.h>

#include <vector>

namespace zelta::window {
namespace {

struct SheetCase {
  int printedPages;
  std::vector<int> sheets;
  std::vector<int> pictures;  // every picture shown, sheet after sheet
};

class ReportSheets : public ::testing::TestWithParam<SheetCase> {};

TEST_P(ReportSheets, ShowTheCapturedPicturesTwoToASheet) {
  const SheetCase& c = GetParam();
  std::vector<int> sheets;
  std::vector<int> pictures;
  for (const ReportSheet& sheet : reportSheetsFor(c.printedPages)) {
    sheets.push_back(sheet.number);
    EXPECT_EQ(sheet.title, sheet.number == 1);
    for (int picture : sheetPictures(sheet, c.printedPages)) {
      pictures.push_back(picture);
    }
  }
  EXPECT_EQ(sheets, c.sheets);
  EXPECT_EQ(pictures, c.pictures);
}

INSTANTIATE_TEST_SUITE_P(
    PrintedPageCounts, ReportSheets,
    ::testing::Values(SheetCase{8, {1, 2, 3, 4}, {0, 1, 2, 3, 4, 5, 6, 7}},
                      SheetCase{10, {1, 2, 3, 4, 5}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
                      // Picture 9 was not captured: sheet 5 shows picture 8 alone.
                      SheetCase{9, {1, 2, 3, 4, 5}, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
                      SheetCase{
                          13, {1, 2, 3, 4, 5, 6, 7}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}));

TEST(ReportSheets, PictureFilesAreNamedByCaptureNumber) {
  EXPECT_EQ(pagePictureName(0), "0_ppsPge.jpg");
  EXPECT_EQ(pagePictureName(12), "12_ppsPge.jpg");
}

TEST(ReportTitle, IsTheCodeplugNameWithoutItsFolder) {
  EXPECT_EQ(reportTitle("/x/y/a.cp"), "a.cp");
  EXPECT_EQ(reportTitle("a.cp"), "a.cp");
  EXPECT_EQ(reportTitle("NONAME1"), "NONAME1");
}

}  // namespace
}  // namespace zelta::window
