// The settings file, a text of lines:
//
//   file     = { line } ;
//   line     = ( section | pair | comment | other ) ( LF | CR LF | end of text ) ;
//   section  = blanks "[" blanks name blanks "]" blanks ;
//   pair     = blanks key blanks "=" value ;
//   comment  = blanks ( ";" | "#" ) { any character } ;
//   blanks   = { " " | TAB } ;
//   name     = any characters, not all blanks ;
//   key      = any characters but "=", not all blanks, not starting with ";", "#" or "[" ;
//   value    = { any character } ;   the raw text up to the line break: not trimmed, not unquoted
//
// A line that fits none of these (blank lines included) is kept and means nothing, and so does a
// pair before the first section. Names match without regard to ASCII case. A section may appear
// more than once; its parts together form the section, and of a key that appears twice the later
// one counts.
//
// A file with a NUL byte is no such text: it reads as empty and is never overwritten.
//
// A reader stats the file and reuses the parsed text while the stamp (device, inode, size, change
// times in nanoseconds) stays the same; a writer takes the lock, re-reads, edits, writes a
// temporary file and renames it over the old one.

#include "settings/ini_file_store.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>
#include <utility>

namespace ostrevin {
namespace {

constexpr std::chrono::milliseconds kLockTimeout(10'000);
constexpr unsigned kNewFileMode = 0600;

std::optional<std::string> NonEmpty(const EnvLookup& env, std::string_view name) {
  std::optional<std::string> value = env(name);
  if (value && value->empty()) return std::nullopt;
  return value;
}

// Text without NUL bytes is taken as settings text; anything else is some other file.
std::optional<IniDocument> ParseFile(const FileContents& file) {
  if (file.state == FileState::kMissing) return IniDocument();
  if (file.state == FileState::kUnusable || file.text.find('\0') != std::string::npos) {
    return std::nullopt;
  }
  return IniDocument::Parse(file.text);
}

// A settings file reached through a symbolic link is edited where it lives, so the link stays.
std::filesystem::path EditTarget(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_symlink(path, error)) return path;
  std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
  return error ? path : target;
}

}  // namespace

std::filesystem::path SettingsFilePath(const EnvLookup& env) {
  if (std::optional<std::string> file = NonEmpty(env, kSettingsFileVariable)) return *file;
  std::optional<std::string> config = NonEmpty(env, "XDG_CONFIG_HOME");
  if (config && std::filesystem::path(*config).is_absolute()) {
    return std::filesystem::path(*config) / "Ostrevin" / "settings.ini";
  }
  std::optional<std::string> home = NonEmpty(env, "HOME");
  if (!home) return {};
  return std::filesystem::path(*home) / ".config" / "Ostrevin" / "settings.ini";
}

std::filesystem::path DefaultSettingsFilePath() {
  return SettingsFilePath([](std::string_view name) -> std::optional<std::string> {
    if (const char* value = std::getenv(std::string(name).c_str())) return value;
    if (name != "HOME") return std::nullopt;
    const passwd* entry = ::getpwuid(::getuid());
    if (entry == nullptr || entry->pw_dir == nullptr) return std::nullopt;
    return entry->pw_dir;
  });
}

void IniFileStore::Remember(IniDocument doc, std::optional<FileStamp> stamp) {
  doc_ = std::move(doc);
  stamp_ = stamp;
  cached_ = true;
  settled_ = !stamp || IsSettled(*stamp, settle_time_);
}

const IniDocument& IniFileStore::Current() {
  if (cached_ && settled_ && StampOf(path_) == stamp_) return doc_;
  FileContents file = ReadWholeFile(path_, kMaxFileSize);
  ++parse_count_;
  Remember(ParseFile(file).value_or(IniDocument()), file.stamp);
  return doc_;
}

std::string IniFileStore::GetSetting(std::string_view /*app*/, std::string_view section,
                                     std::string_view key, std::string_view default_value) {
  std::optional<std::string> value = Current().Find(section, key);
  return value ? *std::move(value) : std::string(default_value);
}

bool IniFileStore::SaveSetting(std::string_view /*app*/, std::string_view section,
                               std::string_view key, std::string_view value) {
  if (!IniDocument::IsWritable(section, key, value)) return false;
  // Nothing to change needs no lock, which also keeps such a call from creating files.
  if (Current().Find(section, key) == value) return true;
  return Edit([&](IniDocument& doc) { return doc.Set(section, key, value); });
}

bool IniFileStore::DeleteSection(std::string_view /*app*/, std::string_view section) {
  if (!Current().HasSection(section)) return true;
  return Edit([&](IniDocument& doc) { return doc.RemoveSection(section); });
}

bool IniFileStore::Edit(const std::function<bool(IniDocument&)>& edit) {
  if (path_.empty()) return false;
  std::filesystem::path target = EditTarget(path_);
  std::error_code error;
  if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), error);
  std::filesystem::path lock_path = target;
  lock_path += ".lock";
  std::optional<FileLock> lock = FileLock::Acquire(lock_path, kLockTimeout);
  if (!lock) return false;
  FileContents file = ReadWholeFile(target, kMaxFileSize);
  std::optional<IniDocument> doc = ParseFile(file);
  if (!doc) return false;
  if (!edit(*doc)) return true;
  unsigned mode = file.state == FileState::kRead ? file.mode : kNewFileMode;
  if (!ReplaceFile(target, doc->ToText(), mode)) return false;
  Remember(std::move(*doc), StampOf(target));
  return true;
}

}  // namespace ostrevin
