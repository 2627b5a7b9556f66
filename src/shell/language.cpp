#include "shell/language.h"

#include <dlfcn.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QString>
#include <QTranslator>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <span>

#include "base/text_format.h"
#include "base/text_log.h"
#include "support/resource_module.h"

namespace clipwright {

namespace {

constexpr char kLibraryPattern[] = "LanRes*Dll.so";
// Longer names are taken as garbage: a menu entry, not a text.
constexpr size_t kMaxNameBytes = 256;
// Larger catalogs are taken as garbage; a full translation is a few tens of kilobytes.
constexpr size_t kMaxCatalogBytes = size_t{16} << 20;

using GetLanguageFunction = uint32_t (*)();
using GetLanguageNameFunction = const char* (*)();
using GetLanguageCatalogFunction = const unsigned char* (*)(size_t*);

struct LibraryCloser {
    void operator()(void* handle) const { ::dlclose(handle); }
};
using LibraryHandle = std::unique_ptr<void, LibraryCloser>;

struct LanguageState {
    LibraryHandle library;  // the selected library; null while the built-in resources are current
    // Qt's own catalogs for the current language, installed on the application while held.
    std::vector<std::unique_ptr<QTranslator>> qtCatalogs;
    uint16_t qtCatalogLanguage = kEnglishUs;
    std::vector<std::string> uiLanguages;  // set by tests; empty = the desktop's
    std::vector<LanguageEntry> entries;
    std::string directory;  // set by tests; empty = the executable's folder
    uint16_t current = 0;   // 0 until a language is chosen or restored
};

LanguageState& State() {
    static LanguageState state;
    return state;
}

// A library that answered, with its catalog made into a module.
struct OpenedLibrary {
    LibraryHandle handle;
    LanguageEntry entry;
    std::shared_ptr<const ResourceModule> module;
};

template <typename Function>
Function Export(const LibraryHandle& library, const char* name) {
    return reinterpret_cast<Function>(::dlsym(library.get(), name));
}

// Windows language ids and Qt's locale names: the languages a library is likely to carry.
struct LocaleOfLanguage {
    uint16_t id;
    const char* name;
};
constexpr LocaleOfLanguage kLocales[] = {
    {1033, "en_US"}, {2057, "en_GB"}, {1031, "de_DE"}, {2055, "de_CH"}, {3079, "de_AT"},
    {2052, "zh_CN"}, {4100, "zh_SG"}, {1028, "zh_TW"}, {3076, "zh_HK"}, {1036, "fr_FR"},
    {3082, "es_ES"}, {1034, "es_ES"}, {1040, "it_IT"}, {1041, "ja_JP"}, {1042, "ko_KR"},
    {1043, "nl_NL"}, {1045, "pl_PL"}, {1046, "pt_BR"}, {2070, "pt_PT"}, {1049, "ru_RU"},
    {1053, "sv_SE"}, {1055, "tr_TR"}, {1029, "cs_CZ"}, {1030, "da_DK"}, {1035, "fi_FI"},
    {1038, "hu_HU"}, {1044, "nb_NO"}, {1058, "uk_UA"}, {1032, "el_GR"}, {1037, "he_IL"},
};

// Qt's catalogs of a language's texts in its own widgets (dialog buttons, the file dialog).
constexpr const char* kQtCatalogs[] = {"qtbase"};

// Qt 6 asks the file dialog's type words ("Folder", "File") under the icon provider's and the
// file model's names, where some catalogs (Chinese, for one) still hold them under the file
// dialog's own: those lookups are given a second try there.
class MovedContextCatalog : public QTranslator {
public:
    explicit MovedContextCatalog(const QTranslator& catalog) : catalog_(catalog) {}
    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0 &&
            qstrcmp(context, "QFileSystemModel") != 0) {
            return {};
        }
        return catalog_.translate("QFileDialog", source, disambiguation, n);
    }
    bool isEmpty() const override { return false; }

private:
    const QTranslator& catalog_;
};

void DropQtCatalogs(LanguageState& state) {
    for (const std::unique_ptr<QTranslator>& catalog : state.qtCatalogs) {
        QCoreApplication::removeTranslator(catalog.get());
    }
    state.qtCatalogs.clear();
    state.qtCatalogLanguage = kEnglishUs;
}

// Qt's catalogs and the number form follow the language; English needs no catalog.
void ApplyQtLocale(uint16_t id) {
    LanguageState& state = State();
    DropQtCatalogs(state);
    const std::string name = LocaleNameOfLanguage(id);
    const QLocale locale = name.empty() ? QLocale::c() : QLocale(QString::fromLatin1(name));
    QLocale::setDefault(locale);
    SetDisplayDecimalPoint(locale.decimalPoint().toStdString());
    if (name.empty() || locale.language() == QLocale::English) {
        return;
    }
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* file : kQtCatalogs) {
        auto catalog = std::make_unique<QTranslator>();
        if (!catalog->load(locale, QString::fromLatin1(file), QStringLiteral("_"), folder)) {
            LogMessage("Qt's catalog %s for %s is missing in %s", file, name.c_str(),
                       folder.toUtf8().constData());
            continue;
        }
        // Installed first, so searched after the catalog itself.
        auto moved = std::make_unique<MovedContextCatalog>(*catalog);
        QCoreApplication::installTranslator(moved.get());
        QCoreApplication::installTranslator(catalog.get());
        state.qtCatalogs.push_back(std::move(catalog));
        state.qtCatalogs.push_back(std::move(moved));
    }
    state.qtCatalogLanguage = state.qtCatalogs.empty() ? kEnglishUs : id;
}

bool IsEnglishUs(uint32_t id) {
    return (id & 0x3ff) == 9 && (id & 0xfc00) == 0x0400;
}

std::optional<std::string> ValidName(const char* name) {
    if (name == nullptr) {
        return std::nullopt;
    }
    const size_t length = ::strnlen(name, kMaxNameBytes + 1);
    if (length == 0 || length > kMaxNameBytes) {
        return std::nullopt;
    }
    const QByteArray bytes(name, static_cast<qsizetype>(length));
    // Invalid UTF-8 does not survive the round trip.
    if (QString::fromUtf8(bytes).toUtf8() != bytes) {
        return std::nullopt;
    }
    return bytes.toStdString();
}

std::shared_ptr<const ResourceModule> ValidCatalog(GetLanguageCatalogFunction getCatalog,
                                                   uint16_t language) {
    size_t size = 0;
    const unsigned char* data = getCatalog(&size);
    if (data == nullptr || size == 0 || size > kMaxCatalogBytes) {
        return nullptr;
    }
    std::string error;
    return ResourceModule::FromCatalog(std::as_bytes(std::span(data, size)), &error, {}, language);
}

std::optional<OpenedLibrary> OpenLanguageLibrary(const std::string& path) {
    // dlopen waits on a FIFO for a writer that never comes: only regular files are loaded.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        LogMessage("Language library %s is not a regular file; left out", path.c_str());
        return std::nullopt;
    }
    LibraryHandle library(::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL));
    if (!library) {
        LogMessage("Language library %s cannot be loaded: %s", path.c_str(), ::dlerror());
        return std::nullopt;
    }
    const auto getLanguage = Export<GetLanguageFunction>(library, "GetLanguage");
    const auto getName = Export<GetLanguageNameFunction>(library, "GetLanguageName");
    const auto getCatalog = Export<GetLanguageCatalogFunction>(library, "GetLanguageCatalog");
    if (getLanguage == nullptr || getName == nullptr || getCatalog == nullptr) {
        LogMessage("Language library %s lacks an export", path.c_str());
        return std::nullopt;
    }
    const auto id = static_cast<uint16_t>(getLanguage() & 0xffff);
    std::optional<std::string> name = ValidName(getName());
    std::shared_ptr<const ResourceModule> module = ValidCatalog(getCatalog, id);
    if (id == 0 || !name || !module) {
        LogMessage("Language library %s reports an unusable id, name or catalog", path.c_str());
        return std::nullopt;
    }
    return OpenedLibrary{std::move(library), {id, std::move(*name), path}, std::move(module)};
}

// The installed folder of the libraries when it exists (relative to the executable's folder, so
// a moved prefix works), else the executable's own folder, where a build tree has them.
std::string DefaultLanguageDirectory() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || executable.empty()) {
        return {};
    }
    const std::filesystem::path folder = executable.parent_path();
    const std::filesystem::path installed = (folder / CLIPWRIGHT_BIN_TO_LANGDIR).lexically_normal();
    if (std::filesystem::is_directory(installed, error)) {
        return installed.string() + "/";
    }
    return folder.string() + "/";
}

}  // namespace

std::string LanguageDirectory() {
    const std::string& directory = State().directory;
    return directory.empty() ? DefaultLanguageDirectory() : directory;
}

void SetLanguageDirectory(std::string directory) {
    if (!directory.empty() && directory.back() != '/') {
        directory += '/';
    }
    State().directory = std::move(directory);
}

std::vector<std::string> ListLanguageLibraries(const std::string& directory) {
    std::vector<std::string> paths;
    std::error_code error;
    for (const auto& file : std::filesystem::directory_iterator(directory, error)) {
        const std::string name = file.path().filename().string();
        if (::fnmatch(kLibraryPattern, name.c_str(), 0) != 0 || !file.is_regular_file(error)) {
            continue;
        }
        paths.push_back(directory + name);
    }
    // In name order, so which of two libraries of one language comes first does not depend on
    // the file system.
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::optional<LanguageEntry> QueryLanguageLibrary(const std::string& path) {
    std::optional<OpenedLibrary> opened = OpenLanguageLibrary(path);
    if (!opened) {
        return std::nullopt;
    }
    return std::move(opened->entry);
}

std::string FindLanguageLibrary(uint16_t id) {
    const std::string directory = LanguageDirectory();
    if (directory.empty()) {
        return {};
    }
    for (const std::string& path : ListLanguageLibraries(directory)) {
        const std::optional<LanguageEntry> entry = QueryLanguageLibrary(path);
        if (entry && entry->id == id) {
            return path;
        }
    }
    return {};
}

std::vector<LanguageEntry> EnumerateLanguages() {
    std::vector<LanguageEntry> entries;
    const std::string directory = LanguageDirectory();
    if (directory.empty()) {
        return entries;
    }
    for (const std::string& path : ListLanguageLibraries(directory)) {
        std::optional<LanguageEntry> entry = QueryLanguageLibrary(path);
        if (!entry) {
            continue;
        }
        const auto same = std::find_if(entries.begin(), entries.end(),
                                       [&](const LanguageEntry& e) { return e.id == entry->id; });
        if (same != entries.end()) {
            LogMessage("Language library %s has the language id %u of %s; left out", path.c_str(),
                       static_cast<unsigned>(entry->id), same->path.c_str());
            continue;
        }
        // std::string compares as unsigned bytes; after the last equal name keeps discovery order.
        const auto position = std::upper_bound(
            entries.begin(), entries.end(), entry->name,
            [](const std::string& name, const LanguageEntry& other) { return name < other.name; });
        entries.insert(position, std::move(*entry));
    }
    return entries;
}

bool LoadLanguageLibrary(const std::string& path) {
    LanguageState& state = State();
    if (path.empty()) {
        SetCurrentResourceModule(nullptr);
        state.library.reset();
        return false;
    }
    // Opened before the current library is released, so a library that fails leaves the
    // resources, the menu and the current language consistent with each other.
    std::optional<OpenedLibrary> opened = OpenLanguageLibrary(path);
    if (!opened) {
        return false;
    }
    SetCurrentResourceModule(std::move(opened->module));
    state.library = std::move(opened->handle);
    return true;
}

bool SetLanguage(uint32_t id) {
    uint16_t& current = State().current;
    const auto language = static_cast<uint16_t>(id & 0xffff);
    if (IsEnglishUs(id)) {
        LoadLanguageLibrary({});
        current = language;
        ApplyQtLocale(language);
        return true;
    }
    if (language == current) {
        return false;
    }
    const std::string path = FindLanguageLibrary(language);
    if (path.empty() || !LoadLanguageLibrary(path)) {
        return false;
    }
    current = language;
    ApplyQtLocale(language);
    return true;
}

uint16_t CurrentLanguage() {
    return State().current;
}

void ForgetCurrentLanguage() {
    State().current = 0;
}

const std::vector<LanguageEntry>& LanguageEntries() {
    return State().entries;
}

void RefreshLanguageEntries() {
    std::vector<LanguageEntry> entries{{kEnglishUs, kEnglishName, ""}};
    for (LanguageEntry& entry : EnumerateLanguages()) {
        entries.push_back(std::move(entry));
    }
    State().entries = std::move(entries);
}

std::string LocaleNameOfLanguage(uint16_t id) {
    for (const LocaleOfLanguage& entry : kLocales) {
        if (entry.id == id) {
            return entry.name;
        }
    }
    return {};
}

uint16_t LanguageForUiLanguages(const std::vector<std::string>& uiLanguages,
                                const std::vector<LanguageEntry>& entries) {
    const auto speaks = [](uint16_t id, const QLocale& wanted) {
        const std::string name = LocaleNameOfLanguage(id);
        if (name.empty()) {
            return false;
        }
        const QLocale offered(QString::fromLatin1(name));
        // Chinese in Traditional script is another written language than Simplified.
        return offered.language() == wanted.language() && offered.script() == wanted.script();
    };
    for (const std::string& uiLanguage : uiLanguages) {
        const QLocale wanted(QString::fromStdString(uiLanguage));
        if (wanted.language() == QLocale::C || wanted.language() == QLocale::AnyLanguage) {
            continue;
        }
        if (wanted.language() == QLocale::English) {
            return kEnglishUs;
        }
        for (const LanguageEntry& entry : entries) {
            if (speaks(entry.id, wanted)) {
                return entry.id;
            }
        }
    }
    return kEnglishUs;
}

std::vector<std::string> DesktopUiLanguages() {
    if (!State().uiLanguages.empty()) {
        return State().uiLanguages;
    }
    std::vector<std::string> languages;
    for (const QString& name : QLocale::system().uiLanguages()) {
        languages.push_back(name.toStdString());
    }
    return languages;
}

void SetDesktopUiLanguages(std::vector<std::string> languages) {
    State().uiLanguages = std::move(languages);
}

uint16_t QtCatalogLanguage() {
    return State().qtCatalogLanguage;
}

size_t QtCatalogCount() {
    return State().qtCatalogs.size();
}

}  // namespace clipwright
