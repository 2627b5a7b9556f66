// Chinese (Simplified, People's Republic of China).
#include "language_exports.h"

uint32_t GetLanguage() {
    return 2052;
}

const char* GetLanguageName() {
    return "中文(简体)(&C)";
}
