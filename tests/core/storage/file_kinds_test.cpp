// What may stand at a codeplug file's path: opening refuses anything that
// is no codeplug before reading it, saving writes only regular files and new
// names, and both say why they failed.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

#include "codeplug_workspace.h"
#include "core/codeplug/srecord_fixture.h"
#include "storage/atomic_file.h"
#include "storage/codeplug_files.h"
#include "storage/file_access.h"

namespace zelta::codeplug {
namespace {

using namespace zelta::storage;

namespace fs = std::filesystem;
using Workspace = zelta::testing::CodeplugWorkspace;
using zelta::testing::readFile;
using zelta::testing::writeFile;

std::string validFile() {
  auto bytes = testing::patternImage(1024, '1', 3);
  return testing::srecFile(bytes, 0, "\r\n", testing::headerRecord(0, 32, '1'));
}

// --- Opening ---------------------------------------------------------------

// Each kind is refused with -30 and the reason in the message, without
// reading from it (a FIFO with no writer and /dev/zero would never end).
TEST(OpenCodeplugKinds, WhatIsNoCodeplugFileIsRefusedBeforeItIsRead) {
  struct Case {
    const char* name;
    std::function<fs::path(const fs::path& folder)> make;
    const char* reason;
  };
  const Case cases[] = {
      {"FIFO",
       [](const fs::path& f) {
         const fs::path p = f / "fifo.cp";
         EXPECT_EQ(::mkfifo(p.c_str(), 0600), 0);
         return p;
       },
       "not a regular file"},
      {"character device", [](const fs::path&) { return fs::path("/dev/zero"); },
       "not a regular file"},
      {"folder",
       [](const fs::path& f) {
         fs::create_directory(f / "dir.cp");
         return f / "dir.cp";
       },
       "not a regular file"},
      {"600 MB file",
       [](const fs::path& f) {
         const fs::path p = f / "huge.cp";
         std::ofstream(p) << validFile();
         fs::resize_file(p, 600'000'000);  // sparse: no disk used, no time
         return p;
       },
       "larger than 1 MiB"},
      {"model byte 0xFF",
       [](const fs::path& f) {
         auto bytes = testing::patternImage(768, 0xFF, 4);
         const fs::path p = f / "ff.cp";
         std::ofstream(p) << testing::srecFile(bytes, 0, "\r\n",
                                               testing::headerRecord(0, 32, 0xFF));
         return p;
       },
       "for model code 0xFF, which is no pager model"},
      {"unknown model byte",
       [](const fs::path& f) {
         auto bytes = testing::patternImage(512, 0x55, 4);
         const fs::path p = f / "x55.cp";
         std::ofstream(p) << testing::srecFile(bytes, 0, "\r\n",
                                               testing::headerRecord(0, 32, 0x55));
         return p;
       },
       "for model code 0x55, which is no pager model"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Workspace w;
    const fs::path path = c.make(w.folder.path());
    EXPECT_EQ(w.files().readCodeplugFile(path), errors::code::InvalidArchive);
    ASSERT_EQ(w.reporter.shown.size(), 1U);
    EXPECT_EQ(w.shownText(0).rfind("ERROR: Invalid archive file.\nThe file is ", 0), 0U)
        << w.shownText(0);
    EXPECT_NE(w.shownText(0).find(c.reason), std::string::npos) << w.shownText(0);
    EXPECT_TRUE(w.codec.decodes.empty());
  }
}

// A file that is read but refused names itself and what is wrong with it.
TEST(OpenCodeplugKinds, ARefusedFileIsNamedWithWhatIsWrong) {
  std::string badChecksum = validFile();
  const std::size_t lineEnd = badChecksum.find("\r\n", badChecksum.find("S1"));
  badChecksum[lineEnd - 1] = badChecksum[lineEnd - 1] == '0' ? '1' : '0';
  const struct {
    const char* content;
    std::string text;
    const char* reason;
  } cases[] = {
      {"no records", "hello\n", "no codeplug file: it holds no S1 data record"},
      {"bad checksum", badChecksum, "damaged: a record's form, length or checksum is wrong"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.content);
    Workspace w;
    const fs::path path = w.file("refused.cp", c.text);
    EXPECT_EQ(w.files().readCodeplugFile(path), errors::code::InvalidArchive);
    ASSERT_EQ(w.reporter.shown.size(), 1U);
    const std::string shown = w.shownText(0);
    EXPECT_EQ(shown.rfind(std::string("ERROR: Invalid archive file.\nThe file is ") + c.reason, 0),
              0U)
        << shown;
    EXPECT_TRUE(shown.ends_with(": " + path.string() + "\n")) << shown;
  }
}

TEST(OpenCodeplugKinds, AFileThatCannotBeOpenedSaysWhy) {
  Workspace w;
  EXPECT_EQ(w.files().readCodeplugFile(w.folder / "absent.cp"), kFileNotAccessible);
  EXPECT_TRUE(w.reporter.shown.empty());
  EXPECT_EQ(w.reporter.context().fileProblem, std::strerror(ENOENT));

  // The next open that succeeds leaves nothing of it behind.
  EXPECT_EQ(w.files().readCodeplugFile(w.file("good.cp", validFile())), errors::code::Ok);
  EXPECT_EQ(w.reporter.context().fileProblem, "");
}

TEST(FileContent, ReadsARegularFileWhole) {
  zelta::testing::TempFolder t;
  writeFile(t / "a.cp", validFile());
  const FileContent content = readCodeplugFileContent(t / "a.cp");
  EXPECT_FALSE(content.error);
  EXPECT_EQ(content.bytes, validFile());
  EXPECT_EQ(readCodeplugFileContent("/dev/null").error, FileRefusal::NotRegularFile);
}

// --- Saving ----------------------------------------------------------------

// Each kind of thing at the target path, what saving must do with it, and
// what must stand there afterwards.
TEST(SaveCodeplugKinds, OnlyRegularFilesAndNewNamesAreWritten) {
  struct Case {
    const char* name;
    std::function<fs::path(const fs::path& folder)> make;
    std::error_code expected;  // empty: written
    std::function<void(const fs::path& target, const fs::path& folder)> after;
  };
  const auto regularWith = [](const fs::path& p, const char* text) {
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(p)));
    EXPECT_EQ(readFile(p), text);
  };
  const Case cases[] = {
      {"new name",
       [](const fs::path& f) { return f / "new.cp"; },
       {},
       [&](const fs::path& p, const fs::path&) { regularWith(p, "content"); }},
      {"regular file",
       [](const fs::path& f) {
         writeFile(f / "old.cp", "old");
         return f / "old.cp";
       },
       {},
       [&](const fs::path& p, const fs::path&) { regularWith(p, "content"); }},
      {"FIFO",
       [](const fs::path& f) {
         EXPECT_EQ(::mkfifo((f / "fifo.cp").c_str(), 0600), 0);
         return f / "fifo.cp";
       },
       FileRefusal::NotRegularFile,
       [](const fs::path& p, const fs::path&) { EXPECT_TRUE(fs::is_fifo(fs::symlink_status(p))); }},
      {"character device", [](const fs::path&) { return fs::path("/dev/null"); },
       FileRefusal::NotRegularFile,
       [](const fs::path& p, const fs::path&) {
         EXPECT_TRUE(fs::is_character_file(fs::symlink_status(p)));
       }},
      {"folder",
       [](const fs::path& f) {
         fs::create_directory(f / "dir.cp");
         return f / "dir.cp";
       },
       std::make_error_code(std::errc::is_a_directory),
       [](const fs::path& p, const fs::path&) { EXPECT_TRUE(fs::is_directory(p)); }},
      {"missing folder", [](const fs::path& f) { return f / "missing" / "a.cp"; },
       std::make_error_code(std::errc::no_such_file_or_directory),
       [](const fs::path& p, const fs::path&) { EXPECT_FALSE(fs::exists(p.parent_path())); }},
      {"dangling symbolic link",
       [](const fs::path& f) {
         fs::create_symlink(f / "nowhere.cp", f / "link.cp");
         return f / "link.cp";
       },
       FileRefusal::DanglingLink,
       [](const fs::path& p, const fs::path& f) {
         EXPECT_TRUE(fs::is_symlink(p));
         EXPECT_FALSE(fs::exists(f / "nowhere.cp"));
       }},
      {"symbolic link to a file",
       [](const fs::path& f) {
         writeFile(f / "real.cp", "old");
         fs::create_symlink(f / "real.cp", f / "link.cp");
         return f / "link.cp";
       },
       {},
       [&](const fs::path& p, const fs::path& f) {
         EXPECT_TRUE(fs::is_symlink(p));
         regularWith(f / "real.cp", "content");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    zelta::testing::TempFolder t;
    const fs::path target = c.make(t.path());
    EXPECT_EQ(replaceFileAtomically(target, "content"), c.expected);
    c.after(target, t.path());
    // No temporary file is left behind.
    for (const auto& entry : fs::directory_iterator(t.path())) {
      EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
    }
  }
}

// A replaced file keeps its permission bits, and its owner where the
// process may set it (a privileged process always may).
TEST(SaveCodeplugKinds, AReplacedFileKeepsModeAndOwner) {
  zelta::testing::TempFolder t;
  const fs::path target = t / "theirs.cp";
  writeFile(target, "old");
  ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
  const bool privileged = ::geteuid() == 0;
  if (privileged) {
    ASSERT_EQ(::chown(target.c_str(), 4321, 4321), 0);
  }

  const std::error_code result = replaceFileAtomically(target, "new");
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0444U);
  if (privileged) {
    EXPECT_FALSE(result);
    EXPECT_EQ(readFile(target), "new");
    EXPECT_EQ(st.st_uid, 4321U);
    EXPECT_EQ(st.st_gid, 4321U);
  } else {
    // Nobody may write into a read-only file: it is not replaced behind
    // its back either.
    EXPECT_EQ(result, std::make_error_code(std::errc::permission_denied));
    EXPECT_EQ(readFile(target), "old");
  }
}

// The save command's failure names the reason, not only "cannot write".
TEST(SaveCodeplugKinds, ASaveThatCannotWriteSaysWhy) {
  Workspace w;
  w.load(testing::patternImage(1024, '1', 5), '1');
  w.settings.frequency = "158.0125";
  w.settings.freqBand = 2;
  EXPECT_EQ(w.files().writeCodeplugFile(w.folder / "missing" / "a.cp"), kFileNotAccessible);
  EXPECT_EQ(w.reporter.context().fileProblem, std::strerror(ENOENT));
  EXPECT_EQ(w.files().writeCodeplugFile("/dev/null"), kFileNotAccessible);
  EXPECT_EQ(w.reporter.context().fileProblem,
            "not a regular file (a device, a pipe, a socket or a folder)");
  EXPECT_EQ(w.files().writeCodeplugFile(w.folder / "fine.cp"), errors::code::Ok);
  EXPECT_EQ(w.reporter.context().fileProblem, "");
}

}  // namespace
}  // namespace zelta::codeplug
