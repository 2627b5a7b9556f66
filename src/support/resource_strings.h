// Loading a string of the current resource module by id and formatting it printf-style.
// Plain C++ interface (no Qt types), callable from any thread.
//
// LoadResourceString(id, args...) returns UTF-8 text. The loaded string is the format, never an
// argument. A missing or empty string logs "**Error Loading Resource String:id=<id>" and gives
// "". Because the string may come from a language library, its placeholders are checked against
// the kinds of the arguments actually passed before formatting: a string whose placeholders do not
// match (a translation that swapped %d and %s, or uses %n) is logged and gives "" instead of
// reading arguments of the wrong kind.
//
// Arguments: integers and enums up to the size of int ("%d", "%x", "%c", ...), long and long long
// ("%ld", "%lld"), double ("%f", "%g", ...), const char* and std::string ("%s").
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "base/text_format.h"

namespace clipwright {

// The argument kinds that a printf format reads, in order: 'd' int, 'l' long, 'q' long long,
// 'f' double, 's' C string, 'p' pointer ("*" widths read an int). nullopt for conversions that are
// not accepted (%n, wide or long double conversions, an unfinished "%").
std::optional<std::string> PlaceholderKinds(std::string_view format);

namespace detail {

template <typename T>
constexpr char ArgumentKind() {
    using U = std::remove_cvref_t<T>;
    if constexpr (std::is_same_v<U, std::string> || std::is_same_v<U, const char*> ||
                  std::is_same_v<U, char*> ||
                  (std::is_array_v<U> && std::is_same_v<std::remove_extent_t<U>, char>)) {
        return 's';
    } else if constexpr (std::is_enum_v<U>) {
        static_assert(sizeof(U) <= sizeof(int), "enum arguments must fit an int");
        return 'd';
    } else if constexpr (std::is_integral_v<U>) {
        if constexpr (sizeof(U) <= sizeof(int)) {
            return 'd';
        } else if constexpr (sizeof(U) == sizeof(long)) {
            return 'l';
        } else {
            return 'q';
        }
    } else if constexpr (std::is_floating_point_v<U>) {
        static_assert(!std::is_same_v<U, long double>, "long double is not accepted");
        return 'f';
    } else if constexpr (std::is_pointer_v<U>) {
        return 'p';
    } else {
        static_assert(sizeof(U) == 0, "unsupported argument type for a resource string");
        return '?';
    }
}

template <typename T>
auto PassArgument(const T& value) {
    using U = std::remove_cvref_t<T>;
    if constexpr (std::is_same_v<U, std::string>) {
        return value.c_str();
    } else if constexpr (std::is_floating_point_v<U>) {
        return static_cast<double>(value);
    } else {
        return value;
    }
}

// The format of string id when it exists and its placeholders match argumentKinds; otherwise
// logs and gives nullopt.
std::optional<std::string> CheckedFormat(int id, std::string_view argumentKinds);
// A checked format without placeholders as printf would print it: each "%%" becomes "%".
std::string WithoutPercentEscapes(std::string_view format);

}  // namespace detail

template <typename... Args>
std::string LoadResourceString(int id, const Args&... args) {
    static constexpr char kKinds[] = {detail::ArgumentKind<Args>()..., '\0'};
    const std::optional<std::string> format = detail::CheckedFormat(id, kKinds);
    if (!format) {
        return {};
    }
    // Not printf with no arguments: a format that is no literal gets no compile-time check,
    // which hardened builds (-Werror=format-security) reject.
    if constexpr (sizeof...(Args) == 0) {
        return detail::WithoutPercentEscapes(*format);
    } else {
        return FormatText(format->c_str(), detail::PassArgument(args)...);
    }
}

}  // namespace clipwright
