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
// 0 until a language is chosen or restored.
uint16_t CurrentLanguage();
// Back to no language chosen, the resources left as they are: how a fresh process starts, for
// tests that start over.
void ForgetCurrentLanguage();

// Qt's name of the locale of a language id ("de_DE" for 1031, "zh_CN" for 2052); empty for an id
// not in the table, whose numbers then keep the C locale's form.
std::string LocaleNameOfLanguage(uint16_t id);
// The language to start in when none is stored: the first of the desktop's user-interface
// languages (most preferred first, as QLocale::uiLanguages gives them) that English or one of
// entries speaks, matched by language and script; English when none matches.
uint16_t LanguageForUiLanguages(const std::vector<std::string>& uiLanguages,
                                const std::vector<LanguageEntry>& entries);
// The desktop's user-interface languages, most preferred first: QLocale::system().uiLanguages(),
// unless tests set a list of their own (an empty list goes back to the desktop's).
std::vector<std::string> DesktopUiLanguages();
void SetDesktopUiLanguages(std::vector<std::string> languages);
// The id of Qt's own catalogs currently installed (kEnglishUs when none are): SetLanguage
// installs those of the chosen language (qtbase_<locale>.qm from Qt's translations folder) on
// the application, makes its locale the default QLocale and its decimal sign the one of
// DisplayDecimal, and drops them again for English.
uint16_t QtCatalogLanguage();
size_t QtCatalogCount();

// The entries of the language popup as the last RefreshLanguageEntries made them: the built-in
// "&English" first, then EnumerateLanguages.
const std::vector<LanguageEntry>& LanguageEntries();
void RefreshLanguageEntries();

}  // namespace clipwright
