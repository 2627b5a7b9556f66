#include "platform/media_runtime.h"

#include <QLibrary>

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

bool MediaRuntimeTooOld(RuntimeVersion version) {
    return version.major < kRequiredMediaRuntime.major ||
           (version.major == kRequiredMediaRuntime.major &&
            version.minor < kRequiredMediaRuntime.minor);
}

}  // namespace clipwright
