#include "window/unwritable_file_text.h"

#include <cerrno>

#include "storage/file_access.h"
#include "window/window_texts.h"

namespace zelta::window {
namespace {

namespace fs = std::filesystem;

// What stands at a name that is no regular file, as "It is ..." goes on.
std::string kindOf(const fs::path& file) {
  std::error_code ec;
  switch (fs::status(file, ec).type()) {
    case fs::file_type::directory: return "a folder";
    case fs::file_type::fifo: return "a named pipe (FIFO)";
    case fs::file_type::character: return "a character device";
    case fs::file_type::block: return "a block device";
    case fs::file_type::socket: return "a socket";
    default: return "not a regular file";
  }
}

std::string danglingLinkReason(const fs::path& file) {
  std::error_code ec;
  const fs::path target = fs::read_symlink(file, ec);
  if (ec) return "It is a symbolic link to nothing: choose another name.";
  return "It is a symbolic link to " + target.string() +
         ", which does not exist: create that file or choose another name.";
}

std::string missingFolderReason(const fs::path& file, std::string_view systemReason) {
  std::error_code ec;
  const fs::path folder = file.parent_path();
  if (folder.empty() || fs::exists(folder, ec)) return std::string(systemReason);
  return "The folder " + folder.string() + " does not exist: create it or choose another folder.";
}

std::string reasonOf(const fs::path& file, const std::error_code& why,
                     std::string_view systemReason) {
  if (why == storage::FileRefusal::DanglingLink) return danglingLinkReason(file);
  if (why == storage::FileRefusal::NotRegularFile || why == std::errc::is_a_directory)
    return "It is " + kindOf(file) + ", not a codeplug file: choose another name.";
  if (why == std::errc::read_only_file_system)
    return "The disk it is on can only be read (a read-only file system): save to another "
           "disk.";
  if (why == std::errc::no_space_on_device ||
      (why.category() == std::generic_category() && why.value() == EDQUOT))
    return "The disk is full: make room on it or save to another disk.";
  if (why == std::errc::no_such_file_or_directory) return missingFolderReason(file, systemReason);
  return std::string(systemReason);
}

}  // namespace

std::string unwritableFileText(const fs::path& file, const std::error_code& why,
                               std::string_view systemReason) {
  std::string text = file.string() + std::string(kFileUnwritableSuffix);
  const std::string reason = reasonOf(file, why, systemReason);
  if (!reason.empty()) text += "\n" + reason;
  return text;
}

std::error_code occupiedByNonFile(const fs::path& file) {
  std::error_code ec;
  const fs::file_status status = fs::status(file, ec);
  if (ec || !fs::exists(status) || fs::is_regular_file(status)) return {};
  if (fs::is_directory(status)) return std::make_error_code(std::errc::is_a_directory);
  return storage::make_error_code(storage::FileRefusal::NotRegularFile);
}

}  // namespace zelta::window
