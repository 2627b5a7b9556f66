// German (Germany).
#include "language_exports.h"

uint32_t GetLanguage() {
    return 1031;
}

const char* GetLanguageName() {
    return "&Deutsch";
}
