#include "window/memory_serial_form.h"

namespace zelta::window {
namespace {

// Model 32 keeps its memory split; its dialog asks only for the serial number.

int offeredRowOf(std::span<const pages::MemoryPartition> rows, int memoryCode) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].memoryCode == memoryCode) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

std::string serialNumberText(std::string_view typed) {
  std::string text;
  for (char c : typed) {
    if (text.size() == kSerialNumberLength) break;
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c >= 0x20 && c <= 0x7E) text.push_back(c);
  }
  return text;
}

MemorySerialForm::MemorySerialForm(const operations::MemorySerialRequest& request)
    : memoryCode_(request.memoryCode), memoryCodeAtShow_(request.memoryCode) {
  if (!models::hasMemorySplitChoice(request.model)) return;
  listsEnabled_ = true;
  const bool large = pages::isLargeMemory(request.memorySize, request.largeMemory);
  rows_ = pages::offeredPartitions(large, request.mailDropCodePresent);
  selectedRow_ = offeredRowOf(rows_, request.memoryCode);
  if (selectedRow_ < 0) {
    // A code the lists do not offer (none yet, or the no-maildrop row while
    // a Mail Drop code exists) starts from the default split.
    selectedRow_ = offeredRowOf(rows_, pages::defaultMemoryCode(request.memorySize));
    if (selectedRow_ < 0) selectedRow_ = pages::partitionIndexOf(0, large);
  }
  memoryCode_ = rows_[static_cast<std::size_t>(selectedRow_)].memoryCode;
}

void MemorySerialForm::chooseRow(int row) {
  if (!listsEnabled_ || row < 0 || row >= static_cast<int>(rows_.size())) return;
  selectedRow_ = row;
  memoryCode_ = rows_[static_cast<std::size_t>(row)].memoryCode;
}

errors::ResultCode MemorySerialForm::accept(std::string_view serialText,
                                            operations::MemorySerialRequest& request) const {
  request.serialNumber = serialNumberText(serialText);
  if (listsEnabled_) request.memoryCode = memoryCode_;
  return errors::code::Ok;
}

errors::ResultCode MemorySerialForm::cancel(operations::MemorySerialRequest& request) const {
  request.serialNumber.clear();
  request.memoryCode = memoryCodeAtShow_;
  return errors::code::Cancelled;
}

}  // namespace zelta::window
