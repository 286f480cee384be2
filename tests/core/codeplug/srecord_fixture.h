#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

namespace zelta::codeplug::testing {

// Hand-made S-record text, independent of the writer under test.
inline std::string hexByte(unsigned b) {
  char buf[3];
  std::snprintf(buf, sizeof buf, "%02X", b & 0xFF);
  return buf;
}

// One record of type ("S0", "S1") with a correct checksum, no line end.
inline std::string record(const std::string& type, unsigned address,
                          std::span<const std::uint8_t> data) {
  const unsigned count = static_cast<unsigned>(data.size()) + 3;
  unsigned sum = count + (address >> 8) + (address & 0xFF);
  std::string s = type + hexByte(count) + hexByte(address >> 8) + hexByte(address);
  for (std::uint8_t b : data) {
    s += hexByte(b);
    sum += b;
  }
  return s + hexByte(~sum);
}

inline std::string headerRecord(unsigned cgrom, unsigned memorySize, unsigned model) {
  const std::vector<std::uint8_t> data{
      static_cast<std::uint8_t>(cgrom), 0x4C, 0x58, 0x34, static_cast<std::uint8_t>(memorySize),
      static_cast<std::uint8_t>(model)};
  return record("S0", 0, data);
}

// A whole file: header, 16-byte data records from base, end record.
inline std::string srecFile(std::span<const std::uint8_t> bytes, unsigned base = 0,
                            const std::string& eol = "\r\n",
                            const std::string& header = headerRecord(0, 32, 0x31)) {
  std::string s = header + eol;
  for (std::size_t at = 0; at < bytes.size(); at += 16) {
    s += record("S1", static_cast<unsigned>(base + at),
                bytes.subspan(at, std::min<std::size_t>(16, bytes.size() - at))) +
         eol;
  }
  return s + "S9030000FC" + eol;
}

// size bytes of a recognisable pattern with model in byte 1.
inline std::vector<std::uint8_t> patternImage(std::size_t size, std::uint8_t model,
                                              unsigned seed = 7) {
  std::vector<std::uint8_t> v(size);
  for (std::size_t i = 0; i < size; ++i)
    v[i] = static_cast<std::uint8_t>((i * 131 + seed * 17 + (i >> 8)) & 0xFF);
  v[1] = model;
  return v;
}

}  // namespace zelta::codeplug::testing
