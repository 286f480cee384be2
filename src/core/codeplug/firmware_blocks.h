#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "codeplug/image_view.h"
#include "models/models.h"

namespace zelta::codeplug {

// Fixed firmware tables the builders copy into the image when the last
// identified pager runs a firmware that expects them.
//
// The 50-byte firmware block (0x322 for families A and B, 0x722 for C-F):
//
//   +0      model code
//   +1..49  pattern P or pattern Q
inline constexpr std::size_t kFirmwarePatternBytes = 49;
using FirmwarePattern = std::array<std::uint8_t, kFirmwarePatternBytes>;

// The rows follow the runs of the tables.
// clang-format off
inline constexpr FirmwarePattern kFirmwarePatternP{
    0x0A, 0xE2, 0x2F, 0xE6, 0xC3, 0xE4, 0xA3, 0x24, 0xA1, 0xCF, 0xAF,  //
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,                          // 14 x 00
    0x21, 0x81, 0x0C, 0x1B, 0x0C, 0xA4, 0xA5, 0xB0, 0x10, 0x00, 0xB8, 0x03, 0x01, 0x00, 0x02,
    0, 0, 0, 0, 0, 0, 0,  // 7 x 00
    0xAE, 0xAF,
};

inline constexpr FirmwarePattern kFirmwarePatternQ{
    0x10, 0x2B, 0x2D, 0x33, 0x68, 0x38, 0x6D, 0x31, 0x71, 0x71, 0x71, 0x2F, 0x23, 0x20, 0x3D, 0x7F, 0x29,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // 16 x 00
    0x80, 0x00, 0x00, 0x66, 0x62, 0x60, 0x64, 0x2C, 0x2D,
    0, 0, 0, 0, 0,  // 5 x 00
    0xAE, 0xAF,
};

// clang-format on

// A short initializer list would leave zeros at the end unnoticed.
static_assert(kFirmwarePatternP[47] == 0xAE && kFirmwarePatternP[48] == 0xAF);
static_assert(kFirmwarePatternQ[47] == 0xAE && kFirmwarePatternQ[48] == 0xAF);

// The pattern of the model's firmware block (the registry's firmwarePattern
// column); none for a model without one.
constexpr const FirmwarePattern* firmwarePatternOf(models::ModelCode model) {
  const auto info = models::findModel(model);
  if (!info) return nullptr;
  switch (info->firmwarePattern) {
    case models::BlockPattern::P: return &kFirmwarePatternP;
    case models::BlockPattern::Q: return &kFirmwarePatternQ;
    case models::BlockPattern::None: return nullptr;
  }
  return nullptr;
}

// Writes the model code and the model's pattern at offset; false (nothing
// written) for a model without a pattern.
inline bool writeFirmwareBlock(ImageView image, std::size_t offset, models::ModelCode model) {
  const FirmwarePattern* pattern = firmwarePatternOf(model);
  if (pattern == nullptr) return false;
  image.setByte(offset, model);
  std::copy(pattern->begin(), pattern->end(), image.bytesAt(offset + 1, pattern->size()).begin());
  return true;
}

// The older firmware tables of models '!', '0' and '1'.
//
// clang-format off
// '!' with "R0103": the 18 bytes at 0x322, after bytes 0x2EA-0x2EC became
// F4 37 00.
inline constexpr std::array<std::uint8_t, 3> kR0103Head{0xF4, 0x37, 0x00};
inline constexpr std::array<std::uint8_t, 18> kR0103Block{0x7E, 0xBF, 0x3F, 0x75, 0x6E, 0x0C, 0x74, 0xC0, 0x0C,
                                                         0xFD, 0x66, 0x45, 0x0F, 0x7E, 0x9F, 0x3F, 0x75, 0xF3};

// '0' and '1' with "R0104": 0x2EA, 0x334, then at 0x34B the PLL-dependent
// table (types 1 and 3 put a 10-byte head before the common 63 bytes).
inline constexpr std::array<std::uint8_t, 22> kR0104At2EA{0xFC, 0x34, 0x07, 0x00, 0xF3, 0xF3, 0xF3, 0xF3,
                                                         0xFC, 0x4B, 0x07, 0x00, 0xF3, 0xF3, 0xF3, 0xF3,
                                                         0xF3, 0xF3, 0xF3, 0xF3, 0xF3, 0x00};
inline constexpr std::array<std::uint8_t, 23> kR0104At334{0x7E, 0xBF, 0x83, 0x1F, 0x6A, 0x07, 0x7E, 0xBF,
                                                         0x82, 0x1F, 0x6E, 0x0B, 0x0B, 0x80, 0x04, 0xB3,
                                                         0xE9, 0x20, 0x73, 0x0F, 0xDC, 0x0B, 0xF3};
inline constexpr std::array<std::uint8_t, 10> kR0104PllHead{0x76, 0x0F, 0x73, 0x04, 0x80,
                                                           0x7E, 0x2F, 0x40, 0x1F, 0xFA};
inline constexpr std::array<std::uint8_t, 63> kR0104At34B{
    0xC0, 0xFF, 0x29, 0x09, 0xFF, 0x13, 0x6A, 0x05, 0x7E, 0x9F, 0x27, 0x72, 0x72, 0xFF, 0x29, 0x09,
    0xFF, 0x13, 0x7E, 0xBF, 0x27, 0x72, 0x6A, 0x27, 0x7E, 0xBF, 0x43, 0x1F, 0x68, 0x21, 0xEB, 0x65,
    0x7E, 0x8F, 0x27, 0x72, 0x75, 0x4F, 0x06, 0x00, 0xFD, 0xCC, 0x28, 0x0F, 0xFD, 0x22, 0x2B, 0x0F,
    0x7E, 0x9F, 0x50, 0x00, 0x75, 0xDF, 0x06, 0x00, 0x7E, 0x8F, 0x50, 0x00, 0xEB, 0x64, 0xF3};

// clang-format on

static_assert(kR0104At2EA[20] == 0xF3 && kR0104At334[22] == 0xF3 && kR0104At34B[62] == 0xF3);
static_assert(kR0104PllHead[9] == 0xFA && kR0103Block[17] == 0xF3);

inline void copyBytes(ImageView image, std::size_t offset, std::span<const std::uint8_t> bytes) {
  std::copy(bytes.begin(), bytes.end(), image.bytesAt(offset, bytes.size()).begin());
}

}  // namespace zelta::codeplug
