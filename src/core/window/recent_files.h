#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>
#include <vector>

#include "window/settings_store.h"

namespace zelta::window {

// The settings value that holds the list: one path a line, most recent
// first.
inline constexpr std::string_view kRecentFilesValue = "Recent Files";
// As many as a File menu shows without scrolling, each reachable by its digit.
inline constexpr std::size_t kRecentFilesLimit = 8;

// The codeplug files last opened or saved, most recent first: a file is
// listed once, under its absolute, normalised path, and the oldest fall off
// beyond the limit.
class RecentFiles {
 public:
  RecentFiles() = default;
  explicit RecentFiles(const std::vector<std::filesystem::path>& files);

  // file moves to the top. A name with a line break is not kept: it could
  // not be stored.
  void add(const std::filesystem::path& file);
  void remove(const std::filesystem::path& file);
  // Files that have gone since they were listed leave the list; true when
  // any did.
  bool forgetMissing();

  const std::vector<std::filesystem::path>& files() const { return files_; }

 private:
  std::vector<std::filesystem::path> files_;
};

// The list as stored; files that no longer exist are left out.
RecentFiles loadRecentFiles(const SettingsStore& store);
void storeRecentFiles(const RecentFiles& recent, SettingsStore& store);

}  // namespace zelta::window
