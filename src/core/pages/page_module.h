#pragma once

#include <cstdint>
#include <string>

#include "errors/result_code.h"
#include "models/models.h"
#include "pages/field_catalog.h"
#include "pages/field_view.h"
#include "pages/list_items.h"
#include "pages/model_layout.h"
#include "pages/page_table.h"

namespace zelta::codeplug {
class SettingsRecord;
class CodeplugImage;
}  // namespace zelta::codeplug

namespace zelta::errors {
class Reporter;
}

namespace zelta::pages {

// What a page module works on: the process-wide codeplug objects (owned by
// the codeplug subsystem and passed in by reference), the reporter its
// errors go to, and the state of the window that its rules read.
struct PageContext {
  codeplug::SettingsRecord& settings;
  codeplug::CodeplugImage& image;
  errors::Reporter& reporter;

  models::ModelCode model = models::kNoModel;
  std::uint8_t headerType = 0;  // character-generator type of the codeplug header
  bool largeMemory = false;     // 32 K message memory
  bool sequentialMode = false;  // F6 programming
  ConverterMode converter = ConverterMode::Off;
  bool limitedBaudFirmware = false;  // last identification reported "R0301" or "R0400"
  bool firmwareR0102 = false;        // model ' ' pager firmware "R0102": a 474-byte prompt block
  bool locker = false;               // the hidden "Locker" item is checked
  bool promptsAsText = false;        // prompts stored as text, not packed
  int promptLanguage = 0;
  // The pager's ideographic character ROM runs firmware that refuses codes
  // mixing ideographic and letter-and-digit functions.
  bool ideographicMixForbidden = false;
  // A programming attempt has been made since the program started; until
  // then every D-group model is checked against the widened VHF B band.
  bool programmingAttempted = false;

  bool converterTarget() const { return converter != ConverterMode::Off; }
  ListContext lists() const {
    return ListContext{model,         converterTarget(), headerType, limitedBaudFirmware,
                       promptsAsText, promptLanguage};
  }
};

// What a field holds when it is left or its list choice changes.
struct FieldInput {
  FieldId id = kNoFieldId;
  std::string text;  // text and masked fields, as shown
  int index = -1;    // list fields: the item chosen
};

// The rules of one group of editing pages (General and Code, prompts,
// sources, Alert, Password / OTA, Features, More Features), dispatched by
// field ID and page index. Every front end (window, command line, tests)
// drives the same modules.
class PageModule {
 public:
  virtual ~PageModule() = default;

  // A field of the module's pages receives focus. Modules whose pages are
  // redisplayed whole on entry ignore the field.
  virtual void onEnter(FieldId field, PageContext& context) = 0;

  // A field is left or a list changes: validate it and store it into the
  // settings. Returns Ok when the value is accepted; a refused value keeps
  // its text and the module has reported why (FieldRefused when there is
  // nothing to report). The result becomes the last field check.
  virtual errors::ResultCode onExit(const FieldInput& input, PageContext& context) = 0;

  // The page's cross-field check before programming, saving and tab
  // changes: Ok when the page is consistent. Failures are reported here.
  virtual errors::ResultCode pageCheck(PageContext& context) = 0;

  // The page is entered (tab change, F11, F12): re-derive what depends on
  // other pages before it is shown.
  virtual void refresh(PageContext& context) = 0;

  // The page as it is to be shown now: per field the text or chosen item,
  // the items offered, caption, enabled and visible.
  virtual PageView view(Page page, const PageContext& context) const = 0;
};

}  // namespace zelta::pages
