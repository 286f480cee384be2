#include "codeplug/common_fields.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "codeplug/codeplug_version.h"
#include "codeplug/field_encodings.h"
#include "codeplug/frequency_band.h"
#include "codeplug/frequency_synthesizer.h"
#include "codeplug/password_substitution.h"
#include "text/character_sets.h"
#include "text/prompt_block.h"

namespace zelta::codeplug {
namespace {

constexpr models::ModelCode kModelSpace = ' ';
constexpr models::ModelCode kModelHash = '#';

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
  s.stopDecodeMissSync = yes(b.bit(t.stopDecodeMissSync, 4));
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

  // 0x71 language and silent RF programming, 0x72 security.
  s.internationalPrompt = promptLanguageIndexFromCode(b.bits(t.promptLanguage, 7, 2));
  s.silentRFProgramming = yes(b.bit(t.promptLanguage, 0));
  s.securityLevel = yes(b.bits(t.securityLevel, 1, 0) != 0);

  // 0x73 kept low bits (the band bits are decodeBand's), 0x74, 0x75.
  s.kept.bandLowBits = static_cast<int>(b.bits(t.band, 2, 0));
  s.kept.byte74Bits = static_cast<int>(b.bits(t.kept74, 1, 0));
  s.B14bitDecoding = yes(b.bit(t.cannedOptions, 7));
  s.kept.cannedOneOf = cannedOneOfFromBits(b.bits(t.cannedOptions, 4, 0));

  // 0x76
  s.maildropMessageNotebook = yes(b.bit(t.options76, 7));
  s.personalMessageNotebook = yes(b.bit(t.options76, 6));
  s.printerEnabled = yes(b.bit(t.options76, 5));
  s.individualMessageAlarm = yes(b.bit(t.options76, 4));
  s.memoryCleanup = yes(b.bit(t.options76, 3));
  s.disableAllAlerts = yes(!b.bit(t.options76, 2));
  s.deafPager = yes(!b.bit(t.options76, 1));
  s.allowOff = yes(b.bit(t.options76, 0));

  // 0x77 (bit 3 repeats the clock bit and is not read)
  s.manualDelete = yes(b.bit(t.options77, 7));
  s.messageLocking = yes(b.bit(t.options77, 6));
  s.realTimeClock = yes(b.bit(t.options77, 5));
  s.autoOnOff = yes(b.bit(t.options77, 4));
  s.userChangableAlertMode = yes(b.bit(t.options77, 2));
  s.userSelectableAlerts = yes(b.bit(t.options77, 1));
  s.enableMaildropAlert = yes(b.bit(t.options77, 0));

  // 0x78
  s.functionMenuDisplay = functionMenuDisplayFromBits(b.bits(t.options78, 7, 6));
  s.messagePreview = yes(!b.bit(t.options78, 5));
  s.badDataIndication = yes(b.bit(t.options78, 4));
  s.deleteSlotNumber = yes(b.bit(t.options78, 3));
  s.truncatedMessageIndicator = yes(b.bit(t.options78, 2));
  s.messageContinueIndicator = yes(b.bit(t.options78, 1));
  s.b14bitDecodingRom3 = yes(b.bit(t.options78, 0));

  // 0x79
  s.internationalDate = yes(b.bit(t.options79, 7));
  s.showTimeStamp = yes(b.bit(t.options79, 6));
  s.autoAlarmTurnOn = yes(b.bit(t.options79, 5));
  s.ideoNumericCanned = ideoCannedFromBits(b.bits(t.options79, 4, 3), cgromType);
  s.kept.byte79Bit2 = b.bit(t.options79, 2);
  s.promptsAsText = b.bit(t.options79, 1);
  s.showSource = yes(b.bit(t.options79, 0));

  // 0x7A retain flags, 0x7B duplication and memory.
  s.retainBetterMaildrop = yes(b.bit(t.options7A, 6));
  s.retainErroredNonNumeric = yes(b.bit(t.options7A, 5));
  s.retainErroredNumeric = yes(b.bit(t.options7A, 4));
  if (!source.pagerUnprogrammed) {
    source.header.largeMemory = b.bit(t.options7B, 7);
    source.header.memorySize = source.header.largeMemory ? 32 : 8;
  }
  s.sourceIndependentDuplication = yes(b.bit(t.options7B, 6));
  s.duplication = yes(b.bit(t.options7B, 5));
  s.nonVolatileMemory = yes(b.bit(t.options7B, 4));

  // 0x7C alerts, 0x7D display.
  s.std4RepeatPeriod = yes(b.bit(t.alertOptions, 7));
  s.vibrator = yes(b.bit(t.alertOptions, 6));
  s.std4PulseDuration = yes(b.bit(t.alertOptions, 5));
  s.autoOnOffAlert = yes(b.bit(t.alertOptions, 4));
  s.oorAlert = yes(b.bit(t.alertOptions, 3));
  s.lowCellAlert = yes(b.bit(t.alertOptions, 2));
  s.manualAlertReset = yes(b.bit(t.alertOptions, 0));
  const bool sixCode = models::modelIn(model, models::ModelGroup::sixCodeModels);
  s.alertDuration = sixCode && b.bit(t.displayOptions, 7) ? 2 : yes(b.bit(t.alertOptions, 1));
  if (model != kModelSpace) {
    s.receiveWhileOff = yes(b.bit(t.displayOptions, 6));
    s.showMemFull = yes(b.bit(t.displayOptions, 5));
    s.batteryGauge = yes(b.bit(t.displayOptions, 4));
    s.alarmAlwaysAudible = yes(b.bit(t.displayOptions, 3));
    s.keyChirp = yes(b.bit(t.displayOptions, 2));
    s.autoBacklight = yes(!b.bit(t.displayOptions, 1));
  }

  // Timers, 0x84, alert frequency, melody.
  s.reminderAlertInterval = kReminderTimeTable.indexOf(b.byte(t.reminderInterval));
  s.reminderAlertTimeout = kReminderTimeTable.indexOf(b.byte(t.reminderTimeout));
  if (sixCode) {
    s.reminderAlertDuration = static_cast<int>(b.bits(t.reminderAlert, 3, 2));
    s.defaultReminderAlert = alertNibbleIndex(b.bits(t.reminderAlert, 7, 4));
    s.defaultAlert = alertNibbleIndex(b.bits(t.defaultAlert, 7, 4));
  }
  s.oorTime = kOorTimeTable.indexOf(b.byte(t.oorTime));
  s.sequentialLockoutPeriod = kSequentialLockoutTable.indexOf(b.byte(t.sequentialLockout));
  s.readTimeout = kReadTimeoutTable.indexOf(b.byte(t.readTimeout));
  s.fastScrollTime = kFastScrollTable.indexOf(b.byte(t.fastScrollTime));
  s.kept.byte84 = b.byte(t.byte84);
  s.alertFrequency = static_cast<int>(b.bits(t.alertFrequency, 3, 0));
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

  if (model == kModelSpace) {
    s.displayContrast = static_cast<int>(b.bits(t.textContrast, 3, 0));
    s.autoBacklight = yes(!b.bit(t.textContrast, 4));
  } else {
    s.textContrast = decimalText(static_cast<int>(b.bits(t.textContrast, 3, 0)), "%03d");
  }
  s.lowCellPeriod = static_cast<int>(b.bits(t.lowCellPeriod, 3, 0));
  s.serviceAdjust = serviceAdjustFromByte(b.byte(t.serviceAdjust));
  s.kept.byteB9Bit1 = b.bit(t.reminderAlert, 1);

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
  s.nwBand = yes(source.bytes.bit(t.band, 7));
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
  b.setBit(t.stopDecodeMissSync, 4, isYes(s.stopDecodeMissSync));
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

  // 0x71-0x75
  b.setBits(t.promptLanguage, 7, 2, promptLanguageCodeFromIndex(s.internationalPrompt));
  b.setBit(t.promptLanguage, 1, false);
  b.setBit(t.promptLanguage, 0, isYes(s.silentRFProgramming));
  b.setBits(t.securityLevel, 1, 0, isYes(s.securityLevel) ? 3U : 0U);
  b.setBits(t.band, 2, 0, static_cast<unsigned>(s.kept.bandLowBits));
  b.setBits(t.kept74, 1, 0, static_cast<unsigned>(s.kept.byte74Bits));
  b.setBit(t.cannedOptions, 7, isYes(s.B14bitDecoding));
  b.setBits(t.cannedOptions, 4, 0, cannedOneOfBits(s.kept.cannedOneOf));

  // 0x76: model ' ' has no maildrop notebook.
  const bool maildropNotebook = !space && isYes(s.maildropMessageNotebook);
  b.setBit(t.options76, 7, maildropNotebook);
  b.setBit(t.options76, 6, isYes(s.personalMessageNotebook));
  b.setBit(t.options76, 5, isYes(s.printerEnabled));
  b.setBit(t.options76, 4, isYes(s.individualMessageAlarm));
  b.setBit(t.options76, 3, isYes(s.memoryCleanup));
  b.setBit(t.options76, 2, !isYes(s.disableAllAlerts));
  b.setBit(t.options76, 1, !isYes(s.deafPager));
  b.setBit(t.options76, 0, isYes(s.allowOff));

  // 0x77: a notebook needs manual delete; the clock is stored twice.
  b.setBit(t.options77, 7,
           isYes(s.manualDelete) || maildropNotebook || isYes(s.personalMessageNotebook));
  b.setBit(t.options77, 6, isYes(s.messageLocking));
  b.setBit(t.options77, 5, isYes(s.realTimeClock));
  b.setBit(t.options77, 4, isYes(s.autoOnOff));
  b.setBit(t.options77, 3, isYes(s.realTimeClock));
  b.setBit(t.options77, 2, isYes(s.userChangableAlertMode));
  b.setBit(t.options77, 1, isYes(s.userSelectableAlerts));
  b.setBit(t.options77, 0, isYes(s.enableMaildropAlert));

  // 0x78: ROMs 1 and 2 take 14-bit decoding from 0x75 instead.
  b.setBits(t.options78, 7, 6, functionMenuDisplayBits(s.functionMenuDisplay));
  b.setBit(t.options78, 5, !isYes(s.messagePreview));
  b.setBit(t.options78, 4, isYes(s.badDataIndication));
  b.setBit(t.options78, 3, isYes(s.deleteSlotNumber));
  b.setBit(t.options78, 2, isYes(s.truncatedMessageIndicator));
  b.setBit(t.options78, 1, isYes(s.messageContinueIndicator));
  b.setBit(t.options78, 0, cgromType != 1 && cgromType != 2 && isYes(s.b14bitDecodingRom3));

  // 0x79
  s.ideoNumericCanned = ideoCannedForRom(s.ideoNumericCanned, cgromType, model);
  b.setBit(t.options79, 7, isYes(s.internationalDate));
  b.setBit(t.options79, 6, isYes(s.showTimeStamp));
  b.setBit(t.options79, 5, isYes(s.autoAlarmTurnOn));
  b.setBits(t.options79, 4, 3, ideoCannedBits(s.ideoNumericCanned));
  b.setBit(t.options79, 2, s.kept.byte79Bit2);
  b.setBit(t.options79, 1, s.promptsAsText);
  b.setBit(t.options79, 0, isYes(s.showSource));

  // 0x7A, 0x7B (bits 3-0 are the code types of the family code)
  b.setBit(t.options7A, 6, isYes(s.retainBetterMaildrop));
  b.setBit(t.options7A, 5, isYes(s.retainErroredNonNumeric));
  b.setBit(t.options7A, 4, isYes(s.retainErroredNumeric));
  b.setBit(t.options7B, 7, target.header.largeMemory);
  b.setBit(t.options7B, 6, isYes(s.sourceIndependentDuplication));
  b.setBit(t.options7B, 5, isYes(s.duplication));
  b.setBit(t.options7B, 4, isYes(s.nonVolatileMemory));

  // 0x7C, 0x7D: alert duration 2 lives in 0x7D on the six-code models.
  const bool sixCode = models::modelIn(model, models::ModelGroup::sixCodeModels);
  b.setBit(t.alertOptions, 7, isYes(s.std4RepeatPeriod));
  b.setBit(t.alertOptions, 6, isYes(s.vibrator));
  b.setBit(t.alertOptions, 5, isYes(s.std4PulseDuration));
  b.setBit(t.alertOptions, 4, isYes(s.autoOnOffAlert));
  b.setBit(t.alertOptions, 3, isYes(s.oorAlert));
  b.setBit(t.alertOptions, 2, isYes(s.lowCellAlert));
  b.setBit(t.alertOptions, 1, s.alertDuration == 1);
  b.setBit(t.alertOptions, 0, isYes(s.manualAlertReset));
  if (sixCode) b.setBit(t.displayOptions, 7, s.alertDuration == 2);
  if (!space) {
    b.setBit(t.displayOptions, 6, isYes(s.receiveWhileOff));
    b.setBit(t.displayOptions, 5, isYes(s.showMemFull));
    b.setBit(t.displayOptions, 4, isYes(s.batteryGauge));
    b.setBit(t.displayOptions, 3, isYes(s.alarmAlwaysAudible));
    b.setBit(t.displayOptions, 2, isYes(s.keyChirp));
    b.setBit(t.displayOptions, 1, !isYes(s.autoBacklight));
  }

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

  b.setBits(t.alertFrequency, 3, 0, static_cast<unsigned>(s.alertFrequency));
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

  if (space) {
    b.setBits(t.textContrast, 3, 0, static_cast<unsigned>(s.displayContrast));
    b.setBit(t.textContrast, 4, !isYes(s.autoBacklight));
  } else {
    b.setBits(t.textContrast, 3, 0, static_cast<unsigned>(parseInt(s.textContrast, 10, 9)));
    const int icon = parseInt(s.iconContrast, 10, 3);
    if (models::modelIn(model, models::ModelGroup::iconContrastGroup)) {
      b.setByte(t.iconContrast, iconContrastByte(model, icon));
    } else {
      b.setBits(t.iconContrast, 1, 0, iconContrastByte(model, icon));
    }
  }
  b.setBits(t.lowCellPeriod, 3, 0, static_cast<unsigned>(s.lowCellPeriod));
  b.setByte(t.serviceAdjust, serviceAdjustByte(s.serviceAdjust));

  // Without the 0xB9 bit 1 the pager has no use for these areas.
  b.setBit(t.reminderAlert, 1, s.kept.byteB9Bit1);
  if (!s.kept.byteB9Bit1 && !space && model != kModelHash) {
    b.fill(0xAF, 10, 0);
    b.fill(0xCA, 16, 0);
    b.setByte(0xDC, 0);
  }
  if (sixCode) {
    b.setBits(t.reminderAlert, 7, 4, alertNibbleFromIndex(s.defaultReminderAlert));
    b.setBits(t.reminderAlert, 3, 2, static_cast<unsigned>(s.reminderAlertDuration));
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
  b.setBit(t.band, 7, isYes(s.nwBand));
}

}  // namespace zelta::codeplug
