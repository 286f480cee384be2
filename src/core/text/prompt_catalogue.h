#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "models/models.h"
#include "text/prompt_code_table.h"

namespace zelta::text {

// A prompt's text, at most 20 bytes, held in place so that packing the
// prompt block (which may replace a "<DEFAULT>" text) never allocates.
// Longer input keeps its first 20 bytes.
class PromptText {
 public:
  constexpr PromptText() = default;
  explicit PromptText(std::string_view text) { assign(text); }

  void assign(std::string_view text);
  std::string_view view() const { return {chars_.data(), size_}; }
  std::string str() const { return std::string{view()}; }
  bool empty() const { return size_ == 0; }
  bool contains(std::string_view part) const { return view().find(part) != std::string_view::npos; }

  friend bool operator==(const PromptText& a, const PromptText& b) { return a.view() == b.view(); }
  friend bool operator==(const PromptText& a, std::string_view b) { return a.view() == b; }

 private:
  std::array<char, kPromptMaxChars> chars_{};
  std::uint8_t size_ = 0;
};

// The text that tells the pager to show its own ROM text for the language.
inline constexpr std::string_view kDefaultMarker = "<DEFAULT>";
// The shorter marker the source, power-up and disable prompts are tested for.
inline constexpr std::string_view kShortDefaultMarker = "DEFAULT";

struct Prompt {
  PromptText text;
  bool builtIn = false;  // the pager's ROM text is meant
  friend bool operator==(const Prompt&, const Prompt&) = default;
};

// Every prompt the settings hold, named after the field that edits it. The
// two 49-list extras (set volume, escalert) and the 118-list's empty prompt
// have no field of their own.
enum class PromptId : std::uint8_t {
  autoOnPrompt,
  setAlertPrompt,
  setReminderPrompt,
  setAudioPrompt,
  setSilentPrompt,
  setLockPrompt,
  setUnlockPrompt,
  deletePrompt,
  deleteAllPrompt,
  addToNotebookPrompt,
  printPrompt,
  printAllPrompt,
  enableMaildropPrompt,
  disableMaildropPrompt,
  setTimeAlarmPrompt,
  setMsgAlarmPrompt,
  zoomInPrompt,
  zoomOutPrompt,
  setOffPrompt,
  goStatusPrompt,
  batteryLowPrompt,
  duplicatePrompt,
  disablePagerPrompt,
  powerUpPrompt,
  standardAlertPrompt,
  pleasantAlertPrompt,
  standardAndVibPrompt,
  chirpAlertPrompt,
  noAlertPrompt,
  onPrompt,
  offPrompt,
  setAlarmPrompt,
  noteBookPrompt,
  memoryFullPrompt,
  setTimePrompt,
  setVolumePrompt,
  escAlertPrompt,
  musicAlertPrompt,
  setMsgAlertPrompt,
  setMsgReminderPrompt,
  soundModePrompt,
  soundAndVibModePrompt,
  vibThenSoundModePrompt,
  vibratorModePrompt,
  blankPrompt,
  silentModePrompt,
  continuousVibPrompt,
  interruptedVibPrompt,
  crescendoPrompt,
  nonCrescendoPrompt,
  dutyEnablePrompt,
  dutyDisablePrompt,
  setToOffDutyPrompt,
  setToOnDutyPrompt,
  setOffDutyPrompt,
  setOnDutyPrompt,
  sourcePrompt,
  switchSitePrompt,
  switchWidePrompt,
  DualFrequencyMenuPrompt,
  PriorityScanPrompt,
  INPUT_PASSWORD_PROMPT,
  PASSWORD_KEY_PROMPT,
  source1Prompt,  // source n (1-64) is source1Prompt + n - 1
};

inline constexpr int kSources = 64;
inline constexpr std::size_t kPromptCount =
    static_cast<std::size_t>(PromptId::source1Prompt) + kSources;

// Source prompt n (1-64) belongs to code c and function f with n = 4 (c - 1) + f.
constexpr PromptId sourcePromptId(int n) {
  return static_cast<PromptId>(static_cast<int>(PromptId::source1Prompt) + n - 1);
}
constexpr bool isSourcePrompt(PromptId id) {
  return id >= PromptId::source1Prompt;
}
constexpr int sourceNumber(PromptId id) {
  return static_cast<int>(id) - static_cast<int>(PromptId::source1Prompt) + 1;
}

// The edit field of a prompt ("ed_deletePrompt", "ed_source12Prompt"); empty
// for the prompts without a field.
std::string promptFieldName(PromptId id);

// All prompts of one codeplug.
struct PromptSet {
  std::array<Prompt, kPromptCount> prompts{};

  Prompt& operator[](PromptId id) { return prompts[static_cast<std::size_t>(id)]; }
  const Prompt& operator[](PromptId id) const { return prompts[static_cast<std::size_t>(id)]; }
  friend bool operator==(const PromptSet&, const PromptSet&) = default;
};

// The per-model prompt lists; a list fixes which prompts a model has and
// their order, which is also the order of the packed prompt block.
enum class PromptList { list48, list49, list59, list118, list119, list123 };

// The list of a model; any model takes the 118-list while a converter
// target is selected.
PromptList promptListFor(models::ModelCode model, bool converterTarget);

// Lists whose pagers hold some prompts in ROM (the others hold none).
constexpr bool hasRomPrompts(PromptList list) {
  return list == PromptList::list48 || list == PromptList::list49 || list == PromptList::list59;
}

// The prompts of a list in index order.
std::span<const PromptId> promptListEntries(PromptList list);

// A prompt's index in a list, if the list has it.
std::optional<int> promptIndex(PromptList list, PromptId id);

// How many prompts, from index 0, the packed block holds: a list's trailing
// source prompts are packed only while "Show Source" is Yes (the 49-list has
// its sources in the middle and always packs them).
int packedPromptCount(PromptList list, bool showSource);

}  // namespace zelta::text
