#include "language_exports.h"

namespace clipwright {
// The bytes of the library's compiled catalog, embedded at build time.
extern const unsigned char kLanguageCatalog[];
extern const size_t kLanguageCatalogSize;
}  // namespace clipwright

const unsigned char* GetLanguageCatalog(size_t* size) {
    *size = clipwright::kLanguageCatalogSize;
    return clipwright::kLanguageCatalog;
}
