#include "link/image_version.h"

#include <cstdio>
#include <tuple>

#include "version.h"

namespace zelta::link {

std::string versionNumbersText(const codeplug::CodeplugVersion& version) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d.%02d.%02d", version.major, version.minor, version.patch);
  return text;
}

int compareWithProgramVersion(const codeplug::CodeplugVersion& version) {
  const auto image = std::tie(version.major, version.minor, version.patch);
  const auto program =
      std::make_tuple(kProgramVersionMajor, kProgramVersionMinor, kProgramVersionPatch);
  if (image == program) {
    const bool releaseBuild = kProgramVersion.front() == 'R' || kProgramVersion.front() == 'S';
    return version.release != 0 && !releaseBuild ? 1 : 0;
  }
  return image < program ? -1 : 1;
}

}  // namespace zelta::link
