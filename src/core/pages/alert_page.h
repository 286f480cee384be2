#pragma once

#include "models/models.h"
#include "pages/field_ids.h"
#include "pages/page_module.h"

namespace zelta::codeplug {
class SettingsRecord;
class CodeplugImage;
}  // namespace zelta::codeplug

namespace zelta::pages {

// The "Alert" page: pager-wide alert settings, reminder alerts, the
// programmable pleasing alert and the clock-related switches.

// The models (and any converter target) with the extended alert controls:
// "30 sec" alert duration, "Default Alert", "Reminder Alert Duration" and
// "Default Reminder Alert", and the Chirp rule of the reminder duration.
bool extendedAlertControls(models::ModelCode model, bool converterTarget);

// The ten dependency rules, in their fixed order, after every change on the
// page. The first nine adjust the settings (and, when all alerts are
// disabled, clear the alert flag in bit 0 of the prompt-language byte of the
// image); "Default" takes the default melody and "Custom" without a melody
// of its own falls back to "Default", which is all the image can hold. The tenth only looks: it
// returns true when a reminder time-out is set below the reminder interval, so that the pager never
// reminds (-54, a warning; the values stay).
bool applyAlertRules(codeplug::SettingsRecord& settings, codeplug::CodeplugImage& image,
                     models::ModelCode model, bool converterTarget);

// "Programmable Pleasing Alert" and its "Custom" item.
inline constexpr pages::FieldId kProgrammablePleasingAlertField =
    fieldId("cb_programmablePleasingAlert");
inline constexpr int kCustomPleasingAlert = 1;

// The melody editor opens modally when the list is entered showing
// "Custom" while the settings hold "Custom" ...
bool pleasingAlertEditorOnEnter(pages::FieldId field, int shownIndex,
                                const codeplug::SettingsRecord& settings);
// ... and when its choice changes to "Custom", before the choice is stored.
bool pleasingAlertEditorOnChange(const pages::FieldInput& input);

class AlertPage final : public pages::PageModule {
 public:
  // The page is shown whole from the settings; nothing depends on the field.
  void onEnter(pages::FieldId field, pages::PageContext& context) override;

  // Stores the choice, applies the rules and warns with -54 when the
  // reminder can never come. Always 1: every choice is accepted.
  errors::ResultCode onExit(const pages::FieldInput& input, pages::PageContext& context) override;

  // Applies the rules once more (without the warning, which was given when
  // the values were chosen), so that settings changed from other pages
  // reach the pager consistent. Always 1.
  errors::ResultCode pageCheck(pages::PageContext& context) override;

  // Nothing to re-derive: enabling follows the settings in view().
  void refresh(pages::PageContext& context) override;

  pages::PageView view(pages::Page page, const pages::PageContext& context) const override;
};

}  // namespace zelta::pages
