#pragma once

#include <string>
#include <vector>

#include "codeplug/codec.h"

namespace zelta::testing {

// A stand-in for the family decoders and builders that records what it was
// asked to do and moves one recognisable setting each way: decoding resets
// the settings and reads the inventory number (0x67) and the model byte,
// building writes the model code into byte 1 and the inventory number back.
class FakeCodec : public codeplug::CodeplugCodec {
 public:
  struct DecodeCall {
    codeplug::DecodeCommand command;
    models::ModelCode model;      // the image's model when called
    std::uint8_t currentByte1;    // byte 1 of the current image
    std::uint8_t oldFormatByte1;  // byte 1 of the old-format window
  };

  mutable std::vector<DecodeCall> decodes;
  mutable std::vector<models::ModelCode> builds;
  mutable std::vector<models::ModelCode> defaultPrompts;
  errors::ResultCode decodeResult = errors::code::Ok;
  errors::ResultCode buildResult = errors::code::Ok;
  // When set, only builds of this model return buildResult; others succeed.
  models::ModelCode failBuildOf = 0;
  // Returned by decode instead of decodeResult for images of this model.
  models::ModelCode failDecodeOf = 0;

  errors::ResultCode decode(codeplug::DecodeCommand command, codeplug::CodeplugImage& image,
                            codeplug::SettingsRecord& settings,
                            const codeplug::DecodeContext&) const override {
    decodes.push_back(
        {command, image.modelCode(), image.current().byte(1), image.oldFormat().byte(1)});
    settings = codeplug::SettingsRecord{};
    settings.frequency = "158.0125";
    settings.freqBand = 2;
    if (failDecodeOf != 0 && image.modelCode() == failDecodeOf) return decodeResult;
    if (failDecodeOf == 0 && decodeResult != errors::code::Ok) return decodeResult;
    settings.modelCodeAsRead = image.current().byte(1);
    settings.ICN = image.current().text(0x67, 10);
    return errors::code::Ok;
  }

  errors::ResultCode build(codeplug::CodeplugImage& image, codeplug::SettingsRecord& settings,
                           const codeplug::BuildContext&) const override {
    builds.push_back(image.modelCode());
    if (buildResult < 0 && (failBuildOf == 0 || failBuildOf == image.modelCode()))
      return buildResult;
    image.current().setByte(1, image.modelCode());
    image.current().setText(0x67, 10, settings.ICN);
    return errors::code::Ok;
  }

  void loadDefaultPrompts(codeplug::SettingsRecord& settings,
                          models::ModelCode model) const override {
    defaultPrompts.push_back(model);
    settings.prompts[text::PromptId::powerUpPrompt].text.assign("DEFAULTS");
  }
};

}  // namespace zelta::testing
