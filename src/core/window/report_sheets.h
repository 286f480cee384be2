#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "pages/page_table.h"
#include "window/window_view.h"

namespace zelta::window {

// The codeplug report: the window captures its visible editing pages, in tab
// order from "General", into picture files numbered 0 to 12, and the report
// lays them out two to a sheet. The first sheet also carries the codeplug's
// name as its title.

inline constexpr int kMaxCapturedPages = 13;
inline constexpr std::string_view kPagePictureSuffix = "_ppsPge.jpg";
inline constexpr int kPagePictureQuality = 100;

struct ReportSheet {
  int number;                   // 1 to 7
  std::array<int, 2> pictures;  // capture numbers; -1 for no second picture
  bool title;                   // the codeplug's name above the pictures
};

inline constexpr std::array<ReportSheet, 7> kReportSheets{{
    {1, {0, 1}, true},
    {2, {2, 3}, false},
    {3, {4, 5}, false},
    {4, {6, 7}, false},
    {5, {8, 9}, false},
    {6, {10, 11}, false},
    {7, {12, -1}, false},
}};

// The sheets printed for a model's printed page count: 1 to 4 always, 5 as
// well for 9 or 10 pages, 5 to 7 as well for 13.
std::vector<ReportSheet> reportSheetsFor(int printedPages);

// The capture numbers a sheet shows for that count: a picture the window
// did not capture (the second of sheet 5 with 9 pages) is left out, and its
// box stays empty.
std::vector<int> sheetPictures(const ReportSheet& sheet, int printedPages);

// "3_ppsPge.jpg".
std::string pagePictureName(int captureNumber);

// The editing pages the window captures, in capture order: "General" first,
// then each next shown tab, wrapping round, until the printed page count is
// reached. Empty when no editing page is shown.
std::vector<pages::Page> reportCapturePages(const WindowView& view);

// Sheet 1's title: the codeplug's name without its folder ("NONAME1" after
// a pager read, since that is the name the window gives it).
std::string reportTitle(std::string_view codeplugName);

}  // namespace zelta::window
