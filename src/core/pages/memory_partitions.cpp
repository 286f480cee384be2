#include "pages/memory_partitions.h"

namespace zelta::pages {

std::span<const MemoryPartition> offeredPartitions(bool largeMemory, bool mailDropCodePresent) {
  std::span<const MemoryPartition> rows =
      largeMemory ? std::span<const MemoryPartition>(kLargeMemoryPartitions)
                  : std::span<const MemoryPartition>(kSmallMemoryPartitions);
  return mailDropCodePresent ? rows.first(rows.size() - 1) : rows;
}

int partitionIndexOf(int memoryCode, bool largeMemory) {
  const std::span<const MemoryPartition> rows = offeredPartitions(largeMemory, false);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].memoryCode == memoryCode) return static_cast<int>(i);
  }
  return largeMemory ? 2 : 4;
}

}  // namespace zelta::pages
