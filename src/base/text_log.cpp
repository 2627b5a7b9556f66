#include "base/text_log.h"

#include "base/c_locale.h"
#include "base/file_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>

namespace clipwright {

namespace {

struct LogState {
    std::mutex mutex;
    std::string path;
    int lockFd = -1;

    LogState() {
        const char* fromEnvironment = std::getenv("CLIPWRIGHT_LOG");
        path = fromEnvironment != nullptr ? fromEnvironment : "";
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        const std::string lockPath = runtime != nullptr && runtime[0] != '\0'
                                         ? std::string(runtime) + "/TRELLOG"
                                         : "/tmp/TRELLOG-" + std::to_string(::getuid());
        lockFd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    }
    ~LogState() {
        if (lockFd >= 0) {
            ::close(lockFd);
        }
    }
    LogState(const LogState&) = delete;
    LogState& operator=(const LogState&) = delete;
};

LogState& State() {
    static LogState state;
    return state;
}

int MillisecondsSinceBoot() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

}  // namespace

void SetLogFilePath(const std::string& path) {
    LogState& state = State();
    const std::lock_guard lock(state.mutex);
    state.path = path;
}

std::string LogFilePath() {
    LogState& state = State();
    const std::lock_guard lock(state.mutex);
    return state.path;
}

void LogMessage(const char* format, ...) {
    LogState& state = State();
    const std::lock_guard lock(state.mutex);
    if (state.path.empty()) {
        return;
    }
    const FileLock fileLock(state.lockFd);
    char message[kLogMessageLimit + 1];
    const CLocaleScope cLocale;
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);

    const size_t tagLength = std::strlen(kLogLineTag);
    const bool tagged = std::strncmp(message, kLogLineTag, tagLength) == 0;
    char line[kLogMessageLimit + 64];
    int length = 0;
    if (tagged) {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        ::localtime_r(&now, &local);
        length =
            std::snprintf(line, sizeof line, "%02d:%02d:%02d (%d): %s", local.tm_hour, local.tm_min,
                          local.tm_sec, MillisecondsSinceBoot(), message + tagLength);
    } else {
        length = std::snprintf(line, sizeof line, "%s\n", message);
    }
    if (length <= 0) {
        return;
    }
    // Opened non-blocking: a FIFO with no reader fails at once (ENXIO) instead of holding the
    // program at its start until someone reads. The lines themselves are written blocking, so a
    // reader that is there gets them whole.
    const UniqueFd fd(::open(state.path.c_str(),
                             O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY,
                             0644));
    if (fd.get() < 0) {
        return;
    }
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        return;
    }
    WriteAll(fd.get(), line, std::min(static_cast<size_t>(length), sizeof line - 1));
}

}  // namespace clipwright
