#include "window/service_adjust.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace zelta::window {
namespace {

namespace rc = errors::code;

constexpr int kTextContrastMax = 15;
constexpr int kIconContrastMax = 3;
constexpr int kLcdAdjustMax = 16;
// The second LCD value follows the first at this distance.
constexpr int kLcdPairDistance = 15;
constexpr int kSecondAdjustLast = static_cast<int>(kSecondAdjustItems.size()) - 1;

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The value of a field of decimal digits; none when it holds anything else
// or nothing.
std::optional<int> decimalValue(std::string_view text) {
  text = trimmed(text);
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
  if (ec != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
  return value;
}

// A value as its field shows it: "009" is 9.
std::string fieldText(std::string_view stored) {
  if (const std::optional<int> v = decimalValue(stored)) return std::to_string(*v);
  return std::string(trimmed(stored));
}

// The text contrast as the decoder writes it.
std::string textContrastText(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%03d", value);
  return text;
}

}  // namespace

ServiceValues ServiceValues::of(const codeplug::SettingsRecord& s) {
  return ServiceValues{s.textContrast, s.iconContrast, s.serviceAdjust, s.lcdAdjust1, s.lcdAdjust2};
}

void ServiceValues::storeInto(codeplug::SettingsRecord& s) const {
  s.textContrast = textContrast;
  s.iconContrast = iconContrast;
  s.serviceAdjust = secondAdjust;
  s.lcdAdjust1 = lcdAdjust1;
  s.lcdAdjust2 = lcdAdjust2;
}

bool hasLcdAdjustment(models::ModelCode model) {
  return models::modelIn(model, models::ModelGroup::dFamily);
}

AdjustValues adjustFieldsOf(const ServiceValues& values) {
  AdjustValues fields;
  fields.secondAdjust = std::clamp(values.secondAdjust, 0, kSecondAdjustLast);
  fields.textContrast = fieldText(values.textContrast);
  fields.iconContrast = fieldText(values.iconContrast);
  fields.lcdAdjust1 = std::to_string(values.lcdAdjust1);
  fields.lcdAdjust2 = std::to_string(values.lcdAdjust2);
  return fields;
}

void applyLcdPairRule(AdjustValues& fields) {
  if (trimmed(fields.lcdAdjust1).empty()) fields.lcdAdjust1.assign(1, '0');
  if (const std::optional<int> first = decimalValue(fields.lcdAdjust1))
    fields.lcdAdjust2 = std::to_string(*first + kLcdPairDistance);
}

AdjustCheck checkAdjustFields(const AdjustValues& fields, bool lcdPair) {
  const auto above = [](const std::string& text, int max) {
    const std::optional<int> v = decimalValue(text);
    return !v || *v > max;
  };
  if (above(fields.textContrast, kTextContrastMax))
    return {rc::TextContrast, AdjustField::TextContrast};
  if (above(fields.iconContrast, kIconContrastMax))
    return {rc::IconContrast, AdjustField::IconContrast};
  if (lcdPair && above(fields.lcdAdjust1, kLcdAdjustMax))
    return {rc::TextContrast16, AdjustField::Lcd1};
  return {};
}

ServiceValues serviceValuesOf(const AdjustValues& fields, bool lcdPair, ServiceValues base) {
  base.secondAdjust = std::clamp(fields.secondAdjust, 0, kSecondAdjustLast);
  if (const std::optional<int> v = decimalValue(fields.textContrast))
    base.textContrast = textContrastText(*v);
  if (const std::optional<int> v = decimalValue(fields.iconContrast))
    base.iconContrast = std::to_string(*v);
  if (lcdPair) {
    base.lcdAdjust1 = decimalValue(fields.lcdAdjust1).value_or(0);
    base.lcdAdjust2 = decimalValue(fields.lcdAdjust2).value_or(base.lcdAdjust1 + kLcdPairDistance);
  }
  return base;
}

}  // namespace zelta::window
