// What trelcore and the application that reads its output agree on, written once for both sides:
// the probe server's marker lines, the prefix of trelcore's error and warning lines, and how a
// path or title is escaped in those lines. Header-only, plain C++; changing a byte here changes
// the protocol, so both sides are rebuilt from it together. Thread-safe (constants and a pure
// function).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace trel::contract {

// The probe server (`trelcore --probe-server`) writes ready_line once it serves requests, and
// answer_end + STATUS + "\n" after each answer. The record separator (0x1e) that starts both
// never stands in probe text: paths in error lines are written through printable().
inline constexpr std::string_view ready_line = "\x1etrelcore probe server\n";
inline constexpr std::string_view answer_end =
    "\x1e"
    "end ";

// Every line trelcore writes about a problem starts with error_prefix; warnings (the run goes
// on) with warning_prefix. A probe's error line is error_prefix + printable(path) + ": " + reason.
inline constexpr std::string_view error_prefix = "trelcore: ";
inline constexpr std::string_view warning_prefix = "trelcore: warning: ";

// A path or title made printable on one line: control characters become \n, \r, \t or \xHH,
// backslashes are doubled; other bytes (UTF-8 included) stay as they are.
inline std::string printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7f) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace trel::contract
