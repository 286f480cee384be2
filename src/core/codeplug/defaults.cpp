#include "codeplug/defaults.h"

#include <utility>

#include "codeplug/field_encodings.h"
#include "text/character_sets.h"
#include "text/default_prompts.h"
#include "text/languages.h"

namespace zelta::codeplug {
using models::kModelHash;
using models::kModelSpace;
namespace {

// Default split positions of the two memory-split lists.
constexpr int kDefaultSplitIndex8K = 4;   // "  5K" personal
constexpr int kDefaultSplitIndex32K = 2;  // "  10K" personal

// The receiver values of a fresh codeplug; a model ' ' codeplug built for
// another model gets them with a 12.8 MHz reference instead.
constexpr Hertz kDefaultReferenceHz = 20'950'000;
constexpr Hertz kOldModelReferenceHz = 12'800'000;

void setReceiverDefaults(SynthesizerParameters& receiver, Hertz referenceHz) {
  receiver.referenceHz = referenceHz;
  receiver.multiplier = 2;
  receiver.ifHz = 21'400'000;
  receiver.channelStepHz = 12'500;
  receiver.pllType = kPllHi8107;
  receiver.injectionSide = 0;
}

// The tuning bytes (0x2FF, 0x3D-0x3F), the kept oscillator flags and the
// receiver parameters P1-P3 of a fresh codeplug.
void setTuningDefaults(SettingsRecord& s) {
  s.tuningBytes = {9, 90, 78, 98};
  s.kept.oscillatorFlags32 = 0;
  s.receiverP2 = 1;
  s.receiverP1 = 14;
  s.receiverP3 = 16;
}

// The display values model ' ' lacks that every other model has.
void setDisplayDefaults(SettingsRecord& s, int memorySize) {
  s.alarmAlwaysAudible = 1;
  s.keyChirp = 0;
  s.endMsgChar = "04";
  s.batteryGauge = 1;
  s.batteryGaugeHiLevel = 9;   // "1.34v"
  s.batteryGaugeMedLevel = 8;  // "1.29v"
  s.batteryGaugeLoLevel = 7;   // "1.24v"
  s.lowCellPeriod = 12;        // "12 hrs"
  s.printerEnabled = 0;
  s.messagePreview = 1;
  s.showMemFull = 1;
  s.textContrast = "009";
  s.iconContrast = "3";
  s.memorySplit = defaultMemorySplit(memorySize);
  s.stopDecodeMissSync = 0;
}

// Packed prompts show the function menu unless the language is Thai, which
// takes the shorter menu; prompts stored as text show none.
int defaultFunctionMenuDisplay(int language, bool promptsAsText) {
  if (promptsAsText) return 0;
  return language == text::lang::thai ? 1 : 2;
}

void setModelHashDefaults(SettingsRecord& s) {
  s.codingFormat = 1;  // 1200
  s.kept.byte74Bits = 0;
  s.receiveFrequencyHz = kDefaultFrequencyHzModelHash;
  s.frequency = frequencyTextOf(kDefaultFrequencyHzModelHash);
  s.code[0] = "1106798";
  s.code[1] = "2000008";
  s.function[0] = "NIII";
  s.function[1] = "IIII";
  s.function[2] = "NIII";
  s.function[3] = "NIII";
  s.codeType[1] = 2;  // Mail Drop
  s.internationalPrompt = 19;
  s.promptsAsText = true;
  s.functionMenuDisplay = defaultFunctionMenuDisplay(s.internationalPrompt, s.promptsAsText);
  s.B14bitDecoding = 0;
  s.ideoNumericCanned = 1;
  s.regularCannedMsg = 1;
  s.keyChirp = 1;
  s.oorTime = 7;  // "6 min"
  s.retainErroredNumeric = 1;
  s.truncatedMessageIndicator = 1;
  s.rfProgramming = 1;
  s.receiveWhileOff = 1;
  s.kept.rawBlock320.fill(0);
  s.kept.rawBlock64.fill(0);
  s.kept.rawBlock32.fill(0);
  s.kept.rawValue1 = 0;
  s.kept.rawValue2 = 0;
  // The pager's own built-in prompts are not held here: the power-up and
  // disable prompts take the English defaults in full-width characters,
  // which the pager's character ROM shows.
  using text::PromptId;
  text::writeFullWidthRawPrompt(s.kept.rawPowerUpPrompt,
                                s.prompts[PromptId::powerUpPrompt].text.view());
  text::writeFullWidthRawPrompt(s.kept.rawDisablePrompt,
                                s.prompts[PromptId::disablePagerPrompt].text.view());
}

}  // namespace

int defaultMemorySplit(int memorySize) {
  const bool large = memorySize >= 32;
  return memorySplitTable(large).storedAt(large ? kDefaultSplitIndex32K : kDefaultSplitIndex8K);
}

void resetToDefaults(SettingsRecord& settings, CodeplugImage& image, bool converterTarget) {
  const models::ModelCode model = image.modelCode();
  const int memorySize = image.header().memorySize;

  SettingsRecord s;
  s.modelCodeAsRead = settings.modelCodeAsRead;
  s.pagerUnprogrammed = settings.pagerUnprogrammed;
  s.noSequentialInc = settings.noSequentialInc;
  s.prompts = settings.prompts;

  s.ICN = "1234567890";
  s.codingFormat = 0;  // 512
  s.kept.synthesizerFlag = true;
  s.kept.byte74Bits = 2;
  s.dataInversion = 0;
  s.receiveFrequencyHz = kDefaultFrequencyHz;
  s.frequency = frequencyTextOf(kDefaultFrequencyHz,
                                models::modelIn(model, models::ModelGroup::dFamily) ? 5 : 4);

  s.code.fill(std::string(7, ' '));
  s.code[0] = "1234567";
  s.function.fill("TNAA");
  s.priority.fill("NNNN");
  s.codeType.fill(0);
  s.onOffDutyFlags.fill("NNNN");
  s.fixAlert.fill("NNNN");
  s.interruptVib.fill("NNNN");
  s.crescendo.fill("NNNN");

  s.internationalPrompt = 0;
  s.internationalCharSet = 0;
  s.promptsAsText = false;
  text::applyLanguageDefaults(s.prompts, text::lang::english,
                              text::promptListFor(model, converterTarget));

  s.securityLevel = 0;
  s.rfProgramming = 0;
  s.silentRFProgramming = 0;
  s.downloadPassword = "FALCONS XV";
  s.otaPassword = "FALCONS XV";
  s.otaGroupPassword = "FALCONS XV";

  s.disableAllAlerts = 0;
  s.alertFrequency = 1;  // "3.2  KHz"
  s.alertDuration = 1;
  s.userChangableAlertMode = 1;
  s.userSelectableAlerts = 1;
  s.programmablePleasingAlert = 0;  // "Default"
  s.melody.fill(0xE9);
  s.reminderAlertInterval = 1;  // "2 min"
  s.reminderAlertTimeout = 7;   // "30 min"
  // Set for every model; those without the extended alert settings do not
  // store them.
  s.reminderAlertDuration = 0;
  s.defaultAlert = 0;
  s.defaultReminderAlert = 0;
  s.enableMaildropAlert = 1;
  s.manualAlertReset = 0;
  s.lowCellAlert = 0;
  s.realTimeClock = 1;
  s.internationalDate = 0;
  s.showTimeStamp = 1;
  s.individualMessageAlarm = 1;
  s.autoAlarmTurnOn = 1;
  s.autoOnOff = 1;
  s.autoOnOffAlert = 0;
  s.oorTime = 0;
  s.oorAlert = 0;
  s.vibrator = 1;
  s.std4PulseDuration = 1;  // "1/8 sec"
  s.std4RepeatPeriod = 1;   // "2 sec"

  s.retainErroredNumeric = 0;
  s.retainErroredNonNumeric = 1;
  s.retainBetterMaildrop = 1;
  s.personalMessageNotebook = 1;
  s.maildropMessageNotebook = model == kModelSpace ? 0 : 1;
  s.duplication = 1;
  s.sourceIndependentDuplication = 0;
  s.sequentialLockoutPeriod = 0;  // "None"
  s.truncatedMessageIndicator = 0;
  s.badDataIndication = 1;
  s.messageContinueIndicator = 1;
  s.deleteSlotNumber = 0;
  s.showSource = 0;
  s.readTimeout = 1;     // "32 sec"
  s.fastScrollTime = 4;  // "4 sec"
  s.allowOff = 1;
  s.functionMenuDisplay = defaultFunctionMenuDisplay(s.internationalPrompt, s.promptsAsText);
  s.manualDelete = 1;
  s.messageLocking = 1;
  s.nonVolatileMemory = 1;
  s.memoryCleanup = 1;
  s.B14bitDecoding = 0;
  s.ideoNumericCanned = 0;
  s.autoBacklight = 1;
  s.deafPager = 0;  // "Standard"
  s.displayContrast = 9;
  s.kept.byte84 = 50;
  setDisplayDefaults(s, memorySize);
  s.receiveWhileOff = 0;
  s.b14bitDecodingRom3 = 0;
  s.regularCannedMsg = 0;
  s.startCannedMsg = "0000";
  s.endCannedMsg = "0000";
  s.kept.byteB9Bit1 = false;
  setTuningDefaults(s);
  setReceiverDefaults(s.receiver, kDefaultReferenceHz);
  setReceiverDefaults(s.receiver2, kDefaultReferenceHz);
  s.supportDualFreq = 0;
  s.dualFreqMenu = 0;
  s.dualFrequencyMode = 2;

  s.cpwFc_Password.clear();
  s.userPasswordKeyCount = 2;
  s.fUif_User_Password_Enable = 0;
  s.fUif_User_Password_Level = 0;
  s.userPasswordTimeout = 300;
  s.kept.userPasswordFlags = 0;

  if (model == kModelHash) setModelHashDefaults(s);

  settings = std::move(s);
  image.header().largeMemory = true;
}

void applyOldModelFeatureDefaults(SettingsRecord& settings, const CodeplugImage& image,
                                  bool converterTarget) {
  const models::ModelCode model = image.modelCode();
  if (model != kModelHash && !settings.promptsAsText) {
    // Model ' ' holds "SET TIME" where the other lists have "SET TIME AND
    // ALARM"; the ideographic and Thai languages have no default here and
    // keep the prompt as read.
    const text::PromptList list = text::promptListFor(model, converterTarget);
    const int language =
        text::languageFromListItem(settings.internationalPrompt, image.header().cgromType);
    const auto index = text::promptIndex(list, text::PromptId::setTimeAlarmPrompt);
    if (const auto setTime = index ? text::defaultText(language, *index, list) : std::nullopt) {
      settings.prompts[text::PromptId::setTimeAlarmPrompt] = {text::PromptText{*setTime}, false};
    }
  }
  setDisplayDefaults(settings, image.header().memorySize);
  setTuningDefaults(settings);
  setReceiverDefaults(settings.receiver, kOldModelReferenceHz);
}

}  // namespace zelta::codeplug
