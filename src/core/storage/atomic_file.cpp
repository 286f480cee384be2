#include "storage/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>
#include <vector>

#include "storage/file_access.h"

namespace zelta::storage {
namespace fs = std::filesystem;
namespace {

bool writeAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t n = ::write(fd, content.data(), content.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    content.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

mode_t newFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}

// The rename is only durable once the folder's entry is on the disk too.
std::error_code lastError() {
  return {errno, std::generic_category()};
}

void syncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::error_code replaceFileAtomically(const fs::path& requested, std::string_view content) {
  std::error_code ec;
  fs::path target = requested;
  struct stat existing {};
  bool replacing = false;
  if (::lstat(target.c_str(), &existing) == 0) {
    if (S_ISLNK(existing.st_mode)) {
      const fs::path resolved = fs::canonical(target, ec);
      if (ec) return FileRefusal::DanglingLink;
      target = resolved;
      if (::stat(target.c_str(), &existing) != 0) return lastError();
    }
    if (S_ISDIR(existing.st_mode)) return std::make_error_code(std::errc::is_a_directory);
    if (!S_ISREG(existing.st_mode)) return FileRefusal::NotRegularFile;
    if (::access(target.c_str(), W_OK) != 0) return lastError();
    replacing = true;
  } else if (errno != ENOENT) {
    return lastError();
  }
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");

  std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return lastError();
  const fs::path temporary(name.data());

  std::error_code failure;
  const mode_t mode = replacing ? (existing.st_mode & 07777) : newFileMode();
  // Only a privileged process may hand the file back to another owner;
  // elsewhere the new file is the writer's, as any rewrite would make it.
  if (replacing) (void)::fchown(fd, existing.st_uid, existing.st_gid);
  if (::fchmod(fd, mode) != 0 || !writeAll(fd, content) || ::fsync(fd) != 0) failure = lastError();
  if (::close(fd) != 0 && !failure) failure = lastError();
  if (!failure && ::rename(temporary.c_str(), target.c_str()) != 0) failure = lastError();
  if (failure) {
    fs::remove(temporary, ec);
    return failure;
  }
  syncFolder(folder);
  return {};
}

bool writeFileAtomically(const fs::path& target, std::string_view content) {
  return !replaceFileAtomically(target, content);
}

}  // namespace zelta::storage
