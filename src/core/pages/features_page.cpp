#include "pages/features_page.h"

#include <cctype>
#include <charconv>

#include "codeplug/settings_record.h"
#include "errors/reporter.h"
#include "pages/code_predicates.h"
#include "pages/field_ids.h"
#include "pages/page_settings.h"

namespace zelta::pages {
namespace {

using codeplug::SettingsRecord;
using models::ModelCode;

using models::kModelHash;   // no canned messages
using models::kModelSpace;  // shows "LCD Control" for the end-of-message character

constexpr int kNo = 0;
constexpr int kYes = 1;
constexpr int kNoLockout = 0;
constexpr int kReadTimeout16Sec = 0;
constexpr int kScroll10Sec = 7;
constexpr int kScroll30Sec = 8;
constexpr int kFunctionMenuIcons = 1;
constexpr std::uint8_t kEndOfMessageMax = 0x7F;

// "Ideo Numeric Canned Msg" by meaning (the catalog's item order); the
// built list may offer fewer.
constexpr int kIdeoNone = 0;
constexpr int kIdeoTwoDigits = 1;
constexpr int kIdeoExtended = 2;

constexpr FieldId kRetainErroredNumeric = fieldId("cb_retainErroredNumeric");
constexpr FieldId kRetainErroredNonNumeric = fieldId("cb_retainErroredNonNumeric");
constexpr FieldId kRetainBetterMaildrop = fieldId("cb_retainBetterMaildrop");
constexpr FieldId kPersonalMessageNotebook = fieldId("cb_personalMessageNotebook");
constexpr FieldId kMaildropMessageNotebook = fieldId("cb_maildropMessageNotebook");
constexpr FieldId kDuplication = fieldId("cb_duplication");
constexpr FieldId kSourceIndependentDuplication = fieldId("cb_sourceIndependentDuplication");
constexpr FieldId kSequentialLockoutPeriod = fieldId("cb_sequentialLockoutPeriod");
constexpr FieldId kDeleteSlotNumber = fieldId("cb_deleteSlotNumber");
constexpr FieldId kFunctionMenuDisplay = fieldId("cb_functionMenuDisplay");
constexpr FieldId kManualDelete = fieldId("cb_manualDelete");
constexpr FieldId kMessageLocking = fieldId("cb_messageLocking");
constexpr FieldId kMemoryCleanup = fieldId("cb_memoryCleanup");
constexpr FieldId kB14bitDecoding = fieldId("cb_B14bitDecoding");
constexpr FieldId kIdeoNumericCanned = fieldId("cb_ideoNumericCanned");
constexpr FieldId kRegularCannedMsg = fieldId("cb_regularCannedMsg");
constexpr FieldId kStartCannedMsg = fieldId("ed_startCannedMsg");
constexpr FieldId kEndCannedMsg = fieldId("ed_endCannedMsg");
constexpr FieldId kEndMsgChar = fieldId("ed_endMsgChar");
constexpr FieldId kScLostNumNormalMod = fieldId("cb_scLostNumNormalMod");
constexpr FieldId kPagingAutoBacklight = fieldId("cb_cpfUif_Paging_Auto_Backlight");
constexpr FieldId kAutoBacklightMode = fieldId("cb_cpfUif_Auto_Backlight_Mode");

// Choices that only a pager with a personal code can use.
constexpr FieldId kPersonalChoices[] = {
    kPersonalMessageNotebook, kDuplication,      kSourceIndependentDuplication,
    kSequentialLockoutPeriod, kDeleteSlotNumber, kMessageLocking};
constexpr FieldId kNotebooksAndDuplication[] = {kPersonalMessageNotebook, kMaildropMessageNotebook,
                                                kDuplication, kSourceIndependentDuplication,
                                                kSequentialLockoutPeriod};
constexpr FieldId kCannedChoices[] = {kB14bitDecoding, kIdeoNumericCanned, kRegularCannedMsg};
constexpr FieldId kCannedAddresses[] = {kStartCannedMsg, kEndCannedMsg};

constexpr std::string_view kNoCannedAddress = "0000";

pages::CodeKinds kindsOf(const PageContext& c) {
  return pages::codeKinds(c);
}

std::string upper(std::string_view text) {
  std::string out(text);
  for (char& ch : out) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return out;
}

std::optional<std::uint16_t> hexValue(std::string_view text, std::size_t digits) {
  if (text.size() != digits) return std::nullopt;
  unsigned value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return static_cast<std::uint16_t>(value);
}

// The canned-message fields apply to pagers with a character generator,
// except model '#'.
bool cannedFieldsActive(const PageContext& c) {
  return c.headerType != 0 && c.model != kModelHash;
}

// The generators that carry canned messages at an address range.
bool generatorOffersCanned(const PageContext& c) {
  return (c.headerType == 1 || c.headerType == 2) && c.model != kModelHash;
}

std::size_t offeredItems(FieldId id, const PageContext& c) {
  const FieldEntry* entry = findField(id);
  return entry == nullptr ? 0 : listItems(*entry, c.lists()).size();
}

int fittedFunctionMenuDisplay(int value, const PageContext& c) {
  const int offered = static_cast<int>(offeredItems(kFunctionMenuDisplay, c));
  return offered > 0 && value >= offered ? offered - 1 : value;
}

// Step 6 of the second check: a generator with canned messages always has an
// ideographic canned mode. Simplified (type 2) offers only "Extended";
// traditional (type 1) starts from "2 digits".
void adjustIdeoCannedToGenerator(SettingsRecord& s, std::uint8_t headerType) {
  if (headerType == 2) s.ideoNumericCanned = kIdeoExtended;
  if (headerType == 1 && s.ideoNumericCanned == kIdeoNone) s.ideoNumericCanned = kIdeoTwoDigits;
}

// The setting as the built list can show it: type 2 has no "2 digits",
// type 3 no "Extended" (the decoder and the builder read them the same way).
void fitIdeoCanned(SettingsRecord& s, std::uint8_t headerType) {
  if (headerType == 2 && s.ideoNumericCanned == kIdeoTwoDigits) s.ideoNumericCanned = kIdeoExtended;
  if (headerType == 3 && s.ideoNumericCanned == kIdeoExtended) s.ideoNumericCanned = kIdeoTwoDigits;
}

// Store of "Ideo Numeric Canned Msg": the position in the built list names
// the catalog item, whose index is the setting.
bool storeIdeoCanned(int position, PageContext& c) {
  const FieldEntry* entry = findField(kIdeoNumericCanned);
  const auto offered = listItems(*entry, c.lists());
  if (position < 0 || static_cast<std::size_t>(position) >= offered.size()) return false;
  for (std::size_t i = 0; i < entry->items.size(); ++i) {
    if (entry->items[i] == offered[static_cast<std::size_t>(position)]) {
      c.settings.ideoNumericCanned = static_cast<int>(i);
      return true;
    }
  }
  return false;
}

bool yesNo(int index) {
  return index == kNo || index == kYes;
}

void storeFeature(const FieldInput& in, PageContext& c) {
  SettingsRecord& s = c.settings;
  switch (in.id) {
    case kDeleteSlotNumber:
    case kMessageLocking:
      if (kindsOf(c).personal) storeField(in, c);
      return;
    case kB14bitDecoding:
      if (!yesNo(in.index)) return;
      (c.headerType == 3 ? s.b14bitDecodingRom3 : s.B14bitDecoding) = in.index;
      return;
    case kIdeoNumericCanned: storeIdeoCanned(in.index, c); return;
    case kStartCannedMsg:
    case kEndCannedMsg:
      (in.id == kStartCannedMsg ? s.startCannedMsg : s.endCannedMsg) = upper(in.text);
      return;
    case kEndMsgChar:
      // Model ' ' hides this field; its "LCD Control" list (161) stores
      // the character as a number when it changes.
      if (c.model != kModelSpace) s.endMsgChar = upper(in.text);
      return;
    case kScLostNumNormalMod:
      if (in.index >= 0 && static_cast<std::size_t>(in.index) < offeredItems(in.id, c)) {
        s.scLostNumNormalMod = in.index + 1;
      }
      return;
    default: storeField(in, c); return;
  }
}

}  // namespace

bool promptMenuFixed(const PageContext& c) {
  return c.headerType == 3 && c.promptsAsText;
}

std::optional<std::uint8_t> endOfMessageCharacter(std::string_view text) {
  const auto value = hexValue(text, 2);
  if (!value || *value > kEndOfMessageMax) return std::nullopt;
  return static_cast<std::uint8_t>(*value);
}

CannedWindow cannedWindow(std::uint8_t headerType) {
  if (headerType == 1) return {0x3321, 0x3F7E};
  return {0x7821, 0x7D47};
}

bool cannedRangeValid(std::string_view start, std::string_view end, std::uint8_t headerType) {
  const auto first = hexValue(start, 4);
  const auto last = hexValue(end, 4);
  if (!first || !last) return false;
  const CannedWindow window = cannedWindow(headerType);
  const auto inside = [&](std::uint16_t v) { return v >= window.first && v <= window.last; };
  return inside(*first) && inside(*last) && *last >= *first;
}

CannedRange defaultCannedRange(std::uint8_t headerType) {
  const CannedWindow window = cannedWindow(headerType);
  const auto hex4 = [](std::uint16_t v) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out(4, '0');
    for (int i = 3; i >= 0; --i, v = static_cast<std::uint16_t>(v >> 4)) {
      out[static_cast<std::size_t>(i)] = kDigits[v & 0xF];
    }
    return out;
  };
  return {hex4(window.first), hex4(window.last)};
}

void FeaturesPage::onEnter(FieldId, PageContext&) {}

errors::ResultCode FeaturesPage::onExit(const FieldInput& input, PageContext& context) {
  // A character the pager cannot take is refused as typed and never
  // stored: the setting keeps the last one accepted.
  if (input.id == kEndMsgChar && context.model != kModelSpace &&
      !endOfMessageCharacter(input.text)) {
    context.reporter.ReportCode(errors::code::InvalidEot);
    return errors::code::InvalidEot;
  }
  storeFeature(input, context);
  return pageCheck(context);
}

errors::ResultCode FeaturesPage::pageCheck(PageContext& context) {
  checkFirstStep(context);
  return checkSecondStep(context);
}

void FeaturesPage::checkFirstStep(PageContext& c) {
  SettingsRecord& s = c.settings;
  const pages::CodeKinds kinds = kindsOf(c);
  if (s.readTimeout == kReadTimeout16Sec && s.fastScrollTime == kScroll30Sec) {
    s.fastScrollTime = kScroll10Sec;
  }
  if (promptMenuFixed(c)) s.functionMenuDisplay = fittedFunctionMenuDisplay(kFunctionMenuIcons, c);
  if (s.retainErroredNonNumeric == kNo && kinds.maildrop) s.retainBetterMaildrop = kYes;
  if (s.allowOff == kNo) {
    s.autoAlarmTurnOn = kNo;
    // The sixteen-code pagers keep private time when they may not be
    // switched off.
    if (!sixteenCodeLayout(c.model, c.converterTarget())) {
      s.autoOnOff = kNo;
      s.autoOnOffAlert = kNo;
    }
  }
  if (s.manualDelete == kNo) s.memoryCleanup = kNo;
}

errors::ResultCode FeaturesPage::checkSecondStep(PageContext& c) {
  SettingsRecord& s = c.settings;
  const pages::CodeKinds kinds = kindsOf(c);
  if (s.retainErroredNonNumeric == kNo) s.retainBetterMaildrop = kYes;
  if (s.duplication == kNo) {
    s.sourceIndependentDuplication = kNo;
    s.sequentialLockoutPeriod = kNoLockout;
  }
  if (!kinds.maildrop) {
    s.maildropMessageNotebook = kNo;
    s.retainBetterMaildrop = kNo;
  }
  if ((s.personalMessageNotebook == kYes || s.maildropMessageNotebook == kYes) &&
      s.manualDelete == kNo) {
    c.reporter.ReportCode(errors::code::NotebookWithoutDelete);
    return errors::code::NotebookWithoutDelete;
  }
  if (!kinds.numeric) s.retainErroredNumeric = kNo;
  if (kinds.personal && generatorOffersCanned(c)) adjustIdeoCannedToGenerator(s, c.headerType);
  if (c.model != kModelSpace && !endOfMessageCharacter(s.endMsgChar)) {
    c.reporter.ReportCode(errors::code::InvalidEot);
    return errors::code::InvalidEot;
  }
  if (c.headerType == 1 || c.headerType == 2) {
    if (s.ideoNumericCanned == kIdeoExtended) {
      s.regularCannedMsg = kYes;
      CannedRange range = defaultCannedRange(c.headerType);
      s.startCannedMsg = std::move(range.start);
      s.endCannedMsg = std::move(range.end);
    } else if (s.regularCannedMsg == kNo) {
      s.startCannedMsg = kNoCannedAddress;
      s.endCannedMsg = kNoCannedAddress;
    } else if (!cannedRangeValid(s.startCannedMsg, s.endCannedMsg, c.headerType)) {
      c.reporter.ReportCode(errors::code::CannedRange);
      return errors::code::CannedRange;
    }
  }
  if (c.model == kModelSpace) s.maildropMessageNotebook = kNo;
  const bool retainsErrored = s.retainErroredNumeric == kYes || s.retainErroredNonNumeric == kYes;
  if ((!kinds.maildrop || !retainsErrored) && !kinds.personal) {
    s.duplication = kNo;
    s.sourceIndependentDuplication = kNo;
    s.sequentialLockoutPeriod = kNoLockout;
  }
  return errors::code::Ok;
}

void FeaturesPage::refresh(PageContext& c) {
  SettingsRecord& s = c.settings;
  const pages::CodeKinds kinds = kindsOf(c);
  const auto clearDuplication = [&] {
    s.duplication = kNo;
    s.sourceIndependentDuplication = kNo;
    s.sequentialLockoutPeriod = kNoLockout;
  };
  if (c.model != kModelSpace) {
    if (!kinds.maildrop) s.maildropMessageNotebook = kNo;
    if (!kinds.personal) {
      s.personalMessageNotebook = kNo;
      clearDuplication();
    }
  } else {
    s.maildropMessageNotebook = kNo;
    const bool retainsErrored = s.retainErroredNumeric == kYes || s.retainErroredNonNumeric == kYes;
    if (!(kinds.maildrop && retainsErrored) && !kinds.personal) clearDuplication();
  }
  if (s.duplication == kNo) {
    s.sourceIndependentDuplication = kNo;
    s.sequentialLockoutPeriod = kNoLockout;
  }
  if (promptMenuFixed(c)) s.functionMenuDisplay = kFunctionMenuIcons;
  s.functionMenuDisplay = fittedFunctionMenuDisplay(s.functionMenuDisplay, c);
  fitIdeoCanned(s, c.headerType);
  if (cannedFieldsActive(c) && s.regularCannedMsg == kNo) {
    s.startCannedMsg = kNoCannedAddress;
    s.endCannedMsg = kNoCannedAddress;
  }
}

PageView FeaturesPage::view(Page page, const PageContext& c) const {
  PageView view = settingsPageView(page, c);
  const SettingsRecord& s = c.settings;
  if (page == Page::MoreFeatures) {
    showOnMoreFeatures(view, c);
    return view;
  }
  if (FieldView* retry = fieldIn(view, kScLostNumNormalMod)) {
    const int position = s.scLostNumNormalMod - 1;
    retry->selected =
        position >= 0 && static_cast<std::size_t>(position) < retry->items.size() ? position : -1;
  }

  const pages::CodeKinds kinds = kindsOf(c);
  disableUnless(view, kRetainErroredNumeric, kinds.numeric);
  disableUnless(view, kRetainErroredNonNumeric, !kinds.numericOnly);
  if (c.model != kModelSpace) {
    disableUnless(view, kRetainBetterMaildrop, kinds.maildrop && s.retainErroredNonNumeric == kYes);
    disableUnless(view, kMaildropMessageNotebook, kinds.maildrop);
    for (FieldId id : kPersonalChoices) disableUnless(view, id, kinds.personal);
  } else {
    const bool retainsErrored = s.retainErroredNumeric == kYes || s.retainErroredNonNumeric == kYes;
    const bool usable = (kinds.maildrop && retainsErrored) || kinds.personal;
    for (FieldId id : kNotebooksAndDuplication) disableUnless(view, id, usable);
  }
  disableUnless(view, kSourceIndependentDuplication, s.duplication == kYes);
  disableUnless(view, kSequentialLockoutPeriod, s.duplication == kYes);
  disableUnless(view, kFunctionMenuDisplay, !promptMenuFixed(c));
  disableUnless(view, kMemoryCleanup, s.manualDelete == kYes);
  if (models::modelIn(c.model, models::ModelGroup::fFamily)) {
    disableUnless(view, kPagingAutoBacklight, s.autoBacklight == kYes);
    disableUnless(view, kAutoBacklightMode,
                  s.autoBacklight == kYes && s.cpfUif_Paging_Auto_Backlight == kYes);
  }
  return view;
}

void FeaturesPage::showOnMoreFeatures(PageView& view, const PageContext& c) {
  const SettingsRecord& s = c.settings;
  if (FieldView* decoding = fieldIn(view, kB14bitDecoding)) {
    decoding->selected = c.headerType == 3 ? s.b14bitDecodingRom3 : s.B14bitDecoding;
  }
  if (FieldView* ideo = fieldIn(view, kIdeoNumericCanned)) {
    const FieldEntry* entry = findField(kIdeoNumericCanned);
    const int value = s.ideoNumericCanned;
    ideo->selected = value >= 0 && static_cast<std::size_t>(value) < entry->items.size()
                         ? itemPosition(*ideo, entry->items[static_cast<std::size_t>(value)])
                         : -1;
  }
  const bool active = cannedFieldsActive(c);
  for (FieldId id : kCannedChoices) disableUnless(view, id, active);
  for (FieldId id : kCannedAddresses) disableUnless(view, id, active && s.regularCannedMsg == kYes);
}

std::optional<FieldId> FeaturesPage::focusAfter(errors::ResultCode failure) {
  if (failure == errors::code::InvalidEot) return kEndMsgChar;
  return std::nullopt;
}

}  // namespace zelta::pages
