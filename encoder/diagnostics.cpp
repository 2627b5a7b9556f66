#include "diagnostics.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace trel {

std::string printable(std::string_view text) {
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

namespace {

bool write_all(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        text.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

}  // namespace

void write_stderr(std::string_view text) {
    write_all(STDERR_FILENO, text);
}

bool write_stdout(std::string_view text) {
    return write_all(STDOUT_FILENO, text);
}

void report_error(std::string_view subject, std::string_view reason) {
    std::string line = "trelcore: ";
    line += printable(subject);
    line += ": ";
    line += reason;
    line += '\n';
    write_stderr(line);
}

}  // namespace trel
