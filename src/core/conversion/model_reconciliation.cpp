#include "conversion/model_reconciliation.h"

#include <algorithm>

namespace zelta::conversion {
namespace {

using codeplug::FamilySet;
using models::Family;
namespace code = errors::code;

enum class Action {
  keepImage,        // written as it stands
  build,            // built for the pager's model
  newerPager,       // -115; default prompts of the language, build, serial number
  newerLargePager,  // -115; a 2 KB 'q' image from the codeplug, serial number
  newerFamilyD,     // -115 on a programmed pager; the converter, serial number
  differentOneKb,   // -116; the 'q' code block back to the 1 KB place, build, serial number
  stop,
};

struct ReconcileRule {
  FamilySet codeplug;
  FamilySet pager;
  Action action;
};

using F = Family;
constexpr ReconcileRule kReconcileRules[] = {
    {{F::OldFormat}, FamilySet::all(), Action::keepImage},
    {{F::A}, {F::A}, Action::build},
    {{F::A}, {F::B}, Action::newerPager},
    {{F::A, F::B}, {F::C}, Action::newerLargePager},
    {{F::A}, {F::D}, Action::newerFamilyD},
    {{F::B}, {F::B}, Action::build},
    {{F::C}, {F::B}, Action::differentOneKb},
    {{F::C}, {F::C}, Action::build},
    {{F::D}, {F::D}, Action::build},
    {{F::E}, {F::E}, Action::build},
    {{F::F}, {F::F}, Action::build},
};

// The code block and synthesizer: 0x700-0x721 in the 2 KB layout, 0x300-0x321 in the 1 KB one.
constexpr std::size_t kLargeCodeBlock = 0x700;
constexpr std::size_t kCodeBlock = 0x300;
constexpr std::size_t kCodeBlockBytes = 34;
constexpr std::size_t kSerialNumberBytes = 10;

Action actionFor(models::ModelCode codeplugModel, models::ModelCode pagerModel) {
  for (const ReconcileRule& rule : kReconcileRules) {
    if (rule.codeplug.holds(codeplugModel) && rule.pager.holds(pagerModel)) return rule.action;
  }
  return Action::stop;
}

class Reconciler {
 public:
  Reconciler(models::ModelCode codeplugModel, const codeplug::PagerFacts& pager,
             const storage::CodeplugSession& session, const ConverterState& converter,
             const storage::SaveContext& context)
      : codeplugModel_(codeplugModel),
        pager_(pager),
        s_(session),
        converter_(converter),
        context_(context) {}

  Reconciled build() {
    const errors::ResultCode built = s_.codec.build(s_.image, s_.settings, context_.build);
    if (built < 0) {
      s_.reporter.ReportCode(built);
      return Reconciled::Stopped;
    }
    return Reconciled::Ready;
  }

  // The pager's serial number goes into the codeplug it is about to receive.
  Reconciled withSerialNumber(Reconciled result) {
    if (result == Reconciled::Ready) {
      s_.image.current().setText(s_.image.offsets().serialNumber, kSerialNumberBytes,
                                 pager_.serialNumber);
    }
    return result;
  }

  Reconciled stopShowing(errors::ResultCode shown) {
    s_.reporter.ReportCode(shown);
    return Reconciled::Stopped;
  }

  Reconciled newerPager() {
    if (!s_.reporter.ConfirmCode(code::PagerNewer)) return Reconciled::Stopped;
    s_.codec.loadDefaultPrompts(s_.settings, s_.image.modelCode());
    return withSerialNumber(build());
  }

  Reconciled newerLargePager() {
    if (!s_.reporter.ConfirmCode(code::PagerNewer)) return Reconciled::Stopped;
    // The backup is made anew from the codeplug itself, so its own model
    // (not the pager's, loaded for programming) builds it.
    s_.image.setModel(codeplugModel_);
    const errors::ResultCode large =
        storage::CodeplugFiles(s_).convertCodeplugToLargeImage(context_);
    if (large == storage::kFileNotAccessible) return stopShowing(code::VersionsMismatch);
    if (large != code::Ok) return Reconciled::Stopped;  // shown by the conversion
    return withSerialNumber(Reconciled::Ready);
  }

  Reconciled newerFamilyD(const std::function<bool()>& readPagerInformation) {
    if (pager_.unprogrammed) return stopShowing(code::VersionsMismatch);
    if (!s_.reporter.ConfirmCode(code::PagerNewer)) return Reconciled::Stopped;
    // Without the pager's information the image would stay in the 1 KB
    // layout, which a family D pager cannot take: programming stops.
    if (!readPagerInformation()) return stopShowing(code::VersionsMismatch);
    const models::ModelCode pagerModel = s_.image.modelCode();
    s_.image.setModel(codeplugModel_);
    const errors::ResultCode converted = converter_.targetSet()
                                             ? convertForTarget(converter_, s_, context_)
                                             : convertToFamilyD(codeplugModel_, s_, context_);
    if (converted != code::Ok) {
      s_.image.setModel(pagerModel);
      return stopShowing(code::VersionsMismatch);
    }
    return withSerialNumber(Reconciled::Ready);
  }

  Reconciled differentOneKb() {
    if (!s_.reporter.ConfirmCode(code::DifferentVersion)) return Reconciled::Stopped;
    const auto block = s_.image.current().bytesAt(kLargeCodeBlock, kCodeBlockBytes);
    std::copy(block.begin(), block.end(),
              s_.image.current().bytesAt(kCodeBlock, kCodeBlockBytes).begin());
    return withSerialNumber(build());
  }

 private:
  models::ModelCode codeplugModel_;
  const codeplug::PagerFacts& pager_;
  const storage::CodeplugSession& s_;
  const ConverterState& converter_;
  const storage::SaveContext& context_;
};

}  // namespace

Reconciled reconcileModel(models::ModelCode codeplugModel, const codeplug::PagerFacts& pager,
                          const storage::CodeplugSession& session, const ConverterState& converter,
                          const storage::SaveContext& context,
                          const std::function<bool()>& readPagerInformation) {
  Reconciler r(codeplugModel, pager, session, converter, context);
  switch (actionFor(codeplugModel, pager.model)) {
    case Action::keepImage: return Reconciled::Ready;
    case Action::build: return r.build();
    case Action::newerPager: return r.newerPager();
    case Action::newerLargePager: return r.newerLargePager();
    case Action::newerFamilyD: return r.newerFamilyD(readPagerInformation);
    case Action::differentOneKb: return r.differentOneKb();
    case Action::stop: break;
  }
  return Reconciled::Stopped;
}

}  // namespace zelta::conversion
