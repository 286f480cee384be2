// A save that cannot be written says why in words a technician can act on,
// and a name that holds no file is refused before the replace question.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "storage/file_access.h"
#include "window/unwritable_file_text.h"
#include "window_fixture.h"

namespace zelta::window {
namespace {

namespace fs = std::filesystem;

// The five reasons a save fails on a technician's desk. The read-only and
// full disks cannot be made in a test folder: their reasons come as the
// system gives them.
TEST(UnwritableFileText, EachReasonIsPlainAndSpecific) {
  testing::TempFolder t;
  fs::create_symlink(t / "nowhere.cp", t / "link.cp");
  ASSERT_EQ(::mkfifo((t / "fifo.cp").c_str(), 0600), 0);
  const struct {
    const char* name;
    fs::path file;
    std::error_code why;
    std::string reason;
  } cases[] = {
      {"read-only file system", "/media/stick/a.cp",
       std::make_error_code(std::errc::read_only_file_system),
       "The disk it is on can only be read (a read-only file system): save to another disk."},
      {"no space", "/media/stick/a.cp", std::make_error_code(std::errc::no_space_on_device),
       "The disk is full: make room on it or save to another disk."},
      {"missing folder", t / "missing" / "a.cp",
       std::make_error_code(std::errc::no_such_file_or_directory),
       "The folder " + (t / "missing").string() +
           " does not exist: create it or choose another folder."},
      {"dangling link", t / "link.cp", make_error_code(storage::FileRefusal::DanglingLink),
       "It is a symbolic link to " + (t / "nowhere.cp").string() +
           ", which does not exist: create that file or choose another name."},
      {"not a regular file", t / "fifo.cp", make_error_code(storage::FileRefusal::NotRegularFile),
       "It is a named pipe (FIFO), not a codeplug file: choose another name."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(unwritableFileText(c.file, c.why, c.why.message()),
              c.file.string() + "\ncannot be written.\n" + c.reason);
  }
  // Any other reason is given as the system words it.
  const std::error_code busy = std::make_error_code(std::errc::device_or_resource_busy);
  EXPECT_EQ(unwritableFileText("/x/a.cp", busy, busy.message()),
            "/x/a.cp\ncannot be written.\n" + busy.message());
}

// Through the window's save, on real files.
TEST(SaveFailure, TheWindowSaysWhyEachSaveFailed) {
  WindowFixture f;
  f.loadNew(0x30);
  fs::create_symlink(f.folder / "nowhere.cp", f.folder / "link.cp");
  const struct {
    const char* name;
    fs::path file;
    std::string reason;
  } cases[] = {
      {"missing folder", f.folder / "missing" / "a.cp",
       "The folder " + (f.folder / "missing").string() +
           " does not exist: create it or choose another folder."},
      {"dangling link", f.folder / "link.cp",
       "It is a symbolic link to " + (f.folder / "nowhere.cp").string() +
           ", which does not exist: create that file or choose another name."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    f.reporter.shown.clear();
    f.frontEnd.saveAnswers.push_back(c.file);
    EXPECT_TRUE(f.window.save().failedWith(storage::kFileNotAccessible));
    ASSERT_EQ(f.reporter.shown.size(), 1U);
    EXPECT_EQ(f.reporter.shown[0].text, c.file.string() + "\ncannot be written.\n" + c.reason);
  }
  EXPECT_TRUE(f.reporter.asked.empty());
}

// A folder or a pipe at the name is refused at once: asking
// whether to replace it would lead only to a failure.
TEST(SaveFailure, WhatIsNoFileIsRefusedWithoutTheReplaceQuestion) {
  WindowFixture f;
  f.loadNew(0x30);
  ASSERT_EQ(::mkfifo((f.folder / "fifo.cp").c_str(), 0600), 0);
  fs::create_directory(f.folder / "dir.cp");
  const struct {
    fs::path file;
    const char* kind;
  } cases[] = {
      {f.folder / "fifo.cp", "a named pipe (FIFO)"},
      {f.folder / "dir.cp", "a folder"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    f.reporter.shown.clear();
    f.reporter.answer(true);  // would replace, were it asked
    f.frontEnd.saveAnswers.push_back(c.file);
    EXPECT_TRUE(f.window.save().failedWith(storage::kFileNotAccessible));
    EXPECT_TRUE(f.reporter.asked.empty());
    ASSERT_EQ(f.reporter.shown.size(), 1U);
    EXPECT_EQ(f.reporter.shown[0].text, c.file.string() + "\ncannot be written.\nIt is " + c.kind +
                                            ", not a codeplug file: choose another name.");
    f.reporter.answers.clear();
  }
  EXPECT_TRUE(fs::is_fifo(f.folder / "fifo.cp"));
  EXPECT_TRUE(fs::is_directory(f.folder / "dir.cp"));
}

}  // namespace
}  // namespace zelta::window
