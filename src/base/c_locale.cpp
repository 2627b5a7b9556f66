#include "base/c_locale.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace clipwright {

locale_t CLocale() {
    // newlocale() of "C" cannot fail for want of locale files: the C locale is built in.
    static const locale_t locale = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

CLocaleScope::CLocaleScope() : previous_(::uselocale(CLocale())) {}

CLocaleScope::~CLocaleScope() {
    ::uselocale(previous_);
}

void UseCNumericLocale() {
    ::setlocale(LC_NUMERIC, "C");
}

std::string DecimalText(double value, int digits) {
    if (!std::isfinite(value)) {
        value = 0.0;
    }
    char text[128];
    const auto [end, error] =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, digits);
    return error == std::errc() ? std::string(text, end) : std::string("0");
}

bool ParseDecimal(std::string_view text, double& value) {
    const char* begin = text.data();
    const char* const end = text.data() + text.size();
    // from_chars takes no '+'; a written number never has one, but be as lenient as strtod was.
    if (begin != end && *begin == '+') {
        ++begin;
    }
    double parsed = 0.0;
    const auto [stop, error] = std::from_chars(begin, end, parsed, std::chars_format::fixed);
    if (error != std::errc() || stop != end || begin == end) {
        return false;
    }
    value = parsed;
    return true;
}

}  // namespace clipwright
