// The decoder of families D, E and F (models 0x91-0x93, 0x95-0x99): the
// common header as the main decoder reads it, then the 2 KB layout of these
// families: sixteen codes in wide slots, the per-function alert table, the
// option bytes of the table in d_family_layout.h, a second receive frequency
// (E, F) and the user password (F).

#include <string>
#include <utility>

#include "codeplug/codeplug_version.h"
#include "codeplug/common_fields.h"
#include "codeplug/d_family_layout.h"
#include "codeplug/decoders.h"
#include "codeplug/field_encodings.h"
#include "codeplug/frequency_band.h"
#include "codeplug/frequency_synthesizer.h"

namespace zelta::codeplug {
namespace {

constexpr std::string_view kEmptyCodeFunctions = "TNAA";

// Codes 1-16 from the wide slots. Slots 17-32 hold no codes the pages show;
// their third bytes carry other settings and stay in the image.
void decodeCodes(ConstImageView v, const FieldOffsetTable& t, SettingsRecord& s) {
  for (int c = 1; c <= kMaxCodes; ++c) {
    const auto i = static_cast<std::size_t>(c - 1);
    const std::optional<std::uint32_t> address = wideCodeAddress(v, wideCodeSlot(t.codeSlots, c));
    if (!address) {
      s.code[i] = std::string(kEmptyCode);
      s.function[i] = std::string(kEmptyCodeFunctions);
      s.codeType[i] = 0;
    } else {
      s.code[i] = std::to_string(*address);
      s.function[i] = readFunctionLetters(v, t.functionLetters, c);
      s.codeType[i] = readCodeType(v, *codeTypePosition(t, c));
    }
    if (const auto history = historyPosition(t, c)) s.history[i] = readFlagLetters(v, *history);
  }
}

// The per-function table: pattern, mode and five Y/N attributes of every
// function of every code.
void decodeFunctionTable(ConstImageView v, const FieldOffsetTable& t, SettingsRecord& s) {
  for (int c = 1; c <= kMaxCodes; ++c) {
    const auto i = static_cast<std::size_t>(c - 1);
    for (const DFunctionFlag& flag : kDFunctionFlags)
      (s.*flag.letters)[i].assign(kFunctionsPerCode, 'N');
    for (int f = 1; f <= kFunctionsPerCode; ++f) {
      const auto fi = static_cast<std::size_t>(f - 1);
      const std::size_t at = alertEntryOffset(t.alertTable, c, f);
      s.alertPattern[i][fi] = alertPatternFromByte(v.byte(at));
      s.alertMode[i][fi] = alertModeFromBits(v.bits(at + 1, 2, 0));
      for (const DFunctionFlag& flag : kDFunctionFlags) {
        if (v.bit(at + 1, flag.bit)) (s.*flag.letters)[i][fi] = 'Y';
      }
    }
  }
}

void decodeOptions(ConstImageView v, const FieldOffsetTable& t, models::ModelCode model,
                   SettingsRecord& s) {
  readOptionFields(kDOptionFields, v, t, model, s);
  s.hardwareVariant = hardwareVariantFromBits(v.bits(t.hardwareOptions, 7, 6));
  s.codeMode = codeModeOfVariant(s.hardwareVariant);
  s.defaultReminderAlertPattern = alertPatternFromByte(v.byte(t.defaultReminder));
  s.defaultReminderAlertMode = alertModeFromBits(v.bits(t.defaultReminder + 1, 2, 0));

  // Bits 1-0 of the third bytes of code slots 11 and 12 form one 4-bit value.
  s.scLostNumNormalMod =
      static_cast<int>(v.bits(t.slot12Flags, 1, 0) * 4 + v.bits(t.slot11Flags, 1, 0));

  s.lcdAdjust1 = v.byte(t.lcdAdjust1);
  s.lcdAdjust2 = v.byte(t.lcdAdjust2);
}

// Coding format from the third byte of code slot 6 (bit 1 2400 baud, else
// bit 0 1200, else 512) and data inversion from that of slot 7.
void decodeCodingFormat(ConstImageView v, const FieldOffsetTable& t, SettingsRecord& s) {
  setCodingFormat(s, v.bit(t.codingFormat, 1) ? 2 : v.bit(t.codingFormat, 0) ? 1 : 0);
  s.dataInversion = v.bit(t.dataInversion, 1) ? 1 : 0;
}

// Family F: key sequence (16 bits, byte +1 high), time-out in seconds (byte
// +1 high) and the key count.
void decodeUserPassword(ConstImageView v, const FieldOffsetTable& t, SettingsRecord& s) {
  const auto keys = static_cast<std::uint16_t>(v.byte(t.userKeys) | (v.byte(t.userKeys + 1) << 8));
  s.userPasswordTimeout = v.byte(t.userTimeout) | (v.byte(t.userTimeout + 1) << 8);
  s.userPasswordKeyCount = static_cast<int>(v.bits(t.userPasswordFlags, 7, 5)) + 2;
  // A disabled password without keys is no password at all: the page shows
  // it empty rather than as the all-"L" sequence.
  s.cpwFc_Password = userKeysAsRead(keys, s.userPasswordKeyCount, s.fUif_User_Password_Enable != 0);
}

// The alert fields these pagers share with the six-code models: alert
// duration "30 sec" in 0x7D bit 7, the default reminder alert and its
// duration in 0xB9, the default alert in 0xBA. (The Alert page shows them
// for families D-F as for the six-code models.)
void decodeExtendedAlerts(ConstImageView v, const FieldOffsetTable& t, SettingsRecord& s) {
  if (v.bit(t.displayOptions, 7)) s.alertDuration = 2;
  s.reminderAlertDuration = static_cast<int>(v.bits(t.reminderAlert, 3, 2));
  s.defaultReminderAlert = alertNibbleIndex(v.bits(t.reminderAlert, 7, 4));
  s.defaultAlert = alertNibbleIndex(v.bits(t.defaultAlert, 7, 4));
}

// The second receive frequency of E and F: its own divider words with the
// synthesizer, oscillator and injection bytes of the primary one. Shown
// with four decimals.
ReceivedFrequency decodeSecondFrequency(ConstImageView v, const FieldOffsetTable& t,
                                        SettingsRecord& s) {
  SynthesizerBlock block;
  for (std::size_t k = 0; k < block.nWord.size(); ++k) {
    block.nWord[k] = v.byte(t.secondSynthN + k);
    block.rWord[k] = v.byte(t.secondSynthR + k);
  }
  block.synthesizerByte = v.byte(t.synthByte);
  block.oscillatorByte = v.byte(t.oscillator);
  block.injectionByte = v.byte(t.injectionSide);
  const ReceivedFrequency second = receiveFrequency(block);
  s.receiveFrequency2Hz = second.hz;
  s.frequency2 = frequencyTextOf(second.channelHz, 4);
  if (second.parameters) s.receiver2 = *second.parameters;
  return second;
}

}  // namespace

errors::ResultCode decodeDFamily(CodeplugImage& image, SettingsRecord& s,
                                 const DecodeContext& context) {
  const ConstImageView v = std::as_const(image).current();
  const FieldOffsetTable& t = image.offsets();
  const models::ModelCode model = image.modelCode();
  const DecodeSource source{v, t, model, image.header(), context.pagerUnprogrammed};

  if (const errors::ResultCode version = decodeCodeplugVersion(v, s); version != errors::code::Ok) {
    return version;
  }

  decodeHeaderFields(source, s);
  decodeCodingFormat(v, t, s);
  decodeCodes(v, t, s);
  decodeReceiveFrequency(source, s, 5);
  decodeOptionFields(source, s);
  // These pagers have no stop-decoding option.
  s.stopDecodeMissSync = 0;
  decodeExtendedAlerts(v, t, s);
  decodeFunctionTable(v, t, s);
  // After the common option bytes: 0x16 bits 7-4, 0x73 bit 2 and 0x79 bit
  // 2 are settings of these families, not kept bits.
  decodeOptions(v, t, model, s);
  s.kept.header[2] &= 0x0F;
  s.kept.bandLowBits &= 0x03;
  s.kept.byte79Bit2 = false;
  if (models::modelIn(model, models::ModelGroup::fFamily)) decodeUserPassword(v, t, s);
  decodePrompts(source, s, text::promptListFor(model, context.converterTarget));

  const int bandBefore = s.freqBand;
  decodeBand(source, s);
  if (models::modelIn(model, models::ModelGroup::dualOrF) && s.kept.synthesizerFlag) {
    const ReceivedFrequency second = decodeSecondFrequency(v, t, s);
    if (!s.bandFieldMark) {
      // Both frequencies decide; when they share no band it stays as it was.
      const int band = bandOfTwoFrequencies(
          frequencyHzFromText(s.frequency).value_or(s.receiveFrequencyHz), second.channelHz);
      s.freqBand = band != kNoBand ? band : bandBefore;
    }
  }
  return errors::code::Ok;
}

}  // namespace zelta::codeplug
