#include "codeplug/field_encodings.h"

#include <charconv>
#include <cstdio>

#include "codeplug/settings_record.h"

namespace zelta::codeplug {

// ---------------------------------------------------------------------------
// Value tables
// ---------------------------------------------------------------------------

namespace {

constexpr std::string_view kPersonal8K[] = {"  1K", "  2K", "  3K", "  4K", "  5K", "7.5K"};
constexpr std::string_view kMaildrop8K[] = {"6.5K", "5.5K", "4.5K", "3.5K", "2.5K", "None"};
constexpr std::string_view kPersonal32K[] = {"   3K", "   5K", "  10K", "  16K", "21.5K", "  27K"};
constexpr std::string_view kMaildrop32K[] = {"  29K", "  27K", "  22K", "  16K", "10.5K", "   5K"};

// Stored prompt language code -> list index; codes 1-19 (0 and others: index 0).
constexpr int kLanguageIndexOfCode[20] = {0, 19, 1,  3,  11, 9,  4, 7,  12, 13,
                                          6, 5,  14, 15, 16, 10, 8, 19, 17, 2};
// List index -> stored code, as the builder writes it; 19 has two stored
// codes (1 and 17) and writes 17; index 18 has none.
constexpr unsigned kLanguageCodeOfIndex[20] = {0,  2, 19, 3, 6,  11, 10, 7,  16, 5,
                                               15, 4, 8,  9, 12, 13, 14, 18, 0,  17};

}  // namespace

MemorySplitText memorySplitText(bool largeMemory, int index) {
  const ValueTable& table = memorySplitTable(largeMemory);
  if (index < 0 || static_cast<std::size_t>(index) >= table.stored.size())
    index = table.fallbackIndex;
  const auto i = static_cast<std::size_t>(index);
  return largeMemory ? MemorySplitText{kPersonal32K[i], kMaildrop32K[i]}
                     : MemorySplitText{kPersonal8K[i], kMaildrop8K[i]};
}

int promptLanguageIndexFromCode(unsigned code) {
  return code < std::size(kLanguageIndexOfCode) ? kLanguageIndexOfCode[code] : 0;
}

unsigned promptLanguageCodeFromIndex(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= std::size(kLanguageCodeOfIndex)) return 0;
  return kLanguageCodeOfIndex[index];
}

int functionMenuDisplayFromBits(unsigned bits) {
  switch (bits & 3U) {
    case 2: return 1;
    case 3: return 2;
    default: return 0;
  }
}

unsigned functionMenuDisplayBits(int index) {
  switch (index) {
    case 1: return 2;
    case 2: return 3;
    default: return 1;
  }
}

namespace {
constexpr unsigned kOneOfBits[] = {0x10, 0x08, 0x04, 0x02, 0x01};
}

int cannedOneOfFromBits(unsigned bits) {
  switch (bits & 0x1FU) {
    case 0x10: return 0;
    case 0x08: return 1;
    case 0x02: return 3;
    case 0x01: return 4;
    default: return 2;
  }
}

unsigned cannedOneOfBits(int index) {
  if (index < 0 || index > 4) index = 2;
  return kOneOfBits[index];
}

int alertNibbleIndex(unsigned nibble) {
  const unsigned v = nibble & 0xFU;
  return (v >= 2 && v <= 11) ? static_cast<int>(v) - 1 : 0;
}

unsigned alertNibbleFromIndex(int index) {
  return static_cast<unsigned>(index + 1) & 0xFU;
}

int serviceAdjustFromByte(std::uint8_t value) {
  if (value <= 8) return value;
  return (~value & 0x0F) + 9;
}

std::uint8_t serviceAdjustByte(int position) {
  if (position >= 0 && position <= 8) return static_cast<std::uint8_t>(position);
  return static_cast<std::uint8_t>(8 - position);
}

int iconContrastFromByte(std::uint8_t value) {
  return ~value & 3;
}

std::uint8_t iconContrastByte(models::ModelCode model, int contrast) {
  if (models::modelIn(model, models::ModelGroup::iconContrastGroup)) {
    if (contrast >= 4) return 0x7C;
    return static_cast<std::uint8_t>((~contrast & 3) | 0x7C);
  }
  return static_cast<std::uint8_t>(~contrast & 3);
}

CodeplugVersion readCodeplugVersion(ConstImageView image, std::size_t at) {
  const std::uint16_t w = image.word16(at);
  return CodeplugVersion{w >> 12, (w >> 8) & 0xF, (w >> 4) & 0xF, w & 0xF};
}

std::string codeplugVersionText(const CodeplugVersion& v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%c%02d.%02d.%02d", v.release == 1 ? 'R' : 'B', v.major, v.minor,
                v.patch);
  return buf;
}

int alertPatternFromByte(std::uint8_t value) {
  const int v = value & 0x7F;
  return v <= 15 ? v : 0;
}

int alertModeFromBits(unsigned bits) {
  const int v = static_cast<int>(bits & 7U);
  return v <= 5 ? v : 0;
}

// ---------------------------------------------------------------------------
// Function nibbles and flag nibbles
// ---------------------------------------------------------------------------

namespace {
constexpr char kLetterOfNibble[16] = {'X', 'T', 'N', 'A', 'I', 'X', 'P', 'H',
                                      'X', 'X', 'X', 'X', 'X', 'X', 'X', 'X'};

NibblePosition functionNibble(std::size_t base, int code, int function) {
  return NibblePosition{
      base + 4U * static_cast<std::size_t>((code - 1) / 2) + static_cast<std::size_t>(function - 1),
      (code - 1) % 2 == 1};
}

unsigned readNibble(ConstImageView image, NibblePosition at) {
  return at.high ? image.bits(at.offset, 7, 4) : image.bits(at.offset, 3, 0);
}

void writeNibble(ImageView image, NibblePosition at, unsigned value) {
  if (at.high) {
    image.setBits(at.offset, 7, 4, value);
  } else {
    image.setBits(at.offset, 3, 0, value);
  }
}
}  // namespace

char functionLetterFromNibble(unsigned nibble) {
  return kLetterOfNibble[nibble & 0xFU];
}

unsigned functionNibbleFromLetter(char letter) {
  switch (letter) {
    case 'T': return 1;
    case 'N': return 2;
    case 'A': return 3;
    case 'I': return 4;
    case 'P': return 6;
    case 'H': return 7;
    default: return 0;
  }
}

std::string readFunctionLetters(ConstImageView image, std::size_t base, int code) {
  std::string letters(kFunctionsPerCode, 'X');
  for (int f = 1; f <= kFunctionsPerCode; ++f) {
    letters[static_cast<std::size_t>(f - 1)] =
        functionLetterFromNibble(readNibble(image, functionNibble(base, code, f)));
  }
  return letters;
}

void writeFunctionLetters(ImageView image, std::size_t base, int code, std::string_view letters) {
  for (int f = 1; f <= kFunctionsPerCode; ++f) {
    const auto i = static_cast<std::size_t>(f - 1);
    writeNibble(image, functionNibble(base, code, f),
                functionNibbleFromLetter(i < letters.size() ? letters[i] : 'X'));
  }
}

std::string flagLettersFromNibble(unsigned nibble) {
  std::string letters(kFunctionsPerCode, 'N');
  for (int f = 0; f < kFunctionsPerCode; ++f) {
    if ((nibble >> f) & 1U) letters[static_cast<std::size_t>(f)] = 'Y';
  }
  return letters;
}

unsigned flagNibbleFromLetters(std::string_view letters) {
  unsigned nibble = 0;
  for (std::size_t f = 0; f < letters.size() && f < kFunctionsPerCode; ++f) {
    if (letters[f] == 'Y') nibble |= 1U << f;
  }
  return nibble;
}

std::optional<NibblePosition> priorityPosition(const FieldOffsetTable& t, int code) {
  Offset at = kNoSlot;
  if (code == 1 || code == 2) at = t.priorityCodes12;
  if (code == 3 || code == 4) at = t.priorityCodes34;
  if (code == 5 || code == 6) at = t.priorityCodes56;
  if (at == kNoSlot) return std::nullopt;
  return NibblePosition{at, code % 2 == 0};
}

std::optional<NibblePosition> historyPosition(const FieldOffsetTable& t, int code) {
  if (t.history == kNoSlot || code < 1) return std::nullopt;
  const bool dFamily = t.family == models::Family::D || t.family == models::Family::E ||
                       t.family == models::Family::F;
  if (dFamily) {
    if (code > 8) return std::nullopt;
    return NibblePosition{t.history + static_cast<std::size_t>((code - 1) / 2), code % 2 == 0};
  }
  if (code > 4) return std::nullopt;
  // Codes 3-4 come first (0xDA), codes 1-2 second (0xDB).
  return NibblePosition{t.history + (code <= 2 ? 1U : 0U), code % 2 == 0};
}

std::string readFlagLetters(ConstImageView image, NibblePosition at) {
  return flagLettersFromNibble(readNibble(image, at));
}

void writeFlagLetters(ImageView image, NibblePosition at, std::string_view letters) {
  writeNibble(image, at, flagNibbleFromLetters(letters));
}

// ---------------------------------------------------------------------------
// Code slots
// ---------------------------------------------------------------------------

bool isEmptyCode(std::string_view code) {
  return code.find("    ") != std::string_view::npos;
}

std::optional<std::uint32_t> codeAddress(std::string_view code) {
  while (!code.empty() && code.front() == ' ') code.remove_prefix(1);
  while (!code.empty() && code.back() == ' ') code.remove_suffix(1);
  if (code.empty()) return std::nullopt;
  std::uint32_t v = 0;
  const auto [end, ec] = std::from_chars(code.data(), code.data() + code.size(), v);
  if (ec != std::errc() || end != code.data() + code.size() || v > kMaxAddress) return std::nullopt;
  return v;
}

std::string codeText(std::uint32_t address) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%07u", static_cast<unsigned>(address));
  return buf;
}

std::uint32_t narrowCodeAddress(ConstImageView image, std::size_t slot) {
  return image.word24(slot) >> 3;
}

bool narrowCodeReadsEmpty(ConstImageView image, std::size_t slot, int code) {
  return image.word24(slot) == (code == 3 ? 4U : 7U);
}

void writeNarrowCode(ImageView image, std::size_t slot, int code,
                     std::optional<std::uint32_t> address) {
  const std::uint32_t low = kNarrowCodeLowBits.at(static_cast<std::size_t>(code - 1));
  image.setWord24(slot, address ? (((*address & 0x1FFFFFU) << 3) | low) : low);
}

namespace {
BitPosition emptyFlagPosition(const FieldOffsetTable& t, int code) {
  if (code == 1) return {t.emptyFlagCode1, 0};
  return {t.codingFormat, 6 - code};  // code 2 bit 4 ... code 6 bit 0
}
}  // namespace

bool narrowCodeEmptyFlag(ConstImageView image, const FieldOffsetTable& t, int code) {
  const BitPosition at = emptyFlagPosition(t, code);
  return image.bit(at.offset, at.bit);
}

void setNarrowCodeEmptyFlag(ImageView image, const FieldOffsetTable& t, int code, bool empty) {
  const BitPosition at = emptyFlagPosition(t, code);
  image.setBit(at.offset, at.bit, empty);
}

std::optional<std::uint32_t> wideCodeAddress(ConstImageView image, std::size_t slot) {
  if (image.bit(slot, 7)) return std::nullopt;
  return image.word24(slot) >> 2;
}

void writeWideCode(ImageView image, std::size_t slot, std::optional<std::uint32_t> address) {
  const std::uint32_t kept = image.byte(slot + 2) & 3U;
  image.setWord24(slot, address ? (((*address & 0x1FFFFFU) << 2) | kept) : (0x800000U | kept));
}

// ---------------------------------------------------------------------------
// Code types
// ---------------------------------------------------------------------------

int codeTypeFromBits(bool first, bool second) {
  if (first == second) return 0;
  return first ? 1 : 2;
}

CodeTypeBits codeTypeBits(int type) {
  switch (type) {
    case 1: return {true, false};
    case 2: return {false, true};
    default: return {false, false};
  }
}

std::optional<CodeTypePosition> codeTypePosition(const FieldOffsetTable& t, int code) {
  if (t.codeTypeFirst == kNoSlot || code < 1) return std::nullopt;
  const bool dFamily = t.family == models::Family::D || t.family == models::Family::E ||
                       t.family == models::Family::F;
  if (dFamily) {
    if (code > 16) return std::nullopt;
    // Codes 1-8 in the second byte of each pair, codes 9-16 in the first.
    const std::size_t byte = code <= 8 ? 1 : 0;
    const int bit = code <= 8 ? 8 - code : 16 - code;
    return CodeTypePosition{{t.codeTypeFirst + byte, bit}, {t.codeTypeSecond + byte, bit}};
  }
  if (code <= 4) return CodeTypePosition{{t.codeTypeFirst, 4 - code}, {t.codeTypeSecond, 4 - code}};
  if (code <= 6 && t.codeTypeCodes56 != kNoSlot) {
    const int first = code == 5 ? 3 : 2;
    return CodeTypePosition{{t.codeTypeCodes56, first}, {t.codeTypeCodes56, first - 2}};
  }
  return std::nullopt;
}

int readCodeType(ConstImageView image, const CodeTypePosition& at) {
  return codeTypeFromBits(image.bit(at.first.offset, at.first.bit),
                          image.bit(at.second.offset, at.second.bit));
}

void writeCodeType(ImageView image, const CodeTypePosition& at, int type) {
  const CodeTypeBits b = codeTypeBits(type);
  image.setBit(at.first.offset, at.first.bit, b.first);
  image.setBit(at.second.offset, at.second.bit, b.second);
}

}  // namespace zelta::codeplug
