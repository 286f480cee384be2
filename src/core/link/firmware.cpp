#include "link/firmware.h"

#include <algorithm>

namespace zelta::link {
namespace {

using F = Firmware;

constexpr F kVariantAFlags[] = {F::R0708, F::R0801, F::R0802, F::R0803};
constexpr F kVariantBFlags[] = {F::R0100, F::R0101, F::R0102, F::R0104, F::R0105,
                                F::R0108, F::R0109, F::R0200, F::R0301, F::R0302,
                                F::R0400, F::R0601, F::R0602};

// Hexadecimal digit value; anything else counts 0.
int digitValue(std::uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return 0;
}

bool contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

struct ClockRule {
  bool (*applies)(const FirmwareFlags&, char digit);
  std::array<std::uint8_t, 2> location;
};

// First rule that applies wins.
constexpr ClockRule kClockRules[] = {
    {[](const FirmwareFlags& f, char) { return f.has(F::R0802) && f.has(F::R0803); }, {0x0D, 0x12}},
    {[](const FirmwareFlags& f, char) { return f.has(F::R0801); }, {0x11, 0xF8}},
    {[](const FirmwareFlags& f, char) { return f.has(F::R0702); }, {0x11, 0xAE}},
    {[](const FirmwareFlags& f, char) { return f.has(F::R0703); }, {0x11, 0xB2}},
    {[](const FirmwareFlags& f, char) { return f.has(F::R0105); }, {0x09, 0x2A}},
    {[](const FirmwareFlags& f, char) { return f.has(F::R0601) || f.has(F::R0602); }, {0x09, 0x44}},
    {[](const FirmwareFlags&, char d) { return d == '7'; }, {0x0E, 0x74}},
    // A digit character below 7. A firmware digit that is no digit at all
    // falls through to the last rule rather than being compared by its code.
    {[](const FirmwareFlags&, char d) { return d >= '0' && d < '7'; }, {0x09, 0x28}},
};
constexpr std::array<std::uint8_t, 2> kDefaultClockLocation{0x0D, 0x12};

}  // namespace

FirmwareInfo parseInformationRecord(std::span<const std::uint8_t> record) {
  FirmwareInfo info;
  if (record.size() < kInformationRecordBytes) return info;
  info.text.assign(record.begin() + 9, record.begin() + 15);
  info.major = digitValue(record[11]) * 10 + digitValue(record[12]);
  info.minor = digitValue(record[13]) * 10 + digitValue(record[14]);
  info.digit = static_cast<char>(record[12]);
  return info;
}

void evaluateFirmware(std::string_view text, FlagSet set, FirmwareFlags& flags,
                      std::uint8_t& extended) {
  const auto evaluate = [&](F f) {
    flags.set(f, contains(text, kFirmwareTexts[static_cast<std::size_t>(f)]));
  };
  switch (set) {
    case FlagSet::VariantA:
      std::for_each(std::begin(kVariantAFlags), std::end(kVariantAFlags), evaluate);
      return;
    case FlagSet::VariantB:
      std::for_each(std::begin(kVariantBFlags), std::end(kVariantBFlags), evaluate);
      break;
    case FlagSet::ProbeBeforeRead:
    case FlagSet::All:
      for (std::size_t i = 0; i < static_cast<std::size_t>(F::Count); ++i) {
        const F f = static_cast<F>(i);
        if (set == FlagSet::ProbeBeforeRead && f == F::R0105) continue;
        evaluate(f);
      }
      break;
  }
  extended = contains(text, kExtendedFirmwareText) ? 1 : 0;
}

std::array<std::uint8_t, 2> clockLocation(const FirmwareFlags& flags, char firmwareDigit) {
  for (const ClockRule& rule : kClockRules) {
    if (rule.applies(flags, firmwareDigit)) return rule.location;
  }
  return kDefaultClockLocation;
}

}  // namespace zelta::link
