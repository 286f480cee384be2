#include "pages/model_layout.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <iterator>
#include <optional>

namespace zelta::pages {
namespace {

using models::ModelCode;
using models::ModelGroup;
using models::modelIn;

using models::kModelHash;
using models::kModelSpace;

constexpr std::uint16_t tabs(std::initializer_list<int> pages) {
  std::uint16_t mask = 0;
  for (int p : pages) mask = static_cast<std::uint16_t>(mask | (1u << p));
  return mask;
}

constexpr std::uint16_t kMainTab = tabs({pageIndex(Page::Main)});

// Which models a layout row applies to.
enum class RowModels : std::uint8_t {
  FourCodePages,  // the listed codes: '!' and family A
  SixCode,        // ModelGroup::sixCodeModels
  SixteenCode,    // ModelGroup::dFamily
  Any,
};

struct LayoutRow {
  RowModels models;
  int minCapacity;
  int maxCapacity;
  std::uint16_t hiddenTabs;
  int printedPages;
};

// Page layout for a model (first row that matches wins).
constexpr std::array kLayoutRows{
    LayoutRow{RowModels::FourCodePages, 0, 3, tabs({2, 3, 4, 6, 8}), 8},
    LayoutRow{RowModels::SixCode, 0, 3, tabs({3, 4, 8}), 10},
    LayoutRow{RowModels::SixteenCode, 3, 3, 0, 13},
    LayoutRow{RowModels::SixteenCode, 2, 2, tabs({3, 4, 8}), 10},
    LayoutRow{RowModels::SixteenCode, 0, 1, tabs({2, 3, 4, 8}), 9},
    LayoutRow{RowModels::Any, 0, 3, 0, 8},
};

bool rowMatches(const LayoutRow& row, ModelCode model, int capacity) {
  if (capacity < row.minCapacity || capacity > row.maxCapacity) return false;
  switch (row.models) {
    case RowModels::FourCodePages: return modelIn(model, ModelGroup::fourCodePages);
    case RowModels::SixCode: return modelIn(model, ModelGroup::sixCodeModels);
    case RowModels::SixteenCode: return modelIn(model, ModelGroup::dFamily);
    case RowModels::Any: return true;
  }
  return false;
}

struct ConverterRow {
  ConverterMode mode;
  std::uint16_t hiddenTabs;
  int printedPages;
  std::array<std::string_view, 4> captions;  // pages 5 to 8
};

// In the old four-code layout the second prompt page is the one at index 7.
constexpr std::array kConverterRows{
    ConverterRow{
        ConverterMode::Lumio, tabs({3, 4, 8}), 10, {"Prompt 1", "Prompt 2", "Source 1-8", ""}},
    ConverterRow{
        ConverterMode::Varda, 0, 13, {"Prompt 1", "Prompt 2", "Source 1-8", "Source 9-16"}},
    ConverterRow{ConverterMode::Off, tabs({2, 3, 4, 6, 8}), 8, {"Prompt 1", "", "Prompt 2", ""}},
};

// Per-code columns that only the sixteen-code layout shows.
constexpr CodeColumn kAlertColumns[] = {CodeColumn::OnOffDuty,    CodeColumn::FixAlert,
                                        CodeColumn::InterruptVib, CodeColumn::Crescendo,
                                        CodeColumn::AlertMode,    CodeColumn::AlertPattern};

// Every page view asks this of every field: the column comes from the
// field's own name, not from a search of the catalog.
bool isAlertColumnField(const FieldEntry& field) {
  const std::optional<CodeColumn> column = codeColumnOf(field);
  return column && std::find(std::begin(kAlertColumns), std::end(kAlertColumns), *column) !=
                       std::end(kAlertColumns);
}

bool isCodeRowField(const FieldEntry& field) {
  return field.row != 0 && moduleOfPage(field.page) == PageModuleId::GeneralCode;
}

// Fields whose visibility follows one switch of the model layout; a null
// switch hides the field for every model (its group is never shown).
struct ShownBy {
  std::string_view field;
  bool ModelFieldLayout::*flag;
  bool inverted = false;
};

constexpr ShownBy kShownBy[] = {
    {"cb_codeMode", nullptr},         // gb_mfg2
    {"cb_supportDualFreq", nullptr},  // gb_mfg3
    {"cb_PLL_Type", nullptr},
    {"cb_nwBandCombo", nullptr},
    {"ed_frequency2", &ModelFieldLayout::secondaryFrequencyShown},
    {"cb_dualFreqMenu", &ModelFieldLayout::secondaryFrequencyShown},
    {"cb_noSequentialInc", &ModelFieldLayout::sequentialIncrementShown},
    {"cb_onOffDuty", &ModelFieldLayout::dutyAndAlertMenuShown},
    {"cb_newAlertMenu", &ModelFieldLayout::dutyAndAlertMenuShown},
    {"cb_timeFormat", &ModelFieldLayout::dOptionsShown},
    {"cb_turnOnPager", &ModelFieldLayout::dOptionsShown},
    {"cb_defaultZoom", &ModelFieldLayout::dOptionsShown},
    {"cb_selDutySource", &ModelFieldLayout::dOptionsShown},
    {"cb_EnableSingleMessage", &ModelFieldLayout::dOptionsShown},
    {"cb_fixAlert", &ModelFieldLayout::dOptionsShown},
    {"cb_defaultReminderVibMode", &ModelFieldLayout::dOptionsShown},
    {"cb_defaultReminderCrescendoMode", &ModelFieldLayout::dOptionsShown},
    {"cb_defaultReminderAlertMode", &ModelFieldLayout::dOptionsShown},
    {"cb_defaultReminderAlertPattern", &ModelFieldLayout::dOptionsShown},
    {"cb_maxErrorsUHB7B6", &ModelFieldLayout::decodeErrorFieldsShown},
    {"cb_maxErrorsUHB5B4", &ModelFieldLayout::decodeErrorFieldsShown},
    {"cb_scLostNumNormalMod", &ModelFieldLayout::decodeErrorFieldsShown},
    {"cb_cpfUif_Paging_Auto_Backlight", &ModelFieldLayout::backlightFieldsShown},
    {"cb_cpfUif_Auto_Backlight_Mode", &ModelFieldLayout::backlightFieldsShown},
    {"cb_cpfUif_New_Msg_Auto_Display", &ModelFieldLayout::backlightFieldsShown},
    {"cb_fUif_User_Password_Enable", &ModelFieldLayout::userPasswordShown},
    {"ed_cpwFc_Pswd_Timeout_h", &ModelFieldLayout::userPasswordShown},
    {"ed_cpwFc_Pswd_Timeout_m", &ModelFieldLayout::userPasswordShown},
    {"ed_cpwFc_Pswd_Timeout_s", &ModelFieldLayout::userPasswordShown},
    {"ed_cpwFc_Password_LRUD", &ModelFieldLayout::userPasswordShown},
    {"cb_fUif_User_Password_Level", &ModelFieldLayout::userPasswordLevelShown},
    {"cb_autoOnOffAlert", &ModelFieldLayout::privateTimeAlertShown},
    {"cb_toneOnlySupport", &ModelFieldLayout::toneOnlySupportShown},
    {"ed_endMsgChar", &ModelFieldLayout::displayContrastInsteadOfEndChar, true},
    {"cb_displayContrast", &ModelFieldLayout::displayContrastInsteadOfEndChar},
};

// Field labels that the model layout rewrites.
struct CaptionBy {
  std::string_view field;
  std::string_view ModelFieldLayout::*caption;
};

constexpr CaptionBy kCaptionBy[] = {
    {"ed_printPrompt", &ModelFieldLayout::printPromptCaption},        // lb_printPrompt
    {"ed_printAllPrompt", &ModelFieldLayout::printAllPromptCaption},  // lb_printAllPrompt
    {"cb_zoom", &ModelFieldLayout::zoomCaption},
};

}  // namespace

bool sixteenCodeLayout(ModelCode model, bool converterTarget) {
  return converterTarget || modelIn(model, ModelGroup::dFamily);
}

int codeCount(ModelCode model, bool converterTarget) {
  if (converterTarget) return 16;
  const auto info = models::findModel(model);
  return info ? info->codes : 4;
}

TabLayout pageLayout(ModelCode model, int codeCapacity) {
  for (const LayoutRow& row : kLayoutRows) {
    if (rowMatches(row, model, codeCapacity)) {
      return TabLayout{static_cast<std::uint16_t>(row.hiddenTabs | kMainTab), row.printedPages};
    }
  }
  // A capacity outside 0-3 cannot come from two bits; treat it as the lowest.
  return pageLayout(model, 0);
}

ConverterTabLayout converterPageLayout(ConverterMode mode) {
  for (const ConverterRow& row : kConverterRows) {
    if (row.mode == mode) {
      ConverterTabLayout out;
      out.tabs = TabLayout{static_cast<std::uint16_t>(row.hiddenTabs | kMainTab), row.printedPages};
      for (std::size_t i = 0; i < row.captions.size(); ++i)
        out.promptTabCaptions[i] = row.captions[i];
      return out;
    }
  }
  return converterPageLayout(ConverterMode::Off);
}

ModelFieldLayout modelFieldLayout(ModelCode model, const FieldLayoutContext& ctx) {
  ModelFieldLayout layout;
  const bool dFamily = modelIn(model, ModelGroup::dFamily);
  // A converter target is a family D codeplug once saved: the pages show
  // what that layout keeps, so that a save changes nothing they show.
  const bool dLayout = dFamily || ctx.converterTarget;
  layout.pagerTypeInfoShown = dFamily;
  layout.codeRows = codeCount(model, ctx.converterTarget);

  // Converter targets show the fields of the target layout.
  if (sixteenCodeLayout(model, ctx.converterTarget)) {
    layout.perCodeAlertColumnsShown = true;
    layout.dutyAndAlertMenuShown = true;
    layout.firstPlayToneShown = true;
  }
  if (dLayout) layout.sequentialIncrementShown = ctx.sequentialMode;
  layout.dOptionsShown = dLayout;

  if (modelIn(model, ModelGroup::dualOrF)) {
    layout.secondaryFrequencyShown = true;
    if (ctx.dualFrequencyEnabled) layout.frequencyGroupCaption = "Primary Frequency";
  }
  // The two-frequency models use the print prompts for their frequency menu.
  if (modelIn(model, ModelGroup::dualFrequencyGroup)) {
    layout.printPromptCaption = "Dual Frequency Menu";
    layout.printAllPromptCaption = "Scan";
  }

  if (modelIn(model, ModelGroup::largeQModels) ||
      (dLayout && !modelIn(model, ModelGroup::fFamily))) {
    layout.decodeErrorFieldsShown = true;
  } else if (modelIn(model, ModelGroup::fFamily)) {
    layout.decodeErrorFieldsShown = true;
    layout.backlightFieldsShown = true;
    layout.userPasswordShown = true;
  }
  layout.privateTimeAlertShown = !dLayout;

  layout.toneOnlySupportShown =
      modelIn(model, ModelGroup::largeQModels) || sixteenCodeLayout(model, ctx.converterTarget);
  layout.displayContrastInsteadOfEndChar = model == kModelSpace;
  if (model == kModelHash) layout.zoomCaption = "Receive Messages While Off";
  return layout;
}

bool fieldShown(const FieldEntry& field, const ModelFieldLayout& layout) {
  if (isCodeRowField(field)) {
    if (field.row > layout.codeRows) return false;
    if (isAlertColumnField(field)) return layout.perCodeAlertColumnsShown;
    return true;
  }
  for (const ShownBy& rule : kShownBy) {
    if (rule.field != field.name) continue;
    if (rule.flag == nullptr) return false;
    return layout.*rule.flag != rule.inverted;
  }
  return !field.flags.hidden;
}

std::string_view fieldCaption(const FieldEntry& field, const ModelFieldLayout& layout) {
  for (const CaptionBy& rule : kCaptionBy) {
    if (rule.field == field.name) return layout.*rule.caption;
  }
  return field.caption;
}

}  // namespace zelta::pages
