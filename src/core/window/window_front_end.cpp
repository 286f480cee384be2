#include "window/window_front_end.h"

#include <limits>
#include <system_error>

namespace zelta::window {

std::uintmax_t WindowFrontEnd::freeSpace(const std::filesystem::path& folder) const {
  std::error_code ec;
  const std::filesystem::space_info space = std::filesystem::space(folder, ec);
  // A folder whose space cannot be told gets its try: the write itself
  // fails and says so.
  if (ec) return std::numeric_limits<std::uintmax_t>::max();
  return space.available;
}

void WindowFrontEnd::editPleasingAlert(codes::Melody&) {}

}  // namespace zelta::window
