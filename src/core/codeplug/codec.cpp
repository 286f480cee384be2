#include "codeplug/codec.h"

#include "text/default_prompts.h"
#include "text/prompt_catalogue.h"

namespace zelta::codeplug {
namespace {

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

  void loadDefaultPrompts(SettingsRecord& settings, models::ModelCode model) const override {
    text::applyLanguageDefaults(settings.prompts, settings.internationalPrompt,
                                text::promptListFor(model, false));
  }
};

}  // namespace

const CodeplugCodec& standardCodec() {
  static const StandardCodec codec;
  return codec;
}

}  // namespace zelta::codeplug
