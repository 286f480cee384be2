#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>

#include "codeplug/codeplug_image.h"
#include "codeplug/settings_record.h"
#include "models/models.h"

namespace zelta::codeplug {

// The codeplug file (.cp): Motorola S-records.
//
//   S0 09 0000 cc 4C 58 34 mm oo ss     header: cgromType, "LX4", memorySize,
//                                       header model byte, checksum
//   S1 13 aaaa d0 ... d15 ss            16 image bytes at offset aaaa
//   ...                                 (64 or 128 records, no gap)
//   S9030000FC                          end
//
// Written with CR LF and upper-case hex; read with any line end and either
// case. The object keeps no state of its own: everything lives in the image,
// its header values and the settings it is given.
class DataProcess {
 public:
  DataProcess(CodeplugImage& image, SettingsRecord& settings)
      : image_(image), settings_(settings) {}

  // Reads a codeplug file into the image and the header values; returns the
  // model code found (image byte 1), or 0 when the file is invalid. An
  // invalid file leaves the image, the header values and the settings as
  // they were.
  models::ModelCode parseSRecordImage(std::istream& file);

  // The reader of the 1 KB to 2 KB scratch file: checksums are not compared
  // (filler records carry "00"), exactly 2048 bytes are required, they go to
  // the start of the image, and the model is taken to be 'q' (also written
  // into byte 1). Returns 'q' or 0.
  models::ModelCode parseSRecordImageRelaxed(std::istream& file);

  // Writes the header record, one S1 record per 16 bytes of the current
  // model's image size, and the end record.
  void writeSRecordImage(std::ostream& file) const;

  // True when any line, read in chunks of at most 9 characters, has at
  // least 3 characters and begins with "S1".
  static bool hasDataRecords(std::istream& file);

  // The lowest address among the "S1" lines; nothing when there is none.
  static std::optional<std::uint16_t> lowestRecordAddress(std::istream& file);

 private:
  models::ModelCode parse(std::istream& file, bool relaxed);

  CodeplugImage& image_;
  SettingsRecord& settings_;
};

// The number of data bytes a file of model must hold; nothing for the
// models whose size is not checked ('!' and unknown codes).
std::optional<int> requiredFileTotal(models::ModelCode model);
// The bytes writeSRecordImage writes for model: 2048 for families C-F,
// 1024 for every other code.
int fileImageBytes(models::ModelCode model);

}  // namespace zelta::codeplug
