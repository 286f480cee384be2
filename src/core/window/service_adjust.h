#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "codeplug/settings_record.h"
#include "errors/result_code.h"
#include "models/models.h"
#include "window/service_tables.h"

namespace zelta::window {

// The values tuned per pager, as the settings hold them. The builders write
// them into the image: the second adjustment to byte 0xAE, the contrasts to
// their fields, the LCD pair to 0x73E-0x73F.
struct ServiceValues {
  std::string textContrast;  // decimal text
  std::string iconContrast;  // decimal text
  int secondAdjust = 0;      // list position 0-16
  int lcdAdjust1 = 0;
  int lcdAdjust2 = 15;

  static ServiceValues of(const codeplug::SettingsRecord& settings);
  void storeInto(codeplug::SettingsRecord& settings) const;
  bool operator==(const ServiceValues&) const = default;
};

// The adjust page's fields as they hold the values: digits as typed.
struct AdjustValues {
  int secondAdjust = 0;
  std::string textContrast;
  std::string iconContrast;
  std::string lcdAdjust1;
  std::string lcdAdjust2;

  bool operator==(const AdjustValues&) const = default;
};

// The models whose adjust page shows the LCD adjustment pair (`GroupBox1`)
// instead of the text contrast (`GroupBox2`).
bool hasLcdAdjustment(models::ModelCode model);

// The fields as the page opens with the values.
AdjustValues adjustFieldsOf(const ServiceValues& values);

// The LCD pair after every key typed into LCD adjustment 1: an empty field
// becomes "0", and the second shows the first plus 15.
void applyLcdPairRule(AdjustValues& fields);

// The first check the fields fail, with its code and the field that takes
// the focus: the text contrast above 15 (-109), the icon contrast above 3
// (-108), and with the LCD pair the first LCD value above 16 (-130). An
// empty contrast field is refused with its code too: it holds no value.
struct AdjustCheck {
  errors::ResultCode code = errors::code::Ok;
  std::optional<AdjustField> field;
};
AdjustCheck checkAdjustFields(const AdjustValues& fields, bool lcdPair);

// The values of fields that pass the checks, over the values they were
// opened with (the LCD pair only where the page has it).
ServiceValues serviceValuesOf(const AdjustValues& fields, bool lcdPair, ServiceValues base);

}  // namespace zelta::window
