#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "errors/result_code.h"
#include "operations/pager_operations.h"
#include "pages/memory_partitions.h"

namespace zelta::window {

// The serial number field keeps at most ten printable ASCII characters,
// letters in upper case: the text goes byte for byte into the image.
inline constexpr std::size_t kSerialNumberLength = 10;
std::string serialNumberText(std::string_view typed);

// The memory and serial number dialog's rules, from show to OK or Cancel.
// The two lists always show the same row; model 32 has no memory choice and
// keeps both lists disabled.
class MemorySerialForm {
 public:
  // On show: the rows of the pager's memory size; the current memory code's
  // row is selected, or the default code's row when the current code is
  // not offered.
  explicit MemorySerialForm(const operations::MemorySerialRequest& request);

  bool listsEnabled() const { return listsEnabled_; }
  std::span<const pages::MemoryPartition> rows() const { return rows_; }
  // -1 while the lists are disabled.
  int selectedRow() const { return selectedRow_; }
  int memoryCode() const { return memoryCode_; }

  // A row chosen in either list.
  void chooseRow(int row);

  // "OK": the serial number and, except for model 32, the chosen memory
  // code go into request; 0.
  errors::ResultCode accept(std::string_view serialText,
                            operations::MemorySerialRequest& request) const;
  // "Cancel": the serial number is cleared and the memory code stays as it
  // was at show; -17.
  errors::ResultCode cancel(operations::MemorySerialRequest& request) const;

 private:
  bool listsEnabled_ = false;
  std::span<const pages::MemoryPartition> rows_;
  int selectedRow_ = -1;
  int memoryCode_ = 0;
  int memoryCodeAtShow_ = 0;
};

}  // namespace zelta::window
