// The version of the media runtime the preview plays through (libmpv's client API), read once
// at start-up. Plain values; the loader is not thread-safe.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace clipwright {

struct RuntimeVersion {
    int major = 0;  // 0.0 when libmpv cannot be loaded
    int minor = 0;
};

// The client API version the preview needs at least.
inline constexpr RuntimeVersion kRequiredMediaRuntime{1, 107};

// Loads libmpv into this process to ask it. libmpv cannot be unloaded again, and it brings
// some 180 libraries (about 35 MB), so the application asks a child instead
// (AskMediaRuntimeVersion).
RuntimeVersion ReadMediaRuntimeVersion();

// The hidden argument that makes clipwright print ReadMediaRuntimeVersion() and exit.
inline constexpr std::string_view kRuntimeVersionArgument = "--media-runtime-version";
// "MAJOR.MINOR\n", as the child prints it.
std::string RuntimeVersionText(RuntimeVersion version);
// The reverse; nullopt for anything else.
std::optional<RuntimeVersion> ParseRuntimeVersionText(std::string_view text);
// Starts program with kRuntimeVersionArgument and reads its answer, so libmpv is loaded in the
// child and never in this process. 0.0 when the child cannot be started, fails, answers
// anything else or takes longer than timeoutMs (it is then killed). Blocks; any thread.
RuntimeVersion AskMediaRuntimeVersion(const std::string& program, int timeoutMs);
// Whether the form's tip about installing the media runtime is shown.
bool MediaRuntimeTooOld(RuntimeVersion version);

}  // namespace clipwright
