// Progress lines on standard error, about every 0.5 s:
//   frame=  123 fps= 50 q=2.0 size=    1024kB time=4.92 bitrate=1704.1kbits/s
// ended by a carriage return; the final line ends with a line feed. Not thread-safe.
#pragma once

#include <chrono>
#include <cstdint>

namespace trel {

class ProgressReporter {
public:
    ProgressReporter();

    // frames: video frames encoded; quality: last video quantiser (0 when unknown);
    // bytes: output size so far; seconds: output time written so far.
    void update(int64_t frames, double quality, int64_t bytes, double seconds);
    void finish(int64_t frames, double quality, int64_t bytes, double seconds);

private:
    void print(int64_t frames, double quality, int64_t bytes, double seconds, char end) const;

    using Clock = std::chrono::steady_clock;
    Clock::time_point start_;
    Clock::time_point last_print_;
    bool printed_ = false;
};

}  // namespace trel
