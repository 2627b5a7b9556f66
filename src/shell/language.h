// Language libraries and the language state: which resource module is current, the id of the
// current language, and the entries of the language popup.
//
// A language library is a shared library named "LanRes*Dll.so" in the folder LanguageDirectory
// names, with three C exports (see lang/language_exports.h): GetLanguage (the language id; its
// low 16 bits count), GetLanguageName (the zero-terminated UTF-8 display name, copied at once) and
// GetLanguageCatalog (the library's compiled id-based catalog, in the format of the built-in one).
// A library that cannot be loaded, lacks an export or hands over a zero id, an empty, overlong or
// invalid name, or an unreadable catalog is left out.
//
// At most one library is loaded at a time; it stays loaded while it is selected. Everything here
// runs on the user-interface thread only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace clipwright {

inline constexpr uint16_t kEnglishUs = 1033;
inline constexpr char kEnglishName[] = "&English";

struct LanguageEntry {
    uint16_t id = 0;
    std::string name;  // as shown in the menu, UTF-8
    std::string path;  // empty for the built-in English resources
};

// The folder searched for libraries, ending in "/": the one set for tests; else the installed
// folder (<libdir>/clipwright, found relative to the executable's folder) when it exists; else
// the executable's own folder, as in the build tree. Empty when the executable's path cannot be
// read (no library is then found).
std::string LanguageDirectory();
// Tests point the search at a folder of their own; empty restores the default search.
void SetLanguageDirectory(std::string directory);

// Full paths of the regular files matching "LanRes*Dll.so" in directory, in the order the file
// system reports them.
std::vector<std::string> ListLanguageLibraries(const std::string& directory);
// Loads the library, reads its id and name, checks its catalog and unloads it again.
std::optional<LanguageEntry> QueryLanguageLibrary(const std::string& path);
// The first listed library that answers with this id; empty when none does.
std::string FindLanguageLibrary(uint16_t id);
// Every library that answers, sorted byte-wise by name; equal names keep discovery order.
std::vector<LanguageEntry> EnumerateLanguages();
// Makes the library at path the current resource module. An empty path goes back to the built-in
// resources and fails. A library that cannot be used fails and leaves the current one in place.
bool LoadLanguageLibrary(const std::string& path);

// English (United States) in any form switches back to the built-in resources and always
// succeeds; another id succeeds only when a library answers for it and can be loaded. The current
// language is unchanged on failure.
bool SetLanguage(uint32_t id);
uint16_t CurrentLanguage();

// The entries of the language popup as the last RefreshLanguageEntries made them: the built-in
// "&English" first, then EnumerateLanguages.
const std::vector<LanguageEntry>& LanguageEntries();
void RefreshLanguageEntries();

}  // namespace clipwright
