// The builders of families A, B and C and the build dispatch.

#include <algorithm>
#include <string_view>

#include "codeplug/builders.h"
#include "codeplug/common_fields.h"
#include "codeplug/defaults.h"
#include "codeplug/field_encodings.h"
#include "codeplug/firmware_blocks.h"
#include "codeplug/frequency_band.h"
#include "codeplug/frequency_synthesizer.h"
#include "codeplug/option_fields.h"
#include "text/prompt_block.h"

namespace zelta::codeplug {
using models::kModelBang;
namespace {

using models::kModelHash;
using models::kModelSpace;

bool hasFirmware(const BuildContext& context, std::string_view flag) {
  return context.firmware.find(flag) != std::string::npos;
}

models::ModelInfo infoOf(models::ModelCode model) {
  const auto info = models::findModel(model);
  if (info) return *info;
  // A code outside the registry has no firmware blocks and no spare fills.
  models::ModelInfo none{};
  none.code = model;
  return none;
}

// Whether the pager firmware selects the model's firmware block.
bool firmwareBlockSelected(const models::ModelInfo& info, const BuildContext& context) {
  return info.firmwareBlock != models::FirmwareBlock::None &&
         hasFirmware(context, models::firmwareText(info.firmwareBlock));
}

int codesOf(models::ModelCode model) {
  const auto info = models::findModel(model);
  return info ? info->codes : 4;
}

// Receiver parameters by coding format (512, 1200, 2400) and by whether the
// band starts at 929 MHz or above.
struct ReceiverParameters {
  int p1;
  int p2;
  int p3;
};
constexpr ReceiverParameters kBelow929[] = {{3, 0, 6}, {8, 1, 12}, {2, 1, 24}};
constexpr ReceiverParameters kFrom929[] = {{2, 1, 8}, {2, 1, 18}, {2, 1, 31}};

ReceiverParameters receiverParametersFor(int codingFormat, int band) {
  const auto row = static_cast<std::size_t>(std::clamp(codingFormat, 0, 2));
  const auto limits = bandAt(band);
  return limits && limits->firstMHz >= 929 ? kFrom929[row] : kBelow929[row];
}

// 0x313 bits 7-5 by coding format: 001 512, 010 1200, 111 2400.
constexpr unsigned kFormatBits313[] = {1, 2, 7};

// The code of a setting, none when empty (or not a valid address, which the
// code page checks keep out).
std::optional<std::uint32_t> addressOf(const std::string& code) {
  if (isEmptyCode(code)) return std::nullopt;
  return codeAddress(code);
}

// Codes 1-6, their empty flags, the frame bitmap and the function nibbles.
void buildCodes(ImageView b, const FieldOffsetTable& t, models::ModelCode model,
                const SettingsRecord& s) {
  constexpr int kSlots = 6;
  const int codes = codesOf(model);
  unsigned frames = 0;
  for (int c = 1; c <= kSlots; ++c) {
    const auto i = static_cast<std::size_t>(c - 1);
    const std::optional<std::uint32_t> address = c <= codes ? addressOf(s.code[i]) : std::nullopt;
    writeNarrowCode(b, narrowCodeSlot(t.codeSlots, c), c, address);
    setNarrowCodeEmptyFlag(b, t, c, !address);
    if (address) frames |= 1U << (*address % 8);
    if (c <= codes)
      writeFunctionLetters(b, t.functionLetters, c, address ? std::string_view(s.function[i]) : "");
  }
  b.setByte(t.frameBitmap, static_cast<std::uint8_t>(frames));
}

void buildCodeFlags(ImageView b, const FieldOffsetTable& t, models::ModelCode model,
                    const SettingsRecord& s) {
  const int codes = codesOf(model);
  for (int c = 1; c <= codes; ++c) {
    const auto i = static_cast<std::size_t>(c - 1);
    if (const auto at = priorityPosition(t, c)) writeFlagLetters(b, *at, s.priority[i]);
    if (const auto at = codeTypePosition(t, c))
      writeCodeType(b, *at, isEmptyCode(s.code[i]) ? 0 : s.codeType[i]);
    if (model != kModelSpace && model != kModelHash) {
      if (const auto at = historyPosition(t, c)) writeFlagLetters(b, *at, s.history[i]);
    }
  }
}

template <std::size_t N>
void writeBlock(ImageView b, std::size_t at, const std::array<std::uint8_t, N>& block) {
  copyBytes(b, at, block);
}

// Blocks the settings carry unchanged; the area fills and firmware blocks
// that follow overwrite parts of them (with a firmware that owns 0x2EA-0x2FF,
// the tuning byte 0x2FF among them).
void buildKeptBlocks(ImageView b, const FieldOffsetTable& t, models::ModelCode model,
                     const SettingsRecord& s) {
  writeBlock(b, t.block21, s.kept.block21);
  b.setByte(t.keptByte2FF, s.tuningBytes[0]);
  writeBlock(b, t.block222, s.kept.block222);
  if (model == kModelHash) {
    writeBlock(b, t.rawPowerUpPrompt, s.kept.rawPowerUpPrompt);
    writeBlock(b, t.rawDisablePrompt, s.kept.rawDisablePrompt);
    b.setWord16(t.rawValue1, s.kept.rawValue1);
    b.setWord16(t.rawValue2, s.kept.rawValue2);
    writeBlock(b, t.rawBlock320, s.kept.rawBlock320);
    writeBlock(b, t.rawBlock64, s.kept.rawBlock64);
    writeBlock(b, t.rawBlock32, s.kept.rawBlock32);
  }
}

// Areas the pager expects filled, by model and firmware.
void fillAreas(ImageView b, const FieldOffsetTable& t, models::ModelCode model,
               const BuildContext& context) {
  if (model == kModelSpace) {
    b.fill(0x14A, 21, 0xF3);
    b.fill(0xAF, 0xC9 - 0xAF, 0);
    b.fill(0x3C, 0x44 - 0x3C, 0);
    b.fill(0x2C6, 0x2EA - 0x2C6, 0);
  } else if (model == kModelHash) {
    b.setByte(0x2EA, 0xF3);
  } else {
    b.setByte(t.block21, 0xF3);
    b.fill(0xBB, 14, 0);
    b.fill(0xE7, 5, 0);
  }
  // Bits 2-1 of the third byte of code 2 (its fixed low value is 001).
  b.setBits(narrowCodeSlot(t.codeSlots, 2) + 2, 2, 1, 0);

  const models::SpareFill spareFill = infoOf(model).spareFill;
  if (spareFill == models::SpareFill::R0104 && hasFirmware(context, "R0104")) {
    b.fill(0x322, 0x400 - 0x322, 0xFF);
  }
  if (spareFill == models::SpareFill::R0105OrR06 &&
      (hasFirmware(context, "R0601") || hasFirmware(context, "R0602") ||
       hasFirmware(context, "R0105"))) {
    b.fill(0x2EA, 0x300 - 0x2EA, 0xF3);
    b.fill(0x322, 0x400 - 0x322, 0xFF);
  }
}

void copyFirmwareBlocks(ImageView b, const FieldOffsetTable& t, models::ModelCode model,
                        const BuildContext& context, const SettingsRecord& s) {
  const models::ModelInfo info = infoOf(model);
  if (!firmwareBlockSelected(info, context)) return;
  if (info.firmwareBlock == models::FirmwareBlock::R0103) {
    copyBytes(b, 0x2EA, kR0103Head);
    copyBytes(b, 0x322, kR0103Block);
    return;
  }
  if (info.firmwareBlock == models::FirmwareBlock::R0104) {
    copyBytes(b, 0x2EA, kR0104At2EA);
    copyBytes(b, 0x334, kR0104At334);
    std::size_t at = 0x34B;
    if (s.receiver.pllType == kPllMb15e03 || s.receiver.pllType == kPllFs8107) {
      copyBytes(b, at, kR0104PllHead);
      at += kR0104PllHead.size();
    }
    copyBytes(b, at, kR0104At34B);
    return;
  }
  // R0105 and R0602: the pattern block.
  if (context.pagerUnprogrammed) b.setByte(t.iconContrast, info.iconContrast ? 0x7C : 0xB4);
  writeFirmwareBlock(b, t.firmwareBlock, model);
  // The "R0602" firmware of 'p' and 'x' also takes two small prompt tables
  // behind its block. Their contents are the pager maker's and are not known
  // to this program, so those bytes keep what the pager held.
}

class SilentReporter final : public errors::Reporter {
 protected:
  void showMessage(const errors::Message&) override {}
  bool askQuestion(std::optional<errors::ResultCode>, const errors::Question&) override {
    return false;
  }
};

}  // namespace

void buildMain(CodeplugImage& image, SettingsRecord& s, const BuildContext& context) {
  const models::ModelCode model = image.modelCode();
  const FieldOffsetTable& t = familySlots(image);
  const ImageView b = image.current();
  const BuildTarget target{b, t, model, image.header(), context.pagerUnprogrammed};

  // A codeplug read from a model ' ' pager lacks the features of the others.
  if (context.modelAtProgrammingStart == kModelSpace && model != kModelSpace) {
    applyOldModelFeatureDefaults(s, image, context.converterTarget);
  }
  buildHeaderFields(target, s);
  const auto info = models::findModel(model);
  const bool oldFormat = !info || info->family == models::Family::OldFormat;
  if (context.pagerUnprogrammed || !oldFormat || model == kModelBang) b.setByte(t.modelByte, model);
  b.setByte(t.generation, models::modelIn(model, models::ModelGroup::oneKbNewModels) ? '2'
                          : models::modelIn(model, models::ModelGroup::largeQModels) ? '3'
                                                                                     : '0');

  // The receiver inverts the data itself when its synthesizer runs above the carrier.
  b.setBit(t.dataInversion, 4, s.dataInversion != 0 || s.receiver.injectionSide == 2);
  const int format = std::clamp(s.codingFormat, 0, 2);
  b.setBits(t.headerFormat, 1, 0, static_cast<unsigned>(format));
  b.setBits(t.codingFormat, 7, 5, kFormatBits313[format]);
  const ReceiverParameters p = receiverParametersFor(format, s.freqBand);
  s.receiverP1 = p.p1;
  s.receiverP2 = p.p2;
  s.receiverP3 = p.p3;

  buildCodes(b, t, model, s);
  buildReceiver(target, s);
  buildOptionFields(target, s);
  buildCodeFlags(b, t, model, s);
  buildKeptBlocks(b, t, model, s);
  if (model != kModelHash) {
    buildPrompts(target, s, text::promptListFor(model, context.converterTarget),
                 text::promptBlockCapacity(model, hasFirmware(context, "R0102")));
  }

  fillAreas(b, t, model, context);
  copyFirmwareBlocks(b, t, model, context, s);

  buildTuningAndBand(target, s);
  // Last: the zoom bit and the receiver values win over the fills above.
  writeOptionFields(kMainFamilyFields, b, t, model, s);
}

void buildLargeImage(CodeplugImage& image, SettingsRecord& s, const BuildContext& context) {
  const models::ModelCode model = image.modelCode();
  const FieldOffsetTable& t = familySlots(image);
  const ImageView b = image.current();

  constexpr int kSecondTableSlots = 16;
  const int codes = codesOf(model);
  for (int slot = 1; slot <= kSecondTableSlots; ++slot) {
    const auto address =
        slot <= codes ? addressOf(s.code[static_cast<std::size_t>(slot - 1)]) : std::nullopt;
    writeWideCode(b, wideCodeSlot(t.secondCodeSlots, slot), address);
  }
  b.setBits(t.largeCodingFormat, 1, 0, static_cast<unsigned>(std::clamp(s.codingFormat, 0, 2)));
  b.setBit(t.toneOnlySupport, 7, s.toneOnlySupport != 0);

  // The prompt area ends with its capacity; the pager expects the rest up
  // to 0x5FF clear. Bytes 0x2EA-0x2F5 (the kept block of the 1 KB layouts)
  // are cleared too, but only behind prompts stored as text: the compressed
  // block of 600 bytes runs through them, and clearing them would cut a
  // block longer than 510 bytes.
  const std::size_t promptEnd = t.promptBlock + t.promptCapacity;
  if (promptEnd < 0x600) b.fill(promptEnd, 0x600 - promptEnd, 0);
  if (s.promptsAsText) b.fill(0x2EA, 0x2F6 - 0x2EA, 0);
  b.fill(0x7CC, 0x800 - 0x7CC, 0xF3);
  // The pager's two default tables selected by the settings (48 bytes at
  // 0x754-0x783, 256 bytes at 0x600-0x6FF) are the pager maker's data, not
  // known to this program: those bytes keep what was read, which on a pager
  // that was programmed before are the tables it runs with.

  if (hasFirmware(context, "R0708")) {
    b.fill(t.firmwareBlock, 0x754 - t.firmwareBlock, 0xFF);
    if (context.pagerUnprogrammed) b.setByte(t.iconContrast, 0x7C);
    writeFirmwareBlock(b, t.firmwareBlock, model);
  }
  b.setBits(t.band, 6, 3, static_cast<unsigned>(s.freqBand));
  writeOptionFields(std::span(&kNarrowBandField, 1), b, t, model, s);
}

errors::ResultCode buildImage(CodeplugImage& image, SettingsRecord& s,
                              const BuildContext& context) {
  const models::ModelCode model = image.modelCode();
  image.setModel(model);

  FrequencySettings frequency;
  frequency.model = model;
  frequency.band = s.freqBand;
  frequency.pllType = s.PLL_Type;
  frequency.primaryHz = frequencyHzFromText(s.frequency).value_or(0);
  frequency.secondHz = frequencyHzFromText(s.frequency2).value_or(0);
  SilentReporter silent;  // the caller reports -36
  const SynthesisResult synthesis = checkSynthesizable(frequency, silent);
  if (synthesis.code != errors::code::Ok) return errors::code::NotSynthesizable;
  s.receiver = synthesis.primary;
  if (models::modelIn(model, models::ModelGroup::dualOrF)) s.receiver2 = synthesis.second;

  if (models::modelIn(model, models::ModelGroup::dFamily)) {
    buildDFamily(image, s, context);
  } else {
    buildMain(image, s, context);
    if (models::modelIn(model, models::ModelGroup::largeQModels))
      buildLargeImage(image, s, context);
  }
  return errors::code::Ok;
}

}  // namespace zelta::codeplug
