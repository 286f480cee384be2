#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "pages/page_module.h"

namespace zelta::pages {

// The "Features" page, and the fields of "More Features" that belong to it:
// 14-bit decoding, the canned messages (153 to 157) and the display
// contrast that model ' ' shows instead of the end-of-message character.

// The end-of-message character: exactly two hexadecimal digits, 00 to 7F.
// Anything else ("80", "1.", "7", "") is refused, so that what the pager
// receives is always the byte the page shows.
std::optional<std::uint8_t> endOfMessageCharacter(std::string_view text);

// The canned-message address window of a character-generator type:
// 0x3321-0x3F7E for traditional (type 1), 0x7821-0x7D47 for the others.
struct CannedWindow {
  std::uint16_t first;
  std::uint16_t last;
};
CannedWindow cannedWindow(std::uint8_t headerType);

// Valid when start and end are four hexadecimal digits each, both inside
// the window of the header type, and end is not below start.
bool cannedRangeValid(std::string_view start, std::string_view end, std::uint8_t headerType);

// The start and end addresses a canned-message setup takes by default: the
// whole window of the header type ("3321"/"3F7E" or "7821"/"7D47").
struct CannedRange {
  std::string start;
  std::string end;
};
CannedRange defaultCannedRange(std::uint8_t headerType);

// Header type 3 keeps the function menu to itself while the prompts are
// stored as text: "Function Menu Display" is fixed, and zoom and the memory
// full prompt are not offered.
bool promptMenuFixed(const PageContext& context);

class FeaturesPage final : public PageModule {
 public:
  // The page is shown whole from the settings.
  void onEnter(FieldId field, PageContext& context) override;

  // Stores the field, then runs the page check so that what it adjusts is
  // shown at once. Returns the check's result: Ok when the page is consistent.
  errors::ResultCode onExit(const FieldInput& input, PageContext& context) override;

  // Both steps: the adjustments of the first, then the checks of the second
  // (-57, -71, -69; the first failure is reported and returned).
  errors::ResultCode pageCheck(PageContext& context) override;
  void checkFirstStep(PageContext& context);
  errors::ResultCode checkSecondStep(PageContext& context);

  // Clears what the codes present no longer allow and fits the built lists.
  void refresh(PageContext& context) override;

  PageView view(Page page, const PageContext& context) const override;

  // The field that takes the focus after a failed check, if any.
  static std::optional<FieldId> focusAfter(errors::ResultCode failure);

  // The module's fields on "More Features" (153 to 157, 161) as they are to
  // be shown there: values and enabling.
  static void showOnMoreFeatures(PageView& view, const PageContext& context);
};

}  // namespace zelta::pages
