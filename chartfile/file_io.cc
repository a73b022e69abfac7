#include "chartfile/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "platform/huge_pages.h"
#include "platform/posix_file.h"

namespace ostrevin {
namespace {

Error FileError(const std::filesystem::path& path, std::string_view what, int error_number) {
  return Error::InvalidInput(path.string() + ": " + std::string(what) + ": " +
                             std::strerror(error_number));
}

// The permission bits for the new file: those of the file it replaces, else what the umask
// leaves of 0666, as for any file the user creates.
mode_t ModeFor(const std::filesystem::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) return st.st_mode & 07777;
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Follows a symbolic link so that the rename replaces the file it points to, not the link.
std::filesystem::path ResolveLink(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(path, ec)) return path;
  std::filesystem::path target = std::filesystem::weakly_canonical(path, ec);
  return ec ? path : target;
}

// O_NONBLOCK so that opening a named pipe cannot hang; RegularFileSize refuses it.
int OpenForReading(const std::filesystem::path& path) {
  return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
}

// The size of the regular file open as `fd` (from OpenForReading), or why it cannot be read.
Result<std::size_t> RegularFileSize(const std::filesystem::path& path, int fd) {
  if (fd < 0) return FileError(path, "cannot open", errno);
  struct stat st {};
  if (::fstat(fd, &st) != 0) return FileError(path, "cannot read", errno);
  if (!S_ISREG(st.st_mode)) return Error::InvalidInput(path.string() + ": not a regular file");
  return static_cast<std::size_t>(st.st_size);
}

// Reads into `to` until the end of the file or `room` bytes: the count read, or -1 (errno set).
ssize_t ReadUpTo(int fd, char* to, std::size_t room) {
  std::size_t done = 0;
  while (done < room) {
    const ssize_t n = ::read(fd, to + done, room - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return static_cast<ssize_t>(done);
}

std::size_t RoundUp(std::size_t n, std::size_t unit) {
  return (n + unit - 1) / unit * unit;
}

// Below this a file is read into a string as any other; above it, huge pages pay.
constexpr std::size_t kAlignedFrom = std::size_t{1} << 20;

}  // namespace

Result<std::string> ReadTextFile(const std::filesystem::path& path, std::size_t spare) {
  const FileDescriptor fd(OpenForReading(path));
  const Result<std::size_t> size = RegularFileSize(path, fd.get());
  if (!size) return size.error();
  std::string text;
  text.reserve(*size + spare);
  char buffer[65536];
  for (;;) {
    const ssize_t n = ReadUpTo(fd.get(), buffer, sizeof buffer);
    if (n < 0) return FileError(path, "cannot read", errno);
    if (n == 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  if (text.capacity() < text.size() + spare) text.reserve(text.size() + spare);  // it grew
  return text;
}

FileBytes& FileBytes::operator=(FileBytes&& other) noexcept {
  std::swap(heap_, other.heap_);
  std::swap(aligned_, other.aligned_);
  std::swap(aligned_length_, other.aligned_length_);
  std::swap(size_, other.size_);
  return *this;
}

FileBytes::~FileBytes() {
  std::free(aligned_);
}

Result<FileBytes> ReadFileBytes(const std::filesystem::path& path, std::size_t spare) {
  FileBytes bytes;
  {
    const FileDescriptor fd(OpenForReading(path));
    const Result<std::size_t> size = RegularFileSize(path, fd.get());
    if (!size) return size.error();
    // One byte of room more than the size, to see at once whether the file grew since.
    const std::size_t room = *size + 1;
    // Aligned to the huge page and a whole number of them: the kernel backs only such stretches
    // with huge pages.
    const std::size_t length = RoundUp(room + spare, kHugePage);
    if (room + spare >= kAlignedFrom)
      bytes.aligned_ = static_cast<char*>(std::aligned_alloc(kHugePage, length));
    if (bytes.aligned_ != nullptr) {
      bytes.aligned_length_ = length;
      AdviseHugePages(bytes.aligned_, length);
      const ssize_t n = ReadUpTo(fd.get(), bytes.aligned_, room);
      if (n < 0) return FileError(path, "cannot read", errno);
      bytes.size_ = static_cast<std::size_t>(n);
      std::memset(bytes.aligned_ + bytes.size_, 0, room + spare - bytes.size_);
      if (bytes.size_ < room) return bytes;
    }
  }
  // A small file, no pages to spare, or a file that grew while it was read.
  Result<std::string> text = ReadTextFile(path, spare);
  if (!text) return text.error();
  FileBytes heap;
  heap.heap_ = std::move(text).value();
  return heap;
}

Status ReplaceFileAtomically(const std::filesystem::path& path, std::string_view text) {
  return ReplaceFileAtomically(path, [&](const TextSink& sink) { return sink(text); });
}

Status ReplaceFileAtomically(const std::filesystem::path& path,
                             const std::function<Status(const TextSink&)>& produce) {
  const std::filesystem::path target = ResolveLink(path);
  // The rename would replace a read-only file as readily as any other.
  if (!MayReplace(target)) return FileError(path, "cannot write", EACCES);
  std::string temp = target.string() + ".tmp.XXXXXX";
  FileDescriptor fd(::mkostemp(temp.data(), O_CLOEXEC));
  if (fd.get() < 0) return FileError(path, "cannot write", errno);
  // Once a megabyte more is written the kernel starts writing it out to the disk, so that the
  // disk works while the rest is made and the flush at the end waits less.
  std::size_t written = 0, started = 0;
  const TextSink sink = [&](std::string_view text) -> Status {
    constexpr std::size_t kStretch = std::size_t{1} << 20;
    for (std::size_t at = 0; at < text.size(); at += kStretch) {
      const std::string_view stretch = text.substr(at, kStretch);
      if (!WriteAll(fd.get(), stretch)) return FileError(path, "cannot write", errno);
      written += stretch.size();
      if (written - started < kStretch) continue;
      ::sync_file_range(fd.get(), static_cast<off_t>(started),
                        static_cast<off_t>(written - started),
                        SYNC_FILE_RANGE_WRITE);  // only a hint: the fsync makes it sure
      started = written;
    }
    return Ok{};
  };
  if (Status produced = produce(sink); !produced) {
    ::unlink(temp.c_str());
    return produced;
  }
  bool ok = ::fchmod(fd.get(), ModeFor(target)) == 0 && ::fsync(fd.get()) == 0;
  int error_number = ok ? 0 : errno;
  if (!fd.Close() && ok) {
    ok = false;
    error_number = errno;
  }
  if (ok && ::rename(temp.c_str(), target.c_str()) == 0) {
    // Make the rename itself durable; a failure here leaves a complete file either way.
    std::filesystem::path folder = target.parent_path();
    FileDescriptor dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY));
    if (dir.get() >= 0) ::fsync(dir.get());
    return Ok{};
  }
  if (ok) error_number = errno;
  ::unlink(temp.c_str());
  return FileError(path, "cannot write", error_number);
}

}  // namespace ostrevin
