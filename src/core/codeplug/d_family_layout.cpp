#include "codeplug/d_family_layout.h"

#include <algorithm>
#include <array>

namespace zelta::codeplug {
namespace {

struct GenerationRow {
  models::Family family;
  char variant3;
  char variant2;
  char other;
};

constexpr std::array<GenerationRow, 3> kGenerations{{
    {models::Family::D, '6', '4', '5'},
    {models::Family::E, '6', '4', '5'},
    {models::Family::F, '9', '8', '7'},
}};

struct FirmwareRow {
  models::Family family;
  std::string_view firmware;
};

constexpr std::array<FirmwareRow, 3> kFirmware{{
    {models::Family::D, "R0801"},
    {models::Family::E, "R0802"},
    {models::Family::F, "R0803"},
}};

std::optional<models::Family> familyOf(models::ModelCode model) {
  const auto info = models::findModel(model);
  if (!info) return std::nullopt;
  return info->family;
}

}  // namespace

std::optional<char> dFamilyGenerationCharacter(models::ModelCode model, int hardwareVariant) {
  const auto family = familyOf(model);
  for (const GenerationRow& row : kGenerations) {
    if (family != row.family) continue;
    if (hardwareVariant == 3) return row.variant3;
    if (hardwareVariant == 2) return row.variant2;
    return row.other;
  }
  return std::nullopt;
}

std::optional<std::string_view> dFamilyFirmwareText(models::ModelCode model) {
  const auto family = familyOf(model);
  for (const FirmwareRow& row : kFirmware) {
    if (family == row.family) return row.firmware;
  }
  return std::nullopt;
}

bool isDFamilyFirmware(std::string_view firmware) {
  return std::any_of(kFirmware.begin(), kFirmware.end(),
                     [&](const FirmwareRow& row) { return row.firmware == firmware; });
}

std::string userKeyDigits(std::uint16_t word, int keyCount) {
  const int keys = std::clamp(keyCount, 0, kMaxUserKeys);
  std::string digits;
  for (int k = 0; k < keys; ++k) {
    const int shift = 2 * (keys - 1 - k);
    digits.push_back(static_cast<char>('0' + ((word >> shift) & 3)));
  }
  return digits;
}

std::uint16_t userKeyWord(std::string_view digits) {
  if (digits.size() > kMaxUserKeys) digits = digits.substr(0, kMaxUserKeys);
  unsigned word = 0;
  for (char c : digits) {
    const unsigned key = (c >= '0' && c <= '3') ? static_cast<unsigned>(c - '0') : 0U;
    word = (word << 2) | key;
  }
  return static_cast<std::uint16_t>(word);
}

int builtUserKeyCount(std::string_view digits, int keyCount) {
  const int kept = std::clamp(keyCount, 2, 9);
  const auto typed = static_cast<int>(digits.size());
  if (typed >= 2 && typed <= kMaxUserKeys && typed != std::min(kept, kMaxUserKeys)) return typed;
  return kept;
}

std::string userKeysAsRead(std::uint16_t word, int keyCount, bool enabled) {
  if (word == 0 && !enabled) return {};
  return userKeyDigits(word, keyCount);
}

std::string heldUserKeys(std::string_view digits, int keyCount, bool enabled) {
  return userKeysAsRead(userKeyWord(digits), builtUserKeyCount(digits, keyCount), enabled);
}

}  // namespace zelta::codeplug
