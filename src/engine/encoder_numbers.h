// Numbers in trelcore's text output: whole counts and fractions of seconds as it writes them in
// its probe report and progress lines. Pure functions; any thread.
#pragma once

#include <cstdint>
#include <limits>
#include <string_view>

namespace clipwright {

// The only blank trelcore puts between its fields.
inline bool IsBlankChar(char c) {
    return c == ' ';
}

// Leading decimal digits of text as a count; text without digits gives 0. Saturates.
inline int64_t LeadingWholeNumber(std::string_view text) {
    int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        if (value > (std::numeric_limits<int64_t>::max() - 9) / 10) {
            return std::numeric_limits<int64_t>::max();
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

// Milliseconds of the digits after a seconds field's ".", if any ("40" of "23.40" is 400).
inline int64_t FractionMs(std::string_view secondsField) {
    const size_t dot = secondsField.find('.');
    if (dot == std::string_view::npos) {
        return 0;
    }
    int64_t ms = 0;
    int64_t scale = 100;
    for (size_t i = dot + 1; i < secondsField.size() && scale > 0; ++i, scale /= 10) {
        const char c = secondsField[i];
        if (c < '0' || c > '9') {
            break;
        }
        ms += (c - '0') * scale;
    }
    return ms;
}

}  // namespace clipwright
