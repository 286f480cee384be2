// The journal's system calls: open(O_APPEND), flock for the changes,
// fcntl byte locks for "this process runs on the journal", fsync.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "production/journal_file.h"

namespace zelta::production {
namespace {

// Each running process holds a write lock on one byte far past the end of
// the journal, at this base plus its process id. The kernel lets go of it
// when the process ends in any way (also SIGKILL), so a free byte means that
// no process of that id runs on the journal any more. Byte locks past the
// end of a file neither need nor change its size.
constexpr off_t kRunningMarkBase = off_t{1} << 40;

// flock's lock, let go on every path.
class FileLock {
 public:
  FileLock(int fd, int operation) : fd_(fd) {
    while ((ok_ = flock(fd_, operation) == 0) == false && errno == EINTR) {
    }
  }
  ~FileLock() {
    if (ok_) flock(fd_, LOCK_UN);
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  bool ok() const { return ok_; }

 private:
  int fd_;
  bool ok_ = false;
};

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

std::string_view describeJournalFault(JournalFault fault) {
  switch (fault) {
    case JournalFault::None: return "";
    case JournalFault::CannotOpen: return "cannot open the journal";
    case JournalFault::CannotRead: return "cannot read the journal";
    case JournalFault::CannotWrite: return "cannot write the journal";
  }
  return "";
}

std::unique_ptr<JournalFile> JournalFile::open(const std::filesystem::path& path,
                                               JournalFault& fault, std::string& reason) {
  const int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) {
    fault = JournalFault::CannotOpen;
    reason = std::strerror(errno);
    return nullptr;
  }
  struct flock mark {};
  mark.l_type = F_WRLCK;
  mark.l_whence = SEEK_SET;
  mark.l_start = kRunningMarkBase + getpid();
  mark.l_len = 1;
  if (fcntl(fd, F_SETLK, &mark) != 0) {
    fault = JournalFault::CannotOpen;
    reason = std::strerror(errno);
    ::close(fd);
    return nullptr;
  }
  fault = JournalFault::None;
  return std::unique_ptr<JournalFile>(new JournalFile(fd));
}

JournalFile::~JournalFile() {
  if (fd_ >= 0) ::close(fd_);
}

long JournalFile::pid() const {
  return static_cast<long>(getpid());
}

bool JournalFile::processRunsOnJournal(long pid) const {
  if (pid == this->pid()) return true;
  if (pid <= 0) return false;
  struct flock probe {};
  probe.l_type = F_WRLCK;
  probe.l_whence = SEEK_SET;
  probe.l_start = kRunningMarkBase + static_cast<off_t>(pid);
  probe.l_len = 1;
  if (fcntl(fd_, F_GETLK, &probe) != 0) return true;  // unknown: taken as running
  return probe.l_type != F_UNLCK;
}

bool JournalFile::readAll(std::string& content) {
  content.clear();
  char buffer[65536];
  off_t offset = 0;
  for (;;) {
    const ssize_t n = pread(fd_, buffer, sizeof buffer, offset);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      lastError_ = std::strerror(errno);
      return false;
    }
    if (n == 0) return true;
    content.append(buffer, static_cast<std::size_t>(n));
    offset += n;
  }
}

JournalFault JournalFile::read(std::string& content) {
  const std::lock_guard guard(mutex_);
  const FileLock lock(fd_, LOCK_SH);
  if (!lock.ok() || !readAll(content)) return JournalFault::CannotRead;
  return JournalFault::None;
}

JournalFault JournalFile::update(
    const std::function<std::string(std::string_view content)>& decide) {
  const std::lock_guard guard(mutex_);
  const FileLock lock(fd_, LOCK_EX);
  std::string content;
  if (!lock.ok() || !readAll(content)) return JournalFault::CannotRead;
  std::string lines = decide(content);
  if (lines.empty()) return JournalFault::None;
  if (!content.empty() && content.back() != '\n') lines.insert(lines.begin(), '\n');
  // O_APPEND: the lines land at the end whatever the offset; one write keeps
  // them together, fsync makes them durable before the pager is touched.
  if (!writeAll(fd_, lines) || fsync(fd_) != 0) {
    lastError_ = std::strerror(errno);
    return JournalFault::CannotWrite;
  }
  return JournalFault::None;
}

std::string utcTimestamp() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900,
                utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec,
                static_cast<int>(ms));
  return text;
}

}  // namespace zelta::production
