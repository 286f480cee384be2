#pragma once

#include "codeplug/builders.h"
#include "codeplug/codeplug_image.h"
#include "codeplug/decoders.h"
#include "codeplug/settings_record.h"
#include "errors/result_code.h"

namespace zelta::codeplug {

// The decoders, builders and default prompts as opening, saving, the model
// checks and the converter use them. Those operations take the codec as a
// parameter, so that their own rules (what is decoded or built when, what
// is kept on failure) can be exercised apart from the family decoders.
class CodeplugCodec {
 public:
  virtual ~CodeplugCodec() = default;

  // decodeImage: loads the model's slots, resets the settings to the
  // model's defaults and runs the decoders of the command and model.
  virtual errors::ResultCode decode(DecodeCommand command, CodeplugImage& image,
                                    SettingsRecord& settings,
                                    const DecodeContext& context) const = 0;

  // buildImage: the synthesizer values, then the builders of the current
  // model; -36 (nothing built) when a frequency cannot be synthesized.
  virtual errors::ResultCode build(CodeplugImage& image, SettingsRecord& settings,
                                   const BuildContext& context) const = 0;

  // Every prompt of the model's list takes the default of the settings'
  // prompt language.
  virtual void loadDefaultPrompts(SettingsRecord& settings, models::ModelCode model) const = 0;
};

// The family decoders and builders of this program.
const CodeplugCodec& standardCodec();

}  // namespace zelta::codeplug
