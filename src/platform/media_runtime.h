// The version of the media runtime the preview plays through (libmpv's client API), read once
// at start-up. Plain values; the loader is not thread-safe.
#pragma once

namespace clipwright {

struct RuntimeVersion {
    int major = 0;  // 0.0 when libmpv cannot be loaded
    int minor = 0;
};

// The client API version the preview needs at least.
inline constexpr RuntimeVersion kRequiredMediaRuntime{1, 107};

RuntimeVersion ReadMediaRuntimeVersion();
// Whether the form's tip about installing the media runtime is shown.
bool MediaRuntimeTooOld(RuntimeVersion version);

}  // namespace clipwright
