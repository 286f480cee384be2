#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "codeplug/frequency_band.h"
#include "codeplug/frequency_synthesizer.h"
#include "models/models.h"
#include "text/prompt_catalogue.h"

namespace zelta::codeplug {

inline constexpr int kMaxCodes = 16;   // codes on the Code pages
inline constexpr int kCodeSlots = 32;  // code strings held (17-32 unused by the pages)
inline constexpr int kFunctionsPerCode = 4;

// Settings of the 2 KB decoders that the large-image builder writes into the
// decoder parameter area and the low bits of the wide code slots.
struct DecoderParameters {
  std::array<int, 10> alertPatternBits{};
  int preambleErrorBits = 2;
  int syncCodewordErrorBits = 2;
  int firstNonSyncLost = 2;
  int secondNonSyncLost = 3;
  int messageErrorCodewords = 2;
  std::array<int, 6> bitNumbers{576, 544, 32, 496, 480, 64};

  bool operator==(const DecoderParameters&) const = default;
};

// Image bytes that no page edits, carried from the image into the settings
// and back unchanged.
struct KeptBytes {
  std::array<std::uint8_t, 3> header{};      // 0x14-0x16
  int bandLowBits = 0;                       // 0x73 bits 2-0
  int byte74Bits = 2;                        // 0x74 bits 1-0
  int cannedOneOf = 2;                       // 0x75 bits 4-0 as an index (0x10 -> 0 ... )
  bool byte79Bit2 = false;                   // 0x79 bit 2 (families A-C)
  bool byteB9Bit1 = false;                   // 0xB9 bit 1
  int byte84 = 50;                           // 0x84
  bool synthesizerFlag = true;               // 0x13 bit 2
  int oscillatorFlags32 = 0;                 // 0x320 bits 3 and 2, as bits 1-0
  std::array<std::uint8_t, 21> block21{};    // 0x2EA (C: 0x7CC)
  std::array<std::uint8_t, 222> block222{};  // 0x322
  // Model '#': two fixed 18-byte prompts, two 2-byte values, raw blocks.
  std::array<std::uint8_t, 18> rawPowerUpPrompt{};
  std::array<std::uint8_t, 18> rawDisablePrompt{};
  std::uint16_t rawValue1 = 0;
  std::uint16_t rawValue2 = 0;
  std::array<std::uint8_t, 320> rawBlock320{};
  std::array<std::uint8_t, 64> rawBlock64{};
  std::array<std::uint8_t, 32> rawBlock32{};
  int slot11And12Bits = 0;    // D-F: (slot 12 bits) x 4 + (slot 11 bits)
  int userPasswordFlags = 0;  // F: 0x48 bits 2-0 beyond the three named flags

  bool operator==(const KeptBytes&) const = default;
};

// The decoded settings that the pages edit: list selections as indexes from
// 0, flags as "Y"/"N" letters, codes as 7-character digit strings, texts as
// strings. Members are named after the control that shows them (prefix
// dropped); controls without a setting of their own are derived on showing.
// Defaults are set by the defaults module; the values here only keep a
// fresh record well defined.
class SettingsRecord {
 public:
  SettingsRecord();

  // --- Header and receiver values (no control) ---
  // The current modelCode and the header values cgromType, memorySize and
  // largeMemory live with the image they describe (CodeplugImage).
  models::ModelCode modelCodeAsRead = models::kNoModel;  // from the file or image last read
  bool pagerUnprogrammed = false;
  Hertz receiveFrequencyHz = 0;
  Hertz receiveFrequency2Hz = 0;
  SynthesizerParameters receiver;   // primary frequency
  SynthesizerParameters receiver2;  // second frequency (families E, F)
  bool bandFieldMark = false;       // codeplug version later than 8.2.5
  std::string codeplugVersionText;
  int hardwareVariant = 0;                                 // families D-F: 0, 2 or 3
  std::array<std::uint8_t, 4> tuningBytes{9, 90, 78, 98};  // 0x2FF, 0x3D, 0x3E, 0x3F
  int receiverP1 = 14;
  int receiverP2 = 1;
  int receiverP3 = 16;
  int baudConstant = 3;  // 3, 7 or 14 by coding format
  int dualFrequencyMode = 2;
  KeptBytes kept;
  DecoderParameters decoder;

  // --- General page ---
  std::string frequency;     // ed_frequency, "%3s.%4s" ("%3s.%5s" D-F)
  std::string frequency2;    // ed_frequency2
  int codingFormat = 0;      // "POCSAG 512", "POCSAG 1200", "POCSAG 2400"
  int deafPager = 0;         // "Standard", "Deaf"
  std::string ICN;           // ed_ICN, at most 10
  std::string serialNumber;  // ed_serialNumber, at most 10
  int memorySplit = 10;      // stored value of byte 0xC9
  int freqBand = 0;
  int nwBand = 0;           // "Wide", "Narrow"
  int PLL_Type = 0;         // "HI8107", "MB15E03", "NPC5170", "FS8107 / FS8108"
  int nwBandCombo = 0;      // "None", "Combo"
  int supportDualFreq = 0;  // "Disable", "Enable"
  int dualFreqMenu = 0;     // "Disable", "Enable"
  int noSequentialInc = 1;  // 1-8
  int codeMode = 0;         // "Zelta Kestra", "Zelta Lumio", "Zelta Varda"
  int onOffDuty = 0;        // "Disable", "Enable"
  int newAlertMenu = 0;     // "No", "Yes"

  // --- Code pages; index 0 = code 01 ---
  std::array<std::string, kCodeSlots> code;           // 7 characters; seven spaces = none
  std::array<std::string, kMaxCodes> function;        // "TNAA" ...
  std::array<std::string, kMaxCodes> priority;        // "Y"/"N" per function
  std::array<std::string, kMaxCodes> history;         // "Y"/"N" per function
  std::array<int, kMaxCodes> codeType{};              // Individual, Group, Mail Drop
  std::array<std::string, kMaxCodes> onOffDutyFlags;  // ed_onOffDuty01 ...
  std::array<std::string, kMaxCodes> fixAlert;        // ed_fixAlert01 ...
  std::array<std::string, kMaxCodes> interruptVib;    // ed_interruptVib01 ...
  std::array<std::string, kMaxCodes> crescendo;       // ed_crescendo01 ...
  std::array<std::array<int, kFunctionsPerCode>, kMaxCodes> alertMode{};     // "1"-"6"
  std::array<std::array<int, kFunctionsPerCode>, kMaxCodes> alertPattern{};  // STD, PL1-8, UG1-7

  // --- Prompt and source pages ---
  int internationalPrompt = 0;
  int internationalCharSet = 0;
  int showSource = 0;          // "No", "Yes"
  bool promptsAsText = false;  // byte 0x79 bit 1: text (1) or default-prompt indexes (0)
  text::PromptSet prompts;     // every prompt, sources included, by text::PromptId

  // --- Alert page ---
  int disableAllAlerts = 0;
  int vibrator = 0;
  int oorAlert = 0;
  int lowCellAlert = 0;
  int manualAlertReset = 0;
  int enableMaildropAlert = 0;
  int userSelectableAlerts = 0;
  int userChangableAlertMode = 0;
  int realTimeClock = 0;
  int internationalDate = 0;
  int showTimeStamp = 0;
  int keyChirp = 0;
  int alarmAlwaysAudible = 0;
  int individualMessageAlarm = 0;
  int autoAlarmTurnOn = 0;
  int autoOnOff = 0;
  int autoOnOffAlert = 0;
  int alertFrequency = 0;
  int alertDuration = 0;              // 0-2
  int programmablePleasingAlert = 0;  // "Default", "Custom"
  std::array<std::uint8_t, 16> melody{};
  int reminderAlertInterval = 0;
  int reminderAlertTimeout = 0;
  int reminderAlertDuration = 0;
  int oorTime = 0;
  int std4PulseDuration = 0;
  int std4RepeatPeriod = 0;
  int defaultAlert = 0;
  int defaultReminderAlert = 0;
  int defaultReminderAlertPattern = 0;
  int defaultReminderAlertMode = 0;
  int defaultReminderCrescendoMode = 0;
  int defaultReminderVibMode = 0;
  int fixAlertReminder = 0;  // cb_fixAlert: "Non Fix", "Fix"

  // --- Password / OTA page ---
  std::string downloadPassword;
  std::string otaPassword;
  std::string otaGroupPassword;
  int rfProgramming = 0;
  int silentRFProgramming = 0;
  int dataInversion = 0;
  int securityLevel = 0;              // "None", "Maximum"
  int fUif_User_Password_Enable = 0;  // "Disable", "Enable"
  int fUif_User_Password_Level = 0;   // "Read", "All"
  std::string cpwFc_Password;         // digits 0-3, at most 8
  int userPasswordKeyCount = 2;       // keys in the sequence (F: byte 0x48 bits 7-5 + 2)
  int userPasswordTimeout = 300;      // seconds; shown as h, m, s
  int cpfUif_Paging_Auto_Backlight = 0;
  int cpfUif_Auto_Backlight_Mode = 0;  // "Always ON", "Flash"
  int cpfUif_New_Msg_Auto_Display = 0;

  // --- Features page ---
  int retainErroredNumeric = 0;
  int retainErroredNonNumeric = 0;
  int retainBetterMaildrop = 0;
  int personalMessageNotebook = 0;
  int maildropMessageNotebook = 0;
  int duplication = 0;
  int sourceIndependentDuplication = 0;
  int truncatedMessageIndicator = 0;
  int badDataIndication = 0;
  int messageContinueIndicator = 0;
  int stopDecodeMissSync = 0;
  int allowOff = 0;
  int manualDelete = 0;
  int nonVolatileMemory = 0;
  int memoryCleanup = 0;
  int messageLocking = 0;
  int deleteSlotNumber = 0;
  int messagePreview = 0;
  int autoBacklight = 0;
  int sequentialLockoutPeriod = 0;
  int readTimeout = 0;
  int fastScrollTime = 0;
  int functionMenuDisplay = 0;  // 0-2
  std::string endMsgChar;       // two hexadecimal digits
  int displayContrast = 9;      // model ' ': end-of-message character as a number
  int maxErrorsUHB7B6 = 0;      // D-F: byte 0x16 bits 7-6
  int maxErrorsUHB5B4 = 0;      // D-F: byte 0x16 bits 5-4
  int scLostNumNormalMod = 0;   // stored value (item index + 1)

  // --- More Features page ---
  int batteryGauge = 0;
  int printerEnabled = 0;
  int showMemFull = 0;
  int zoom = 0;
  int receiveWhileOff = 0;  // model '#': shown in the zoom control
  int toneOnlySupport = 0;
  int selDutySource = 0;
  int EnableSingleMessage = 0;
  int batteryGaugeHiLevel = 0;
  int batteryGaugeMedLevel = 0;
  int batteryGaugeLoLevel = 0;
  int lowCellPeriod = 0;
  int timeFormat = 0;          // "24", "12"
  int turnOnPager = 0;         // "Click", "2 Sec"
  int defaultZoom = 0;         // "4 Line", "2 Line"
  int B14bitDecoding = 0;      // cgromType 1 and 2 (byte 0x75 bit 7)
  int b14bitDecodingRom3 = 0;  // cgromType 3 (byte 0x78 bit 0)
  int regularCannedMsg = 0;
  int ideoNumericCanned = 0;   // 0-2
  std::string startCannedMsg;  // four hexadecimal digits
  std::string endCannedMsg;

  // --- Service values ---
  std::string textContrast;  // 0-15 as decimal text
  std::string iconContrast;  // 0-3 as decimal text
  int serviceAdjust = 0;     // list position 0-16
  int lcdAdjust1 = 0;
  int lcdAdjust2 = 15;
};

// --- Access by control name ---
//
// Every setting with a control (and the few named values without one, such
// as the memory split) is listed by name with its kind, so that the command
// line, the page rules and the tests can read and write the record without
// knowing its members.

enum class FieldKind {
  Index,  // a list index or a number
  Text,   // a string: codes, letters, texts, prompts
};

using FieldValue = std::variant<int, std::string>;

struct FieldDescriptor {
  std::string name;  // control name, e.g. "cb_codingFormat", "ed_code01"
  FieldKind kind;
  // Accessors to the one member the field stands for; exactly one is set:
  // indexField for Index, textField or (for the prompts, whose text is held
  // in place) promptField for Text. element selects a code, function or prompt.
  int* (*indexField)(SettingsRecord&, int element) = nullptr;
  std::string* (*textField)(SettingsRecord&, int element) = nullptr;
  text::PromptText* (*promptField)(SettingsRecord&, int element) = nullptr;
  int element = 0;
};

// All fields, in page order; built once.
std::span<const FieldDescriptor> settingsFields();
// By control name, for the command line and the converter; the pages hold
// their descriptors (pages/field_catalog.h) and never look names up.
const FieldDescriptor* findSettingsField(std::string_view name);

FieldValue readSettingsField(const SettingsRecord& record, const FieldDescriptor& field);
// Writes value (of the field's kind); false for a value of the wrong kind.
bool writeSettingsField(SettingsRecord& record, const FieldDescriptor& field,
                        const FieldValue& value);

std::optional<FieldValue> readSettingsField(const SettingsRecord& record, std::string_view name);
// Writes value (of the field's kind) into the named field; false for an
// unknown name or a value of the wrong kind. A prompt keeps the first 20
// characters of a longer text.
bool writeSettingsField(SettingsRecord& record, std::string_view name, const FieldValue& value);
// The field's value as text (an index in decimal).
std::string settingsFieldText(const SettingsRecord& record, const FieldDescriptor& field);
// Parses text for the field's kind (a decimal number for an index field).
bool writeSettingsFieldText(SettingsRecord& record, const FieldDescriptor& field,
                            std::string_view text);

}  // namespace zelta::codeplug
