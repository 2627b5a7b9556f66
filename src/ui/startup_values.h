// Values settled during start-up and read later by the view and the shell. The application
// (CTrelvaneApp) owns the record and hands it to its frame, which hands it to every view it
// makes; the media runtime's version arrives once the window is up, and a language switch
// records the new language. User-interface thread only.
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

}  // namespace clipwright
