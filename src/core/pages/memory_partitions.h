#pragma once

#include <span>
#include <string_view>

namespace zelta::pages {

// One choice of the split of message memory between personal and maildrop
// memory. The texts are padded as the dialog lists show them.
struct MemoryPartition {
  std::string_view personal;
  std::string_view maildrop;
  int memoryCode;  // the personal memory, as the codeplug holds it
};

// Pagers with 8 K of message memory.
inline constexpr MemoryPartition kSmallMemoryPartitions[] = {
    {"  1K", "6.5K", 1}, {"  2K", "5.5K", 2}, {"  3K", "4.5K", 3},
    {"  4K", "3.5K", 4}, {"  5K", "2.5K", 5}, {"7.5K", "None", 8},
};

// Pagers with 32 K (header memory size 32 and the large-memory flag set).
inline constexpr MemoryPartition kLargeMemoryPartitions[] = {
    {"   3K", "  29K", 3},  {"   5K", "  27K", 5},  {"  10K", "  22K", 10}, {"  16K", "  16K", 16},
    {"21.5K", "10.5K", 21}, {"  27K", "   5K", 26}, {"  32K", " None", 32},
};

// Large memory: header memory size 32 and the large-memory flag set.
constexpr bool isLargeMemory(int memorySize, bool largeMemory) {
  return memorySize == 32 && largeMemory;
}

// The rows offered. The last row leaves no maildrop memory, so it is left
// out while an active code is a Mail Drop code.
std::span<const MemoryPartition> offeredPartitions(bool largeMemory, bool mailDropCodePresent);

// Default memory code: 10 when the header memory size is 32, else 5.
constexpr int defaultMemoryCode(int memorySize) {
  return memorySize == 32 ? 10 : 5;
}

// Row of a memory code in the table; a code not in it selects row 2 (large)
// or row 4 (small).
int partitionIndexOf(int memoryCode, bool largeMemory);

}  // namespace zelta::pages
