#include "codeplug/settings_record.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <vector>

namespace zelta::codeplug {

SettingsRecord::SettingsRecord() {
  code.fill(std::string(7, ' '));
  function.fill("TNAA");
  priority.fill("NNNN");
  history.fill("NNNN");
  onOffDutyFlags.fill("NNNN");
  fixAlert.fill("NNNN");
  interruptVib.fill("NNNN");
  crescendo.fill("NNNN");
  melody.fill(0xE9);
  kept.block21.fill(0xF3);
}

namespace {

// Accessors, one instantiation per member: the descriptor table stays data.
template <int SettingsRecord::*M>
int* indexMember(SettingsRecord& r, int) {
  return &(r.*M);
}
template <std::string SettingsRecord::*M>
std::string* textMember(SettingsRecord& r, int) {
  return &(r.*M);
}
template <auto M>
int* indexElement(SettingsRecord& r, int e) {
  return &(r.*M)[static_cast<std::size_t>(e)];
}
template <auto M>
std::string* textElement(SettingsRecord& r, int e) {
  return &(r.*M)[static_cast<std::size_t>(e)];
}
template <auto M>
int* perFunctionIndex(SettingsRecord& r, int e) {
  return &(r.*M)[static_cast<std::size_t>(e / kFunctionsPerCode)]
                [static_cast<std::size_t>(e % kFunctionsPerCode)];
}
text::PromptText* promptText(SettingsRecord& r, int e) {
  return &r.prompts[static_cast<text::PromptId>(e)].text;
}

// One setting outside the code rows: its control name and the member it
// stands for.
struct SettingRow {
  std::string_view name;
  FieldKind kind;
  int* (*indexField)(SettingsRecord&, int);
  std::string* (*textField)(SettingsRecord&, int);
};

template <int SettingsRecord::*M>
constexpr SettingRow index(std::string_view name) {
  return {name, FieldKind::Index, indexMember<M>, nullptr};
}
template <std::string SettingsRecord::*M>
constexpr SettingRow text(std::string_view name) {
  return {name, FieldKind::Text, nullptr, textMember<M>};
}

// One column of the code rows: the control name is the stem, the code number
// in two digits and, for the per-function lists, "_" and the function number.
struct CodeColumnRow {
  std::string_view stem;
  FieldKind kind;
  int* (*indexField)(SettingsRecord&, int);
  std::string* (*textField)(SettingsRecord&, int);
  bool perFunction;
};

template <auto M>
constexpr CodeColumnRow codeText(std::string_view stem) {
  return {stem, FieldKind::Text, nullptr, textElement<M>, false};
}
template <auto M>
constexpr CodeColumnRow codeIndex(std::string_view stem) {
  return {stem, FieldKind::Index, indexElement<M>, nullptr, false};
}
template <auto M>
constexpr CodeColumnRow functionIndex(std::string_view stem) {
  return {stem, FieldKind::Index, perFunctionIndex<M>, nullptr, true};
}

using R = SettingsRecord;

// The tables below are the whole list, in the order settingsFields() gives:
// the General page, the code rows, the prompt pages' lists, the prompts, then
// the later pages.
// clang-format off
constexpr std::array kGeneralPage{
    text<&R::frequency>("ed_frequency"),
    text<&R::frequency2>("ed_frequency2"),
    index<&R::codingFormat>("cb_codingFormat"),
    index<&R::deafPager>("cb_deafPager"),
    text<&R::ICN>("ed_ICN"),
    text<&R::serialNumber>("ed_serialNumber"),
    index<&R::memorySplit>("memorySplit"),
    index<&R::freqBand>("cb_freqBand"),
    index<&R::nwBand>("cb_nwBand"),
    index<&R::PLL_Type>("cb_PLL_Type"),
    index<&R::nwBandCombo>("cb_nwBandCombo"),
    index<&R::supportDualFreq>("cb_supportDualFreq"),
    index<&R::dualFreqMenu>("cb_dualFreqMenu"),
    index<&R::noSequentialInc>("cb_noSequentialInc"),
    index<&R::codeMode>("cb_codeMode"),
    index<&R::onOffDuty>("cb_onOffDuty"),
    index<&R::newAlertMenu>("cb_newAlertMenu"),
};

// Per code, in this column order.
constexpr std::array kCodeColumns{
    codeText<&R::code>("ed_code"),
    codeText<&R::function>("ed_function"),
    codeText<&R::priority>("ed_priority"),
    codeText<&R::history>("ed_history"),
    codeIndex<&R::codeType>("cb_codeType"),
    codeText<&R::onOffDutyFlags>("ed_onOffDuty"),
    codeText<&R::fixAlert>("ed_fixAlert"),
    codeText<&R::interruptVib>("ed_interruptVib"),
    codeText<&R::crescendo>("ed_crescendo"),
    functionIndex<&R::alertMode>("cb_alertMode"),
    functionIndex<&R::alertPattern>("cb_alertPattern"),
};

// The prompt pages' lists; the prompts follow them.
constexpr std::array kPromptPages{
    index<&R::internationalPrompt>("cb_internationalPrompt"),
    index<&R::internationalCharSet>("cb_internationalCharSet"),
    index<&R::showSource>("cb_showSource"),
};

// The pages after the prompts, in page order.
constexpr std::array kLaterPages{
    // Alert page
    index<&R::disableAllAlerts>("cb_disableAllAlerts"),
    index<&R::vibrator>("cb_vibrator"),
    index<&R::oorAlert>("cb_oorAlert"),
    index<&R::lowCellAlert>("cb_lowCellAlert"),
    index<&R::manualAlertReset>("cb_manualAlertReset"),
    index<&R::enableMaildropAlert>("cb_enableMaildropAlert"),
    index<&R::userSelectableAlerts>("cb_userSelectableAlerts"),
    index<&R::userChangableAlertMode>("cb_userChangableAlertMode"),
    index<&R::realTimeClock>("cb_realTimeClock"),
    index<&R::internationalDate>("cb_internationalDate"),
    index<&R::showTimeStamp>("cb_showTimeStamp"),
    index<&R::keyChirp>("cb_keyChirp"),
    index<&R::alarmAlwaysAudible>("cb_alarmAlwaysAudible"),
    index<&R::individualMessageAlarm>("cb_individualMessageAlarm"),
    index<&R::autoAlarmTurnOn>("cb_autoAlarmTurnOn"),
    index<&R::autoOnOff>("cb_autoOnOff"),
    index<&R::autoOnOffAlert>("cb_autoOnOffAlert"),
    index<&R::alertFrequency>("cb_alertFrequency"),
    index<&R::alertDuration>("cb_alertDuration"),
    index<&R::programmablePleasingAlert>("cb_programmablePleasingAlert"),
    index<&R::reminderAlertInterval>("cb_reminderAlertInterval"),
    index<&R::reminderAlertTimeout>("cb_reminderAlertTimeout"),
    index<&R::reminderAlertDuration>("cb_reminderAlertDuration"),
    index<&R::oorTime>("cb_oorTime"),
    index<&R::std4PulseDuration>("cb_std4PulseDuration"),
    index<&R::std4RepeatPeriod>("cb_std4RepeatPeriod"),
    index<&R::defaultAlert>("cb_defaultAlert"),
    index<&R::defaultReminderAlert>("cb_defaultReminderAlert"),
    index<&R::defaultReminderAlertPattern>("cb_defaultReminderAlertPattern"),
    index<&R::defaultReminderAlertMode>("cb_defaultReminderAlertMode"),
    index<&R::defaultReminderCrescendoMode>("cb_defaultReminderCrescendoMode"),
    index<&R::defaultReminderVibMode>("cb_defaultReminderVibMode"),
    index<&R::fixAlertReminder>("cb_fixAlert"),

    // Password / OTA page
    text<&R::downloadPassword>("ed_downloadPassword"),
    text<&R::otaPassword>("ed_otaPassword"),
    text<&R::otaGroupPassword>("ed_otaGroupPassword"),
    index<&R::rfProgramming>("cb_rfProgramming"),
    index<&R::silentRFProgramming>("cb_silentRFProgramming"),
    index<&R::dataInversion>("cb_dataInversion"),
    index<&R::securityLevel>("cb_securityLevel"),
    index<&R::fUif_User_Password_Enable>("cb_fUif_User_Password_Enable"),
    index<&R::fUif_User_Password_Level>("cb_fUif_User_Password_Level"),
    text<&R::cpwFc_Password>("ed_cpwFc_Password"),
    index<&R::userPasswordKeyCount>("userPasswordKeyCount"),
    index<&R::userPasswordTimeout>("userPasswordTimeout"),
    index<&R::cpfUif_Paging_Auto_Backlight>("cb_cpfUif_Paging_Auto_Backlight"),
    index<&R::cpfUif_Auto_Backlight_Mode>("cb_cpfUif_Auto_Backlight_Mode"),
    index<&R::cpfUif_New_Msg_Auto_Display>("cb_cpfUif_New_Msg_Auto_Display"),

    // Features page
    index<&R::retainErroredNumeric>("cb_retainErroredNumeric"),
    index<&R::retainErroredNonNumeric>("cb_retainErroredNonNumeric"),
    index<&R::retainBetterMaildrop>("cb_retainBetterMaildrop"),
    index<&R::personalMessageNotebook>("cb_personalMessageNotebook"),
    index<&R::maildropMessageNotebook>("cb_maildropMessageNotebook"),
    index<&R::duplication>("cb_duplication"),
    index<&R::sourceIndependentDuplication>("cb_sourceIndependentDuplication"),
    index<&R::sequentialLockoutPeriod>("cb_sequentialLockoutPeriod"),
    index<&R::truncatedMessageIndicator>("cb_truncatedMessageIndicator"),
    index<&R::badDataIndication>("cb_badDataIndication"),
    index<&R::messageContinueIndicator>("cb_messageContinueIndicator"),
    index<&R::deleteSlotNumber>("cb_deleteSlotNumber"),
    index<&R::stopDecodeMissSync>("cb_stopDecodeMissSync"),
    index<&R::readTimeout>("cb_readTimeout"),
    index<&R::fastScrollTime>("cb_fastScrollTime"),
    index<&R::allowOff>("cb_allowOff"),
    index<&R::functionMenuDisplay>("cb_functionMenuDisplay"),
    index<&R::manualDelete>("cb_manualDelete"),
    index<&R::messageLocking>("cb_messageLocking"),
    index<&R::nonVolatileMemory>("cb_nonVolatileMemory"),
    index<&R::memoryCleanup>("cb_memoryCleanup"),
    index<&R::messagePreview>("cb_messagePreview"),
    index<&R::autoBacklight>("cb_autoBacklight"),
    text<&R::endMsgChar>("ed_endMsgChar"),
    index<&R::displayContrast>("cb_displayContrast"),
    index<&R::maxErrorsUHB7B6>("cb_maxErrorsUHB7B6"),
    index<&R::maxErrorsUHB5B4>("cb_maxErrorsUHB5B4"),
    index<&R::scLostNumNormalMod>("cb_scLostNumNormalMod"),

    // More Features page
    index<&R::batteryGauge>("cb_batteryGauge"),
    index<&R::batteryGaugeHiLevel>("cb_batteryGaugeHiLevel"),
    index<&R::batteryGaugeMedLevel>("cb_batteryGaugeMedLevel"),
    index<&R::batteryGaugeLoLevel>("cb_batteryGaugeLoLevel"),
    index<&R::lowCellPeriod>("cb_lowCellPeriod"),
    index<&R::printerEnabled>("cb_printerEnabled"),
    index<&R::showMemFull>("cb_showMemFull"),
    index<&R::zoom>("cb_zoom"),
    index<&R::receiveWhileOff>("receiveWhileOff"),
    index<&R::toneOnlySupport>("cb_toneOnlySupport"),
    index<&R::defaultZoom>("cb_defaultZoom"),
    index<&R::timeFormat>("cb_timeFormat"),
    index<&R::turnOnPager>("cb_turnOnPager"),
    index<&R::selDutySource>("cb_selDutySource"),
    index<&R::EnableSingleMessage>("cb_EnableSingleMessage"),
    index<&R::B14bitDecoding>("cb_B14bitDecoding"),
    index<&R::b14bitDecodingRom3>("b14bitDecodingRom3"),
    index<&R::regularCannedMsg>("cb_regularCannedMsg"),
    index<&R::ideoNumericCanned>("cb_ideoNumericCanned"),
    text<&R::startCannedMsg>("ed_startCannedMsg"),
    text<&R::endCannedMsg>("ed_endCannedMsg"),

    // Service values (service window controls)
    text<&R::textContrast>("ed_contrastAdjustValue"),
    text<&R::iconContrast>("ed_IconContrastAdjustValue"),
    index<&R::serviceAdjust>("cb_secondAdjustValue"),
    index<&R::lcdAdjust1>("ed_lcdAdjust1"),
    index<&R::lcdAdjust2>("ed_lcdAdjust2"),
};
// clang-format on

std::string twoDigits(int n) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02d", n);
  return buf;
}

FieldDescriptor descriptor(const SettingRow& row) {
  return FieldDescriptor{std::string(row.name), row.kind, row.indexField,
                         row.textField,         nullptr,  0};
}

void appendRows(std::vector<FieldDescriptor>& f, std::span<const SettingRow> rows) {
  for (const SettingRow& row : rows) f.push_back(descriptor(row));
}

void appendCodeRow(std::vector<FieldDescriptor>& f, int c) {
  const std::string n = twoDigits(c + 1);
  for (const CodeColumnRow& column : kCodeColumns) {
    const int functions = column.perFunction ? kFunctionsPerCode : 1;
    for (int fn = 0; fn < functions; ++fn) {
      std::string name = std::string(column.stem) + n;
      if (column.perFunction) name += "_" + std::to_string(fn + 1);
      const int element = column.perFunction ? c * kFunctionsPerCode + fn : c;
      f.push_back(FieldDescriptor{std::move(name), column.kind, column.indexField, column.textField,
                                  nullptr, element});
    }
  }
}

std::vector<FieldDescriptor> buildFields() {
  std::vector<FieldDescriptor> f;
  appendRows(f, kGeneralPage);
  for (int c = 0; c < kMaxCodes; ++c) appendCodeRow(f, c);
  appendRows(f, kPromptPages);
  // The few prompts without a control (set volume, escalert, the blank
  // entry) are reached through the prompt set only.
  for (std::size_t p = 0; p < text::kPromptCount; ++p) {
    const auto id = static_cast<text::PromptId>(p);
    if (std::string name = text::promptFieldName(id); !name.empty()) {
      f.push_back(FieldDescriptor{std::move(name), FieldKind::Text, nullptr, nullptr, promptText,
                                  static_cast<int>(id)});
    }
  }
  appendRows(f, kLaterPages);
  return f;
}

const FieldDescriptor* find(std::string_view name) {
  for (const FieldDescriptor& d : settingsFields()) {
    if (d.name == name) return &d;
  }
  return nullptr;
}

}  // namespace

std::span<const FieldDescriptor> settingsFields() {
  static const std::vector<FieldDescriptor> kFields = buildFields();
  return kFields;
}

const FieldDescriptor* findSettingsField(std::string_view name) {
  return find(name);
}

FieldValue readSettingsField(const SettingsRecord& record, const FieldDescriptor& field) {
  // The accessors only locate the member; nothing is written through them here.
  auto& r = const_cast<SettingsRecord&>(record);
  if (field.kind == FieldKind::Index) return FieldValue{*field.indexField(r, field.element)};
  return FieldValue{settingsFieldText(record, field)};
}

bool writeSettingsField(SettingsRecord& record, const FieldDescriptor& field,
                        const FieldValue& value) {
  if (field.kind == FieldKind::Index) {
    const int* v = std::get_if<int>(&value);
    if (v == nullptr) return false;
    *field.indexField(record, field.element) = *v;
    return true;
  }
  const std::string* v = std::get_if<std::string>(&value);
  if (v == nullptr) return false;
  return writeSettingsFieldText(record, field, *v);
}

std::optional<FieldValue> readSettingsField(const SettingsRecord& record, std::string_view name) {
  const FieldDescriptor* d = find(name);
  if (d == nullptr) return std::nullopt;
  return readSettingsField(record, *d);
}

bool writeSettingsField(SettingsRecord& record, std::string_view name, const FieldValue& value) {
  const FieldDescriptor* d = find(name);
  return d != nullptr && writeSettingsField(record, *d, value);
}

std::string settingsFieldText(const SettingsRecord& record, const FieldDescriptor& field) {
  auto& r = const_cast<SettingsRecord&>(record);
  if (field.kind == FieldKind::Index) return std::to_string(*field.indexField(r, field.element));
  if (field.promptField != nullptr) return field.promptField(r, field.element)->str();
  return *field.textField(r, field.element);
}

bool writeSettingsFieldText(SettingsRecord& record, const FieldDescriptor& field,
                            std::string_view text) {
  if (field.kind == FieldKind::Text) {
    if (field.promptField != nullptr) {
      field.promptField(record, field.element)->assign(text);
    } else {
      *field.textField(record, field.element) = std::string(text);
    }
    return true;
  }
  int v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return false;
  *field.indexField(record, field.element) = v;
  return true;
}

}  // namespace zelta::codeplug
