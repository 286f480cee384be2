#include "storage/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace zelta::storage {
namespace {

class FileRefusalCategory final : public std::error_category {
 public:
  const char* name() const noexcept override { return "codeplug file"; }
  std::string message(int value) const override {
    switch (static_cast<FileRefusal>(value)) {
      case FileRefusal::NotRegularFile:
        return "not a regular file (a device, a pipe, a socket or a folder)";
      case FileRefusal::TooLarge: return "larger than 1 MiB, far larger than any codeplug file";
      case FileRefusal::DanglingLink: return "a symbolic link to nothing";
    }
    return "not a codeplug file";
  }
};

// Closes the descriptor however the read ends.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

std::error_code lastError() {
  return {errno, std::generic_category()};
}

}  // namespace

const std::error_category& fileRefusalCategory() {
  static const FileRefusalCategory category;
  return category;
}

std::error_code make_error_code(FileRefusal refusal) {
  return {static_cast<int>(refusal), fileRefusalCategory()};
}

FileContent readCodeplugFileContent(const std::filesystem::path& path) {
  FileContent content;
  // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
  const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (fd.get() < 0) {
    content.error = lastError();
    return content;
  }
  // Checked on what was opened, not on the name, so nothing can be swapped
  // in between.
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) {
    content.error = lastError();
    return content;
  }
  if (!S_ISREG(st.st_mode)) {
    content.error = FileRefusal::NotRegularFile;
    return content;
  }
  if (static_cast<std::uintmax_t>(st.st_size) > kMaxCodeplugFileBytes) {
    content.error = FileRefusal::TooLarge;
    return content;
  }
  // A file that grows while it is read is still cut off at the limit.
  char buffer[8192];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      content.error = lastError();
      content.bytes.clear();
      return content;
    }
    if (n == 0) break;
    content.bytes.append(buffer, static_cast<std::size_t>(n));
    if (content.bytes.size() > kMaxCodeplugFileBytes) {
      content.error = FileRefusal::TooLarge;
      content.bytes.clear();
      return content;
    }
  }
  return content;
}

}  // namespace zelta::storage
