// The C exports of a Clipwright language library. GetLanguage and GetLanguageName are written by
// each library; GetLanguageCatalog comes from catalog_export.cpp and hands over the library's
// compiled id-based catalog (embedded at build time). Every returned pointer stays valid while
// the library is loaded; the program copies what it keeps.
#pragma once

#include <cstddef>
#include <cstdint>

#define CLIPWRIGHT_LANGUAGE_EXPORT extern "C" __attribute__((visibility("default")))

// The language id (a Windows language identifier; the low 16 bits count).
CLIPWRIGHT_LANGUAGE_EXPORT uint32_t GetLanguage();
// The display name shown in the language menu: UTF-8, zero-terminated, may carry an "&".
CLIPWRIGHT_LANGUAGE_EXPORT const char* GetLanguageName();
// The compiled catalog's bytes; its size in bytes goes to *size.
CLIPWRIGHT_LANGUAGE_EXPORT const unsigned char* GetLanguageCatalog(size_t* size);
