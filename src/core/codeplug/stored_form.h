#pragma once

#include "codeplug/codec.h"
#include "codeplug/codeplug_image.h"
#include "codeplug/decoders.h"
#include "codeplug/settings_record.h"
#include "errors/result_code.h"

namespace zelta::codeplug {

// Builds the image from the settings and decodes it again, so that the
// settings hold what the pager will hold (a prompt shows the characters its
// packed form keeps). The settings change only when both steps succeed: a
// build that fails (a frequency that cannot be synthesized) or a decode that
// fails would otherwise throw the user's edits away.
//
// The old-format models decode from the pager's original old-format window,
// not from what the builder wrote: for them the image is built but the
// settings are left as they are. With a converter target and an image not
// yet converted, only the prompts are taken from the decode.
errors::ResultCode rebuildStoredForm(CodeplugImage& image, SettingsRecord& settings,
                                     const CodeplugCodec& codec, bool converterTarget);

}  // namespace zelta::codeplug
