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

}  // namespace clipwright
