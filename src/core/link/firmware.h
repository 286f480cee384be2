#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zelta::link {

// Firmware revisions the system tells apart. A flag is set when its text
// occurs anywhere in the pager's six-character firmware text.
// clang-format off
enum class Firmware : std::uint8_t {
  R0100, R0101, R0102, R0104, R0105, R0108, R0109, R0200, R0301, R0302, R0400, R0601, R0602,
  R0702, R0703, R0704, R0705, R0706, R0707, R0708, R0801, R0802, R0803,
  Count
};
// clang-format on

inline constexpr std::array<std::string_view, static_cast<std::size_t>(Firmware::Count)>
    kFirmwareTexts{"R0100", "R0101", "R0102", "R0104", "R0105", "R0108", "R0109", "R0200",
                   "R0301", "R0302", "R0400", "R0601", "R0602", "R0702", "R0703", "R0704",
                   "R0705", "R0706", "R0707", "R0708", "R0801", "R0802", "R0803"};

// The revision that marks an extended ('!' with a 1024-byte image) pager.
inline constexpr std::string_view kExtendedFirmwareText = "R0103";

class FirmwareFlags {
 public:
  bool has(Firmware f) const { return flags_[static_cast<std::size_t>(f)]; }
  void set(Firmware f, bool on) { flags_[static_cast<std::size_t>(f)] = on; }
  void clear() { flags_.fill(false); }
  // The oldest firmware ("R0301", "R0400") cannot receive at 2400 baud.
  bool limitsBaudRate() const { return has(Firmware::R0301) || has(Firmware::R0400); }

 private:
  std::array<bool, static_cast<std::size_t>(Firmware::Count)> flags_{};
};

// Which flags an identification evaluates.
enum class FlagSet {
  VariantA,         // the newer command set's read: R0708, R0801-R0803
  VariantB,         // the older command set: R0100-R0105, R0108, R0109, R0200, R0301, R0302,
                    // R0400, R0601, R0602, and the extended flag from R0103
  ProbeBeforeRead,  // everything but R0105
  All,
};

// The 15-byte information record a pager answers:
//
//   byte  0      ignored
//   bytes 1-8    not used
//   bytes 9-14   firmware text, e.g. " R0803"
//                  bytes 11-12: major number digits  (byte 12 alone: firmware digit)
//                  bytes 13-14: minor number digits
inline constexpr std::size_t kInformationRecordBytes = 15;

struct FirmwareInfo {
  std::string text;  // six characters
  int major = 0;
  int minor = 0;
  char digit = 0;
};

FirmwareInfo parseInformationRecord(std::span<const std::uint8_t> record);

// Sets the flags of `set` from the firmware text; `extended` gets 0 or 1 when
// the set includes the extended flag, else keeps its value.
void evaluateFirmware(std::string_view text, FlagSet set, FirmwareFlags& flags,
                      std::uint8_t& extended);

// Where the set-clock frame points (frame bytes 2-3), from the firmware.
std::array<std::uint8_t, 2> clockLocation(const FirmwareFlags& flags, char firmwareDigit);

}  // namespace zelta::link
