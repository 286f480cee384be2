#include "window/recent_files.h"

#include <algorithm>
#include <sstream>
#include <string>
#include <system_error>

namespace zelta::window {
namespace {

std::filesystem::path normalised(const std::filesystem::path& file) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(file, ec);
  return (ec ? file : absolute).lexically_normal();
}

}  // namespace

RecentFiles::RecentFiles(const std::vector<std::filesystem::path>& files) {
  // Added oldest first, so that the first stays first.
  for (auto it = files.rbegin(); it != files.rend(); ++it) add(*it);
}

void RecentFiles::add(const std::filesystem::path& file) {
  if (file.empty() || file.string().find_first_of("\r\n") != std::string::npos) return;
  const std::filesystem::path entry = normalised(file);
  std::erase(files_, entry);
  files_.insert(files_.begin(), entry);
  if (files_.size() > kRecentFilesLimit) files_.resize(kRecentFilesLimit);
}

void RecentFiles::remove(const std::filesystem::path& file) {
  std::erase(files_, normalised(file));
}

bool RecentFiles::forgetMissing() {
  return std::erase_if(files_, [](const std::filesystem::path& file) {
           std::error_code ec;
           return !std::filesystem::is_regular_file(file, ec);
         }) != 0;
}

RecentFiles loadRecentFiles(const SettingsStore& store) {
  std::vector<std::filesystem::path> files;
  std::istringstream lines(store.readString(kRecentFilesValue).value_or(std::string()));
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty()) files.emplace_back(line);
  }
  RecentFiles recent(files);
  recent.forgetMissing();
  return recent;
}

void storeRecentFiles(const RecentFiles& recent, SettingsStore& store) {
  std::string text;
  for (const std::filesystem::path& file : recent.files()) text += file.string() + '\n';
  store.writeString(kRecentFilesValue, text);
}

}  // namespace zelta::window
