// The decoders of families A, B and C, the old-format conversion and the
// dispatch by command.

#include <algorithm>
#include <cstdio>
#include <utility>

#include "codeplug/codeplug_version.h"
#include "codeplug/common_fields.h"
#include "codeplug/decoders.h"
#include "codeplug/defaults.h"
#include "codeplug/field_encodings.h"
#include "codeplug/frequency_band.h"
#include "codeplug/frequency_synthesizer.h"
#include "codeplug/option_fields.h"

namespace zelta::codeplug {
namespace {

using models::kModelBang;
using models::kModelHash;
using models::kModelSpace;

// The contrast texts of a codeplug that had none.
const std::string kDefaultTextContrast = "009";
const std::string kDefaultIconContrast = "3";

// The bytes of the old image taken over to the start of the image.
constexpr std::size_t kOldHeaderBytes = 236;

int codesOf(models::ModelCode model) {
  const auto info = models::findModel(model);
  return info ? info->codes : 4;
}

template <std::size_t N>
void readBlock(ConstImageView b, std::size_t at, std::array<std::uint8_t, N>& out) {
  const auto run = b.bytesAt(at, N);
  std::copy(run.begin(), run.end(), out.begin());
}

// Function letters after the codes: an empty code shows "TNAA", except on
// model '#', whose codes are numeric and ideographic.
std::string functionLettersOf(ConstImageView b, const FieldOffsetTable& t, models::ModelCode model,
                              int code, std::string_view codeSetting) {
  if (!isEmptyCode(codeSetting)) return readFunctionLetters(b, t.functionLetters, code);
  if (model == kModelHash) return code == 2 ? "IIII" : "NIII";
  return "TNAA";
}

// Code types, priority and history letters of the narrow-code families.
void decodeCodeFlags(ConstImageView b, const FieldOffsetTable& t, models::ModelCode model,
                     int codes, SettingsRecord& s) {
  for (int c = 1; c <= codes; ++c) {
    const auto i = static_cast<std::size_t>(c - 1);
    s.function[i] = functionLettersOf(b, t, model, c, s.code[i]);
    if (const auto at = priorityPosition(t, c)) s.priority[i] = readFlagLetters(b, *at);
    if (const auto at = codeTypePosition(t, c))
      s.codeType[i] = isEmptyCode(s.code[i]) ? 0 : readCodeType(b, *at);
    if (model != kModelSpace && model != kModelHash) {
      if (const auto at = historyPosition(t, c)) s.history[i] = readFlagLetters(b, *at);
    }
  }
}

// Model '#' keeps its prompts as raw blocks.
void decodeRawPromptBlocks(ConstImageView b, const FieldOffsetTable& t, SettingsRecord& s) {
  readBlock(b, t.rawPowerUpPrompt, s.kept.rawPowerUpPrompt);
  readBlock(b, t.rawDisablePrompt, s.kept.rawDisablePrompt);
  s.kept.rawValue1 = b.word16(t.rawValue1);
  s.kept.rawValue2 = b.word16(t.rawValue2);
  readBlock(b, t.rawBlock320, s.kept.rawBlock320);
  readBlock(b, t.rawBlock64, s.kept.rawBlock64);
  readBlock(b, t.rawBlock32, s.kept.rawBlock32);
}

// --- Old format ---
//
// Codes sit bit-reversed at 0x18, 0x1B, 0x1E, 0x21; the frequency is a plain
// number of 100 Hz steps at 0x49; 0x13 bit 3 clear is data inversion, bits
// 1-0 the coding format (bit 1 2400, else bit 0 1200, else 512).
constexpr Offset kOldCodes = 0x18;
constexpr Offset kOldFrequency = 0x49;
constexpr Offset kOldFormatByte = 0x13;
constexpr std::uint32_t kOldEmptyCode = 0x0000F0;

std::uint8_t reversedBits(std::uint8_t v) {
  std::uint8_t r = 0;
  for (int k = 0; k < 8; ++k) r = static_cast<std::uint8_t>(r | (((v >> k) & 1U) << (7 - k)));
  return r;
}

std::string oldCodeText(ConstImageView b, std::size_t slot) {
  // Bit 7 of the third byte set also marks a slot without code: no address
  // the old pagers store reaches it.
  if (b.word24(slot) == kOldEmptyCode || b.bit(slot + 2, 7)) return std::string(kEmptyCode);
  const std::uint32_t x = (std::uint32_t{reversedBits(b.byte(slot))} << 16) |
                          (std::uint32_t{reversedBits(b.byte(slot + 1))} << 8) |
                          reversedBits(b.byte(slot + 2));
  return codeText(((x & 0x7FFFE0U) >> 2) | b.bits(slot + 2, 7, 4));
}

// The synthesizer an old pager has for its band: bytes 0x31F and 0x320.
struct OldSynthesizer {
  std::uint8_t synthesizerByte;
  std::uint8_t oscillatorByte;
};
std::optional<OldSynthesizer> oldSynthesizerFor(int band) {
  if (band >= 0 && band <= 3) return OldSynthesizer{0x39, 0x41};  // 20.95 MHz, HI8107, x2
  if (band == 4 || band == 5) return OldSynthesizer{0x3B, 0x41};  // 20.95 MHz, HI8107, x4
  if (band == 6) return OldSynthesizer{0x9B, 0x21};  // 12.8 MHz, NPC5170, x4, 45 MHz IF
  return std::nullopt;
}

}  // namespace

errors::ResultCode decodeMain(CodeplugImage& image, SettingsRecord& s,
                              const DecodeContext& context) {
  const ConstImageView b = std::as_const(image).current();
  const FieldOffsetTable& t = familySlots(image);
  const models::ModelCode model = image.modelCode();
  const DecodeSource source{b, t, model, image.header(), context.pagerUnprogrammed};

  if (const errors::ResultCode version = decodeCodeplugVersion(b, s); version != errors::code::Ok) {
    return version;
  }

  decodeHeaderFields(source, s);
  s.dataInversion = b.bit(t.dataInversion, 4) ? 1 : 0;
  setCodingFormat(s, b.bit(t.codingFormat, 7) ? 2 : b.bit(t.codingFormat, 6) ? 1 : 0);

  const int codes = codesOf(model);
  for (int c = 1; c <= codes; ++c) {
    const std::size_t slot = narrowCodeSlot(t.codeSlots, c);
    const bool empty = narrowCodeEmptyFlag(b, t, c) || narrowCodeReadsEmpty(b, slot, c);
    s.code[static_cast<std::size_t>(c - 1)] =
        empty ? std::string(kEmptyCode) : codeText(narrowCodeAddress(b, slot));
  }
  decodeReceiveFrequency(source, s, 4);
  decodeOptionFields(source, s);
  decodeCodeFlags(b, t, model, codes, s);
  if (model == kModelHash) {
    decodeRawPromptBlocks(b, t, s);
  } else {
    decodePrompts(source, s, text::promptListFor(model, context.converterTarget));
  }

  readBlock(b, t.block21, s.kept.block21);
  readBlock(b, t.block222, s.kept.block222);
  s.tuningBytes[0] = b.byte(t.keptByte2FF);
  readOptionFields(kMainFamilyFields, b, t, model, s);
  decodeBand(source, s);
  return errors::code::Ok;
}

errors::ResultCode decodeLargeImage(CodeplugImage& image, SettingsRecord& s, const DecodeContext&) {
  const ConstImageView b = std::as_const(image).current();
  const FieldOffsetTable& t = familySlots(image);
  constexpr int kSecondTableSlots = 16;
  const int codes = codesOf(image.modelCode());
  // Slots beyond the model's codes hold nothing a page shows.
  for (int slot = 1; slot <= std::min(codes, kSecondTableSlots); ++slot) {
    const auto address = wideCodeAddress(b, wideCodeSlot(t.secondCodeSlots, slot));
    s.code[static_cast<std::size_t>(slot - 1)] =
        address ? std::to_string(*address) : std::string(kEmptyCode);
  }
  s.toneOnlySupport = b.bit(t.toneOnlySupport, 7) ? 1 : 0;
  return errors::code::Ok;
}

errors::ResultCode convertOldFormat(CodeplugImage& image, SettingsRecord& s,
                                    const DecodeContext& context) {
  const models::ModelCode model = image.modelCode();
  const FieldOffsetTable& t = offsetTableFor(models::Family::A);
  const ConstImageView old = std::as_const(image).oldFormat();
  const ImageView current = image.current();

  // The image becomes the old header followed by nothing of any earlier
  // codeplug: the builder fills the family A layout behind it.
  s.hardwareVariant = 0;
  current.fill(0, CodeplugImage::kCurrentSize, 0);
  std::copy_n(old.span().begin(), kOldHeaderBytes, current.span().begin());

  const DecodeSource source{old, t, model, image.header(), context.pagerUnprogrammed};
  decodeHeaderFields(source, s);
  s.kept.synthesizerFlag = false;
  s.dataInversion = old.bit(kOldFormatByte, 3) ? 0 : 1;
  setCodingFormat(s, old.bit(kOldFormatByte, 1) ? 2 : old.bit(kOldFormatByte, 0) ? 1 : 0);
  constexpr int kOldCodeCount = 4;
  for (int c = 1; c <= kOldCodeCount; ++c) {
    s.code[static_cast<std::size_t>(c - 1)] =
        oldCodeText(old, kOldCodes + 3U * static_cast<std::size_t>(c - 1));
  }

  const std::uint32_t steps = old.word24(kOldFrequency) % 10'000'000U;
  s.receiveFrequencyHz = Hertz{steps} * 100;
  s.frequency = frequencyTextOf(s.receiveFrequencyHz, 4);

  decodeOptionFields(source, s);
  decodeCodeFlags(old, t, model, kOldCodeCount, s);
  if (model == kModelHash) {
    decodeRawPromptBlocks(old, t, s);
  } else {
    decodePrompts(source, s, text::promptListFor(model, context.converterTarget));
  }
  s.tuningBytes[0] = old.byte(t.keptByte2FF);
  s.bandFieldMark = false;
  s.nwBand = old.bit(t.band, 7) ? 1 : 0;

  // Re-laid as a family A model '1'.
  current.setByte(t.modelByte, '1');
  s.zoom = 1;
  s.prompts[text::PromptId::zoomInPrompt] = text::Prompt{text::PromptText("ZOOM IN"), false};
  s.prompts[text::PromptId::zoomOutPrompt] = text::Prompt{text::PromptText("ZOOM OUT"), false};
  s.textContrast = kDefaultTextContrast;
  s.iconContrast = kDefaultIconContrast;

  const int band = bandOfFrequency(s.receiveFrequencyHz);
  const auto synthesizer = oldSynthesizerFor(band);
  if (!synthesizer) return errors::code::NotSynthesizable;
  s.freqBand = band;
  current.setByte(t.synthByte, synthesizer->synthesizerByte);
  current.setByte(t.oscillator, synthesizer->oscillatorByte);
  s.receiver = decodeSynthesizerBytes(synthesizer->synthesizerByte, synthesizer->oscillatorByte);
  s.receiver.injectionSide = band == 0 ? 2 : 0;
  s.PLL_Type = s.receiver.pllType;
  s.kept.oscillatorFlags32 = 0;

  s.kept.block21.fill(0xF3);
  s.kept.block222.fill(0);
  return errors::code::Ok;
}

namespace {

enum class Route { DefaultsOnly, Main, MainThenLarge, DFamily, OldFormat };

Route routeFor(DecodeCommand command, const CodeplugImage& image, const DecodeContext& context) {
  const models::ModelCode model = image.modelCode();
  if (model == models::kNoModel) return Route::DefaultsOnly;
  if (models::modelIn(model, models::ModelGroup::dFamily)) return Route::DFamily;
  if (models::modelIn(model, models::ModelGroup::largeQModels)) return Route::MainThenLarge;
  if (model == kModelBang) {
    const bool oneKb = command == DecodeCommand::ReadPager ? !context.oldGenerationPager
                                                           : image.current().byte(1) == kModelBang;
    return oneKb ? Route::Main : Route::OldFormat;
  }
  // '6' is a family A model wherever it comes from: the file reader puts its
  // 1 KB image at the image start like the other family A models.
  const auto info = models::findModel(model);
  if (info && info->family != models::Family::OldFormat) return Route::Main;
  return Route::OldFormat;  // ' ' '"' '#', 0xCC and codes no model has
}

}  // namespace

bool decodeReadsBuiltImage(DecodeCommand command, const CodeplugImage& image,
                           const DecodeContext& context) {
  return routeFor(command, image, context) != Route::OldFormat;
}

errors::ResultCode decodeImage(DecodeCommand command, CodeplugImage& image,
                               SettingsRecord& settings, const DecodeContext& context) {
  const models::ModelCode model = image.modelCode();
  image.setModel(model);
  resetToDefaults(settings, image, context.converterTarget);

  errors::ResultCode result = errors::code::Ok;
  switch (routeFor(command, image, context)) {
    case Route::DefaultsOnly: return errors::code::Ok;
    case Route::Main: result = decodeMain(image, settings, context); break;
    case Route::MainThenLarge:
      result = decodeMain(image, settings, context);
      if (result == errors::code::Ok) decodeLargeImage(image, settings, context);
      break;
    case Route::DFamily: result = decodeDFamily(image, settings, context); break;
    case Route::OldFormat:
      if (command == DecodeCommand::ReadPager && context.reporter != nullptr) {
        context.reporter->ReportCode(errors::code::ConvertingFormat);
      }
      result = convertOldFormat(image, settings, context);
      break;
  }
  if (result != errors::code::Ok) {
    // The -107 message names the version that was found.
    const std::string version = settings.codeplugVersionText;
    resetToDefaults(settings, image, context.converterTarget);
    settings.codeplugVersionText = version;
    return result;
  }
  emptySingleSpaceTexts(settings);
  return errors::code::Ok;
}

}  // namespace zelta::codeplug
