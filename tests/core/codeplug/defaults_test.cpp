#include "codeplug/defaults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "codeplug/field_encodings.h"
#include "text/character_sets.h"
#include "text/languages.h"

namespace zelta::codeplug {
namespace {

using text::PromptId;

// A record full of values from some earlier codeplug.
SettingsRecord usedRecord() {
  SettingsRecord s;
  for (std::string& c : s.code) c = "0000555";
  s.function.fill("XXXX");
  s.history.fill("YYYY");
  s.codeType.fill(1);
  for (auto& modes : s.alertMode) modes.fill(5);
  s.serialNumber = "A123";
  s.keyChirp = 1;
  s.internationalPrompt = 3;
  s.promptsAsText = true;
  s.kept.rawBlock320.fill(0x55);
  s.kept.rawValue1 = 7;
  s.receiver.referenceHz = 16'800'000;
  s.receiver.n = 1234;
  s.prompts[PromptId::zoomInPrompt] = {text::PromptText{"ZOOM IN"}, false};
  s.prompts[PromptId::zoomOutPrompt] = {text::PromptText{"<DEFAULT>"}, true};
  s.prompts[PromptId::setTimePrompt] = {text::PromptText{"MY TIME"}, false};
  s.modelCodeAsRead = '1';
  s.pagerUnprogrammed = true;
  s.noSequentialInc = 4;
  return s;
}

SettingsRecord defaultsFor(models::ModelCode model, int memorySize = 32,
                           bool converterTarget = false) {
  CodeplugImage image;
  image.setModel(model);
  image.header().memorySize = static_cast<std::uint8_t>(memorySize);
  SettingsRecord s = usedRecord();
  resetToDefaults(s, image, converterTarget);
  return s;
}

TEST(ResetToDefaults, CodeOneAloneIsSet) {
  CodeplugImage image;  // no pager read yet
  image.header().largeMemory = false;
  SettingsRecord s = usedRecord();
  resetToDefaults(s, image, false);

  EXPECT_EQ(s.code[0], "1234567");
  EXPECT_EQ(codeAddress(s.code[0]), 1234567U);
  for (std::size_t i = 1; i < s.code.size(); ++i) EXPECT_TRUE(isEmptyCode(s.code[i])) << i;
  for (const std::string& f : s.function) EXPECT_EQ(f, "TNAA");
  for (const int type : s.codeType) EXPECT_EQ(type, 0);
  // Values only some families store come back too.
  for (const std::string& h : s.history) EXPECT_EQ(h, "NNNN");
  EXPECT_EQ(s.alertMode[15][3], 0);
  EXPECT_TRUE(s.serialNumber.empty());
  EXPECT_EQ(s.receiver.n, 0U);
  EXPECT_TRUE(image.header().largeMemory);
}

TEST(ResetToDefaults, KeepsWhatIsNotPartOfTheCodeplug) {
  const SettingsRecord s = defaultsFor('1');
  EXPECT_EQ(s.modelCodeAsRead, '1');
  EXPECT_TRUE(s.pagerUnprogrammed);
  EXPECT_EQ(s.noSequentialInc, 4);
}

TEST(ResetToDefaults, MemorySplitFollowsTheMemorySize) {
  struct Case {
    int memorySize;
    int stored;
    std::string_view personal;
  };
  for (const Case c : {Case{32, 10, "  10K"}, Case{8, 5, "  5K"}, Case{2, 5, "  5K"}}) {
    const SettingsRecord s = defaultsFor('1', c.memorySize);
    EXPECT_EQ(s.memorySplit, c.stored) << c.memorySize;
    const bool large = c.memorySize >= 32;
    EXPECT_EQ(memorySplitText(large,
                              memorySplitTable(large).indexOf(static_cast<unsigned>(s.memorySplit)))
                  .personal,
              c.personal)
        << c.memorySize;
  }
}

// The default values by control name: members that are easy to swap (interval and
// time-out, pulse and repeat, the three battery levels) must each get their own.
TEST(ResetToDefaults, NamedFieldsGetTheirValues) {
  const SettingsRecord s = defaultsFor(0x98);
  struct Case {
    const char* name;
    FieldValue value;
  };
  const Case cases[] = {
      {"ed_ICN", std::string("1234567890")},
      {"ed_downloadPassword", std::string("FALCONS XV")},
      {"ed_otaGroupPassword", std::string("FALCONS XV")},
      {"cb_alertFrequency", 1},
      {"cb_reminderAlertInterval", 1},
      {"cb_reminderAlertTimeout", 7},
      {"cb_std4PulseDuration", 1},
      {"cb_std4RepeatPeriod", 1},
      {"cb_retainErroredNumeric", 0},
      {"cb_retainErroredNonNumeric", 1},
      {"cb_readTimeout", 1},
      {"cb_fastScrollTime", 4},
      {"cb_functionMenuDisplay", 2},
      {"cb_batteryGaugeHiLevel", 9},
      {"cb_batteryGaugeMedLevel", 8},
      {"cb_batteryGaugeLoLevel", 7},
      {"cb_lowCellPeriod", 12},
      {"cb_keyChirp", 0},
      {"cb_maildropMessageNotebook", 1},
      {"ed_endMsgChar", std::string("04")},
      {"ed_startCannedMsg", std::string("0000")},
      {"ed_contrastAdjustValue", std::string("009")},
      {"ed_IconContrastAdjustValue", std::string("3")},
      {"userPasswordKeyCount", 2},
      {"userPasswordTimeout", 300},
      {"ed_cpwFc_Password", std::string()},
  };
  for (const Case& c : cases) EXPECT_EQ(readSettingsField(s, c.name), c.value) << c.name;
  EXPECT_EQ(s.melody, SettingsRecord{}.melody);
  EXPECT_EQ(s.tuningBytes, (std::array<std::uint8_t, 4>{9, 90, 78, 98}));
  EXPECT_EQ(s.receiver.referenceHz, 20'950'000);
  EXPECT_EQ(s.receiver2.referenceHz, 20'950'000);
  EXPECT_EQ(s.receiver.ifHz, 21'400'000);
}

TEST(ResetToDefaults, ModelDecidesFrequencyCodesAndPromptStorage) {
  struct Case {
    models::ModelCode model;
    std::string_view frequency;
    int codingFormat;
    std::string_view code2;
    int code2Type;
    std::string_view functions2;
    bool promptsAsText;
    int functionMenuDisplay;
    int maildropNotebook;
  };
  const Case cases[] = {
      {'1', "158.0125", 0, "       ", 0, "TNAA", false, 2, 1},
      {' ', "158.0125", 0, "       ", 0, "TNAA", false, 2, 0},
      {0x93, "158.01250", 0, "       ", 0, "TNAA", false, 2, 1},
      {'#', "327.5250", 1, "2000008", 2, "IIII", true, 0, 1},
  };
  for (const Case& c : cases) {
    const SettingsRecord s = defaultsFor(c.model);
    EXPECT_EQ(s.frequency, c.frequency) << c.model;
    EXPECT_EQ(frequencyHzFromText(s.frequency), s.receiveFrequencyHz) << c.model;
    EXPECT_EQ(s.codingFormat, c.codingFormat) << c.model;
    EXPECT_EQ(s.code[1], c.code2) << c.model;
    EXPECT_EQ(s.codeType[1], c.code2Type) << c.model;
    EXPECT_EQ(s.function[1], c.functions2) << c.model;
    EXPECT_EQ(s.promptsAsText, c.promptsAsText) << c.model;
    EXPECT_EQ(s.functionMenuDisplay, c.functionMenuDisplay) << c.model;
    EXPECT_EQ(s.maildropMessageNotebook, c.maildropNotebook) << c.model;
  }
}

TEST(ResetToDefaults, ModelHashOverrides) {
  const SettingsRecord s = defaultsFor('#');
  EXPECT_EQ(s.code[0], "1106798");
  EXPECT_EQ((std::vector<std::string>{s.function.begin(), s.function.begin() + 5}),
            (std::vector<std::string>{"NIII", "IIII", "NIII", "NIII", "TNAA"}));
  EXPECT_EQ(s.kept.byte74Bits, 0);
  EXPECT_EQ(s.internationalPrompt, 19);
  EXPECT_EQ(s.ideoNumericCanned, 1);
  EXPECT_EQ(s.regularCannedMsg, 1);
  EXPECT_EQ(s.keyChirp, 1);
  EXPECT_EQ(s.oorTime, 7);
  EXPECT_EQ(s.retainErroredNumeric, 1);
  EXPECT_EQ(s.truncatedMessageIndicator, 1);
  EXPECT_EQ(s.rfProgramming, 1);
  EXPECT_EQ(s.receiveWhileOff, 1);
  EXPECT_TRUE(std::all_of(s.kept.rawBlock320.begin(), s.kept.rawBlock320.end(),
                          [](auto b) { return b == 0; }));
  EXPECT_EQ(s.kept.rawValue1, 0);

  // The raw prompts are nine two-byte characters the pager's ROM can show.
  const std::array<std::uint8_t, 18> korvandel{0x23, 'K',  0x23, 'O',  0x23, 'R',  0x23, 'V',  0x23,
                                               'A',  0x23, 'N',  0x23, 'D',  0x23, 'E',  0x23, 'L'};
  EXPECT_EQ(s.kept.rawPowerUpPrompt, korvandel);
  EXPECT_EQ(text::firstInvalidLeadByte(s.kept.rawDisablePrompt), std::nullopt);
  EXPECT_EQ(s.kept.rawDisablePrompt[0], 0x23);
  EXPECT_EQ(s.kept.rawDisablePrompt[1], 'P');
  EXPECT_EQ(s.kept.rawDisablePrompt[10], 0x21);  // "PAGER DIS": the space
  EXPECT_EQ(s.kept.rawDisablePrompt[11], 0x21);
}

bool isRomDefault(const text::Prompt& p) {
  return p == text::Prompt{text::PromptText{"<DEFAULT>"}, true};
}

TEST(ResetToDefaults, EnglishPromptsLeaveFiveToTheRomOnThe48List) {
  const SettingsRecord s = defaultsFor('1');
  const PromptId rom[] = {PromptId::setTimePrompt, PromptId::setAlarmPrompt,
                          PromptId::duplicatePrompt, PromptId::standardAlertPrompt,
                          PromptId::pleasantAlertPrompt};
  for (const PromptId id : text::promptListEntries(text::PromptList::list48)) {
    if (id == PromptId::zoomInPrompt || id == PromptId::zoomOutPrompt) continue;
    const bool inRom = std::find(std::begin(rom), std::end(rom), id) != std::end(rom);
    EXPECT_EQ(isRomDefault(s.prompts[id]), inRom) << text::promptFieldName(id);
  }
  EXPECT_EQ(s.prompts[PromptId::deletePrompt],
            (text::Prompt{text::PromptText{"DELETE MESSAGE"}, false}));
  EXPECT_EQ(s.prompts[PromptId::powerUpPrompt],
            (text::Prompt{text::PromptText{"KORVANDEL"}, false}));
  EXPECT_EQ(s.prompts[text::sourcePromptId(16)].text, "4-4");
  // The zoom prompts have no default text: they stay as they were.
  EXPECT_EQ(s.prompts[PromptId::zoomInPrompt], usedRecord().prompts[PromptId::zoomInPrompt]);
  EXPECT_EQ(s.prompts[PromptId::zoomOutPrompt], usedRecord().prompts[PromptId::zoomOutPrompt]);
}

// The list, and with it which prompts get defaults and whether any is left to
// the ROM, follows the model and the converter selection.
TEST(ResetToDefaults, PromptsFollowTheModelsList) {
  struct Case {
    models::ModelCode model;
    bool converterTarget;
    PromptId prompt;
    std::string_view text;
  };
  const Case cases[] = {
      {'p', false, text::sourcePromptId(24), "6-4"},
      {'p', false, PromptId::setReminderPrompt, "SET REMINDER"},
      {'1', true, PromptId::setOffDutyPrompt, "OFF DUTY"},
      {'1', true, PromptId::setTimePrompt, "SET TIME"},
      {0x98, false, PromptId::PASSWORD_KEY_PROMPT, "DIR KEY FOR INPUT"},
      {0x98, false, text::sourcePromptId(64), "16-4"},
      {0x93, false, PromptId::switchWidePrompt, "SWITCH TO SECONDARY"},
  };
  for (const Case& c : cases) {
    const SettingsRecord s = defaultsFor(c.model, 32, c.converterTarget);
    EXPECT_EQ(s.prompts[c.prompt], (text::Prompt{text::PromptText{c.text}, false}))
        << int{c.model} << " " << text::promptFieldName(c.prompt);
  }
  // A 48-list model leaves the prompts of the longer lists alone.
  EXPECT_EQ(defaultsFor('1').prompts[PromptId::setOffDutyPrompt].text, "");
}

// A model ' ' codeplug (49-list, "SET TIME" at the set-time-alarm prompt,
// no display settings) about to be built for another model.
struct OldModelCase {
  models::ModelCode target;
  int languageItem;
  bool promptsAsText;
  std::string_view setTimeAlarm;
  bool builtIn;
};

TEST(OldModelFeatureDefaults, SetTimeAlarmPromptBecomesTheLanguagesDefault) {
  const OldModelCase cases[] = {
      {'1', text::lang::english, false, "SET TIME AND ALARM", false},
      {'1', text::lang::german, false, "UHRZEIT / WECKER", false},
      {0x91, text::lang::english, false, "SET TIME AND ALARM", false},
      // Stored as text, for model '#', or in a language without tables: kept.
      {'1', text::lang::english, true, "<DEFAULT>", true},
      {'#', text::lang::english, false, "<DEFAULT>", true},
      {'1', text::kTableLanguages, false, "<DEFAULT>", true},
  };
  for (const OldModelCase& c : cases) {
    CodeplugImage image;
    image.setModel(c.target);
    SettingsRecord s;
    s.modelCodeAsRead = ' ';
    s.internationalPrompt = c.languageItem;
    s.promptsAsText = c.promptsAsText;
    s.prompts[PromptId::setTimeAlarmPrompt] = {text::PromptText{"<DEFAULT>"}, true};
    applyOldModelFeatureDefaults(s, image, false);
    EXPECT_EQ(s.prompts[PromptId::setTimeAlarmPrompt],
              (text::Prompt{text::PromptText{c.setTimeAlarm}, c.builtIn}))
        << int{c.target} << " language " << c.languageItem;
  }
}

TEST(OldModelFeatureDefaults, DisplayAndReceiverValues) {
  CodeplugImage image;
  image.setModel('1');
  image.header().memorySize = 8;
  SettingsRecord s;
  s.keyChirp = 1;
  s.batteryGauge = 0;
  s.batteryGaugeHiLevel = s.batteryGaugeMedLevel = s.batteryGaugeLoLevel = 0;
  s.endMsgChar = "09";
  s.memorySplit = 3;
  s.stopDecodeMissSync = 1;
  s.tuningBytes = {1, 2, 3, 4};
  s.receiverP1 = 3;
  s.receiver.referenceHz = 16'800'000;
  s.receiver.injectionSide = 2;
  s.receiver2.referenceHz = 16'800'000;
  s.retainErroredNumeric = 1;  // not one of the features model ' ' lacks
  applyOldModelFeatureDefaults(s, image, false);

  EXPECT_EQ(s.keyChirp, 0);
  EXPECT_EQ(s.batteryGauge, 1);
  EXPECT_EQ(s.batteryGaugeHiLevel, 9);
  EXPECT_EQ(s.batteryGaugeMedLevel, 8);
  EXPECT_EQ(s.batteryGaugeLoLevel, 7);
  EXPECT_EQ(s.endMsgChar, "04");
  EXPECT_EQ(s.memorySplit, 5);
  EXPECT_EQ(s.stopDecodeMissSync, 0);
  EXPECT_EQ(s.tuningBytes, (std::array<std::uint8_t, 4>{9, 90, 78, 98}));
  EXPECT_EQ(s.receiverP1, 14);
  EXPECT_EQ(s.receiver.referenceHz, 12'800'000);
  EXPECT_EQ(s.receiver.injectionSide, 0);
  EXPECT_EQ(s.receiver2.referenceHz, 16'800'000);
  EXPECT_EQ(s.retainErroredNumeric, 1);
}

}  // namespace
}  // namespace zelta::codeplug
