#include "codeplug/common_fields.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "codeplug/codeplug_version.h"
#include "codeplug/field_encodings.h"
#include "codeplug/frequency_band.h"
#include "codeplug/frequency_synthesizer.h"
#include "codeplug/option_fields.h"
#include "codeplug/password_substitution.h"
#include "text/character_sets.h"
#include "text/prompt_block.h"

namespace zelta::codeplug {
namespace {

using models::kModelHash;
using models::kModelSpace;

// Receiver tuning bytes every build writes at 0x3D-0x3F.
constexpr std::uint8_t kTuningBytes[] = {90, 78, 98};
// The stored value of "regular canned messages: Yes" (ROM 3).
constexpr std::uint8_t kRegularCannedYes = 16;
constexpr std::size_t kIdentityBytes = 10;

int yes(bool bit) {
  return bit ? 1 : 0;
}
bool isYes(int index) {
  return index != 0;
}

int parseInt(std::string_view text, int base, int fallback) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  int value = fallback;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (ec != std::errc() || end != text.data() + text.size()) return fallback;
  return value;
}

std::string rightTrimmed(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::string twoHexDigits(unsigned value) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X", value & 0xFFU);
  return buf;
}

std::string decimalText(int value, const char* format) {
  char buf[16];
  std::snprintf(buf, sizeof buf, format, value);
  return buf;
}

SynthesizerBlock readSynthesizerBlock(ConstImageView bytes, const FieldOffsetTable& t, Offset n,
                                      Offset r) {
  SynthesizerBlock block;
  for (std::size_t k = 0; k < 3; ++k) {
    block.nWord[k] = bytes.byte(n + k);
    block.rWord[k] = bytes.byte(r + k);
  }
  block.synthesizerByte = bytes.byte(t.synthByte);
  block.oscillatorByte = bytes.byte(t.oscillator);
  block.injectionByte = bytes.byte(t.injectionSide);
  return block;
}

// 0x75 bit 7 and 0x78 bit 0 hold 14-bit decoding for different character
// ROMs; ideographic numeric canned messages (0x79 bits 4-3) exist only with
// a ROM: 00 none, 01 one, 11 two.
int ideoCannedFromBits(unsigned bits, int cgromType) {
  int value = std::min(static_cast<int>(bits), 2);
  if (cgromType == 2 && value == 1) value = 2;
  return value;
}

unsigned ideoCannedBits(int value) {
  switch (value) {
    case 1: return 1;
    case 2: return 3;
    default: return 0;
  }
}

// The setting as the pager can have it with this ROM and model.
int ideoCannedForRom(int value, int cgromType, models::ModelCode model) {
  if (cgromType == 0) return 0;
  if (cgromType == 3) return value == 2 ? 1 : value;
  if (model == kModelHash) return 1;
  return value;
}

// Low nibble of 0xBA: which character ROM the pager has.
//   ROM 0 -> 0000, 1 and 2 -> 0001, 3 -> 0010, 4 -> 0100, 5 -> 1000
std::optional<unsigned> romNibble(int cgromType) {
  switch (cgromType) {
    case 0: return 0x0;
    case 1:
    case 2: return 0x1;
    case 3: return 0x2;
    case 4: return 0x4;
    case 5: return 0x8;
    default: return std::nullopt;
  }
}

}  // namespace

const FieldOffsetTable& familySlots(const CodeplugImage& image) {
  return models::findModel(image.modelCode()) && image.offsets().family
             ? image.offsets()
             : offsetTableFor(models::Family::A);
}

// ---------------------------------------------------------------------------
// Decoding
// ---------------------------------------------------------------------------

void decodeHeaderFields(const DecodeSource& source, SettingsRecord& s) {
  const ConstImageView b = source.bytes;
  const FieldOffsetTable& t = source.slots;
  s.rfProgramming = yes(!b.bit(t.rfProgramming, 7));
  s.otaPassword = readPassword(b, t.otaPassword);
  s.modelCodeAsRead = b.byte(t.modelByte);
  for (std::size_t k = 0; k < s.kept.header.size(); ++k)
    s.kept.header[k] = b.byte(t.keptHeader + k);
  s.kept.synthesizerFlag = true;
  for (std::size_t k = 0; k < 3; ++k) s.tuningBytes[k + 1] = b.byte(t.tuningBytes + k);
  s.endMsgChar = twoHexDigits(b.byte(t.endMsgChar));
  s.batteryGaugeHiLevel = static_cast<int>(b.bits(t.batteryHighMed, 7, 4));
  s.batteryGaugeMedLevel = static_cast<int>(b.bits(t.batteryHighMed, 3, 0));
  s.batteryGaugeLoLevel = static_cast<int>(b.bits(t.batteryLow, 7, 4));
  s.downloadPassword = readPassword(b, t.downloadPassword);
  // The serial number is ten characters as stored, trailing blanks
  // included; a field of blanks holds none and reads as empty.
  const std::string serial = b.text(t.serialNumber, kIdentityBytes);
  s.serialNumber = rightTrimmed(serial).empty() ? std::string() : serial;
  s.ICN = rightTrimmed(b.text(t.icn, kIdentityBytes));
}

void decodeOptionFields(const DecodeSource& source, SettingsRecord& s) {
  const ConstImageView b = source.bytes;
  const FieldOffsetTable& t = source.slots;
  const models::ModelCode model = source.model;
  const int cgromType = source.header.cgromType;

  readOptionFields(kCommonOptionFields, b, t, model, s);

  // The rules that are not one bit or field for one setting:
  // 0x71 the language code, 0x72 both bits for one flag, 0x75 the one-of
  // value.
  s.internationalPrompt = promptLanguageIndexFromCode(b.bits(t.promptLanguage, 7, 2));
  s.securityLevel = yes(b.bits(t.securityLevel, 1, 0) != 0);
  s.kept.cannedOneOf = cannedOneOfFromBits(b.bits(t.cannedOptions, 4, 0));

  // 0x76 bit 7 and 0x77 bit 7 are read plainly but built with their rules
  // (model ' ', a notebook needs manual delete); 0x77 bit 3 repeats the
  // clock bit and is not read.
  s.maildropMessageNotebook = yes(b.bit(t.options76, 7));
  s.manualDelete = yes(b.bit(t.options77, 7));

  // 0x78 menu display and 0x79 ideographic canned messages are encoded.
  s.functionMenuDisplay = functionMenuDisplayFromBits(b.bits(t.options78, 7, 6));
  s.b14bitDecodingRom3 = yes(b.bit(t.options78, 0));
  s.ideoNumericCanned = ideoCannedFromBits(b.bits(t.options79, 4, 3), cgromType);

  // 0x7B bit 7 is the memory size of the header values.
  if (!source.pagerUnprogrammed) {
    source.header.largeMemory = b.bit(t.options7B, 7);
    source.header.memorySize = source.header.largeMemory ? 32 : 8;
  }

  // Alert duration: 0x7C bit 1, or 2 from 0x7D bit 7 on the six-code models.
  const bool sixCode = models::modelIn(model, models::ModelGroup::sixCodeModels);
  s.alertDuration = sixCode && b.bit(t.displayOptions, 7) ? 2 : yes(b.bit(t.alertOptions, 1));

  // Timers, 0x84, melody.
  s.reminderAlertInterval = kReminderTimeTable.indexOf(b.byte(t.reminderInterval));
  s.reminderAlertTimeout = kReminderTimeTable.indexOf(b.byte(t.reminderTimeout));
  if (sixCode) {
    s.defaultReminderAlert = alertNibbleIndex(b.bits(t.reminderAlert, 7, 4));
    s.defaultAlert = alertNibbleIndex(b.bits(t.defaultAlert, 7, 4));
  }
  s.oorTime = kOorTimeTable.indexOf(b.byte(t.oorTime));
  s.sequentialLockoutPeriod = kSequentialLockoutTable.indexOf(b.byte(t.sequentialLockout));
  s.readTimeout = kReadTimeoutTable.indexOf(b.byte(t.readTimeout));
  s.fastScrollTime = kFastScrollTable.indexOf(b.byte(t.fastScrollTime));
  s.kept.byte84 = b.byte(t.byte84);
  const auto melody = b.bytesAt(t.melody, s.melody.size());
  std::copy(melody.begin(), melody.end(), s.melody.begin());
  s.programmablePleasingAlert =
      yes(std::any_of(melody.begin(), melody.end(), [](std::uint8_t v) { return v != 0xE9; }));

  // Character set: the remap row, settled by the prompt language.
  s.internationalCharSet = text::characterSetFromImage(
      std::span<const std::uint8_t, text::kRemapRowBytes>(
          b.bytesAt(t.charsetRemap, text::kRemapRowBytes).data(), text::kRemapRowBytes),
      s.internationalPrompt);

  if (cgromType == 3) s.regularCannedMsg = yes(b.byte(t.regularCanned) == kRegularCannedYes);

  if (model != kModelSpace) {
    s.textContrast = decimalText(static_cast<int>(b.bits(t.textContrast, 3, 0)), "%03d");
  }
  s.serviceAdjust = serviceAdjustFromByte(b.byte(t.serviceAdjust));

  if (model != kModelSpace) {
    s.memorySplit = b.byte(t.memorySplit);
    s.otaGroupPassword = readPassword(b, t.otaGroupPassword);
  }
}

void decodeReceiveFrequency(const DecodeSource& source, SettingsRecord& s, int decimals) {
  const FieldOffsetTable& t = source.slots;
  const ReceivedFrequency received =
      receiveFrequency(readSynthesizerBlock(source.bytes, t, t.synthN, t.synthR));
  s.receiveFrequencyHz = received.hz;
  s.kept.oscillatorFlags32 = static_cast<int>(source.bytes.bits(t.oscillator, 3, 2));
  if (received.parameters) {
    s.receiver = *received.parameters;
    s.PLL_Type = s.receiver.pllType;
  }
  s.frequency = frequencyTextOf(received.channelHz, decimals);
  if (source.model != kModelSpace) {
    s.iconContrast = decimalText(iconContrastFromByte(source.bytes.byte(t.iconContrast)), "%d");
  }
}

void decodeBand(const DecodeSource& source, SettingsRecord& s) {
  const FieldOffsetTable& t = source.slots;
  readOptionFields(std::span(&kNarrowBandField, 1), source.bytes, t, source.model, s);
  if (s.bandFieldMark) {
    s.freqBand = static_cast<int>(source.bytes.bits(t.band, 6, 3));
    return;
  }
  const auto shown = frequencyHzFromText(s.frequency);
  const int band = bandOfFrequency(shown.value_or(s.receiveFrequencyHz));
  if (band >= 0) s.freqBand = band;
}

void decodePrompts(const DecodeSource& source, SettingsRecord& s, text::PromptList list) {
  const ConstImageView b = source.bytes;
  const FieldOffsetTable& t = source.slots;
  if (!s.promptsAsText) {
    text::unpackPrompts(b.bytesAt(t.promptBlock, t.promptCapacity), s.prompts, list,
                        isYes(s.showSource));
    return;
  }
  for (text::PromptId id : text::promptListEntries(list)) {
    const PromptTextSlot& slot = t.prompt(id);
    if (slot.width == 0) continue;
    text::Prompt& prompt = s.prompts[id];
    prompt.text.assign(b.text(slot.offset, slot.width));
    prompt.builtIn = false;
  }
}

void setCodingFormat(SettingsRecord& s, int codingFormat) {
  static constexpr int kBaudConstants[] = {3, 7, 14};
  s.codingFormat = std::clamp(codingFormat, 0, 2);
  s.baudConstant = kBaudConstants[s.codingFormat];
}

void emptySingleSpaceTexts(SettingsRecord& s) {
  for (const FieldDescriptor& field : settingsFields()) {
    if (field.textField != nullptr) {
      std::string* value = field.textField(s, field.element);
      if (*value == " ") value->clear();
    } else if (field.promptField != nullptr) {
      text::PromptText* value = field.promptField(s, field.element);
      if (*value == " ") value->assign("");
    }
  }
}

// ---------------------------------------------------------------------------
// Building
// ---------------------------------------------------------------------------

void buildHeaderFields(const BuildTarget& target, const SettingsRecord& s) {
  const ImageView b = target.bytes;
  const FieldOffsetTable& t = target.slots;
  const bool space = target.model == kModelSpace;

  b.setByte(t.rfProgramming, isYes(s.rfProgramming) ? 0x00 : 0x80);
  b.setText(t.fixedMark, 3, ")&)");
  b.setText(t.fixedYc, 2, "YC");
  writePassword(b, t.otaPassword, s.otaPassword);
  b.setBit(t.headerFormat, 2, s.kept.synthesizerFlag);
  for (std::size_t k = 0; k < s.kept.header.size(); ++k)
    b.setByte(t.keptHeader + k, s.kept.header[k]);
  stampProgramVersion(b);

  b.setByte(t.endMsgChar, space ? 0 : static_cast<std::uint8_t>(parseInt(s.endMsgChar, 16, 0)));
  b.setByte(t.batteryHighMed, space
                                  ? 0
                                  : static_cast<std::uint8_t>(((s.batteryGaugeHiLevel & 0xF) << 4) |
                                                              (s.batteryGaugeMedLevel & 0xF)));
  b.setByte(t.batteryLow,
            space ? 0 : static_cast<std::uint8_t>((s.batteryGaugeLoLevel & 0xF) << 4));

  writePassword(b, t.downloadPassword, s.downloadPassword);
  if (target.pagerUnprogrammed) b.setText(t.serialNumber, kIdentityBytes, s.serialNumber);
  b.setText(t.icn, kIdentityBytes, s.ICN);
}

void buildOptionFields(const BuildTarget& target, SettingsRecord& s) {
  const ImageView b = target.bytes;
  const FieldOffsetTable& t = target.slots;
  const models::ModelCode model = target.model;
  const int cgromType = target.header.cgromType;
  const bool space = model == kModelSpace;

  s.ideoNumericCanned = ideoCannedForRom(s.ideoNumericCanned, cgromType, model);
  writeOptionFields(kCommonOptionFields, b, t, model, s);

  // The rules that are not one bit or field for one setting:
  // 0x71 the language code and bit 1 always clear, 0x72 both bits for one
  // flag, 0x75 the one-of value.
  b.setBits(t.promptLanguage, 7, 2, promptLanguageCodeFromIndex(s.internationalPrompt));
  b.setBit(t.promptLanguage, 1, false);
  b.setBits(t.securityLevel, 1, 0, isYes(s.securityLevel) ? 3U : 0U);
  b.setBits(t.cannedOptions, 4, 0, cannedOneOfBits(s.kept.cannedOneOf));

  // 0x76 bit 7: model ' ' has no maildrop notebook. 0x77: a notebook needs
  // manual delete; the clock is stored twice (bit 5 from the table).
  const bool maildropNotebook = !space && isYes(s.maildropMessageNotebook);
  b.setBit(t.options76, 7, maildropNotebook);
  b.setBit(t.options77, 7,
           isYes(s.manualDelete) || maildropNotebook || isYes(s.personalMessageNotebook));
  b.setBit(t.options77, 3, isYes(s.realTimeClock));

  // 0x78: the menu display is encoded; ROMs 1 and 2 take 14-bit decoding
  // from 0x75 instead of bit 0. 0x79 bits 4-3 by character ROM.
  b.setBits(t.options78, 7, 6, functionMenuDisplayBits(s.functionMenuDisplay));
  b.setBit(t.options78, 0, cgromType != 1 && cgromType != 2 && isYes(s.b14bitDecodingRom3));
  b.setBits(t.options79, 4, 3, ideoCannedBits(s.ideoNumericCanned));

  // 0x7B bit 7 is the memory size of the header values.
  b.setBit(t.options7B, 7, target.header.largeMemory);

  // 0x7C, 0x7D: alert duration 2 lives in 0x7D on the six-code models.
  const bool sixCode = models::modelIn(model, models::ModelGroup::sixCodeModels);
  b.setBit(t.alertOptions, 1, s.alertDuration == 1);
  if (sixCode) b.setBit(t.displayOptions, 7, s.alertDuration == 2);

  // Timers; 0x84 is 1-50.
  b.setByte(t.reminderInterval, kReminderTimeTable.storedAt(s.reminderAlertInterval));
  b.setByte(t.reminderTimeout, kReminderTimeTable.storedAt(s.reminderAlertTimeout));
  b.setByte(t.oorTime, kOorTimeTable.storedAt(s.oorTime));
  b.setByte(t.sequentialLockout, kSequentialLockoutTable.storedAt(s.sequentialLockoutPeriod));
  b.setByte(t.readTimeout, kReadTimeoutTable.storedAt(s.readTimeout));
  b.setByte(t.fastScrollTime, kFastScrollTable.storedAt(s.fastScrollTime));
  if (!space) {
    const int v = s.kept.byte84;
    b.setByte(t.byte84, static_cast<std::uint8_t>(v <= 0 || v > 50 ? 50 : v));
  }

  std::copy(s.melody.begin(), s.melody.end(), b.bytesAt(t.melody, s.melody.size()).begin());
  const text::RemapRow& row = text::characterSetRow(s.internationalCharSet);
  std::copy(row.begin(), row.end(), b.bytesAt(t.charsetRemap, row.size()).begin());

  // Regular canned messages (ROM 3): 16 is Yes; a No keeps any other value.
  if (cgromType == 3) {
    if (isYes(s.regularCannedMsg)) {
      b.setByte(t.regularCanned, kRegularCannedYes);
    } else if (b.byte(t.regularCanned) == kRegularCannedYes) {
      b.setByte(t.regularCanned, 0);
    }
  }

  if (!space) {
    b.setBits(t.textContrast, 3, 0, static_cast<unsigned>(parseInt(s.textContrast, 10, 9)));
    const int icon = parseInt(s.iconContrast, 10, 3);
    if (models::modelIn(model, models::ModelGroup::iconContrastGroup)) {
      b.setByte(t.iconContrast, iconContrastByte(model, icon));
    } else {
      b.setBits(t.iconContrast, 1, 0, iconContrastByte(model, icon));
    }
  }
  b.setByte(t.serviceAdjust, serviceAdjustByte(s.serviceAdjust));

  // Without the 0xB9 bit 1 the pager has no use for these areas.
  if (!s.kept.byteB9Bit1 && !space && model != kModelHash) {
    b.fill(0xAF, 10, 0);
    b.fill(0xCA, 16, 0);
    b.setByte(0xDC, 0);
  }
  if (sixCode) {
    b.setBits(t.reminderAlert, 7, 4, alertNibbleFromIndex(s.defaultReminderAlert));
    b.setBits(t.defaultAlert, 7, 4, alertNibbleFromIndex(s.defaultAlert));
  }
  if (!space) {
    if (const auto nibble = romNibble(cgromType)) b.setBits(t.defaultAlert, 3, 0, *nibble);
    if (model == kModelHash) b.setBit(t.defaultAlert, 2, true);
    if (target.pagerUnprogrammed)
      b.setByte(t.memorySplit, static_cast<std::uint8_t>(s.memorySplit));
    writePassword(b, t.otaGroupPassword, s.otaGroupPassword);
  }
}

void buildReceiver(const BuildTarget& target, const SettingsRecord& s) {
  const ImageView b = target.bytes;
  const FieldOffsetTable& t = target.slots;
  const SynthesizerBlock block =
      synthesizerBlock(s.receiver, static_cast<std::uint8_t>(s.kept.oscillatorFlags32 << 2));
  if (s.kept.synthesizerFlag) {
    for (std::size_t k = 0; k < 3; ++k) {
      b.setByte(t.synthN + k, block.nWord[k]);
      b.setByte(t.synthR + k, block.rWord[k]);
    }
  }
  b.setByte(t.synthByte, block.synthesizerByte);
  b.setByte(t.oscillator, block.oscillatorByte);
  b.setBits(t.injectionSide, 1, 0, block.injectionByte);
}

void buildPrompts(const BuildTarget& target, SettingsRecord& s, text::PromptList list,
                  int capacity) {
  const ImageView b = target.bytes;
  const FieldOffsetTable& t = target.slots;
  if (!s.promptsAsText) {
    text::PromptWorkBuffer buffer;
    const text::PromptPacking packing{list, target.model, s.internationalPrompt,
                                      isYes(s.showSource)};
    const int lastByte = text::packPrompts(s.prompts, packing, buffer);
    text::copyPromptBlock(buffer, lastByte,
                          b.bytesAt(t.promptBlock, static_cast<std::size_t>(capacity)), true);
    return;
  }
  for (text::PromptId id : text::promptListEntries(list)) {
    const PromptTextSlot& slot = t.prompt(id);
    if (slot.width == 0) continue;
    text::writeRawPrompt(b.bytesAt(slot.offset, slot.width), s.prompts[id].text.view(),
                         s.internationalPrompt);
  }
}

void buildTuningAndBand(const BuildTarget& target, SettingsRecord& s) {
  const ImageView b = target.bytes;
  const FieldOffsetTable& t = target.slots;
  for (std::size_t k = 0; k < 3; ++k) {
    b.setByte(t.tuningBytes + k, kTuningBytes[k]);
    s.tuningBytes[k + 1] = kTuningBytes[k];
  }
  b.setBits(t.band, 6, 3, static_cast<unsigned>(s.freqBand));
  writeOptionFields(std::span(&kNarrowBandField, 1), b, t, target.model, s);
}

}  // namespace zelta::codeplug
