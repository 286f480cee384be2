#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zelta::models {

// The one-byte model code a pager reports and image byte 1 holds.
using ModelCode = std::uint8_t;
inline constexpr ModelCode kNoModel = 0xFF;          // nothing read yet
inline constexpr ModelCode kOldGenerationId = 0xCC;  // read command: treat as old generation

// Image layout families. The old-format models (' ' '!' '"' '#') are read
// through the old-format conversion and use family A's offset slots.
enum class Family { OldFormat, A, B, C, D, E, F };

constexpr std::string_view familyName(Family family) {
  switch (family) {
    case Family::OldFormat: return "old format";
    case Family::A: return "A";
    case Family::B: return "B";
    case Family::C: return "C";
    case Family::D: return "D";
    case Family::E: return "E";
    case Family::F: return "F";
  }
  return "?";
}

struct ModelInfo {
  ModelCode code;
  Family family;      // layout as read from a pager ('!' may also come as A, 1024 bytes)
  Family slotFamily;  // which FieldOffsetTable family the model loads
  int imageBytes;     // bytes of the image the model uses
  int codes;          // codes shown on the Code pages
};

// Every model the system serves, as one registry.
inline constexpr std::array kModels{
    ModelInfo{0x20, Family::OldFormat, Family::A, 768, 4},
    ModelInfo{0x21, Family::OldFormat, Family::A, 768, 4},  // 1024-byte images are family A
    ModelInfo{0x22, Family::OldFormat, Family::A, 768, 4},
    ModelInfo{0x23, Family::OldFormat, Family::A, 768, 4},
    ModelInfo{0x30, Family::A, Family::A, 1024, 4},
    ModelInfo{0x31, Family::A, Family::A, 1024, 4},
    ModelInfo{0x32, Family::A, Family::A, 1024, 4},
    ModelInfo{0x36, Family::A, Family::A, 1024, 4},
    ModelInfo{0x3A, Family::A, Family::A, 1024, 4},
    ModelInfo{0x70, Family::B, Family::B, 1024, 6},
    ModelInfo{0x74, Family::B, Family::B, 1024, 6},
    ModelInfo{0x78, Family::B, Family::B, 1024, 6},
    ModelInfo{0x71, Family::C, Family::C, 2048, 6},
    ModelInfo{0x75, Family::C, Family::C, 2048, 6},
    ModelInfo{0x91, Family::D, Family::D, 2048, 16},
    ModelInfo{0x92, Family::D, Family::D, 2048, 16},
    ModelInfo{0x95, Family::D, Family::D, 2048, 16},
    ModelInfo{0x96, Family::D, Family::D, 2048, 16},
    ModelInfo{0x93, Family::E, Family::E, 2048, 16},
    ModelInfo{0x97, Family::E, Family::E, 2048, 16},
    ModelInfo{0x98, Family::F, Family::F, 2048, 16},
    ModelInfo{0x99, Family::F, Family::F, 2048, 16},
};

constexpr std::optional<ModelInfo> findModel(ModelCode code) {
  for (const ModelInfo& m : kModels) {
    if (m.code == code) return m;
  }
  return std::nullopt;
}

// Named sets of model codes that switch features on and off.
enum class ModelGroup {
  oneKbNewModels,       // 'p' 't' 'x': generation character '2'
  sixCodeModels,        // 'p' 't' 'x' 'q' 'u': codes 5 and 6, reminder fields at 0xB9-0xBA
  largeQModels,         // 'q' 'u': generation '3', large-image decoder and builder
  oldGeneration,        // 0xCC ' ' '!' '"' '#': old-format conversion when read from a pager
  iconContrastGroup,    // '2' 'p' 'q' 0x91 0x92 0x93 0x98
  dGroup,               // 0x91 0x92 0x95 0x96
  dualFrequencyGroup,   // 0x93 0x97
  toolsMenuModels,      // '0' '1': the converter menu
  userPasswordGroup,    // 0x98 0x99
  extendedAlertModels,  // 'q' 't' 'u' 'x' 0x91-0x93 0x95-0x99
  newProtocolModels,    // 'q' 'u' 0x91-0x93 0x95-0x99: the newer link command set
  dFamily,              // 0x91-0x93 0x95-0x99: families D, E, F
  fFamily,              // 0x98 0x99
  dualOrF,              // 0x93 0x97 0x98 0x99
  backupAllowed,        // all but ' ' '!' '"' '#' and 0x91-0x93 0x95-0x99
};

namespace detail {
template <std::size_t N>
constexpr bool anyOf(ModelCode code, const ModelCode (&members)[N]) {
  for (ModelCode m : members) {
    if (m == code) return true;
  }
  return false;
}
inline constexpr ModelCode kSixCode[] = {'p', 't', 'x', 'q', 'u'};
inline constexpr ModelCode kOneKbNew[] = {'p', 't', 'x'};
inline constexpr ModelCode kLargeQ[] = {'q', 'u'};
inline constexpr ModelCode kOldGeneration[] = {0xCC, ' ', '!', '"', '#'};
inline constexpr ModelCode kIconContrast[] = {'2', 'p', 'q', 0x91, 0x92, 0x93, 0x98};
inline constexpr ModelCode kDGroup[] = {0x91, 0x92, 0x95, 0x96};
inline constexpr ModelCode kDual[] = {0x93, 0x97};
inline constexpr ModelCode kToolsMenu[] = {'0', '1'};
inline constexpr ModelCode kUserPassword[] = {0x98, 0x99};
inline constexpr ModelCode kExtendedAlert[] = {'q',  't',  'u',  'x',  0x91, 0x92,
                                               0x93, 0x95, 0x96, 0x97, 0x98, 0x99};
inline constexpr ModelCode kNewProtocol[] = {'q',  'u',  0x91, 0x92, 0x93,
                                             0x95, 0x96, 0x97, 0x98, 0x99};
inline constexpr ModelCode kDFamily[] = {0x91, 0x92, 0x93, 0x95, 0x96, 0x97, 0x98, 0x99};
inline constexpr ModelCode kFFamily[] = {0x98, 0x99};
inline constexpr ModelCode kDualOrF[] = {0x93, 0x97, 0x98, 0x99};
inline constexpr ModelCode kNoBackup[] = {' ',  '!',  '"',  '#',  0x91, 0x92,
                                          0x93, 0x95, 0x96, 0x97, 0x98, 0x99};
}  // namespace detail

constexpr bool modelIn(ModelCode code, ModelGroup group) {
  using namespace detail;
  switch (group) {
    case ModelGroup::oneKbNewModels: return anyOf(code, kOneKbNew);
    case ModelGroup::sixCodeModels: return anyOf(code, kSixCode);
    case ModelGroup::largeQModels: return anyOf(code, kLargeQ);
    case ModelGroup::oldGeneration: return anyOf(code, kOldGeneration);
    case ModelGroup::iconContrastGroup: return anyOf(code, kIconContrast);
    case ModelGroup::dGroup: return anyOf(code, kDGroup);
    case ModelGroup::dualFrequencyGroup: return anyOf(code, kDual);
    case ModelGroup::toolsMenuModels: return anyOf(code, kToolsMenu);
    case ModelGroup::userPasswordGroup: return anyOf(code, kUserPassword);
    case ModelGroup::extendedAlertModels: return anyOf(code, kExtendedAlert);
    case ModelGroup::newProtocolModels: return anyOf(code, kNewProtocol);
    case ModelGroup::dFamily: return anyOf(code, kDFamily);
    case ModelGroup::fFamily: return anyOf(code, kFFamily);
    case ModelGroup::dualOrF: return anyOf(code, kDualOrF);
    case ModelGroup::backupAllowed: return !anyOf(code, kNoBackup);
  }
  return false;
}

}  // namespace zelta::models
