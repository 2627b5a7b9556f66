// The rational-number helpers and standard frame rates shared by the targets, the output plan and
// the filter chains. Plain values; safe from any thread.
#pragma once

#include <string>

extern "C" {
#include <libavutil/rational.h>
}

namespace trel {

inline constexpr AVRational kNtscRate{30000, 1001};  // 525-line video, frames per second
inline constexpr AVRational kFilmRate{24000, 1001};  // film as carried on 525-line discs
inline constexpr AVRational kPalRate{25, 1};         // 625-line video
inline constexpr double kMaxFrameRate = 240.0;       // frames per second trelcore will encode
inline constexpr double kMinFrameRate = 1.0;         // the least it takes

// "num/den", the form filter options take.
inline std::string rational_text(AVRational q) {
    return std::to_string(q.num) + "/" + std::to_string(q.den);
}

// A positive rate with a non-zero denominator, at most `max` per second.
inline bool is_sane_rate(AVRational q, double max) {
    return q.num > 0 && q.den > 0 && av_q2d(q) <= max;
}

}  // namespace trel
