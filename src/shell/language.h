// The language state: which resource module is current and the id of the current language.
// User-interface thread only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace clipwright {

inline constexpr uint32_t kEnglishUs = 1033;

struct LanguageEntry {
    uint16_t id = 0;
    std::string name;  // as shown in the menu
    std::string path;  // empty for the built-in English resources
};

// English (United States) in any form switches back to the built-in resources and always
// succeeds; another id succeeds only when a language library answers for it.
bool SetLanguage(uint32_t id);
uint16_t CurrentLanguage();
// The entries of the language popup: the built-in "&English" first.
std::vector<LanguageEntry> LanguageEntries();

}  // namespace clipwright
