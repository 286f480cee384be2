#pragma once

#include <string>

#include "codeplug/field_encodings.h"

namespace zelta::link {

// Where the version stamp of an image sits (the same in every family).
inline constexpr std::size_t kVersionOffset = 0x96;

// -1 when the image is older than this program, 1 when newer, 0 when the
// same (a released program treats its own version as the same).
int compareWithProgramVersion(const codeplug::CodeplugVersion& version);

// "08.03.05": major, minor and patch with two digits each.
std::string versionNumbersText(const codeplug::CodeplugVersion& version);

}  // namespace zelta::link
