#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

namespace zelta::storage {

// Why a path is refused as a codeplug file before a byte of it is read or
// written. The codes belong to fileRefusalCategory(); their messages finish
// the sentence "The file is ...".
enum class FileRefusal {
  NotRegularFile = 1,  // a device, a pipe, a socket or a folder
  TooLarge,            // far larger than any codeplug
  DanglingLink,        // a symbolic link to nothing
};

const std::error_category& fileRefusalCategory();
std::error_code make_error_code(FileRefusal refusal);

// A codeplug file holds at most 2048 image bytes, a few kilobytes of text;
// anything beyond this is no codeplug, and reading it would only cost time.
inline constexpr std::uintmax_t kMaxCodeplugFileBytes = 1U << 20;

// The whole content of a codeplug file (S-records or a raw image).
struct FileContent {
  std::string bytes;
  std::error_code error;  // empty on success

  // The path holds something that is no codeplug file (error is a
  // FileRefusal), as opposed to a file that could not be opened or read.
  bool refused() const { return error.category() == fileRefusalCategory(); }
};

// Reads a codeplug file whole. It is opened without waiting (a FIFO with no
// writer must not block the program) and refused, before anything is read,
// when it is no regular file or larger than kMaxCodeplugFileBytes.
FileContent readCodeplugFileContent(const std::filesystem::path& path);

}  // namespace zelta::storage

template <>
struct std::is_error_code_enum<zelta::storage::FileRefusal> : std::true_type {};
