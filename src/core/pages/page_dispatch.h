#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "errors/result_code.h"
#include "pages/field_catalog.h"
#include "pages/page_module.h"
#include "pages/page_table.h"

namespace zelta::pages {

// The page modules of the editing pages, by the module ID their pages name
// (moduleOfPage, owningModule). A module joins by registering; pages whose
// module has not registered count as passing and store nothing.
class PageModules {
 public:
  void add(PageModuleId id, PageModule& module);
  PageModule* find(PageModuleId id) const;

 private:
  static constexpr std::size_t kSlots = static_cast<std::size_t>(PageModuleId::None);
  std::array<PageModule*, kSlots> modules_{};
};

// The page checks that must pass before programming, saving and tab
// changes, in the order they run. The Features module runs both of its
// steps in its one page check; the prompt module's page check is its silent
// prompt memory check (it reports when its page is entered instead).
inline constexpr std::array kPageCheckOrder{
    PageModuleId::GeneralCode, PageModuleId::Prompt,   PageModuleId::Alert,
    PageModuleId::PasswordOta, PageModuleId::Features, PageModuleId::MoreFeatures,
};

// Routes the field events of the main window to the page modules and keeps
// what the window remembers between them: the last field check (which the
// next F2 needs to pass), the help topic and the current list field.
class FieldDispatcher {
 public:
  // No list field entered: the "Play tone" buttons are off.
  static constexpr FieldId kNoListField = 9999;

  // The registry outlives the dispatcher (modules may still join it).
  explicit FieldDispatcher(const PageModules& modules) : modules_(modules) {}
  explicit FieldDispatcher(PageModules&&) = delete;

  // A field of `page` receives focus (or is clicked, with notifyModule
  // false: only the help topic and the list field are recorded).
  void enter(Page page, FieldId field, PageContext& context, bool notifyModule = true);

  // A text or masked field is left, or a list choice changes: the owning
  // module stores it and its result becomes the last field check.
  errors::ResultCode exit(Page page, const FieldInput& input, PageContext& context);

  // The page check of one page's module (F11, F12); Ok when it passes.
  errors::ResultCode pageCheck(Page page, PageContext& context);

  // The page is entered (tab change, F11, F12): its module re-derives what it shows.
  void enterPage(Page page, PageContext& context);

  // Before programming, saving and a tab change: the focused field (ID 1 to
  // 512, else none) is stored once more by the active page's module, then
  // the page checks run in kPageCheckOrder while each passes. A field that
  // is refused again stops the chain: programming must not go on with a
  // value the window shows but the settings do not hold. Returns the last
  // result obtained; Ok means pass.
  errors::ResultCode runPageCheckChain(Page activePage, const std::optional<FieldInput>& focused,
                                       PageContext& context);

  // The last exit or page check as the window has always numbered it: 1 a
  // pass, 0 a failed page check or a quiet refusal, else the low byte of the
  // failing code.
  std::uint8_t lastFieldCheck() const { return lastFieldCheck_; }
  bool lastFieldCheckPassed() const { return lastFieldCheck_ == 1; }
  FieldId helpTopic() const { return helpTopic_; }
  FieldId currentListField() const { return currentListField_; }
  // An alert pattern list is entered: the four "Play tone" buttons are on.
  bool playToneEnabled() const;
  // The item index of the alert pattern list last entered or changed, what
  // "Play tone" plays; -1 once any other field is entered.
  int tonePattern() const { return tonePattern_; }

 private:
  void record(errors::ResultCode result) {
    if (result == errors::code::Ok)
      lastFieldCheck_ = 1;
    else if (result == errors::code::FieldRefused)
      lastFieldCheck_ = 0;
    else
      lastFieldCheck_ = static_cast<std::uint8_t>(result & 0xFF);
  }
  void recordPageCheck(bool passed) { lastFieldCheck_ = passed ? 1 : 0; }

  const PageModules& modules_;
  std::uint8_t lastFieldCheck_ = 1;
  FieldId helpTopic_ = kNoFieldId;
  FieldId currentListField_ = kNoListField;
  int tonePattern_ = -1;
};

}  // namespace zelta::pages
