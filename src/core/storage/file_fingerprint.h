#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace zelta::storage {

// What a codeplug file held when the window opened or last saved it, so that
// a save can tell whether another program has replaced it since. The bytes
// decide: a file rewritten with the same content (a new time, the same
// codeplug) has lost nothing when it is overwritten.
struct FileFingerprint {
  std::filesystem::path path;
  std::uintmax_t size = 0;
  std::uint64_t contentHash = 0;
};

// The file as it is now; nothing when it cannot be read as a codeplug file.
std::optional<FileFingerprint> fingerprintFile(const std::filesystem::path& path);

// The file at before.path no longer holds what it did, or can no longer be
// read (which a save cannot tell from a change either).
bool fileChangedSince(const FileFingerprint& before);

}  // namespace zelta::storage
