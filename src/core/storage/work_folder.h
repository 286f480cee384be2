#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace zelta::storage {

// The scratch files of opening, saving and converting, and the page
// pictures of the report, live in one work folder. It is the program's own
// folder, as on the pagers' service benches where the tool runs from a
// folder of its own. An installed program (install_layout.h) never writes
// beside itself, even where it could (root): the user's data folder takes
// the place, as it does for a program folder that is not writable.
inline constexpr std::string_view kBackupFileName = "~writeBeforeCP.bak";
inline constexpr std::string_view kLargeImageScratchName = "~writeAfterCP.bak";

// The folder name below the XDG data home ($XDG_DATA_HOME, or
// $HOME/.local/share when that is unset or not absolute).
inline constexpr std::string_view kUserDataFolderName = "zelta-pps";

// Whether a file can be created in folder: tried by creating and removing a
// probe file, since permission bits alone do not tell (root, read-only
// mounts, access lists).
bool folderWritable(const std::filesystem::path& folder);

// The user's data folder of this program from the environment; nothing when
// neither XDG_DATA_HOME nor HOME gives an absolute path.
std::optional<std::filesystem::path> userDataFolder();

// The work folder: userFolder (created when missing) for an installed
// program; otherwise programFolder when a file can be created there, else
// userFolder. When neither is usable the program folder is returned, so
// that writes fail there and say so.
std::filesystem::path workFolder(const std::filesystem::path& programFolder,
                                 const std::optional<std::filesystem::path>& userFolder);

// The same with the user's data folder taken from the environment.
std::filesystem::path workFolder(const std::filesystem::path& programFolder);

}  // namespace zelta::storage
