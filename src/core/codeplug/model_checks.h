#pragma once

#include <initializer_list>
#include <string>

#include "codeplug/codeplug_image.h"
#include "codeplug/frequency_band.h"
#include "codeplug/production_data.h"
#include "codeplug/settings_record.h"
#include "errors/reporter.h"
#include "errors/result_code.h"
#include "models/models.h"

namespace zelta::codeplug {

// A set of layout families, for the rules that pair codeplug and pager
// models by family ('!' counts as old format).
class FamilySet {
 public:
  constexpr FamilySet(std::initializer_list<models::Family> families) {
    for (models::Family f : families) bits_ |= bit(f);
  }
  static constexpr FamilySet all() { return FamilySet(0xFF); }

  constexpr bool holds(models::ModelCode model) const {
    const auto info = models::findModel(model);
    return info ? (bits_ & bit(info->family)) != 0 : bits_ == 0xFF;
  }

 private:
  constexpr explicit FamilySet(unsigned bits) : bits_(bits) {}
  static constexpr unsigned bit(models::Family f) { return 1U << static_cast<unsigned>(f); }
  unsigned bits_ = 0;
};

// What programming has learnt of the pager on the fixture: its
// identification and the values taken from its own image (the pager copy).
struct PagerFacts {
  models::ModelCode model = models::kNoModel;
  bool unprogrammed = false;
  std::string serialNumber;           // ten characters
  int hardwareVariant = 0;            // bits 7-6 of byte 0x3C
  bool dualFrequencySupport = false;  // bit 0 of byte 0x786
  int band = 0;                       // the band index the pager holds
};

// Whether a codeplug of codeplugModel may be programmed into the pager at
// all: 1, or -117 (a newer family than the pager) or -118 (families that do
// not mix, or an unprogrammed pager where a programmed one is needed), both
// already shown.
errors::ResultCode checkModelCompatibility(models::ModelCode codeplugModel, const PagerFacts& pager,
                                           errors::Reporter& reporter);

// The hardware-variant test of families D-F, after a passed compatibility
// test. D-group pagers of the variant-two production ranges take variant 2
// whatever they report; otherwise the pager's variant (and on families E and
// F its dual-frequency support) must match the codeplug's. On a pass the
// variant goes into the settings and bits 7-6 of byte 0x3C. Then the band
// the pager holds must be the selected one.
// 1; -118 on a mismatch (not shown: the caller reports it); -104 (shown,
// with the limits of the pager's band, the receiver's range) when the bands
// differ.
errors::ResultCode checkHardwareVariant(const PagerFacts& pager, CodeplugImage& image,
                                        SettingsRecord& settings, errors::Reporter& reporter,
                                        const ProductionData& data = kProductionData);

}  // namespace zelta::codeplug
