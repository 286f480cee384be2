#pragma once

#include <array>
#include <span>

#include "codeplug/field_offsets.h"
#include "codeplug/image_view.h"
#include "codeplug/settings_record.h"
#include "models/models.h"

namespace zelta::codeplug {

// One rule for a field that maps bits of one image byte onto one setting,
// read by the decoders and written by the builders from the same row, so
// that a bit number is stated once.

// The setting a field stands for: a list index or number of the record, a
// flag of the record, or a value the record keeps for the image.
class SettingMember {
 public:
  constexpr SettingMember(int SettingsRecord::*index) : index_(index) {}
  constexpr SettingMember(bool SettingsRecord::*flag) : flag_(flag) {}
  constexpr SettingMember(int KeptBytes::*index) : keptIndex_(index) {}
  constexpr SettingMember(bool KeptBytes::*flag) : keptFlag_(flag) {}

  unsigned get(const SettingsRecord& settings) const;
  void set(SettingsRecord& settings, unsigned value) const;

 private:
  int SettingsRecord::*index_ = nullptr;
  bool SettingsRecord::*flag_ = nullptr;
  int KeptBytes::*keptIndex_ = nullptr;
  bool KeptBytes::*keptFlag_ = nullptr;
};

// How the setting stands in the bits.
enum class Stored {
  Yes,    // one bit, set for "Yes" (any index but 0); read as 0 "No" or 1 "Yes"
  No,     // one bit, set for "No" (index 0)
  Value,  // the setting's number in bits high..low, excess high bits dropped
};

// The models that have a field; nullptr for every model.
using ModelFilter = bool (*)(models::ModelCode);

template <models::ModelGroup G>
constexpr bool inGroup(models::ModelCode model) {
  return models::modelIn(model, G);
}
constexpr bool isModelSpace(models::ModelCode model) {
  return model == models::kModelSpace;
}
constexpr bool notModelSpace(models::ModelCode model) {
  return model != models::kModelSpace;
}

// Bits high..low of the byte at (slot + byteOffset).
struct OptionField {
  Offset FieldOffsetTable::*slot;
  int byteOffset;
  int high;
  int low;
  SettingMember setting;
  Stored stored;
  ModelFilter models = nullptr;
};

// A one-bit Yes/No field (stored Yes or No) and a field holding a number.
constexpr OptionField flagBit(Offset FieldOffsetTable::*slot, int bit, SettingMember setting,
                              Stored stored = Stored::Yes, ModelFilter models = nullptr) {
  return {slot, 0, bit, bit, setting, stored, models};
}
constexpr OptionField valueBits(Offset FieldOffsetTable::*slot, int high, int low,
                                SettingMember setting, ModelFilter models = nullptr,
                                int byteOffset = 0) {
  return {slot, byteOffset, high, low, setting, Stored::Value, models};
}

// Reads (writes) every field of fields that the model has.
void readOptionFields(std::span<const OptionField> fields, ConstImageView bytes,
                      const FieldOffsetTable& slots, models::ModelCode model,
                      SettingsRecord& settings);
void writeOptionFields(std::span<const OptionField> fields, ImageView bytes,
                       const FieldOffsetTable& slots, models::ModelCode model,
                       const SettingsRecord& settings);

// --- Fields every family keeps at the same offsets ---
//
// The rules beside these bytes that are not one bit or field for one
// setting (derived, forced, encoded or depending on the character ROM) stay
// in common_fields.cpp.
inline constexpr auto kCommonOptionFields = std::to_array<OptionField>({
    flagBit(&FieldOffsetTable::stopDecodeMissSync, 4, &SettingsRecord::stopDecodeMissSync),
    // 0x71 bit 0
    flagBit(&FieldOffsetTable::promptLanguage, 0, &SettingsRecord::silentRFProgramming),
    // 0x73 bits 2-0 (the band bits above them are the band's), 0x74 bits 1-0
    valueBits(&FieldOffsetTable::band, 2, 0, &KeptBytes::bandLowBits),
    valueBits(&FieldOffsetTable::kept74, 1, 0, &KeptBytes::byte74Bits),
    // 0x75 bit 7
    flagBit(&FieldOffsetTable::cannedOptions, 7, &SettingsRecord::B14bitDecoding),
    // 0x76 (bit 7, the maildrop notebook, model ' ' lacks)
    flagBit(&FieldOffsetTable::options76, 6, &SettingsRecord::personalMessageNotebook),
    flagBit(&FieldOffsetTable::options76, 5, &SettingsRecord::printerEnabled),
    flagBit(&FieldOffsetTable::options76, 4, &SettingsRecord::individualMessageAlarm),
    flagBit(&FieldOffsetTable::options76, 3, &SettingsRecord::memoryCleanup),
    flagBit(&FieldOffsetTable::options76, 2, &SettingsRecord::disableAllAlerts, Stored::No),
    flagBit(&FieldOffsetTable::options76, 1, &SettingsRecord::deafPager, Stored::No),
    flagBit(&FieldOffsetTable::options76, 0, &SettingsRecord::allowOff),
    // 0x77 (bit 7 manual delete, bit 3 the clock again)
    flagBit(&FieldOffsetTable::options77, 6, &SettingsRecord::messageLocking),
    flagBit(&FieldOffsetTable::options77, 5, &SettingsRecord::realTimeClock),
    flagBit(&FieldOffsetTable::options77, 4, &SettingsRecord::autoOnOff),
    flagBit(&FieldOffsetTable::options77, 2, &SettingsRecord::userChangableAlertMode),
    flagBit(&FieldOffsetTable::options77, 1, &SettingsRecord::userSelectableAlerts),
    flagBit(&FieldOffsetTable::options77, 0, &SettingsRecord::enableMaildropAlert),
    // 0x78 (bits 7-6 menu display, bit 0 14-bit decoding of ROM 3)
    flagBit(&FieldOffsetTable::options78, 5, &SettingsRecord::messagePreview, Stored::No),
    flagBit(&FieldOffsetTable::options78, 4, &SettingsRecord::badDataIndication),
    flagBit(&FieldOffsetTable::options78, 3, &SettingsRecord::deleteSlotNumber),
    flagBit(&FieldOffsetTable::options78, 2, &SettingsRecord::truncatedMessageIndicator),
    flagBit(&FieldOffsetTable::options78, 1, &SettingsRecord::messageContinueIndicator),
    // 0x79 (bits 4-3 ideographic canned messages)
    flagBit(&FieldOffsetTable::options79, 7, &SettingsRecord::internationalDate),
    flagBit(&FieldOffsetTable::options79, 6, &SettingsRecord::showTimeStamp),
    flagBit(&FieldOffsetTable::options79, 5, &SettingsRecord::autoAlarmTurnOn),
    flagBit(&FieldOffsetTable::options79, 2, &KeptBytes::byte79Bit2),
    flagBit(&FieldOffsetTable::options79, 1, &SettingsRecord::promptsAsText),
    flagBit(&FieldOffsetTable::options79, 0, &SettingsRecord::showSource),
    // 0x7A, 0x7B (bits 3-0 code types; 0x7B bit 7 the memory size)
    flagBit(&FieldOffsetTable::options7A, 6, &SettingsRecord::retainBetterMaildrop),
    flagBit(&FieldOffsetTable::options7A, 5, &SettingsRecord::retainErroredNonNumeric),
    flagBit(&FieldOffsetTable::options7A, 4, &SettingsRecord::retainErroredNumeric),
    flagBit(&FieldOffsetTable::options7B, 6, &SettingsRecord::sourceIndependentDuplication),
    flagBit(&FieldOffsetTable::options7B, 5, &SettingsRecord::duplication),
    flagBit(&FieldOffsetTable::options7B, 4, &SettingsRecord::nonVolatileMemory),
    // 0x7C (bit 1 alert duration)
    flagBit(&FieldOffsetTable::alertOptions, 7, &SettingsRecord::std4RepeatPeriod),
    flagBit(&FieldOffsetTable::alertOptions, 6, &SettingsRecord::vibrator),
    flagBit(&FieldOffsetTable::alertOptions, 5, &SettingsRecord::std4PulseDuration),
    flagBit(&FieldOffsetTable::alertOptions, 4, &SettingsRecord::autoOnOffAlert),
    flagBit(&FieldOffsetTable::alertOptions, 3, &SettingsRecord::oorAlert),
    flagBit(&FieldOffsetTable::alertOptions, 2, &SettingsRecord::lowCellAlert),
    flagBit(&FieldOffsetTable::alertOptions, 0, &SettingsRecord::manualAlertReset),
    // 0x7D (bit 7 alert duration 2); model ' ' has no display byte
    flagBit(&FieldOffsetTable::displayOptions, 6, &SettingsRecord::receiveWhileOff, Stored::Yes,
            notModelSpace),
    flagBit(&FieldOffsetTable::displayOptions, 5, &SettingsRecord::showMemFull, Stored::Yes,
            notModelSpace),
    flagBit(&FieldOffsetTable::displayOptions, 4, &SettingsRecord::batteryGauge, Stored::Yes,
            notModelSpace),
    flagBit(&FieldOffsetTable::displayOptions, 3, &SettingsRecord::alarmAlwaysAudible, Stored::Yes,
            notModelSpace),
    flagBit(&FieldOffsetTable::displayOptions, 2, &SettingsRecord::keyChirp, Stored::Yes,
            notModelSpace),
    flagBit(&FieldOffsetTable::displayOptions, 1, &SettingsRecord::autoBacklight, Stored::No,
            notModelSpace),
    // 0x85
    valueBits(&FieldOffsetTable::alertFrequency, 3, 0, &SettingsRecord::alertFrequency),
    // 0xAC on model ' ': contrast and backlight (the others keep the text
    // contrast there)
    valueBits(&FieldOffsetTable::textContrast, 3, 0, &SettingsRecord::displayContrast,
              isModelSpace),
    flagBit(&FieldOffsetTable::textContrast, 4, &SettingsRecord::autoBacklight, Stored::No,
            isModelSpace),
    // 0xAD
    valueBits(&FieldOffsetTable::lowCellPeriod, 3, 0, &SettingsRecord::lowCellPeriod),
    // 0xB9 (bits 7-4 the default reminder alert)
    valueBits(&FieldOffsetTable::reminderAlert, 3, 2, &SettingsRecord::reminderAlertDuration,
              inGroup<models::ModelGroup::sixCodeModels>),
    flagBit(&FieldOffsetTable::reminderAlert, 1, &KeptBytes::byteB9Bit1),
});

// 0x73 bit 7, beside the band index that the band rules handle.
inline constexpr OptionField kNarrowBandField =
    flagBit(&FieldOffsetTable::band, 7, &SettingsRecord::nwBand);

// --- Families A-C: code block fields ---
// The zoom bit and the receiver values P1-P3 (which the builder sets by
// coding format and band before writing them).
inline constexpr auto kMainFamilyFields = std::to_array<OptionField>({
    flagBit(&FieldOffsetTable::zoom, 7, &SettingsRecord::zoom),
    valueBits(&FieldOffsetTable::dataInversion, 7, 6, &SettingsRecord::receiverP2),
    valueBits(&FieldOffsetTable::emptyFlagCode1, 7, 4, &SettingsRecord::receiverP1),
    valueBits(&FieldOffsetTable::receiverP3, 7, 2, &SettingsRecord::receiverP3),
});

}  // namespace zelta::codeplug
