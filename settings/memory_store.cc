#include "settings/memory_store.h"

#include <cctype>

namespace ostrevin {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

}  // namespace

std::string MemoryStore::GetSetting(std::string_view app, std::string_view section,
                                    std::string_view key, std::string_view default_value) {
  auto it = values_.find({Lower(app), Lower(section), Lower(key)});
  return it == values_.end() ? std::string(default_value) : it->second;
}

bool MemoryStore::SaveSetting(std::string_view app, std::string_view section, std::string_view key,
                              std::string_view value) {
  if (fail_writes_) return false;
  values_[{Lower(app), Lower(section), Lower(key)}] = std::string(value);
  return true;
}

bool MemoryStore::DeleteSection(std::string_view app, std::string_view section) {
  if (fail_writes_) return false;
  std::string lower_app = Lower(app);
  std::string lower_section = Lower(section);
  std::erase_if(values_, [&](const auto& entry) {
    return std::get<0>(entry.first) == lower_app && std::get<1>(entry.first) == lower_section;
  });
  return true;
}

}  // namespace ostrevin
