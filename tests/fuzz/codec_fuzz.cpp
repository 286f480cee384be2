// libFuzzer target: any image of any model code, decoded as a file or a
// pager read gives it, then built, must never crash, hang or touch memory
// outside the image; and what the builder made must decode again.
//
// Input: byte 0 the model code, byte 1 bit 0 set for a pager read, then the
// image bytes (the current image and the old-format window both start with
// them, as a read or a file load may place them).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "codeplug/codec.h"

using zelta::codeplug::BuildContext;
using zelta::codeplug::CodeplugImage;
using zelta::codeplug::DecodeCommand;
using zelta::codeplug::DecodeContext;
using zelta::codeplug::SettingsRecord;
using zelta::codeplug::standardCodec;

namespace {

void place(CodeplugImage& image, const std::uint8_t* data, std::size_t size) {
  const auto current = image.current().span();
  std::copy_n(data, std::min(size, current.size()), current.begin());
  const auto old = image.oldFormat().span();
  std::copy_n(data, std::min(size, old.size()), old.begin());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const zelta::models::ModelCode model = data[0];
  const DecodeCommand command =
      (data[1] & 1) != 0 ? DecodeCommand::ReadPager : DecodeCommand::OpenFile;
  auto image = std::make_unique<CodeplugImage>();
  place(*image, data + 2, size - 2);
  image->setModel(model);

  SettingsRecord settings;
  if (standardCodec().decode(command, *image, settings, DecodeContext{}) !=
      zelta::errors::code::Ok) {
    return 0;
  }
  if (standardCodec().build(*image, settings, BuildContext{}) < 0) return 0;

  // The built image is one the program made: opening it must succeed.
  auto built = std::make_unique<CodeplugImage>(*image);
  SettingsRecord again;
  if (standardCodec().decode(DecodeCommand::OpenFile, *built, again, DecodeContext{}) !=
      zelta::errors::code::Ok) {
    std::abort();
  }
  return 0;
}
