#include "codeplug/stored_form.h"

#include <utility>

#include "models/models.h"

namespace zelta::codeplug {

errors::ResultCode rebuildStoredForm(CodeplugImage& image, SettingsRecord& settings,
                                     const CodeplugCodec& codec, bool converterTarget) {
  BuildContext build;
  build.converterTarget = converterTarget;
  DecodeContext context;
  context.converterTarget = converterTarget;
  SettingsRecord built = settings;
  if (const errors::ResultCode r = codec.build(image, built, build); r != errors::code::Ok) {
    return r;
  }
  if (!decodeReadsBuiltImage(DecodeCommand::OpenFile, image, context)) {
    settings = std::move(built);
    return errors::code::Ok;
  }
  SettingsRecord decoded = built;
  if (const errors::ResultCode r = codec.decode(DecodeCommand::OpenFile, image, decoded, context);
      r != errors::code::Ok) {
    return r;
  }
  if (converterTarget && !models::modelIn(image.modelCode(), models::ModelGroup::dFamily)) {
    // Until the save converts it the image keeps the source's layout, which
    // lacks the codes and settings the target adds: only the prompts come
    // back from its packed form.
    settings.prompts = decoded.prompts;
    return errors::code::Ok;
  }
  settings = std::move(decoded);
  return errors::code::Ok;
}

}  // namespace zelta::codeplug
