#include "progress.h"

#include <cinttypes>
#include <cstdio>

#include "diagnostics.h"

namespace trel {
namespace {
constexpr auto kInterval = std::chrono::milliseconds(500);
}

ProgressReporter::ProgressReporter() : start_(Clock::now()), last_print_(start_) {}

void ProgressReporter::update(int64_t frames, double quality, int64_t bytes, double seconds) {
    const auto now = Clock::now();
    // The first line comes at once so even a short run shows its shape.
    if (printed_ && now - last_print_ < kInterval) {
        return;
    }
    printed_ = true;
    last_print_ = now;
    print(frames, quality, bytes, seconds, '\r');
}

void ProgressReporter::finish(int64_t frames, double quality, int64_t bytes, double seconds) {
    print(frames, quality, bytes, seconds, '\n');
}

void ProgressReporter::print(int64_t frames, double quality, int64_t bytes, double seconds,
                             char end) const {
    const double elapsed = std::chrono::duration<double>(Clock::now() - start_).count();
    const double fps = elapsed > 0.0 ? static_cast<double>(frames) / elapsed : 0.0;
    const double kbits = seconds > 0.0 ? static_cast<double>(bytes) * 8.0 / 1000.0 / seconds : 0.0;
    char line[200];
    std::snprintf(line, sizeof line,
                  "frame=%5" PRId64 " fps=%3.0f q=%.1f size=%8" PRId64
                  "kB time=%.2f bitrate=%6.1fkbits/s%c",
                  frames, fps, quality, bytes / 1024, seconds < 0.0 ? 0.0 : seconds, kbits, end);
    write_stderr(line);
}

}  // namespace trel
