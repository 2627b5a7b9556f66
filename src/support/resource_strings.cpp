#include "support/resource_strings.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "base/text_log.h"
#include "support/resource_module.h"

namespace clipwright {
namespace {

constexpr std::string_view kFlags = "-+ #0'";

// Reads digits or a "*" at pos; a "*" adds an int argument.
void SkipCount(std::string_view format, size_t& pos, std::string& kinds) {
    if (pos < format.size() && format[pos] == '*') {
        kinds += 'd';
        ++pos;
        return;
    }
    while (pos < format.size() && format[pos] >= '0' && format[pos] <= '9') {
        ++pos;
    }
}

// The kind of one conversion with its length modifier, or '\0' when it is not accepted.
char ConversionKind(std::string_view length, char conversion) {
    if (std::strchr("diouxXc", conversion) != nullptr) {
        if (length.empty() || length == "h" || length == "hh") {
            return 'd';
        }
        if (length == "l" || length == "z" || length == "t" || length == "j") {
            return 'l';
        }
        return length == "ll" ? 'q' : '\0';
    }
    if (std::strchr("fFeEgGaA", conversion) != nullptr) {
        return length.empty() || length == "l" ? 'f' : '\0';
    }
    if (conversion == 's') {
        return length.empty() ? 's' : '\0';
    }
    if (conversion == 'p') {
        return length.empty() ? 'p' : '\0';
    }
    return '\0';  // %n and anything unknown
}

}  // namespace

std::optional<std::string> PlaceholderKinds(std::string_view format) {
    std::string kinds;
    size_t pos = 0;
    while ((pos = format.find('%', pos)) != std::string_view::npos) {
        ++pos;
        if (pos < format.size() && format[pos] == '%') {
            ++pos;
            continue;
        }
        while (pos < format.size() && kFlags.find(format[pos]) != std::string_view::npos) {
            ++pos;
        }
        SkipCount(format, pos, kinds);
        if (pos < format.size() && format[pos] == '.') {
            ++pos;
            SkipCount(format, pos, kinds);
        }
        const size_t lengthStart = pos;
        while (pos < format.size() && std::strchr("hlLqjzt", format[pos]) != nullptr) {
            ++pos;
        }
        if (pos >= format.size()) {
            return std::nullopt;
        }
        const char kind =
            ConversionKind(format.substr(lengthStart, pos - lengthStart), format[pos]);
        if (kind == '\0') {
            return std::nullopt;
        }
        kinds += kind;
        ++pos;
    }
    return kinds;
}

namespace detail {

std::optional<std::string> CheckedFormat(int id, std::string_view argumentKinds) {
    std::optional<std::string> format = CurrentResourceModule()->String(id);
    if (!format) {
        LogMessage("**Error Loading Resource String:id=%d", id);
        return std::nullopt;
    }
    const std::optional<std::string> kinds = PlaceholderKinds(*format);
    if (!kinds || *kinds != argumentKinds) {
        LogMessage("**Error Resource String Placeholders:id=%d", id);
        return std::nullopt;
    }
    return format;
}

std::string WithoutPercentEscapes(std::string_view format) {
    std::string text;
    text.reserve(format.size());
    for (size_t i = 0; i < format.size(); ++i) {
        text += format[i];
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == '%') {
            ++i;
        }
    }
    return text;
}

}  // namespace detail
}  // namespace clipwright
