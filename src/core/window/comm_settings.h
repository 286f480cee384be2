#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "errors/messages.h"
#include "window/settings_store.h"

namespace zelta::link {
class TDComm;
class PagerLink;
}  // namespace zelta::link

namespace zelta::window {

// The section the values live in: one per program version, so that another
// version keeps its own configuration.
inline constexpr std::string_view kSettingsSection = "R080304";

enum class ValueType { String, Integer };

// One stored value of the communication and application settings. Integers
// outside [minimum, maximum] count as damaged and are replaced by the default.
struct SettingsValue {
  std::string_view name;
  ValueType type;
  std::string_view defaultText;
  int defaultInteger;
  int minimum;
  int maximum;
};

inline constexpr std::string_view kPortValue = "Port";
inline constexpr std::string_view kBaudRateValue = "BaudRate";
inline constexpr std::string_view kParityValue = "Parity";
inline constexpr std::string_view kDataSizeValue = "DataSize";
inline constexpr std::string_view kStopBitsValue = "StopBits";
inline constexpr std::string_view kSoftwarePasswordValue = "Software Password";
inline constexpr std::string_view kWorkFilesPathValue = "WorkFiles Path";

// In the order they are checked and read at load.
inline constexpr std::array kCommSettingsValues{
    // No port until the operator chooses one: a default name would look
    // configured and fail at the first read.
    SettingsValue{kPortValue, ValueType::String, "", 0, 0, 0},
    SettingsValue{kBaudRateValue, ValueType::Integer, "", 4800, 1,
                  65535},                                            // the port holds 16 bits
    SettingsValue{kParityValue, ValueType::Integer, "", 0, 0, 2},    // none, odd, even
    SettingsValue{kDataSizeValue, ValueType::Integer, "", 3, 0, 3},  // 5 to 8 data bits
    SettingsValue{kStopBitsValue, ValueType::Integer, "", 0, 0, 1},  // "1", "2"
    SettingsValue{kSoftwarePasswordValue, ValueType::String, "", 0, 0, 0},
    SettingsValue{kWorkFilesPathValue, ValueType::String, "", 0, 0, 0},
};

inline constexpr std::string_view kSettingsResetCaption = "Settings reset";

// The line a port that cannot be opened adds in the window: where the port
// is chosen, by the menu's own names and key.
inline constexpr std::string_view kPortSetupHint =
    "Choose the port in Setup > Communication Setup (Ctrl+O).";

// The settings as the program holds them while it runs.
struct CommSettings {
  // As stored and opened: a device path ("/dev/ttyUSB0"), or a COM name,
  // which carries the "\\.\" device prefix from five characters on.
  // Empty until one is chosen.
  std::string port;
  int baudRate = 4800;
  int parity = 0;
  int dataSize = 3;  // data bits minus 5
  int stopBits = 0;
  std::string softwarePassword;  // plain text; empty means none
  std::string workFilesPath;     // as stored; empty means the default work folder
};

// Reads the settings; every value that is missing, of the wrong type or out
// of its range is first written with its default, so that a first run
// leaves the full set of defaults behind.
CommSettings loadCommSettings(SettingsStore& store);

// The values loadCommSettings would reset although they are there: of the
// wrong type or out of range, as a damaged or hand-edited settings file
// holds them. A missing value (a first run, a newer version's value) is not
// damaged. Asked before loading: once loaded, the defaults are stored and
// the list is empty.
std::vector<std::string_view> damagedCommSettings(const SettingsStore& store);

// The one box that tells the operator which values were reset, and to what.
errors::Message settingsResetMessage(const std::vector<std::string_view>& reset);

// Writes every value of settings (the password scrambled, an empty
// work-files path replaced by defaultWorkFolder) and returns them as read
// back.
CommSettings storeCommSettings(const CommSettings& settings, SettingsStore& store,
                               std::string_view defaultWorkFolder);

// The folder the codeplug open dialog starts in.
std::string workFolderOf(const CommSettings& settings, std::string_view defaultWorkFolder);

// The folder an empty work-files path stands for: the user's documents
// folder when it exists, else the program's work folder, which holds its
// scratch files and so is there. Never a folder that does not exist, which
// Apply would store.
std::string defaultArchiveFolder(const std::filesystem::path& documents,
                                 const std::filesystem::path& workFolder);

// Gives the serial port its name, its line settings (closing it first when
// it is open) and the window's pointer to the setup for a failed open, and
// the link its preferred speed from the baud rate.
void configureLink(const CommSettings& settings, link::TDComm& comm, link::PagerLink& link);

}  // namespace zelta::window
