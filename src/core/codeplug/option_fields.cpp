#include "codeplug/option_fields.h"

namespace zelta::codeplug {

unsigned SettingMember::get(const SettingsRecord& s) const {
  if (index_ != nullptr) return static_cast<unsigned>(s.*index_);
  if (flag_ != nullptr) return s.*flag_ ? 1U : 0U;
  if (keptIndex_ != nullptr) return static_cast<unsigned>(s.kept.*keptIndex_);
  return s.kept.*keptFlag_ ? 1U : 0U;
}

void SettingMember::set(SettingsRecord& s, unsigned value) const {
  if (index_ != nullptr) {
    s.*index_ = static_cast<int>(value);
  } else if (flag_ != nullptr) {
    s.*flag_ = value != 0;
  } else if (keptIndex_ != nullptr) {
    s.kept.*keptIndex_ = static_cast<int>(value);
  } else {
    s.kept.*keptFlag_ = value != 0;
  }
}

namespace {

bool hasField(const OptionField& field, models::ModelCode model) {
  return field.models == nullptr || field.models(model);
}

std::size_t offsetOf(const OptionField& field, const FieldOffsetTable& slots) {
  return static_cast<std::size_t>(slots.*field.slot) + static_cast<std::size_t>(field.byteOffset);
}

}  // namespace

void readOptionFields(std::span<const OptionField> fields, ConstImageView bytes,
                      const FieldOffsetTable& slots, models::ModelCode model,
                      SettingsRecord& settings) {
  for (const OptionField& field : fields) {
    if (!hasField(field, model)) continue;
    const std::size_t at = offsetOf(field, slots);
    switch (field.stored) {
      case Stored::Yes: field.setting.set(settings, bytes.bit(at, field.high) ? 1 : 0); break;
      case Stored::No: field.setting.set(settings, bytes.bit(at, field.high) ? 0 : 1); break;
      case Stored::Value: field.setting.set(settings, bytes.bits(at, field.high, field.low)); break;
    }
  }
}

void writeOptionFields(std::span<const OptionField> fields, ImageView bytes,
                       const FieldOffsetTable& slots, models::ModelCode model,
                       const SettingsRecord& settings) {
  for (const OptionField& field : fields) {
    if (!hasField(field, model)) continue;
    const std::size_t at = offsetOf(field, slots);
    const unsigned value = field.setting.get(settings);
    switch (field.stored) {
      case Stored::Yes: bytes.setBit(at, field.high, value != 0); break;
      case Stored::No: bytes.setBit(at, field.high, value == 0); break;
      case Stored::Value: bytes.setBits(at, field.high, field.low, value); break;
    }
  }
}

}  // namespace zelta::codeplug
