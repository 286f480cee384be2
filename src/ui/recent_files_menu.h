#pragma once

#include <QMenu>
#include <filesystem>

// Core headers name members "slots"; Qt's keyword macro must not see them.
#pragma push_macro("slots")
#undef slots
#include "window/recent_files.h"
#include "window/settings_store.h"
#pragma pop_macro("slots")

namespace zelta::ui {

// "Recent &Files" in the File menu: the codeplug files last opened or saved,
// most recent first, each by its digit. Files that have gone since leave
// the list whenever the menu opens.
class RecentFilesMenu : public QMenu {
  Q_OBJECT

 public:
  explicit RecentFilesMenu(QWidget* parent = nullptr);

  // The list of the store; what is added from now on is stored there.
  void useStore(window::SettingsStore& store);
  void add(const std::filesystem::path& file);
  const window::RecentFiles& recent() const { return recent_; }

 signals:
  void fileChosen(const QString& file);

 private:
  // The items from the list, the missing files left out first.
  void rebuild();

  window::SettingsStore* store_ = nullptr;
  window::RecentFiles recent_;
};

}  // namespace zelta::ui
