#pragma once

#include <array>
#include <string_view>

namespace zelta::codeplug {

// Serial-number facts about the pagers that left the factory, all compared as
// ten-character text (lexicographic byte order, as the pagers print them).
//
// PLACEHOLDER VALUES. The real threshold and ranges are hardware-production
// data; they must be taken from the production records before release. The
// threshold repeats the serial number that the "NEW VHF B BAND" notice of
// error -123 names; the fourteen ranges are invented in the format of real
// serial numbers so that the lookups have something to work on. Every function
// that reads this table takes it as a parameter (with this one as default), so
// tests and a later production file can supply their own.
struct SerialRange {
  std::string_view first;  // inclusive
  std::string_view last;   // inclusive
};

struct ProductionData {
  // D-family pagers at or above this serial number carry the widened VHF B
  // receiver (152-163 MHz) and use the variant band table.
  std::string_view variantBandThreshold;
  // D-family pagers whose serial number lies in one of these ranges are built
  // as hardware variant 2, whatever variant the pager itself reports.
  std::array<SerialRange, 14> variantTwoSerialRanges;
};

inline constexpr ProductionData kProductionData{
    "BZZQWLE000",
    {{
        {"BZZPAAA000", "BZZPAAA999"},
        {"BZZPABC000", "BZZPABC499"},
        {"BZZPBKD000", "BZZPBKD999"},
        {"BZZPCMA100", "BZZPCMA899"},
        {"BZZPDQF000", "BZZPDQF999"},
        {"BZZPFRA000", "BZZPFRB999"},
        {"BZZPHTK000", "BZZPHTK749"},
        {"BZZPKLM000", "BZZPKLM999"},
        {"BZZPNWA000", "BZZPNWA999"},
        {"BZZPRCE250", "BZZPRCE999"},
        {"BZZPTGA000", "BZZPTGA999"},
        {"BZZPWHB000", "BZZPWHC499"},
        {"BZZQCDA000", "BZZQCDA999"},
        {"BZZQHJN000", "BZZQHJN999"},
    }},
};

constexpr bool serialAtOrAboveVariantBandThreshold(std::string_view serial,
                                                   const ProductionData& data = kProductionData) {
  return serial >= data.variantBandThreshold;
}

constexpr bool serialInVariantTwoRanges(std::string_view serial,
                                        const ProductionData& data = kProductionData) {
  for (const SerialRange& range : data.variantTwoSerialRanges) {
    if (serial >= range.first && serial <= range.last) return true;
  }
  return false;
}

}  // namespace zelta::codeplug
