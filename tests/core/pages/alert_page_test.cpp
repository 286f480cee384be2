#include "pages/alert_page.h"

#include <gtest/gtest.h>

#include <functional>

#include "codes/pleasing_alert.h"
#include "page_context_fixture.h"
#include "pages/field_ids.h"

namespace zelta::pages {
namespace {

using codeplug::SettingsRecord;
using pages::FieldInput;
using pages::Page;
using testing::PageContextFixture;
constexpr auto choose = testing::chooseItem;

constexpr int kNo = 0;
constexpr int kYes = 1;

struct ReminderCase {
  int interval;
  int timeout;
  bool warns;
};

class ReminderWarning : public ::testing::TestWithParam<ReminderCase> {};

TEST_P(ReminderWarning, TimeoutBelowIntervalWarnsAndKeepsBothValues) {
  const ReminderCase c = GetParam();
  PageContextFixture f;
  AlertPage page;
  f.settings.reminderAlertInterval = c.interval;
  EXPECT_EQ(page.onExit(choose(fieldId("cb_reminderAlertTimeout"), c.timeout), f.context),
            errors::code::Ok);
  EXPECT_EQ(f.reported(errors::code::ReminderInterval), c.warns);
  EXPECT_EQ(f.reporter.shown.size(), c.warns ? 1U : 0U);
  EXPECT_EQ(f.settings.reminderAlertInterval, c.interval);
  EXPECT_EQ(f.settings.reminderAlertTimeout, c.interval == 0 ? 0 : c.timeout);
}

INSTANTIATE_TEST_SUITE_P(AlertPage, ReminderWarning,
                         ::testing::Values(ReminderCase{3, 1, true},   // 4 min / 2 min
                                           ReminderCase{7, 6, true},   // 30 min / 15.07 min
                                           ReminderCase{3, 0, false},  // time-out None
                                           ReminderCase{3, 3, false},  // equal
                                           ReminderCase{1, 3, false},  // time-out longer
                                           ReminderCase{0, 4,
                                                        false}));  // no reminder: time-out None

TEST(AlertPage, DisableAllAlertsResetsMelodyAndEveryAlertChoice) {
  PageContextFixture f('x');
  AlertPage page;
  SettingsRecord& s = f.settings;
  s.userSelectableAlerts = s.userChangableAlertMode = s.enableMaildropAlert = kYes;
  s.manualAlertReset = s.oorAlert = s.vibrator = s.lowCellAlert = s.keyChirp = kYes;
  s.realTimeClock = s.autoOnOff = s.autoOnOffAlert = kYes;
  s.oorTime = 2;
  s.programmablePleasingAlert = 1;
  s.melody.fill(0x05);
  f.image.current().setByte(0x71, 0x0B);  // language code 2, flag bit 0 set

  EXPECT_EQ(page.onExit(choose(fieldId("cb_disableAllAlerts"), kYes), f.context), errors::code::Ok);

  for (int v :
       {s.userSelectableAlerts, s.userChangableAlertMode, s.enableMaildropAlert, s.manualAlertReset,
        s.oorAlert, s.vibrator, s.lowCellAlert, s.keyChirp, s.autoOnOffAlert}) {
    EXPECT_EQ(v, kNo);
  }
  EXPECT_EQ(s.programmablePleasingAlert, 0);
  EXPECT_EQ(s.melody, codes::defaultMelody());
  EXPECT_EQ(f.image.current().byte(0x71), 0x0A);  // only the flag bit cleared
  EXPECT_EQ(s.realTimeClock, kYes);               // the clock is no alert
  EXPECT_EQ(s.autoOnOff, kYes);
}

// "Custom" holds only with a melody of its own, since the image keeps no
// other mark of it: an editor closed without a change leaves "Default".
TEST(AlertPage, CustomPleasingAlertNeedsAMelodyOfItsOwn) {
  PageContextFixture f('x');
  AlertPage page;
  f.settings.userSelectableAlerts = kYes;
  page.onExit(choose(fieldId("cb_programmablePleasingAlert"), 1), f.context);
  EXPECT_EQ(f.settings.programmablePleasingAlert, 0);

  f.settings.melody[3] = 0xE0;
  page.onExit(choose(fieldId("cb_programmablePleasingAlert"), 1), f.context);
  EXPECT_EQ(f.settings.programmablePleasingAlert, 1);

  // Back to "Default": the default melody, or the file would read "Custom".
  page.onExit(choose(fieldId("cb_programmablePleasingAlert"), 0), f.context);
  EXPECT_EQ(f.settings.programmablePleasingAlert, 0);
  EXPECT_EQ(f.settings.melody, codes::defaultMelody());
}

TEST(AlertPage, ClockOffClearsPrivateTimeAlertEvenWithPrivateTimeOn) {
  PageContextFixture f;
  AlertPage page;
  SettingsRecord& s = f.settings;
  s.realTimeClock = s.autoOnOff = s.autoOnOffAlert = kYes;
  s.internationalDate = s.showTimeStamp = s.individualMessageAlarm = kYes;
  s.autoAlarmTurnOn = s.alarmAlwaysAudible = s.lowCellAlert = kYes;

  page.onExit(choose(fieldId("cb_realTimeClock"), kNo), f.context);

  for (int v :
       {s.autoOnOff, s.autoOnOffAlert, s.internationalDate, s.showTimeStamp,
        s.individualMessageAlarm, s.autoAlarmTurnOn, s.alarmAlwaysAudible, s.lowCellAlert}) {
    EXPECT_EQ(v, kNo);
  }
}

// One rule each: the setting that triggers it and the one it changes.
struct RuleCase {
  const char* name;
  std::function<void(SettingsRecord&)> arrange;
  std::function<bool(const SettingsRecord&)> holds;
};

class SingleRule : public ::testing::TestWithParam<RuleCase> {};

TEST_P(SingleRule, Applies) {
  PageContextFixture f;
  SettingsRecord& s = f.settings;
  s.realTimeClock = kYes;  // keep rules 1 and 5 out of the way
  GetParam().arrange(s);
  applyAlertRules(s, f.image, f.context.model, false);
  EXPECT_TRUE(GetParam().holds(s));
}

INSTANTIATE_TEST_SUITE_P(
    AlertPage, SingleRule,
    ::testing::Values(RuleCase{"NoIntervalNoTimeout",
                               [](SettingsRecord& s) {
                                 s.reminderAlertInterval = 0;
                                 s.reminderAlertTimeout = 5;
                               },
                               [](const SettingsRecord& s) { return s.reminderAlertTimeout == 0; }},
                      RuleCase{"PrivateTimeOffTakesItsAlert",
                               [](SettingsRecord& s) {
                                 s.autoOnOff = kNo;
                                 s.autoOnOffAlert = kYes;
                               },
                               [](const SettingsRecord& s) { return s.autoOnOffAlert == kNo; }},
                      RuleCase{"NoOutOfRangeTimeNoAlert",
                               [](SettingsRecord& s) {
                                 s.oorTime = 0;
                                 s.oorAlert = kYes;
                               },
                               [](const SettingsRecord& s) { return s.oorAlert == kNo; }},
                      RuleCase{"OutOfRangeTimeKeepsAlert",
                               [](SettingsRecord& s) {
                                 s.oorTime = 1;
                                 s.oorAlert = kYes;
                               },
                               [](const SettingsRecord& s) { return s.oorAlert == kYes; }},
                      RuleCase{"NoSelectableAlertsNoCustomMelody",
                               [](SettingsRecord& s) {
                                 s.userSelectableAlerts = kNo;
                                 s.programmablePleasingAlert = 1;
                                 s.melody.fill(0x03);
                               },
                               [](const SettingsRecord& s) {
                                 return s.programmablePleasingAlert == 0 &&
                                        s.melody == codes::defaultMelody();
                               }},
                      RuleCase{"SelectableAlertsKeepCustomMelody",
                               [](SettingsRecord& s) {
                                 s.userSelectableAlerts = kYes;
                                 s.programmablePleasingAlert = 1;
                                 s.melody.fill(0x03);
                               },
                               [](const SettingsRecord& s) {
                                 return s.programmablePleasingAlert == 1 && s.melody[0] == 0x03;
                               }},
                      RuleCase{"OneSecondRepeatShortPulse",
                               [](SettingsRecord& s) {
                                 s.std4RepeatPeriod = 0;
                                 s.std4PulseDuration = 1;
                               },
                               [](const SettingsRecord& s) { return s.std4PulseDuration == 0; }},
                      RuleCase{"TwoSecondRepeatKeepsPulse",
                               [](SettingsRecord& s) {
                                 s.std4RepeatPeriod = 1;
                                 s.std4PulseDuration = 1;
                               },
                               [](const SettingsRecord& s) { return s.std4PulseDuration == 1; }}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(AlertPage, ChirpingReminderChirpsOnlyWithTheExtendedControls) {
  struct Case {
    models::ModelCode model;
    bool converter;
    int expected;
  };
  for (const Case c :
       {Case{'x', false, 9}, Case{0x98, false, 9}, Case{'p', false, 2}, Case{'1', true, 9}}) {
    PageContextFixture f(c.model);
    f.settings.reminderAlertDuration = 0;  // Chirp
    f.settings.defaultReminderAlert = 2;
    applyAlertRules(f.settings, f.image, c.model, c.converter);
    EXPECT_EQ(f.settings.defaultReminderAlert, c.expected) << int(c.model);
  }
}

TEST(AlertPage, LayoutByModel) {
  struct Case {
    models::ModelCode model;
    std::size_t durations;
    bool extendedShown;
    bool keyClickShown;
  };
  AlertPage page;
  for (const Case c : {Case{'p', 2, false, true}, Case{'x', 3, true, true},
                       Case{0x91, 3, true, true}, Case{' ', 2, false, false}}) {
    PageContextFixture f(c.model);
    const pages::PageView view = page.view(Page::Alert, f.context);
    EXPECT_EQ(view.find(fieldId("cb_alertDuration"))->items.size(), c.durations) << int(c.model);
    for (pages::FieldId id : {fieldId("cb_defaultAlert"), fieldId("cb_reminderAlertDuration"),
                              fieldId("cb_defaultReminderAlert")}) {
      EXPECT_EQ(view.find(id)->visible, c.extendedShown) << int(c.model) << " field " << id;
    }
    EXPECT_EQ(view.find(fieldId("cb_keyChirp"))->visible, c.keyClickShown);
    EXPECT_EQ(view.find(fieldId("cb_alarmAlwaysAudible"))->visible, c.keyClickShown);
  }
}

TEST(AlertPage, ViewShowsTheStoredChoices) {
  PageContextFixture f('x');
  AlertPage page;
  f.settings.alertDuration = 2;
  f.settings.fixAlertReminder = 1;
  const pages::PageView view = page.view(Page::Alert, f.context);
  EXPECT_EQ(view.find("cb_alertDuration")->selected, 2);
  EXPECT_EQ(view.find("cb_fixAlert")->selected, 1);

  f.setModel('p');  // "30 sec" is not offered there
  EXPECT_EQ(page.view(Page::Alert, f.context).find("cb_alertDuration")->selected, -1);
}

TEST(AlertPage, EverythingButTheClockIsDisabledWithAllAlertsOff) {
  PageContextFixture f('x');
  AlertPage page;
  f.settings.disableAllAlerts = kYes;
  f.settings.realTimeClock = kYes;
  f.settings.reminderAlertInterval = 3;
  const pages::PageView view = page.view(Page::Alert, f.context);
  for (pages::FieldId id :
       {fieldId("cb_alertFrequency"), fieldId("cb_alertDuration"), fieldId("cb_defaultAlert"),
        fieldId("cb_userChangableAlertMode"), fieldId("cb_userSelectableAlerts"),
        fieldId("cb_programmablePleasingAlert"), fieldId("cb_reminderAlertInterval"),
        fieldId("cb_reminderAlertTimeout"), fieldId("cb_reminderAlertDuration"),
        fieldId("cb_defaultReminderAlert"), fieldId("cb_enableMaildropAlert"),
        fieldId("cb_manualAlertReset"), fieldId("cb_lowCellAlert"), fieldId("cb_keyChirp"),
        fieldId("cb_oorAlert"), fieldId("cb_vibrator"), fieldId("cb_std4RepeatPeriod"),
        fieldId("cb_std4PulseDuration")}) {
    EXPECT_FALSE(view.find(id)->enabled) << id;
  }
  for (pages::FieldId id :
       {fieldId("cb_disableAllAlerts"), fieldId("cb_alarmAlwaysAudible"),
        fieldId("cb_realTimeClock"), fieldId("cb_internationalDate"), fieldId("cb_showTimeStamp"),
        fieldId("cb_individualMessageAlarm"), fieldId("cb_autoAlarmTurnOn"),
        fieldId("cb_autoOnOff"), fieldId("cb_oorTime")}) {
    EXPECT_TRUE(view.find(id)->enabled) << id;
  }
}

TEST(AlertPage, EnablingWithAlertsOn) {
  PageContextFixture f('x');
  AlertPage page;
  SettingsRecord& s = f.settings;
  const auto enabled = [&](pages::FieldId id) { return f.enabled(page, Page::Alert, id); };

  s.userSelectableAlerts = kNo;
  EXPECT_FALSE(enabled(fieldId("cb_programmablePleasingAlert")));
  s.userSelectableAlerts = kYes;
  EXPECT_TRUE(enabled(fieldId("cb_programmablePleasingAlert")));

  s.reminderAlertInterval = 0;
  EXPECT_FALSE(enabled(fieldId("cb_reminderAlertTimeout")));
  EXPECT_FALSE(enabled(fieldId("cb_defaultReminderAlert")));
  EXPECT_FALSE(enabled(fieldId("cb_enableMaildropAlert")));
  f.setCode(2, "0001000", "AAAA", 2);  // a maildrop code keeps its alert choice open
  EXPECT_TRUE(enabled(fieldId("cb_enableMaildropAlert")));
  EXPECT_FALSE(enabled(fieldId("cb_reminderAlertTimeout")));
  s.reminderAlertInterval = 1;
  EXPECT_TRUE(enabled(fieldId("cb_reminderAlertTimeout")));

  s.oorTime = 0;
  EXPECT_FALSE(enabled(fieldId("cb_oorAlert")));
  s.oorTime = 1;
  EXPECT_TRUE(enabled(fieldId("cb_oorAlert")));

  s.realTimeClock = kNo;
  EXPECT_FALSE(enabled(fieldId("cb_alarmAlwaysAudible")));
  s.realTimeClock = kYes;
  EXPECT_TRUE(enabled(fieldId("cb_alarmAlwaysAudible")));
  EXPECT_TRUE(enabled(fieldId("cb_keyChirp")));
  EXPECT_TRUE(enabled(fieldId("cb_std4RepeatPeriod")));

  s.deafPager = kYes;  // a deaf pager neither clicks nor sounds alarms
  EXPECT_FALSE(enabled(fieldId("cb_keyChirp")));
  EXPECT_FALSE(enabled(fieldId("cb_alarmAlwaysAudible")));
  EXPECT_FALSE(enabled(fieldId("cb_std4RepeatPeriod")));
  EXPECT_FALSE(enabled(fieldId("cb_std4PulseDuration")));
}

}  // namespace
}  // namespace zelta::pages
