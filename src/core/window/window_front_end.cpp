#include "window/window_front_end.h"

#include <sys/statvfs.h>

#include <limits>
#include <system_error>

namespace zelta::window {

std::uintmax_t WindowFrontEnd::freeSpace(const std::filesystem::path& folder) const {
  std::error_code ec;
  const std::filesystem::space_info space = std::filesystem::space(folder, ec);
  // A folder whose space cannot be told gets its try: the write itself
  // fails and says so.
  if (ec) return std::numeric_limits<std::uintmax_t>::max();
  // A read-only disk reports no space available: the write says what is
  // really wrong.
  struct statvfs info {};
  if (::statvfs(folder.c_str(), &info) == 0 && (info.f_flag & ST_RDONLY) != 0)
    return std::numeric_limits<std::uintmax_t>::max();
  return space.available;
}

void WindowFrontEnd::editPleasingAlert(codes::Melody&) {}

void WindowFrontEnd::codeplugFileUsed(const std::filesystem::path&) {}

}  // namespace zelta::window
