#include "ui/qsettings_store.h"

#include "ui/qt_text.h"
#include "window/comm_settings.h"

namespace zelta::ui {

QSettingsStore::QSettingsStore() : settings_(std::make_unique<QSettings>()) {}

QSettingsStore::QSettingsStore(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

QString QSettingsStore::key(std::string_view name) {
  return qs(window::kSettingsSection) + '/' + qs(name);
}

bool QSettingsStore::exists(std::string_view name) const {
  return settings_->contains(key(name));
}

std::optional<std::string> QSettingsStore::readString(std::string_view name) const {
  const QVariant v = settings_->value(key(name));
  if (!v.isValid() || !v.canConvert<QString>()) return {};
  return v.toString().toStdString();
}

std::optional<int> QSettingsStore::readInteger(std::string_view name) const {
  // INI files hand every value back as text; a number is whatever parses as one.
  const QVariant v = settings_->value(key(name));
  if (!v.isValid()) return {};
  bool ok = false;
  const int n = v.toString().trimmed().toInt(&ok);
  if (!ok) return {};
  return n;
}

void QSettingsStore::writeString(std::string_view name, std::string_view value) {
  settings_->setValue(key(name), qs(value));
  settings_->sync();
}

void QSettingsStore::writeInteger(std::string_view name, int value) {
  settings_->setValue(key(name), value);
  settings_->sync();
}

}  // namespace zelta::ui
