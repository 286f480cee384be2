#include "storage/file_fingerprint.h"

#include <string_view>

#include "storage/file_access.h"

namespace zelta::storage {
namespace {

// FNV-1a, 64 bits: codeplug files are a few kilobytes, and the hash only has
// to tell one version of a file from another, not resist forgery.
std::uint64_t contentHashOf(std::string_view bytes) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (const char byte : bytes) {
    hash ^= static_cast<unsigned char>(byte);
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

}  // namespace

std::optional<FileFingerprint> fingerprintFile(const std::filesystem::path& path) {
  const FileContent content = readCodeplugFileContent(path);
  if (content.error) return std::nullopt;
  return FileFingerprint{path, content.bytes.size(), contentHashOf(content.bytes)};
}

bool fileChangedSince(const FileFingerprint& before) {
  const std::optional<FileFingerprint> now = fingerprintFile(before.path);
  return !now || now->size != before.size || now->contentHash != before.contentHash;
}

}  // namespace zelta::storage
