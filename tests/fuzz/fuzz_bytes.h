#pragma once

#include <cstddef>
#include <cstdint>

namespace zelta::fuzzing {

// The fuzzer's input read a byte at a time; once it runs out every read
// gives the fallback, so that a short input still ends every dialog.
class FuzzBytes {
 public:
  FuzzBytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool empty() const { return at_ >= size_; }
  std::uint8_t next(std::uint8_t fallback = 0) { return empty() ? fallback : data_[at_++]; }
  // A byte below limit (limit > 0).
  std::size_t below(std::size_t limit, std::uint8_t fallback = 0) { return next(fallback) % limit; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace zelta::fuzzing
