#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <vector>

#include "base/text_format.h"

#include "base/c_locale.h"

namespace clipwright {

namespace {

std::mutex gDecimalLock;
std::string gDecimalPoint = ".";

}  // namespace

std::string FormatText(const char* format, ...) {
    const CLocaleScope cLocale;
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text;
    if (length > 0) {
        std::vector<char> buffer(static_cast<size_t>(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, again);
        text.assign(buffer.data(), static_cast<size_t>(length));
    }
    va_end(again);
    return text;
}

std::string FormatHms(int64_t seconds) {
    if (seconds < 0) {
        seconds = 0;
    }
    char text[48];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>((seconds / 60) % 60),
                  static_cast<long long>(seconds % 60));
    return text;
}

std::string DisplayDecimal(double value, int decimals) {
    // The C locale's "." is what printf writes while LC_NUMERIC stays "C".
    std::string text = FormatText("%.*f", decimals, value);
    const size_t point = text.find('.');
    if (point == std::string::npos) {
        return text;
    }
    const std::lock_guard lock(gDecimalLock);
    return text.replace(point, 1, gDecimalPoint);
}

void SetDisplayDecimalPoint(std::string point) {
    const std::lock_guard lock(gDecimalLock);
    gDecimalPoint = point.empty() ? std::string(".") : std::move(point);
}

std::string DisplayDecimalPoint() {
    const std::lock_guard lock(gDecimalLock);
    return gDecimalPoint;
}

}  // namespace clipwright
