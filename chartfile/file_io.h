#ifndef OSTREVIN_CHARTFILE_FILE_IO_H_
#define OSTREVIN_CHARTFILE_FILE_IO_H_

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "values/error.h"

namespace ostrevin {

// The whole content of the regular file at `path`. Fails, naming the path and the reason, for a
// missing or unreadable file and for anything that is not a regular file (never blocks on a pipe).
// With `spare`, the string's capacity holds that many bytes beyond the text, for a parser that
// reads a little past the end.
Result<std::string> ReadTextFile(const std::filesystem::path& path, std::size_t spare = 0);

// A file's bytes read whole, with at least `spare` readable bytes beyond them. A large file goes
// into memory aligned so that the kernel may back it with huge pages, so that reading a chart of
// megabytes costs a few page faults instead of one per 4 kB.
class FileBytes {
 public:
  FileBytes() = default;
  FileBytes(FileBytes&& other) noexcept { *this = std::move(other); }
  FileBytes& operator=(FileBytes&& other) noexcept;
  FileBytes(const FileBytes&) = delete;
  FileBytes& operator=(const FileBytes&) = delete;
  ~FileBytes();

  std::string_view text() const {
    return aligned_ != nullptr ? std::string_view(aligned_, size_) : std::string_view(heap_);
  }
  // How many bytes from text().data() may be read: the text and the spare bytes.
  std::size_t readable() const { return aligned_ != nullptr ? aligned_length_ : heap_.capacity(); }

 private:
  friend Result<FileBytes> ReadFileBytes(const std::filesystem::path& path, std::size_t spare);
  std::string heap_;  // a small file, or one that grew while it was read
  char* aligned_ = nullptr;
  std::size_t aligned_length_ = 0;
  std::size_t size_ = 0;
};

// ReadTextFile into FileBytes, with the same errors.
Result<FileBytes> ReadFileBytes(const std::filesystem::path& path, std::size_t spare);

// Replaces the file at `path` (a symbolic link is followed to its target) with `text`: writes a
// temporary file in the same folder, flushes it to disk and renames it over the old one. An
// existing file keeps its permissions. On failure the old file is untouched and no temporary
// file is left behind. A read-only file (see MayReplace in platform/posix_file.h) is refused.
Status ReplaceFileAtomically(const std::filesystem::path& path, std::string_view text);

// Takes a text stretch by stretch, as it is made.
using TextSink = std::function<Status(std::string_view)>;

// ReplaceFileAtomically with the text that `produce` hands to its sink, each stretch written to
// the file as it comes. When `produce` fails, its error is returned as it is and the old file is
// kept.
Status ReplaceFileAtomically(const std::filesystem::path& path,
                             const std::function<Status(const TextSink&)>& produce);

}  // namespace ostrevin

#endif  // OSTREVIN_CHARTFILE_FILE_IO_H_
