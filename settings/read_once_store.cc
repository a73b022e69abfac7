#include "settings/read_once_store.h"

namespace ostrevin {

std::string ReadOnceStore::GetSetting(std::string_view app, std::string_view section,
                                      std::string_view key, std::string_view default_value) {
  Question question{app, section, key, default_value};
  auto it = read_.find(question);
  if (it == read_.end())
    it = read_.emplace(std::move(question), store_->GetSetting(app, section, key, default_value))
             .first;
  return it->second;
}

bool ReadOnceStore::SaveSetting(std::string_view app, std::string_view section,
                                std::string_view key, std::string_view value) {
  read_.clear();  // what a later read gives is the store's to say, in its case rules
  return store_->SaveSetting(app, section, key, value);
}

bool ReadOnceStore::DeleteSection(std::string_view app, std::string_view section) {
  read_.clear();
  return store_->DeleteSection(app, section);
}

}  // namespace ostrevin
