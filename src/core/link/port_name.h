#pragma once

#include <string>
#include <string_view>

namespace zelta::link {

// Windows reaches COM ports numbered 10 and up only through the device
// namespace ("\\.\COM12"); the stored port name carries that prefix for
// names of five or more characters. Paths of other systems ("/dev/ttyUSB0")
// are names of their own and are stored as they are.
std::string withDevicePrefix(std::string_view portName);

// The port name without the "\\.\" prefix, as the setup dialog shows it.
std::string withoutDevicePrefix(std::string_view portName);

}  // namespace zelta::link
