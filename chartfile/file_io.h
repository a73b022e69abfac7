#ifndef OSTREVIN_CHARTFILE_FILE_IO_H_
#define OSTREVIN_CHARTFILE_FILE_IO_H_

#include <filesystem>
#include <string>
#include <string_view>

#include "values/error.h"

namespace ostrevin {

// The whole content of the regular file at `path`. Fails, naming the path and the reason, for a
// missing or unreadable file and for anything that is not a regular file (never blocks on a pipe).
// With `spare`, the string's capacity holds that many bytes beyond the text, for a parser that
// reads a little past the end.
Result<std::string> ReadTextFile(const std::filesystem::path& path, std::size_t spare = 0);

// Replaces the file at `path` (a symbolic link is followed to its target) with `text`: writes a
// temporary file in the same folder, flushes it to disk and renames it over the old one. An
// existing file keeps its permissions. On failure the old file is untouched and no temporary
// file is left behind. A read-only file (see MayReplace in platform/posix_file.h) is refused.
Status ReplaceFileAtomically(const std::filesystem::path& path, std::string_view text);

}  // namespace ostrevin

#endif  // OSTREVIN_CHARTFILE_FILE_IO_H_
