#include "link/wire.h"

#include <cstdio>

namespace zelta::link {
namespace {

using models::ModelGroup;
using models::modelIn;

constexpr models::ModelCode kVariantBWakeModels[] = {0x20, 0x21, 0x22, 0x23, '0',  '1', '2',  '6',
                                                     ':',  'p',  'q',  't',  'u',  'x', 0x91, 0x92,
                                                     0x93, 0x95, 0x96, 0x97, 0x98, 0x99};
// As the wake-up of variant B, without '6'.
constexpr models::ModelCode kProbeModels[] = {0x20, 0x21, 0x22, 0x23, '0',  '1',  '2',
                                              ':',  'p',  'q',  't',  'u',  'x',  0x91,
                                              0x92, 0x93, 0x95, 0x96, 0x97, 0x98, 0x99};
// 1024-byte blocks; '!' joins them when its firmware is extended.
constexpr models::ModelCode kOneKilobyteModels[] = {'0', '1', '2', ':', 'p', 't', 'x'};

template <std::size_t N>
bool anyOf(models::ModelCode code, const models::ModelCode (&set)[N]) {
  for (models::ModelCode m : set) {
    if (m == code) return true;
  }
  return false;
}

}  // namespace

Variant variantFor(models::ModelCode model) {
  return modelIn(model, ModelGroup::newProtocolModels) ? Variant::A : Variant::B;
}

BlockGeometry blockGeometry(models::ModelCode model, std::uint8_t extendedFirmware) {
  if (modelIn(model, ModelGroup::newProtocolModels)) return {0x0400, 2048};
  if (anyOf(model, kOneKilobyteModels) || (model == '!' && extendedFirmware == 1)) {
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
  return anyOf(answer, kVariantBWakeModels);
}

bool probeAccepts(models::ModelCode model) {
  return anyOf(model, kProbeModels);
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
