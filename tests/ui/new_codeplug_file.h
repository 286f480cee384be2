#pragma once

#include <QtTest/QTest>
#include <filesystem>
#include <memory>
#include <optional>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "codeplug/codeplug_files.h"
#include "codeplug/new_codeplug.h"
#include "pages/page_context_of.h"
#include "pages/page_rules.h"
#include "support/recording_reporter.h"
#include "window/window_controller.h"
#include "window/window_front_end.h"
#pragma pop_macro("slots")

namespace zelta::testing {

// A codeplug file of a model as `zelta-pps-cli new` writes it: the model's
// defaults with the page rules applied once.
inline void writeNewCodeplug(models::ModelCode model, const std::filesystem::path& file) {
  auto image = std::make_unique<codeplug::CodeplugImage>();
  codeplug::SettingsRecord settings;
  RecordingReporter quiet;
  codeplug::setUpNewCodeplug(model, *image, settings);
  pages::PageContext context = pages::pageContextOf(*image, settings, quiet);
  pages::applyPageRules(context);
  codeplug::WorkFiles work;
  codeplug::CodeplugFiles files(*image, settings, work, quiet, codeplug::standardCodec());
  codeplug::SaveContext save;
  save.build.pagerUnprogrammed = true;
  QCOMPARE(files.writeCodeplugFile(file, save), errors::code::Done);
}

// The core alone opens a file, as the window's controller does, with no
// window: what every page must show.
struct CoreDecode : window::WindowFrontEnd {
  explicit CoreDecode(const std::filesystem::path& opened)
      : file(opened), controller(*this, reporter) {
    loaded = controller.load();
  }
  std::optional<std::filesystem::path> chooseFileToOpen(const window::FileDialogRequest&) override {
    return file;
  }
  std::optional<std::filesystem::path> chooseFileToSave(const window::FileDialogRequest&) override {
    return {};
  }

  std::filesystem::path file;
  RecordingReporter reporter;
  window::WindowController controller;
  errors::ResultCode loaded = 0;
};

}  // namespace zelta::testing
