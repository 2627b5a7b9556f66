#include "diagnostics.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace trel {

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
    std::string line(contract::error_prefix);
    line += printable(subject);
    line += ": ";
    line += reason;
    line += '\n';
    write_stderr(line);
}

}  // namespace trel
