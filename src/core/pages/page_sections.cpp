#include "pages/page_sections.h"

#include <array>

namespace zelta::pages {
namespace {

using namespace std::string_view_literals;
using enum Page;
using enum SectionKind;
using enum ShownWhen;

struct ShownFlag {
  ShownWhen when;
  bool ModelFieldLayout::*flag;
};
constexpr std::array kShownFlags{
    ShownFlag{PagerTypeInfo, &ModelFieldLayout::pagerTypeInfoShown},
    ShownFlag{SecondaryFrequency, &ModelFieldLayout::secondaryFrequencyShown},
    ShownFlag{SequentialIncrement, &ModelFieldLayout::sequentialIncrementShown},
    ShownFlag{FirstPlayTone, &ModelFieldLayout::firstPlayToneShown},
    ShownFlag{UserPassword, &ModelFieldLayout::userPasswordShown},
    ShownFlag{UserPasswordLevel, &ModelFieldLayout::userPasswordLevelShown},
};

constexpr std::string_view kPlayTone = "Play tone";
constexpr std::string_view kSoundPreview = "Sound Preview";

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
constexpr std::array kControls{
    PageControl{.name = "infolb_cus1",
                .kind = ControlKind::Caption,
                .caption = "Pager Type : ",
                .shownWhen = PagerTypeInfo},
    PageControl{.name = "infolb_cus2",
                .kind = ControlKind::Value,
                .shownWhen = PagerTypeInfo,
                .valueOf = "cb_codeMode"},
    PageControl{.name = "listenBtn01",
                .kind = ControlKind::Button,
                .caption = kPlayTone,
                .hint = kSoundPreview,
                .shownWhen = FirstPlayTone},
    PageControl{.name = "listenBtn02",
                .kind = ControlKind::Button,
                .caption = kPlayTone,
                .hint = kSoundPreview},
    PageControl{.name = "listenBtn03",
                .kind = ControlKind::Button,
                .caption = kPlayTone,
                .hint = kSoundPreview},
    PageControl{.name = "listenBtn04",
                .kind = ControlKind::Button,
                .caption = kPlayTone,
                .hint = kSoundPreview},
    PageControl{.name = "BitBtn1",
                .kind = ControlKind::Button,
                .caption = "Keypad...",
                .hint = "Set user password.",
                .shownWhen = UserPassword},
};
#pragma GCC diagnostic pop

// ---- General ----
constexpr std::array kInformation{"ed_serialNumber"sv, "ed_ICN"sv,       "infolb_cus1"sv,
                                  "infolb_cus2"sv,     "cb_deafPager"sv, "cb_codingFormat"sv,
                                  "cb_freqBand"sv,     "cb_nwBand"sv,    "cb_nwBandCombo"sv,
                                  "cb_PLL_Type"sv,     "cb_onOffDuty"sv, "cb_newAlertMenu"sv};
constexpr std::array kPagerTypeGroup{"cb_codeMode"sv};
constexpr std::array kDualFrequencyGroup{"cb_supportDualFreq"sv};
constexpr std::array kFrequency1{"ed_frequency"sv};
constexpr std::array kFrequency2{"ed_frequency2"sv, "cb_dualFreqMenu"sv};
constexpr std::array kSequentialIncrement{"cb_noSequentialInc"sv};
constexpr std::array kTotalMemory{"ed_persMemSizeString"sv, "ed_persMaildropString"sv};

// ---- Code pages: the "Play tone" button under the grid ----
constexpr std::array kPlayTone1{"listenBtn01"sv};
constexpr std::array kPlayTone2{"listenBtn02"sv};
constexpr std::array kPlayTone3{"listenBtn03"sv};
constexpr std::array kPlayTone4{"listenBtn04"sv};

// ---- Prompt 1 ----
constexpr std::array kLanguage{"cb_internationalPrompt"sv, "cb_internationalCharSet"sv,
                               "cb_showSource"sv};
constexpr std::array kGeneralPrompts{
    "ed_powerUpPrompt"sv,   "ed_disablePagerPrompt"sv, "ed_autoOnPrompt"sv,
    "ed_setAlertPrompt"sv,  "ed_setAudioPrompt"sv,     "ed_setSilentPrompt"sv,
    "ed_setLockPrompt"sv,   "ed_setUnlockPrompt"sv,    "ed_deletePrompt"sv,
    "ed_deleteAllPrompt"sv, "ed_setTimeAlarmPrompt"sv, "ed_setAlarmPrompt"sv,
    "ed_setOffPrompt"sv,    "ed_goStatusPrompt"sv};
constexpr std::array kMorePrompts{"ed_memoryFullPrompt"sv,    "ed_duplicatePrompt"sv,
                                  "ed_setTimePrompt"sv,       "ed_standardAlertPrompt"sv,
                                  "ed_pleasantAlertPrompt"sv, "ed_chirpAlertPrompt"sv,
                                  "ed_noAlertPrompt"sv,       "ed_onPrompt"sv,
                                  "ed_offPrompt"sv,           "ed_zoomInPrompt"sv,
                                  "ed_zoomOutPrompt"sv,       "ed_addToNotebookPrompt"sv,
                                  "ed_printPrompt"sv,         "ed_printAllPrompt"sv,
                                  "ed_setMsgAlarmPrompt"sv,   "ed_noteBookPrompt"sv};
constexpr std::array kMaildropPrompts{"ed_enableMaildropPrompt"sv, "ed_disableMaildropPrompt"sv};

// ---- Prompt 2 ----
constexpr std::array kAlertModePrompts{
    "ed_musicAlertPrompt"sv,   "ed_setMsgAlertPrompt"sv,     "ed_setMsgReminderPrompt"sv,
    "ed_soundModePrompt"sv,    "ed_soundAndVibModePrompt"sv, "ed_vibThenSoundModePrompt"sv,
    "ed_vibratorModePrompt"sv, "ed_silentModePrompt"sv,      "ed_nonCrescendoPrompt"sv,
    "ed_crescendoPrompt"sv,    "ed_interruptedVibPrompt"sv,  "ed_continuousVibPrompt"sv};
constexpr std::array kReminderPrompts{"ed_standardAndVibPrompt"sv, "ed_batteryLowPrompt"sv,
                                      "ed_setReminderPrompt"sv};
constexpr std::array kDutyPrompts{"ed_setOffDutyPrompt"sv,   "ed_setOnDutyPrompt"sv,
                                  "ed_dutyEnablePrompt"sv,   "ed_dutyDisablePrompt"sv,
                                  "ed_setToOffDutyPrompt"sv, "ed_setToOnDutyPrompt"sv,
                                  "ed_sourcePrompt"sv};
constexpr std::array kFrequencyPrompts{"ed_switchSitePrompt"sv, "ed_switchWidePrompt"sv,
                                       "ed_DualFrequencyMenuPrompt"sv, "ed_PriorityScanPrompt"sv};
constexpr std::array kPasswordPrompts{"ed_INPUT_PASSWORD_PROMPT"sv, "ed_PASSWORD_KEY_PROMPT"sv};

// ---- Alert ----
constexpr std::array kAlerts{"cb_disableAllAlerts"sv,
                             "cb_alertFrequency"sv,
                             "cb_alertDuration"sv,
                             "cb_defaultAlert"sv,
                             "cb_userChangableAlertMode"sv,
                             "cb_userSelectableAlerts"sv,
                             "cb_programmablePleasingAlert"sv,
                             "cb_enableMaildropAlert"sv,
                             "cb_manualAlertReset"sv,
                             "cb_lowCellAlert"sv,
                             "cb_keyChirp"sv,
                             "cb_vibrator"sv,
                             "cb_std4RepeatPeriod"sv,
                             "cb_std4PulseDuration"sv};
constexpr std::array kReminderAlerts{"cb_reminderAlertInterval"sv,
                                     "cb_reminderAlertTimeout"sv,
                                     "cb_reminderAlertDuration"sv,
                                     "cb_defaultReminderAlert"sv,
                                     "cb_fixAlert"sv,
                                     "cb_defaultReminderVibMode"sv,
                                     "cb_defaultReminderCrescendoMode"sv,
                                     "cb_defaultReminderAlertMode"sv,
                                     "cb_defaultReminderAlertPattern"sv};
constexpr std::array kClockAlerts{
    "cb_realTimeClock"sv,      "cb_internationalDate"sv,      "cb_showTimeStamp"sv,
    "cb_alarmAlwaysAudible"sv, "cb_individualMessageAlarm"sv, "cb_autoAlarmTurnOn"sv,
    "cb_autoOnOff"sv,          "cb_autoOnOffAlert"sv};
constexpr std::array kOutOfRange{"cb_oorTime"sv, "cb_oorAlert"sv};

// ---- Password / OTA ----
constexpr std::array kDownload{"cb_securityLevel"sv, "ed_downloadPassword"sv};
constexpr std::array kOta{"cb_rfProgramming"sv, "cb_silentRFProgramming"sv, "ed_otaPassword"sv,
                          "ed_otaGroupPassword"sv, "cb_dataInversion"sv};
constexpr std::array kUserPassword{"cb_fUif_User_Password_Enable"sv, "ed_cpwFc_Password_LRUD"sv,
                                   "BitBtn1"sv, "ed_cpwFc_Password"sv};
constexpr std::array kPasswordLevel{"cb_fUif_User_Password_Level"sv};
constexpr std::array kPasswordTimeout{"ed_cpwFc_Pswd_Timeout_h"sv, "ed_cpwFc_Pswd_Timeout_m"sv,
                                      "ed_cpwFc_Pswd_Timeout_s"sv};

// ---- Features ----
constexpr std::array kMessages{"cb_retainErroredNumeric"sv,         "cb_retainErroredNonNumeric"sv,
                               "cb_retainBetterMaildrop"sv,         "cb_personalMessageNotebook"sv,
                               "cb_maildropMessageNotebook"sv,      "cb_duplication"sv,
                               "cb_sourceIndependentDuplication"sv, "cb_sequentialLockoutPeriod"sv,
                               "cb_truncatedMessageIndicator"sv,    "cb_badDataIndication"sv,
                               "cb_messageContinueIndicator"sv,     "cb_deleteSlotNumber"sv,
                               "cb_stopDecodeMissSync"sv,           "ed_endMsgChar"sv};
constexpr std::array kOperation{"cb_readTimeout"sv,       "cb_fastScrollTime"sv,
                                "cb_allowOff"sv,          "cb_functionMenuDisplay"sv,
                                "cb_manualDelete"sv,      "cb_messageLocking"sv,
                                "cb_nonVolatileMemory"sv, "cb_memoryCleanup"sv,
                                "cb_messagePreview"sv,    "cb_autoBacklight"sv};
constexpr std::array kDecoding{"cb_maxErrorsUHB7B6"sv, "cb_maxErrorsUHB5B4"sv,
                               "cb_scLostNumNormalMod"sv};
constexpr std::array kBacklight{"cb_cpfUif_Paging_Auto_Backlight"sv,
                                "cb_cpfUif_Auto_Backlight_Mode"sv,
                                "cb_cpfUif_New_Msg_Auto_Display"sv};

// ---- More Features ----
constexpr std::array kBattery{"cb_batteryGauge"sv, "cb_batteryGaugeHiLevel"sv,
                              "cb_batteryGaugeMedLevel"sv, "cb_batteryGaugeLoLevel"sv,
                              "cb_lowCellPeriod"sv};
constexpr std::array kCanned{"cb_B14bitDecoding"sv, "cb_ideoNumericCanned"sv,
                             "cb_regularCannedMsg"sv, "ed_startCannedMsg"sv, "ed_endCannedMsg"sv};
constexpr std::array kDisplay{
    "cb_printerEnabled"sv,  "cb_showMemFull"sv,        "cb_zoom"sv,        "cb_defaultZoom"sv,
    "cb_displayContrast"sv, "cb_timeFormat"sv,         "cb_turnOnPager"sv, "cb_selDutySource"sv,
    "cb_toneOnlySupport"sv, "cb_EnableSingleMessage"sv};

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
// clang-format off
constexpr std::array kSections = std::to_array<PageSection>({
    {.page = General, .name = "gb_mfg1", .caption = "Information", .captionFrom = &ModelFieldLayout::informationGroupCaption, .items = kInformation},
    {.page = General, .name = "gb_mfg2", .shownWhen = Never, .items = kPagerTypeGroup},
    {.page = General, .name = "gb_mfg3", .shownWhen = Never, .items = kDualFrequencyGroup},
    {.page = General, .name = "gb_frequency1", .caption = "Frequency", .captionFrom = &ModelFieldLayout::frequencyGroupCaption, .column = 1, .items = kFrequency1},
    {.page = General, .name = "gb_frequency2", .caption = "Secondary Frequency", .shownWhen = SecondaryFrequency, .column = 1, .items = kFrequency2},
    {.page = General, .name = "gb_noSequentialInc", .caption = "Sequential Code Increment", .shownWhen = SequentialIncrement, .column = 1, .items = kSequentialIncrement},
    {.page = General, .name = "gb_totalMemory", .caption = "Total Memory", .column = 1, .items = kTotalMemory},

    {.page = Code1to4, .kind = CodeGrid, .firstCode = 1, .lastCode = 4},
    {.page = Code1to4, .items = kPlayTone1},
    {.page = Code5to8, .kind = CodeGrid, .firstCode = 5, .lastCode = 8},
    {.page = Code5to8, .items = kPlayTone2},
    {.page = Code9to12, .kind = CodeGrid, .firstCode = 9, .lastCode = 12},
    {.page = Code9to12, .items = kPlayTone3},
    {.page = Code13to16, .kind = CodeGrid, .firstCode = 13, .lastCode = 16},
    {.page = Code13to16, .items = kPlayTone4},

    {.page = Prompt1, .name = "gb_language", .items = kLanguage},
    {.page = Prompt1, .name = "gb_generalPrompts", .caption = "General Prompts", .items = kGeneralPrompts},
    {.page = Prompt1, .name = "gb_morePrompts", .caption = "More Prompts", .column = 1, .items = kMorePrompts},
    {.page = Prompt1, .name = "pl_fieldLimit01_morePt1", .column = 1, .items = kMaildropPrompts},

    {.page = Prompt2, .name = "gb_alertModePrompts", .caption = "Alert Prompts", .items = kAlertModePrompts},
    {.page = Prompt2, .name = "gb_reminderPrompts", .caption = "Reminder Prompts", .items = kReminderPrompts},
    {.page = Prompt2, .name = "gb_dutyPrompts", .caption = "Duty Prompts", .column = 1, .items = kDutyPrompts},
    {.page = Prompt2, .name = "gb_frequencyPrompts", .caption = "Frequency Prompts", .column = 1, .items = kFrequencyPrompts},
    {.page = Prompt2, .name = "gb_passwordPrompts", .caption = "Password Prompts", .column = 1, .items = kPasswordPrompts},

    {.page = Source1to8, .kind = SourceGrid, .firstCode = 1, .lastCode = 6},
    {.page = Source9to16, .kind = SourceGrid, .firstCode = 7, .lastCode = 16},

    {.page = Alert, .name = "gb_alerts", .caption = "Alerts", .items = kAlerts},
    {.page = Alert, .name = "gb_outOfRange", .caption = "Out of Range", .items = kOutOfRange},
    {.page = Alert, .name = "gb_reminderAlerts", .caption = "Reminder Alert", .column = 1, .items = kReminderAlerts},
    {.page = Alert, .name = "gb_clock", .caption = "Clock and Alarms", .column = 1, .items = kClockAlerts},

    {.page = PasswordOta, .name = "gb_download", .caption = "Download", .items = kDownload},
    {.page = PasswordOta, .name = "gb_ota", .caption = "OTA", .items = kOta},
    {.page = PasswordOta, .name = "gb_userPassword", .caption = "User Password", .shownWhen = UserPassword, .column = 1, .items = kUserPassword},
    {.page = PasswordOta, .name = "gb_mfg5", .caption = "Password Level - only RD", .shownWhen = UserPasswordLevel, .column = 1, .items = kPasswordLevel},
    {.page = PasswordOta, .kind = Line, .name = "gb_passwordTimeout", .shownWhen = UserPassword, .column = 1, .items = kPasswordTimeout},

    {.page = Features, .name = "gb_messages", .caption = "Messages", .items = kMessages},
    {.page = Features, .name = "gb_operation", .caption = "Operation", .column = 1, .items = kOperation},
    {.page = Features, .name = "gb_decoding", .caption = "Decoding", .column = 1, .items = kDecoding},
    {.page = Features, .name = "gb_backlight", .caption = "Backlight", .column = 1, .items = kBacklight},

    {.page = MoreFeatures, .name = "gb_battery", .caption = "Battery", .items = kBattery},
    {.page = MoreFeatures, .name = "gb_canned", .caption = "Canned Messages", .items = kCanned},
    {.page = MoreFeatures, .name = "gb_display", .caption = "Display and Keys", .column = 1, .items = kDisplay},
});
// clang-format on
#pragma GCC diagnostic pop

// pageSections() hands out each page's run of the table.
constexpr bool sectionsInPageOrder() {
  for (std::size_t i = 1; i < kSections.size(); ++i) {
    if (pageIndex(kSections[i].page) < pageIndex(kSections[i - 1].page)) return false;
  }
  return true;
}
static_assert(sectionsInPageOrder());

constexpr std::array kCodeGridRows = std::to_array<CodeGridRow>({
    {CodeColumn::Code},
    {CodeColumn::Function},
    {CodeColumn::Priority},
    {CodeColumn::CodeType},
    {CodeColumn::History},
    {CodeColumn::OnOffDuty},
    {CodeColumn::FixAlert},
    {CodeColumn::InterruptVib},
    {CodeColumn::Crescendo},
    {CodeColumn::AlertMode, 1},
    {CodeColumn::AlertMode, 2},
    {CodeColumn::AlertMode, 3},
    {CodeColumn::AlertMode, 4},
    {CodeColumn::AlertPattern, 1},
    {CodeColumn::AlertPattern, 2},
    {CodeColumn::AlertPattern, 3},
    {CodeColumn::AlertPattern, 4},
});

constexpr int kSourcesPerCode = 4;

// The source prompt of code `code`, source 1-4.
const FieldEntry* sourceField(Page page, int code, int source) {
  for (const FieldEntry& f : allFields()) {
    if (f.page == page && f.row == code && f.column == source) return &f;
  }
  return nullptr;
}

}  // namespace

bool shownUnder(ShownWhen when, const ModelFieldLayout& layout) {
  if (when == Always) return true;
  for (const ShownFlag& entry : kShownFlags) {
    if (entry.when == when) return layout.*entry.flag;
  }
  return false;
}

const PageControl* findPageControl(std::string_view name) {
  for (const PageControl& c : kControls) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

std::span<const CodeGridRow> codeGridRows() {
  return kCodeGridRows;
}

std::span<const PageSection> pageSections(Page page) {
  std::size_t first = 0;
  while (first < kSections.size() && kSections[first].page != page) ++first;
  std::size_t last = first;
  while (last < kSections.size() && kSections[last].page == page) ++last;
  return std::span<const PageSection>(kSections).subspan(first, last - first);
}

std::string_view sectionCaption(const PageSection& section, const ModelFieldLayout& layout) {
  return section.captionFrom != nullptr ? layout.*section.captionFrom : section.caption;
}

std::vector<SectionPlace> sectionPlaces(const PageSection& section) {
  std::vector<SectionPlace> places;
  switch (section.kind) {
    case Group:
    case Line:
      for (std::string_view name : section.items) {
        if (const FieldEntry* field = findField(name)) {
          places.push_back({.field = field});
        } else if (const PageControl* control = findPageControl(name)) {
          places.push_back({.control = control});
        }
      }
      break;
    case CodeGrid:
      for (std::size_t row = 0; row < kCodeGridRows.size(); ++row) {
        for (int code = section.firstCode; code <= section.lastCode; ++code) {
          const FieldEntry* field =
              codeRowField(kCodeGridRows[row].column, code, kCodeGridRows[row].function);
          if (field == nullptr) continue;
          places.push_back(
              {.field = field, .row = static_cast<int>(row), .column = code - section.firstCode});
        }
      }
      break;
    case SourceGrid:
      for (int code = section.firstCode; code <= section.lastCode; ++code) {
        for (int source = 1; source <= kSourcesPerCode; ++source) {
          const FieldEntry* field = sourceField(section.page, code, source);
          if (field == nullptr) continue;
          places.push_back({.field = field, .row = code - section.firstCode, .column = source - 1});
        }
      }
      break;
  }
  return places;
}

}  // namespace zelta::pages
