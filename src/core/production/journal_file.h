#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

namespace zelta::production {

// Why the journal file could not be used.
enum class JournalFault { None, CannotOpen, CannotRead, CannotWrite };

// "cannot open", "cannot read", "cannot write": for a message that names the
// file and the system's reason.
std::string_view describeJournalFault(JournalFault fault);

// The journal on disk: append-only, shared by the fixtures of this process
// and by other processes on the same file. Every change happens under an
// exclusive lock of the whole file, after reading it whole, with one write
// of whole lines that is synced to the disk before the lock is let go: a
// reservation is only acted on once it would survive a crash.
//
// While the file is open the process also marks itself as running on it, so
// that another process can tell a reservation of a live run from one that a
// killed run left behind. One process opens a journal once: its mark goes
// with the first descriptor of the file that it closes.
//
// The system calls live in journal_file_posix.cpp.
class JournalFile {
 public:
  ~JournalFile();
  JournalFile(const JournalFile&) = delete;
  JournalFile& operator=(const JournalFile&) = delete;

  // Opens (creating) the file; nothing and the fault with errno's text in
  // `reason` when it cannot be used.
  static std::unique_ptr<JournalFile> open(const std::filesystem::path& path, JournalFault& fault,
                                           std::string& reason);

  // Under the lock: the whole content is handed to `decide`, which returns
  // the lines to append (each ending in a newline, or nothing). A content
  // whose last line is torn gets a newline first, so the torn part stays a
  // line of its own. CannotRead / CannotWrite, or None.
  JournalFault update(const std::function<std::string(std::string_view content)>& decide);

  // The whole content under a shared lock.
  JournalFault read(std::string& content);

  // This process's id, as the lines carry it.
  long pid() const;
  // A process with this id runs on this journal now (this one included).
  bool processRunsOnJournal(long pid) const;

  const std::string& lastError() const { return lastError_; }

 private:
  explicit JournalFile(int fd) : fd_(fd) {}
  bool readAll(std::string& content);

  int fd_ = -1;
  std::string lastError_;
  // flock keeps other processes out; the fixtures of this one share the
  // descriptor, which flock does not tell apart.
  std::mutex mutex_;
};

// "2026-12-11T09:12:31.123Z": now, as the journal's lines carry it.
std::string utcTimestamp();

}  // namespace zelta::production
