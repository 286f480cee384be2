#pragma once

#include "codeplug/codeplug_image.h"
#include "codeplug/settings_record.h"

namespace zelta::codeplug {

// Makes image and settings a new codeplug of the model, as "new" in the
// command line and a fresh start on screen give it: the model's header
// (no character ROM, 32 KB of message memory) and its defaults, on the band
// of the default frequency, with the second receiver of the two-frequency
// models on that frequency too. The defaults themselves name no band and no
// second frequency, since every decode takes them from the image; a
// codeplug made from nothing needs them to pass the band and synthesizer
// checks.
void setUpNewCodeplug(models::ModelCode model, CodeplugImage& image, SettingsRecord& settings);

}  // namespace zelta::codeplug
