#pragma once

#include <filesystem>
#include <string_view>

#include "window/settings_store.h"

namespace zelta::window {

// The window's "Trace to file" switch: every byte of the link written to a
// file in the work folder, as the command line's --trace writes it.
inline constexpr std::string_view kTraceToFileValue = "Trace To File";
inline constexpr std::string_view kTraceFileName = "zelta-pps-trace.txt";

// Off unless stored as on (1).
bool traceToFile(const SettingsStore& store);
void storeTraceToFile(SettingsStore& store, bool on);

std::filesystem::path traceFilePath(const std::filesystem::path& workFolder);

}  // namespace zelta::window
