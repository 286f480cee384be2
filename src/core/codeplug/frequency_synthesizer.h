#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "codeplug/frequency_band.h"
#include "errors/reporter.h"
#include "errors/result_code.h"

namespace zelta::codeplug {

// The pager's PLL circuit (`cb_PLL_Type`, bits 5-4 of the oscillator byte).
inline constexpr int kPllHi8107 = 0;
inline constexpr int kPllMb15e03 = 1;
inline constexpr int kPllNpc5170 = 2;
inline constexpr int kPllFs8107 = 3;

// The receiver values of one receive frequency, as the settings keep them for
// the primary and for the second frequency.
//
// The synthesizer runs at F + IF (injection side 2, above the carrier) or at
// F - IF (the other sides), and produces
//     n * multiplier * reference / (prescaler * r)
// where the prescaler is fixed by the PLL type (8, 1, 4, 8 for types 0-3).
struct SynthesizerParameters {
  Hertz referenceHz = 20'950'000;
  Hertz ifHz = 21'400'000;
  Hertz channelStepHz = 12'500;
  int multiplier = 2;
  int injectionSide = 0;  // 2: synthesizer above the carrier
  int pllType = kPllHi8107;
  std::uint32_t n = 0;  // main divider
  std::uint32_t r = 0;  // reference divider, before the PLL's own prescaler
  // Bits 1-0 of the oscillator byte. The search sets bit 1 when the
  // synthesizer hits the frequency exactly and bit 0 when it lands above it;
  // an inexact frequency makes the pager round to 100 Hz, down for bit 0 set.
  std::uint8_t roundingFlags = 0;

  bool operator==(const SynthesizerParameters&) const = default;
};

// Three bytes, big-endian, as the image holds the N and R words.
using SynthesizerWord = std::array<std::uint8_t, 3>;

//  Synthesizer byte (0x31F / 0x71F)          Oscillator byte (0x320 / 0x720)
//  7   5 4   3 2        0                    7    6 5   4 3    2 1   0
//  | IF | step | mult-1 |                    | ref | PLL | kept | rounding |
//  IF   000 17.9  001 21.4  010 21.7         ref 00 12.8  01 20.95
//       011 14.575  100 45 MHz                   10 16.8  11 22.275 MHz
//  step 00 2500  01 6250  10 7500  11 12500 Hz
// A synthesizer byte of 0 means that no frequency is programmed.
SynthesizerParameters decodeSynthesizerBytes(std::uint8_t synthesizerByte,
                                             std::uint8_t oscillatorByte);
std::uint8_t synthesizerByte(const SynthesizerParameters& parameters);
// keptBits supplies bits 3-2 (the two flags the settings carry through).
std::uint8_t oscillatorByte(const SynthesizerParameters& parameters, std::uint8_t keptBits);

// Bits 1-0 of byte 0x99: written 2 for side 2 and 1 otherwise; read 3 as 0.
std::uint8_t injectionSideBits(int injectionSide);
int injectionSideOf(std::uint8_t injectionByte);

// The reference prescaler of a PLL type (the "divisor" of the search).
int referencePrescaler(int pllType);

// The N and R words by PLL type:
//   types 0, 3   N word 2n       R word 16r + 1
//   type 1       N word 2n       R word 2r + 65537
//   type 2       N word 128n     R word 256r + 0x11
SynthesizerWord nWord(int pllType, std::uint32_t n);
SynthesizerWord rWord(int pllType, std::uint32_t r);
std::uint32_t nOfWord(int pllType, const SynthesizerWord& word);
std::uint32_t rOfWord(int pllType, const SynthesizerWord& word);

// The receiver a PLL type has in a band, nullopt for an unknown type or band.
// Types 0 and 2 share their rows: the 900 MHz band is always type 2, the
// others type 0. The injection side is 2 in band 0.
std::optional<SynthesizerParameters> synthesizerDefaults(int pllType, int band);

enum class FrequencyRole { Primary, Second };

// Divider values that put the synthesizer within tolerance of the frequency,
// starting from the defaults of the PLL type and band; nullopt when there are
// none (also for a frequency off the 1250 Hz grid, 2500 Hz for PLL type 1).
std::optional<SynthesizerParameters> synthesizeFrequency(
    Hertz hz, int pllType, int band, FrequencyRole role = FrequencyRole::Primary);

struct SynthesisResult {
  errors::ResultCode code = errors::code::NotSynthesizable;  // 1 or -36
  SynthesizerParameters primary;
  SynthesizerParameters second;  // filled for the dual-frequency and family-F models
};

// The divider values of the receive frequency, and of the second one on the
// dual-frequency and family-F models. Shows -36 when either cannot be made.
SynthesisResult checkSynthesizable(const FrequencySettings& settings, errors::Reporter& reporter);

// The synthesizer bytes of one receive frequency as the image holds them.
struct SynthesizerBlock {
  SynthesizerWord nWord{};
  SynthesizerWord rWord{};
  std::uint8_t synthesizerByte = 0;
  std::uint8_t oscillatorByte = 0;
  std::uint8_t injectionByte = 0;  // byte 0x99, bits 1-0
};

// The bytes the builder writes for a set of receiver values.
SynthesizerBlock synthesizerBlock(const SynthesizerParameters& parameters,
                                  std::uint8_t keptOscillatorBits = 0);

struct ReceivedFrequency {
  Hertz hz = 0;         // what the synthesizer bytes produce, kept in the settings
  Hertz channelHz = 0;  // the nearest 1250 Hz channel, shown on the page
  // The receiver values decoded on the way; none when no frequency is programmed.
  std::optional<SynthesizerParameters> parameters;
};

// The receive frequency of a synthesizer block: the inverse of
// synthesizeFrequency followed by synthesizerBlock.
ReceivedFrequency receiveFrequency(const SynthesizerBlock& block);

}  // namespace zelta::codeplug
