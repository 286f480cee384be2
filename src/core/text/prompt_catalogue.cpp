#include "text/prompt_catalogue.h"

#include <algorithm>

namespace zelta::text {
using models::kModelSpace;

void PromptText::assign(std::string_view text) {
  size_ = static_cast<std::uint8_t>(std::min(text.size(), kPromptMaxChars));
  std::copy_n(text.begin(), size_, chars_.begin());
}

namespace {

using enum PromptId;

constexpr std::size_t kNamedPrompts = static_cast<std::size_t>(source1Prompt);

// Field names without their "ed_" prefix, in PromptId order; empty for the
// prompts without a field.
constexpr std::string_view kNamed[] = {
    "autoOnPrompt",
    "setAlertPrompt",
    "setReminderPrompt",
    "setAudioPrompt",
    "setSilentPrompt",
    "setLockPrompt",
    "setUnlockPrompt",
    "deletePrompt",
    "deleteAllPrompt",
    "addToNotebookPrompt",
    "printPrompt",
    "printAllPrompt",
    "enableMaildropPrompt",
    "disableMaildropPrompt",
    "setTimeAlarmPrompt",
    "setMsgAlarmPrompt",
    "zoomInPrompt",
    "zoomOutPrompt",
    "setOffPrompt",
    "goStatusPrompt",
    "batteryLowPrompt",
    "duplicatePrompt",
    "disablePagerPrompt",
    "powerUpPrompt",
    "standardAlertPrompt",
    "pleasantAlertPrompt",
    "standardAndVibPrompt",
    "chirpAlertPrompt",
    "noAlertPrompt",
    "onPrompt",
    "offPrompt",
    "setAlarmPrompt",
    "noteBookPrompt",
    "memoryFullPrompt",
    "setTimePrompt",
    {},
    {},
    "musicAlertPrompt",
    "setMsgAlertPrompt",
    "setMsgReminderPrompt",
    "soundModePrompt",
    "soundAndVibModePrompt",
    "vibThenSoundModePrompt",
    "vibratorModePrompt",
    {},
    "silentModePrompt",
    "continuousVibPrompt",
    "interruptedVibPrompt",
    "crescendoPrompt",
    "nonCrescendoPrompt",
    "dutyEnablePrompt",
    "dutyDisablePrompt",
    "setToOffDutyPrompt",
    "setToOnDutyPrompt",
    "setOffDutyPrompt",
    "setOnDutyPrompt",
    "sourcePrompt",
    "switchSitePrompt",
    "switchWidePrompt",
    "DualFrequencyMenuPrompt",
    "PriorityScanPrompt",
    "INPUT_PASSWORD_PROMPT",
    "PASSWORD_KEY_PROMPT",
};
static_assert(std::size(kNamed) == kNamedPrompts);

// A list's named prompts followed by its first source prompts.
template <int Sources, std::size_t Named>
constexpr auto withSources(const std::array<PromptId, Named>& named) {
  std::array<PromptId, Named + Sources> list{};
  std::copy(named.begin(), named.end(), list.begin());
  for (int n = 1; n <= Sources; ++n)
    list[Named + static_cast<std::size_t>(n) - 1] = sourcePromptId(n);
  return list;
}

constexpr std::array k48Named{autoOnPrompt,
                              setAlertPrompt,
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
                              duplicatePrompt,
                              disablePagerPrompt,
                              powerUpPrompt,
                              standardAlertPrompt,
                              pleasantAlertPrompt,
                              chirpAlertPrompt,
                              noAlertPrompt,
                              onPrompt,
                              offPrompt,
                              setAlarmPrompt,
                              noteBookPrompt,
                              memoryFullPrompt,
                              setTimePrompt};
constexpr auto k48 = withSources<16>(k48Named);

constexpr std::array k59Named{autoOnPrompt,
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
                              setTimePrompt};
constexpr auto k59 = withSources<24>(k59Named);

constexpr std::array<PromptId, 49> k49 = [] {
  constexpr std::array head{
      autoOnPrompt,          setAlertPrompt,     setAudioPrompt,    setSilentPrompt,
      setLockPrompt,         setUnlockPrompt,    deletePrompt,      deleteAllPrompt,
      addToNotebookPrompt,   printPrompt,        printAllPrompt,    enableMaildropPrompt,
      disableMaildropPrompt, setTimeAlarmPrompt, setMsgAlarmPrompt, zoomInPrompt,
      zoomOutPrompt,         setOffPrompt,       goStatusPrompt,    duplicatePrompt};
  constexpr std::array tail{disablePagerPrompt,
                            powerUpPrompt,
                            standardAlertPrompt,
                            pleasantAlertPrompt,
                            chirpAlertPrompt,
                            noAlertPrompt,
                            onPrompt,
                            offPrompt,
                            setVolumePrompt,
                            escAlertPrompt,
                            setAlarmPrompt,
                            noteBookPrompt,
                            memoryFullPrompt};
  std::array<PromptId, 49> list{};
  std::copy(head.begin(), head.end(), list.begin());
  for (int n = 1; n <= 16; ++n)
    list[head.size() + static_cast<std::size_t>(n) - 1] = sourcePromptId(n);
  std::copy(tail.begin(), tail.end(), list.begin() + 36);
  return list;
}();

// The 123-list up to index 53; the 119-list shares it.
constexpr std::array k123Head{autoOnPrompt,
                              setAlertPrompt,
                              setReminderPrompt,
                              setOffDutyPrompt,
                              setOnDutyPrompt,
                              switchSitePrompt,
                              switchWidePrompt,
                              setAudioPrompt,
                              setSilentPrompt,
                              setLockPrompt,
                              setUnlockPrompt,
                              deletePrompt,
                              deleteAllPrompt,
                              addToNotebookPrompt,
                              DualFrequencyMenuPrompt,
                              PriorityScanPrompt,
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
                              musicAlertPrompt,
                              chirpAlertPrompt,
                              noAlertPrompt,
                              onPrompt,
                              offPrompt,
                              setAlarmPrompt,
                              noteBookPrompt,
                              memoryFullPrompt,
                              setTimePrompt,
                              setMsgAlertPrompt,
                              setMsgReminderPrompt,
                              soundModePrompt,
                              soundAndVibModePrompt,
                              vibThenSoundModePrompt,
                              vibratorModePrompt,
                              silentModePrompt,
                              continuousVibPrompt,
                              interruptedVibPrompt,
                              crescendoPrompt,
                              nonCrescendoPrompt,
                              dutyEnablePrompt,
                              dutyDisablePrompt,
                              setToOffDutyPrompt,
                              setToOnDutyPrompt};

static_assert(k123Head.size() == 54);

constexpr auto k123 = [] {
  std::array<PromptId, 59> named{};
  std::copy(k123Head.begin(), k123Head.end(), named.begin());
  named[54] = printPrompt;
  named[55] = printAllPrompt;
  named[56] = INPUT_PASSWORD_PROMPT;
  named[57] = PASSWORD_KEY_PROMPT;
  named[58] = sourcePrompt;
  return withSources<kSources>(named);
}();

constexpr auto k119 = [] {
  std::array<PromptId, 55> named{};
  std::copy(k123Head.begin(), k123Head.end(), named.begin());
  named[54] = sourcePrompt;
  return withSources<kSources>(named);
}();

constexpr std::array k118Named{autoOnPrompt,
                               setAlertPrompt,
                               setReminderPrompt,
                               setOffDutyPrompt,
                               setOnDutyPrompt,
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
                               musicAlertPrompt,
                               chirpAlertPrompt,
                               noAlertPrompt,
                               onPrompt,
                               offPrompt,
                               setAlarmPrompt,
                               noteBookPrompt,
                               memoryFullPrompt,
                               setTimePrompt,
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
                               sourcePrompt};
constexpr auto k118 = withSources<kSources>(k118Named);

static_assert(k48.size() == 48 && k49.size() == 49 && k59.size() == 59);
static_assert(k118.size() == 118 && k119.size() == 119 && k123.size() == 123);

}  // namespace

std::string promptFieldName(PromptId id) {
  if (isSourcePrompt(id)) return "ed_source" + std::to_string(sourceNumber(id)) + "Prompt";
  const std::string_view name = kNamed[static_cast<std::size_t>(id)];
  return name.empty() ? std::string{} : "ed_" + std::string{name};
}

PromptList promptListFor(models::ModelCode model, bool converterTarget) {
  using models::ModelGroup;
  using models::modelIn;
  if (converterTarget || modelIn(model, ModelGroup::dGroup)) return PromptList::list118;
  if (model == kModelSpace) return PromptList::list49;
  if (modelIn(model, ModelGroup::sixCodeModels)) return PromptList::list59;
  if (modelIn(model, ModelGroup::dualFrequencyGroup)) return PromptList::list119;
  if (modelIn(model, ModelGroup::fFamily)) return PromptList::list123;
  return PromptList::list48;
}

std::span<const PromptId> promptListEntries(PromptList list) {
  switch (list) {
    case PromptList::list48: return k48;
    case PromptList::list49: return k49;
    case PromptList::list59: return k59;
    case PromptList::list118: return k118;
    case PromptList::list119: return k119;
    case PromptList::list123: return k123;
  }
  return {};
}

std::optional<int> promptIndex(PromptList list, PromptId id) {
  const auto entries = promptListEntries(list);
  const auto at = std::find(entries.begin(), entries.end(), id);
  if (at == entries.end()) return std::nullopt;
  return static_cast<int>(at - entries.begin());
}

int packedPromptCount(PromptList list, bool showSource) {
  const auto entries = promptListEntries(list);
  if (showSource || list == PromptList::list49) return static_cast<int>(entries.size());
  const auto firstSource = std::find_if(entries.begin(), entries.end(), isSourcePrompt);
  return static_cast<int>(firstSource - entries.begin());
}

}  // namespace zelta::text
