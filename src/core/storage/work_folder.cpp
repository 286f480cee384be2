#include "storage/work_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <system_error>

#include "storage/install_layout.h"

namespace zelta::storage {
namespace fs = std::filesystem;

bool folderWritable(const fs::path& folder) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return false;
  // O_EXCL on a name of our own keeps a probe from touching any real file.
  const fs::path probe = folder / (".zelta-pps-probe-" + std::to_string(::getpid()));
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  ::close(fd);
  fs::remove(probe, ec);
  return true;
}

std::optional<fs::path> userDataFolder() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome != nullptr && fs::path(dataHome).is_absolute()) {
    return fs::path(dataHome) / kUserDataFolderName;
  }
  const char* home = std::getenv("HOME");
  if (home != nullptr && fs::path(home).is_absolute()) {
    return fs::path(home) / ".local" / "share" / kUserDataFolderName;
  }
  return std::nullopt;
}

fs::path workFolder(const fs::path& programFolder, const std::optional<fs::path>& userFolder) {
  if (!userFolder) return programFolder;
  if (!installedDataFolder(programFolder) && folderWritable(programFolder)) return programFolder;
  std::error_code ec;
  fs::create_directories(*userFolder, ec);
  return folderWritable(*userFolder) ? *userFolder : programFolder;
}

fs::path workFolder(const fs::path& programFolder) {
  return workFolder(programFolder, userDataFolder());
}

}  // namespace zelta::storage
