#pragma once

#include "codeplug/codeplug_image.h"
#include "codeplug/frequency_band.h"
#include "codeplug/settings_record.h"

namespace zelta::codeplug {

// The receive frequency of a fresh codeplug, and of a fresh model '#' one.
inline constexpr Hertz kDefaultFrequencyHz = 158'012'500;
inline constexpr Hertz kDefaultFrequencyHzModelHash = 327'525'000;

// The memory split (byte 0xC9 value) a fresh codeplug has for a message
// memory of memorySize KB: "  10K" of 32 K, "  5K" of 8 K.
int defaultMemorySplit(int memorySize);

// Puts the settings back to the defaults of the current model
// (image.modelCode()), for the image's memory size, with the English default
// prompts of the model's prompt list (the 118-list while a converter target
// is selected), stored as default-prompt indexes; model '#' then takes its
// own values. Sets the largeMemory header flag as well.
//
// Every setting starts from a fresh record, so values of a codeplug decoded
// earlier never leak into the next one. Kept are what is not part of a
// codeplug: the model code as read, the unprogrammed flag of the pager and
// the sequential increment; and the prompt texts that the model's list gives
// no default (the zoom prompts, the prompts of other lists).
void resetToDefaults(SettingsRecord& settings, CodeplugImage& image, bool converterTarget);

// Gives a codeplug read as model ' ' the defaults of the features that model
// lacks, before it is built for image.modelCode(), another model. The
// set-time-alarm prompt becomes the default of the prompt language when the
// prompts are stored as indexes; stored as text it is kept.
void applyOldModelFeatureDefaults(SettingsRecord& settings, const CodeplugImage& image,
                                  bool converterTarget);

}  // namespace zelta::codeplug
