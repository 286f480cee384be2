#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "codeplug/production_data.h"
#include "errors/reporter.h"
#include "errors/result_code.h"
#include "models/models.h"

namespace zelta::codeplug {

class SettingsRecord;

// Frequencies are whole hertz throughout.
using Hertz = std::int64_t;

inline constexpr int kBandCount = 8;

// Returned where a frequency lies in no band (the "not synthesizable" code the
// decoders pass on).
inline constexpr int kNoBand = errors::code::NotSynthesizable;

// One row of the receiver band list (`cb_freqBand`). A frequency belongs to a
// band by its whole megahertz; the valid range shown to the user runs from
// firstMHz.0 to lastMHz.9875.
struct FrequencyBand {
  std::string_view listText;
  int firstMHz;
  int lastMHz;
};

// The widened VHF B receivers take 152-163 MHz in band 2; nothing else differs.
enum class BandTable { Normal, Variant };

inline constexpr std::array<FrequencyBand, kBandCount> kNormalBands{{
    {"VHF D (High)", 137, 142},
    {"VHF A (Low)", 143, 152},
    {"VHF B (Low)", 153, 162},
    {"VHF C (Low)", 163, 173},
    {"UHF A (Low)", 450, 459},
    {"UHF B (Low)", 460, 469},
    {"900 MHz", 929, 931},
    {"UHF C (Low)", 440, 449},
}};

inline constexpr std::array<FrequencyBand, kBandCount> kVariantBands{{
    kNormalBands[0],
    kNormalBands[1],
    {"VHF B (Low)", 152, 163},
    kNormalBands[3],
    kNormalBands[4],
    kNormalBands[5],
    kNormalBands[6],
    kNormalBands[7],
}};

const std::array<FrequencyBand, kBandCount>& bandsOf(BandTable table);

// The band list entry of an index, nullopt outside 0-7.
std::optional<FrequencyBand> bandAt(int band, BandTable table = BandTable::Normal);

// The first band whose range holds the frequency, in the order 0 1 2 3 4 5 7 6
// (with the variant table 152 MHz stays band 1 and 163 MHz becomes band 2);
// kNoBand when none does.
int bandOfFrequency(Hertz hz, BandTable table = BandTable::Normal);

// Whether the frequency is accepted for the selected band: with the variant
// table 152.5 MHz is accepted for band 1 and for band 2.
bool frequencyInBand(Hertz hz, int band, BandTable table = BandTable::Normal);

// Band of a dual-frequency or family-F codeplug that carries no band field,
// found from both receive frequencies; kNoBand when they share none.
int bandOfTwoFrequencies(Hertz primaryHz, Hertz secondHz);

// Edges of a band as the -104 message shows them, single precision.
struct BandLimits {
  float lowerMHz;
  float upperMHz;
};
BandLimits bandLimits(int band, BandTable table = BandTable::Normal);

// Which table the checks use. The dual-frequency and family-F pagers always
// have the wide receiver; a D-family pager has it from a production serial
// number on. Until the first programming attempt after start no pager serial
// number is known, so every D-family model gets the wide table then.
BandTable bandTableFor(models::ModelCode model, std::string_view pagerSerialNumber,
                       bool programmingAttempted, const ProductionData& data = kProductionData);

// The frequency of a "MHz" text such as "158.0125" or "929.01250" in whole
// hertz, parsed exactly (digits beyond the sixth decimal round up). Blanks
// around the number are ignored; nullopt when the text is no number.
std::optional<Hertz> frequencyHzFromText(std::string_view text);

// The page text of a frequency: three digits of megahertz, a point and four
// decimals ("158.0125"), five for families D-F ("158.01250"); the hertz below
// the last decimal are dropped.
std::string frequencyTextOf(Hertz hz, int decimals = 4);

// The frequency part of the settings that the checks before saving and
// programming read.
struct FrequencySettings {
  models::ModelCode model = models::kNoModel;
  int band = 0;     // `cb_freqBand`
  int pllType = 0;  // `cb_PLL_Type`
  BandTable table = BandTable::Normal;
  Hertz primaryHz = 0;  // `ed_frequency`
  Hertz secondHz = 0;   // `ed_frequency2`, read for the dual-frequency and family-F models
};

// Every receive frequency of the codeplug must lie in the selected band. On
// failure the band's limits go into the reporter's context and -104 is
// shown; the result is Ok or -104.
errors::ResultCode checkFrequencyInBand(const FrequencySettings& settings,
                                        errors::Reporter& reporter);

// The frequency values of the settings as the band and synthesizer checks
// read them.
FrequencySettings frequencySettingsOf(const SettingsRecord& settings, models::ModelCode model,
                                      BandTable table);

}  // namespace zelta::codeplug
