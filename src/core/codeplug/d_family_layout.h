#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "codeplug/field_offsets.h"
#include "codeplug/option_fields.h"
#include "codeplug/settings_record.h"
#include "models/models.h"

namespace zelta::codeplug {

// The option bytes of families D-F that the decoder and the builder share,
// addressed through the field-offset slots named in brackets.
//
// [hardwareOptions] 0x3C
//   7  6    | 5       | 4           | 3    | 2           | 1            | 0
//   variant | turn-on | time format | kept | on/off duty | default zoom | zoom
// [dutyOptions] 0xEB: 7 dual frequency menu (E, F) | 2 select duty source |
//   0 new alert menu; the others kept
// [defaultReminder] 0x716: 7 kept | 6-0 alert pattern
//   0x717: 7-6 kept | 5 fix alert | 4 crescendo | 3 vibration | 2-0 alert mode
// [userPasswordFlags] 0x48 (family F)
//   7 6 5 keys - 2 | 4 level | 3 enable | 2 paging auto backlight |
//   1 auto backlight mode | 0 auto display of a new message

// The option fields of families D-F that map one bit group onto one
// setting, as they stand in the image: each number in its bits, written
// masked (a flag is 0 or 1). Fields with a model filter are only the
// filter's models'; the others leave them alone.
namespace detail {
constexpr OptionField dField(Offset FieldOffsetTable::*slot, int high, int low,
                             int SettingsRecord::*setting, ModelFilter models = nullptr,
                             int byteOffset = 0) {
  return valueBits(slot, high, low, setting, models, byteOffset);
}
}  // namespace detail

inline constexpr auto kDOptionFields = std::to_array<OptionField>({
    // 0x16: address and data decode errors allowed
    detail::dField(&FieldOffsetTable::decoderOptions, 7, 6, &SettingsRecord::maxErrorsUHB7B6),
    detail::dField(&FieldOffsetTable::decoderOptions, 5, 4, &SettingsRecord::maxErrorsUHB5B4),
    // 0x3C, below the hardware variant
    detail::dField(&FieldOffsetTable::hardwareOptions, 5, 5, &SettingsRecord::turnOnPager),
    detail::dField(&FieldOffsetTable::hardwareOptions, 4, 4, &SettingsRecord::timeFormat),
    detail::dField(&FieldOffsetTable::hardwareOptions, 2, 2, &SettingsRecord::onOffDuty),
    detail::dField(&FieldOffsetTable::hardwareOptions, 1, 1, &SettingsRecord::defaultZoom),
    detail::dField(&FieldOffsetTable::hardwareOptions, 0, 0, &SettingsRecord::zoom),
    // 0x73 bit 2: combo band
    detail::dField(&FieldOffsetTable::band, 2, 2, &SettingsRecord::nwBandCombo),
    // 0x79 bit 2: single message
    detail::dField(&FieldOffsetTable::options79, 2, 2, &SettingsRecord::EnableSingleMessage),
    // 0xEB
    detail::dField(&FieldOffsetTable::dutyOptions, 7, 7, &SettingsRecord::dualFreqMenu,
                   inGroup<models::ModelGroup::dualOrF>),
    detail::dField(&FieldOffsetTable::dutyOptions, 2, 2, &SettingsRecord::selDutySource),
    detail::dField(&FieldOffsetTable::dutyOptions, 0, 0, &SettingsRecord::newAlertMenu),
    // 0x717: default reminder alert attributes
    detail::dField(&FieldOffsetTable::defaultReminder, 5, 5, &SettingsRecord::fixAlertReminder,
                   nullptr, 1),
    detail::dField(&FieldOffsetTable::defaultReminder, 4, 4,
                   &SettingsRecord::defaultReminderCrescendoMode, nullptr, 1),
    detail::dField(&FieldOffsetTable::defaultReminder, 3, 3,
                   &SettingsRecord::defaultReminderVibMode, nullptr, 1),
    // 0x786 bit 0 (third byte of code slot 17): dual-frequency support
    detail::dField(&FieldOffsetTable::dualFreqSupport, 0, 0, &SettingsRecord::supportDualFreq,
                   inGroup<models::ModelGroup::dualOrF>),
    // 0x7C7 bit 7: tone-only support
    detail::dField(&FieldOffsetTable::toneOnlySupport, 7, 7, &SettingsRecord::toneOnlySupport),
    // 0x48: user password (family F)
    detail::dField(&FieldOffsetTable::userPasswordFlags, 4, 4,
                   &SettingsRecord::fUif_User_Password_Level, inGroup<models::ModelGroup::fFamily>),
    detail::dField(&FieldOffsetTable::userPasswordFlags, 3, 3,
                   &SettingsRecord::fUif_User_Password_Enable,
                   inGroup<models::ModelGroup::fFamily>),
    detail::dField(&FieldOffsetTable::userPasswordFlags, 2, 2,
                   &SettingsRecord::cpfUif_Paging_Auto_Backlight,
                   inGroup<models::ModelGroup::fFamily>),
    detail::dField(&FieldOffsetTable::userPasswordFlags, 1, 1,
                   &SettingsRecord::cpfUif_Auto_Backlight_Mode,
                   inGroup<models::ModelGroup::fFamily>),
    detail::dField(&FieldOffsetTable::userPasswordFlags, 0, 0,
                   &SettingsRecord::cpfUif_New_Msg_Auto_Display,
                   inGroup<models::ModelGroup::fFamily>),
});

// Second byte of a per-function entry [alertTable]: five Y/N attributes of
// the function, bits 2-0 its alert mode.
struct DFunctionFlag {
  int bit;
  std::array<std::string, kMaxCodes> SettingsRecord::*letters;
};
inline constexpr std::array<DFunctionFlag, 5> kDFunctionFlags{{
    {7, &SettingsRecord::priority},
    {6, &SettingsRecord::onOffDutyFlags},
    {5, &SettingsRecord::fixAlert},
    {4, &SettingsRecord::crescendo},  // escalating
    {3, &SettingsRecord::interruptVib},
}};

// The hardware variant of bits 7-6 of 0x3C: 2 and 3 as they are, anything
// lower is the original variant 0.
constexpr int hardwareVariantFromBits(unsigned bits) {
  return bits >= 2 ? static_cast<int>(bits & 3U) : 0;
}

// `cb_codeMode`: variant 0 is list index 0, variant v (2, 3) index v - 1.
constexpr int codeModeOfVariant(int variant) {
  return variant >= 2 ? variant - 1 : 0;
}

// Byte 7, the layout generation character, by family and hardware variant:
//            variant 3  variant 2  other
//   D, E       '6'        '4'       '5'
//   F          '9'        '8'       '7'
// Nothing for a model outside families D-F.
std::optional<char> dFamilyGenerationCharacter(models::ModelCode model, int hardwareVariant);

// The firmware text whose identification makes the builder write the
// model's firmware block: "R0801" for family D, "R0802" for E, "R0803" for F.
std::optional<std::string_view> dFamilyFirmwareText(models::ModelCode model);
// Whether firmware is one of the three texts above.
bool isDFamilyFirmware(std::string_view firmware);

// The user key sequence of family F, two bits per key (0 = L, 1 = R, 2 = U,
// 3 = D), the first key in the highest used bits of the 16-bit word. At most
// eight keys fit in the word.
inline constexpr int kMaxUserKeys = 8;
// The keys of a word as digits "0"-"3".
std::string userKeyDigits(std::uint16_t word, int keyCount);
// The word of a digit text; characters other than 0-3 count as 0, keys
// beyond the eighth are dropped.
std::uint16_t userKeyWord(std::string_view digits);
// The key count a built image holds: the typed keys' when two to eight are
// typed, else the count kept in the settings (2 to 9).
int builtUserKeyCount(std::string_view digits, int keyCount);
// The keys a read gives back: a disabled password whose word is zero reads
// as none at all rather than as a run of left keys.
std::string userKeysAsRead(std::uint16_t word, int keyCount, bool enabled);
// The keys of the settings as a save and a read give them back, which is
// what the pager gets: with none typed an enabled password is the kept
// count of left keys.
std::string heldUserKeys(std::string_view digits, int keyCount, bool enabled);

}  // namespace zelta::codeplug
