// Numbers written for programs (command lines, reports, settings, XML, logs) never follow the
// user's locale: a German LC_NUMERIC turns "23.976" into "23,976", which no reader of ours accepts.
#pragma once

#include <locale.h>

#include <string>
#include <string_view>

namespace clipwright {

// The "C" locale as a handle for the *_l functions and uselocale(); made once, never freed.
// Thread-safe.
locale_t CLocale();

// Makes the calling thread format and parse in the "C" locale until the scope ends, whatever
// the process's locale; the thread's previous locale is restored. Not movable.
class CLocaleScope {
public:
    CLocaleScope();
    ~CLocaleScope();
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t previous_;
};

// Sets the process's LC_NUMERIC to "C" (the rest of the locale stays the user's). Called right
// after the application object, which takes the whole locale from the environment, exists:
// libmpv refuses to run under any other LC_NUMERIC. Not thread-safe (setlocale is not).
void UseCNumericLocale();

// A decimal number with the given digits after a point, always written with '.'.
std::string DecimalText(double value, int digits);

// Reads a whole decimal number written with '.' ("12.5", "-3", "7."); false for anything else.
bool ParseDecimal(std::string_view text, double& value);

}  // namespace clipwright
