#include "codeplug/frequency_band.h"

#include <algorithm>
#include <cstdio>

#include "codeplug/settings_record.h"

namespace zelta::codeplug {
namespace {

constexpr Hertz kHzPerMHz = 1'000'000;

// Rows are tried in this order and the first match wins; that decides 152
// and 163 MHz, where the variant table's band 2 overlaps its neighbours.
constexpr std::array<int, kBandCount> kDetectionOrder{0, 1, 2, 3, 4, 5, 7, 6};

constexpr Hertz wholeMHz(Hertz hz) {
  return hz / kHzPerMHz;
}

bool inRange(Hertz hz, const FrequencyBand& band) {
  const Hertz mhz = wholeMHz(hz);
  return hz >= 0 && mhz >= band.firstMHz && mhz <= band.lastMHz;
}

// First pass of the two-frequency rule: the bands a frequency belongs to
// without doubt. Band 6 is taken strictly between 929 and 932 MHz.
int unambiguousBand(Hertz hz) {
  const Hertz mhz = wholeMHz(hz);
  if (mhz >= 137 && mhz <= 142) return 0;
  if (mhz >= 163 && mhz <= 173) return 3;
  if (mhz >= 450 && mhz <= 459) return 4;
  if (mhz >= 460 && mhz <= 469) return 5;
  if (hz > 929 * kHzPerMHz && hz < 932 * kHzPerMHz) return 6;
  return kNoBand;
}

// Second pass, low VHF only, as a set of candidate bands: bit 0 band 1,
// bit 1 band 2; 152 MHz may be either.
constexpr unsigned kVhfA = 1;
constexpr unsigned kVhfB = 2;
constexpr unsigned kVhfEither = 7;

unsigned lowVhfBands(Hertz hz) {
  const Hertz mhz = wholeMHz(hz);
  if (mhz >= 143 && mhz <= 151) return kVhfA;
  if (mhz >= 153 && mhz <= 162) return kVhfB;
  if (mhz == 152) return kVhfEither;
  return 0;
}

}  // namespace

const std::array<FrequencyBand, kBandCount>& bandsOf(BandTable table) {
  return table == BandTable::Variant ? kVariantBands : kNormalBands;
}

std::optional<FrequencyBand> bandAt(int band, BandTable table) {
  if (band < 0 || band >= kBandCount) return std::nullopt;
  return bandsOf(table)[static_cast<std::size_t>(band)];
}

int bandOfFrequency(Hertz hz, BandTable table) {
  const auto& bands = bandsOf(table);
  for (int band : kDetectionOrder) {
    if (inRange(hz, bands[static_cast<std::size_t>(band)])) return band;
  }
  return kNoBand;
}

bool frequencyInBand(Hertz hz, int band, BandTable table) {
  const std::optional<FrequencyBand> row = bandAt(band, table);
  return row && inRange(hz, *row);
}

int bandOfTwoFrequencies(Hertz primaryHz, Hertz secondHz) {
  const int primary = unambiguousBand(primaryHz);
  const int second = unambiguousBand(secondHz);
  if (primary != kNoBand && second != kNoBand) return primary;

  switch (lowVhfBands(primaryHz) & lowVhfBands(secondHz)) {
    case kVhfA: return 1;
    case kVhfB: return 2;
    case kVhfEither: return 1;
    default: return kNoBand;
  }
}

BandLimits bandLimits(int band, BandTable table) {
  const std::optional<FrequencyBand> row = bandAt(band, table);
  if (!row) return {0.0F, 0.0F};
  return {static_cast<float>(row->firstMHz), static_cast<float>(row->lastMHz + 0.9875)};
}

BandTable bandTableFor(models::ModelCode model, std::string_view pagerSerialNumber,
                       bool programmingAttempted, const ProductionData& data) {
  if (models::modelIn(model, models::ModelGroup::dualOrF)) return BandTable::Variant;
  if (models::modelIn(model, models::ModelGroup::dGroup) &&
      (!programmingAttempted || serialAtOrAboveVariantBandThreshold(pagerSerialNumber, data))) {
    return BandTable::Variant;
  }
  return BandTable::Normal;
}

std::optional<Hertz> frequencyHzFromText(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty()) return std::nullopt;

  Hertz whole = 0;
  Hertz fraction = 0;  // in hertz
  Hertz scale = kHzPerMHz;
  bool seenPoint = false;
  bool seenDigit = false;
  bool roundUp = false;
  for (char c : text) {
    if (c == '.' && !seenPoint) {
      seenPoint = true;
      continue;
    }
    if (c < '0' || c > '9') return std::nullopt;
    seenDigit = true;
    const int digit = c - '0';
    if (!seenPoint) {
      // More than a few thousand megahertz is no receive frequency; stop
      // before the arithmetic could overflow.
      if (whole > 100'000) return std::nullopt;
      whole = whole * 10 + digit;
    } else if (scale > 1) {
      scale /= 10;
      fraction += digit * scale;
    } else if (digit != 0) {
      roundUp = true;
    }
  }
  if (!seenDigit) return std::nullopt;
  return whole * kHzPerMHz + fraction + (roundUp ? 1 : 0);
}

std::string frequencyTextOf(Hertz hz, int decimals) {
  const bool five = decimals == 5;
  const Hertz unit = five ? 10 : 100;
  const Hertz clamped = std::max<Hertz>(hz, 0);
  char text[32];
  std::snprintf(text, sizeof text, five ? "%03lld.%05lld" : "%03lld.%04lld",
                static_cast<long long>(clamped / kHzPerMHz),
                static_cast<long long>(clamped % kHzPerMHz / unit));
  return text;
}

errors::ResultCode checkFrequencyInBand(const FrequencySettings& settings,
                                        errors::Reporter& reporter) {
  bool inBand = frequencyInBand(settings.primaryHz, settings.band, settings.table);
  if (models::modelIn(settings.model, models::ModelGroup::dualOrF)) {
    inBand = inBand && frequencyInBand(settings.secondHz, settings.band, settings.table);
  }
  if (inBand) return errors::code::Ok;

  const BandLimits limits = bandLimits(settings.band, settings.table);
  reporter.context().bandLowerMHz = limits.lowerMHz;
  reporter.context().bandUpperMHz = limits.upperMHz;
  reporter.ReportCode(errors::code::OutOfBand);
  return errors::code::OutOfBand;
}

FrequencySettings frequencySettingsOf(const SettingsRecord& settings, models::ModelCode model,
                                      BandTable table) {
  FrequencySettings f;
  f.model = model;
  f.band = settings.freqBand;
  f.pllType = settings.PLL_Type;
  f.table = table;
  f.primaryHz = frequencyHzFromText(settings.frequency).value_or(0);
  if (models::modelIn(model, models::ModelGroup::dualOrF)) {
    f.secondHz = frequencyHzFromText(settings.frequency2).value_or(0);
  }
  return f;
}

}  // namespace zelta::codeplug
