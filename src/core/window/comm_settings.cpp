#include "window/comm_settings.h"

#include <stdexcept>

#include "codeplug/password_substitution.h"
#include "link/comm.h"
#include "link/pager_link.h"

namespace zelta::window {
namespace {

bool holdsValidValue(const SettingsStore& store, const SettingsValue& value) {
  if (value.type == ValueType::String) return store.readString(value.name).has_value();
  const std::optional<int> n = store.readInteger(value.name);
  return n && *n >= value.minimum && *n <= value.maximum;
}

void writeDefault(SettingsStore& store, const SettingsValue& value) {
  if (value.type == ValueType::String) {
    store.writeString(value.name, value.defaultText);
  } else {
    store.writeInteger(value.name, value.defaultInteger);
  }
}

const SettingsValue& valueNamed(std::string_view name) {
  for (const SettingsValue& v : kCommSettingsValues) {
    if (v.name == name) return v;
  }
  throw std::logic_error("no settings value named " + std::string(name));
}

std::string text(const SettingsStore& store, std::string_view name) {
  return store.readString(name).value_or(std::string(valueNamed(name).defaultText));
}

int integer(const SettingsStore& store, std::string_view name) {
  return store.readInteger(name).value_or(valueNamed(name).defaultInteger);
}

}  // namespace

CommSettings loadCommSettings(SettingsStore& store) {
  for (const SettingsValue& value : kCommSettingsValues) {
    if (!holdsValidValue(store, value)) writeDefault(store, value);
  }
  CommSettings s;
  s.port = text(store, kPortValue);
  s.baudRate = integer(store, kBaudRateValue);
  s.parity = integer(store, kParityValue);
  s.dataSize = integer(store, kDataSizeValue);
  s.stopBits = integer(store, kStopBitsValue);
  s.softwarePassword = codeplug::unscramble(text(store, kSoftwarePasswordValue));
  s.workFilesPath = text(store, kWorkFilesPathValue);
  return s;
}

std::vector<std::string_view> damagedCommSettings(const SettingsStore& store) {
  std::vector<std::string_view> damaged;
  for (const SettingsValue& value : kCommSettingsValues) {
    if (store.exists(value.name) && !holdsValidValue(store, value)) damaged.push_back(value.name);
  }
  return damaged;
}

errors::Message settingsResetMessage(const std::vector<std::string_view>& reset) {
  std::string list;
  for (std::string_view name : reset) {
    const SettingsValue& value = valueNamed(name);
    if (!list.empty()) list += ", ";
    list += std::string(name) + " (" +
            (value.type == ValueType::String ? "\"" + std::string(value.defaultText) + "\""
                                             : std::to_string(value.defaultInteger)) +
            ")";
  }
  return {errors::BoxClass::Warning, std::string(kSettingsResetCaption),
          "The saved settings held values this program cannot use.\nThese were reset to their "
          "defaults: " +
              list + ".\nCheck them in the communication setup."};
}

CommSettings storeCommSettings(const CommSettings& settings, SettingsStore& store,
                               std::string_view defaultWorkFolder) {
  store.writeString(kPortValue, settings.port);
  store.writeInteger(kParityValue, settings.parity);
  store.writeInteger(kDataSizeValue, settings.dataSize);
  store.writeInteger(kStopBitsValue, settings.stopBits);
  store.writeInteger(kBaudRateValue, settings.baudRate);
  store.writeString(kSoftwarePasswordValue, codeplug::scramble(settings.softwarePassword));
  store.writeString(kWorkFilesPathValue, workFolderOf(settings, defaultWorkFolder));
  return loadCommSettings(store);
}

std::string workFolderOf(const CommSettings& settings, std::string_view defaultWorkFolder) {
  return settings.workFilesPath.empty() ? std::string(defaultWorkFolder) : settings.workFilesPath;
}

std::string defaultArchiveFolder(const std::filesystem::path& documents,
                                 const std::filesystem::path& workFolder) {
  std::error_code ec;
  if (!documents.empty() && std::filesystem::is_directory(documents, ec)) return documents.string();
  return workFolder.string();
}

void configureLink(const CommSettings& settings, link::TDComm& comm, link::PagerLink& link) {
  if (comm.IsOpen()) comm.Close();
  comm.SetPortName(settings.port);
  comm.SetOpenFailureHint(std::string(kPortSetupHint));
  // The stored values are the setup form's list indexes: parity 0 none,
  // 1 odd, 2 even; data size 0-3 for 5-8 bits; stop bits 0 for "1" and 1
  // for "2". The second stop-bit item means two stop bits: passed on as the
  // port's raw code 1 it would ask for one and a half.
  link::LineSettings& line = comm.Settings();
  line.baud = static_cast<std::uint32_t>(settings.baudRate);
  line.parity = static_cast<link::Parity>(settings.parity);
  line.dataBits = settings.dataSize + 5;
  line.stopBits = settings.stopBits == 1 ? link::StopBits::Two : link::StopBits::One;
  link.setConfiguredBaud(static_cast<std::uint32_t>(settings.baudRate));
}

}  // namespace zelta::window
