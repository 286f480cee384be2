#include "window/setup_form.h"

#include "link/port_name.h"
#include "link/wire.h"

namespace zelta::window {
namespace {

// The line settings "Default" selects: 57600 baud, no parity, 8 data bits,
// one stop bit.
constexpr int kDefaultBitRateRow = 0;
constexpr int kDefaultParityRow = 0;
constexpr int kDefaultDataBitsRow = 3;
constexpr int kDefaultStopBitsRow = 0;

}  // namespace

int bitRateIndexOf(int baud) {
  for (std::size_t i = 0; i + 1 < kBitRates.size(); ++i) {
    if (kBitRates[i] == baud) return static_cast<int>(i);
  }
  return static_cast<int>(kBitRates.size()) - 1;
}

int baudOfBitRateIndex(int index) {
  if (index < 0 || index >= static_cast<int>(kBitRates.size())) return kBitRates.back();
  return kBitRates[static_cast<std::size_t>(index)];
}

SetupForm setupFormOf(const CommSettings& settings, std::string_view defaultWorkFolder) {
  SetupForm form;
  form.portName = link::withoutDevicePrefix(settings.port);
  form.portDevice = form.portName;
  form.bitRate = bitRateIndexOf(settings.baudRate);
  form.parity = settings.parity;
  form.dataBits = settings.dataSize;
  form.stopBits = settings.stopBits;
  form.swPassword = settings.softwarePassword;
  form.archPath = workFolderOf(settings, defaultWorkFolder);
  return form;
}

void setDefaults(SetupForm& form) {
  form.bitRate = kDefaultBitRateRow;
  form.parity = kDefaultParityRow;
  form.dataBits = kDefaultDataBitsRow;
  form.stopBits = kDefaultStopBitsRow;
}

CommSettings applySetupForm(const SetupForm& form, SettingsStore& store,
                            std::string_view defaultWorkFolder) {
  CommSettings settings;
  settings.port = link::withDevicePrefix(form.portName);
  settings.baudRate = baudOfBitRateIndex(form.bitRate);
  settings.parity = form.parity;
  settings.dataSize = form.dataBits;
  settings.stopBits = form.stopBits;
  settings.softwarePassword = form.swPassword;
  settings.workFilesPath = form.archPath;
  return storeCommSettings(settings, store, defaultWorkFolder);
}

std::string portItemText(const link::PortEntry& port) {
  std::string text = port.description == port.path ? std::string() : port.description;
  if (!port.usbIdentity.empty())
    text += (text.empty() ? "USB " : " [USB ") + port.usbIdentity + (text.empty() ? "" : "]");
  // The path last, in parentheses, as a port's own name ends a device name.
  return text.empty() ? port.path : text + " (" + port.path + ")";
}

int portRowOf(std::span<const link::PortEntry> ports, std::string_view portName) {
  const std::string name = link::withoutDevicePrefix(portName);
  for (std::size_t i = 0; i < ports.size(); ++i) {
    if (ports[i].path == name) return static_cast<int>(i);
  }
  return -1;
}

int showCurrentPort(SetupForm& form, std::span<const link::PortEntry> ports) {
  const int row = portRowOf(ports, form.portName);
  if (row >= 0) {
    form.portDevice = portItemText(ports[static_cast<std::size_t>(row)]);
  } else if (form.portName.empty()) {
    form.portDevice = kNoPortChosen;
  } else {
    form.portDevice = form.portName + std::string(kNotPresent);
  }
  return row;
}

void choosePort(SetupForm& form, const link::PortEntry& port) {
  form.portName = port.path;
  form.portDevice = portItemText(port);
}

void choosePagerPort(SetupForm& form, const link::PortEntry& port, models::ModelCode model) {
  choosePort(form, port);
  form.portDevice = "Pager " + link::modelLabel(model) + " on " + form.portDevice;
}

std::string searchingText(const link::PortEntry& port) {
  return "Looking for a pager on " + port.path + " ...";
}

std::string searchResultText(const production::PagerSearchResult& result,
                             std::span<const link::PortEntry> ports) {
  if (result.index && *result.index < ports.size()) {
    return "A pager " + link::modelLabel(result.model) + " answers on " +
           ports[*result.index].path + ".";
  }
  if (result.stopped) return "Search stopped; the port is unchanged.";
  if (ports.empty()) return "No ports to search: connect the programming fixture, then Refresh.";
  return "No pager answered on the " + std::to_string(ports.size()) +
         (ports.size() == 1 ? " port" : " ports") +
         " listed.\nCheck that the pager sits in the fixture and the fixture is connected.";
}

}  // namespace zelta::window
