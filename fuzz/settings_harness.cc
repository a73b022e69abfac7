#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "fuzz/harnesses.h"
#include "settings/ini_document.h"
#include "settings/ini_file_store.h"

namespace ostrevin {
namespace {

constexpr std::string_view kApp = "Ostrevin";
// Two keys in two sections: one is edited, the other must stay as it was.
constexpr std::string_view kSection = "Significances", kKey = "ZigZagRepeats";
constexpr std::string_view kOtherSection = "CheckFor", kOtherKey = "DiagnoseForZigZag";
constexpr std::string_view kValue = " 9;=x ";  // not trimmed, not a comment, '=' included

void CheckDocument(std::string_view text) {
  IniDocument doc = IniDocument::Parse(text);
  FuzzCheck(doc.ToText() == text, "parsing and writing settings text changes it");
  const std::optional<std::string> other = doc.Find(kOtherSection, kOtherKey);

  doc.Set(kSection, kKey, kValue);
  const IniDocument set = IniDocument::Parse(doc.ToText());
  FuzzCheck(doc.Find(kSection, kKey) == kValue && set.Find(kSection, kKey) == kValue,
            "a value set does not read back");
  FuzzCheck(set.Find(kOtherSection, kOtherKey) == other, "setting one key changes another");

  doc.RemoveSection(kSection);
  const IniDocument removed = IniDocument::Parse(doc.ToText());
  FuzzCheck(!doc.HasSection(kSection) && !removed.HasSection(kSection),
            "a removed section is still there");
  FuzzCheck(removed.Find(kOtherSection, kOtherKey) == other, "removing a section changes another");
}

std::filesystem::path ScratchFile() {
  static const std::filesystem::path path = [] {
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("ostrevin_fuzz_settings." + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir / "settings.ini";
  }();
  return path;
}

std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void CheckFileStore(std::string_view text) {
  const std::filesystem::path path = ScratchFile();
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(text.data(), std::streamsize(text.size()));
  // A file with a NUL byte is no settings text: it reads as empty and is never overwritten.
  const bool usable = text.find('\0') == std::string_view::npos;
  const std::optional<std::string> other =
      usable ? IniDocument::Parse(text).Find(kOtherSection, kOtherKey) : std::nullopt;

  IniFileStore store(path);
  FuzzCheck(
      store.GetSetting(kApp, kOtherSection, kOtherKey, "default") == other.value_or("default"),
      "the settings file reads otherwise than its text");
  const bool saved = store.SaveSetting(kApp, kSection, kKey, kValue);
  FuzzCheck(saved == usable, usable ? "a settings file could not be edited"
                                    : "a file that is no settings text was overwritten");
  if (!usable) {
    FuzzCheck(FileText(path) == text, "a file that is no settings text was changed");
    return;
  }
  IniFileStore reader(path);
  FuzzCheck(reader.GetSetting(kApp, kSection, kKey, "") == kValue,
            "a saved value does not read back");
  FuzzCheck(
      reader.GetSetting(kApp, kOtherSection, kOtherKey, "default") == other.value_or("default"),
      "saving one key changed another in the file");
}

}  // namespace

void FuzzSettingsFile(std::string_view text) {
  CheckDocument(text);
  // The store refuses files larger than this; there is nothing more to learn from them.
  if (text.size() <= IniFileStore::kMaxFileSize) CheckFileStore(text);
}

}  // namespace ostrevin
