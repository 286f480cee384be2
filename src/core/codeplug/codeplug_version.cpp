#include "codeplug/codeplug_version.h"

#include <cstdio>
#include <tuple>

#include "version.h"

namespace zelta::codeplug {
namespace {

constexpr auto kProgram =
    std::make_tuple(kProgramVersionMajor, kProgramVersionMinor, kProgramVersionPatch);
// The last version whose images carry no band index in byte 0x73.
constexpr auto kLastWithoutBandField = std::make_tuple(8, 2, 5);

auto numbers(const CodeplugVersion& v) {
  return std::make_tuple(v.major, v.minor, v.patch);
}

// 'R' and 'S' mark the release builds of this program.
constexpr bool programIsRelease() {
  return kProgramVersion.front() == 'R' || kProgramVersion.front() == 'S';
}

}  // namespace

std::string codeplugVersionLabel(const CodeplugVersion& version) {
  return "Codeplug Version : " + codeplugVersionText(version);
}

bool versionSupported(const CodeplugVersion& version) {
  return numbers(version) <= kProgram;
}

bool versionHasBandField(const CodeplugVersion& version) {
  return numbers(version) > kLastWithoutBandField;
}

CodeplugVersionCheck checkCodeplugVersion(ConstImageView image) {
  const CodeplugVersion version = readCodeplugVersion(image, kCodeplugVersionOffset);
  CodeplugVersionCheck check;
  check.label = codeplugVersionLabel(version);
  check.bandFieldMark = versionHasBandField(version);
  check.result = versionSupported(version) ? errors::code::Ok : errors::code::NewerFile;
  return check;
}

errors::ResultCode decodeCodeplugVersion(ConstImageView image, SettingsRecord& settings) {
  const CodeplugVersionCheck check = checkCodeplugVersion(image);
  settings.codeplugVersionText = check.label;
  if (check.result == errors::code::Ok) settings.bandFieldMark = check.bandFieldMark;
  return check.result;
}

int compareWithProgramVersion(const CodeplugVersion& version) {
  if (numbers(version) == kProgram) return version.release != 0 && !programIsRelease() ? 1 : 0;
  return numbers(version) < kProgram ? -1 : 1;
}

std::string versionNumberText(const CodeplugVersion& version) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d.%02d.%02d", version.major & 0xF, version.minor & 0xF,
                version.patch & 0xF);
  return text;
}

void stampProgramVersion(ImageView image) {
  const unsigned release = programIsRelease() ? 1U : 0U;
  image.setByte(kCodeplugVersionOffset,
                static_cast<std::uint8_t>((release << 4) | kProgramVersionMajor));
  image.setByte(kCodeplugVersionOffset + 1,
                static_cast<std::uint8_t>((kProgramVersionMinor << 4) | kProgramVersionPatch));
}

}  // namespace zelta::codeplug
