#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "link/port_list.h"
#include "models/models.h"
#include "production/pager_search.h"
#include "window/comm_settings.h"

namespace zelta::window {

// The lists of the "Comm Port Settings" page, item by item.
inline constexpr std::array<std::string_view, 5> kBitRateItems{"57600", "38400", "19200", "9600",
                                                               "4800"};
inline constexpr std::array<int, 5> kBitRates{57600, 38400, 19200, 9600, 4800};
inline constexpr std::array<std::string_view, 3> kParityItems{"None", "Odd", "Even"};
inline constexpr std::array<std::string_view, 4> kDataBitsItems{"5", "6", "7", "8"};
inline constexpr std::array<std::string_view, 2> kStopBitsItems{"1", "2"};

// "Bit Rate (max.)" row of a baud rate: the last row (4800) for any rate
// not listed.
int bitRateIndexOf(int baud);
// The baud rate of a row: 4800 for any row not listed.
int baudOfBitRateIndex(int index);

// What the setup dialog shows and edits.
struct SetupForm {
  std::string portName;    // the chosen port, without the device prefix
  std::string portDevice;  // what the chosen port is called, as the list shows it
  int bitRate = 4;         // list rows
  int parity = 0;
  int dataBits = 3;
  int stopBits = 0;
  std::string swPassword;  // plain text
  std::string archPath;
};

// The dialog's values from the loaded settings; an empty work-files path
// shows defaultWorkFolder.
SetupForm setupFormOf(const CommSettings& settings, std::string_view defaultWorkFolder);

// "Default": the line settings the pagers run fastest with. The port, the
// password and the folder stay; nothing is stored until "Apply".
void setDefaults(SetupForm& form);

// "Apply": the port name gets the device prefix where it applies, the rows
// become values, and everything is written and read back.
CommSettings applySetupForm(const SetupForm& form, SettingsStore& store,
                            std::string_view defaultWorkFolder);

// The list item of a port: its description, its USB identity and its path:
// "FT232R USB UART (FTDI) [USB 0403:6001 A50285BI] (/dev/ttyUSB0)".
std::string portItemText(const link::PortEntry& port);

// Row of the current port in the list, -1 when it is not there. Ports are
// matched by path, so the prefix of a stored COM name is ignored.
int portRowOf(std::span<const link::PortEntry> ports, std::string_view portName);

// What the "Port : " line says of a stored port that is not listed (an
// adapter unplugged, a simulator ended), and of none.
inline constexpr std::string_view kNotPresent = " (not present)";
inline constexpr std::string_view kNoPortChosen = "(none chosen)";

// Shows the current port: its list row's text; a stored port that is not
// listed by its name and kNotPresent, so that it never looks usable; no
// port as kNoPortChosen. Returns the row (-1 for none).
int showCurrentPort(SetupForm& form, std::span<const link::PortEntry> ports);

// Choosing a list row.
void choosePort(SetupForm& form, const link::PortEntry& port);

// "Find pager" found one: its port is chosen, and the "Port : " line names
// the model that answered.
void choosePagerPort(SetupForm& form, const link::PortEntry& port, models::ModelCode model);

// The search's line under the list while it runs and once it ended.
std::string searchingText(const link::PortEntry& port);
std::string searchResultText(const production::PagerSearchResult& result,
                             std::span<const link::PortEntry> ports);

}  // namespace zelta::window
