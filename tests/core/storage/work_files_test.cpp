#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "storage/atomic_file.h"
#include "storage/work_folder.h"
#include "temp_folder.h"

namespace zelta::storage {
namespace {

namespace fs = std::filesystem;
using zelta::testing::readFile;
using zelta::testing::TempFolder;
using zelta::testing::writeFile;

TEST(WorkFolder, ProgramFolderWhenWritableElseTheUsersDataFolder) {
  TempFolder t;
  const fs::path program = t / "program";
  const fs::path user = t / "data" / "zelta-pps";
  fs::create_directory(program);

  EXPECT_EQ(workFolder(program, user), program);
  EXPECT_FALSE(fs::exists(user));
  EXPECT_TRUE(t.entries() == (std::vector<std::string>{"program"}));  // the probe is gone
  EXPECT_TRUE(fs::is_empty(program));

  EXPECT_EQ(workFolder(t / "missing", user), user);
  EXPECT_TRUE(fs::is_directory(user));

  writeFile(t / "afile", "x");
  EXPECT_EQ(workFolder(t / "afile", user), user);
  // Nowhere to go: the program folder, so that writes fail there.
  EXPECT_EQ(workFolder(t / "missing", std::nullopt), t / "missing");
  EXPECT_EQ(workFolder(t / "missing", t / "afile" / "below"), t / "missing");
}

TEST(WorkFolder, UserDataFolderFollowsXdg) {
  struct Saved {
    const char* name;
    std::optional<std::string> value;
  };
  Saved saved[] = {{"XDG_DATA_HOME", std::nullopt}, {"HOME", std::nullopt}};
  for (Saved& s : saved) {
    if (const char* v = std::getenv(s.name)) s.value = v;
  }

  ::setenv("XDG_DATA_HOME", "/xdg/data", 1);
  ::setenv("HOME", "/home/tech", 1);
  EXPECT_EQ(userDataFolder(), fs::path("/xdg/data/zelta-pps"));
  ::setenv("XDG_DATA_HOME", "relative/data", 1);  // not absolute: ignored
  EXPECT_EQ(userDataFolder(), fs::path("/home/tech/.local/share/zelta-pps"));
  ::unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(userDataFolder(), fs::path("/home/tech/.local/share/zelta-pps"));
  ::unsetenv("HOME");
  EXPECT_EQ(userDataFolder(), std::nullopt);

  for (const Saved& s : saved) {
    if (s.value) {
      ::setenv(s.name, s.value->c_str(), 1);
    } else {
      ::unsetenv(s.name);
    }
  }
}

TEST(AtomicFile, ReplacesTheContentAndKeepsThePermissions) {
  TempFolder t;
  const fs::path target = t / "a.cp";
  ASSERT_TRUE(writeFileAtomically(target, "first"));
  EXPECT_EQ(readFile(target), "first");
  ::chmod(target.c_str(), 0640);
  ASSERT_TRUE(writeFileAtomically(target, "second, longer"));
  EXPECT_EQ(readFile(target), "second, longer");
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640U);
  EXPECT_EQ(t.entries(), std::vector<std::string>{"a.cp"});
}

TEST(AtomicFile, ALinkStaysALink) {
  TempFolder t;
  writeFile(t / "real.cp", "old");
  fs::create_symlink(t / "real.cp", t / "link.cp");
  ASSERT_TRUE(writeFileAtomically(t / "link.cp", "new"));
  EXPECT_TRUE(fs::is_symlink(t / "link.cp"));
  EXPECT_EQ(readFile(t / "real.cp"), "new");
}

TEST(AtomicFile, FailureLeavesNothingBehind) {
  TempFolder t;
  fs::create_directory(t / "dir.cp");
  writeFile(t / "dir.cp" / "kept", "kept");
  EXPECT_FALSE(writeFileAtomically(t / "dir.cp", "content"));
  EXPECT_EQ(readFile(t / "dir.cp" / "kept"), "kept");
  EXPECT_EQ(t.entries(), std::vector<std::string>{"dir.cp"});
  EXPECT_FALSE(writeFileAtomically(t / "missing" / "a.cp", "content"));
}

}  // namespace
}  // namespace zelta::storage
