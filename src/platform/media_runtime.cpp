#include "platform/media_runtime.h"

#include <sys/wait.h>

#include <QLibrary>
#include <charconv>

#include "base/text_log.h"
#include "engine/child_process.h"
#include "engine/command_line.h"
#include "engine/encoder_output.h"

namespace clipwright {

RuntimeVersion ReadMediaRuntimeVersion() {
    // Loaded by name rather than linked, so a missing library shows as a tip, not a failed start.
    QLibrary library(QStringLiteral("mpv"), 2);
    using VersionFunction = unsigned long (*)();
    const auto version =
        reinterpret_cast<VersionFunction>(library.resolve("mpv_client_api_version"));
    if (version == nullptr) {
        return {};
    }
    const unsigned long value = version();
    return {static_cast<int>(value >> 16), static_cast<int>(value & 0xffff)};
}

std::string RuntimeVersionText(RuntimeVersion version) {
    return std::to_string(version.major) + "." + std::to_string(version.minor) + "\n";
}

std::optional<RuntimeVersion> ParseRuntimeVersionText(std::string_view text) {
    if (text.empty() || text.back() != '\n') {
        return std::nullopt;
    }
    const char* const end = text.data() + text.size() - 1;
    RuntimeVersion version;
    const auto major = std::from_chars(text.data(), end, version.major);
    if (major.ec != std::errc() || major.ptr == end || *major.ptr != '.') {
        return std::nullopt;
    }
    const auto minor = std::from_chars(major.ptr + 1, end, version.minor);
    if (minor.ec != std::errc() || minor.ptr != end || version.major < 0 || version.minor < 0) {
        return std::nullopt;
    }
    return version;
}

RuntimeVersion AskMediaRuntimeVersion(const std::string& program, int timeoutMs) {
    ChildProcess child;
    child.commandLine = QuoteArgument(program) + " " + std::string(kRuntimeVersionArgument);
    child.flags = PIPE_STDOUT;
    if (StartChild(child) != 0) {
        LogMessage("Cannot start %s to read the media runtime's version.", program.c_str());
        return {};
    }
    // The answer is a few bytes; anything longer is not one.
    constexpr size_t kLimit = 32;
    std::string output;
    const uint32_t begin = CurrentTick();
    for (;;) {
        const uint32_t elapsed = CurrentTick() - begin;
        if (elapsed >= static_cast<uint32_t>(timeoutMs)) {
            break;
        }
        const int left = static_cast<int>(static_cast<uint32_t>(timeoutMs) - elapsed);
        if (WaitForOutput(child, left, nullptr) != OutputWait::kReadable) {
            break;
        }
        char chunk[kLimit];
        const ssize_t got = ReadSome(child.stdoutRead, chunk, sizeof chunk);
        if (got <= 0 || output.size() > kLimit) {
            break;
        }
        output.append(chunk, static_cast<size_t>(got));
    }
    const uint32_t elapsed = CurrentTick() - begin;
    const int left = elapsed < static_cast<uint32_t>(timeoutMs)
                         ? static_cast<int>(static_cast<uint32_t>(timeoutMs) - elapsed)
                         : 0;
    // A child still there after the limit is killed and reaped with the record.
    if (!WaitChildExit(child, left) || !child.exited || !WIFEXITED(child.waitStatus) ||
        WEXITSTATUS(child.waitStatus) != 0) {
        LogMessage("%s gave no media runtime version.", program.c_str());
        return {};
    }
    return ParseRuntimeVersionText(output).value_or(RuntimeVersion{});
}

bool MediaRuntimeTooOld(RuntimeVersion version) {
    return version.major < kRequiredMediaRuntime.major ||
           (version.major == kRequiredMediaRuntime.major &&
            version.minor < kRequiredMediaRuntime.minor);
}

}  // namespace clipwright
