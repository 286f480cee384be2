#pragma once

#include <QSettings>
#include <memory>

#include "window/settings_store.h"

namespace zelta::ui {

// The settings store of the desktop: the user's configuration of this
// program (its organisation and application name), in the section of this
// program version.
class QSettingsStore : public window::SettingsStore {
 public:
  QSettingsStore();
  // An INI file of its own, for tests.
  explicit QSettingsStore(const QString& iniPath);

  bool exists(std::string_view name) const override;
  std::optional<std::string> readString(std::string_view name) const override;
  std::optional<int> readInteger(std::string_view name) const override;
  void writeString(std::string_view name, std::string_view value) override;
  void writeInteger(std::string_view name, int value) override;

  QSettings& settings() { return *settings_; }

 private:
  static QString key(std::string_view name);

  std::unique_ptr<QSettings> settings_;
};

}  // namespace zelta::ui
