#include <gtest/gtest.h>

#include "codeplug/d_family_layout.h"
#include "codes/tone_samples.h"
#include "core/codes/recording_tone_output.h"
#include "pages/field_ids.h"
#include "window_fixture.h"

namespace zelta::window {
namespace {

using pages::Page;

constexpr pages::FieldId kIcnField = pages::fieldId("ed_ICN");
constexpr pages::FieldId kUserSelectableAlerts = pages::fieldId("cb_userSelectableAlerts");
constexpr pages::FieldId kPleasingAlert = pages::fieldId("cb_programmablePleasingAlert");
constexpr pages::FieldId kFirstPatternList = pages::fieldId("cb_alertPattern01_1");
constexpr int kYes = 1;
constexpr int kCustom = 1;

pages::FieldInput chosen(pages::FieldId id, int index) {
  pages::FieldInput in;
  in.id = id;
  in.index = index;
  return in;
}

// A family F codeplug on its "Alert" page with selectable alerts, so that
// "Programmable Pleasing Alert" may be "Custom".
struct AlertFixture : WindowFixture {
  AlertFixture() {
    loadNew(0x98);
    EXPECT_TRUE(window.selectPage(Page::Alert));
    window.fieldLeft(chosen(kUserSelectableAlerts, kYes));
  }
};

TEST(PleasingAlertEditorOpening, ChangingTheListToCustomOpensTheEditorBeforeTheChoiceIsStored) {
  AlertFixture f;
  int storedWhileOpen = -1;
  f.frontEnd.editPleasingAlertAs = [&](codes::Melody& melody) {
    storedWhileOpen = f.window.settings().programmablePleasingAlert;
    melody[0] = 0xE3;
  };
  f.window.fieldEntered(kPleasingAlert);  // shows "Default": nothing
  EXPECT_EQ(f.frontEnd.pleasingAlertEditors, 0);
  f.window.fieldLeft(chosen(kPleasingAlert, kCustom));
  EXPECT_EQ(f.frontEnd.pleasingAlertEditors, 1);
  EXPECT_EQ(storedWhileOpen, 0);
  EXPECT_EQ(f.window.settings().programmablePleasingAlert, kCustom);
  EXPECT_EQ(f.window.settings().melody[0], 0xE3);
  EXPECT_TRUE(f.window.unsavedEdits());

  // Entered again while it shows "Custom": the editor again.
  f.window.fieldEntered(kIcnField);
  f.window.fieldEntered(kPleasingAlert);
  EXPECT_EQ(f.frontEnd.pleasingAlertEditors, 2);
  // Back to "Default" opens nothing (and the rules reset the melody).
  f.window.fieldLeft(chosen(kPleasingAlert, 0));
  EXPECT_EQ(f.frontEnd.pleasingAlertEditors, 2);
}

TEST(PleasingAlertEditorOpening, OtherPagesAndFieldsNeverOpenIt) {
  AlertFixture f;
  f.window.fieldEntered(kUserSelectableAlerts);
  f.window.fieldLeft(chosen(kUserSelectableAlerts, kYes));
  f.window.selectPage(Page::General);
  f.window.fieldEntered(kPleasingAlert);
  EXPECT_EQ(f.frontEnd.pleasingAlertEditors, 0);
}

TEST(PleasingAlertEditorOpening, CtrlSSavesTheEditedMelody) {
  AlertFixture f;
  const codes::Melody edited{0xE1, 0xE2, 0xE3, 0x04, 0xE5, 0xE6, 0xE7, 0xE8,
                             0xE9, 0xEA, 0xEB, 0xEC, 0xED, 0xEE, 0xEF, 0x00};
  f.frontEnd.editPleasingAlertAs = [&](codes::Melody& melody) { melody = edited; };
  f.window.fieldLeft(chosen(kPleasingAlert, kCustom));
  const auto target = f.folder / "melody.cp";
  f.frontEnd.saveAnswers.push_back(target);
  ASSERT_EQ(f.window.pressKey(WindowKey::CtrlS), KeyOutcome::Handled);
  EXPECT_FALSE(f.window.unsavedEdits());

  WindowFixture again;
  ASSERT_TRUE(again.load(target).succeeded());
  EXPECT_EQ(again.window.settings().melody, edited);
  EXPECT_EQ(again.window.settings().programmablePleasingAlert, kCustom);
}

TEST(PlayTone, PlaysThePatternOfTheListLastEnteredOrChanged) {
  WindowFixture f;
  f.loadNew(0x98);
  ASSERT_TRUE(f.window.selectPage(Page::Code1to4));
  codes::RecordingToneOutput output;
  const std::filesystem::path program = f.folder.path();  // no tone folder: stand-ins

  EXPECT_FALSE(f.window.playTone(output, program));  // nothing entered yet
  f.window.fieldLeft(chosen(kFirstPatternList, 3));  // PL3, stored before it is entered
  f.window.fieldEntered(kFirstPatternList + 1);
  const int shown = f.window.pageView(Page::Code1to4).find(kFirstPatternList + 1)->selected;
  EXPECT_TRUE(f.window.playTone(output, program));
  f.window.fieldEntered(kFirstPatternList);
  EXPECT_TRUE(f.window.playTone(output, program));
  f.window.fieldLeft(chosen(kFirstPatternList, 12));  // UG4
  EXPECT_TRUE(f.window.playTone(output, program));
  ASSERT_EQ(output.played.size(), 3u);
  EXPECT_EQ(output.played[0], codes::standInPatternTones(shown));
  EXPECT_EQ(output.played[1], codes::standInPatternTones(3));
  EXPECT_EQ(output.played[2], codes::standInPatternTones(12));

  // An edit field entered clears it.
  f.window.fieldEntered(kIcnField);
  EXPECT_FALSE(f.window.playToneEnabled());
  EXPECT_FALSE(f.window.playTone(output, program));
  EXPECT_EQ(output.played.size(), 3u);
}

TEST(UserPasswordKeypadSave, StoresTheDigitsAndTheImageGetsThePackedKeys) {
  WindowFixture f;
  f.loadNew(0x98);
  pages::UserPasswordKeypad keypad;
  keypad.press(pages::PagerKey::Left);
  keypad.press(pages::PagerKey::Up);
  keypad.press(pages::PagerKey::Down);
  pages::UserPassword password;
  ASSERT_EQ(keypad.save(password), errors::code::Ok);

  f.window.storeUserPassword(password);  // not from the "Password / OTA" page: nothing
  EXPECT_FALSE(f.window.unsavedEdits());
  ASSERT_TRUE(f.window.selectPage(Page::PasswordOta));
  f.window.storeUserPassword(password);
  EXPECT_TRUE(f.window.unsavedEdits());
  EXPECT_EQ(f.window.settings().cpwFc_Password, "023");
  EXPECT_EQ(f.window.settings().userPasswordKeyCount, 3);
  EXPECT_EQ(
      f.window.pageView(Page::PasswordOta).find(pages::fieldId("ed_cpwFc_Password_LRUD"))->text,
      "L. U. D. ");

  const auto target = f.folder / "keys.cp";
  f.frontEnd.saveAnswers.push_back(target);
  ASSERT_TRUE(f.window.save().succeeded());
  const codeplug::CodeplugImage& image = f.window.image();
  const auto& t = image.offsets();
  const std::uint16_t keys = static_cast<std::uint16_t>(
      image.current().byte(t.userKeys) | (image.current().byte(t.userKeys + 1) << 8));
  EXPECT_EQ(keys, codeplug::userKeyWord("023"));
  EXPECT_EQ(image.current().byte(t.userPasswordFlags) >> 5, 1);  // length code
  WindowFixture again;
  ASSERT_TRUE(again.load(target).succeeded());
  EXPECT_EQ(again.window.settings().cpwFc_Password, "023");
}

}  // namespace
}  // namespace zelta::window
