#include "shell/language.h"

#include "support/resource_module.h"
#include "ui/startup_values.h"

namespace clipwright {

namespace {
bool IsEnglishUs(uint32_t id) {
    return (id & 0x3ff) == 9 && (id & 0xfc00) == 0x0400;
}
}  // namespace

bool SetLanguage(uint32_t id) {
    if (IsEnglishUs(id)) {
        SetCurrentResourceModule(nullptr);
        TheStartupValues().currentLanguage = static_cast<uint16_t>(id & 0xffff);
        return true;
    }
    // No language library answers for any other id in this build.
    return false;
}

uint16_t CurrentLanguage() {
    return TheStartupValues().currentLanguage;
}

std::vector<LanguageEntry> LanguageEntries() {
    return {{static_cast<uint16_t>(kEnglishUs), "&English", ""}};
}

}  // namespace clipwright
