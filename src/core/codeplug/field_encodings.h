#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "codeplug/field_offsets.h"
#include "codeplug/image_view.h"
#include "models/models.h"

namespace zelta::codeplug {

// ---------------------------------------------------------------------------
// Value tables: a stored byte and the list index a page shows for it.
// Stored values are listed in list order; a value not in the list reads as
// the fallback index. An entry of 0 in first place stands for "other"
// ("None"): it is what the builder writes for that index.
// ---------------------------------------------------------------------------
struct ValueTable {
  std::span<const std::uint8_t> stored;
  int fallbackIndex;

  constexpr int indexOf(unsigned value) const {
    for (std::size_t i = 0; i < stored.size(); ++i) {
      if (stored[i] == value) return static_cast<int>(i);
    }
    return fallbackIndex;
  }
  // An index outside the list writes the fallback entry.
  constexpr std::uint8_t storedAt(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= stored.size()) {
      return stored[static_cast<std::size_t>(fallbackIndex)];
    }
    return stored[static_cast<std::size_t>(index)];
  }
};

namespace detail {
// Units of 8 seconds.
inline constexpr std::uint8_t kReminderTimes[] = {0, 15, 23, 30, 38, 75, 113, 225};
inline constexpr std::uint8_t kOorTimes[] = {0, 4, 8, 15, 23, 30, 38, 45, 75, 113};
inline constexpr std::uint8_t kLockoutTimes[] = {0, 1, 2, 4, 8, 12, 15, 23, 30, 38};
inline constexpr std::uint8_t kReadTimeouts[] = {2, 4, 8, 38};
// Units of 1/8 second.
inline constexpr std::uint8_t kScrollTimes[] = {4, 8, 16, 24, 32, 48, 64, 80, 240};
inline constexpr std::uint8_t kSplit8K[] = {1, 2, 3, 4, 5, 8};
inline constexpr std::uint8_t kSplit32K[] = {3, 5, 10, 16, 21, 26};
}  // namespace detail

// Reminder alert interval and time-out (0x7E, 0x7F): "None", "2 min" ... "30 min".
inline constexpr ValueTable kReminderTimeTable{detail::kReminderTimes, 0};
// Out-of-range time (0x80): "None", "32 sec" ... "15.07 min".
inline constexpr ValueTable kOorTimeTable{detail::kOorTimes, 0};
// Sequential lockout (0x81): "None", "8 sec" ... "5 min".
inline constexpr ValueTable kSequentialLockoutTable{detail::kLockoutTimes, 0};
// Read time-out (0x82): "16 sec", "32 sec" (and any other value), "64 sec", "5.07 min".
inline constexpr ValueTable kReadTimeoutTable{detail::kReadTimeouts, 1};
// Fast scroll (0x83): "1/2 sec" ... "4 sec" (and any other value) ... "30 sec".
inline constexpr ValueTable kFastScrollTable{detail::kScrollTimes, 4};
// Memory split (0xC9). The 32 K list has no text for a stored 32; it reads
// as any other unknown value (the fallback "10K") rather than as an index
// that no list can show.
inline constexpr ValueTable kMemorySplit8KTable{detail::kSplit8K, 4};
inline constexpr ValueTable kMemorySplit32KTable{detail::kSplit32K, 2};

constexpr const ValueTable& memorySplitTable(bool largeMemory) {
  return largeMemory ? kMemorySplit32KTable : kMemorySplit8KTable;
}

// The texts of ed_persMemSizeString and ed_persMaildropString for a split.
struct MemorySplitText {
  std::string_view personal;
  std::string_view maildrop;
};
MemorySplitText memorySplitText(bool largeMemory, int index);

// Prompt language: stored code (0x71 bits 7-2) <-> cb_internationalPrompt index.
int promptLanguageIndexFromCode(unsigned code);
unsigned promptLanguageCodeFromIndex(int index);

// Function menu display (0x78 bits 7-6): 00 and 01 -> 0, 10 -> 1, 11 -> 2;
// written as 01, 10, 11.
int functionMenuDisplayFromBits(unsigned bits);
unsigned functionMenuDisplayBits(int index);

// The one-of value of byte 0x75 bits 4-0: 0x10 -> 0, 0x08 -> 1, 0x02 -> 3,
// 0x01 -> 4, anything else -> 2. Index 2 writes 0x04, the bit between.
int cannedOneOfFromBits(unsigned bits);
unsigned cannedOneOfBits(int index);

// Default alert and reminder nibbles (0xB9, 0xBA bits 7-4): v in 2-11 is
// list index v - 1, anything else index 0; written as index + 1.
int alertNibbleIndex(unsigned nibble);
unsigned alertNibbleFromIndex(int index);

// Reminder alert duration (0xB9 bits 3-2): 00 Chirp, 01 2 sec, 10 12 sec,
// 11 30 sec, in list order, so the index is the bit value.

// Service adjustment value (0xAE): list positions 0-8 stored as they are,
// 9-16 as (8 - position) modulo 256; a stored value above 8 reads as
// (complement, low 4 bits) + 9.
int serviceAdjustFromByte(std::uint8_t value);
std::uint8_t serviceAdjustByte(int position);

// Icon contrast (0x321 bits 1-0): the complement of the contrast. Models of
// iconContrastGroup set bits 6-2 as well: (~contrast & 3) | 0x7C, so that a
// contrast of 4 or more gives 0x7C like a contrast of 3 (bit 7 stays clear);
// the others store (~contrast) & 3.
int iconContrastFromByte(std::uint8_t value);
std::uint8_t iconContrastByte(models::ModelCode model, int contrast);

// Codeplug version (0x96-0x97): four nibbles release, major, minor, patch.
struct CodeplugVersion {
  int release = 0;  // 1 = released ("R"), otherwise "B"
  int major = 0;
  int minor = 0;
  int patch = 0;
};
CodeplugVersion readCodeplugVersion(ConstImageView image, std::size_t at);
// "R08.03.04" (or "B..." for a release nibble other than 1).
std::string codeplugVersionText(const CodeplugVersion& version);

// Per-function attribute entries of families D-F (alertTable): entry
// e = 4 x (code - 1) + (function - 1) at alertTable + 2e.
//   first byte:  bit 7 written 0 | bits 6-0 alert pattern (0-15, larger reads 0)
//   second byte: 7 priority | 6 on/off duty | 5 fix alert | 4 escalating |
//                3 interrupted vibrate | 2-0 alert mode (0-5, larger reads 0)
constexpr std::size_t alertEntryOffset(Offset table, int code, int function) {
  return table + 2U * static_cast<std::size_t>(4 * (code - 1) + (function - 1));
}
int alertPatternFromByte(std::uint8_t value);
int alertModeFromBits(unsigned bits);

// ---------------------------------------------------------------------------
// Function nibbles and Y/N flag nibbles
// ---------------------------------------------------------------------------

// Nibble -> letter: 0 (and 5, 8-15) X, 1 T, 2 N, 3 A, 4 I, 6 P, 7 H.
char functionLetterFromNibble(unsigned nibble);
// Letter -> nibble; anything unknown is 0 (inactive).
unsigned functionNibbleFromLetter(char letter);

// Four function letters of code (1-16) from the nibble block at base:
// code 2k+1 in the low nibbles, code 2k+2 in the high nibbles of the four
// bytes at base + 4k.
std::string readFunctionLetters(ConstImageView image, std::size_t base, int code);
// letters shorter than four count as "X" for the missing functions.
void writeFunctionLetters(ImageView image, std::size_t base, int code, std::string_view letters);

// Flags of four functions in one nibble, bit 0 = function 1: "Y" set, "N" clear.
std::string flagLettersFromNibble(unsigned nibble);
unsigned flagNibbleFromLetters(std::string_view letters);

// Where the priority or history nibble of a code lies.
struct NibblePosition {
  std::size_t offset;
  bool high;  // bits 7-4 rather than 3-0
};
// Priority flags, families A-C: codes 1-2 at priorityCodes12, 3-4 at
// priorityCodes34, 5-6 at priorityCodes56; the odd code in the low nibble.
std::optional<NibblePosition> priorityPosition(const FieldOffsetTable& t, int code);
// History flags: A-C codes 1-2 at history + 1, 3-4 at history; D-F codes
// 2k+1 and 2k+2 at history + k.
std::optional<NibblePosition> historyPosition(const FieldOffsetTable& t, int code);
std::string readFlagLetters(ConstImageView image, NibblePosition at);
void writeFlagLetters(ImageView image, NibblePosition at, std::string_view letters);

// ---------------------------------------------------------------------------
// Code slots
// ---------------------------------------------------------------------------

inline constexpr std::string_view kEmptyCode = "       ";  // seven spaces

// A code setting is empty when it holds four consecutive spaces.
bool isEmptyCode(std::string_view code);
// The POCSAG address of a code setting (decimal digits, spaces around them
// allowed); nothing when empty, not a number or above 2097151.
std::optional<std::uint32_t> codeAddress(std::string_view code);
inline constexpr std::uint32_t kMaxAddress = 2097151;
// Seven digits with leading zeros ("0000001").
std::string codeText(std::uint32_t address);

// Narrow form (families A-C, codes 1-6): the address shifted left by 3 in 24
// bits, big-endian, the low 3 bits a fixed value per slot.
//   byte 0          byte 1          byte 2
//   a20 ... a13     a12 ... a5      a4 a3 a2 a1 a0 | l2 l1 l0
inline constexpr std::array<std::uint8_t, 6> kNarrowCodeLowBits{7, 1, 4, 7, 4, 0};
constexpr std::size_t narrowCodeSlot(Offset codeSlots, int code) {
  return codeSlots + 3U * static_cast<std::size_t>(code - 1);
}
std::uint32_t narrowCodeAddress(ConstImageView image, std::size_t slot);
// The slot reads as empty without its flag: 00 00 07 (code 3: 00 00 04).
bool narrowCodeReadsEmpty(ConstImageView image, std::size_t slot, int code);
// Writes address (or, when none, only the fixed low value) into the slot of code.
void writeNarrowCode(ImageView image, std::size_t slot, int code,
                     std::optional<std::uint32_t> address);
// The empty flag of code 1-6: code 1 bit 0 of emptyFlagCode1, codes 2-6
// bits 4-0 of codingFormat.
bool narrowCodeEmptyFlag(ConstImageView image, const FieldOffsetTable& t, int code);
void setNarrowCodeEmptyFlag(ImageView image, const FieldOffsetTable& t, int code, bool empty);

// Wide form (family C second table, families D-F):
//   byte 0 bit 7 set = empty slot; otherwise the address is the 24-bit
//   value shifted right by 2. Writing keeps bits 1-0 of the third byte,
//   which carry other settings.
constexpr std::size_t wideCodeSlot(Offset codeSlots, int slot) {
  return codeSlots + 3U * static_cast<std::size_t>(slot - 1);
}
std::optional<std::uint32_t> wideCodeAddress(ConstImageView image, std::size_t slot);
void writeWideCode(ImageView image, std::size_t slot, std::optional<std::uint32_t> address);

// ---------------------------------------------------------------------------
// Code types: two bits per code, equal -> 0 Individual, first only -> 1
// Group, second only -> 2 Mail Drop.
// ---------------------------------------------------------------------------
int codeTypeFromBits(bool first, bool second);
struct CodeTypeBits {
  bool first;
  bool second;
};
CodeTypeBits codeTypeBits(int type);

struct BitPosition {
  std::size_t offset;
  int bit;
};
struct CodeTypePosition {
  BitPosition first;
  BitPosition second;
};
// A-C codes 1-6, D-F codes 1-16; nothing for a code the family lacks.
std::optional<CodeTypePosition> codeTypePosition(const FieldOffsetTable& t, int code);
int readCodeType(ConstImageView image, const CodeTypePosition& at);
void writeCodeType(ImageView image, const CodeTypePosition& at, int type);

}  // namespace zelta::codeplug
