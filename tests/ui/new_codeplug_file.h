#pragma once

#include <QtTest/QTest>
#include <filesystem>
#include <memory>
#include <optional>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "codeplug/new_codeplug.h"
#include "pages/page_context_of.h"
#include "pages/page_rules.h"
#include "storage/codeplug_files.h"
#include "support/recording_reporter.h"
#include "window/window_controller.h"
#include "window/window_front_end.h"
#pragma pop_macro("slots")

namespace zelta::testing {

// A codeplug file of a model as `zelta-pps-cli new` writes it: the model's
// defaults with the page rules applied once. On families D-F a hardware
// variant (0, 2 or 3) sets the code capacity the window lays out for.
inline void writeNewCodeplug(models::ModelCode model, const std::filesystem::path& file,
                             std::optional<int> hardwareVariant = {}) {
  auto image = std::make_unique<codeplug::CodeplugImage>();
  codeplug::SettingsRecord settings;
  RecordingReporter quiet;
  codeplug::setUpNewCodeplug(model, *image, settings);
  if (hardwareVariant) settings.hardwareVariant = *hardwareVariant;
  pages::PageContext context = pages::pageContextOf(*image, settings, quiet);
  pages::applyPageRules(context);
  storage::WorkFiles work;
  storage::CodeplugFiles files(*image, settings, work, quiet, codeplug::standardCodec());
  storage::SaveContext save;
  save.build.pagerUnprogrammed = true;
  QCOMPARE(files.writeCodeplugFile(file, save), errors::code::Ok);
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
  window::UnsavedEditsAnswer askAboutUnsavedEdits(const window::UnsavedEditsQuestion&) override {
    return window::UnsavedEditsAnswer::Cancel;
  }

  std::filesystem::path file;
  RecordingReporter reporter;
  window::WindowController controller;
  errors::OperationOutcome loaded;
};

}  // namespace zelta::testing
