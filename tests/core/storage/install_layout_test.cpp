#include "storage/install_layout.h"

#include <gtest/gtest.h>

#include "storage/work_folder.h"
#include "temp_folder.h"

namespace zelta::storage {
namespace {

namespace fs = std::filesystem;
using zelta::testing::TempFolder;

TEST(InstallLayout, AProgramInBinBesideShareZeltaPpsIsInstalled) {
  TempFolder t;
  fs::create_directories(t / "usr" / "bin");
  fs::create_directories(t / "usr" / "share" / "zelta-pps");
  fs::create_directories(t / "build" / "src" / "ui");
  fs::create_directories(t / "opt" / "bin");  // a bin without the shared files

  const fs::path data = t / "usr" / "share" / "zelta-pps";
  EXPECT_EQ(installedDataFolder(t / "usr" / "bin"), data);
  EXPECT_EQ(installedDataFolder(t.path() / "usr/bin/"), data);
  EXPECT_EQ(installedDataFolder(t.path() / "usr/share/../bin"), data);
  EXPECT_EQ(installedDataFolder(t / "build" / "src" / "ui"), std::nullopt);
  EXPECT_EQ(installedDataFolder(t / "opt" / "bin"), std::nullopt);
  EXPECT_EQ(installedDataFolder(t / "missing" / "bin"), std::nullopt);
}

// Writable or not (root may write to /usr/bin), an installed program's
// scratch files go to the user's data folder; a build tree keeps them.
TEST(InstallLayout, AnInstalledProgramWorksInTheUsersDataFolder) {
  TempFolder t;
  const fs::path bin = t / "usr" / "bin";
  const fs::path user = t / "home" / ".local" / "share" / "zelta-pps";
  fs::create_directories(bin);
  fs::create_directories(t / "usr" / "share" / "zelta-pps");
  ASSERT_TRUE(folderWritable(bin));

  EXPECT_EQ(workFolder(bin, user), user);
  EXPECT_TRUE(fs::is_directory(user));
  EXPECT_TRUE(fs::is_empty(bin));

  fs::create_directories(t / "build");
  EXPECT_EQ(workFolder(t / "build", user), t / "build");
}

}  // namespace
}  // namespace zelta::storage
