#ifndef OSTREVIN_PLATFORM_POSIX_FILE_H_
#define OSTREVIN_PLATFORM_POSIX_FILE_H_

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The few file operations the settings file needs: a read that never blocks or throws, a stamp
// that tells whether a file changed, an exclusive lock between processes and an atomic replace.

namespace ostrevin {

// What identifies one version of a file: a change by any writer alters at least one field, as
// long as the change happens after the clock has moved past the file's time (see IsSettled).
struct FileStamp {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = 0;
  std::int64_t mtime_ns = 0;
  std::int64_t ctime_ns = 0;

  bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at `path` (symbolic links followed), or nullopt when there is none.
std::optional<FileStamp> StampOf(const std::filesystem::path& path);

// Whether the file's times lie more than `margin` in the past, so that a later change of the
// file cannot keep them: file times come from a coarse clock (and, on a network file system,
// another machine's clock), so two changes within one tick may leave the same stamp.
bool IsSettled(const FileStamp& stamp, std::chrono::nanoseconds margin);

// A file descriptor closed on every way out.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor();
  int get() const { return fd_; }
  // Closes now and reports whether closing succeeded (it may report a failed write).
  bool Close();

 private:
  int fd_;
};

// Writes all of `text`, retrying after interruptions; false on any failure.
bool WriteAll(int fd, std::string_view text);

enum class FileState { kMissing, kRead, kUnusable };

struct FileContents {
  FileState state = FileState::kMissing;
  std::string text;                // kRead only
  std::optional<FileStamp> stamp;  // of the version read, when the file exists
  unsigned mode = 0;               // permission bits, kRead only
};

// Reads a regular file of at most `max_size` bytes. A file that is missing reads as kMissing; a
// directory, device, pipe, an unreadable or larger file as kUnusable. Never blocks on a pipe.
FileContents ReadWholeFile(const std::filesystem::path& path, std::size_t max_size);

// Whether the file at `path` may be replaced: true when there is none; false when the process may
// not write it or its permission bits mark it read-only for everyone (which a privileged
// process would otherwise overlook).
bool MayReplace(const std::filesystem::path& path);

// Writes `text` to a new file beside `target`, flushes it to disk and renames it over `target`,
// so readers see the old or the new text, never a part. Returns false (target untouched) on
// failure, also when the target is read-only (MayReplace). REQUIRES: the folder of `target` exists.
bool ReplaceFile(const std::filesystem::path& target, std::string_view text, unsigned mode);

// An exclusive advisory lock (flock) on a lock file, held until destruction.
class FileLock {
 public:
  // Creates the lock file if needed and waits at most `timeout` for the lock. nullopt on failure.
  static std::optional<FileLock> Acquire(const std::filesystem::path& lock_path,
                                         std::chrono::milliseconds timeout);
  FileLock(FileLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  FileLock& operator=(FileLock&&) = delete;
  ~FileLock();

 private:
  explicit FileLock(int fd) : fd_(fd) {}
  int fd_;
};

}  // namespace ostrevin

#endif  // OSTREVIN_PLATFORM_POSIX_FILE_H_
