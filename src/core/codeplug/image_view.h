#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <type_traits>

namespace zelta::codeplug {

// An image offset as the field-offset slots hold it.
using Offset = std::uint16_t;

// A bounds-checked window on image bytes with typed accessors for the field
// shapes of the codeplug: single bits, bit groups, big-endian words and byte
// runs. An offset outside the window is a programming fault (the offsets come
// from the slot tables, never from file or pager data) and throws.
//
// Bits are numbered 7 (most significant) to 0 as in the layout tables:
//   bits(at, 7, 6) reads the top two bits of the byte, shifted down.
template <class Byte>
class BasicImageView {
  static constexpr bool kMutable = !std::is_const_v<Byte>;

 public:
  BasicImageView() = default;
  explicit BasicImageView(std::span<Byte> bytes) : bytes_(bytes) {}
  // A const view may be made from a mutable one.
  template <class Other>
  requires(std::is_const_v<Byte> && !std::is_const_v<Other>)
      BasicImageView(const BasicImageView<Other>& other)
      : bytes_(other.span()) {}

  std::size_t size() const { return bytes_.size(); }
  std::span<Byte> span() const { return bytes_; }

  std::uint8_t byte(std::size_t at) const { return bytes_[check(at, 1)]; }
  bool bit(std::size_t at, int bitNo) const { return ((byte(at) >> checkBit(bitNo)) & 1U) != 0; }
  unsigned bits(std::size_t at, int high, int low) const {
    checkBitRange(high, low);
    return (byte(at) >> low) & mask(high, low);
  }
  std::uint16_t word16(std::size_t at) const {
    const std::size_t i = check(at, 2);
    return static_cast<std::uint16_t>((bytes_[i] << 8) | bytes_[i + 1]);
  }
  std::uint32_t word24(std::size_t at) const {
    const std::size_t i = check(at, 3);
    return (std::uint32_t{bytes_[i]} << 16) | (std::uint32_t{bytes_[i + 1]} << 8) | bytes_[i + 2];
  }
  std::span<Byte> bytesAt(std::size_t at, std::size_t count) const {
    return bytes_.subspan(check(at, count), count);
  }
  // count bytes as characters, unchanged.
  std::string text(std::size_t at, std::size_t count) const {
    const auto run = bytesAt(at, count);
    return std::string(run.begin(), run.end());
  }

  void setByte(std::size_t at, std::uint8_t value) const requires kMutable {
    bytes_[check(at, 1)] = value;
  }
  void setBit(std::size_t at, int bitNo, bool on) const requires kMutable {
    const auto m = static_cast<std::uint8_t>(1U << checkBit(bitNo));
    const std::size_t i = check(at, 1);
    bytes_[i] =
        on ? static_cast<std::uint8_t>(bytes_[i] | m) : static_cast<std::uint8_t>(bytes_[i] & ~m);
  }
  // Replaces bits high..low with value (excess high bits of value dropped),
  // leaving the other bits of the byte as they are.
  void setBits(std::size_t at, int high, int low, unsigned value) const requires kMutable {
    checkBitRange(high, low);
    const unsigned m = mask(high, low) << low;
    const std::size_t i = check(at, 1);
    bytes_[i] = static_cast<std::uint8_t>((bytes_[i] & ~m) | ((value << low) & m));
  }
  void setWord16(std::size_t at, std::uint16_t value) const requires kMutable {
    const std::size_t i = check(at, 2);
    bytes_[i] = static_cast<std::uint8_t>(value >> 8);
    bytes_[i + 1] = static_cast<std::uint8_t>(value);
  }
  void setWord24(std::size_t at, std::uint32_t value) const requires kMutable {
    const std::size_t i = check(at, 3);
    bytes_[i] = static_cast<std::uint8_t>(value >> 16);
    bytes_[i + 1] = static_cast<std::uint8_t>(value >> 8);
    bytes_[i + 2] = static_cast<std::uint8_t>(value);
  }
  // Writes the characters of value into count bytes, padded with pad.
  void setText(std::size_t at, std::size_t count, std::string_view value,
               std::uint8_t pad = ' ') const requires kMutable {
    const auto run = bytesAt(at, count);
    for (std::size_t k = 0; k < count; ++k) {
      run[k] = k < value.size() ? static_cast<std::uint8_t>(value[k]) : pad;
    }
  }
  void fill(std::size_t at, std::size_t count, std::uint8_t value) const requires kMutable {
    for (auto& b : bytesAt(at, count)) b = value;
  }

 private:
  std::size_t check(std::size_t at, std::size_t count) const {
    if (at > bytes_.size() || count > bytes_.size() - at) {
      throw std::out_of_range("image field at 0x" + hex(at) + " (+" + std::to_string(count) +
                              ") lies outside the " + std::to_string(bytes_.size()) +
                              "-byte image");
    }
    return at;
  }
  static int checkBit(int bitNo) {
    if (bitNo < 0 || bitNo > 7) throw std::out_of_range("bit number outside 0-7");
    return bitNo;
  }
  static void checkBitRange(int high, int low) {
    if (low < 0 || high > 7 || low > high) throw std::out_of_range("bit range outside 7-0");
  }
  static unsigned mask(int high, int low) { return (1U << (high - low + 1)) - 1U; }
  static std::string hex(std::size_t v) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string s;
    do {
      s.insert(s.begin(), kDigits[v & 0xF]);
      v >>= 4;
    } while (v != 0);
    return s;
  }

  std::span<Byte> bytes_;
};

using ImageView = BasicImageView<std::uint8_t>;
using ConstImageView = BasicImageView<const std::uint8_t>;

}  // namespace zelta::codeplug
