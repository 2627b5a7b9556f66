// The language libraries the tests install: one source, a kind per library (TEST_LIBRARY_KIND).
#include "language_exports.h"

#if TEST_LIBRARY_KIND == 1  // no GetLanguage
const char* GetLanguageName() {
    return "&Nameless";
}
#elif TEST_LIBRARY_KIND == 2                            // reports English (United States)
uint32_t GetLanguage() {
    return 1033;
}
const char* GetLanguageName() {
    return "&English (US)";
}
#elif TEST_LIBRARY_KIND == 3 || TEST_LIBRARY_KIND == 4  // two languages with one name
uint32_t GetLanguage() {
    return TEST_LIBRARY_KIND == 3 ? 2055 : 3079;
}
const char* GetLanguageName() {
    return "&Twin";
}
#elif TEST_LIBRARY_KIND == 5  // sorts before "&English"; its catalog lacks most strings
uint32_t GetLanguage() {
    return 1078;
}
const char* GetLanguageName() {
    return "&Afrikaans";
}
#elif TEST_LIBRARY_KIND == 6  // no name
uint32_t GetLanguage() {
    return 1049;
}
const char* GetLanguageName() {
    return nullptr;
}
#elif TEST_LIBRARY_KIND == 8  // a copy named LanRes<N>Dll.so has the id 0x0440 + N
#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
uint32_t GetLanguage() {
    Dl_info info{};
    if (::dladdr(reinterpret_cast<const void*>(&GetLanguage), &info) == 0 ||
        info.dli_fname == nullptr) {
        return 0;
    }
    const char* slash = std::strrchr(info.dli_fname, '/');
    const char* name = slash != nullptr ? slash + 1 : info.dli_fname;
    if (std::strncmp(name, "LanRes", 6) != 0) {
        return 0;
    }
    return 0x0440 + static_cast<uint32_t>(std::strtoul(name + 6, nullptr, 10));
}
const char* GetLanguageName() {
    return "&Copy";
}
#elif TEST_LIBRARY_KIND == 7  // an id whose low 16 bits are zero
uint32_t GetLanguage() {
    return 0x10000;
}
const char* GetLanguageName() {
    return "&Zero";
}
#endif
