#include "codeplug/field_offsets.h"

#include <array>

namespace zelta::codeplug {
namespace {

using text::PromptId;
using text::sourcePromptId;

constexpr std::size_t index(PromptId id) {
  return static_cast<std::size_t>(id);
}

// The header bytes every family has at the same place.
constexpr FieldOffsetTable commonHeader(models::Family family) {
  FieldOffsetTable t;
  t.family = family;
  t.rfProgramming = 0x00;
  t.modelByte = 0x01;
  t.fixedMark = 0x02;
  t.fixedYc = 0x05;
  t.generation = 0x07;
  t.otaPassword = 0x08;
  t.stopDecodeMissSync = 0x12;
  t.headerFormat = 0x13;
  t.keptHeader = 0x14;
  t.frameBitmap = 0x17;
  t.tuningBytes = 0x3D;
  t.endMsgChar = 0x40;
  t.batteryHighMed = 0x41;
  t.batteryLow = 0x42;
  t.downloadPassword = 0x53;
  t.serialNumber = 0x5D;
  t.icn = 0x67;
  t.promptLanguage = 0x71;
  t.securityLevel = 0x72;
  t.band = 0x73;
  t.kept74 = 0x74;
  t.cannedOptions = 0x75;
  t.options76 = 0x76;
  t.options77 = 0x77;
  t.options78 = 0x78;
  t.options79 = 0x79;
  t.options7A = 0x7A;
  t.options7B = 0x7B;
  t.alertOptions = 0x7C;
  t.displayOptions = 0x7D;
  t.reminderInterval = 0x7E;
  t.reminderTimeout = 0x7F;
  t.oorTime = 0x80;
  t.sequentialLockout = 0x81;
  t.readTimeout = 0x82;
  t.fastScrollTime = 0x83;
  t.byte84 = 0x84;
  t.alertFrequency = 0x85;
  t.melody = 0x86;
  t.codeplugVersion = 0x96;
  t.injectionSide = 0x99;
  t.charsetRemap = 0x9A;
  t.regularCanned = 0xAA;
  t.textContrast = 0xAC;
  t.lowCellPeriod = 0xAD;
  t.serviceAdjust = 0xAE;
  t.reminderAlert = 0xB9;
  t.defaultAlert = 0xBA;
  t.memorySplit = 0xC9;
  t.otaGroupPassword = 0xDD;
  t.block222 = 0x322;
  t.promptBlock = 0xEC;
  return t;
}

// Prompts stored as text, family A: one contiguous area 0xEC-0x297.
constexpr void setFamilyAPromptText(FieldOffsetTable& t) {
  struct Entry {
    PromptId prompt;
    Offset offset;
    std::uint8_t width;
  };
  using enum PromptId;
  constexpr Entry kEntries[] = {
      {autoOnPrompt, 0xEC, 10},
      {setAlertPrompt, 0xF6, 10},
      {setAudioPrompt, 0x100, 10},
      {setSilentPrompt, 0x10A, 10},
      {setLockPrompt, 0x114, 10},
      {setUnlockPrompt, 0x11E, 10},
      {deletePrompt, 0x128, 10},
      {deleteAllPrompt, 0x132, 10},
      {addToNotebookPrompt, 0x13C, 10},
      {printPrompt, 0x146, 10},
      {printAllPrompt, 0x150, 10},
      {enableMaildropPrompt, 0x15A, 10},
      {disableMaildropPrompt, 0x164, 10},
      {setTimeAlarmPrompt, 0x16E, 10},
      {setMsgAlarmPrompt, 0x178, 10},
      {setOffPrompt, 0x182, 10},
      {goStatusPrompt, 0x18C, 10},
      {duplicatePrompt, 0x196, 10},
      {disablePagerPrompt, 0x1A0, 14},
      {powerUpPrompt, 0x1AE, 14},
      {standardAlertPrompt, 0x1BC, 10},
      {pleasantAlertPrompt, 0x1C6, 10},
      {chirpAlertPrompt, 0x1D0, 10},
      {noAlertPrompt, 0x1DA, 10},
      {onPrompt, 0x1E4, 6},
      {offPrompt, 0x1EA, 6},
      {setAlarmPrompt, 0x1F0, 10},
      {noteBookPrompt, 0x1FA, 10},
      {memoryFullPrompt, 0x204, 10},
      {setTimePrompt, 0x20E, 10},
  };
  for (const Entry& e : kEntries) t.promptText[index(e.prompt)] = {e.offset, e.width};
  for (int n = 1; n <= 16; ++n) {
    t.promptText[index(sourcePromptId(n))] = {static_cast<Offset>(0x218 + 8 * (n - 1)), 8};
  }
}

// Family B (and C) keep family A's text area and put the prompts of the
// six-code list behind it, before the 21-byte block at 0x2EA:
//   0x298 set reminder, 0x2A2 battery low, 0x2AC standard and vib (10 each),
//   0x2B6-0x2E5 sources 17-24 (6 each).
constexpr void setFamilyBPromptText(FieldOffsetTable& t) {
  setFamilyAPromptText(t);
  t.promptText[index(PromptId::setReminderPrompt)] = {0x298, 10};
  t.promptText[index(PromptId::batteryLowPrompt)] = {0x2A2, 10};
  t.promptText[index(PromptId::standardAndVibPrompt)] = {0x2AC, 10};
  for (int n = 17; n <= 24; ++n) {
    t.promptText[index(sourcePromptId(n))] = {static_cast<Offset>(0x2B6 + 6 * (n - 17)), 6};
  }
}

// Families D-F: every prompt of the family's list, in list order, one after
// another from 0xEC.
std::uint8_t textWidth(PromptId id) {
  using enum PromptId;
  if (text::isSourcePrompt(id)) return 8;
  if (id == powerUpPrompt || id == disablePagerPrompt) return 14;
  if (id == onPrompt || id == offPrompt) return 6;
  return 10;
}

void layOutPromptArea(FieldOffsetTable& t, text::PromptList list) {
  t.promptText = {};
  Offset at = 0xEC;
  for (PromptId id : text::promptListEntries(list)) {
    t.promptText[index(id)] = {at, textWidth(id)};
    at = static_cast<Offset>(at + textWidth(id));
  }
}

// Code block and synthesizer of the 1 KB layouts; family C moves both to
// 0x700 and its kept blocks behind them.
constexpr void setNarrowCodeBlock(FieldOffsetTable& t, Offset base) {
  t.codeSlots = base;
  t.dataInversion = static_cast<Offset>(base + 0x12);
  t.codingFormat = static_cast<Offset>(base + 0x13);
  t.emptyFlagCode1 = static_cast<Offset>(base + 0x14);
  t.receiverP3 = static_cast<Offset>(base + 0x18);
}

constexpr void setSynthesizer(FieldOffsetTable& t, Offset base) {
  t.synthN = static_cast<Offset>(base + 0x19);
  t.synthR = static_cast<Offset>(base + 0x1C);
  t.synthByte = static_cast<Offset>(base + 0x1F);
  t.oscillator = static_cast<Offset>(base + 0x20);
  t.iconContrast = static_cast<Offset>(base + 0x21);
  t.firmwareBlock = static_cast<Offset>(base + 0x22);
}

// The 2 KB layouts (C-F) share the LCD, tone-only and decoder parameter
// fields. Decoder parameter area 0x7B4-0x7CB:
//   0x7B4-0x7BF  six 16-bit bit numbers      0x7C5-0x7C6  fixed 68 85
//   0x7C0-0x7C4  preamble, sync, non-sync 1, 0x7C7        bit 7 tone only
//                non-sync 2, message errors  0x7C9        kept byte
//                                            0x7CA-0x7CB  fixed 96 0A
constexpr void setLargeLayoutFields(FieldOffsetTable& t) {
  t.lcdAdjust1 = 0x73E;
  t.lcdAdjust2 = 0x73F;
  t.toneOnlySupport = 0x7C7;
  t.decoderBitNumbers = 0x7B4;
  t.preambleErrorBits = 0x7C0;
  t.syncCodewordErrorBits = 0x7C1;
  t.firstNonSyncLost = 0x7C2;
  t.secondNonSyncLost = 0x7C3;
  t.messageErrorCodewords = 0x7C4;
  t.block21 = 0x7CC;
  t.keptByte2FF = 0x7C9;
}

constexpr FieldOffsetTable familyA() {
  FieldOffsetTable t = commonHeader(models::Family::A);
  t.functionLetters = 0x24;
  t.codeTypeFirst = 0x7A;
  t.codeTypeSecond = 0x7B;
  t.zoom = 0x2C;
  t.priorityCodes12 = 0x52;
  t.priorityCodes34 = 0x51;
  t.history = 0xDA;
  setNarrowCodeBlock(t, 0x300);
  setSynthesizer(t, 0x300);
  t.block21 = 0x2EA;
  t.keptByte2FF = 0x2FF;
  t.promptCapacity = 510;
  t.rawPowerUpPrompt = 0xEC;
  t.rawDisablePrompt = 0xFE;
  t.rawValue1 = 0x137;
  t.rawValue2 = 0x13B;
  t.rawBlock320 = 0x13F;
  t.rawBlock64 = 0x27F;
  t.rawBlock32 = 0x2BF;
  setFamilyAPromptText(t);
  return t;
}

constexpr FieldOffsetTable familyB() {
  FieldOffsetTable t = familyA();
  t.family = models::Family::B;
  t.codeTypeCodes56 = 0x30;
  t.zoom = 0x30;
  t.priorityCodes56 = 0x31;
  t.rawPowerUpPrompt = t.rawDisablePrompt = t.rawValue1 = t.rawValue2 = kNoSlot;
  t.rawBlock320 = t.rawBlock64 = t.rawBlock32 = kNoSlot;
  setFamilyBPromptText(t);
  return t;
}

constexpr FieldOffsetTable familyC() {
  FieldOffsetTable t = familyB();
  t.family = models::Family::C;
  setNarrowCodeBlock(t, 0x700);
  setSynthesizer(t, 0x700);
  setLargeLayoutFields(t);
  t.secondCodeSlots = 0x784;
  t.largeCodingFormat = 0x795;  // third byte of the second table's slot 6
  t.promptCapacity = 600;
  return t;
}

FieldOffsetTable familyD() {
  FieldOffsetTable t = commonHeader(models::Family::D);
  t.decoderOptions = 0x16;
  t.functionLetters = 0x18;
  t.codeTypeFirst = 0x38;
  t.codeTypeSecond = 0x3A;
  t.zoom = 0x3C;
  t.hardwareOptions = 0x3C;
  t.history = 0xE7;
  t.dutyOptions = 0xEB;
  t.alertTable = 0x696;
  t.defaultReminder = 0x716;
  t.codeSlots = 0x754;
  t.codingFormat = 0x765;   // third byte of code slot 6
  t.dataInversion = 0x768;  // third byte of code slot 7
  t.slot11Flags = 0x774;
  t.slot12Flags = 0x777;
  setSynthesizer(t, 0x700);
  setLargeLayoutFields(t);
  t.promptCapacity = 1200;
  layOutPromptArea(t, text::PromptList::list118);
  return t;
}

FieldOffsetTable familyE() {
  FieldOffsetTable t = familyD();
  t.family = models::Family::E;
  layOutPromptArea(t, text::PromptList::list119);
  t.secondSynthN = 0x4D;
  t.secondSynthR = 0x50;
  t.dualFreqSupport = 0x786;  // third byte of code slot 17
  return t;
}

FieldOffsetTable familyF() {
  FieldOffsetTable t = familyE();
  t.family = models::Family::F;
  layOutPromptArea(t, text::PromptList::list123);
  t.userKeys = 0x44;
  t.userTimeout = 0x46;
  t.userPasswordFlags = 0x48;
  return t;
}

constexpr FieldOffsetTable kFamilyA = familyA();
constexpr FieldOffsetTable kFamilyB = familyB();
constexpr FieldOffsetTable kFamilyC = familyC();

// The text areas of A and B must end before the blocks that follow them
// (D-F fill 0xEC onwards up to their 1200-byte prompt area).
constexpr Offset textAreaEnd(const FieldOffsetTable& t) {
  Offset end = 0;
  for (const auto& s : t.promptText) {
    if (s.width != 0 && s.offset + s.width > end) end = static_cast<Offset>(s.offset + s.width);
  }
  return end;
}
static_assert(textAreaEnd(kFamilyA) == 0x298);
static_assert(textAreaEnd(kFamilyB) <= 0x2EA);

}  // namespace

const FieldOffsetTable& offsetTableFor(models::Family family) {
  switch (family) {
    case models::Family::OldFormat:
    case models::Family::A: return kFamilyA;
    case models::Family::B: return kFamilyB;
    case models::Family::C: return kFamilyC;
    case models::Family::D: {
      static const FieldOffsetTable kFamilyD = familyD();
      return kFamilyD;
    }
    case models::Family::E: {
      static const FieldOffsetTable kFamilyE = familyE();
      return kFamilyE;
    }
    case models::Family::F: {
      static const FieldOffsetTable kFamilyF = familyF();
      return kFamilyF;
    }
  }
  return kFamilyA;
}

bool loadOffsetTables(FieldOffsetTable& table, models::ModelCode model) {
  const auto info = models::findModel(model);
  if (!info) return false;
  table = offsetTableFor(info->slotFamily);
  return true;
}

}  // namespace zelta::codeplug
