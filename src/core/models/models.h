#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zelta::models {

// The one-byte model code a pager reports and image byte 1 holds.
using ModelCode = std::uint8_t;
inline constexpr ModelCode kNoModel = 0xFF;          // nothing read yet
inline constexpr ModelCode kOldGenerationId = 0xCC;  // read command: treat as old generation

// The four old-format models. Each has rules of its own beyond what the
// registry's columns and groups below express; those rules name them here.
inline constexpr ModelCode kModelSpace = 0x20;  // ' ': the first layout
inline constexpr ModelCode kModelBang = 0x21;   // '!': also sent as a 1 KB family A image
inline constexpr ModelCode kModelQuote = 0x22;  // '"': a Thai language selects the Thai ROM
inline constexpr ModelCode kModelHash = 0x23;   // '#': raw prompts, the ideographic ROM

// The layout the converter turns older codeplugs into: the 2 KB family D.
inline constexpr ModelCode kConverterTargetModel = 0x91;

// '!' on a pager with the extended firmware takes family A's 1 KB image
// instead of the old format's 768 bytes, and may be written.
constexpr bool takesFamilyAImage(ModelCode model, std::uint8_t extendedFirmware) {
  return model == kModelBang && extendedFirmware == 1;
}

// The first layout (' ') has no memory split to choose and no clock.
constexpr bool hasMemorySplitChoice(ModelCode model) {
  return model != kModelSpace;
}
constexpr bool hasClock(ModelCode model) {
  return model != kModelSpace;
}

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

// The firmware block a program writes for a model, with the firmware text
// that selects it (see codeplug/firmware_blocks.h and the main builder).
enum class FirmwareBlock {
  None,
  R0103,  // '!': the R0103 head and block
  R0104,  // '0' '1': the R0104 blocks
  R0105,  // '2' ':': the pattern block
  R0602,  // 'p' 'x': the pattern block
};

// The firmware text whose flag selects the block; empty for none.
constexpr std::string_view firmwareText(FirmwareBlock block) {
  switch (block) {
    case FirmwareBlock::None: return "";
    case FirmwareBlock::R0103: return "R0103";
    case FirmwareBlock::R0104: return "R0104";
    case FirmwareBlock::R0105: return "R0105";
    case FirmwareBlock::R0602: return "R0602";
  }
  return "";
}

// Which of the two firmware patterns the model's block carries.
enum class BlockPattern { None, P, Q };

// Spare areas the main builder fills for a pager firmware.
enum class SpareFill {
  None,
  R0104,       // '0' '1' with "R0104"
  R0105OrR06,  // with "R0601", "R0602" or "R0105"
};

struct ModelInfo {
  ModelCode code;
  Family family;      // layout as read from a pager ('!' may also come as A, 1024 bytes)
  Family slotFamily;  // which FieldOffsetTable family the model loads
  int imageBytes;     // bytes of the image the model uses
  int codes;          // codes shown on the Code pages
  // The image block the link exchanges ('!' with the extended firmware flag
  // moves 1024). Model '6' keeps a 1024-byte image but the link never
  // serves it: its model check refuses '6', and the block table counts it
  // with the 768-byte models, so its block stays 768 here.
  int linkBlockBytes;
  // The flags below are 1/0 columns in kModels.
  bool linkServed;     // the link's model check accepts it (not '6')
  bool iconContrast;   // icon contrast stored as complement OR 0x7C
  bool toolsMenu;      // the Tools menu (converter) is shown
  bool extendedAlert;  // default alert and reminder settings
  bool fourCodePages;  // the four-code page layout row (1 KB family A images)
  FirmwareBlock firmwareBlock;
  BlockPattern firmwarePattern;
  SpareFill spareFill;
};

// Every model the system serves, as one registry. The 1/0 columns are the
// flags linkServed, iconContrast, toolsMenu, extendedAlert, fourCodePages.
// clang-format off
//   code  family             slots      image cds block flags          firmware block        pattern             spare fill
inline constexpr std::array<ModelInfo, 22> kModels{{
    {0x20, Family::OldFormat, Family::A, 768,  4,  768,  0, 0, 0, 0, 0, FirmwareBlock::None,  BlockPattern::None, SpareFill::None      },
    {0x21, Family::OldFormat, Family::A, 768,  4,  768,  0, 0, 0, 0, 1, FirmwareBlock::R0103, BlockPattern::None, SpareFill::None      },  // 1024-byte images are family A
    {0x22, Family::OldFormat, Family::A, 768,  4,  768,  0, 0, 0, 0, 0, FirmwareBlock::None,  BlockPattern::None, SpareFill::None      },
    {0x23, Family::OldFormat, Family::A, 768,  4,  768,  0, 0, 0, 0, 0, FirmwareBlock::None,  BlockPattern::None, SpareFill::None      },
    {0x30, Family::A,         Family::A, 1024, 4,  1024, 1, 0, 1, 0, 1, FirmwareBlock::R0104, BlockPattern::None, SpareFill::R0104     },
    {0x31, Family::A,         Family::A, 1024, 4,  1024, 1, 0, 1, 0, 1, FirmwareBlock::R0104, BlockPattern::None, SpareFill::R0104     },
    {0x32, Family::A,         Family::A, 1024, 4,  1024, 1, 1, 0, 0, 1, FirmwareBlock::R0105, BlockPattern::P,    SpareFill::R0105OrR06},
    {0x36, Family::A,         Family::A, 1024, 4,  768,  0, 0, 0, 0, 1, FirmwareBlock::None,  BlockPattern::None, SpareFill::R0105OrR06},  // not served by the link
    {0x3A, Family::A,         Family::A, 1024, 4,  1024, 1, 0, 0, 0, 1, FirmwareBlock::R0105, BlockPattern::Q,    SpareFill::R0105OrR06},
    {0x70, Family::B,         Family::B, 1024, 6,  1024, 1, 1, 0, 0, 0, FirmwareBlock::R0602, BlockPattern::P,    SpareFill::R0105OrR06},
    {0x74, Family::B,         Family::B, 1024, 6,  1024, 1, 0, 0, 1, 0, FirmwareBlock::None,  BlockPattern::None, SpareFill::R0105OrR06},
    {0x78, Family::B,         Family::B, 1024, 6,  1024, 1, 0, 0, 1, 0, FirmwareBlock::R0602, BlockPattern::Q,    SpareFill::R0105OrR06},
    {0x71, Family::C,         Family::C, 2048, 6,  2048, 1, 1, 0, 1, 0, FirmwareBlock::None,  BlockPattern::P,    SpareFill::None      },
    {0x75, Family::C,         Family::C, 2048, 6,  2048, 1, 0, 0, 1, 0, FirmwareBlock::None,  BlockPattern::Q,    SpareFill::None      },
    {0x91, Family::D,         Family::D, 2048, 16, 2048, 1, 1, 0, 1, 0, FirmwareBlock::None,  BlockPattern::P,    SpareFill::None      },
    {0x92, Family::D,         Family::D, 2048, 16, 2048, 1, 1, 0, 1, 0, FirmwareBlock::None,  BlockPattern::P,    SpareFill::None      },
    {0x95, Family::D,         Family::D, 2048, 16, 2048, 1, 0, 0, 1, 0, FirmwareBlock::None,  BlockPattern::Q,    SpareFill::None      },
    {0x96, Family::D,         Family::D, 2048, 16, 2048, 1, 0, 0, 1, 0, FirmwareBlock::None,  BlockPattern::Q,    SpareFill::None      },
    {0x93, Family::E,         Family::E, 2048, 16, 2048, 1, 1, 0, 1, 0, FirmwareBlock::None,  BlockPattern::P,    SpareFill::None      },
    {0x97, Family::E,         Family::E, 2048, 16, 2048, 1, 0, 0, 1, 0, FirmwareBlock::None,  BlockPattern::Q,    SpareFill::None      },
    {0x98, Family::F,         Family::F, 2048, 16, 2048, 1, 1, 0, 1, 0, FirmwareBlock::None,  BlockPattern::P,    SpareFill::None      },
    {0x99, Family::F,         Family::F, 2048, 16, 2048, 1, 0, 0, 1, 0, FirmwareBlock::None,  BlockPattern::Q,    SpareFill::None      },
}};
// clang-format on

constexpr std::optional<ModelInfo> findModel(ModelCode code) {
  for (const ModelInfo& m : kModels) {
    if (m.code == code) return m;
  }
  return std::nullopt;
}

// Named sets of model codes that switch features on and off; each is read
// from the registry rows above.
enum class ModelGroup {
  oneKbNewModels,       // family B: generation character '2'
  sixCodeModels,        // six codes (B, C): codes 5 and 6, reminder fields at 0xB9-0xBA
  largeQModels,         // family C: generation '3', large-image decoder and builder
  oldGeneration,        // 0xCC and the old format: old-format conversion when read from a pager
  iconContrastGroup,    // the iconContrast column
  dGroup,               // family D
  dualFrequencyGroup,   // family E
  toolsMenuModels,      // the toolsMenu column: the converter menu
  userPasswordGroup,    // family F
  extendedAlertModels,  // the extendedAlert column
  newProtocolModels,    // families C-F: the newer link command set
  dFamily,              // families D, E, F
  fFamily,              // family F
  dualOrF,              // families E, F
  backupAllowed,        // every code but the old format and families D-F
  linkServed,           // the linkServed column
  clearsIconContrast,   // 1 KB models (A, B) outside the icon contrast group: byte 0x321 written 0
  fourCodePages,        // the fourCodePages column
  rawPrompts,           // '#': prompts held as raw bytes, never as text
  keepsCodeHistory,     // ' ' '#': the history column is kept for every code type
  programmedSingly,     // F5 and F6: the models the link serves and the old format (not '6')
};

constexpr bool isDFamily(Family f) {
  return f == Family::D || f == Family::E || f == Family::F;
}

constexpr bool modelIn(ModelCode code, ModelGroup group) {
  // 0xCC is no model: the read command answers it for an old-generation
  // pager; it joins that group and, like any unknown code, keeps backups.
  if (code == kOldGenerationId)
    return group == ModelGroup::oldGeneration || group == ModelGroup::backupAllowed;
  const std::optional<ModelInfo> m = findModel(code);
  // Backups are refused by model; a code the registry does not know keeps them.
  if (!m) return group == ModelGroup::backupAllowed;
  const Family f = m->family;
  switch (group) {
    case ModelGroup::oneKbNewModels: return f == Family::B;
    case ModelGroup::sixCodeModels: return m->codes == 6;
    case ModelGroup::largeQModels: return f == Family::C;
    case ModelGroup::oldGeneration: return f == Family::OldFormat;
    case ModelGroup::iconContrastGroup: return m->iconContrast;
    case ModelGroup::dGroup: return f == Family::D;
    case ModelGroup::dualFrequencyGroup: return f == Family::E;
    case ModelGroup::toolsMenuModels: return m->toolsMenu;
    case ModelGroup::userPasswordGroup: return f == Family::F;
    case ModelGroup::extendedAlertModels: return m->extendedAlert;
    case ModelGroup::newProtocolModels: return f == Family::C || isDFamily(f);
    case ModelGroup::dFamily: return isDFamily(f);
    case ModelGroup::fFamily: return f == Family::F;
    case ModelGroup::dualOrF: return f == Family::E || f == Family::F;
    case ModelGroup::backupAllowed: return f != Family::OldFormat && !isDFamily(f);
    case ModelGroup::linkServed: return m->linkServed;
    case ModelGroup::clearsIconContrast:
      return (f == Family::A || f == Family::B) && !m->iconContrast;
    case ModelGroup::fourCodePages: return m->fourCodePages;
    case ModelGroup::rawPrompts: return code == kModelHash;
    case ModelGroup::keepsCodeHistory: return code == kModelSpace || code == kModelHash;
    case ModelGroup::programmedSingly: return m->linkServed || f == Family::OldFormat;
  }
  return false;
}

// The character ROM an old-format pager carries, where its model fixes it:
// '#' always has the ideographic ROM (4); '"' has the Thai ROM (3) when its
// language byte (image 0x71, code in bits 7-2) names Thai (18). Otherwise
// the codeplug's own ROM type stands.
inline constexpr std::uint8_t kIdeographicRom = 4;
inline constexpr std::uint8_t kThaiRom = 3;
inline constexpr std::size_t kOldLanguageByte = 0x71;
inline constexpr unsigned kOldThaiLanguageCode = 18;

constexpr std::uint8_t oldModelCharacterRom(ModelCode model, std::uint8_t languageByte,
                                            std::uint8_t codeplugRom) {
  if (model == kModelHash) return kIdeographicRom;
  if (model == kModelQuote && (languageByte >> 2) == kOldThaiLanguageCode) return kThaiRom;
  return codeplugRom;
}

// One model of each family, the first the registry lists: for checks that
// must hold for every layout.
constexpr std::array<ModelCode, 7> oneModelPerFamily() {
  std::array<ModelCode, 7> out{};
  std::size_t n = 0;
  for (const ModelInfo& m : kModels) {
    bool seen = false;
    for (std::size_t i = 0; i < n; ++i) seen = seen || findModel(out[i])->family == m.family;
    if (!seen) out[n++] = m.code;
  }
  return out;
}

}  // namespace zelta::models
