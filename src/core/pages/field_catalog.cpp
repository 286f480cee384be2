#include "pages/field_catalog.h"

#include <array>
#include <functional>
#include <stdexcept>
#include <string_view>

#include "codeplug/settings_record.h"
#include "pages/field_ids.h"
#include "pages/field_rows.h"

namespace zelta::pages {
namespace {

using field_rows::kFields;

// Where each ID sits in the table, -1 where none does.
constexpr auto kPositionOfId = [] {
  std::array<int, kLastFieldId + 1> at{};
  at.fill(-1);
  for (std::size_t i = 0; i < kFields.size(); ++i) {
    if (kFields[i].id != kNoFieldId)
      at[static_cast<std::size_t>(kFields[i].id)] = static_cast<int>(i);
  }
  return at;
}();

// The settings descriptor of every row, by position; the one join by name.
std::array<const codeplug::FieldDescriptor*, kFields.size()> joinSettings() {
  std::array<const codeplug::FieldDescriptor*, kFields.size()> settings{};
  for (std::size_t i = 0; i < kFields.size(); ++i) {
    settings[i] = codeplug::findSettingsField(kFields[i].name);
  }
  return settings;
}

}  // namespace

std::span<const FieldEntry> allFields() {
  return kFields;
}

const FieldEntry* findField(FieldId id) {
  if (id < kFirstFieldId || id > kLastFieldId) return nullptr;
  const int at = kPositionOfId[static_cast<std::size_t>(id)];
  return at < 0 ? nullptr : &kFields[static_cast<std::size_t>(at)];
}

const FieldEntry* findField(std::string_view name) {
  for (const FieldEntry& f : kFields) {
    if (f.name == name) return &f;
  }
  return nullptr;
}

const codeplug::FieldDescriptor* settingOf(const FieldEntry& field) {
  static const auto kSettings = joinSettings();
  const FieldEntry* first = kFields.data();
  if (std::less<>{}(&field, first) || !std::less<>{}(&field, first + kFields.size())) {
    throw std::logic_error("settingOf: a field outside the catalog");
  }
  return kSettings[static_cast<std::size_t>(&field - first)];
}

PageModuleId owningModule(const FieldEntry& field) {
  // Canned messages, 14-bit decoding and the display contrast sit on
  // "More Features" but are stored and refreshed with the Features page.
  constexpr std::array kFeaturesFieldsOnMoreFeatures{
      fieldId("cb_B14bitDecoding"), fieldId("cb_ideoNumericCanned"), fieldId("cb_regularCannedMsg"),
      fieldId("ed_startCannedMsg"), fieldId("ed_endCannedMsg"),      fieldId("cb_displayContrast")};
  for (FieldId id : kFeaturesFieldsOnMoreFeatures) {
    if (field.id == id) return PageModuleId::Features;
  }
  return moduleOfPage(field.page);
}

namespace {
// Control name prefixes of the code-row columns, in CodeColumn order.
constexpr std::array<std::string_view, 11> kCodeColumnPrefixes{
    "ed_code",      "ed_function",  "ed_priority",    "cb_codeType",
    "ed_history",   "ed_onOffDuty", "ed_fixAlert",    "ed_interruptVib",
    "ed_crescendo", "cb_alertMode", "cb_alertPattern"};
}  // namespace

std::optional<CodeColumn> codeColumnOf(const FieldEntry& field) {
  if (field.row == 0 || moduleOfPage(field.page) != PageModuleId::GeneralCode) return std::nullopt;
  for (std::size_t i = 0; i < kCodeColumnPrefixes.size(); ++i) {
    if (field.name.starts_with(kCodeColumnPrefixes[i])) return static_cast<CodeColumn>(i);
  }
  return std::nullopt;
}

const FieldEntry* codeRowField(CodeColumn column, int code, int function) {
  const std::string_view prefix = kCodeColumnPrefixes[static_cast<std::size_t>(column)];
  for (const FieldEntry& f : kFields) {
    if (f.row == code && f.column == function && f.name.starts_with(prefix)) {
      return &f;
    }
  }
  return nullptr;
}

}  // namespace zelta::pages
