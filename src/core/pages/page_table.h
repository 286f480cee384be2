#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace zelta::pages {

// Pages of the main window's page control, by index. The index is the key of
// every per-page dispatch between the window and the page modules.
enum class Page : int {
  General = 0,
  Code1to4 = 1,
  Code5to8 = 2,
  Code9to12 = 3,
  Code13to16 = 4,
  Prompt1 = 5,
  Prompt2 = 6,
  Source1to8 = 7,
  Source9to16 = 8,
  Alert = 9,
  PasswordOta = 10,
  Features = 11,
  MoreFeatures = 12,
  Main = 13,
};

inline constexpr int kPageCount = 14;

constexpr int pageIndex(Page page) {
  return static_cast<int>(page);
}

struct PageInfo {
  Page page;
  std::string_view component;  // the page's control name
  std::string_view caption;    // tab caption as built
};

inline constexpr std::array<PageInfo, kPageCount> kPages{{
    {Page::General, "formPage0", "General"},
    {Page::Code1to4, "formPage1", "Code 1-4"},
    {Page::Code5to8, "formPage2", "Code 5-8"},
    {Page::Code9to12, "formPage3", "Code 9-12"},
    {Page::Code13to16, "formPage4", "Code 13-16"},
    {Page::Prompt1, "formPage5", "Prompt 1"},
    {Page::Prompt2, "formPage6", "Prompt 2"},
    {Page::Source1to8, "formPage7", "Source 1-8"},
    {Page::Source9to16, "formPage8", "Source 9-16"},
    {Page::Alert, "formPage9", "Alert"},
    {Page::PasswordOta, "formPage10", "Password / OTA"},
    {Page::Features, "formPage11", "Features"},
    {Page::MoreFeatures, "formPage12", "More Features"},
    {Page::Main, "formPage13", "Main"},
}};

constexpr std::optional<Page> pageFromIndex(int index) {
  if (index < 0 || index >= kPageCount) return std::nullopt;
  return kPages[static_cast<std::size_t>(index)].page;
}

constexpr const PageInfo& pageInfo(Page page) {
  return kPages[static_cast<std::size_t>(pageIndex(page))];
}

// The module that validates and stores the fields of a page. Pages 1 to 4
// share the General/Code module, 5/6 and 7/8 the prompt and source modules.
enum class PageModuleId {
  GeneralCode,
  Prompt,
  Source,
  Alert,
  PasswordOta,
  Features,
  MoreFeatures,
  None,  // the "Main" launcher page
};

constexpr PageModuleId moduleOfPage(Page page) {
  switch (page) {
    case Page::General:
    case Page::Code1to4:
    case Page::Code5to8:
    case Page::Code9to12:
    case Page::Code13to16: return PageModuleId::GeneralCode;
    case Page::Prompt1:
    case Page::Prompt2: return PageModuleId::Prompt;
    case Page::Source1to8:
    case Page::Source9to16: return PageModuleId::Source;
    case Page::Alert: return PageModuleId::Alert;
    case Page::PasswordOta: return PageModuleId::PasswordOta;
    case Page::Features: return PageModuleId::Features;
    case Page::MoreFeatures: return PageModuleId::MoreFeatures;
    case Page::Main: return PageModuleId::None;
  }
  return PageModuleId::None;
}

// The Code page that shows code n (1 to 16): four code rows per page.
constexpr Page codePageOf(int code) {
  return static_cast<Page>(1 + (code - 1) / 4);
}

}  // namespace zelta::pages
