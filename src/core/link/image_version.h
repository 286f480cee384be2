#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace zelta::link {

// The version stamp at image bytes 0x96-0x97, four nibbles:
//
//   0x96: release (1 = released) | major     0x97: minor | patch
struct ImageVersion {
  int release = 0;
  int major = 0;
  int minor = 0;
  int patch = 0;
};

inline constexpr std::size_t kVersionOffset = 0x96;

ImageVersion imageVersion(std::span<const std::uint8_t> image);

// "08.03.05": major, minor and patch with two digits each.
std::string versionText(const ImageVersion& version);

// -1 when the image is older than this program, 1 when newer, 0 when the
// same (a released program treats its own version as the same).
int compareWithProgramVersion(const ImageVersion& version);

}  // namespace zelta::link
