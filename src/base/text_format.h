// printf-style formatting into a std::string of any length, numbers always in the "C" locale
// (a point before the decimals, whatever LC_NUMERIC says). Thread-safe.
#pragma once

#include <cstdint>
#include <string>

namespace clipwright {

// The format comes from the program or a checked resource string; callers never pass text
// they did not write as the format.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// "%02d:%02d:%02d" of whole seconds; hours may take more digits. Negative counts as 0.
std::string FormatHms(int64_t seconds);

// A number shown to the user: value with the given digits after the decimal point, written with
// the chosen language's decimal sign ("2,8" in German). Numbers for programs (command lines,
// reports, settings) are formatted with FormatText alone and never pass through here.
std::string DisplayDecimal(double value, int decimals);
// The sign DisplayDecimal writes, UTF-8; "." until the language sets another. Thread-safe.
void SetDisplayDecimalPoint(std::string point);
std::string DisplayDecimalPoint();

}  // namespace clipwright
