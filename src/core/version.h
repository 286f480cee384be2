#pragma once

#include <string_view>

namespace zelta {

// The program version, as the pager's codeplug stamp and the window show it.
inline constexpr std::string_view kProgramVersion = "R08.03.04";
inline constexpr int kProgramVersionMajor = 8;
inline constexpr int kProgramVersionMinor = 3;
inline constexpr int kProgramVersionPatch = 4;

inline constexpr std::string_view kProgramTitle = "Zelta Series (POCSAG) PPS";
inline constexpr std::string_view kMainWindowCaption =
    "Zelta Series (POCSAG) PPS R080304 - 2015/06/22 (Customer Version)";

}  // namespace zelta
