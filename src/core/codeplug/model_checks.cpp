#include "codeplug/model_checks.h"

namespace zelta::codeplug {
namespace {

namespace code = errors::code;

enum class PagerState { any, programmed, unprogrammed };

struct CompatibilityRule {
  FamilySet codeplug;
  FamilySet pager;
  PagerState state;
  errors::ResultCode result;
};

// The first rule that matches codeplug and pager decides; none matching
// means the pair may be programmed.
using F = models::Family;
constexpr CompatibilityRule kCompatibilityRules[] = {
    {{F::A}, {F::E, F::F}, PagerState::any, code::VersionsMismatch},
    {{F::B, F::C}, {F::A}, PagerState::any, code::CodeplugNewerThanPager},
    {{F::B, F::C}, {F::D, F::E, F::F}, PagerState::any, code::VersionsMismatch},
    {{F::D}, {F::A, F::B, F::C}, PagerState::any, code::CodeplugNewerThanPager},
    {{F::D}, {F::D}, PagerState::unprogrammed, code::VersionsMismatch},
    {{F::D}, {F::E, F::F}, PagerState::any, code::VersionsMismatch},
    {{F::E}, {F::E}, PagerState::programmed, code::Ok},
    {{F::E}, FamilySet::all(), PagerState::any, code::VersionsMismatch},
    {{F::F}, {F::F}, PagerState::programmed, code::Ok},
    {{F::F}, FamilySet::all(), PagerState::any, code::VersionsMismatch},
};

bool stateMatches(PagerState state, bool unprogrammed) {
  switch (state) {
    case PagerState::any: return true;
    case PagerState::programmed: return !unprogrammed;
    case PagerState::unprogrammed: return unprogrammed;
  }
  return false;
}

}  // namespace

errors::ResultCode checkModelCompatibility(models::ModelCode codeplugModel, const PagerFacts& pager,
                                           errors::Reporter& reporter) {
  for (const CompatibilityRule& rule : kCompatibilityRules) {
    if (!rule.codeplug.holds(codeplugModel) || !rule.pager.holds(pager.model) ||
        !stateMatches(rule.state, pager.unprogrammed)) {
      continue;
    }
    if (rule.result != code::Ok) reporter.ReportCode(rule.result);
    return rule.result;
  }
  return code::Ok;
}

errors::ResultCode checkHardwareVariant(const PagerFacts& pager, CodeplugImage& image,
                                        SettingsRecord& settings, errors::Reporter& reporter,
                                        const ProductionData& data) {
  int variant = pager.hardwareVariant;
  if (models::modelIn(pager.model, models::ModelGroup::dGroup)) {
    if (serialInVariantTwoRanges(pager.serialNumber, data)) {
      variant = 2;
    } else if (pager.hardwareVariant != settings.hardwareVariant) {
      return code::VersionsMismatch;
    }
  } else if (pager.hardwareVariant != settings.hardwareVariant ||
             pager.dualFrequencySupport != (settings.supportDualFreq != 0)) {
    return code::VersionsMismatch;
  }
  settings.hardwareVariant = variant;
  image.current().setBits(image.offsets().hardwareOptions, 7, 6, static_cast<unsigned>(variant));

  if (pager.band != settings.freqBand) {
    // The message gives the receiver's range: the band the pager is built
    // for, which the codeplug's frequency and band do not match.
    const BandLimits limits =
        bandLimits(pager.band, bandTableFor(pager.model, pager.serialNumber, true, data));
    reporter.context().bandLowerMHz = limits.lowerMHz;
    reporter.context().bandUpperMHz = limits.upperMHz;
    reporter.ReportCode(code::OutOfBand);
    return code::OutOfBand;
  }
  return code::Ok;
}

}  // namespace zelta::codeplug
