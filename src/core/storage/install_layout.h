#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace zelta::storage {

// Where the program's files are. Run from the build tree (or a folder of its
// own on a service bench) the program keeps its help and scratch files
// beside itself. Installed, the programs sit in <prefix>/bin and their
// shared files in <prefix>/share/zelta-pps; that folder is the mark of an
// installed program.
inline constexpr std::string_view kInstalledProgramFolderName = "bin";
inline constexpr std::string_view kInstalledDataFolder = "share/zelta-pps";

// <prefix>/share/zelta-pps when programFolder is <prefix>/bin and that
// folder exists, in normal form (no "..").
std::optional<std::filesystem::path> installedDataFolder(
    const std::filesystem::path& programFolder);

}  // namespace zelta::storage
