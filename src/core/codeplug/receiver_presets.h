#pragma once

#include <array>

#include "codeplug/frequency_band.h"

namespace zelta::codeplug {

// Receiver parameters P1, P2, P3 (bits 7-4 of 0x314, 7-6 of 0x312, 7-2 of
// 0x318 in families A and B) for a coding format, by whether the selected
// band starts at 929 MHz or above.
struct ReceiverPresets {
  int p1;
  int p2;
  int p3;
  int baudConstant;  // the decoder's bit-rate constant
};

inline constexpr int kCodingFormatCount = 3;  // "POCSAG 512", "POCSAG 1200", "POCSAG 2400"

//                      below 929 MHz        from 929 MHz
inline constexpr std::array<std::array<ReceiverPresets, 2>, kCodingFormatCount> kReceiverPresets{{
    {{{3, 0, 6, 3}, {2, 1, 8, 3}}},      // 512
    {{{8, 1, 12, 7}, {2, 1, 18, 7}}},    // 1200
    {{{2, 1, 24, 14}, {2, 1, 31, 14}}},  // 2400
}};

// The presets of a coding format (list index; out of range reads as 512) in
// a band (an unknown band counts as below 929 MHz).
constexpr ReceiverPresets receiverPresets(int codingFormat, int band) {
  const auto& row = kReceiverPresets[codingFormat >= 0 && codingFormat < kCodingFormatCount
                                         ? static_cast<std::size_t>(codingFormat)
                                         : 0];
  const bool from929 = band >= 0 && band < kBandCount &&
                       kNormalBands[static_cast<std::size_t>(band)].firstMHz >= 929;
  return row[from929 ? 1 : 0];
}

}  // namespace zelta::codeplug
