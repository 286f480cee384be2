#include "window/report_sheets.h"

#include <algorithm>

namespace zelta::window {

std::vector<ReportSheet> reportSheetsFor(int printedPages) {
  int last = 4;
  if (printedPages == 9 || printedPages == 10) {
    last = 5;
  } else if (printedPages == 13) {
    last = 7;
  }
  std::vector<ReportSheet> out;
  for (const ReportSheet& sheet : kReportSheets) {
    if (sheet.number <= last) {
      out.push_back(sheet);
    }
  }
  return out;
}

std::vector<int> sheetPictures(const ReportSheet& sheet, int printedPages) {
  std::vector<int> out;
  for (int picture : sheet.pictures) {
    if (picture >= 0 && picture < printedPages) {
      out.push_back(picture);
    }
  }
  return out;
}

std::string pagePictureName(int captureNumber) {
  return std::to_string(captureNumber) + std::string(kPagePictureSuffix);
}

std::vector<pages::Page> reportCapturePages(const WindowView& view) {
  std::vector<pages::Page> shown;
  for (const pages::PageInfo& info : pages::kPages) {
    if (info.page == pages::Page::Main) continue;
    if (view.tabs[static_cast<std::size_t>(pages::pageIndex(info.page))].shown)
      shown.push_back(info.page);
  }
  std::vector<pages::Page> out;
  if (shown.empty()) return out;
  const int count = std::min(view.printedPages, kMaxCapturedPages);
  for (int i = 0; i < count; ++i) out.push_back(shown[static_cast<std::size_t>(i) % shown.size()]);
  return out;
}

std::string reportTitle(std::string_view codeplugName) {
  const auto slash = codeplugName.find_last_of('/');
  return std::string(slash == std::string_view::npos ? codeplugName
                                                     : codeplugName.substr(slash + 1));
}

}  // namespace zelta::window
