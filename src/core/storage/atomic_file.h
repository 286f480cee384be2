#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

namespace zelta::storage {

// Replaces target with content so that the file is either the new content
// whole or, on any failure, exactly what it was before: the content goes to
// a temporary file in target's folder, is flushed to the disk (fsync) and
// renamed over target. A failure removes the temporary file.
//
// Only a regular file or a new name is written. A device, a FIFO, a socket
// or a folder at target is refused (FileRefusal::NotRegularFile, or EISDIR)
// and left alone. A symbolic link to a regular file is followed: that file
// is replaced and the link stays; a link to nothing is refused
// (FileRefusal::DanglingLink). A file that is replaced keeps its permission
// bits and, where the process may set them, its owner and group; one the
// process may not write to is refused (EACCES), as writing into it would be.
//
// Returns the reason of a failure: an errno value (read-only file system,
// disk full, missing folder ...) or a FileRefusal; empty on success.
std::error_code replaceFileAtomically(const std::filesystem::path& target,
                                      std::string_view content);

// replaceFileAtomically, true on success.
bool writeFileAtomically(const std::filesystem::path& target, std::string_view content);

}  // namespace zelta::storage
