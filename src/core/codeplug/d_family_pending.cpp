// TEMPORARY: stands in for the family D-F decoder and builder, which are
// written on their own branch, so that the dispatchers link. Delete this file
// when they land (their definitions would otherwise be duplicated).

#include "codeplug/builders.h"
#include "codeplug/decoders.h"

namespace zelta::codeplug {

errors::ResultCode decodeDFamily(CodeplugImage&, SettingsRecord&, const DecodeContext&) {
  return errors::code::UnknownPagerType;
}

void buildDFamily(CodeplugImage&, SettingsRecord&, const BuildContext&) {}

}  // namespace zelta::codeplug
