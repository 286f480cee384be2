#include "window/trace_setting.h"

namespace zelta::window {

bool traceToFile(const SettingsStore& store) {
  return store.readInteger(kTraceToFileValue).value_or(0) == 1;
}

void storeTraceToFile(SettingsStore& store, bool on) {
  store.writeInteger(kTraceToFileValue, on ? 1 : 0);
}

std::filesystem::path traceFilePath(const std::filesystem::path& workFolder) {
  return workFolder / kTraceFileName;
}

}  // namespace zelta::window
