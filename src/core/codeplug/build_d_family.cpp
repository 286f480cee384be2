// The builder of families D, E and F: the common header and option bytes as
// the main builder writes them, then the fields of the 2 KB layout of these
// families. Every write is read-modify-write: bits no setting covers keep
// the value last read.

#include <algorithm>
#include <string>

#include "codeplug/builders.h"
#include "codeplug/common_fields.h"
#include "codeplug/d_family_layout.h"
#include "codeplug/field_encodings.h"
#include "codeplug/firmware_blocks.h"
#include "codeplug/frequency_band.h"
#include "codeplug/frequency_synthesizer.h"

namespace zelta::codeplug {
namespace {

// A code the pager receives: not empty by the page rule (four consecutive
// spaces, as in the seven spaces of an unused code) and a valid address.
std::optional<std::uint32_t> usedCode(std::string_view code) {
  if (isEmptyCode(code)) return std::nullopt;
  return codeAddress(code);
}

// Codes 1-16 in the wide slots, their function nibbles, types and history,
// and the frame bitmap. An empty code writes an empty slot and zero nibbles
// and has no frame.
void buildCodes(ImageView v, const FieldOffsetTable& t, const SettingsRecord& s) {
  unsigned frames = 0;
  for (int c = 1; c <= kMaxCodes; ++c) {
    const auto i = static_cast<std::size_t>(c - 1);
    const std::optional<std::uint32_t> address = usedCode(s.code[i]);
    writeWideCode(v, wideCodeSlot(t.codeSlots, c), address);
    writeFunctionLetters(v, t.functionLetters, c,
                         address ? std::string_view(s.function[i]) : "XXXX");
    if (address) frames |= 1U << (*address % 8);
    writeCodeType(v, *codeTypePosition(t, c), s.codeType[i]);
    if (const auto history = historyPosition(t, c)) writeFlagLetters(v, *history, s.history[i]);
  }
  v.setByte(t.frameBitmap, static_cast<std::uint8_t>(frames));
}

// Every entry of the per-function table: the pattern replaces the first
// byte (bit 7 written 0), the attributes and the mode the second.
void buildFunctionTable(ImageView v, const FieldOffsetTable& t, const SettingsRecord& s) {
  for (int c = 1; c <= kMaxCodes; ++c) {
    const auto i = static_cast<std::size_t>(c - 1);
    for (int f = 1; f <= kFunctionsPerCode; ++f) {
      const auto fi = static_cast<std::size_t>(f - 1);
      const std::size_t at = alertEntryOffset(t.alertTable, c, f);
      v.setByte(at, static_cast<std::uint8_t>(s.alertPattern[i][fi] & 0x7F));
      for (const DFunctionFlag& flag : kDFunctionFlags) {
        const std::string& letters = (s.*flag.letters)[i];
        v.setBit(at + 1, flag.bit, fi < letters.size() && letters[fi] == 'Y');
      }
      v.setBits(at + 1, 2, 0, static_cast<unsigned>(s.alertMode[i][fi]));
    }
  }
}

void buildOptions(ImageView v, const FieldOffsetTable& t, models::ModelCode model,
                  const SettingsRecord& s) {
  writeOptionFields(kDOptionFields, v, t, model, s);
  v.setBits(t.hardwareOptions, 7, 6, static_cast<unsigned>(s.hardwareVariant));
  v.setBits(t.defaultReminder, 6, 0, static_cast<unsigned>(s.defaultReminderAlertPattern));
  v.setBits(t.defaultReminder + 1, 2, 0, static_cast<unsigned>(s.defaultReminderAlertMode));

  const auto slotBits = static_cast<unsigned>(s.scLostNumNormalMod);
  v.setBits(t.slot11Flags, 1, 0, slotBits & 3U);
  v.setBits(t.slot12Flags, 1, 0, (slotBits >> 2) & 3U);
}

// Coding format into the third byte of code slot 6 and the header byte 0x13
// (512 00, 1200 01, 2400 10); data inversion into the third byte of slot 7,
// also set when the synthesizer runs above the carrier.
void buildCodingFormat(ImageView v, const FieldOffsetTable& t, const SettingsRecord& s) {
  v.setBits(t.codingFormat, 1, 0, static_cast<unsigned>(s.codingFormat));
  v.setBits(t.headerFormat, 1, 0, static_cast<unsigned>(s.codingFormat));
  v.setBit(t.dataInversion, 1, s.dataInversion != 0 || s.receiver.injectionSide == 2);
}

// Family F: key sequence, time-out and key count. The count follows the
// typed keys when they disagree with it (the page keeps them in step).
void buildUserPassword(ImageView v, const FieldOffsetTable& t, const SettingsRecord& s) {
  const int keyCount = builtUserKeyCount(s.cpwFc_Password, s.userPasswordKeyCount);
  const std::uint16_t keys = userKeyWord(s.cpwFc_Password);
  v.setByte(t.userKeys, static_cast<std::uint8_t>(keys));
  v.setByte(t.userKeys + 1, static_cast<std::uint8_t>(keys >> 8));
  const auto timeout = static_cast<unsigned>(s.userPasswordTimeout);
  v.setByte(t.userTimeout, static_cast<std::uint8_t>(timeout));
  v.setByte(t.userTimeout + 1, static_cast<std::uint8_t>(timeout >> 8));
  v.setBits(t.userPasswordFlags, 7, 5, static_cast<unsigned>(keyCount - 2));
}

// The alert fields shared with the six-code models (see the decoder).
void buildExtendedAlerts(ImageView v, const FieldOffsetTable& t, const SettingsRecord& s) {
  v.setBit(t.displayOptions, 7, s.alertDuration == 2);
  v.setBits(t.reminderAlert, 7, 4, alertNibbleFromIndex(s.defaultReminderAlert));
  v.setBits(t.reminderAlert, 3, 2, static_cast<unsigned>(s.reminderAlertDuration));
  v.setBits(t.defaultAlert, 7, 4, alertNibbleFromIndex(s.defaultAlert));
}

void writeWord(ImageView v, std::size_t at, const SynthesizerWord& word) {
  for (std::size_t k = 0; k < word.size(); ++k) v.setByte(at + k, word[k]);
}

// After the common synthesizer block: the FS8107 / FS8108 receivers take the
// synthesizer byte of their band (0x28 for bands 0-3, 0x3B for 4, 5 and 7,
// 0x9D for 6), and E and F add the divider words of the second frequency,
// which shares the synthesizer and oscillator bytes (and so the PLL type).
void buildDFamilyReceiver(ImageView v, const FieldOffsetTable& t, models::ModelCode model,
                          const SettingsRecord& s) {
  const SynthesizerParameters& p = s.receiver;
  if (p.pllType == kPllFs8107) {
    if (const auto defaults = synthesizerDefaults(kPllFs8107, s.freqBand)) {
      v.setByte(t.synthByte, synthesizerByte(*defaults));
    }
  }
  if (s.kept.synthesizerFlag && models::modelIn(model, models::ModelGroup::dualOrF)) {
    writeWord(v, t.secondSynthN, nWord(p.pllType, s.receiver2.n));
    writeWord(v, t.secondSynthR, rWord(p.pllType, s.receiver2.r));
  }
}

// The model's firmware block once a pager with matching firmware has been
// identified. Any of the three D-F firmware texts clears the block area
// first.
void buildFirmwareBlock(ImageView v, const FieldOffsetTable& t, models::ModelCode model,
                        const BuildContext& context) {
  if (!isDFamilyFirmware(context.firmware)) return;
  v.fill(t.firmwareBlock, kFirmwarePatternBytes + 1, 0xFF);
  if (dFamilyFirmwareText(model) == context.firmware) writeFirmwareBlock(v, t.firmwareBlock, model);
}

}  // namespace

void buildDFamily(CodeplugImage& image, SettingsRecord& s, const BuildContext& context) {
  const ImageView v = image.current();
  const FieldOffsetTable& t = image.offsets();
  const models::ModelCode model = image.modelCode();
  const BuildTarget target{v, t, model, image.header(), context.pagerUnprogrammed};

  buildHeaderFields(target, s);
  buildOptionFields(target, s);
  buildExtendedAlerts(v, t, s);
  v.setByte(t.modelByte, model);
  if (const auto generation = dFamilyGenerationCharacter(model, s.hardwareVariant)) {
    v.setByte(t.generation, static_cast<std::uint8_t>(*generation));
  }
  buildCodingFormat(v, t, s);
  buildCodes(v, t, s);
  buildFunctionTable(v, t, s);
  buildReceiver(target, s);
  buildDFamilyReceiver(v, t, model, s);
  buildTuningAndBand(target, s);
  // After the common option and band bytes: 0x73 bit 2 and 0x79 bit 2 are ours.
  buildOptions(v, t, model, s);
  if (models::modelIn(model, models::ModelGroup::fFamily)) buildUserPassword(v, t, s);
  buildPrompts(target, s, text::promptListFor(model, context.converterTarget), t.promptCapacity);
  buildFirmwareBlock(v, t, model, context);
  // The LCD values lie inside the firmware block area and win over it.
  v.setByte(t.lcdAdjust1, static_cast<std::uint8_t>(s.lcdAdjust1));
  v.setByte(t.lcdAdjust2, static_cast<std::uint8_t>(s.lcdAdjust2));
}

}  // namespace zelta::codeplug
