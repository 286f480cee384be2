#include "window/help_file.h"

#include <optional>
#include <system_error>

#include "storage/install_layout.h"

namespace zelta::window {
namespace fs = std::filesystem;

fs::path helpFilePath(const fs::path& programFolder) {
  const std::optional<fs::path> installed = storage::installedDataFolder(programFolder);
  std::error_code ec;
  const fs::path base = installed ? *installed : fs::absolute(programFolder, ec);
  return (base / kHelpFolderName / kHelpFileName).lexically_normal();
}

HelpRequest helpRequest(const fs::path& programFolder) {
  HelpRequest request{helpFilePath(programFolder), {}};
  std::error_code ec;
  if (!fs::is_regular_file(request.file, ec)) {
    request.missingMessage = std::string(kHelpFileNotFoundText) + request.file.string();
  }
  return request;
}

}  // namespace zelta::window
