#pragma once

#include <cstdint>
#include <string_view>

#include "models/models.h"
#include "pages/field_catalog.h"
#include "pages/page_table.h"

namespace zelta::pages {

// ---- Codes by model ----

// Families D-F lay out sixteen codes with per-function alert columns; so does
// any model while the converter targets a newer layout.
bool sixteenCodeLayout(models::ModelCode model, bool converterTarget);

// Codes shown on the Code pages: 16, 6 or 4 (also 4 for an unknown model).
int codeCount(models::ModelCode model, bool converterTarget);

// ---- Tabs ----

// Which tabs of the page control are shown and how many pages a report
// prints. The "Main" tab is hidden whenever a codeplug is laid out.
struct TabLayout {
  std::uint16_t hiddenTabs = 0;  // bit n: page index n hidden
  int printedPages = 8;

  constexpr bool tabShown(Page page) const { return ((hiddenTabs >> pageIndex(page)) & 1u) == 0; }
};

// The code capacity of families D-F is the hardware variant: the top two
// bits of image byte 0x3C (3: sixteen codes, 2: eight, 0 or 1: four).
constexpr int codeCapacityFromVariantByte(std::uint8_t byte) {
  return byte >> 6;
}

// Tabs for a model read or loaded onto an empty window.
TabLayout pageLayout(models::ModelCode model, int codeCapacity);

// The converter of the Tools menu: the value is the converter mode.
enum class ConverterMode : std::uint8_t { Lumio = 2, Varda = 3, Off = 4 };

// Tabs and tab captions while the converter is set. Captions of pages 5 to 8
// in order; an empty caption leaves that tab's caption as it is.
struct ConverterTabLayout {
  TabLayout tabs;
  std::string_view promptTabCaptions[4];
};

ConverterTabLayout converterPageLayout(ConverterMode mode);

// ---- Fields shown, hidden and captioned by model ----

struct FieldLayoutContext {
  bool sequentialMode = false;
  bool dualFrequencyEnabled = false;  // `cb_supportDualFreq` is "Enable" in the settings
  bool converterTarget = false;       // the converter targets Zelta Lumio or Zelta Varda
};

// The model-dependent part of the main window's layout, applied when a
// codeplug is read or loaded. Controls that are not fields (groups, labels,
// buttons) are named in the comments; fields follow through fieldShown().
// The prompt, source and alert pages add layouts of their own modules.
struct ModelFieldLayout {
  std::string_view frequencyGroupCaption = "Frequency";       // gb_frequency1
  std::string_view printPromptCaption = "Print One Msg";      // lb_printPrompt
  std::string_view printAllPromptCaption = "Print All Msgs";  // lb_printAllPrompt
  std::string_view informationGroupCaption = "Information";   // gb_mfg1
  std::string_view zoomCaption = "Zoom";                      // label of cb_zoom

  bool pagerTypeInfoShown = false;  // infolb_cus1 "Pager Type : ", infolb_cus2 = cb_codeMode text
  bool secondaryFrequencyShown = false;   // gb_frequency2, lb_dualFreqMenu, cb_dualFreqMenu
  bool sequentialIncrementShown = true;   // gb_noSequentialInc
  bool firstPlayToneShown = false;        // listenBtn01
  int codeRows = 4;                       // rows shown on the Code pages
  bool perCodeAlertColumnsShown = false;  // duty, fix, vibrate, escalating, alert mode and pattern
  bool dutyAndAlertMenuShown = false;     // cb_onOffDuty, cb_newAlertMenu with labels
  // The default reminder alert's attributes (Alert page) and the time
  // format, turn-on key, default zoom, duty source and single message (More
  // Features): only the family D-F image holds them, so no other model
  // offers them.
  bool dOptionsShown = false;
  bool decodeErrorFieldsShown =
      false;  // cb_maxErrorsUHB7B6, cb_maxErrorsUHB5B4, cb_scLostNumNormalMod
  bool backlightFieldsShown = false;    // paging auto backlight, backlight mode, auto display
  bool userPasswordShown = false;       // user password group with BitBtn1
  bool userPasswordLevelShown = false;  // cb_fUif_User_Password_Level in gb_mfg5
  bool privateTimeAlertShown = true;    // cb_autoOnOffAlert "Private Time Alert"
  bool toneOnlySupportShown = false;    // cb_toneOnlySupport
  bool displayContrastInsteadOfEndChar = false;  // "LCD Control" replaces ed_endMsgChar
};

ModelFieldLayout modelFieldLayout(models::ModelCode model, const FieldLayoutContext& context);

// Whether the field is shown under the layout, starting from its state as
// built (the catalog's hidden flag).
bool fieldShown(const FieldEntry& field, const ModelFieldLayout& layout);

// The field's label text under the layout.
std::string_view fieldCaption(const FieldEntry& field, const ModelFieldLayout& layout);

}  // namespace zelta::pages
