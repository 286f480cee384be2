#include "pages/alert_page.h"

#include "codeplug/codeplug_image.h"
#include "codeplug/settings_record.h"
#include "codes/pleasing_alert.h"
#include "errors/reporter.h"
#include "pages/code_predicates.h"
#include "pages/field_ids.h"
#include "pages/page_settings.h"

namespace zelta::pages {
namespace {

using models::ModelCode;
using pages::FieldId;
using pages::PageView;

using models::kModelSpace;

constexpr int kNo = 0;
constexpr int kYes = 1;
constexpr int kNone = 0;             // first item of the time lists
constexpr int kChirpDuration = 0;    // "Reminder Alert Duration": "Chirp"
constexpr int kChirpAlert = 9;       // "Default Reminder Alert": "Chirp"
constexpr int kOneSecondRepeat = 0;  // "Function 4 Repeat Period": "1 sec"
constexpr int kShortPulse = 0;       // "Function 4 Tone Pulse": "1/16 sec"
constexpr int kDefaultPleasingAlert = 0;

// Field IDs of the page.
constexpr FieldId kDisableAllAlerts = fieldId("cb_disableAllAlerts");
constexpr FieldId kAlertFrequency = fieldId("cb_alertFrequency");
constexpr FieldId kAlertDuration = fieldId("cb_alertDuration");
constexpr FieldId kDefaultAlert = fieldId("cb_defaultAlert");
constexpr FieldId kUserChangableAlertMode = fieldId("cb_userChangableAlertMode");
constexpr FieldId kUserSelectableAlerts = fieldId("cb_userSelectableAlerts");
constexpr FieldId kProgrammablePleasingAlert = fieldId("cb_programmablePleasingAlert");
constexpr FieldId kReminderAlertInterval = fieldId("cb_reminderAlertInterval");
constexpr FieldId kReminderAlertTimeout = fieldId("cb_reminderAlertTimeout");
constexpr FieldId kReminderAlertDuration = fieldId("cb_reminderAlertDuration");
constexpr FieldId kDefaultReminderAlert = fieldId("cb_defaultReminderAlert");
constexpr FieldId kEnableMaildropAlert = fieldId("cb_enableMaildropAlert");
constexpr FieldId kManualAlertReset = fieldId("cb_manualAlertReset");
constexpr FieldId kLowCellAlert = fieldId("cb_lowCellAlert");
constexpr FieldId kKeyChirp = fieldId("cb_keyChirp");
constexpr FieldId kAlarmAlwaysAudible = fieldId("cb_alarmAlwaysAudible");
constexpr FieldId kAutoOnOffAlert = fieldId("cb_autoOnOffAlert");
constexpr FieldId kOorAlert = fieldId("cb_oorAlert");
constexpr FieldId kVibrator = fieldId("cb_vibrator");
constexpr FieldId kStd4RepeatPeriod = fieldId("cb_std4RepeatPeriod");
constexpr FieldId kStd4PulseDuration = fieldId("cb_std4PulseDuration");

// The reminder settings that only mean something while reminders are on:
// time-out, duration, default reminder alert and the reminder alert of the
// sixteen-code pagers (fix, vibrate, escalating, mode, pattern).
constexpr FieldId kReminderControls[] = {
    kReminderAlertTimeout, kReminderAlertDuration, kDefaultReminderAlert, 469, 471, 472, 473, 474};

// What "Disable All Alerts" takes away beyond the reminder controls; the
// clock settings stay free.
constexpr FieldId kAlertControls[] = {kAlertFrequency,
                                      kAlertDuration,
                                      kDefaultAlert,
                                      kUserChangableAlertMode,
                                      kUserSelectableAlerts,
                                      kProgrammablePleasingAlert,
                                      kReminderAlertInterval,
                                      kEnableMaildropAlert,
                                      kManualAlertReset,
                                      kLowCellAlert,
                                      kKeyChirp,
                                      kAutoOnOffAlert,
                                      kOorAlert,
                                      kVibrator};

// The controls the extended alert layout adds.
constexpr FieldId kExtendedControls[] = {kDefaultAlert, kReminderAlertDuration,
                                         kDefaultReminderAlert};

void resetPleasingAlert(codeplug::SettingsRecord& s) {
  s.programmablePleasingAlert = kDefaultPleasingAlert;
  s.melody = codes::defaultMelody();
}

}  // namespace

bool extendedAlertControls(ModelCode model, bool converterTarget) {
  return converterTarget || models::modelIn(model, models::ModelGroup::extendedAlertModels);
}

bool pleasingAlertEditorOnEnter(FieldId field, int shownIndex,
                                const codeplug::SettingsRecord& settings) {
  return field == kProgrammablePleasingAlertField && shownIndex == kCustomPleasingAlert &&
         settings.programmablePleasingAlert == kCustomPleasingAlert;
}

bool pleasingAlertEditorOnChange(const pages::FieldInput& input) {
  return input.id == kProgrammablePleasingAlertField && input.index == kCustomPleasingAlert;
}

bool applyAlertRules(codeplug::SettingsRecord& s, codeplug::CodeplugImage& image, ModelCode model,
                     bool converterTarget) {
  // 1. Without a clock there are no dates, time stamps, alarms or private time.
  if (s.realTimeClock == kNo) {
    s.internationalDate = kNo;
    s.showTimeStamp = kNo;
    s.individualMessageAlarm = kNo;
    s.autoAlarmTurnOn = kNo;
    s.autoOnOff = kNo;
    s.autoOnOffAlert = kNo;
    s.alarmAlwaysAudible = kNo;
  }
  // 2. All alerts off takes every alert choice with it.
  if (s.disableAllAlerts == kYes) {
    s.userChangableAlertMode = kNo;
    s.userSelectableAlerts = kNo;
    s.enableMaildropAlert = kNo;
    s.manualAlertReset = kNo;
    s.autoOnOffAlert = kNo;
    s.oorAlert = kNo;
    s.vibrator = kNo;
    s.lowCellAlert = kNo;
    s.keyChirp = kNo;
    resetPleasingAlert(s);
    const codeplug::Offset flagByte = image.offsets().promptLanguage;
    if (flagByte != codeplug::kNoSlot) image.current().setBit(flagByte, 0, false);
  }
  // 3. No reminders, no reminder time-out.
  if (s.reminderAlertInterval == kNone) s.reminderAlertTimeout = kNone;
  // 4. A chirping reminder chirps.
  if (extendedAlertControls(model, converterTarget) && s.reminderAlertDuration == kChirpDuration) {
    s.defaultReminderAlert = kChirpAlert;
  }
  // 5.
  if (s.realTimeClock == kNo) {
    s.lowCellAlert = kNo;
    s.individualMessageAlarm = kNo;
    s.autoAlarmTurnOn = kNo;
  }
  // 6.
  if (s.autoOnOff == kNo) s.autoOnOffAlert = kNo;
  // 7.
  if (s.oorTime == kNone) s.oorAlert = kNo;
  // 8. The user can only reach a custom melody through selectable alerts.
  if (s.userSelectableAlerts == kNo) resetPleasingAlert(s);
  // 9.
  if (s.std4RepeatPeriod == kOneSecondRepeat) s.std4PulseDuration = kShortPulse;
  // The image tells "Custom" from "Default" by the melody alone: "Default"
  // plays the default melody, and "Custom" without a melody of its own
  // would read back as "Default".
  if (s.programmablePleasingAlert == kDefaultPleasingAlert) {
    s.melody = codes::defaultMelody();
  } else if (s.melody == codes::defaultMelody()) {
    s.programmablePleasingAlert = kDefaultPleasingAlert;
  }
  // 10.
  return s.reminderAlertTimeout > kNone && s.reminderAlertTimeout < s.reminderAlertInterval;
}

void AlertPage::onEnter(pages::FieldId, pages::PageContext&) {}

errors::ResultCode AlertPage::onExit(const pages::FieldInput& input, pages::PageContext& context) {
  pages::storeField(input, context);
  if (applyAlertRules(context.settings, context.image, context.model, context.converterTarget())) {
    context.reporter.ReportCode(errors::code::ReminderInterval);
  }
  return errors::code::Ok;
}

errors::ResultCode AlertPage::pageCheck(pages::PageContext& context) {
  applyAlertRules(context.settings, context.image, context.model, context.converterTarget());
  return errors::code::Ok;
}

void AlertPage::refresh(pages::PageContext&) {}

PageView AlertPage::view(pages::Page page, const pages::PageContext& context) const {
  PageView view = pages::settingsPageView(page, context);
  const codeplug::SettingsRecord& s = context.settings;

  // Layout by model.
  const bool extended = extendedAlertControls(context.model, context.converterTarget());
  for (FieldId id : kExtendedControls) {
    if (auto* field = pages::fieldIn(view, id)) field->visible = field->visible && extended;
  }
  const bool oldestModel = context.model == kModelSpace;
  for (FieldId id : {kKeyChirp, kAlarmAlwaysAudible}) {
    if (auto* field = pages::fieldIn(view, id)) field->visible = field->visible && !oldestModel;
  }

  // Enabling.
  const bool deaf = s.deafPager == kYes;
  const bool allDisabled = s.disableAllAlerts == kYes;
  const bool clock = s.realTimeClock == kYes;
  const bool reminders = s.reminderAlertInterval != kNone;
  if (allDisabled) {
    for (FieldId id : kAlertControls) pages::disableUnless(view, id, false);
    for (FieldId id : kReminderControls) pages::disableUnless(view, id, false);
    pages::disableUnless(view, kAlarmAlwaysAudible, clock);
  } else {
    pages::disableUnless(view, kProgrammablePleasingAlert, s.userSelectableAlerts == kYes);
    for (FieldId id : kReminderControls) pages::disableUnless(view, id, reminders);
    // A maildrop code keeps its alert choice open even without reminders.
    const bool maildrop = codeKinds(context).maildrop;
    pages::disableUnless(view, kEnableMaildropAlert, reminders || maildrop);
    pages::disableUnless(view, kKeyChirp, !deaf && !oldestModel);
    pages::disableUnless(view, kAlarmAlwaysAudible, clock && !deaf);
    pages::disableUnless(view, kOorAlert, s.oorTime != kNone);
  }
  pages::disableUnless(view, kStd4RepeatPeriod, !deaf && !allDisabled);
  pages::disableUnless(view, kStd4PulseDuration, !deaf && !allDisabled);
  return view;
}

}  // namespace zelta::pages
