#include "abi/component_registry.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace ostrevin {
namespace {

constexpr std::string_view kApp = "ComponentRegistry";  // unused by the file store
constexpr std::string_view kClsidKey = "CLSID";
constexpr std::string_view kLibraryKey = "Library";
constexpr std::string_view kTypeLibKey = "TypeLib";
constexpr std::string_view kVersionKey = "Version";

std::optional<std::string> NonEmpty(const EnvLookup& env, std::string_view name) {
  std::optional<std::string> value = env(name);
  if (!value || value->empty()) return std::nullopt;
  return value;
}

Error CannotWrite(const std::filesystem::path& registry) {
  return Error::InvalidInput(registry.string() + ": cannot write the component registry");
}

bool HexDigits(std::string_view text, std::size_t at, std::size_t count, std::uint64_t& out) {
  out = 0;
  for (std::size_t k = at; k < at + count; ++k) {
    const char c = text[k];
    int digit = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                       : -1;
    if (digit < 0) return false;
    out = out * 16 + static_cast<std::uint64_t>(digit);
  }
  return true;
}

}  // namespace

std::filesystem::path ComponentRegistryPath(const EnvLookup& env) {
  std::optional<std::string> data = NonEmpty(env, "XDG_DATA_HOME");
  if (data && std::filesystem::path(*data).is_absolute())
    return std::filesystem::path(*data) / "component-registry" / "classes.ini";
  std::optional<std::string> home = NonEmpty(env, "HOME");
  if (!home) return {};
  return std::filesystem::path(*home) / ".local" / "share" / "component-registry" / "classes.ini";
}

std::filesystem::path DefaultComponentRegistryPath() {
  return ComponentRegistryPath([](std::string_view name) -> std::optional<std::string> {
    if (const char* value = std::getenv(std::string(name).c_str())) return value;
    if (name != "HOME") return std::nullopt;
    const passwd* entry = ::getpwuid(::getuid());
    if (entry == nullptr || entry->pw_dir == nullptr) return std::nullopt;
    return entry->pw_dir;
  });
}

Status RegisterClasses(const std::filesystem::path& registry,
                       std::span<const ClassRegistration> classes) {
  if (registry.empty()) return Error::InvalidInput("no folder for the component registry");
  IniFileStore store(registry);
  for (const ClassRegistration& c : classes) {
    // The class id goes last: a reader takes a section without one for no class, so a class
    // never appears with a half-written entry.
    const bool written = store.SaveSetting(kApp, c.prog_id, kLibraryKey, c.library.string()) &&
                         store.SaveSetting(kApp, c.prog_id, kTypeLibKey, GuidText(c.libid)) &&
                         store.SaveSetting(kApp, c.prog_id, kVersionKey, c.version) &&
                         store.SaveSetting(kApp, c.prog_id, kClsidKey, GuidText(c.clsid));
    if (!written) return CannotWrite(registry);
  }
  return Ok{};
}

Status UnregisterClasses(const std::filesystem::path& registry,
                         std::span<const std::string_view> prog_ids) {
  if (registry.empty()) return Ok{};
  IniFileStore store(registry);
  for (std::string_view prog_id : prog_ids) {
    if (!store.DeleteSection(kApp, prog_id)) return CannotWrite(registry);
  }
  return Ok{};
}

Result<ClassRegistration> FindClass(const std::filesystem::path& registry,
                                    std::string_view prog_id) {
  const std::string where = registry.empty() ? "the component registry" : registry.string();
  IniFileStore store(registry);
  ClassRegistration found{std::string(prog_id), {}, {}, {}, {}};
  std::optional<OstGuid> clsid = ParseGuid(store.GetSetting(kApp, prog_id, kClsidKey, ""));
  if (!clsid) return Error::InvalidInput(std::string(prog_id) + " is not registered in " + where);
  found.clsid = *clsid;
  found.library = store.GetSetting(kApp, prog_id, kLibraryKey, "");
  if (!found.library.is_absolute())
    return Error::InvalidInput(where + ": " + std::string(prog_id) + " names no library");
  found.libid = ParseGuid(store.GetSetting(kApp, prog_id, kTypeLibKey, "")).value_or(OstGuid{});
  found.version = store.GetSetting(kApp, prog_id, kVersionKey, "");
  return found;
}

std::string GuidText(const OstGuid& g) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.data1,
                g.data2, g.data3, g.data4[0], g.data4[1], g.data4[2], g.data4[3], g.data4[4],
                g.data4[5], g.data4[6], g.data4[7]);
  return text;
}

std::optional<OstGuid> ParseGuid(std::string_view text) {
  // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
  if (text.size() != 38 || text.front() != '{' || text.back() != '}' || text[9] != '-' ||
      text[14] != '-' || text[19] != '-' || text[24] != '-')
    return std::nullopt;
  OstGuid g{};
  std::uint64_t n = 0;
  if (!HexDigits(text, 1, 8, n)) return std::nullopt;
  g.data1 = static_cast<std::uint32_t>(n);
  if (!HexDigits(text, 10, 4, n)) return std::nullopt;
  g.data2 = static_cast<std::uint16_t>(n);
  if (!HexDigits(text, 15, 4, n)) return std::nullopt;
  g.data3 = static_cast<std::uint16_t>(n);
  constexpr std::size_t kBytes[8] = {20, 22, 25, 27, 29, 31, 33, 35};
  for (std::size_t k = 0; k < 8; ++k) {
    if (!HexDigits(text, kBytes[k], 2, n)) return std::nullopt;
    g.data4[k] = static_cast<std::uint8_t>(n);
  }
  return g;
}

}  // namespace ostrevin
