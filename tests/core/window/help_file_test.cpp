#include "window/help_file.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace zelta::window {
namespace {

namespace fs = std::filesystem;
using zelta::testing::TempFolder;
using zelta::testing::writeFile;

TEST(HelpFile, BesideTheProgramInTheBuildTreeAndInShareWhenInstalled) {
  TempFolder t;
  fs::create_directories(t / "build" / "src" / "ui");
  fs::create_directories(t / "usr" / "bin");
  fs::create_directories(t / "usr" / "share" / "zelta-pps");

  EXPECT_EQ(helpFilePath(t / "build" / "src" / "ui"), t.path() / "build/src/ui/help/index.html");
  EXPECT_EQ(helpFilePath(t / "usr" / "bin"), t.path() / "usr/share/zelta-pps/help/index.html");
}

TEST(HelpFile, ARelativeProgramFolderGivesTheFullPath) {
  const fs::path path = helpFilePath("some/../folder");
  EXPECT_TRUE(path.is_absolute());
  EXPECT_EQ(path, fs::current_path() / "folder" / "help" / "index.html");
}

TEST(HelpFile, AMissingGuideGivesTheMessageWithItsFullPath) {
  TempFolder t;
  const HelpRequest missing = helpRequest(t.path());
  EXPECT_EQ(missing.file, t.path() / "help" / "index.html");
  EXPECT_EQ(missing.missingMessage, "Help file not found\n" + missing.file.string());

  fs::create_directory(t / "help");
  fs::create_directory(t.path() / "help" / "index.html");  // a folder is no guide
  EXPECT_FALSE(helpRequest(t.path()).missingMessage.empty());
  fs::remove(t.path() / "help" / "index.html");

  writeFile(t.path() / "help" / "index.html", "<html></html>");
  const HelpRequest present = helpRequest(t.path());
  EXPECT_EQ(present.file, missing.file);
  EXPECT_EQ(present.missingMessage, "");
}

}  // namespace
}  // namespace zelta::window
