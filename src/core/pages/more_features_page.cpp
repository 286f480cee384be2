#include "pages/more_features_page.h"

#include "codeplug/settings_record.h"
#include "errors/reporter.h"
#include "pages/code_predicates.h"
#include "pages/field_ids.h"
#include "pages/page_settings.h"

namespace zelta::pages {
namespace {

using codeplug::SettingsRecord;
using models::ModelCode;

using models::kModelHash;  // "Receive Messages While Off" in the zoom control
using models::kModelSpace;

constexpr int kNo = 0;
constexpr int kYes = 1;
constexpr int kEnable = 1;

// Levels the gauge returns to when it is switched off: "1.34v", "1.29v", "1.24v".
constexpr int kDefaultHighLevel = 9;
constexpr int kDefaultMediumLevel = 8;
constexpr int kDefaultLowLevel = 7;

constexpr FieldId kBatteryGauge = fieldId("cb_batteryGauge");
constexpr FieldId kBatteryGaugeLevels[] = {164, 165, 166};
constexpr FieldId kShowMemFull = fieldId("cb_showMemFull");
constexpr FieldId kZoom = fieldId("cb_zoom");
constexpr FieldId kTimeFormat = fieldId("cb_timeFormat");
constexpr FieldId kSelDutySource = fieldId("cb_selDutySource");

bool personalCode(const PageContext& c) {
  return pages::codeKinds(c).personal;
}

// "Zoom": model '#' shows its receive-while-off flag there, which needs
// memory retention; model ' ' takes zoom only with memory retention on.
void storeZoom(const FieldInput& in, PageContext& c) {
  SettingsRecord& s = c.settings;
  if (in.index != kNo && in.index != kYes) return;
  if (c.model == kModelHash) {
    s.receiveWhileOff = in.index;
    return;
  }
  if (c.model == kModelSpace && s.nonVolatileMemory != kYes) {
    c.reporter.Show(
        {errors::BoxClass::Information, "INFORMATION", "Enable Memory Retention Option"});
    return;
  }
  s.zoom = in.index;
}

}  // namespace

void MoreFeaturesPage::onEnter(FieldId, PageContext&) {}

errors::ResultCode MoreFeaturesPage::onExit(const FieldInput& input, PageContext& context) {
  const FieldEntry* entry = findField(input.id);
  if (entry != nullptr && owningModule(*entry) == PageModuleId::Features) {
    return features_.onExit(input, context);
  }
  switch (input.id) {
    case kShowMemFull:
      if (personalCode(context)) storeField(input, context);
      break;
    case kZoom: storeZoom(input, context); break;
    default: storeField(input, context); break;
  }
  return pageCheck(context);
}

errors::ResultCode MoreFeaturesPage::pageCheck(PageContext& c) {
  SettingsRecord& s = c.settings;
  errors::ResultCode result = errors::code::Ok;
  if (s.batteryGauge == kYes) {
    if (!(s.batteryGaugeHiLevel > s.batteryGaugeMedLevel &&
          s.batteryGaugeMedLevel > s.batteryGaugeLoLevel)) {
      c.reporter.ReportCode(errors::code::BatteryLevel);
      result = errors::code::BatteryLevel;
    }
  } else {
    s.batteryGaugeHiLevel = kDefaultHighLevel;
    s.batteryGaugeMedLevel = kDefaultMediumLevel;
    s.batteryGaugeLoLevel = kDefaultLowLevel;
  }
  if (promptMenuFixed(c) || !personalCode(c)) s.showMemFull = kNo;
  return result;
}

void MoreFeaturesPage::refresh(PageContext&) {}

PageView MoreFeaturesPage::view(Page page, const PageContext& c) const {
  PageView view = features_.view(page, c);
  const SettingsRecord& s = c.settings;
  if (c.model == kModelHash) {
    // Messages are kept while off only in retained memory.
    if (FieldView* zoom = fieldIn(view, kZoom)) {
      zoom->selected = s.nonVolatileMemory == kYes ? s.receiveWhileOff : kNo;
    }
  }
  for (FieldId id : kBatteryGaugeLevels) disableUnless(view, id, s.batteryGauge == kYes);
  disableUnless(view, kZoom, !promptMenuFixed(c));
  disableUnless(view, kTimeFormat, s.showTimeStamp == kYes);
  disableUnless(view, kSelDutySource, s.onOffDuty == kEnable);
  return view;
}

}  // namespace zelta::pages
