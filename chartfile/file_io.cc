#include "chartfile/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

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

}  // namespace

Result<std::string> ReadTextFile(const std::filesystem::path& path, std::size_t spare) {
  // O_NONBLOCK so that opening a named pipe cannot hang; it is refused below as not regular.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) return FileError(path, "cannot open", errno);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return FileError(path, "cannot read", errno);
  if (!S_ISREG(st.st_mode)) return Error::InvalidInput(path.string() + ": not a regular file");
  std::string text;
  text.reserve(static_cast<std::size_t>(st.st_size) + spare);
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return FileError(path, "cannot read", errno);
    if (n == 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  if (text.capacity() < text.size() + spare) text.reserve(text.size() + spare);  // it grew
  return text;
}

Status ReplaceFileAtomically(const std::filesystem::path& path, std::string_view text) {
  const std::filesystem::path target = ResolveLink(path);
  // The rename would replace a read-only file as readily as any other.
  if (!MayReplace(target)) return FileError(path, "cannot write", EACCES);
  std::string temp = target.string() + ".tmp.XXXXXX";
  FileDescriptor fd(::mkostemp(temp.data(), O_CLOEXEC));
  if (fd.get() < 0) return FileError(path, "cannot write", errno);
  bool ok = WriteAll(fd.get(), text) && ::fchmod(fd.get(), ModeFor(target)) == 0 &&
            ::fsync(fd.get()) == 0;
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
