#include "pages/field_catalog.h"

#include <array>
#include <string_view>

namespace zelta::pages {
namespace {

using namespace std::string_view_literals;

// ---- Fixed list items, in index order (the settings hold the index). ----
constexpr std::array kNoYes{"No"sv, "Yes"sv};
constexpr std::array kDisableEnable{"Disable"sv, "Enable"sv};
constexpr std::array kStandardDeaf{"Standard"sv, "Deaf"sv};
constexpr std::array kCodingFormats{"POCSAG 512"sv, "POCSAG 1200"sv, "POCSAG 2400"sv};
constexpr std::array kSequentialIncrements{"1"sv, "2"sv, "3"sv, "4"sv, "5"sv, "6"sv, "7"sv, "8"sv};
constexpr std::array kPagerTypes{"Zelta Kestra"sv, "Zelta Lumio"sv, "Zelta Varda"sv};
constexpr std::array kWideNarrow{"Wide"sv, "Narrow"sv};
constexpr std::array kFrequencyBands{"VHF D (High)"sv, "VHF A (Low)"sv, "VHF B (Low)"sv,
                                     "VHF C (Low)"sv,  "UHF A (Low)"sv, "UHF B (Low)"sv,
                                     "900 MHz"sv,      "UHF C (Low)"sv};
constexpr std::array kPllTypes{"HI8107"sv, "MB15E03"sv, "NPC5170"sv, "FS8107 / FS8108"sv};
constexpr std::array kNoneCombo{"None"sv, "Combo"sv};

// Code rows.
constexpr std::array kCodeTypes{"Individual"sv, "Group"sv, "Mail Drop"sv};
constexpr std::array kAlertModes{"1"sv, "2"sv, "3"sv, "4"sv, "5"sv, "6"sv};
constexpr std::array kAlertPatterns{"STD"sv, "PL1"sv, "PL2"sv, "PL3"sv, "PL4"sv, "PL5"sv,
                                    "PL6"sv, "PL7"sv, "PL8"sv, "UG1"sv, "UG2"sv, "UG3"sv,
                                    "UG4"sv, "UG5"sv, "UG6"sv, "UG7"sv};

// Prompt pages.
constexpr std::array kLanguages{"English"sv,
                                "German"sv,
                                "German/Swiss"sv,
                                "French"sv,
                                "Swedish"sv,
                                "Danish"sv,
                                "Norwegian"sv,
                                "European Portuguese"sv,
                                "LA & C Portuguese"sv,
                                "European Spanish"sv,
                                "LA & C Spanish"sv,
                                "Italian"sv,
                                "Finnish"sv,
                                "Dutch"sv,
                                "Malay"sv};
constexpr std::array kCharacterSets{"US"sv,        "Swiss"sv,   "German"sv,     "French"sv,
                                    "Italian"sv,   "Spanish"sv, "Portuguese"sv, "Swedish"sv,
                                    "Norwegian"sv, "Danish"sv,  "UK"sv};

// Alert page.
constexpr std::array kAlertFrequencies{"3.84 KHz"sv, "3.2  KHz"sv, "3.0  KHz"sv, "2.7  KHz"sv,
                                       "2.5  KHz"sv, "1.37 KHz"sv, "1.24 KHz"sv};
constexpr std::array kAlertDurations{"2 sec"sv, "12 sec"sv, "30 sec"sv};
constexpr std::array kDefaultAlerts{"STD"sv,       "PL1"sv,   "PL2"sv,     "PL3"sv,
                                    "PL4"sv,       "PL5"sv,   "PL6"sv,     "PL7"sv,
                                    "STD & VIB"sv, "Chirp"sv, "No Alert"sv};
constexpr std::array kDefaultReminderAlerts{"STD"sv,     "PL1"sv,   "PL2"sv,     "PL3"sv,
                                            "PL4"sv,     "PL5"sv,   "PL6"sv,     "PL7"sv,
                                            "STD&VIB"sv, "Chirp"sv, "No Alert"sv};
constexpr std::array kDefaultCustom{"Default"sv, "Custom"sv};
constexpr std::array kReminderTimes{"None"sv,     "2 min"sv,  "3.07 min"sv,  "4 min"sv,
                                    "5.07 min"sv, "10 min"sv, "15.07 min"sv, "30 min"sv};
constexpr std::array kReminderDurations{"Chirp"sv, "2 sec"sv, "12 sec"sv, "30 sec"sv};
constexpr std::array kOorTimes{"None"sv,  "32 sec"sv,   "64 sec"sv, "2 min"sv,  "3.07 min"sv,
                               "4 min"sv, "5.07 min"sv, "6 min"sv,  "10 min"sv, "15.07 min"sv};
constexpr std::array kStd4RepeatPeriods{"1 sec"sv, "2 sec"sv};
constexpr std::array kStd4PulseDurations{"1/16 sec"sv, "1/8 sec"sv};
constexpr std::array kFixAlerts{"Non Fix"sv, "Fix"sv};
constexpr std::array kVibModes{"Continuous"sv, "Interrupted"sv};
constexpr std::array kCrescendoModes{"General"sv, "Escalating"sv};
constexpr std::array kReminderAlertModes{"Alert Mode"sv, "Alert & VIB"sv, "VIB > Alert"sv,
                                         "Vibrate"sv,    "Chirp"sv,       "Silent"sv};

// Password / OTA page.
constexpr std::array kSecurityLevels{"None"sv, "Maximum"sv};
constexpr std::array kPasswordLevels{"Read"sv, "All"sv};

// Features page.
constexpr std::array kLockoutPeriods{"None"sv,   "8 sec"sv, "16 sec"sv, "32 sec"sv, "64 sec"sv,
                                     "96 sec"sv, "2 min"sv, "3 min"sv,  "4 min"sv,  "5 min"sv};
constexpr std::array kReadTimeouts{"16 sec"sv, "32 sec"sv, "64 sec"sv, "5.07 min"sv};
constexpr std::array kScrollTimes{"1/2 sec"sv, "1 sec"sv, "2 sec"sv,  "3 sec"sv, "4 sec"sv,
                                  "6 sec"sv,   "8 sec"sv, "10 sec"sv, "30 sec"sv};
constexpr std::array kFunctionMenuDisplays{"Prompts"sv, "Icons"sv, "Both"sv};
constexpr std::array kBitErrors{"0 bit"sv, "1 bit"sv, "2 bit"sv};
constexpr std::array kRetries{"Disable"sv, "Once"sv, "Twice"sv};
constexpr std::array kBacklightModes{"Always ON"sv, "Flash"sv};

// More Features page.
constexpr std::array kBatteryLevels{
    "0.90v"sv, "0.95v"sv, "1.00v"sv, "1.05v"sv, "1.09v"sv, "1.14v"sv, "1.19v"sv, "1.24v"sv,
    "1.29v"sv, "1.34v"sv, "1.39v"sv, "1.43v"sv, "1.48v"sv, "1.53v"sv, "1.58v"sv, "1.63v"sv};
constexpr std::array kLowCellPeriods{
    "None"sv,  "1 hr"sv,  "2 hrs"sv,  "3 hrs"sv,  "4 hrs"sv,  "5 hrs"sv,  "6 hrs"sv,  "7 hrs"sv,
    "8 hrs"sv, "9 hrs"sv, "10 hrs"sv, "11 hrs"sv, "12 hrs"sv, "13 hrs"sv, "14 hrs"sv, "15 hrs"sv};
constexpr std::array kTimeFormats{"24"sv, "12"sv};
constexpr std::array kTurnOnKeys{"Click"sv, "2 Sec"sv};
constexpr std::array kZoomLines{"4 Line"sv, "2 Line"sv};
constexpr std::array kContrastLevels{"0"sv, "1"sv, "2"sv,  "3"sv,  "4"sv,  "5"sv,  "6"sv,  "7"sv,
                                     "8"sv, "9"sv, "10"sv, "11"sv, "12"sv, "13"sv, "14"sv, "15"sv};
constexpr std::array kIdeoNumericCanned{"None"sv, "2 digits"sv, "Extended"sv};

// Edit masks: three digits, a fixed point, five digits, blanks stored as "0";
// four letters forced to upper case, blanks shown as "_".
constexpr std::string_view kFrequencyMask = "999.99999;1;0";
constexpr std::string_view kFourLetterMask = ">llll;1;_";

constexpr std::string_view kFunctionHint =
    "T = Tone only\nA = Text messages\nN = Numeric messages\nX = Inactive";
constexpr std::string_view kAlertModeHint =
    "1 = Alert Mode\n2 = Alert & VIB\n3 = VIB Then Alert\n4 = Vibrate\n5 = Chirp\n6 = Silent";

using enum Page;
using enum FieldKind;
using enum KeyFilter;
using enum ListRule;

// Every field, with IDs ascending; the fields without an ID close the table.
// Each line is the whole definition of one field.
// Members a line leaves out keep their defaults from FieldEntry.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
// clang-format off
constexpr std::array kFields = std::to_array<FieldEntry>({
    {.id = 1, .name = "ed_serialNumber", .page = General, .kind = Text, .caption = "Serial No.", .maxLength = 10, .flags = {.disabled = true}},
    {.id = 2, .name = "ed_ICN", .page = General, .kind = Text, .caption = "Inventory Control No.", .maxLength = 10, .hint = "Enter inverntory control number."},
    {.id = 3, .name = "cb_deafPager", .page = General, .kind = List, .caption = "Operating Mode", .items = kStandardDeaf},
    {.id = 4, .name = "cb_codingFormat", .page = General, .kind = List, .caption = "Coding Format/Baud Rate", .items = kCodingFormats, .listRule = CodingFormat},
    {.id = 6, .name = "ed_frequency", .page = General, .kind = Masked, .group = "Frequency (MHz)", .maxLength = 9, .mask = kFrequencyMask, .hint = "Enter frequency."},
    {.id = 7, .name = "ed_code01", .page = Code1to4, .kind = Text, .caption = "Code 1", .maxLength = 7, .filter = Decimal, .hint = "Enter pager code.", .row = 1},
    {.id = 8, .name = "ed_function01", .page = Code1to4, .kind = Masked, .caption = "Functions (T,N,A,X)", .maxLength = 4, .mask = kFourLetterMask, .filter = Functions, .maskKeys = true, .hint = kFunctionHint, .row = 1},
    {.id = 9, .name = "ed_priority01", .page = Code1to4, .kind = Text, .caption = "Priority  (Y,N)", .maxLength = 4, .filter = YesNo, .hint = "Enter Y or N.", .row = 1},
    {.id = 10, .name = "cb_codeType01", .page = Code1to4, .kind = List, .caption = "Code Type", .items = kCodeTypes, .listRule = CodeType, .row = 1},
    {.id = 11, .name = "ed_history01", .page = Code1to4, .kind = Text, .caption = "Maildrop History (Y,N)", .maxLength = 4, .filter = YesNo, .hint = "Enter Y or N.", .row = 1},
    {.id = 12, .name = "ed_code02", .page = Code1to4, .kind = Text, .caption = "Code 2", .maxLength = 7, .filter = Decimal, .hint = "Enter pager code.", .row = 2},
    {.id = 13, .name = "ed_function02", .page = Code1to4, .kind = Masked, .caption = "Functions (T,N,A,X)", .maxLength = 4, .mask = kFourLetterMask, .filter = Functions, .maskKeys = true, .hint = kFunctionHint, .row = 2},
    {.id = 14, .name = "ed_priority02", .page = Code1to4, .kind = Text, .caption = "Priority  (Y,N)", .maxLength = 4, .filter = YesNo, .hint = "Enter Y or N.", .row = 2},
    {.id = 15, .name = "cb_codeType02", .page = Code1to4, .kind = List, .caption = "Code Type", .items = kCodeTypes, .listRule = CodeType, .row = 2},
    {.id = 16, .name = "ed_history02", .page = Code1to4, .kind = Text, .caption = "Maildrop History (Y,N)", .maxLength = 4, .filter = YesNo, .hint = "Enter Y or N.", .row = 2},
    {.id = 17, .name = "ed_code03", .page = Code1to4, .kind = Text, .caption = "Code 3", .maxLength = 7, .filter = Decimal, .hint = "Enter pager code.", .row = 3},
    {.id = 18, .name = "ed_function03", .page = Code1to4, .kind = Masked, .caption = "Functions (T,N,A,X)", .maxLength = 4, .mask = kFourLetterMask, .filter = Functions, .maskKeys = true, .hint = kFunctionHint, .row = 3},
    {.id = 19, .name = "ed_priority03", .page = Code1to4, .kind = Text, .caption = "Priority  (Y,N)", .maxLength = 4, .filter = YesNo, .hint = "Enter Y or N.", .row = 3},
    {.id = 20, .name = "cb_codeType03", .page = Code1to4, .kind = List, .caption = "Code Type", .items = kCodeTypes, .listRule = CodeType, .row = 3},
    {.id = 21, .name = "ed_history03", .page = Code1to4, .kind = Text, .caption = "Maildrop History (Y,N)", .maxLength = 4, .filter = YesNo, .hint = "Enter Y or N.", .row = 3},
    {.id = 22, .name = "ed_code04", .page = Code1to4, .kind = Text, .caption = "Code 4", .maxLength = 7, .filter = Decimal, .hint = "Enter pager code.", .row = 4},
    {.id = 23, .name = "ed_function04", .page = Code1to4, .kind = Masked, .caption = "Functions (T,N,A,X)", .maxLength = 4, .mask = kFourLetterMask, .filter = Functions, .maskKeys = true, .hint = kFunctionHint, .row = 4},
    {.id = 24, .name = "ed_priority04", .page = Code1to4, .kind = Text, .caption = "Priority  (Y,N)", .maxLength = 4, .filter = YesNo, .hint = "Enter Y or N.", .row = 4},
    {.id = 25, .name = "cb_codeType04", .page = Code1to4, .kind = List, .caption = "Code Type", .items = kCodeTypes, .listRule = CodeType, .row = 4},
    {.id = 26, .name = "ed_history04", .page = Code1to4, .kind = Text, .caption = "Maildrop History (Y,N)", .maxLength = 4, .filter = YesNo, .hint = "Enter Y or N.", .row = 4},
    {.id = 27, .name = "ed_code05", .page = Code5to8, .kind = Text, .caption = "Code 5", .maxLength = 7, .filter = Decimal, .hint = "Enter pager code.", .row = 5},
    {.id = 28, .name = "ed_function05", .page = Code5to8, .kind = Masked, .caption = "Functions (T,N,A,X)", .maxLength = 4, .mask = kFourLetterMask, .filter = Functions, .maskKeys = true, .hint = kFunctionHint, .row = 5},
    {.id = 29, .name = "ed_priority05", .page = Code5to8, .kind = Text, .caption = "Priority  (Y,N)", .maxLength = 4, .filter = YesNo, .hint = "Enter Y or N.", .row = 5},
    {.id = 30, .name = "cb_codeType05", .page = Code5to8, .kind = List, .caption = "Code Type", .items = kCodeTypes, .listRule = CodeType, .row = 5},
    {.id = 31, .name = "ed_code06", .page = Code5to8, .kind = Text, .caption = "Code 6", .maxLength = 7, .filter = Decimal, .hint = "Enter pager code.", .row = 6},
    {.id = 32, .name = "ed_function06", .page = Code5to8, .kind = Masked, .caption = "Functions (T,N,A,X)", .maxLength = 4, .mask = kFourLetterMask, .filter = Functions, .maskKeys = true, .hint = kFunctionHint, .row = 6},
    {.id = 33, .name = "ed_priority06", .page = Code5to8, .kind = Text, .caption = "Priority  (Y,N)", .maxLength = 4, .filter = YesNo, .hint = "Enter Y or N.", .row = 6},
    {.id = 34, .name = "cb_codeType06", .page = Code5to8, .kind = List, .caption = "Code Type", .items = kCodeTypes, .listRule = CodeType, .row = 6},
    {.id = 35, .name = "cb_internationalPrompt", .page = Prompt1, .kind = List, .caption = "International Prompt", .items = kLanguages, .listRule = InternationalPrompt},
    {.id = 36, .name = "cb_internationalCharSet", .page = Prompt1, .kind = List, .caption = "International Character Set", .items = kCharacterSets},
    {.id = 37, .name = "cb_showSource", .page = Prompt1, .kind = List, .caption = "Show Source", .items = kNoYes},
    {.id = 38, .name = "ed_powerUpPrompt", .page = Prompt1, .kind = Text, .caption = "Power Up", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters."},
    {.id = 39, .name = "ed_disablePagerPrompt", .page = Prompt1, .kind = Text, .caption = "Pager Disable", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters."},
    {.id = 40, .name = "ed_source1Prompt", .page = Source1to8, .kind = Text, .caption = "Source 1-1 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 1, .column = 1},
    {.id = 41, .name = "ed_source2Prompt", .page = Source1to8, .kind = Text, .caption = "Source 1-2 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 1, .column = 2},
    {.id = 42, .name = "ed_source3Prompt", .page = Source1to8, .kind = Text, .caption = "Source 1-3 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 1, .column = 3},
    {.id = 43, .name = "ed_source4Prompt", .page = Source1to8, .kind = Text, .caption = "Source 1-4 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 1, .column = 4},
    {.id = 44, .name = "ed_source5Prompt", .page = Source1to8, .kind = Text, .caption = "Source 2-1 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 2, .column = 1},
    {.id = 45, .name = "ed_source6Prompt", .page = Source1to8, .kind = Text, .caption = "Source 2-2 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 2, .column = 2},
    {.id = 46, .name = "ed_source7Prompt", .page = Source1to8, .kind = Text, .caption = "Source 2-3 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 2, .column = 3},
    {.id = 47, .name = "ed_source8Prompt", .page = Source1to8, .kind = Text, .caption = "Source 2-4 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 2, .column = 4},
    {.id = 48, .name = "ed_source9Prompt", .page = Source1to8, .kind = Text, .caption = "Source 3-1 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 3, .column = 1},
    {.id = 49, .name = "ed_source10Prompt", .page = Source1to8, .kind = Text, .caption = "Source 3-2 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 3, .column = 2},
    {.id = 50, .name = "ed_source11Prompt", .page = Source1to8, .kind = Text, .caption = "Source 3-3 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 3, .column = 3},
    {.id = 51, .name = "ed_source12Prompt", .page = Source1to8, .kind = Text, .caption = "Source 3-4 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 3, .column = 4},
    {.id = 52, .name = "ed_source13Prompt", .page = Source1to8, .kind = Text, .caption = "Source 4-1 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 4, .column = 1},
    {.id = 53, .name = "ed_source14Prompt", .page = Source1to8, .kind = Text, .caption = "Source 4-2 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 4, .column = 2},
    {.id = 54, .name = "ed_source15Prompt", .page = Source1to8, .kind = Text, .caption = "Source 4-3 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 4, .column = 3},
    {.id = 55, .name = "ed_source16Prompt", .page = Source1to8, .kind = Text, .caption = "Source 4-4 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 4, .column = 4},
    {.id = 56, .name = "ed_source17Prompt", .page = Source1to8, .kind = Text, .caption = "Source 5-1 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 5, .column = 1},
    {.id = 57, .name = "ed_source18Prompt", .page = Source1to8, .kind = Text, .caption = "Source 5-2 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 5, .column = 2},
    {.id = 58, .name = "ed_source19Prompt", .page = Source1to8, .kind = Text, .caption = "Source 5-3 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 5, .column = 3},
    {.id = 59, .name = "ed_source20Prompt", .page = Source1to8, .kind = Text, .caption = "Source 5-4 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 5, .column = 4},
    {.id = 60, .name = "ed_source21Prompt", .page = Source1to8, .kind = Text, .caption = "Source 6-1 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 6, .column = 1},
    {.id = 61, .name = "ed_source22Prompt", .page = Source1to8, .kind = Text, .caption = "Source 6-2 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 6, .column = 2},
    {.id = 62, .name = "ed_source23Prompt", .page = Source1to8, .kind = Text, .caption = "Source 6-3 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 6, .column = 3},
    {.id = 63, .name = "ed_source24Prompt", .page = Source1to8, .kind = Text, .caption = "Source 6-4 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 6, .column = 4},
    {.id = 64, .name = "ed_autoOnPrompt", .page = Prompt1, .kind = Text, .caption = "Set Private Time", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 65, .name = "ed_setAlertPrompt", .page = Prompt1, .kind = Text, .caption = "Choose Alert", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 66, .name = "ed_setAudioPrompt", .page = Prompt1, .kind = Text, .caption = "Audible Alert", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 67, .name = "ed_setSilentPrompt", .page = Prompt1, .kind = Text, .caption = "Silent Alert", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters."},
    {.id = 68, .name = "ed_setLockPrompt", .page = Prompt1, .kind = Text, .caption = "Lock Message", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 69, .name = "ed_setUnlockPrompt", .page = Prompt1, .kind = Text, .caption = "Unlock Message", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 70, .name = "ed_deletePrompt", .page = Prompt1, .kind = Text, .caption = "Delete Message", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 71, .name = "ed_deleteAllPrompt", .page = Prompt1, .kind = Text, .caption = "Delete All Msgs", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 72, .name = "ed_setTimeAlarmPrompt", .page = Prompt1, .kind = Text, .caption = "Set Time && Alarm", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 73, .name = "ed_setAlarmPrompt", .page = Prompt1, .kind = Text, .caption = "Set Alarm", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 74, .name = "ed_setOffPrompt", .page = Prompt1, .kind = Text, .caption = "Turn Pager Off", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 75, .name = "ed_goStatusPrompt", .page = Prompt1, .kind = Text, .caption = "Escape", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 76, .name = "ed_duplicatePrompt", .page = Prompt1, .kind = Text, .caption = "Duplicate Msg", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 77, .name = "ed_memoryFullPrompt", .page = Prompt1, .kind = Text, .caption = "Memory Full", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 78, .name = "ed_setTimePrompt", .page = Prompt1, .kind = Text, .caption = "Set Time", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 79, .name = "ed_standardAlertPrompt", .page = Prompt1, .kind = Text, .caption = "Standard Alert", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 80, .name = "ed_pleasantAlertPrompt", .page = Prompt1, .kind = Text, .caption = "Pleasing Alert", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 81, .name = "ed_chirpAlertPrompt", .page = Prompt1, .kind = Text, .caption = "Chirping Alert", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 82, .name = "ed_noAlertPrompt", .page = Prompt1, .kind = Text, .caption = "No Msg Alert", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 83, .name = "ed_enableMaildropPrompt", .page = Prompt1, .kind = Text, .caption = "Maildrop Alert On", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 84, .name = "ed_disableMaildropPrompt", .page = Prompt1, .kind = Text, .caption = "Maildrop Alert Off", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 85, .name = "ed_onPrompt", .page = Prompt1, .kind = Text, .caption = "On", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 86, .name = "ed_offPrompt", .page = Prompt1, .kind = Text, .caption = "Off", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 87, .name = "ed_zoomInPrompt", .page = Prompt1, .kind = Text, .caption = "Zoom In", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 88, .name = "ed_zoomOutPrompt", .page = Prompt1, .kind = Text, .caption = "Zoom Out", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 89, .name = "ed_addToNotebookPrompt", .page = Prompt1, .kind = Text, .caption = "Add to Notebook", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 90, .name = "ed_printPrompt", .page = Prompt1, .kind = Text, .caption = "Print One Msg", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 91, .name = "ed_printAllPrompt", .page = Prompt1, .kind = Text, .caption = "Print All Msgs", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 92, .name = "ed_setMsgAlarmPrompt", .page = Prompt1, .kind = Text, .caption = "Set Msg Alarm", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 93, .name = "ed_noteBookPrompt", .page = Prompt1, .kind = Text, .caption = "Notebook", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 94, .name = "ed_setReminderPrompt", .page = Prompt2, .kind = Text, .caption = "Set Reminder", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 95, .name = "ed_standardAndVibPrompt", .page = Prompt2, .kind = Text, .caption = "Standard And Vib", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 96, .name = "ed_batteryLowPrompt", .page = Prompt2, .kind = Text, .caption = "Battery Low", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 97, .name = "cb_disableAllAlerts", .page = Alert, .kind = List, .caption = "Disable All Alerts", .items = kNoYes},
    {.id = 98, .name = "cb_alertFrequency", .page = Alert, .kind = List, .caption = "Alert Frequency", .items = kAlertFrequencies},
    {.id = 99, .name = "cb_alertDuration", .page = Alert, .kind = List, .caption = "Alert Duration", .items = kAlertDurations, .listRule = AlertDuration},
    {.id = 100, .name = "cb_defaultAlert", .page = Alert, .kind = List, .caption = "Default Alert", .items = kDefaultAlerts},
    {.id = 101, .name = "cb_userChangableAlertMode", .page = Alert, .kind = List, .caption = "User Changeable Alert Mode", .items = kNoYes},
    {.id = 102, .name = "cb_userSelectableAlerts", .page = Alert, .kind = List, .caption = "User Selectable Alerts", .items = kNoYes},
    {.id = 103, .name = "cb_programmablePleasingAlert", .page = Alert, .kind = List, .caption = "Programmable Pleasing Alert", .items = kDefaultCustom},
    {.id = 104, .name = "cb_reminderAlertInterval", .page = Alert, .kind = List, .caption = "Reminder Alert Interval", .items = kReminderTimes},
    {.id = 105, .name = "cb_reminderAlertTimeout", .page = Alert, .kind = List, .caption = "Reminder Alert Timeout", .items = kReminderTimes},
    {.id = 106, .name = "cb_reminderAlertDuration", .page = Alert, .kind = List, .caption = "Reminder Alert Duration", .items = kReminderDurations},
    {.id = 107, .name = "cb_defaultReminderAlert", .page = Alert, .kind = List, .caption = "Default Reminder Alert", .items = kDefaultReminderAlerts},
    {.id = 108, .name = "cb_enableMaildropAlert", .page = Alert, .kind = List, .caption = "Enable MailDrop Alert", .items = kNoYes},
    {.id = 109, .name = "cb_manualAlertReset", .page = Alert, .kind = List, .caption = "Manual Alert Reset", .items = kNoYes},
    {.id = 110, .name = "cb_lowCellAlert", .page = Alert, .kind = List, .caption = "Low Battery Alert", .items = kNoYes},
    {.id = 111, .name = "cb_keyChirp", .page = Alert, .kind = List, .caption = "Key Click", .items = kNoYes},
    {.id = 112, .name = "cb_alarmAlwaysAudible", .page = Alert, .kind = List, .caption = "Alarm Always Audible", .items = kNoYes},
    {.id = 113, .name = "cb_realTimeClock", .page = Alert, .kind = List, .caption = "Real Time Clock", .items = kNoYes},
    {.id = 114, .name = "cb_internationalDate", .page = Alert, .kind = List, .caption = "International Date", .items = kNoYes},
    {.id = 115, .name = "cb_showTimeStamp", .page = Alert, .kind = List, .caption = "Show Time Stamp", .items = kNoYes},
    {.id = 116, .name = "cb_individualMessageAlarm", .page = Alert, .kind = List, .caption = "Individual Message Alarm", .items = kNoYes},
    {.id = 117, .name = "cb_autoAlarmTurnOn", .page = Alert, .kind = List, .caption = "Auto Alarm Turn On", .items = kNoYes},
    {.id = 118, .name = "cb_autoOnOff", .page = Alert, .kind = List, .caption = "Private Time", .items = kNoYes},
    {.id = 119, .name = "cb_autoOnOffAlert", .page = Alert, .kind = List, .caption = "Private Time Alert", .items = kNoYes},
    {.id = 120, .name = "cb_oorTime", .page = Alert, .kind = List, .caption = "Out Of Range Time", .items = kOorTimes},
    {.id = 121, .name = "cb_oorAlert", .page = Alert, .kind = List, .caption = "Out Of Range Alert", .items = kNoYes},
    {.id = 122, .name = "cb_vibrator", .page = Alert, .kind = List, .caption = "Vibrator", .items = kNoYes},
    {.id = 123, .name = "cb_std4RepeatPeriod", .page = Alert, .kind = List, .caption = "Function 4 Repeat Period", .items = kStd4RepeatPeriods},
    {.id = 124, .name = "cb_std4PulseDuration", .page = Alert, .kind = List, .caption = "Function 4 Tone Pulse", .items = kStd4PulseDurations},
    {.id = 125, .name = "cb_securityLevel", .page = PasswordOta, .kind = List, .caption = "Download Security Level", .items = kSecurityLevels},
    {.id = 126, .name = "ed_downloadPassword", .page = PasswordOta, .kind = Text, .caption = "Download Password", .maxLength = 10, .filter = LettersAndDigits, .hint = "Enter password."},
    {.id = 127, .name = "cb_rfProgramming", .page = PasswordOta, .kind = List, .caption = "OTA Programming", .items = kNoYes},
    {.id = 128, .name = "cb_silentRFProgramming", .page = PasswordOta, .kind = List, .caption = "Silent OTA Programming", .items = kNoYes},
    {.id = 129, .name = "ed_otaPassword", .page = PasswordOta, .kind = Text, .caption = "Personal OTA Password", .maxLength = 10, .filter = LettersAndDigits},
    {.id = 130, .name = "ed_otaGroupPassword", .page = PasswordOta, .kind = Text, .caption = "Group OTA Password", .maxLength = 10, .filter = LettersAndDigits},
    {.id = 131, .name = "cb_dataInversion", .page = PasswordOta, .kind = List, .caption = "Data Inversion", .items = kNoYes},
    {.id = 132, .name = "cb_retainErroredNumeric", .page = Features, .kind = List, .caption = "Retain Errored Numeric Msg", .items = kNoYes},
    {.id = 133, .name = "cb_retainErroredNonNumeric", .page = Features, .kind = List, .caption = "Retain Errored Non-Num Msg", .items = kNoYes},
    {.id = 134, .name = "cb_retainBetterMaildrop", .page = Features, .kind = List, .caption = "Retain Better MailDrop Msg", .items = kNoYes},
    {.id = 135, .name = "cb_personalMessageNotebook", .page = Features, .kind = List, .caption = "Personal Message Notebook", .items = kNoYes},
    {.id = 136, .name = "cb_maildropMessageNotebook", .page = Features, .kind = List, .caption = "MailDrop Message NoteBook", .items = kNoYes},
    {.id = 137, .name = "cb_duplication", .page = Features, .kind = List, .caption = "Duplicate Message Detection", .items = kNoYes},
    {.id = 138, .name = "cb_sourceIndependentDuplication", .page = Features, .kind = List, .caption = "Source Independent Duplication", .items = kNoYes},
    {.id = 139, .name = "cb_sequentialLockoutPeriod", .page = Features, .kind = List, .caption = "Sequential Lockout Period", .items = kLockoutPeriods},
    {.id = 140, .name = "cb_truncatedMessageIndicator", .page = Features, .kind = List, .caption = "Truncated Message Indicator", .items = kNoYes},
    {.id = 141, .name = "cb_badDataIndication", .page = Features, .kind = List, .caption = "Errored Data Indication", .items = kNoYes},
    {.id = 142, .name = "cb_messageContinueIndicator", .page = Features, .kind = List, .caption = "Message Continue Indicator", .items = kNoYes},
    {.id = 143, .name = "cb_deleteSlotNumber", .page = Features, .kind = List, .caption = "Delete Slot Number", .items = kNoYes},
    {.id = 144, .name = "cb_stopDecodeMissSync", .page = Features, .kind = List, .caption = "Stop Decode on Miss Sync", .items = kNoYes, .flags = {.disabled = true}},
    {.id = 145, .name = "cb_readTimeout", .page = Features, .kind = List, .caption = "Read Timeout", .items = kReadTimeouts},
    {.id = 146, .name = "cb_fastScrollTime", .page = Features, .kind = List, .caption = "Automatic Scroll Time", .items = kScrollTimes},
    {.id = 147, .name = "cb_allowOff", .page = Features, .kind = List, .caption = "Allow Off", .items = kNoYes},
    {.id = 148, .name = "cb_functionMenuDisplay", .page = Features, .kind = List, .caption = "Function Menu Display", .items = kFunctionMenuDisplays, .listRule = FunctionMenuDisplay},
    {.id = 149, .name = "cb_manualDelete", .page = Features, .kind = List, .caption = "Manual Delete", .items = kNoYes},
    {.id = 150, .name = "cb_messageLocking", .page = Features, .kind = List, .caption = "Message Locking", .items = kNoYes},
    {.id = 151, .name = "cb_nonVolatileMemory", .page = Features, .kind = List, .caption = "Memory Retention", .items = kNoYes},
    {.id = 152, .name = "cb_memoryCleanup", .page = Features, .kind = List, .caption = "Delete All", .items = kNoYes},
    {.id = 153, .name = "cb_B14bitDecoding", .page = MoreFeatures, .kind = List, .caption = "14-Bit Decoding", .items = kNoYes},
    {.id = 154, .name = "cb_ideoNumericCanned", .page = MoreFeatures, .kind = List, .caption = "Ideo Numeric Canned Msg", .items = kIdeoNumericCanned, .listRule = IdeoNumericCanned},
    {.id = 155, .name = "cb_regularCannedMsg", .page = MoreFeatures, .kind = List, .caption = "Regular Canned Message", .items = kNoYes},
    {.id = 156, .name = "ed_startCannedMsg", .page = MoreFeatures, .kind = Text, .caption = "Start Canned Message", .maxLength = 4, .filter = Hexadecimal},
    {.id = 157, .name = "ed_endCannedMsg", .page = MoreFeatures, .kind = Text, .caption = "End Canned Message", .maxLength = 4, .filter = Hexadecimal},
    {.id = 158, .name = "cb_messagePreview", .page = Features, .kind = List, .caption = "Message Preview", .items = kNoYes},
    {.id = 159, .name = "cb_autoBacklight", .page = Features, .kind = List, .caption = "Auto Backlight", .items = kNoYes},
    {.id = 160, .name = "ed_endMsgChar", .page = Features, .kind = Text, .caption = "End of Message Character", .maxLength = 2, .filter = Hexadecimal, .hint = "Enter HEX value - Valid Range: 00-7F."},
    {.id = 161, .name = "cb_displayContrast", .page = MoreFeatures, .kind = List, .caption = "LCD Control", .items = kContrastLevels, .flags = {.hidden = true}},
    {.id = 163, .name = "cb_batteryGauge", .page = MoreFeatures, .kind = List, .caption = "Enable Battery Gauge", .items = kNoYes},
    {.id = 164, .name = "cb_batteryGaugeHiLevel", .page = MoreFeatures, .kind = List, .caption = "Battery Gauge Level - High", .items = kBatteryLevels},
    {.id = 165, .name = "cb_batteryGaugeMedLevel", .page = MoreFeatures, .kind = List, .caption = "- Med", .items = kBatteryLevels},
    {.id = 166, .name = "cb_batteryGaugeLoLevel", .page = MoreFeatures, .kind = List, .caption = "- Low", .items = kBatteryLevels},
    {.id = 167, .name = "cb_lowCellPeriod", .page = MoreFeatures, .kind = List, .caption = "Periodic Low Battery Check", .items = kLowCellPeriods},
    {.id = 168, .name = "cb_printerEnabled", .page = MoreFeatures, .kind = List, .caption = "Print Enabled", .items = kNoYes},
    {.id = 169, .name = "cb_showMemFull", .page = MoreFeatures, .kind = List, .caption = "Show Memory Full Prompt", .items = kNoYes},
    {.id = 170, .name = "cb_zoom", .page = MoreFeatures, .kind = List, .caption = "Zoom", .items = kNoYes},
    {.id = 171, .name = "cb_noSequentialInc", .page = General, .kind = List, .group = "Sequential Code Increment", .items = kSequentialIncrements},
    {.id = 172, .name = "cb_toneOnlySupport", .page = MoreFeatures, .kind = List, .caption = "Stop Decode Msg With Tone Only", .items = kNoYes, .flags = {.hidden = true}},
    {.id = 173, .name = "ed_code07", .page = Code5to8, .kind = Text, .caption = "Code 7", .maxLength = 7, .filter = Decimal, .hint = "Enter pager code.", .row = 7},
    {.id = 174, .name = "ed_code08", .page = Code5to8, .kind = Text, .caption = "Code 8", .maxLength = 7, .filter = Decimal, .hint = "Enter pager code.", .row = 8},
    {.id = 175, .name = "ed_code09", .page = Code9to12, .kind = Text, .caption = "Code 9", .maxLength = 7, .filter = Decimal, .hint = "Enter pager code.", .row = 9},
    {.id = 176, .name = "ed_code10", .page = Code9to12, .kind = Text, .caption = "Code 10", .maxLength = 7, .filter = Decimal, .hint = "Enter pager code.", .row = 10},
    {.id = 177, .name = "ed_code11", .page = Code9to12, .kind = Text, .caption = "Code 11", .maxLength = 7, .filter = Decimal, .hint = "Enter pager code.", .row = 11},
    {.id = 178, .name = "ed_code12", .page = Code9to12, .kind = Text, .caption = "Code 12", .maxLength = 7, .filter = Decimal, .hint = "Enter pager code.", .row = 12},
    {.id = 179, .name = "ed_code13", .page = Code13to16, .kind = Text, .caption = "Code 13", .maxLength = 7, .filter = Decimal, .hint = "Enter pager code.", .row = 13},
    {.id = 180, .name = "ed_code14", .page = Code13to16, .kind = Text, .caption = "Code 14", .maxLength = 7, .filter = Decimal, .hint = "Enter pager code.", .row = 14},
    {.id = 181, .name = "ed_code15", .page = Code13to16, .kind = Text, .caption = "Code 15", .maxLength = 7, .filter = Decimal, .hint = "Enter pager code.", .row = 15},
    {.id = 182, .name = "ed_code16", .page = Code13to16, .kind = Text, .caption = "Code 16", .maxLength = 7, .filter = Decimal, .hint = "Enter pager code.", .row = 16},
    {.id = 183, .name = "ed_function07", .page = Code5to8, .kind = Masked, .caption = "Functions (T,N,A,X)", .maxLength = 4, .mask = kFourLetterMask, .filter = Functions, .maskKeys = true, .hint = kFunctionHint, .row = 7},
    {.id = 184, .name = "ed_function08", .page = Code5to8, .kind = Masked, .caption = "Functions (T,N,A,X)", .maxLength = 4, .mask = kFourLetterMask, .filter = Functions, .maskKeys = true, .hint = kFunctionHint, .row = 8},
    {.id = 185, .name = "ed_function09", .page = Code9to12, .kind = Masked, .caption = "Functions (T,N,A,X)", .maxLength = 4, .mask = kFourLetterMask, .filter = Functions, .maskKeys = true, .hint = kFunctionHint, .row = 9},
    {.id = 186, .name = "ed_function10", .page = Code9to12, .kind = Masked, .caption = "Functions (T,N,A,X)", .maxLength = 4, .mask = kFourLetterMask, .filter = Functions, .maskKeys = true, .hint = kFunctionHint, .row = 10},
    {.id = 187, .name = "ed_function11", .page = Code9to12, .kind = Masked, .caption = "Functions (T,N,A,X)", .maxLength = 4, .mask = kFourLetterMask, .filter = Functions, .maskKeys = true, .hint = kFunctionHint, .row = 11},
    {.id = 188, .name = "ed_function12", .page = Code9to12, .kind = Masked, .caption = "Functions (T,N,A,X)", .maxLength = 4, .mask = kFourLetterMask, .filter = Functions, .maskKeys = true, .hint = kFunctionHint, .row = 12},
    {.id = 189, .name = "ed_function13", .page = Code13to16, .kind = Masked, .caption = "Functions (T,N,A,X)", .maxLength = 4, .mask = kFourLetterMask, .filter = Functions, .maskKeys = true, .hint = kFunctionHint, .row = 13},
    {.id = 190, .name = "ed_function14", .page = Code13to16, .kind = Masked, .caption = "Functions (T,N,A,X)", .maxLength = 4, .mask = kFourLetterMask, .filter = Functions, .maskKeys = true, .hint = kFunctionHint, .row = 14},
    {.id = 191, .name = "ed_function15", .page = Code13to16, .kind = Masked, .caption = "Functions (T,N,A,X)", .maxLength = 4, .mask = kFourLetterMask, .filter = Functions, .maskKeys = true, .hint = kFunctionHint, .row = 15},
    {.id = 192, .name = "ed_function16", .page = Code13to16, .kind = Masked, .caption = "Functions (T,N,A,X)", .maxLength = 4, .mask = kFourLetterMask, .filter = Functions, .maskKeys = true, .hint = kFunctionHint, .row = 16},
    {.id = 193, .name = "ed_priority07", .page = Code5to8, .kind = Text, .caption = "Priority  (Y,N)", .maxLength = 4, .filter = YesNo, .hint = "Enter Y or N.", .row = 7},
    {.id = 194, .name = "ed_priority08", .page = Code5to8, .kind = Text, .caption = "Priority  (Y,N)", .maxLength = 4, .filter = YesNo, .hint = "Enter Y or N.", .row = 8},
    {.id = 195, .name = "ed_priority09", .page = Code9to12, .kind = Text, .caption = "Priority  (Y,N)", .maxLength = 4, .filter = YesNo, .hint = "Enter Y or N.", .row = 9},
    {.id = 196, .name = "ed_priority10", .page = Code9to12, .kind = Text, .caption = "Priority  (Y,N)", .maxLength = 4, .filter = YesNo, .hint = "Enter Y or N.", .row = 10},
    {.id = 197, .name = "ed_priority11", .page = Code9to12, .kind = Text, .caption = "Priority  (Y,N)", .maxLength = 4, .filter = YesNo, .hint = "Enter Y or N.", .row = 11},
    {.id = 198, .name = "ed_priority12", .page = Code9to12, .kind = Text, .caption = "Priority  (Y,N)", .maxLength = 4, .filter = YesNo, .hint = "Enter Y or N.", .row = 12},
    {.id = 199, .name = "ed_priority13", .page = Code13to16, .kind = Text, .caption = "Priority  (Y,N)", .maxLength = 4, .filter = YesNo, .hint = "Enter Y or N.", .row = 13},
    {.id = 200, .name = "ed_priority14", .page = Code13to16, .kind = Text, .caption = "Priority  (Y,N)", .maxLength = 4, .filter = YesNo, .hint = "Enter Y or N.", .row = 14},
    {.id = 201, .name = "ed_priority15", .page = Code13to16, .kind = Text, .caption = "Priority  (Y,N)", .maxLength = 4, .filter = YesNo, .hint = "Enter Y or N.", .row = 15},
    {.id = 202, .name = "ed_priority16", .page = Code13to16, .kind = Text, .caption = "Priority  (Y,N)", .maxLength = 4, .filter = YesNo, .hint = "Enter Y or N.", .row = 16},
    {.id = 203, .name = "cb_codeType07", .page = Code5to8, .kind = List, .caption = "Code Type", .items = kCodeTypes, .listRule = CodeType, .row = 7},
    {.id = 204, .name = "cb_codeType08", .page = Code5to8, .kind = List, .caption = "Code Type", .items = kCodeTypes, .listRule = CodeType, .row = 8},
    {.id = 205, .name = "cb_codeType09", .page = Code9to12, .kind = List, .caption = "Code Type", .items = kCodeTypes, .listRule = CodeType, .row = 9},
    {.id = 206, .name = "cb_codeType10", .page = Code9to12, .kind = List, .caption = "Code Type", .items = kCodeTypes, .listRule = CodeType, .row = 10},
    {.id = 207, .name = "cb_codeType11", .page = Code9to12, .kind = List, .caption = "Code Type", .items = kCodeTypes, .listRule = CodeType, .row = 11},
    {.id = 208, .name = "cb_codeType12", .page = Code9to12, .kind = List, .caption = "Code Type", .items = kCodeTypes, .listRule = CodeType, .row = 12},
    {.id = 209, .name = "cb_codeType13", .page = Code13to16, .kind = List, .caption = "Code Type", .items = kCodeTypes, .listRule = CodeType, .row = 13},
    {.id = 210, .name = "cb_codeType14", .page = Code13to16, .kind = List, .caption = "Code Type", .items = kCodeTypes, .listRule = CodeType, .row = 14},
    {.id = 211, .name = "cb_codeType15", .page = Code13to16, .kind = List, .caption = "Code Type", .items = kCodeTypes, .listRule = CodeType, .row = 15},
    {.id = 212, .name = "cb_codeType16", .page = Code13to16, .kind = List, .caption = "Code Type", .items = kCodeTypes, .listRule = CodeType, .row = 16},
    {.id = 213, .name = "ed_history05", .page = Code5to8, .kind = Text, .caption = "Maildrop History (Y,N)", .maxLength = 4, .filter = YesNo, .hint = "Enter Y or N.", .row = 5},
    {.id = 214, .name = "ed_history06", .page = Code5to8, .kind = Text, .caption = "Maildrop History (Y,N)", .maxLength = 4, .filter = YesNo, .hint = "Enter Y or N.", .row = 6},
    {.id = 215, .name = "ed_history07", .page = Code5to8, .kind = Text, .caption = "Maildrop History (Y,N)", .maxLength = 4, .filter = YesNo, .hint = "Enter Y or N.", .row = 7},
    {.id = 216, .name = "ed_history08", .page = Code5to8, .kind = Text, .caption = "Maildrop History (Y,N)", .maxLength = 4, .filter = YesNo, .hint = "Enter Y or N.", .row = 8},
    {.id = 217, .name = "ed_onOffDuty01", .page = Code1to4, .kind = Masked, .caption = "On / Off Duty (Y,N)", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 1},
    {.id = 218, .name = "ed_onOffDuty02", .page = Code1to4, .kind = Masked, .caption = "On / Off Duty (Y,N)", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 2},
    {.id = 219, .name = "ed_onOffDuty03", .page = Code1to4, .kind = Masked, .caption = "On / Off Duty (Y,N)", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 3},
    {.id = 220, .name = "ed_onOffDuty04", .page = Code1to4, .kind = Masked, .caption = "On / Off Duty (Y,N)", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 4},
    {.id = 221, .name = "ed_onOffDuty05", .page = Code5to8, .kind = Masked, .caption = "On / Off Duty (Y,N)", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 5},
    {.id = 222, .name = "ed_onOffDuty06", .page = Code5to8, .kind = Masked, .caption = "On / Off Duty (Y,N)", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 6},
    {.id = 223, .name = "ed_onOffDuty07", .page = Code5to8, .kind = Masked, .caption = "On / Off Duty (Y,N)", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 7},
    {.id = 224, .name = "ed_onOffDuty08", .page = Code5to8, .kind = Masked, .caption = "On / Off Duty (Y,N)", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 8},
    {.id = 225, .name = "ed_onOffDuty09", .page = Code9to12, .kind = Masked, .caption = "On / Off Duty (Y,N)", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 9},
    {.id = 226, .name = "ed_onOffDuty10", .page = Code9to12, .kind = Masked, .caption = "On / Off Duty (Y,N)", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 10},
    {.id = 227, .name = "ed_onOffDuty11", .page = Code9to12, .kind = Masked, .caption = "On / Off Duty (Y,N)", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 11},
    {.id = 228, .name = "ed_onOffDuty12", .page = Code9to12, .kind = Masked, .caption = "On / Off Duty (Y,N)", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 12},
    {.id = 229, .name = "ed_onOffDuty13", .page = Code13to16, .kind = Masked, .caption = "On / Off Duty (Y,N)", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 13},
    {.id = 230, .name = "ed_onOffDuty14", .page = Code13to16, .kind = Masked, .caption = "On / Off Duty (Y,N)", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 14},
    {.id = 231, .name = "ed_onOffDuty15", .page = Code13to16, .kind = Masked, .caption = "On / Off Duty (Y,N)", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 15},
    {.id = 232, .name = "ed_onOffDuty16", .page = Code13to16, .kind = Masked, .caption = "On / Off Duty (Y,N)", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 16},
    {.id = 233, .name = "ed_fixAlert01", .page = Code1to4, .kind = Masked, .caption = "Fix Alert", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 1},
    {.id = 234, .name = "ed_fixAlert02", .page = Code1to4, .kind = Masked, .caption = "Fix Alert", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 2},
    {.id = 235, .name = "ed_fixAlert03", .page = Code1to4, .kind = Masked, .caption = "Fix Alert", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 3},
    {.id = 236, .name = "ed_fixAlert04", .page = Code1to4, .kind = Masked, .caption = "Fix Alert", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 4},
    {.id = 237, .name = "ed_fixAlert05", .page = Code5to8, .kind = Masked, .caption = "Fix Alert", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 5},
    {.id = 238, .name = "ed_fixAlert06", .page = Code5to8, .kind = Masked, .caption = "Fix Alert", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 6},
    {.id = 239, .name = "ed_fixAlert07", .page = Code5to8, .kind = Masked, .caption = "Fix Alert", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 7},
    {.id = 240, .name = "ed_fixAlert08", .page = Code5to8, .kind = Masked, .caption = "Fix Alert", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 8},
    {.id = 241, .name = "ed_fixAlert09", .page = Code9to12, .kind = Masked, .caption = "Fix Alert", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 9},
    {.id = 242, .name = "ed_fixAlert10", .page = Code9to12, .kind = Masked, .caption = "Fix Alert", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 10},
    {.id = 243, .name = "ed_fixAlert11", .page = Code9to12, .kind = Masked, .caption = "Fix Alert", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 11},
    {.id = 244, .name = "ed_fixAlert12", .page = Code9to12, .kind = Masked, .caption = "Fix Alert", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 12},
    {.id = 245, .name = "ed_fixAlert13", .page = Code13to16, .kind = Masked, .caption = "Fix Alert", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 13},
    {.id = 246, .name = "ed_fixAlert14", .page = Code13to16, .kind = Masked, .caption = "Fix Alert", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 14},
    {.id = 247, .name = "ed_fixAlert15", .page = Code13to16, .kind = Masked, .caption = "Fix Alert", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 15},
    {.id = 248, .name = "ed_fixAlert16", .page = Code13to16, .kind = Masked, .caption = "Fix Alert", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 16},
    {.id = 249, .name = "ed_interruptVib01", .page = Code1to4, .kind = Masked, .caption = "Interrupted Vibrate Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 1},
    {.id = 250, .name = "ed_interruptVib02", .page = Code1to4, .kind = Masked, .caption = "Interrupted Vibrate Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 2},
    {.id = 251, .name = "ed_interruptVib03", .page = Code1to4, .kind = Masked, .caption = "Interrupted Vibrate Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 3},
    {.id = 252, .name = "ed_interruptVib04", .page = Code1to4, .kind = Masked, .caption = "Interrupted Vibrate Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 4},
    {.id = 253, .name = "ed_interruptVib05", .page = Code5to8, .kind = Masked, .caption = "Interrupted Vibrate Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 5},
    {.id = 254, .name = "ed_interruptVib06", .page = Code5to8, .kind = Masked, .caption = "Interrupted Vibrate Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 6},
    {.id = 255, .name = "ed_interruptVib07", .page = Code5to8, .kind = Masked, .caption = "Interrupted Vibrate Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 7},
    {.id = 256, .name = "ed_interruptVib08", .page = Code5to8, .kind = Masked, .caption = "Interrupted Vibrate Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 8},
    {.id = 257, .name = "ed_interruptVib09", .page = Code9to12, .kind = Masked, .caption = "Interrupted Vibrate Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 9},
    {.id = 258, .name = "ed_interruptVib10", .page = Code9to12, .kind = Masked, .caption = "Interrupted Vibrate Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 10},
    {.id = 259, .name = "ed_interruptVib11", .page = Code9to12, .kind = Masked, .caption = "Interrupted Vibrate Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 11},
    {.id = 260, .name = "ed_interruptVib12", .page = Code9to12, .kind = Masked, .caption = "Interrupted Vibrate Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 12},
    {.id = 261, .name = "ed_interruptVib13", .page = Code13to16, .kind = Masked, .caption = "Interrupted Vibrate Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 13},
    {.id = 262, .name = "ed_interruptVib14", .page = Code13to16, .kind = Masked, .caption = "Interrupted Vibrate Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 14},
    {.id = 263, .name = "ed_interruptVib15", .page = Code13to16, .kind = Masked, .caption = "Interrupted Vibrate Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 15},
    {.id = 264, .name = "ed_interruptVib16", .page = Code13to16, .kind = Masked, .caption = "Interrupted Vibrate Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 16},
    {.id = 265, .name = "ed_crescendo01", .page = Code1to4, .kind = Masked, .caption = "Escalating Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 1},
    {.id = 266, .name = "ed_crescendo02", .page = Code1to4, .kind = Masked, .caption = "Escalating Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 2},
    {.id = 267, .name = "ed_crescendo03", .page = Code1to4, .kind = Masked, .caption = "Escalating Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 3},
    {.id = 268, .name = "ed_crescendo04", .page = Code1to4, .kind = Masked, .caption = "Escalating Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 4},
    {.id = 269, .name = "ed_crescendo05", .page = Code5to8, .kind = Masked, .caption = "Escalating Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 5},
    {.id = 270, .name = "ed_crescendo06", .page = Code5to8, .kind = Masked, .caption = "Escalating Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 6},
    {.id = 271, .name = "ed_crescendo07", .page = Code5to8, .kind = Masked, .caption = "Escalating Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 7},
    {.id = 272, .name = "ed_crescendo08", .page = Code5to8, .kind = Masked, .caption = "Escalating Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 8},
    {.id = 273, .name = "ed_crescendo09", .page = Code9to12, .kind = Masked, .caption = "Escalating Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 9},
    {.id = 274, .name = "ed_crescendo10", .page = Code9to12, .kind = Masked, .caption = "Escalating Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 10},
    {.id = 275, .name = "ed_crescendo11", .page = Code9to12, .kind = Masked, .caption = "Escalating Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 11},
    {.id = 276, .name = "ed_crescendo12", .page = Code9to12, .kind = Masked, .caption = "Escalating Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 12},
    {.id = 277, .name = "ed_crescendo13", .page = Code13to16, .kind = Masked, .caption = "Escalating Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 13},
    {.id = 278, .name = "ed_crescendo14", .page = Code13to16, .kind = Masked, .caption = "Escalating Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 14},
    {.id = 279, .name = "ed_crescendo15", .page = Code13to16, .kind = Masked, .caption = "Escalating Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 15},
    {.id = 280, .name = "ed_crescendo16", .page = Code13to16, .kind = Masked, .caption = "Escalating Mode", .maxLength = 4, .mask = kFourLetterMask, .filter = YesNo, .maskKeys = true, .hint = "Enter characters. ", .row = 16},
    {.id = 281, .name = "cb_alertMode01_1", .page = Code1to4, .kind = List, .caption = "1", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 1, .column = 1},
    {.id = 282, .name = "cb_alertMode01_2", .page = Code1to4, .kind = List, .caption = "2", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 1, .column = 2},
    {.id = 283, .name = "cb_alertMode01_3", .page = Code1to4, .kind = List, .caption = "3", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 1, .column = 3},
    {.id = 284, .name = "cb_alertMode01_4", .page = Code1to4, .kind = List, .caption = "4", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 1, .column = 4},
    {.id = 285, .name = "cb_alertMode02_1", .page = Code1to4, .kind = List, .caption = "1", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 2, .column = 1},
    {.id = 286, .name = "cb_alertMode02_2", .page = Code1to4, .kind = List, .caption = "2", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 2, .column = 2},
    {.id = 287, .name = "cb_alertMode02_3", .page = Code1to4, .kind = List, .caption = "3", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 2, .column = 3},
    {.id = 288, .name = "cb_alertMode02_4", .page = Code1to4, .kind = List, .caption = "4", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 2, .column = 4},
    {.id = 289, .name = "cb_alertMode03_1", .page = Code1to4, .kind = List, .caption = "1", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 3, .column = 1},
    {.id = 290, .name = "cb_alertMode03_2", .page = Code1to4, .kind = List, .caption = "2", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 3, .column = 2},
    {.id = 291, .name = "cb_alertMode03_3", .page = Code1to4, .kind = List, .caption = "3", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 3, .column = 3},
    {.id = 292, .name = "cb_alertMode03_4", .page = Code1to4, .kind = List, .caption = "4", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 3, .column = 4},
    {.id = 293, .name = "cb_alertMode04_1", .page = Code1to4, .kind = List, .caption = "1", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 4, .column = 1},
    {.id = 294, .name = "cb_alertMode04_2", .page = Code1to4, .kind = List, .caption = "2", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 4, .column = 2},
    {.id = 295, .name = "cb_alertMode04_3", .page = Code1to4, .kind = List, .caption = "3", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 4, .column = 3},
    {.id = 296, .name = "cb_alertMode04_4", .page = Code1to4, .kind = List, .caption = "4", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 4, .column = 4},
    {.id = 297, .name = "cb_alertMode05_1", .page = Code5to8, .kind = List, .caption = "1", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 5, .column = 1},
    {.id = 298, .name = "cb_alertMode05_2", .page = Code5to8, .kind = List, .caption = "2", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 5, .column = 2},
    {.id = 299, .name = "cb_alertMode05_3", .page = Code5to8, .kind = List, .caption = "3", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 5, .column = 3},
    {.id = 300, .name = "cb_alertMode05_4", .page = Code5to8, .kind = List, .caption = "4", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 5, .column = 4},
    {.id = 301, .name = "cb_alertMode06_1", .page = Code5to8, .kind = List, .caption = "1", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 6, .column = 1},
    {.id = 302, .name = "cb_alertMode06_2", .page = Code5to8, .kind = List, .caption = "2", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 6, .column = 2},
    {.id = 303, .name = "cb_alertMode06_3", .page = Code5to8, .kind = List, .caption = "3", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 6, .column = 3},
    {.id = 304, .name = "cb_alertMode06_4", .page = Code5to8, .kind = List, .caption = "4", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 6, .column = 4},
    {.id = 305, .name = "cb_alertMode07_1", .page = Code5to8, .kind = List, .caption = "1", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 7, .column = 1},
    {.id = 306, .name = "cb_alertMode07_2", .page = Code5to8, .kind = List, .caption = "2", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 7, .column = 2},
    {.id = 307, .name = "cb_alertMode07_3", .page = Code5to8, .kind = List, .caption = "3", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 7, .column = 3},
    {.id = 308, .name = "cb_alertMode07_4", .page = Code5to8, .kind = List, .caption = "4", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 7, .column = 4},
    {.id = 309, .name = "cb_alertMode08_1", .page = Code5to8, .kind = List, .caption = "1", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 8, .column = 1},
    {.id = 310, .name = "cb_alertMode08_2", .page = Code5to8, .kind = List, .caption = "2", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 8, .column = 2},
    {.id = 311, .name = "cb_alertMode08_3", .page = Code5to8, .kind = List, .caption = "3", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 8, .column = 3},
    {.id = 312, .name = "cb_alertMode08_4", .page = Code5to8, .kind = List, .caption = "4", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 8, .column = 4},
    {.id = 313, .name = "cb_alertMode09_1", .page = Code9to12, .kind = List, .caption = "1", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 9, .column = 1},
    {.id = 314, .name = "cb_alertMode09_2", .page = Code9to12, .kind = List, .caption = "2", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 9, .column = 2},
    {.id = 315, .name = "cb_alertMode09_3", .page = Code9to12, .kind = List, .caption = "3", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 9, .column = 3},
    {.id = 316, .name = "cb_alertMode09_4", .page = Code9to12, .kind = List, .caption = "4", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 9, .column = 4},
    {.id = 317, .name = "cb_alertMode10_1", .page = Code9to12, .kind = List, .caption = "1", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 10, .column = 1},
    {.id = 318, .name = "cb_alertMode10_2", .page = Code9to12, .kind = List, .caption = "2", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 10, .column = 2},
    {.id = 319, .name = "cb_alertMode10_3", .page = Code9to12, .kind = List, .caption = "3", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 10, .column = 3},
    {.id = 320, .name = "cb_alertMode10_4", .page = Code9to12, .kind = List, .caption = "4", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 10, .column = 4},
    {.id = 321, .name = "cb_alertMode11_1", .page = Code9to12, .kind = List, .caption = "1", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 11, .column = 1},
    {.id = 322, .name = "cb_alertMode11_2", .page = Code9to12, .kind = List, .caption = "2", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 11, .column = 2},
    {.id = 323, .name = "cb_alertMode11_3", .page = Code9to12, .kind = List, .caption = "3", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 11, .column = 3},
    {.id = 324, .name = "cb_alertMode11_4", .page = Code9to12, .kind = List, .caption = "4", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 11, .column = 4},
    {.id = 325, .name = "cb_alertMode12_1", .page = Code9to12, .kind = List, .caption = "1", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 12, .column = 1},
    {.id = 326, .name = "cb_alertMode12_2", .page = Code9to12, .kind = List, .caption = "2", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 12, .column = 2},
    {.id = 327, .name = "cb_alertMode12_3", .page = Code9to12, .kind = List, .caption = "3", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 12, .column = 3},
    {.id = 328, .name = "cb_alertMode12_4", .page = Code9to12, .kind = List, .caption = "4", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 12, .column = 4},
    {.id = 329, .name = "cb_alertMode13_1", .page = Code13to16, .kind = List, .caption = "1", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 13, .column = 1},
    {.id = 330, .name = "cb_alertMode13_2", .page = Code13to16, .kind = List, .caption = "2", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 13, .column = 2},
    {.id = 331, .name = "cb_alertMode13_3", .page = Code13to16, .kind = List, .caption = "3", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 13, .column = 3},
    {.id = 332, .name = "cb_alertMode13_4", .page = Code13to16, .kind = List, .caption = "4", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 13, .column = 4},
    {.id = 333, .name = "cb_alertMode14_1", .page = Code13to16, .kind = List, .caption = "1", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 14, .column = 1},
    {.id = 334, .name = "cb_alertMode14_2", .page = Code13to16, .kind = List, .caption = "2", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 14, .column = 2},
    {.id = 335, .name = "cb_alertMode14_3", .page = Code13to16, .kind = List, .caption = "3", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 14, .column = 3},
    {.id = 336, .name = "cb_alertMode14_4", .page = Code13to16, .kind = List, .caption = "4", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 14, .column = 4},
    {.id = 337, .name = "cb_alertMode15_1", .page = Code13to16, .kind = List, .caption = "1", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 15, .column = 1},
    {.id = 338, .name = "cb_alertMode15_2", .page = Code13to16, .kind = List, .caption = "2", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 15, .column = 2},
    {.id = 339, .name = "cb_alertMode15_3", .page = Code13to16, .kind = List, .caption = "3", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 15, .column = 3},
    {.id = 340, .name = "cb_alertMode15_4", .page = Code13to16, .kind = List, .caption = "4", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 15, .column = 4},
    {.id = 341, .name = "cb_alertMode16_1", .page = Code13to16, .kind = List, .caption = "1", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 16, .column = 1},
    {.id = 342, .name = "cb_alertMode16_2", .page = Code13to16, .kind = List, .caption = "2", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 16, .column = 2},
    {.id = 343, .name = "cb_alertMode16_3", .page = Code13to16, .kind = List, .caption = "3", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 16, .column = 3},
    {.id = 344, .name = "cb_alertMode16_4", .page = Code13to16, .kind = List, .caption = "4", .group = "Alert Mode", .items = kAlertModes, .hint = kAlertModeHint, .row = 16, .column = 4},
    {.id = 345, .name = "cb_alertPattern01_1", .page = Code1to4, .kind = List, .caption = "1", .group = "Alert Pattern", .items = kAlertPatterns, .row = 1, .column = 1},
    {.id = 346, .name = "cb_alertPattern01_2", .page = Code1to4, .kind = List, .caption = "2", .group = "Alert Pattern", .items = kAlertPatterns, .row = 1, .column = 2},
    {.id = 347, .name = "cb_alertPattern01_3", .page = Code1to4, .kind = List, .caption = "3", .group = "Alert Pattern", .items = kAlertPatterns, .row = 1, .column = 3},
    {.id = 348, .name = "cb_alertPattern01_4", .page = Code1to4, .kind = List, .caption = "4", .group = "Alert Pattern", .items = kAlertPatterns, .row = 1, .column = 4},
    {.id = 349, .name = "cb_alertPattern02_1", .page = Code1to4, .kind = List, .caption = "1", .group = "Alert Pattern", .items = kAlertPatterns, .row = 2, .column = 1},
    {.id = 350, .name = "cb_alertPattern02_2", .page = Code1to4, .kind = List, .caption = "2", .group = "Alert Pattern", .items = kAlertPatterns, .row = 2, .column = 2},
    {.id = 351, .name = "cb_alertPattern02_3", .page = Code1to4, .kind = List, .caption = "3", .group = "Alert Pattern", .items = kAlertPatterns, .row = 2, .column = 3},
    {.id = 352, .name = "cb_alertPattern02_4", .page = Code1to4, .kind = List, .caption = "4", .group = "Alert Pattern", .items = kAlertPatterns, .row = 2, .column = 4},
    {.id = 353, .name = "cb_alertPattern03_1", .page = Code1to4, .kind = List, .caption = "1", .group = "Alert Pattern", .items = kAlertPatterns, .row = 3, .column = 1},
    {.id = 354, .name = "cb_alertPattern03_2", .page = Code1to4, .kind = List, .caption = "2", .group = "Alert Pattern", .items = kAlertPatterns, .row = 3, .column = 2},
    {.id = 355, .name = "cb_alertPattern03_3", .page = Code1to4, .kind = List, .caption = "3", .group = "Alert Pattern", .items = kAlertPatterns, .row = 3, .column = 3},
    {.id = 356, .name = "cb_alertPattern03_4", .page = Code1to4, .kind = List, .caption = "4", .group = "Alert Pattern", .items = kAlertPatterns, .row = 3, .column = 4},
    {.id = 357, .name = "cb_alertPattern04_1", .page = Code1to4, .kind = List, .caption = "1", .group = "Alert Pattern", .items = kAlertPatterns, .row = 4, .column = 1},
    {.id = 358, .name = "cb_alertPattern04_2", .page = Code1to4, .kind = List, .caption = "2", .group = "Alert Pattern", .items = kAlertPatterns, .row = 4, .column = 2},
    {.id = 359, .name = "cb_alertPattern04_3", .page = Code1to4, .kind = List, .caption = "3", .group = "Alert Pattern", .items = kAlertPatterns, .row = 4, .column = 3},
    {.id = 360, .name = "cb_alertPattern04_4", .page = Code1to4, .kind = List, .caption = "4", .group = "Alert Pattern", .items = kAlertPatterns, .row = 4, .column = 4},
    {.id = 361, .name = "cb_alertPattern05_1", .page = Code5to8, .kind = List, .caption = "1", .group = "Alert Pattern", .items = kAlertPatterns, .row = 5, .column = 1},
    {.id = 362, .name = "cb_alertPattern05_2", .page = Code5to8, .kind = List, .caption = "2", .group = "Alert Pattern", .items = kAlertPatterns, .row = 5, .column = 2},
    {.id = 363, .name = "cb_alertPattern05_3", .page = Code5to8, .kind = List, .caption = "3", .group = "Alert Pattern", .items = kAlertPatterns, .row = 5, .column = 3},
    {.id = 364, .name = "cb_alertPattern05_4", .page = Code5to8, .kind = List, .caption = "4", .group = "Alert Pattern", .items = kAlertPatterns, .row = 5, .column = 4},
    {.id = 365, .name = "cb_alertPattern06_1", .page = Code5to8, .kind = List, .caption = "1", .group = "Alert Pattern", .items = kAlertPatterns, .row = 6, .column = 1},
    {.id = 366, .name = "cb_alertPattern06_2", .page = Code5to8, .kind = List, .caption = "2", .group = "Alert Pattern", .items = kAlertPatterns, .row = 6, .column = 2},
    {.id = 367, .name = "cb_alertPattern06_3", .page = Code5to8, .kind = List, .caption = "3", .group = "Alert Pattern", .items = kAlertPatterns, .row = 6, .column = 3},
    {.id = 368, .name = "cb_alertPattern06_4", .page = Code5to8, .kind = List, .caption = "4", .group = "Alert Pattern", .items = kAlertPatterns, .row = 6, .column = 4},
    {.id = 369, .name = "cb_alertPattern07_1", .page = Code5to8, .kind = List, .caption = "1", .group = "Alert Pattern", .items = kAlertPatterns, .row = 7, .column = 1},
    {.id = 370, .name = "cb_alertPattern07_2", .page = Code5to8, .kind = List, .caption = "2", .group = "Alert Pattern", .items = kAlertPatterns, .row = 7, .column = 2},
    {.id = 371, .name = "cb_alertPattern07_3", .page = Code5to8, .kind = List, .caption = "3", .group = "Alert Pattern", .items = kAlertPatterns, .row = 7, .column = 3},
    {.id = 372, .name = "cb_alertPattern07_4", .page = Code5to8, .kind = List, .caption = "4", .group = "Alert Pattern", .items = kAlertPatterns, .row = 7, .column = 4},
    {.id = 373, .name = "cb_alertPattern08_1", .page = Code5to8, .kind = List, .caption = "1", .group = "Alert Pattern", .items = kAlertPatterns, .row = 8, .column = 1},
    {.id = 374, .name = "cb_alertPattern08_2", .page = Code5to8, .kind = List, .caption = "2", .group = "Alert Pattern", .items = kAlertPatterns, .row = 8, .column = 2},
    {.id = 375, .name = "cb_alertPattern08_3", .page = Code5to8, .kind = List, .caption = "3", .group = "Alert Pattern", .items = kAlertPatterns, .row = 8, .column = 3},
    {.id = 376, .name = "cb_alertPattern08_4", .page = Code5to8, .kind = List, .caption = "4", .group = "Alert Pattern", .items = kAlertPatterns, .row = 8, .column = 4},
    {.id = 377, .name = "cb_alertPattern09_1", .page = Code9to12, .kind = List, .caption = "1", .group = "Alert Pattern", .items = kAlertPatterns, .row = 9, .column = 1},
    {.id = 378, .name = "cb_alertPattern09_2", .page = Code9to12, .kind = List, .caption = "2", .group = "Alert Pattern", .items = kAlertPatterns, .row = 9, .column = 2},
    {.id = 379, .name = "cb_alertPattern09_3", .page = Code9to12, .kind = List, .caption = "3", .group = "Alert Pattern", .items = kAlertPatterns, .row = 9, .column = 3},
    {.id = 380, .name = "cb_alertPattern09_4", .page = Code9to12, .kind = List, .caption = "4", .group = "Alert Pattern", .items = kAlertPatterns, .row = 9, .column = 4},
    {.id = 381, .name = "cb_alertPattern10_1", .page = Code9to12, .kind = List, .caption = "1", .group = "Alert Pattern", .items = kAlertPatterns, .row = 10, .column = 1},
    {.id = 382, .name = "cb_alertPattern10_2", .page = Code9to12, .kind = List, .caption = "2", .group = "Alert Pattern", .items = kAlertPatterns, .row = 10, .column = 2},
    {.id = 383, .name = "cb_alertPattern10_3", .page = Code9to12, .kind = List, .caption = "3", .group = "Alert Pattern", .items = kAlertPatterns, .row = 10, .column = 3},
    {.id = 384, .name = "cb_alertPattern10_4", .page = Code9to12, .kind = List, .caption = "4", .group = "Alert Pattern", .items = kAlertPatterns, .row = 10, .column = 4},
    {.id = 385, .name = "cb_alertPattern11_1", .page = Code9to12, .kind = List, .caption = "1", .group = "Alert Pattern", .items = kAlertPatterns, .row = 11, .column = 1},
    {.id = 386, .name = "cb_alertPattern11_2", .page = Code9to12, .kind = List, .caption = "2", .group = "Alert Pattern", .items = kAlertPatterns, .row = 11, .column = 2},
    {.id = 387, .name = "cb_alertPattern11_3", .page = Code9to12, .kind = List, .caption = "3", .group = "Alert Pattern", .items = kAlertPatterns, .row = 11, .column = 3},
    {.id = 388, .name = "cb_alertPattern11_4", .page = Code9to12, .kind = List, .caption = "4", .group = "Alert Pattern", .items = kAlertPatterns, .row = 11, .column = 4},
    {.id = 389, .name = "cb_alertPattern12_1", .page = Code9to12, .kind = List, .caption = "1", .group = "Alert Pattern", .items = kAlertPatterns, .row = 12, .column = 1},
    {.id = 390, .name = "cb_alertPattern12_2", .page = Code9to12, .kind = List, .caption = "2", .group = "Alert Pattern", .items = kAlertPatterns, .row = 12, .column = 2},
    {.id = 391, .name = "cb_alertPattern12_3", .page = Code9to12, .kind = List, .caption = "3", .group = "Alert Pattern", .items = kAlertPatterns, .row = 12, .column = 3},
    {.id = 392, .name = "cb_alertPattern12_4", .page = Code9to12, .kind = List, .caption = "4", .group = "Alert Pattern", .items = kAlertPatterns, .row = 12, .column = 4},
    {.id = 393, .name = "cb_alertPattern13_1", .page = Code13to16, .kind = List, .caption = "1", .group = "Alert Pattern", .items = kAlertPatterns, .row = 13, .column = 1},
    {.id = 394, .name = "cb_alertPattern13_2", .page = Code13to16, .kind = List, .caption = "2", .group = "Alert Pattern", .items = kAlertPatterns, .row = 13, .column = 2},
    {.id = 395, .name = "cb_alertPattern13_3", .page = Code13to16, .kind = List, .caption = "3", .group = "Alert Pattern", .items = kAlertPatterns, .row = 13, .column = 3},
    {.id = 396, .name = "cb_alertPattern13_4", .page = Code13to16, .kind = List, .caption = "4", .group = "Alert Pattern", .items = kAlertPatterns, .row = 13, .column = 4},
    {.id = 397, .name = "cb_alertPattern14_1", .page = Code13to16, .kind = List, .caption = "1", .group = "Alert Pattern", .items = kAlertPatterns, .row = 14, .column = 1},
    {.id = 398, .name = "cb_alertPattern14_2", .page = Code13to16, .kind = List, .caption = "2", .group = "Alert Pattern", .items = kAlertPatterns, .row = 14, .column = 2},
    {.id = 399, .name = "cb_alertPattern14_3", .page = Code13to16, .kind = List, .caption = "3", .group = "Alert Pattern", .items = kAlertPatterns, .row = 14, .column = 3},
    {.id = 400, .name = "cb_alertPattern14_4", .page = Code13to16, .kind = List, .caption = "4", .group = "Alert Pattern", .items = kAlertPatterns, .row = 14, .column = 4},
    {.id = 401, .name = "cb_alertPattern15_1", .page = Code13to16, .kind = List, .caption = "1", .group = "Alert Pattern", .items = kAlertPatterns, .row = 15, .column = 1},
    {.id = 402, .name = "cb_alertPattern15_2", .page = Code13to16, .kind = List, .caption = "2", .group = "Alert Pattern", .items = kAlertPatterns, .row = 15, .column = 2},
    {.id = 403, .name = "cb_alertPattern15_3", .page = Code13to16, .kind = List, .caption = "3", .group = "Alert Pattern", .items = kAlertPatterns, .row = 15, .column = 3},
    {.id = 404, .name = "cb_alertPattern15_4", .page = Code13to16, .kind = List, .caption = "4", .group = "Alert Pattern", .items = kAlertPatterns, .row = 15, .column = 4},
    {.id = 405, .name = "cb_alertPattern16_1", .page = Code13to16, .kind = List, .caption = "1", .group = "Alert Pattern", .items = kAlertPatterns, .row = 16, .column = 1},
    {.id = 406, .name = "cb_alertPattern16_2", .page = Code13to16, .kind = List, .caption = "2", .group = "Alert Pattern", .items = kAlertPatterns, .row = 16, .column = 2},
    {.id = 407, .name = "cb_alertPattern16_3", .page = Code13to16, .kind = List, .caption = "3", .group = "Alert Pattern", .items = kAlertPatterns, .row = 16, .column = 3},
    {.id = 408, .name = "cb_alertPattern16_4", .page = Code13to16, .kind = List, .caption = "4", .group = "Alert Pattern", .items = kAlertPatterns, .row = 16, .column = 4},
    {.id = 411, .name = "ed_musicAlertPrompt", .page = Prompt2, .kind = Text, .caption = "Urgent Alert", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 412, .name = "ed_setMsgAlertPrompt", .page = Prompt2, .kind = Text, .caption = "Set Msg Alert", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 413, .name = "ed_setMsgReminderPrompt", .page = Prompt2, .kind = Text, .caption = "Set Msg Reminder", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters."},
    {.id = 414, .name = "ed_soundModePrompt", .page = Prompt2, .kind = Text, .caption = "Alert Mode", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 415, .name = "ed_soundAndVibModePrompt", .page = Prompt2, .kind = Text, .caption = "Alert && VIB Mode", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 416, .name = "ed_vibThenSoundModePrompt", .page = Prompt2, .kind = Text, .caption = "VIB Then Alert Mode", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 418, .name = "ed_vibratorModePrompt", .page = Prompt2, .kind = Text, .caption = "Vibrator Mode", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 419, .name = "ed_silentModePrompt", .page = Prompt2, .kind = Text, .caption = "Silent Mode", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 420, .name = "ed_continuousVibPrompt", .page = Prompt2, .kind = Text, .caption = "Continuous VIB", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 421, .name = "ed_interruptedVibPrompt", .page = Prompt2, .kind = Text, .caption = "Interrupted VIB", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 422, .name = "ed_crescendoPrompt", .page = Prompt2, .kind = Text, .caption = "Escalating Tone", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 423, .name = "ed_nonCrescendoPrompt", .page = Prompt2, .kind = Text, .caption = "General Tone", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 424, .name = "ed_dutyEnablePrompt", .page = Prompt2, .kind = Text, .caption = "Include", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 425, .name = "ed_dutyDisablePrompt", .page = Prompt2, .kind = Text, .caption = "Exclude", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 426, .name = "ed_sourcePrompt", .page = Prompt2, .kind = Text, .caption = "Source", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 427, .name = "ed_source25Prompt", .page = Source9to16, .kind = Text, .caption = "Source 7-1 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 7, .column = 1},
    {.id = 428, .name = "ed_source26Prompt", .page = Source9to16, .kind = Text, .caption = "Source 7-2 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 7, .column = 2},
    {.id = 429, .name = "ed_source27Prompt", .page = Source9to16, .kind = Text, .caption = "Source 7-3 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 7, .column = 3},
    {.id = 430, .name = "ed_source28Prompt", .page = Source9to16, .kind = Text, .caption = "Source 7-4 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 7, .column = 4},
    {.id = 431, .name = "ed_source29Prompt", .page = Source9to16, .kind = Text, .caption = "Source 8-1 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 8, .column = 1},
    {.id = 432, .name = "ed_source30Prompt", .page = Source9to16, .kind = Text, .caption = "Source 8-2 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 8, .column = 2},
    {.id = 433, .name = "ed_source31Prompt", .page = Source9to16, .kind = Text, .caption = "Source 8-3 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 8, .column = 3},
    {.id = 434, .name = "ed_source32Prompt", .page = Source9to16, .kind = Text, .caption = "Source 8-4 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 8, .column = 4},
    {.id = 435, .name = "ed_source33Prompt", .page = Source9to16, .kind = Text, .caption = "Source 9-1 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 9, .column = 1},
    {.id = 436, .name = "ed_source34Prompt", .page = Source9to16, .kind = Text, .caption = "Source 9-2 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 9, .column = 2},
    {.id = 437, .name = "ed_source35Prompt", .page = Source9to16, .kind = Text, .caption = "Source 9-3 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 9, .column = 3},
    {.id = 438, .name = "ed_source36Prompt", .page = Source9to16, .kind = Text, .caption = "Source 9-4 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 9, .column = 4},
    {.id = 439, .name = "ed_source37Prompt", .page = Source9to16, .kind = Text, .caption = "Source 10-1 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 10, .column = 1},
    {.id = 440, .name = "ed_source38Prompt", .page = Source9to16, .kind = Text, .caption = "Source 10-2 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 10, .column = 2},
    {.id = 441, .name = "ed_source39Prompt", .page = Source9to16, .kind = Text, .caption = "Source 10-3 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 10, .column = 3},
    {.id = 442, .name = "ed_source40Prompt", .page = Source9to16, .kind = Text, .caption = "Source 10-4 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 10, .column = 4},
    {.id = 443, .name = "ed_source41Prompt", .page = Source9to16, .kind = Text, .caption = "Source 11-1 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 11, .column = 1},
    {.id = 444, .name = "ed_source42Prompt", .page = Source9to16, .kind = Text, .caption = "Source 11-2 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 11, .column = 2},
    {.id = 445, .name = "ed_source43Prompt", .page = Source9to16, .kind = Text, .caption = "Source 11-3 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 11, .column = 3},
    {.id = 446, .name = "ed_source44Prompt", .page = Source9to16, .kind = Text, .caption = "Source 11-4 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 11, .column = 4},
    {.id = 447, .name = "ed_source45Prompt", .page = Source9to16, .kind = Text, .caption = "Source 12-1 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 12, .column = 1},
    {.id = 448, .name = "ed_source46Prompt", .page = Source9to16, .kind = Text, .caption = "Source 12-2 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 12, .column = 2},
    {.id = 449, .name = "ed_source47Prompt", .page = Source9to16, .kind = Text, .caption = "Source 12-3 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 12, .column = 3},
    {.id = 450, .name = "ed_source48Prompt", .page = Source9to16, .kind = Text, .caption = "Source 12-4 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 12, .column = 4},
    {.id = 451, .name = "ed_source49Prompt", .page = Source9to16, .kind = Text, .caption = "Source 13-1 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 13, .column = 1},
    {.id = 452, .name = "ed_source50Prompt", .page = Source9to16, .kind = Text, .caption = "Source 13-2 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 13, .column = 2},
    {.id = 453, .name = "ed_source51Prompt", .page = Source9to16, .kind = Text, .caption = "Source 13-3 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 13, .column = 3},
    {.id = 454, .name = "ed_source52Prompt", .page = Source9to16, .kind = Text, .caption = "Source 13-4 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 13, .column = 4},
    {.id = 455, .name = "ed_source53Prompt", .page = Source9to16, .kind = Text, .caption = "Source 14-1 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 14, .column = 1},
    {.id = 456, .name = "ed_source54Prompt", .page = Source9to16, .kind = Text, .caption = "Source 14-2 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 14, .column = 2},
    {.id = 457, .name = "ed_source55Prompt", .page = Source9to16, .kind = Text, .caption = "Source 14-3 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 14, .column = 3},
    {.id = 458, .name = "ed_source56Prompt", .page = Source9to16, .kind = Text, .caption = "Source 14-4 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 14, .column = 4},
    {.id = 459, .name = "ed_source57Prompt", .page = Source9to16, .kind = Text, .caption = "Source 15-1 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 15, .column = 1},
    {.id = 460, .name = "ed_source58Prompt", .page = Source9to16, .kind = Text, .caption = "Source 15-2 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 15, .column = 2},
    {.id = 461, .name = "ed_source59Prompt", .page = Source9to16, .kind = Text, .caption = "Source 15-3 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 15, .column = 3},
    {.id = 462, .name = "ed_source60Prompt", .page = Source9to16, .kind = Text, .caption = "Source 15-4 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 15, .column = 4},
    {.id = 463, .name = "ed_source61Prompt", .page = Source9to16, .kind = Text, .caption = "Source 16-1 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 16, .column = 1},
    {.id = 464, .name = "ed_source62Prompt", .page = Source9to16, .kind = Text, .caption = "Source 16-2 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 16, .column = 2},
    {.id = 465, .name = "ed_source63Prompt", .page = Source9to16, .kind = Text, .caption = "Source 16-3 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 16, .column = 3},
    {.id = 466, .name = "ed_source64Prompt", .page = Source9to16, .kind = Text, .caption = "Source 16-4 Prompt", .maxLength = 20, .filter = PromptCharacters, .row = 16, .column = 4},
    {.id = 467, .name = "ed_setOffDutyPrompt", .page = Prompt2, .kind = Text, .caption = "Off Duty", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 468, .name = "ed_setOnDutyPrompt", .page = Prompt2, .kind = Text, .caption = "On Duty", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 469, .name = "cb_fixAlert", .page = Alert, .kind = List, .caption = "Fix Reminder Alert", .items = kFixAlerts},
    {.id = 471, .name = "cb_defaultReminderVibMode", .page = Alert, .kind = List, .caption = "Default Reminder Vibrate Mode", .items = kVibModes},
    {.id = 472, .name = "cb_defaultReminderCrescendoMode", .page = Alert, .kind = List, .caption = "Default Reminder Escalating Mode", .items = kCrescendoModes},
    {.id = 473, .name = "cb_defaultReminderAlertMode", .page = Alert, .kind = List, .caption = "Default Reminder Alert Mode", .items = kReminderAlertModes},
    {.id = 474, .name = "cb_defaultReminderAlertPattern", .page = Alert, .kind = List, .caption = "Default Reminder Alert Pattern", .items = kAlertPatterns},
    {.id = 475, .name = "cb_defaultZoom", .page = MoreFeatures, .kind = List, .caption = "Default Zoom", .items = kZoomLines},
    {.id = 476, .name = "cb_onOffDuty", .page = General, .kind = List, .caption = "On / Off Duty", .items = kDisableEnable},
    {.id = 478, .name = "cb_timeFormat", .page = MoreFeatures, .kind = List, .caption = "12/24 Time Format", .items = kTimeFormats},
    {.id = 479, .name = "cb_turnOnPager", .page = MoreFeatures, .kind = List, .caption = "Turn On Pager", .items = kTurnOnKeys},
    {.id = 480, .name = "cb_codeMode", .page = General, .kind = List, .caption = "Pager Type", .items = kPagerTypes, .flags = {.disabled = true}},
    {.id = 483, .name = "cb_selDutySource", .page = MoreFeatures, .kind = List, .caption = "User Selectable Duty Source", .items = kNoYes},
    {.id = 484, .name = "cb_newAlertMenu", .page = General, .kind = List, .caption = "New Alert Mode", .items = kNoYes},
    {.id = 485, .name = "cb_maxErrorsUHB7B6", .page = Features, .kind = List, .caption = "Address Decode Errors", .items = kBitErrors, .flags = {.hidden = true}},
    {.id = 486, .name = "cb_maxErrorsUHB5B4", .page = Features, .kind = List, .caption = "Data Decode Error", .items = kBitErrors, .flags = {.hidden = true}},
    {.id = 487, .name = "cb_scLostNumNormalMod", .page = Features, .kind = List, .caption = "Retry After SC Fail", .items = kRetries, .flags = {.hidden = true}},
    {.id = 488, .name = "ed_setToOffDutyPrompt", .page = Prompt2, .kind = Text, .caption = "Set To Off Duty", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 489, .name = "ed_setToOnDutyPrompt", .page = Prompt2, .kind = Text, .caption = "Set To On Duty", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 490, .name = "cb_supportDualFreq", .page = General, .kind = List, .caption = "Enable Dual Frequency", .items = kDisableEnable, .flags = {.disabled = true}},
    {.id = 491, .name = "ed_frequency2", .page = General, .kind = Masked, .group = "Secondary Frequency (MHz)", .maxLength = 9, .mask = kFrequencyMask, .hint = "Enter frequency."},
    {.id = 492, .name = "cb_dualFreqMenu", .page = General, .kind = List, .caption = "User Selectable Frequency", .items = kDisableEnable},
    {.id = 494, .name = "ed_switchSitePrompt", .page = Prompt2, .kind = Text, .caption = "Switch To Primary", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 495, .name = "ed_switchWidePrompt", .page = Prompt2, .kind = Text, .caption = "Switch To Secondary", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 496, .name = "cb_freqBand", .page = General, .kind = List, .caption = "Band Split", .items = kFrequencyBands, .flags = {.disabled = true}},
    {.id = 497, .name = "cb_nwBand", .page = General, .kind = List, .caption = "Narrow / Wide Band", .items = kWideNarrow, .flags = {.disabled = true}},
    {.id = 498, .name = "cb_cpfUif_Paging_Auto_Backlight", .page = Features, .kind = List, .caption = "Paging Auto Backlight", .items = kNoYes, .flags = {.hidden = true}},
    {.id = 499, .name = "cb_cpfUif_Auto_Backlight_Mode", .page = Features, .kind = List, .caption = "Auto Backlight Mode", .items = kBacklightModes, .flags = {.hidden = true}},
    {.id = 500, .name = "cb_cpfUif_New_Msg_Auto_Display", .page = Features, .kind = List, .caption = "Auto Display Msg When Paging", .items = kNoYes, .flags = {.hidden = true}},
    {.id = 501, .name = "ed_DualFrequencyMenuPrompt", .page = Prompt2, .kind = Text, .caption = "Dual Frequency Menu", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 502, .name = "ed_PriorityScanPrompt", .page = Prompt2, .kind = Text, .caption = "Priority Scan", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 503, .name = "cb_fUif_User_Password_Enable", .page = PasswordOta, .kind = List, .caption = "Password Enable", .group = "User Password", .items = kDisableEnable},
    {.id = 504, .name = "cb_fUif_User_Password_Level", .page = PasswordOta, .kind = List, .group = "Password Level - only RD", .items = kPasswordLevels},
    {.id = 505, .name = "ed_cpwFc_Pswd_Timeout_m", .page = PasswordOta, .kind = Text, .caption = "h", .group = "Password Timeout (Max.12h)", .maxLength = 3, .filter = Decimal, .hint = "Enter minutes. (Max.720)"},
    {.id = 506, .name = "ed_cpwFc_Pswd_Timeout_h", .page = PasswordOta, .kind = Text, .caption = "Password Timeout (Max.12h)", .group = "Password Timeout (Max.12h)", .maxLength = 2, .filter = Decimal, .hint = "Enter hours. (Max. 12)"},
    {.id = 507, .name = "ed_cpwFc_Pswd_Timeout_s", .page = PasswordOta, .kind = Text, .caption = "m", .group = "Password Timeout (Max.12h)", .maxLength = 5, .filter = Decimal, .hint = "Enter seconds. (Max.43200)"},
    {.id = 508, .name = "ed_cpwFc_Password_LRUD", .page = PasswordOta, .kind = ReadOnly, .caption = "User Password", .hint = "L=Left key,  R=Right key,  U=Up key,  D=Down key."},
    {.id = 509, .name = "ed_INPUT_PASSWORD_PROMPT", .page = Prompt2, .kind = Text, .caption = "Input Password", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 510, .name = "ed_PASSWORD_KEY_PROMPT", .page = Prompt2, .kind = Text, .caption = "Direction Key For Input", .maxLength = 20, .filter = PromptCharacters, .hint = "Enter characters.", .flags = {.restoresDefault = true}},
    {.id = 511, .name = "cb_PLL_Type", .page = General, .kind = List, .caption = "PLL IC Type Selections", .items = kPllTypes, .flags = {.disabled = true, .hidden = true}},
    {.id = 512, .name = "cb_nwBandCombo", .page = General, .kind = List, .caption = "Combo Narrow / Wide", .items = kNoneCombo, .flags = {.disabled = true}},
    {.id = 531, .name = "cb_EnableSingleMessage", .page = MoreFeatures, .kind = List, .caption = "Enable Single Message", .items = kNoYes},
    {.id = 0, .name = "ed_persMemSizeString", .page = General, .kind = ReadOnly, .caption = "Personal Memory", .group = "Total Memory", .flags = {.notTabStop = true}},
    {.id = 0, .name = "ed_persMaildropString", .page = General, .kind = ReadOnly, .caption = "Maildrop Memory", .group = "Total Memory", .flags = {.notTabStop = true}},
    {.id = 0, .name = "ed_cpwFc_Password", .page = PasswordOta, .kind = ReadOnly, .maxLength = 8, .filter = UserPassword, .flags = {.hidden = true}},
});
// clang-format on
#pragma GCC diagnostic pop

}  // namespace

std::span<const FieldEntry> allFields() {
  return kFields;
}

const FieldEntry* findField(FieldId id) {
  if (id == kNoFieldId) return nullptr;
  for (const FieldEntry& f : kFields) {
    if (f.id == id) return &f;
  }
  return nullptr;
}

const FieldEntry* findField(std::string_view name) {
  for (const FieldEntry& f : kFields) {
    if (f.name == name) return &f;
  }
  return nullptr;
}

PageModuleId owningModule(const FieldEntry& field) {
  // Canned messages, 14-bit decoding and the display contrast sit on
  // "More Features" but are stored and refreshed with the Features page.
  constexpr std::array kFeaturesFieldsOnMoreFeatures{153, 154, 155, 156, 157, 161};
  for (FieldId id : kFeaturesFieldsOnMoreFeatures) {
    if (field.id == id) return PageModuleId::Features;
  }
  return moduleOfPage(field.page);
}

namespace {
// Control name prefixes of the code-row columns, in CodeColumn order.
constexpr std::array<std::string_view, 11> kCodeColumnPrefixes{
    "ed_code",      "ed_function",  "ed_priority",    "cb_codeType",
    "ed_history",   "ed_onOffDuty", "ed_fixAlert",    "ed_interruptVib",
    "ed_crescendo", "cb_alertMode", "cb_alertPattern"};
}  // namespace

std::optional<CodeColumn> codeColumnOf(const FieldEntry& field) {
  if (field.row == 0 || moduleOfPage(field.page) != PageModuleId::GeneralCode) return std::nullopt;
  for (std::size_t i = 0; i < kCodeColumnPrefixes.size(); ++i) {
    if (field.name.starts_with(kCodeColumnPrefixes[i])) return static_cast<CodeColumn>(i);
  }
  return std::nullopt;
}

const FieldEntry* codeRowField(CodeColumn column, int code, int function) {
  const std::string_view prefix = kCodeColumnPrefixes[static_cast<std::size_t>(column)];
  for (const FieldEntry& f : kFields) {
    if (f.row == code && f.column == function && f.name.starts_with(prefix)) {
      return &f;
    }
  }
  return nullptr;
}

}  // namespace zelta::pages
