#include "window/report_sheets.h"

#include <gtest/gtest.h>

#include <vector>

#include "pages/model_layout.h"

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

// The view of an editing page of a model laid out with that code capacity.
WindowView laidOut(models::ModelCode model, int capacity) {
  const pages::TabLayout layout = pages::pageLayout(model, capacity);
  WindowView view;
  for (const pages::PageInfo& info : pages::kPages)
    view.tabs[static_cast<std::size_t>(pages::pageIndex(info.page))].shown =
        info.page != pages::Page::Main && layout.tabShown(info.page);
  view.activePage = pages::Page::Alert;
  view.printedPages = layout.printedPages;
  return view;
}

struct CaptureCase {
  int model;
  int capacity;
  std::vector<int> pages;  // page indexes in capture order
};

class ReportCapture : public ::testing::TestWithParam<CaptureCase> {};

TEST_P(ReportCapture, TakesTheShownTabsFromGeneralOnForThePrintedPageCount) {
  const CaptureCase& c = GetParam();
  std::vector<int> pages;
  for (pages::Page page :
       reportCapturePages(laidOut(static_cast<models::ModelCode>(c.model), c.capacity)))
    pages.push_back(pages::pageIndex(page));
  EXPECT_EQ(pages, c.pages);
}

INSTANTIATE_TEST_SUITE_P(Layouts, ReportCapture,
                         ::testing::Values(CaptureCase{0x30, 0, {0, 1, 5, 7, 9, 10, 11, 12}},
                                           CaptureCase{0x70, 0, {0, 1, 2, 5, 6, 7, 9, 10, 11, 12}},
                                           CaptureCase{
                                               0x98, 3, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
                                           CaptureCase{0x98, 2, {0, 1, 2, 5, 6, 7, 9, 10, 11, 12}},
                                           CaptureCase{0x98, 1, {0, 1, 5, 6, 7, 9, 10, 11, 12}}));

TEST(ReportCapture, WrapsRoundWhenFewerTabsAreShownThanPrintedAndNeedsOne) {
  WindowView view = laidOut(0x30, 0);
  for (TabView& tab : view.tabs) tab.shown = false;
  EXPECT_TRUE(reportCapturePages(view).empty());
  view.tabs[9].shown = true;
  view.tabs[11].shown = true;
  const std::vector<pages::Page> pages = reportCapturePages(view);
  ASSERT_EQ(pages.size(), 8u);
  EXPECT_EQ(pages[0], pages::Page::Alert);
  EXPECT_EQ(pages[1], pages::Page::Features);
  EXPECT_EQ(pages[2], pages::Page::Alert);
}

TEST(ReportTitle, IsTheCodeplugNameWithoutItsFolder) {
  EXPECT_EQ(reportTitle("/x/y/a.cp"), "a.cp");
  EXPECT_EQ(reportTitle("a.cp"), "a.cp");
  EXPECT_EQ(reportTitle("NONAME1"), "NONAME1");
}

}  // namespace
}  // namespace zelta::window
