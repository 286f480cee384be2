// libFuzzer target: any byte sequence given as a codeplug file must end in a
// model code or 0, never in a crash, hang or read outside a buffer; and a
// file that loads must load again, unchanged, after writing it back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

#include "codeplug/data_process.h"

using zelta::codeplug::CodeplugImage;
using zelta::codeplug::DataProcess;
using zelta::codeplug::SettingsRecord;
using zelta::models::ModelCode;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  {
    std::istringstream in(text);
    DataProcess::hasDataRecords(in);
  }
  {
    std::istringstream in(text);
    DataProcess::lowestRecordAddress(in);
  }

  auto image = std::make_unique<CodeplugImage>();
  SettingsRecord settings;
  DataProcess process(*image, settings);
  {
    std::istringstream in(text);
    process.parseSRecordImageRelaxed(in);
  }
  std::istringstream in(text);
  const zelta::models::ModelCode model = process.parseSRecordImage(in);
  if (model == 0) return 0;

  // Write what was read and read it back.
  image->setModel(model);
  std::ostringstream out;
  process.writeSRecordImage(out);
  auto again = std::make_unique<CodeplugImage>();
  SettingsRecord settings2;
  std::istringstream back(out.str());
  const zelta::models::ModelCode reread = DataProcess(*again, settings2).parseSRecordImage(back);
  // Only files that went to the start of the image are written back whole.
  if (image->current().byte(1) == model) {
    if (reread != model) std::abort();
    const std::size_t n = static_cast<std::size_t>(zelta::codeplug::fileImageBytes(model));
    for (std::size_t i = 0; i < n; ++i) {
      if (image->buffer()[i] != again->buffer()[i]) std::abort();
    }
  }
  return 0;
}
