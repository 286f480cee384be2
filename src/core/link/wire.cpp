#include "link/wire.h"

#include <cstdio>

namespace zelta::link {
using models::ModelGroup;
using models::modelIn;

Variant variantFor(models::ModelCode model) {
  return modelIn(model, ModelGroup::newProtocolModels) ? Variant::A : Variant::B;
}

BlockGeometry blockGeometry(models::ModelCode model, std::uint8_t extendedFirmware) {
  if (modelIn(model, ModelGroup::newProtocolModels)) return {0x0400, 2048};
  const auto info = models::findModel(model);
  // '!' moves 1024 bytes when its firmware is extended.
  if ((info && info->linkBlockBytes == 1024) ||
      models::takesFamilyAImage(model, extendedFirmware)) {
    return {0x0400, 1024};
  }
  return {0x0D00, 768};
}

Frame makeFrame(std::uint8_t command, std::uint8_t subcommand, std::uint16_t location,
                std::uint16_t length) {
  return {command,
          subcommand,
          static_cast<std::uint8_t>(location >> 8),
          static_cast<std::uint8_t>(location & 0xFF),
          0,
          0,
          static_cast<std::uint8_t>(length >> 8),
          static_cast<std::uint8_t>(length & 0xFF)};
}

bool wakeAnswerAccepted(Variant variant, std::uint8_t answer) {
  if (variant == Variant::A) return modelIn(answer, ModelGroup::newProtocolModels);
  // Variant B takes any model of the registry, '6' too.
  return models::findModel(answer).has_value();
}

bool probeAccepts(models::ModelCode model) {
  // The old-format models and every model the link serves; not '6'.
  const auto info = models::findModel(model);
  return info && (info->family == models::Family::OldFormat || info->linkServed);
}

std::string modelLabel(models::ModelCode model) {
  char text[16];
  if (model >= 0x21 && model < 0x7F) {
    std::snprintf(text, sizeof text, "0x%02X '%c'", model, model);
  } else {
    std::snprintf(text, sizeof text, "0x%02X", model);
  }
  return text;
}

}  // namespace zelta::link
