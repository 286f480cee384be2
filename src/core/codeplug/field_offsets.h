#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "codeplug/image_view.h"
#include "models/models.h"
#include "text/prompt_catalogue.h"

namespace zelta::codeplug {

// A slot that the loaded family does not have. Reading through it throws
// (ImageView), so a decoder that uses a slot its family lacks fails loudly.
inline constexpr Offset kNoSlot = 0xFFFF;

// A prompt stored as text: a fixed-width byte field, no terminator.
struct PromptTextSlot {
  Offset offset = kNoSlot;
  std::uint8_t width = 0;
};

// The field-offset slots: one named 16-bit image offset per field that the
// decoders and builders address. Loaded from the table of the model's family
// whenever the model code becomes known (loadOffsetTables). A slot that the
// family lacks holds kNoSlot.
//
// Bit positions inside a byte are the same in every family; the slot names
// the byte, the comment lists its bits (7 = most significant).
struct FieldOffsetTable {
  std::optional<models::Family> family;  // the family last loaded; none before the first load

  // --- Common header (same offsets in every family) ---
  Offset rfProgramming = kNoSlot;       // bit 7: 1 = over-the-air programming disabled
  Offset modelByte = kNoSlot;           // model code
  Offset fixedMark = kNoSlot;           // 3 bytes ")&)"
  Offset fixedYc = kNoSlot;             // 2 bytes "YC"
  Offset generation = kNoSlot;          // layout generation character
  Offset otaPassword = kNoSlot;         // 10 bytes, password substitution
  Offset stopDecodeMissSync = kNoSlot;  // bit 4
  Offset headerFormat = kNoSlot;        // bit 2 synthesizer flag; bits 1-0 coding format (A-C)
  Offset keptHeader = kNoSlot;          // 3 bytes kept as read
  Offset frameBitmap = kNoSlot;         // bit n: some code's frame is n
  Offset tuningBytes = kNoSlot;         // 3 bytes: receiver tuning (90, 78, 98)
  Offset endMsgChar = kNoSlot;          // end-of-message character
  Offset batteryHighMed = kNoSlot;      // bits 7-4 high level, 3-0 medium level
  Offset batteryLow = kNoSlot;          // bits 7-4 low level
  Offset downloadPassword = kNoSlot;    // 10 bytes, password substitution
  Offset serialNumber = kNoSlot;        // 10 bytes, plain
  Offset icn = kNoSlot;                 // 10 bytes, plain, space-padded
  Offset promptLanguage = kNoSlot;      // bits 7-2 language code; bit 0 silent RF programming
  Offset securityLevel = kNoSlot;       // bits 1-0
  Offset band = kNoSlot;    // bit 7 narrow; bits 6-3 band index; bit 2 combo (D-F); rest kept
  Offset kept74 = kNoSlot;  // bits 1-0 kept
  Offset cannedOptions = kNoSlot;  // 0x75: bit 7 14-bit decoding; bits 4-0 one-of value
  Offset options76 = kNoSlot;      // notebooks, printer, alarm, cleanup, alerts, deaf, allow off
  Offset options77 = kNoSlot;  // delete, locking, clock (bits 5 and 3), auto on/off, alert modes
  Offset options78 = kNoSlot;  // menu display, preview, indicators, 14-bit decoding (ROM 3)
  Offset options79 = kNoSlot;  // date, time stamp, alarm, ideo canned, text prompts, show source
  Offset options7A = kNoSlot;  // retain flags; bits 3-0 code-type bits A (A-C)
  Offset options7B =
      kNoSlot;  // 32 K memory, duplication, retention; bits 3-0 code-type bits B (A-C)
  Offset alertOptions = kNoSlot;    // 0x7C: alert bits
  Offset displayOptions = kNoSlot;  // 0x7D: duration 2, receive while off, memory full, gauge, ...
  Offset reminderInterval = kNoSlot;
  Offset reminderTimeout = kNoSlot;
  Offset oorTime = kNoSlot;
  Offset sequentialLockout = kNoSlot;
  Offset readTimeout = kNoSlot;
  Offset fastScrollTime = kNoSlot;
  Offset byte84 = kNoSlot;           // kept value (50 by default)
  Offset alertFrequency = kNoSlot;   // bits 3-0
  Offset melody = kNoSlot;           // 16 bytes
  Offset codeplugVersion = kNoSlot;  // 2 bytes, four nibbles
  Offset injectionSide = kNoSlot;    // byte 0x99 bits 1-0
  Offset charsetRemap = kNoSlot;     // 14 bytes
  Offset regularCanned = kNoSlot;    // 16 = Yes (ROM 3)
  Offset textContrast = kNoSlot;     // bits 3-0 (model ' ': end-message char, bit 4 backlight)
  Offset lowCellPeriod = kNoSlot;    // bits 3-0
  Offset serviceAdjust = kNoSlot;
  Offset reminderAlert = kNoSlot;  // 0xB9: bits 7-4 default reminder + 1, 3-2 duration, bit 1 kept
  Offset defaultAlert = kNoSlot;   // 0xBA: bits 7-4 default alert + 1
  Offset memorySplit = kNoSlot;
  Offset otaGroupPassword = kNoSlot;  // 10 bytes, password substitution

  // --- Codes, functions and flags ---
  // Function nibbles: code 2k+1 in the low nibbles, code 2k+2 in the high
  // nibbles of the four bytes at functionLetters + 4k (function 1 first).
  Offset functionLetters = kNoSlot;
  // Code-type bit pairs. A-C: codes 1-4 at bits 3-0 of codeTypeFirst and
  // codeTypeSecond, codes 5-6 in codeTypeCodes56. D-F: two bytes each, code
  // k (1-8) at bit 8-k of the second byte, code k (9-16) at bit 16-k of the first.
  Offset codeTypeFirst = kNoSlot;
  Offset codeTypeSecond = kNoSlot;
  Offset codeTypeCodes56 = kNoSlot;  // bits 3/1 code 5, bits 2/0 code 6 (six-code models)
  Offset zoom = kNoSlot;             // A-C: bit 7 (0x2C four-code, 0x30 six-code); D-F: 0x3C bit 0
  Offset priorityCodes12 = kNoSlot;  // bits 0-3 first code's functions 1-4, bits 4-7 second code
  Offset priorityCodes34 = kNoSlot;
  Offset priorityCodes56 = kNoSlot;
  // History flags, same nibble order; A-C: two bytes (codes 3-4, then 1-2),
  // D-F: four bytes (codes 1-2, 3-4, 5-6, 7-8).
  Offset history = kNoSlot;
  Offset codeSlots = kNoSlot;          // A-C: six narrow 3-byte slots; D-F: 32 wide slots
  Offset dataInversion = kNoSlot;      // A-C: bit 4, bits 7-6 P2; D-F: bit 1 (third byte of slot 7)
  Offset codingFormat = kNoSlot;       // A-C: bits 7-5 format, 4-0 empty flags 2-6; D-F: bits 1-0
  Offset emptyFlagCode1 = kNoSlot;     // A-C: bit 0 empty flag of code 1; bits 7-4 P1
  Offset receiverP3 = kNoSlot;         // A-C: bits 7-2
  Offset secondCodeSlots = kNoSlot;    // C: sixteen wide slots (codes 1-6 again)
  Offset largeCodingFormat = kNoSlot;  // C: bits 1-0

  // --- Frequency synthesizer ---
  Offset synthN = kNoSlot;        // 3 bytes
  Offset synthR = kNoSlot;        // 3 bytes
  Offset synthByte = kNoSlot;     // IF code, channel step, multiplier - 1
  Offset oscillator = kNoSlot;    // reference, PLL type, two flags, rounding
  Offset iconContrast = kNoSlot;  // bits 1-0, inverted
  Offset secondSynthN = kNoSlot;  // E, F
  Offset secondSynthR = kNoSlot;  // E, F

  // --- Raw and kept blocks ---
  Offset block21 = kNoSlot;          // 21 bytes kept in the settings
  Offset keptByte2FF = kNoSlot;      // kept in the settings (default 9)
  Offset block222 = kNoSlot;         // 222 bytes kept in the settings
  Offset firmwareBlock = kNoSlot;    // 50 bytes: model code + firmware pattern
  Offset promptBlock = kNoSlot;      // compressed prompt block
  std::uint16_t promptCapacity = 0;  // its capacity in bytes (474 for model ' ' with "R0102")
  // Model '#': two fixed 18-byte prompts, two 2-byte values, raw blocks.
  Offset rawPowerUpPrompt = kNoSlot;
  Offset rawDisablePrompt = kNoSlot;
  Offset rawValue1 = kNoSlot;
  Offset rawValue2 = kNoSlot;
  Offset rawBlock320 = kNoSlot;
  Offset rawBlock64 = kNoSlot;
  Offset rawBlock32 = kNoSlot;

  // --- Families C-F: 2 KB layout fields ---
  Offset lcdAdjust1 = kNoSlot;
  Offset lcdAdjust2 = kNoSlot;
  Offset toneOnlySupport = kNoSlot;  // bit 7
  // Decoder parameter area: six 16-bit bit numbers, then one byte each for
  // preamble error bits, sync-codeword error bits, first and second
  // non-sync lost, message error codewords.
  Offset decoderBitNumbers = kNoSlot;
  Offset preambleErrorBits = kNoSlot;
  Offset syncCodewordErrorBits = kNoSlot;
  Offset firstNonSyncLost = kNoSlot;
  Offset secondNonSyncLost = kNoSlot;
  Offset messageErrorCodewords = kNoSlot;

  // --- Families D-F ---
  Offset decoderOptions = kNoSlot;  // 0x16: bits 7-6 and 5-4, two 2-bit settings
  Offset hardwareOptions =
      kNoSlot;  // 0x3C: variant, turn-on, time format, duty, default zoom, zoom
  Offset dutyOptions =
      kNoSlot;  // 0xEB: bit 7 dual menu (E, F), bit 2 duty source, bit 0 new alert menu
  Offset alertTable = kNoSlot;         // 64 x 2 bytes per function
  Offset defaultReminder = kNoSlot;    // 2 bytes
  Offset slot11Flags = kNoSlot;        // bits 1-0 (third byte of code slot 11)
  Offset slot12Flags = kNoSlot;        // bits 1-0 (third byte of code slot 12)
  Offset dualFreqSupport = kNoSlot;    // E, F: bit 0 (third byte of code slot 17)
  Offset userKeys = kNoSlot;           // F: 2 bytes, byte +1 high
  Offset userTimeout = kNoSlot;        // F: 2 bytes, byte +1 high
  Offset userPasswordFlags = kNoSlot;  // F: keys - 2, level, enable, three flags

  // --- Prompts stored as text (byte 0x79 bit 1 set) ---
  // One fixed-width field per prompt the family stores (sources included);
  // width 0 = none. For families D-F these form the second slot set.
  std::array<PromptTextSlot, text::kPromptCount> promptText{};

  const PromptTextSlot& prompt(text::PromptId id) const {
    return promptText[static_cast<std::size_t>(id)];
  }
};

// The slot table of one family.
const FieldOffsetTable& offsetTableFor(models::Family family);

// Loads the slots of the model's family into table; a code outside the
// tables leaves the table unchanged and returns false.
bool loadOffsetTables(FieldOffsetTable& table, models::ModelCode model);

}  // namespace zelta::codeplug
