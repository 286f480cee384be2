#include "codeplug/codec.h"

#include "text/default_prompts.h"
#include "text/prompt_catalogue.h"

namespace zelta::codeplug {
namespace {

// The setting that holds a prompt of the text tables; the three prompts
// without a field are matched by hand, the others by their field name.
PromptSetting* settingOf(SettingsRecord& settings, text::PromptId id) {
  if (text::isSourcePrompt(id)) {
    return &settings.sources[static_cast<std::size_t>(text::sourceNumber(id) - 1)];
  }
  switch (id) {
    case text::PromptId::setVolumePrompt: return &settings.prompt(Prompt::setVolume);
    case text::PromptId::escAlertPrompt: return &settings.prompt(Prompt::escalert);
    case text::PromptId::blankPrompt: return &settings.prompt(Prompt::blankMode);
    default: break;
  }
  const std::optional<Prompt> prompt = findPrompt(text::promptFieldName(id));
  return prompt ? &settings.prompt(*prompt) : nullptr;
}

class StandardCodec final : public CodeplugCodec {
 public:
  errors::ResultCode decode(DecodeCommand command, CodeplugImage& image, SettingsRecord& settings,
                            const DecodeContext& context) const override {
    return decodeImage(command, image, settings, context);
  }

  errors::ResultCode build(CodeplugImage& image, SettingsRecord& settings,
                           const BuildContext& context) const override {
    return buildImage(image, settings, context);
  }

  void loadDefaultPrompts(SettingsRecord& settings, ModelCode model) const override {
    text::PromptSet set;
    for (std::size_t i = 0; i < text::kPromptCount; ++i) {
      const auto id = static_cast<text::PromptId>(i);
      if (const PromptSetting* s = settingOf(settings, id)) {
        set[id] = text::Prompt{text::PromptText(s->text), s->isDefault};
      }
    }
    text::applyLanguageDefaults(set, settings.internationalPrompt,
                                text::promptListFor(model, false));
    for (std::size_t i = 0; i < text::kPromptCount; ++i) {
      const auto id = static_cast<text::PromptId>(i);
      if (PromptSetting* s = settingOf(settings, id)) {
        s->text = set[id].text.str();
        s->isDefault = set[id].builtIn;
      }
    }
  }
};

}  // namespace

const CodeplugCodec& standardCodec() {
  static const StandardCodec codec;
  return codec;
}

}  // namespace zelta::codeplug
