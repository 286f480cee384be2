#pragma once

#include <string>
#include <vector>

#include "codeplug/codeplug_image.h"
#include "codeplug/settings_record.h"
#include "errors/messages.h"
#include "pages/page_module.h"
#include "recording_reporter.h"

namespace zelta::pages::test {

// A four-code family A pager on 158.0125 MHz in "VHF B (Low)" with 32 K of
// message memory split 10K/22K, no codes, as the code rules see it.
struct CodePageFixture {
  codeplug::SettingsRecord settings;
  codeplug::CodeplugImage image;
  testing::RecordingReporter reporter;
  pages::PageContext context{.settings = settings,
                             .image = image,
                             .reporter = reporter,
                             .model = '1',
                             .largeMemory = true};

  CodePageFixture() {
    settings.frequency = "158.0125";
    settings.freqBand = 2;
    settings.memorySplit = 10;
  }

  void useModel(models::ModelCode model) { context.model = model; }

  // Code n (1-16) as the settings hold it after a decode.
  void setCode(int n, std::string capcode, int type = 0, std::string functions = "TNAA") {
    const auto i = static_cast<std::size_t>(n - 1);
    settings.code[i] = std::move(capcode);
    settings.codeType[i] = type;
    settings.function[i] = std::move(functions);
  }

  // The texts of every box shown so far.
  std::vector<std::string> shownTexts() const {
    std::vector<std::string> out;
    for (const auto& m : reporter.shown) out.push_back(m.text);
    return out;
  }
  // The statement a result code shows.
  std::string textOf(errors::ResultCode code) const {
    return errors::reportText(code, reporter.context());
  }
};

}  // namespace zelta::pages::test
