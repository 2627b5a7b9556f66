#include "platform/media_runtime.h"

#include <QLibrary>
#include <charconv>

#include "base/text_log.h"
#include "engine/child_io.h"
#include "engine/command_line.h"

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
    // The answer is a few bytes; anything longer is not one.
    constexpr size_t kLimit = 32;
    const ChildAnswer answer = AskChild(
        QuoteArgument(program) + " " + std::string(kRuntimeVersionArgument), kLimit, timeoutMs);
    if (!answer.exited || answer.status != 0) {
        LogMessage("%s gave no media runtime version.", program.c_str());
        return {};
    }
    return ParseRuntimeVersionText(answer.output).value_or(RuntimeVersion{});
}

bool MediaRuntimeTooOld(RuntimeVersion version) {
    return version.major < kRequiredMediaRuntime.major ||
           (version.major == kRequiredMediaRuntime.major &&
            version.minor < kRequiredMediaRuntime.minor);
}

}  // namespace clipwright
