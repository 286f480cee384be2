#pragma once

#include <algorithm>
#include <string>

#include "codeplug/codeplug_image.h"
#include "codeplug/settings_record.h"
#include "errors/messages.h"
#include "pages/page_module.h"
#include "recording_reporter.h"

namespace zelta::testing {

// The objects a page module works on, for one model, with codes set up by
// the test: setCode(1, "0001000", "NNNN", type).
struct PageContextFixture {
  codeplug::SettingsRecord settings;
  codeplug::CodeplugImage image;
  RecordingReporter reporter;
  pages::PageContext context{settings, image, reporter};

  explicit PageContextFixture(models::ModelCode model = 'p') { setModel(model); }

  void setModel(models::ModelCode model) {
    image.setModel(model);
    context.model = model;
  }

  void setCode(int code, std::string capcode, std::string functions, int type = 0) {
    const auto i = static_cast<std::size_t>(code - 1);
    settings.code[i] = std::move(capcode);
    settings.function[i] = std::move(functions);
    settings.codeType[i] = type;
  }

  // Whether a field is enabled as the module shows its page now.
  bool enabled(const pages::PageModule& module, pages::Page page, pages::FieldId id) const {
    const pages::PageView view = module.view(page, context);
    const pages::FieldView* field = view.find(id);
    return field != nullptr && field->enabled;
  }

  // Whether a result code's statement was shown (with whatever detail
  // follows its own text).
  bool reported(errors::ResultCode code) const {
    const std::string text = errors::reportText(code, {});
    return std::any_of(reporter.shown.begin(), reporter.shown.end(),
                       [&](const errors::Message& m) { return m.text.starts_with(text); });
  }
};

// A list choice or a typed text as a field hands it to its module.
inline pages::FieldInput chooseItem(pages::FieldId id, int index) {
  pages::FieldInput in;
  in.id = id;
  in.index = index;
  return in;
}

inline pages::FieldInput typeText(pages::FieldId id, std::string text) {
  pages::FieldInput in;
  in.id = id;
  in.text = std::move(text);
  return in;
}

}  // namespace zelta::testing
