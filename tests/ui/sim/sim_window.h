#pragma once

#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "temp_folder.h"
#include "ui/editing_pages.h"
#include "ui/main_window.h"
#include "ui/progress_window.h"

namespace zelta::testing {

// One code that receives, on a frequency of the simulator's band: the
// blank pager's image repeats one code on every slot, which the code checks
// refuse, and holds no frequency.
inline void oneReceivingCode(codeplug::SettingsRecord& settings,
                             const std::string& capcode = "1234567",
                             const std::string& frequency = "140.0000") {
  for (std::string& c : settings.code) c.clear();
  settings.code[0] = capcode;
  settings.function[0] = "ABCD";
  settings.frequency = frequency;
  settings.frequency2 = frequency;
}

// A file's bytes (a saved image, a log); empty when it cannot be read.
inline std::string fileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The window over a work folder of its own, its port the simulator's.
struct SimWindow {
  explicit SimWindow(const std::string& port) : window(storage::WorkFiles{folder.path(), {}}) {
    usePort(port);
    window.setFileChoosers([this](const auto&) { return toOpen; },
                           [](const auto&) { return std::optional<std::filesystem::path>(); });
    window.resize(1100, 800);
    window.show();
  }
  // Another pager on the fixture: the port of another simulator.
  void usePort(const std::string& port) {
    auto store = std::make_unique<window::MemorySettingsStore>();
    store->writeString(window::kPortValue, port);
    window.useSettingsStore(std::move(store));
    window.operations().runner().setPasswordPauseMs(0);
  }
  // F8 on a codeplug file.
  bool open(const std::filesystem::path& file) {
    toOpen = file;
    window.runKey(window::WindowKey::F8);
    return window.controller().codeplugLoaded();
  }
  // No command runs and the commands of the page shown are offered.
  bool usable() {
    const bool onMain = window.controller().activePage() == pages::Page::Main;
    return !window.controller().busy() && !window.operations().running() &&
           !window.operations().progressWindow().isVisible() && window.pages()->isEnabled() &&
           window.menu("menuProg")->isEnabled() && window.menu("menuFile")->isEnabled() &&
           window.action(onMain ? "readBtn" : "writeBtn")->isEnabled();
  }
  QString fieldText(pages::FieldId field) {
    auto* edit = qobject_cast<QLineEdit*>(window.editingPages().fieldWidget(field));
    return edit != nullptr ? edit->text() : QString("<no field>");
  }

  std::optional<std::filesystem::path> toOpen;
  TempFolder folder;
  ui::MainWindow window;
};

}  // namespace zelta::testing
