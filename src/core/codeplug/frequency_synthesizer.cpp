#include "codeplug/frequency_synthesizer.h"

#include <algorithm>
#include <cstdlib>

namespace zelta::codeplug {
namespace {

constexpr std::array<Hertz, 8> kIfByCode{17'900'000, 21'400'000, 21'700'000, 14'575'000,
                                         45'000'000, 17'900'000, 17'900'000, 17'900'000};
constexpr std::array<Hertz, 4> kStepByCode{2'500, 6'250, 7'500, 12'500};
constexpr std::array<Hertz, 4> kReferenceByCode{12'800'000, 20'950'000, 16'800'000, 22'275'000};

template <typename Array>
std::uint8_t codeOf(const Array& values, Hertz value) {
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (values[i] == value) return static_cast<std::uint8_t>(i);
  }
  return 0;
}

SynthesizerWord wordOf(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value)};
}

std::uint32_t valueOf(const SynthesizerWord& w) {
  return (std::uint32_t{w[0]} << 16) | (std::uint32_t{w[1]} << 8) | w[2];
}

// The receivers by PLL type and band, as the two bytes the builder writes.
// Types 0 and 2 share the rows of type 0.
struct DefaultsRow {
  int pllType;
  unsigned bands;  // bit b set: band b
  std::uint8_t synthesizerByte;
  std::uint8_t oscillatorByte;
};

constexpr unsigned kVhf = 0x0F;      // bands 0-3
constexpr unsigned kUhf = 0xB0;      // bands 4, 5, 7
constexpr unsigned kBand900 = 0x40;  // band 6
constexpr unsigned kAllBut900 = kVhf | kUhf;

constexpr std::array<DefaultsRow, 8> kDefaults{{
    {kPllHi8107, kVhf, 0x39, 0x42},
    {kPllHi8107, kUhf, 0x3B, 0x42},
    {kPllHi8107, kBand900, 0x9B, 0x22},
    {kPllMb15e03, kAllBut900, 0x20, 0x52},
    {kPllMb15e03, kBand900, 0x88, 0x12},
    {kPllFs8107, kVhf, 0x28, 0x72},
    {kPllFs8107, kUhf, 0x3B, 0x72},
    {kPllFs8107, kBand900, 0x9D, 0x32},
}};

// Floor division for possibly negative numerators.
constexpr std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}
constexpr std::int64_t ceilDiv(std::int64_t a, std::int64_t b) {
  return -floorDiv(-a, b);
}

// One candidate reference divider, in exact arithmetic. With K = multiplier *
// reference and D = prescaler * r, the comparison step is O = K / D, the main
// divider N = round((F + H) / O) and the synthesized carrier S = O * N - H;
// error = S - F = errorTimesD / D.
struct Candidate {
  std::uint32_t r = 0;
  std::uint32_t n = 0;
  std::int64_t errorTimesD = 0;
  std::int64_t d = 1;

  bool errorBelow(std::int64_t hz) const { return std::llabs(errorTimesD) < hz * d; }
  bool errorAtMost(std::int64_t hz) const { return std::llabs(errorTimesD) <= hz * d; }
  // Whether S, for the target frequency F, is exactly hz.
  bool carrierIs(Hertz target, Hertz hz) const { return (hz - target) * d == errorTimesD; }
};

struct SearchFrame {
  Hertz frequency;  // F
  Hertz offset;     // H: +IF on side 2, -IF otherwise
  std::int64_t k;   // multiplier * reference
  std::int64_t prescaler;
};

Candidate tryDivider(const SearchFrame& frame, std::int64_t r) {
  Candidate c;
  c.r = static_cast<std::uint32_t>(r);
  c.d = frame.prescaler * r;
  const std::int64_t carrier = frame.frequency + frame.offset;                // F + H
  const std::int64_t n = floorDiv(2 * carrier * c.d + frame.k, 2 * frame.k);  // half up
  c.n = static_cast<std::uint32_t>(n);
  c.errorTimesD = frame.k * n - carrier * c.d;
  return c;
}

// Reference dividers whose step frame.k / (prescaler * r) lies in a window of
// comparison frequencies, from the widest step down.
std::int64_t firstDivider(const SearchFrame& frame, Hertz widestStep) {
  return std::max<std::int64_t>(1, frame.k / (frame.prescaler * widestStep));
}
std::int64_t lastDivider(const SearchFrame& frame, Hertz narrowestStep) {
  return ceilDiv(frame.k, frame.prescaler * narrowestStep);
}

SynthesizerParameters withResult(SynthesizerParameters parameters, const Candidate& c) {
  parameters.n = c.n;
  parameters.r = c.r;
  parameters.roundingFlags =
      static_cast<std::uint8_t>((c.errorTimesD == 0 ? 2 : 0) | (c.errorTimesD > 0 ? 1 : 0));
  return parameters;
}

std::optional<Candidate> searchGeneral(const SearchFrame& frame, bool fineSteps) {
  // Comparison windows: first pass from o down to r, second from r to t.
  const Hertz o = fineSteps ? 6'250 : 12'500;
  const Hertz r = fineSteps ? 5'000 : 10'000;
  const Hertz t = fineSteps ? 4'000 : 8'000;

  for (std::int64_t div = firstDivider(frame, o); div <= lastDivider(frame, r); ++div) {
    const Candidate c = tryDivider(frame, div);
    if (c.errorBelow(99)) return c;
  }

  // Closest within 500 Hz; a later divider must be more than 1 Hz better,
  // and the first one under 499 Hz.
  std::optional<Candidate> best;
  std::int64_t bestTimesD = 500;  // best error = bestTimesD / bestD
  std::int64_t bestD = 1;
  for (std::int64_t div = firstDivider(frame, r); div <= lastDivider(frame, t); ++div) {
    const Candidate c = tryDivider(frame, div);
    if (!c.errorAtMost(500)) continue;
    // |error| < best - 1, cross-multiplied
    if (std::llabs(c.errorTimesD) * bestD < (bestTimesD - bestD) * c.d) {
      best = c;
      bestTimesD = std::llabs(c.errorTimesD);
      bestD = c.d;
    }
  }
  return best;
}

std::optional<Candidate> searchMb15e03(const SearchFrame& frame, int band) {
  const Hertz s1 = band == 6 ? 5'000 : 2'500;
  const Hertz s2 = band == 6 ? 6'250 : 3'125;

  // The first candidate is refused where it lands exactly on one of these.
  const auto onSpur = [](const Candidate& c, Hertz f) {
    for (Hertz spur : {929'500'000, 930'500'000, 931'500'000}) {
      if (c.carrierIs(f, spur)) return true;
    }
    return false;
  };

  const Candidate first = tryDivider(frame, ceilDiv(frame.k, frame.prescaler * s1));
  if (first.errorBelow(499) && !onSpur(first, frame.frequency)) return first;

  const std::int64_t div = frame.k / (frame.prescaler * s2);
  if (div < 1) return std::nullopt;
  const Candidate second = tryDivider(frame, div);
  if (second.errorBelow(499)) return second;
  return std::nullopt;
}

}  // namespace

SynthesizerParameters decodeSynthesizerBytes(std::uint8_t synthesizer, std::uint8_t oscillator) {
  SynthesizerParameters p;
  p.ifHz = kIfByCode[synthesizer >> 5];
  p.channelStepHz = kStepByCode[(synthesizer >> 3) & 3];
  p.multiplier = (synthesizer & 7) + 1;
  p.referenceHz = kReferenceByCode[oscillator >> 6];
  p.pllType = (oscillator >> 4) & 3;
  p.roundingFlags = oscillator & 3;
  return p;
}

std::uint8_t synthesizerByte(const SynthesizerParameters& p) {
  return static_cast<std::uint8_t>((codeOf(kIfByCode, p.ifHz) << 5) |
                                   (codeOf(kStepByCode, p.channelStepHz) << 3) |
                                   ((p.multiplier - 1) & 7));
}

std::uint8_t oscillatorByte(const SynthesizerParameters& p, std::uint8_t keptBits) {
  return static_cast<std::uint8_t>((codeOf(kReferenceByCode, p.referenceHz) << 6) |
                                   ((p.pllType & 3) << 4) | (keptBits & 0x0C) |
                                   (p.roundingFlags & 3));
}

std::uint8_t injectionSideBits(int injectionSide) {
  return injectionSide == 2 ? 2 : 1;
}

int injectionSideOf(std::uint8_t injectionByte) {
  const int side = injectionByte & 3;
  return side == 3 ? 0 : side;
}

int referencePrescaler(int pllType) {
  switch (pllType) {
    case kPllMb15e03: return 1;
    case kPllNpc5170: return 4;
    default: return 8;
  }
}

SynthesizerWord nWord(int pllType, std::uint32_t n) {
  return wordOf(pllType == kPllNpc5170 ? n * 128 : n * 2);
}

SynthesizerWord rWord(int pllType, std::uint32_t r) {
  switch (pllType) {
    case kPllMb15e03: return wordOf(r * 2 + 65'537);
    case kPllNpc5170: return wordOf(r * 256 + 0x11);
    default: return wordOf(r * 16 + 1);
  }
}

std::uint32_t nOfWord(int pllType, const SynthesizerWord& word) {
  return valueOf(word) >> (pllType == kPllNpc5170 ? 7 : 1);
}

std::uint32_t rOfWord(int pllType, const SynthesizerWord& word) {
  const std::uint32_t value = valueOf(word);
  switch (pllType) {
    // Words below the fixed 65537 carry no divider: read them as 0 (no frequency).
    case kPllMb15e03: return value < 65'537 ? 0 : (value - 65'537) >> 1;
    case kPllNpc5170: return value >> 8;
    default: return value >> 4;
  }
}

std::optional<SynthesizerParameters> synthesizerDefaults(int pllType, int band) {
  if (band < 0 || band >= kBandCount) return std::nullopt;
  const int rowType = pllType == kPllNpc5170 ? kPllHi8107 : pllType;
  for (const DefaultsRow& row : kDefaults) {
    if (row.pllType == rowType && (row.bands >> band) & 1U) {
      SynthesizerParameters p = decodeSynthesizerBytes(row.synthesizerByte, row.oscillatorByte);
      p.injectionSide = band == 0 ? 2 : 0;
      return p;
    }
  }
  return std::nullopt;
}

std::optional<SynthesizerParameters> synthesizeFrequency(Hertz hz, int pllType, int band,
                                                         FrequencyRole role) {
  const std::optional<SynthesizerParameters> defaults = synthesizerDefaults(pllType, band);
  if (!defaults) return std::nullopt;
  SynthesizerParameters p = *defaults;

  // The high VHF receiver runs its synthesizer above the carrier, whatever
  // band the codeplug names.
  const Hertz mhz = hz / 1'000'000;
  if (role == FrequencyRole::Primary && mhz >= 137 && mhz <= 142) p.injectionSide = 2;

  const bool mb15e03 = p.pllType == kPllMb15e03;
  if (hz <= 0 || hz % (mb15e03 ? 2'500 : 1'250) != 0) return std::nullopt;

  const SearchFrame frame{hz, p.injectionSide == 2 ? p.ifHz : -p.ifHz,
                          static_cast<std::int64_t>(p.multiplier) * p.referenceHz,
                          referencePrescaler(p.pllType)};
  const std::optional<Candidate> found =
      mb15e03 ? searchMb15e03(frame, band)
              : searchGeneral(frame, p.pllType == kPllFs8107 && band <= 3);
  if (!found) return std::nullopt;
  return withResult(p, *found);
}

SynthesisResult checkSynthesizable(const FrequencySettings& settings, errors::Reporter& reporter) {
  SynthesisResult result;
  const auto primary = synthesizeFrequency(settings.primaryHz, settings.pllType, settings.band,
                                           FrequencyRole::Primary);
  std::optional<SynthesizerParameters> second;
  const bool dual = models::modelIn(settings.model, models::ModelGroup::dualOrF);
  if (dual) {
    second = synthesizeFrequency(settings.secondHz, settings.pllType, settings.band,
                                 FrequencyRole::Second);
  }
  if (!primary || (dual && !second)) {
    reporter.ReportCode(errors::code::NotSynthesizable);
    return result;
  }
  result.code = errors::code::Ok;
  result.primary = *primary;
  if (second) result.second = *second;
  return result;
}

SynthesizerBlock synthesizerBlock(const SynthesizerParameters& p, std::uint8_t keptOscillatorBits) {
  SynthesizerBlock block;
  block.nWord = nWord(p.pllType, p.n);
  block.rWord = rWord(p.pllType, p.r);
  block.synthesizerByte = synthesizerByte(p);
  block.oscillatorByte = oscillatorByte(p, keptOscillatorBits);
  block.injectionByte = injectionSideBits(p.injectionSide);
  return block;
}

ReceivedFrequency receiveFrequency(const SynthesizerBlock& block) {
  ReceivedFrequency received;
  if (block.synthesizerByte == 0) return received;

  SynthesizerParameters p = decodeSynthesizerBytes(block.synthesizerByte, block.oscillatorByte);
  p.n = nOfWord(p.pllType, block.nWord);
  p.r = rOfWord(p.pllType, block.rWord);
  p.injectionSide = injectionSideOf(block.injectionByte);
  received.parameters = p;

  const std::int64_t d = std::int64_t{referencePrescaler(p.pllType)} * p.r;
  if (d == 0) return received;

  // f = num / d exactly: the synthesizer output, then the IF taken off
  // (side 2) or added.
  const std::int64_t synthesized = std::int64_t{p.n} * p.multiplier * p.referenceHz;
  std::int64_t num = synthesized + (p.injectionSide == 2 ? -p.ifHz : p.ifHz) * d;

  // An inexact synthesizer is corrected by the pager to the 100 Hz step on the
  // side the search recorded.
  if ((p.roundingFlags & 2) == 0) {
    const std::int64_t u = ((floorDiv(num, d) % 100) + 100) % 100;
    num += ((p.roundingFlags & 1) ? -u : 100 - u) * d;
  }
  received.hz = floorDiv(2 * num + d, 2 * d);
  // Nearest channel. The search accepts up to 499 Hz either side, so a
  // one-sided snap (250 Hz below to 1000 Hz above) would show a frequency the
  // synthesizer put 250-499 Hz low as the channel below it.
  received.channelHz = floorDiv(received.hz + 625, 1'250) * 1'250;
  return received;
}

}  // namespace zelta::codeplug
