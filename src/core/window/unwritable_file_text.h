#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace zelta::window {

// The box of a save that cannot be written: the file, "cannot be written."
// and, on the third line, why in words a technician can act on: the
// read-only disk, the full disk, the folder that is missing, where a
// dangling link points, what stands at the name instead of a file. Other
// reasons are given as the system words them (systemReason); none at all
// when that is empty.
std::string unwritableFileText(const std::filesystem::path& file, const std::error_code& why,
                               std::string_view systemReason);

// Why the path cannot take a codeplug file before anything is written: a
// folder, a device, a pipe or a socket stands at it. Empty for a regular
// file, a link to one, or a free name.
std::error_code occupiedByNonFile(const std::filesystem::path& file);

}  // namespace zelta::window
