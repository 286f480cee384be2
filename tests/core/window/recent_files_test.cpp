#include "window/recent_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace zelta::window {
namespace {

std::filesystem::path touch(const testing::TempFolder& folder, const std::string& name) {
  std::ofstream(folder / name) << "S0\n";
  return folder / name;
}

std::vector<std::string> names(const RecentFiles& recent) {
  std::vector<std::string> out;
  for (const auto& file : recent.files()) out.push_back(file.filename().string());
  return out;
}

TEST(RecentFiles, MostRecentFirstEachFileOnceUnderOneName) {
  testing::TempFolder folder;
  RecentFiles recent;
  recent.add(touch(folder, "a.cp"));
  recent.add(touch(folder, "b.cp"));
  // The same file by another spelling moves up instead of standing twice.
  recent.add(folder.path() / "sub" / ".." / "a.cp");
  EXPECT_EQ(names(recent), (std::vector<std::string>{"a.cp", "b.cp"}));
  EXPECT_EQ(recent.files().front(), folder.path() / "a.cp");
}

TEST(RecentFiles, TheOldestFallOffBeyondTheLimit) {
  testing::TempFolder folder;
  RecentFiles recent;
  for (std::size_t i = 0; i <= kRecentFilesLimit; ++i)
    recent.add(touch(folder, "f" + std::to_string(i) + ".cp"));
  ASSERT_EQ(recent.files().size(), kRecentFilesLimit);
  EXPECT_EQ(recent.files().front().filename(), "f" + std::to_string(kRecentFilesLimit) + ".cp");
  EXPECT_EQ(recent.files().back().filename(), "f1.cp");
}

TEST(RecentFiles, StoredAndLoadedInOrderWithoutTheFilesThatHaveGone) {
  testing::TempFolder folder;
  RecentFiles recent;
  recent.add(touch(folder, "old.cp"));
  recent.add(touch(folder, "gone.cp"));
  recent.add(touch(folder, "new.cp"));
  MemorySettingsStore store;
  storeRecentFiles(recent, store);
  std::filesystem::remove(folder / "gone.cp");

  EXPECT_EQ(names(loadRecentFiles(store)), (std::vector<std::string>{"new.cp", "old.cp"}));
  // A folder by the name of a listed file is no file to open either.
  std::filesystem::remove(folder / "old.cp");
  std::filesystem::create_directory(folder / "old.cp");
  EXPECT_EQ(names(loadRecentFiles(store)), (std::vector<std::string>{"new.cp"}));
}

TEST(RecentFiles, ANameThatCannotBeStoredIsNotListed) {
  testing::TempFolder folder;
  RecentFiles recent;
  recent.add(touch(folder, "two\nlines.cp"));
  recent.add({});
  EXPECT_TRUE(recent.files().empty());
  // Nothing stored yet, or a hand-edited value with blank lines.
  MemorySettingsStore store;
  EXPECT_TRUE(loadRecentFiles(store).files().empty());
  store.writeString(kRecentFilesValue, "\n\n" + touch(folder, "a.cp").string() + "\n\n");
  EXPECT_EQ(names(loadRecentFiles(store)), (std::vector<std::string>{"a.cp"}));
}

}  // namespace
}  // namespace zelta::window
