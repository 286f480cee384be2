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

  explicit PageContextFixture(codeplug::ModelCode model = 'p') { setModel(model); }

  void setModel(codeplug::ModelCode model) {
    image.setModel(model);
    context.model = model;
  }

  void setCode(int code, std::string capcode, std::string functions, int type = 0) {
    const auto i = static_cast<std::size_t>(code - 1);
    settings.code[i] = std::move(capcode);
    settings.function[i] = std::move(functions);
    settings.codeType[i] = type;
  }

  // Whether a result code's statement was shown.
  bool reported(errors::ResultCode code) const {
    const std::string text = errors::reportText(code, {});
    return std::any_of(reporter.shown.begin(), reporter.shown.end(),
                       [&](const errors::Message& m) { return m.text == text; });
  }
};

}  // namespace zelta::testing
