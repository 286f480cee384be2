#include "link/image_version.h"

#include <cstdio>
#include <tuple>

#include "version.h"

namespace zelta::link {

ImageVersion imageVersion(std::span<const std::uint8_t> image) {
  ImageVersion v;
  if (image.size() < kVersionOffset + 2) return v;
  const std::uint8_t hi = image[kVersionOffset];
  const std::uint8_t lo = image[kVersionOffset + 1];
  v.release = hi >> 4;
  v.major = hi & 0x0F;
  v.minor = lo >> 4;
  v.patch = lo & 0x0F;
  return v;
}

std::string versionText(const ImageVersion& version) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d.%02d.%02d", version.major, version.minor, version.patch);
  return text;
}

int compareWithProgramVersion(const ImageVersion& version) {
  const auto image = std::tie(version.major, version.minor, version.patch);
  const auto program = std::make_tuple(kProgramVersionMajor, kProgramVersionMinor,
                                       kProgramVersionPatch);
  if (image == program) {
    const bool releaseBuild = kProgramVersion.front() == 'R' || kProgramVersion.front() == 'S';
    return version.release != 0 && !releaseBuild ? 1 : 0;
  }
  return image < program ? -1 : 1;
}

}  // namespace zelta::link
