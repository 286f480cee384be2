#include "codeplug/codeplug_image.h"

#include <algorithm>

namespace zelta::codeplug {

CodeplugImage::CodeplugImage() = default;

void CodeplugImage::setModel(models::ModelCode code) {
  modelCode_ = code;
  loadOffsetTables(offsets_, code);
}

bool CodeplugImage::takeSnapshot() {
  if (!snapshotArmed_) return false;
  std::copy_n(buffer_.begin() + kCurrentOffset, kCurrentSize, snapshot_.begin());
  snapshotArmed_ = false;
  return true;
}

void CodeplugImage::clearBytes() {
  buffer_.fill(0);
  snapshot_.fill(0);
}

}  // namespace zelta::codeplug
