// Values settled once during start-up and read later by the view and the shell. Written on the
// user-interface thread before any window exists; read there only.
#pragma once

#include <cstdint>
#include <string>

#include "platform/media_runtime.h"

namespace clipwright {

struct StartupValues {
    RuntimeVersion mediaRuntime;  // 0.0 when unreadable
    bool tipsHidden = false;      // "HiddenToolTips" was "TRUE" in any case
    std::string settingsKeyPath;
    uint16_t currentLanguage = 0;  // 0 until a language is chosen or restored
};

StartupValues& TheStartupValues();

}  // namespace clipwright
