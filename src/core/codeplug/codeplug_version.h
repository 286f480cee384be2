#pragma once

#include <string>

#include "codeplug/field_encodings.h"
#include "codeplug/image_view.h"
#include "codeplug/settings_record.h"
#include "errors/result_code.h"

namespace zelta::codeplug {

// The codeplug version stamp at 0x96-0x97, four nibbles:
//
//   0x96: release (1 = "R", else "B") | major     0x97: minor | patch
//
// Every built image is stamped with this program's version, 8.3.4 released
// (18 34). A decoder accepts images up to that version; from 8.2.6 on the
// image also carries the band index in byte 0x73 (the band-field mark).
inline constexpr Offset kCodeplugVersionOffset = 0x96;

// "Codeplug Version : R08.03.04", as the report and the about box show it.
std::string codeplugVersionLabel(const CodeplugVersion& version);

// (major, minor, patch) is at most this program's 8.3.4.
bool versionSupported(const CodeplugVersion& version);
// (major, minor, patch) is above 8.2.5: byte 0x73 holds the band index.
bool versionHasBandField(const CodeplugVersion& version);

// What checkCodeplugVersion finds in an image.
struct CodeplugVersionCheck {
  errors::ResultCode result = errors::code::Ok;  // 1, or -107 when newer than this program
  bool bandFieldMark = false;
  std::string label;  // codeplugVersionLabel
};
CodeplugVersionCheck checkCodeplugVersion(ConstImageView image);

// The first step of every current-format decoder: the version label and
// the band-field mark into the settings; 1, or -107 (the label is set then
// too, for the message).
errors::ResultCode decodeCodeplugVersion(ConstImageView image, SettingsRecord& settings);

// Orders the image's version against this program's: -1 older, 1 newer, 0
// the same. The same numbers count as newer (1) only when the image was
// stamped as released while this program is not a release build.
int compareWithProgramVersion(const CodeplugVersion& version);
// "08.03.05": the image's version as the link messages name it.
std::string versionNumberText(const CodeplugVersion& version);

// Writes this program's version into the stamp: 18 34.
void stampProgramVersion(ImageView image);

}  // namespace zelta::codeplug
