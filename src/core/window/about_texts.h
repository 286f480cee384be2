#pragma once

#include <string>
#include <string_view>

#include "version.h"

namespace zelta::window {

// The about box: product, version, copyright and the project's address.
inline constexpr std::string_view kAboutCaption = "About";
inline constexpr std::string_view kAboutProduct = kProgramTitle;
inline constexpr std::string_view kAboutVersionPrefix = "Version ";
inline constexpr std::string_view kAboutCopyright = "Copyright \u00a9 2026 Zelta PPS contributors";
// The project's home; the about box shows it and the desktop opens it.
inline constexpr std::string_view kProjectAddress = "https://zelta-pps.example.org/";
inline constexpr std::string_view kAboutOk = "OK";

// "Version R08.03.04".
inline std::string aboutVersion() {
  return std::string(kAboutVersionPrefix) + std::string(kProgramVersion);
}

}  // namespace zelta::window
