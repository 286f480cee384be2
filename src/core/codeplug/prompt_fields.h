#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace zelta::codeplug {

// Every named prompt setting, one per prompt control of the Prompt 1 and
// Prompt 2 pages (plus the three prompts of particular lists that no page
// shows). The source prompts 1-64 are held apart (kSourcePromptCount).
// The model's prompt list (text/) says which of these a model has and in
// which order they are packed.
enum class Prompt : int {
  powerUp,
  disablePager,
  autoOn,
  setAlert,
  setAudio,
  setSilent,
  setLock,
  setUnlock,
  deleteMsg,
  deleteAll,
  setTimeAlarm,
  setAlarm,
  setOff,
  goStatus,
  duplicate,
  memoryFull,
  setTime,
  standardAlert,
  pleasantAlert,
  chirpAlert,
  noAlert,
  enableMaildrop,
  disableMaildrop,
  on,
  off,
  zoomIn,
  zoomOut,
  addToNotebook,
  print,
  printAll,
  setMsgAlarm,
  noteBook,
  setReminder,
  standardAndVib,
  batteryLow,
  musicAlert,
  setMsgAlert,
  setMsgReminder,
  soundMode,
  soundAndVibMode,
  vibThenSoundMode,
  vibratorMode,
  silentMode,
  continuousVib,
  interruptedVib,
  crescendo,
  nonCrescendo,
  dutyEnable,
  dutyDisable,
  source,
  setOffDuty,
  setOnDuty,
  setToOffDuty,
  setToOnDuty,
  switchSite,
  switchWide,
  dualFrequencyMenu,
  priorityScan,
  inputPassword,
  passwordKey,
  // Prompts without a control: "SET VOLUME" and "ESCALERT" of model ' ',
  // and the blank entry between the vibrate and silent mode prompts of the
  // family D list.
  setVolume,
  escalert,
  blankMode,
  count
};

inline constexpr std::size_t kNamedPromptCount = static_cast<std::size_t>(Prompt::count);
inline constexpr std::size_t kSourcePromptCount = 64;

// Control names, in enum order; the three prompts without a control carry a
// name of the same form so that every prompt can be addressed by name.
inline constexpr std::array<std::string_view, kNamedPromptCount> kPromptControlNames{
    "ed_powerUpPrompt",          "ed_disablePagerPrompt",    "ed_autoOnPrompt",
    "ed_setAlertPrompt",         "ed_setAudioPrompt",        "ed_setSilentPrompt",
    "ed_setLockPrompt",          "ed_setUnlockPrompt",       "ed_deletePrompt",
    "ed_deleteAllPrompt",        "ed_setTimeAlarmPrompt",    "ed_setAlarmPrompt",
    "ed_setOffPrompt",           "ed_goStatusPrompt",        "ed_duplicatePrompt",
    "ed_memoryFullPrompt",       "ed_setTimePrompt",         "ed_standardAlertPrompt",
    "ed_pleasantAlertPrompt",    "ed_chirpAlertPrompt",      "ed_noAlertPrompt",
    "ed_enableMaildropPrompt",   "ed_disableMaildropPrompt", "ed_onPrompt",
    "ed_offPrompt",              "ed_zoomInPrompt",          "ed_zoomOutPrompt",
    "ed_addToNotebookPrompt",    "ed_printPrompt",           "ed_printAllPrompt",
    "ed_setMsgAlarmPrompt",      "ed_noteBookPrompt",        "ed_setReminderPrompt",
    "ed_standardAndVibPrompt",   "ed_batteryLowPrompt",      "ed_musicAlertPrompt",
    "ed_setMsgAlertPrompt",      "ed_setMsgReminderPrompt",  "ed_soundModePrompt",
    "ed_soundAndVibModePrompt",  "ed_vibThenSoundModePrompt", "ed_vibratorModePrompt",
    "ed_silentModePrompt",       "ed_continuousVibPrompt",   "ed_interruptedVibPrompt",
    "ed_crescendoPrompt",        "ed_nonCrescendoPrompt",    "ed_dutyEnablePrompt",
    "ed_dutyDisablePrompt",      "ed_sourcePrompt",          "ed_setOffDutyPrompt",
    "ed_setOnDutyPrompt",        "ed_setToOffDutyPrompt",    "ed_setToOnDutyPrompt",
    "ed_switchSitePrompt",       "ed_switchWidePrompt",      "ed_DualFrequencyMenuPrompt",
    "ed_PriorityScanPrompt",     "ed_INPUT_PASSWORD_PROMPT", "ed_PASSWORD_KEY_PROMPT",
    "ed_setVolumePrompt",        "ed_escalertPrompt",        "ed_blankModePrompt",
};

constexpr std::string_view promptControlName(Prompt p) {
  return kPromptControlNames[static_cast<std::size_t>(p)];
}

constexpr std::optional<Prompt> findPrompt(std::string_view controlName) {
  for (std::size_t i = 0; i < kNamedPromptCount; ++i) {
    if (kPromptControlNames[i] == controlName) return static_cast<Prompt>(i);
  }
  return std::nullopt;
}

}  // namespace zelta::codeplug
