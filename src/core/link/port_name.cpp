#include "link/port_name.h"

namespace zelta::link {
namespace {

constexpr std::string_view kDevicePrefix = "\\\\.\\";

bool isWindowsComName(std::string_view name) {
  if (name.size() < 4) return false;
  for (std::size_t i = 0; i < 3; ++i) {
    const char c = static_cast<char>(name[i] & ~0x20);  // upper case
    if (c != "COM"[i]) return false;
  }
  for (std::size_t i = 3; i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return false;
  }
  return true;
}

}  // namespace

std::string withDevicePrefix(std::string_view portName) {
  if (portName.size() >= 5 && isWindowsComName(portName)) {
    return std::string(kDevicePrefix) + std::string(portName);
  }
  return std::string(portName);
}

std::string withoutDevicePrefix(std::string_view portName) {
  if (portName.starts_with(kDevicePrefix)) portName.remove_prefix(kDevicePrefix.size());
  return std::string(portName);
}

}  // namespace zelta::link
