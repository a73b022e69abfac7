#include "platform/posix_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <thread>

namespace ostrevin {
namespace {

std::int64_t Nanoseconds(const timespec& t) {
  return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

FileStamp StampFrom(const struct stat& st) {
  return FileStamp{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                   static_cast<std::int64_t>(st.st_size), Nanoseconds(st.st_mtim),
                   Nanoseconds(st.st_ctim)};
}

bool ReadAll(int fd, std::size_t max_size, std::string& text) {
  char buffer[8192];
  while (text.size() <= max_size) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  return false;
}

// Makes the rename itself durable; a failure here leaves a correct file, so it is not reported.
void SyncFolder(const std::filesystem::path& folder) {
  FileDescriptor fd(
      ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() >= 0) ::fsync(fd.get());
}

}  // namespace

FileDescriptor::~FileDescriptor() {
  if (fd_ >= 0) ::close(fd_);
}

bool FileDescriptor::Close() {
  int fd = fd_;
  fd_ = -1;
  return ::close(fd) == 0;
}

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

std::optional<FileStamp> StampOf(const std::filesystem::path& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return StampFrom(st);
}

bool IsSettled(const FileStamp& stamp, std::chrono::nanoseconds margin) {
  timespec now;
  ::clock_gettime(CLOCK_REALTIME, &now);
  std::int64_t latest = std::max(stamp.mtime_ns, stamp.ctime_ns);
  return latest < Nanoseconds(now) - margin.count();
}

FileContents ReadWholeFile(const std::filesystem::path& path, std::size_t max_size) {
  FileContents result;
  // O_NONBLOCK: opening a pipe put where the file should be must not hang the reader.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat st;
  if (fd.get() < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return result;
    result.state = FileState::kUnusable;
    result.stamp = StampOf(path);
    return result;
  }
  result.state = FileState::kUnusable;
  if (::fstat(fd.get(), &st) != 0) return result;
  result.stamp = StampFrom(st);
  if (!S_ISREG(st.st_mode) || !ReadAll(fd.get(), max_size, result.text)) {
    result.text.clear();
    return result;
  }
  result.state = FileState::kRead;
  result.mode = st.st_mode & 07777;
  return result;
}

bool MayReplace(const std::filesystem::path& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return true;  // a new file, or a failure the write reports
  return (st.st_mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
}

bool ReplaceFile(const std::filesystem::path& target, std::string_view text, unsigned mode) {
  if (!MayReplace(target)) return false;
  std::string temp = target.string() + ".tmp.XXXXXX";
  FileDescriptor fd(::mkostemp(temp.data(), O_CLOEXEC));
  if (fd.get() < 0) return false;
  bool ok = WriteAll(fd.get(), text) && ::fchmod(fd.get(), static_cast<mode_t>(mode)) == 0 &&
            ::fsync(fd.get()) == 0;
  ok = fd.Close() && ok;
  if (!ok || ::rename(temp.c_str(), target.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  SyncFolder(target.parent_path());
  return true;
}

std::optional<FileLock> FileLock::Acquire(const std::filesystem::path& lock_path,
                                          std::chrono::milliseconds timeout) {
  int fd = ::open(lock_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return std::nullopt;
  FileLock lock(fd);
  auto deadline = std::chrono::steady_clock::now() + timeout;
  // Polling rather than a blocking flock, so that a writer that hangs while holding the lock
  // cannot hang this process too.
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() > deadline) {
      return std::nullopt;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return lock;
}

FileLock::~FileLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace ostrevin
