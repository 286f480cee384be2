#pragma once

#include "errors/result_code.h"
#include "pages/field_catalog.h"
#include "pages/field_view.h"
#include "pages/key_filter.h"
#include "pages/page_module.h"
#include "pages/page_table.h"

namespace zelta::window {

// What the editing pages of a window need from the rules: the events of
// their fields go in, the view of a page comes out. The front end redraws a
// page from pageView() after every event, since a module may change other
// fields than the one it stores. The window controller implements it with a
// fresh page context for every call.
class FieldEvents {
 public:
  virtual ~FieldEvents() = default;

  // A field of the active page receives focus.
  virtual void fieldEntered(pages::FieldId field) = 0;

  // A text or masked field is left, or a list choice changes: the owning
  // module validates and stores it. Ok when accepted; a refused value keeps
  // its text and the module has reported why.
  virtual errors::ResultCode fieldLeft(const pages::FieldInput& input) = 0;

  // Alt+R in a prompt field: true when the field now shows the prompt's
  // setting text and leaving it will toggle its default.
  virtual bool toggleDefault(pages::FieldId field) = 0;

  // What the key filters need to know about the codeplug shown.
  virtual pages::KeyContext keyContext() const = 0;

  // The page as it is to be shown now.
  virtual pages::PageView pageView(pages::Page page) const = 0;

  // The "Play tone" buttons of the Code pages are on while an alert pattern
  // list is the field last entered.
  virtual bool playToneEnabled() const = 0;
};

}  // namespace zelta::window
