#include "codeplug/settings_record.h"

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

FieldDescriptor index(std::string name, int* (*f)(SettingsRecord&, int), int element = 0) {
  return FieldDescriptor{std::move(name), FieldKind::Index, f, nullptr, nullptr, element};
}
FieldDescriptor text(std::string name, std::string* (*f)(SettingsRecord&, int), int element = 0) {
  return FieldDescriptor{std::move(name), FieldKind::Text, nullptr, f, nullptr, element};
}
FieldDescriptor prompt(std::string name, text::PromptId id) {
  return FieldDescriptor{std::move(name), FieldKind::Text, nullptr,
                         nullptr,         promptText,      static_cast<int>(id)};
}

std::string twoDigits(int n) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02d", n);
  return buf;
}

using R = SettingsRecord;

std::vector<FieldDescriptor> buildFields() {
  std::vector<FieldDescriptor> f;
  // General page
  f.push_back(text("ed_frequency", textMember<&R::frequency>));
  f.push_back(text("ed_frequency2", textMember<&R::frequency2>));
  f.push_back(index("cb_codingFormat", indexMember<&R::codingFormat>));
  f.push_back(index("cb_deafPager", indexMember<&R::deafPager>));
  f.push_back(text("ed_ICN", textMember<&R::ICN>));
  f.push_back(text("ed_serialNumber", textMember<&R::serialNumber>));
  f.push_back(index("memorySplit", indexMember<&R::memorySplit>));
  f.push_back(index("cb_freqBand", indexMember<&R::freqBand>));
  f.push_back(index("cb_nwBand", indexMember<&R::nwBand>));
  f.push_back(index("cb_PLL_Type", indexMember<&R::PLL_Type>));
  f.push_back(index("cb_nwBandCombo", indexMember<&R::nwBandCombo>));
  f.push_back(index("cb_supportDualFreq", indexMember<&R::supportDualFreq>));
  f.push_back(index("cb_dualFreqMenu", indexMember<&R::dualFreqMenu>));
  f.push_back(index("cb_noSequentialInc", indexMember<&R::noSequentialInc>));
  f.push_back(index("cb_codeMode", indexMember<&R::codeMode>));
  f.push_back(index("cb_onOffDuty", indexMember<&R::onOffDuty>));
  f.push_back(index("cb_newAlertMenu", indexMember<&R::newAlertMenu>));

  // Code pages, one row per code
  for (int c = 0; c < kMaxCodes; ++c) {
    const std::string n = twoDigits(c + 1);
    f.push_back(text("ed_code" + n, textElement<&R::code>, c));
    f.push_back(text("ed_function" + n, textElement<&R::function>, c));
    f.push_back(text("ed_priority" + n, textElement<&R::priority>, c));
    f.push_back(text("ed_history" + n, textElement<&R::history>, c));
    f.push_back(index("cb_codeType" + n, indexElement<&R::codeType>, c));
    f.push_back(text("ed_onOffDuty" + n, textElement<&R::onOffDutyFlags>, c));
    f.push_back(text("ed_fixAlert" + n, textElement<&R::fixAlert>, c));
    f.push_back(text("ed_interruptVib" + n, textElement<&R::interruptVib>, c));
    f.push_back(text("ed_crescendo" + n, textElement<&R::crescendo>, c));
    for (int fn = 0; fn < kFunctionsPerCode; ++fn) {
      f.push_back(index("cb_alertMode" + n + "_" + std::to_string(fn + 1),
                        perFunctionIndex<&R::alertMode>, c * kFunctionsPerCode + fn));
    }
    for (int fn = 0; fn < kFunctionsPerCode; ++fn) {
      f.push_back(index("cb_alertPattern" + n + "_" + std::to_string(fn + 1),
                        perFunctionIndex<&R::alertPattern>, c * kFunctionsPerCode + fn));
    }
  }

  // Prompt and source pages
  f.push_back(index("cb_internationalPrompt", indexMember<&R::internationalPrompt>));
  f.push_back(index("cb_internationalCharSet", indexMember<&R::internationalCharSet>));
  f.push_back(index("cb_showSource", indexMember<&R::showSource>));
  // The few prompts without a control (set volume, escalert, the blank
  // entry) are reached through the prompt set only.
  for (std::size_t p = 0; p < text::kPromptCount; ++p) {
    const auto id = static_cast<text::PromptId>(p);
    if (std::string name = text::promptFieldName(id); !name.empty())
      f.push_back(prompt(std::move(name), id));
  }

  // Alert page
  f.push_back(index("cb_disableAllAlerts", indexMember<&R::disableAllAlerts>));
  f.push_back(index("cb_vibrator", indexMember<&R::vibrator>));
  f.push_back(index("cb_oorAlert", indexMember<&R::oorAlert>));
  f.push_back(index("cb_lowCellAlert", indexMember<&R::lowCellAlert>));
  f.push_back(index("cb_manualAlertReset", indexMember<&R::manualAlertReset>));
  f.push_back(index("cb_enableMaildropAlert", indexMember<&R::enableMaildropAlert>));
  f.push_back(index("cb_userSelectableAlerts", indexMember<&R::userSelectableAlerts>));
  f.push_back(index("cb_userChangableAlertMode", indexMember<&R::userChangableAlertMode>));
  f.push_back(index("cb_realTimeClock", indexMember<&R::realTimeClock>));
  f.push_back(index("cb_internationalDate", indexMember<&R::internationalDate>));
  f.push_back(index("cb_showTimeStamp", indexMember<&R::showTimeStamp>));
  f.push_back(index("cb_keyChirp", indexMember<&R::keyChirp>));
  f.push_back(index("cb_alarmAlwaysAudible", indexMember<&R::alarmAlwaysAudible>));
  f.push_back(index("cb_individualMessageAlarm", indexMember<&R::individualMessageAlarm>));
  f.push_back(index("cb_autoAlarmTurnOn", indexMember<&R::autoAlarmTurnOn>));
  f.push_back(index("cb_autoOnOff", indexMember<&R::autoOnOff>));
  f.push_back(index("cb_autoOnOffAlert", indexMember<&R::autoOnOffAlert>));
  f.push_back(index("cb_alertFrequency", indexMember<&R::alertFrequency>));
  f.push_back(index("cb_alertDuration", indexMember<&R::alertDuration>));
  f.push_back(index("cb_programmablePleasingAlert", indexMember<&R::programmablePleasingAlert>));
  f.push_back(index("cb_reminderAlertInterval", indexMember<&R::reminderAlertInterval>));
  f.push_back(index("cb_reminderAlertTimeout", indexMember<&R::reminderAlertTimeout>));
  f.push_back(index("cb_reminderAlertDuration", indexMember<&R::reminderAlertDuration>));
  f.push_back(index("cb_oorTime", indexMember<&R::oorTime>));
  f.push_back(index("cb_std4PulseDuration", indexMember<&R::std4PulseDuration>));
  f.push_back(index("cb_std4RepeatPeriod", indexMember<&R::std4RepeatPeriod>));
  f.push_back(index("cb_defaultAlert", indexMember<&R::defaultAlert>));
  f.push_back(index("cb_defaultReminderAlert", indexMember<&R::defaultReminderAlert>));
  f.push_back(
      index("cb_defaultReminderAlertPattern", indexMember<&R::defaultReminderAlertPattern>));
  f.push_back(index("cb_defaultReminderAlertMode", indexMember<&R::defaultReminderAlertMode>));
  f.push_back(
      index("cb_defaultReminderCrescendoMode", indexMember<&R::defaultReminderCrescendoMode>));
  f.push_back(index("cb_defaultReminderVibMode", indexMember<&R::defaultReminderVibMode>));
  f.push_back(index("cb_fixAlert", indexMember<&R::fixAlertReminder>));

  // Password / OTA page
  f.push_back(text("ed_downloadPassword", textMember<&R::downloadPassword>));
  f.push_back(text("ed_otaPassword", textMember<&R::otaPassword>));
  f.push_back(text("ed_otaGroupPassword", textMember<&R::otaGroupPassword>));
  f.push_back(index("cb_rfProgramming", indexMember<&R::rfProgramming>));
  f.push_back(index("cb_silentRFProgramming", indexMember<&R::silentRFProgramming>));
  f.push_back(index("cb_dataInversion", indexMember<&R::dataInversion>));
  f.push_back(index("cb_securityLevel", indexMember<&R::securityLevel>));
  f.push_back(index("cb_fUif_User_Password_Enable", indexMember<&R::fUif_User_Password_Enable>));
  f.push_back(index("cb_fUif_User_Password_Level", indexMember<&R::fUif_User_Password_Level>));
  f.push_back(text("ed_cpwFc_Password", textMember<&R::cpwFc_Password>));
  f.push_back(index("userPasswordKeyCount", indexMember<&R::userPasswordKeyCount>));
  f.push_back(index("userPasswordTimeout", indexMember<&R::userPasswordTimeout>));
  f.push_back(
      index("cb_cpfUif_Paging_Auto_Backlight", indexMember<&R::cpfUif_Paging_Auto_Backlight>));
  f.push_back(index("cb_cpfUif_Auto_Backlight_Mode", indexMember<&R::cpfUif_Auto_Backlight_Mode>));
  f.push_back(
      index("cb_cpfUif_New_Msg_Auto_Display", indexMember<&R::cpfUif_New_Msg_Auto_Display>));

  // Features page
  f.push_back(index("cb_retainErroredNumeric", indexMember<&R::retainErroredNumeric>));
  f.push_back(index("cb_retainErroredNonNumeric", indexMember<&R::retainErroredNonNumeric>));
  f.push_back(index("cb_retainBetterMaildrop", indexMember<&R::retainBetterMaildrop>));
  f.push_back(index("cb_personalMessageNotebook", indexMember<&R::personalMessageNotebook>));
  f.push_back(index("cb_maildropMessageNotebook", indexMember<&R::maildropMessageNotebook>));
  f.push_back(index("cb_duplication", indexMember<&R::duplication>));
  f.push_back(
      index("cb_sourceIndependentDuplication", indexMember<&R::sourceIndependentDuplication>));
  f.push_back(index("cb_sequentialLockoutPeriod", indexMember<&R::sequentialLockoutPeriod>));
  f.push_back(index("cb_truncatedMessageIndicator", indexMember<&R::truncatedMessageIndicator>));
  f.push_back(index("cb_badDataIndication", indexMember<&R::badDataIndication>));
  f.push_back(index("cb_messageContinueIndicator", indexMember<&R::messageContinueIndicator>));
  f.push_back(index("cb_deleteSlotNumber", indexMember<&R::deleteSlotNumber>));
  f.push_back(index("cb_stopDecodeMissSync", indexMember<&R::stopDecodeMissSync>));
  f.push_back(index("cb_readTimeout", indexMember<&R::readTimeout>));
  f.push_back(index("cb_fastScrollTime", indexMember<&R::fastScrollTime>));
  f.push_back(index("cb_allowOff", indexMember<&R::allowOff>));
  f.push_back(index("cb_functionMenuDisplay", indexMember<&R::functionMenuDisplay>));
  f.push_back(index("cb_manualDelete", indexMember<&R::manualDelete>));
  f.push_back(index("cb_messageLocking", indexMember<&R::messageLocking>));
  f.push_back(index("cb_nonVolatileMemory", indexMember<&R::nonVolatileMemory>));
  f.push_back(index("cb_memoryCleanup", indexMember<&R::memoryCleanup>));
  f.push_back(index("cb_messagePreview", indexMember<&R::messagePreview>));
  f.push_back(index("cb_autoBacklight", indexMember<&R::autoBacklight>));
  f.push_back(text("ed_endMsgChar", textMember<&R::endMsgChar>));
  f.push_back(index("cb_displayContrast", indexMember<&R::displayContrast>));
  f.push_back(index("cb_maxErrorsUHB7B6", indexMember<&R::maxErrorsUHB7B6>));
  f.push_back(index("cb_maxErrorsUHB5B4", indexMember<&R::maxErrorsUHB5B4>));
  f.push_back(index("cb_scLostNumNormalMod", indexMember<&R::scLostNumNormalMod>));

  // More Features page
  f.push_back(index("cb_batteryGauge", indexMember<&R::batteryGauge>));
  f.push_back(index("cb_batteryGaugeHiLevel", indexMember<&R::batteryGaugeHiLevel>));
  f.push_back(index("cb_batteryGaugeMedLevel", indexMember<&R::batteryGaugeMedLevel>));
  f.push_back(index("cb_batteryGaugeLoLevel", indexMember<&R::batteryGaugeLoLevel>));
  f.push_back(index("cb_lowCellPeriod", indexMember<&R::lowCellPeriod>));
  f.push_back(index("cb_printerEnabled", indexMember<&R::printerEnabled>));
  f.push_back(index("cb_showMemFull", indexMember<&R::showMemFull>));
  f.push_back(index("cb_zoom", indexMember<&R::zoom>));
  f.push_back(index("receiveWhileOff", indexMember<&R::receiveWhileOff>));
  f.push_back(index("cb_toneOnlySupport", indexMember<&R::toneOnlySupport>));
  f.push_back(index("cb_defaultZoom", indexMember<&R::defaultZoom>));
  f.push_back(index("cb_timeFormat", indexMember<&R::timeFormat>));
  f.push_back(index("cb_turnOnPager", indexMember<&R::turnOnPager>));
  f.push_back(index("cb_selDutySource", indexMember<&R::selDutySource>));
  f.push_back(index("cb_EnableSingleMessage", indexMember<&R::EnableSingleMessage>));
  f.push_back(index("cb_B14bitDecoding", indexMember<&R::B14bitDecoding>));
  f.push_back(index("b14bitDecodingRom3", indexMember<&R::b14bitDecodingRom3>));
  f.push_back(index("cb_regularCannedMsg", indexMember<&R::regularCannedMsg>));
  f.push_back(index("cb_ideoNumericCanned", indexMember<&R::ideoNumericCanned>));
  f.push_back(text("ed_startCannedMsg", textMember<&R::startCannedMsg>));
  f.push_back(text("ed_endCannedMsg", textMember<&R::endCannedMsg>));

  // Service values (service window controls)
  f.push_back(text("ed_contrastAdjustValue", textMember<&R::textContrast>));
  f.push_back(text("ed_IconContrastAdjustValue", textMember<&R::iconContrast>));
  f.push_back(index("cb_secondAdjustValue", indexMember<&R::serviceAdjust>));
  f.push_back(index("ed_lcdAdjust1", indexMember<&R::lcdAdjust1>));
  f.push_back(index("ed_lcdAdjust2", indexMember<&R::lcdAdjust2>));
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

std::optional<FieldValue> readSettingsField(const SettingsRecord& record, std::string_view name) {
  const FieldDescriptor* d = find(name);
  if (d == nullptr) return std::nullopt;
  // The accessors only locate the member; nothing is written through them here.
  auto& r = const_cast<SettingsRecord&>(record);
  if (d->kind == FieldKind::Index) return FieldValue{*d->indexField(r, d->element)};
  return FieldValue{settingsFieldText(record, *d)};
}

bool writeSettingsField(SettingsRecord& record, std::string_view name, const FieldValue& value) {
  const FieldDescriptor* d = find(name);
  if (d == nullptr) return false;
  if (d->kind == FieldKind::Index) {
    const int* v = std::get_if<int>(&value);
    if (v == nullptr) return false;
    *d->indexField(record, d->element) = *v;
    return true;
  }
  const std::string* v = std::get_if<std::string>(&value);
  if (v == nullptr) return false;
  return writeSettingsFieldText(record, *d, *v);
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
