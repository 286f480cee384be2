#pragma once

#include <filesystem>
#include <string_view>

namespace zelta::codeplug {

// Replaces target with content so that the file is either the new content
// whole or, on any failure, exactly what it was before: the content goes to
// a temporary file in target's folder, is flushed to the disk (fsync) and
// renamed over target. A failure removes the temporary file. An existing
// target keeps its permission bits; a symbolic link is followed, so the file
// it points to is replaced and the link stays.
bool writeFileAtomically(const std::filesystem::path& target, std::string_view content);

}  // namespace zelta::codeplug
