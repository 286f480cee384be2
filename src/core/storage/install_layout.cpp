#include "storage/install_layout.h"

#include <system_error>

namespace zelta::storage {
namespace fs = std::filesystem;

std::optional<fs::path> installedDataFolder(const fs::path& programFolder) {
  std::error_code ec;
  fs::path folder = fs::absolute(programFolder, ec).lexically_normal();
  if (ec) return std::nullopt;
  // "/usr/bin/" normalizes to "/usr/bin/" with an empty last name.
  if (folder.filename().empty()) folder = folder.parent_path();
  if (folder.filename() != kInstalledProgramFolderName) return std::nullopt;
  const fs::path data = (folder.parent_path() / kInstalledDataFolder).lexically_normal();
  if (!fs::is_directory(data, ec)) return std::nullopt;
  return data;
}

}  // namespace zelta::storage
