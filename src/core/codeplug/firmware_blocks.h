#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "codeplug/image_view.h"
#include "codeplug/models.h"

namespace zelta::codeplug {

// The 50-byte firmware block of the newer pagers (0x322 in families A and B,
// 0x722 in C-F): the model code, then one of two fixed 49-byte patterns the
// pager firmware expects for its hardware.
//
//   +0      model code
//   +1..49  pattern P ('2' 'p' 'q' 0x91 0x92 0x93 0x98)
//           or pattern Q (':' 'x' 'u' 0x95 0x96 0x97 0x99)
inline constexpr std::size_t kFirmwareBlockBytes = 50;
using FirmwarePattern = std::array<std::uint8_t, kFirmwareBlockBytes - 1>;

inline constexpr FirmwarePattern kFirmwarePatternP{
    0x0A, 0xE2, 0x2F, 0xE6, 0xC3, 0xE4, 0xA3, 0x24, 0xA1, 0xCF, 0xAF,  //
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x21, 0x81, 0x0C, 0x1B, 0x0C, 0xA4, 0xA5, 0xB0, 0x10, 0x00, 0xB8, 0x03, 0x01, 0x00, 0x02,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  //
    0xAE, 0xAF,
};

inline constexpr FirmwarePattern kFirmwarePatternQ{
    0x10, 0x2B, 0x2D, 0x33, 0x68, 0x38, 0x6D, 0x31, 0x71, 0x71, 0x71, 0x2F, 0x23, 0x20, 0x3D, 0x7F, 0x29,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x80, 0x00, 0x00, 0x66, 0x62, 0x60, 0x64, 0x2C, 0x2D,  //
    0x00, 0x00, 0x00, 0x00, 0x00,                          //
    0xAE, 0xAF,
};

// A short initializer list would leave the tail zero: the fixed end proves the length.
static_assert(kFirmwarePatternP[47] == 0xAE && kFirmwarePatternP[48] == 0xAF);
static_assert(kFirmwarePatternQ[47] == 0xAE && kFirmwarePatternQ[48] == 0xAF);

namespace detail {
inline constexpr ModelCode kPatternPModels[] = {'2', 'p', 'q', 0x91, 0x92, 0x93, 0x98};
inline constexpr ModelCode kPatternQModels[] = {':', 'x', 'u', 0x95, 0x96, 0x97, 0x99};
}  // namespace detail

// The pattern of a model's block; nothing for a model that has none.
constexpr const FirmwarePattern* firmwarePatternFor(ModelCode model) {
  if (detail::anyOf(model, detail::kPatternPModels)) return &kFirmwarePatternP;
  if (detail::anyOf(model, detail::kPatternQModels)) return &kFirmwarePatternQ;
  return nullptr;
}

// Writes the model's block at `at`; false (nothing written) for a model
// without a pattern.
inline bool writeFirmwareBlock(ImageView image, std::size_t at, ModelCode model) {
  const FirmwarePattern* pattern = firmwarePatternFor(model);
  if (pattern == nullptr) return false;
  const std::span<std::uint8_t> block = image.bytesAt(at, kFirmwareBlockBytes);
  block[0] = model;
  for (std::size_t i = 0; i < pattern->size(); ++i) block[i + 1] = (*pattern)[i];
  return true;
}

}  // namespace zelta::codeplug
