#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "codeplug/field_offsets.h"
#include "codeplug/image_view.h"
#include "models/models.h"

namespace zelta::codeplug {

// The header values kept beside the image and written into every codeplug
// file header (S0 record).
struct CodeplugHeader {
  std::uint8_t cgromType = 0;    // character-generator ROM type; 0 = none
  std::uint8_t memorySize = 32;  // message memory in KB: 8 or 32 (2 in the oldest files)
  bool largeMemory = true;       // memorySize is at least 32
  // The model code last identified: byte 1 of the last file read, or the
  // model the last pager identification reported. For an image converted
  // from the old format it stays the old model code while image byte 1 is '1'.
  models::ModelCode modelByte = models::kNoModel;
};

// The process-wide codeplug: the image buffer, the converter snapshot, the
// current model code with its field-offset slots, and the header values.
// Exactly one exists; its owner passes it by reference.
//
//   0x0000-0x07FF  current image (1024 or 2048 bytes used by the model)
//   0x0800-0x0FFF  copy of the pager's own image, read before programming
//   0x1000-0x12FF  old-format window: a 768-byte image before conversion
class CodeplugImage {
 public:
  static constexpr std::size_t kBufferSize = 0x1300;
  static constexpr std::size_t kCurrentOffset = 0x0000;
  static constexpr std::size_t kCurrentSize = 0x0800;
  static constexpr std::size_t kPagerCopyOffset = 0x0800;
  static constexpr std::size_t kPagerCopySize = 0x0800;
  static constexpr std::size_t kOldFormatOffset = 0x1000;
  static constexpr std::size_t kOldFormatSize = 0x0300;
  static constexpr std::size_t kSnapshotSize = 0x1000;

  CodeplugImage();

  // The whole 0x1300-byte buffer.
  std::span<std::uint8_t> buffer() { return buffer_; }
  std::span<const std::uint8_t> buffer() const { return buffer_; }

  // Views on the three regions; offsets are relative to the region start.
  ImageView current() {
    return ImageView(std::span(buffer_).subspan(kCurrentOffset, kCurrentSize));
  }
  ConstImageView current() const {
    return ConstImageView(std::span(buffer_).subspan(kCurrentOffset, kCurrentSize));
  }
  ImageView pagerCopy() {
    return ImageView(std::span(buffer_).subspan(kPagerCopyOffset, kPagerCopySize));
  }
  ConstImageView pagerCopy() const {
    return ConstImageView(std::span(buffer_).subspan(kPagerCopyOffset, kPagerCopySize));
  }
  ImageView oldFormat() {
    return ImageView(std::span(buffer_).subspan(kOldFormatOffset, kOldFormatSize));
  }
  ConstImageView oldFormat() const {
    return ConstImageView(std::span(buffer_).subspan(kOldFormatOffset, kOldFormatSize));
  }

  // The current model code; kNoModel until a pager or file has been read.
  models::ModelCode modelCode() const { return modelCode_; }
  // Makes code the current model and loads its field-offset slots. A code
  // outside the slot tables leaves the slots as they were.
  void setModel(models::ModelCode code);
  const FieldOffsetTable& offsets() const { return offsets_; }

  CodeplugHeader& header() { return header_; }
  const CodeplugHeader& header() const { return header_; }

  // Converter snapshot: armed by a pager read or file load; the next
  // conversion takes the first 2048 image bytes into it and disarms it, so
  // repeated conversions start from the same source image.
  void armSnapshot() { snapshotArmed_ = true; }
  bool snapshotArmed() const { return snapshotArmed_; }
  // Copies the current image into the snapshot when armed, then disarms.
  // Returns whether a copy was taken.
  bool takeSnapshot();
  ImageView snapshot() { return ImageView(std::span(snapshot_)); }
  ConstImageView snapshot() const { return ConstImageView(std::span(snapshot_)); }

  // Zeroes every byte (buffer and snapshot); model, slots and header stay.
  void clearBytes();

 private:
  std::array<std::uint8_t, kBufferSize> buffer_{};
  std::array<std::uint8_t, kSnapshotSize> snapshot_{};
  bool snapshotArmed_ = false;
  models::ModelCode modelCode_ = models::kNoModel;
  FieldOffsetTable offsets_{};
  CodeplugHeader header_{};
};

}  // namespace zelta::codeplug
