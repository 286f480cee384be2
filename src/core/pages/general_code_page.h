#pragma once

#include <array>

#include "codeplug/frequency_band.h"
#include "codeplug/settings_record.h"
#include "pages/page_module.h"

namespace zelta::pages {

// The rules of the "General" page and the four Code pages: storing their
// fields into the settings, showing the code rows, enabling them, and the
// page check that guards programming, saving and tab changes.
class GeneralCodePage final : public pages::PageModule {
 public:
  // Remembers the field being edited: a priority or history field shows its
  // stored letters while it is edited.
  void onEnter(pages::FieldId field, pages::PageContext& context) override;

  // Stores a General or Code page field. A list choice outside the items
  // offered and a text longer than the field takes are refused
  // (FieldRefused). An
  // invalid capcode is stored as typed and refused by the page check.
  errors::ResultCode onExit(const pages::FieldInput& input, pages::PageContext& context) override;

  // The code checks 1 to 5 (code_checks.h) and then the frequency-in-band
  // check, whose result is the page's.
  errors::ResultCode pageCheck(pages::PageContext& context) override;

  // The code-row refresh: rows shown again from the settings, rows enabled.
  void refresh(pages::PageContext& context) override;

  pages::PageView view(pages::Page page, const pages::PageContext& context) const override;

  // Whether the rows of present codes may be enabled again is decided by
  // the hidden "Locker" item; this is the state the rows were left in.
  struct RowState {
    bool enabled = true;
    bool historyEnabled = true;
  };

 private:
  errors::ResultCode storeCodeRowField(const pages::FieldEntry& field,
                                       const pages::FieldInput& input, pages::PageContext& context);
  errors::ResultCode storeGeneralField(const pages::FieldEntry& field,
                                       const pages::FieldInput& input, pages::PageContext& context);
  void showCodeRows(pages::PageContext& context);

  pages::FieldId editing_ = pages::kNoFieldId;
  std::array<RowState, codeplug::kMaxCodes> rows_{};
};

// The frequency part of the settings as the band and synthesizer checks
// read it: the texts of `ed_frequency` and `ed_frequency2`, the band and
// PLL type, and the band table of the model and pager.
codeplug::FrequencySettings frequencySettingsOf(const pages::PageContext& context);

// The text a frequency field stores: the mask's blank positions become "0".
std::string frequencyFieldText(std::string_view shown);

// The priority (or history) letters as the page shows them beside the
// function letters: "." for every inactive ("X") function.
std::string maskedFlags(std::string_view flags, std::string_view functions);

}  // namespace zelta::pages
