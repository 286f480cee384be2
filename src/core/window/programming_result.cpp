#include "window/programming_result.h"

#include <cstddef>

#include "codeplug/settings_record.h"
#include "pages/code_predicates.h"
#include "pages/page_module.h"
#include "window/window_texts.h"

namespace zelta::window {
namespace {

// A status bar line has room for a few codes; a sixteen-code pager names
// the rest by their count.
constexpr std::size_t kCodesNamed = 4;

std::string trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

// " SN 1234567890: codes 1234567, 0000008, ICN KEEP000001", or ": codes ..."
// for a pager whose serial number the link did not learn.
std::string pagerFacts(const ProgrammedPager& pager) {
  std::string text = pager.serialNumber.empty() ? ": " : " SN " + pager.serialNumber + ": ";
  text += pager.codes.empty() ? std::string(kProgrammedNoCodes) : std::string("codes ");
  for (std::size_t i = 0; i < pager.codes.size() && i < kCodesNamed; ++i)
    text += (i == 0 ? "" : ", ") + pager.codes[i];
  if (pager.codes.size() > kCodesNamed)
    text += " +" + std::to_string(pager.codes.size() - kCodesNamed) + " more";
  if (!pager.icn.empty()) text += ", ICN " + pager.icn;
  return text;
}

}  // namespace

ProgrammedPager programmedPager(const pages::PageContext& context, std::string_view serialNumber) {
  ProgrammedPager pager;
  pager.serialNumber = trimmed(serialNumber);
  const int codes = pages::codesOf(context);
  for (int c = 1; c <= codes && c <= codeplug::kMaxCodes; ++c) {
    if (pages::codePresent(context.settings, c))
      pager.codes.push_back(trimmed(context.settings.code[static_cast<std::size_t>(c - 1)]));
  }
  pager.icn = trimmed(context.settings.ICN);
  return pager;
}

std::string programmedText(const ProgrammedPager& pager) {
  return std::string(kProgrammedPrefix) + pagerFacts(pager);
}

std::string sequentialProgrammedText(const ProgrammedPager& pager, int count) {
  return "Pager " + std::to_string(count) + " programmed" + pagerFacts(pager) +
         std::string(kNextPagerText);
}

}  // namespace zelta::window
