#include "target_rates.h"

#include <algorithm>

namespace trel {

namespace {

// The video's peak the standards allow, whatever room the multiplex leaves.
constexpr int64_t kDvdVideoPeak = 9800000;
constexpr int64_t kSvcdVideoPeak = 2600000;

std::string kbit_text(int64_t rate) {
    return std::to_string(rate / 1000) + " kbit/s";
}

bool has_rate_options(const Options& o) {
    return o.video_bitrate > 0 || o.max_rate > 0 || o.min_rate > 0;
}

}  // namespace

std::string apply_target_rates(const Options& o, const TargetPreset& t, VideoPlan& v) {
    if (!has_rate_options(o) && o.constant_quantiser == 0) {
        return {};
    }
    if (t.disc == Disc::kVcd || t.disc == Disc::kDv) {
        return "-target " + o.target + ": the rate of this disc is fixed by its standard";
    }
    if (o.constant_quantiser > 0) {
        if (has_rate_options(o)) {
            return "-cq: a fixed quantiser takes no bit rates";
        }
        // Nothing steers the rate: the output's size tells how hard the pictures are.
        v.bitrate = 0;
        v.max_rate = 0;
        v.min_rate = 0;
        v.vbv_bits = 0;  // a buffer without a rate is refused by the encoder
        v.constant_quality = true;
        v.quantiser = o.constant_quantiser;
        return {};
    }
    const int64_t standard_peak = t.disc == Disc::kDvd ? kDvdVideoPeak : kSvcdVideoPeak;
    const int64_t peak = o.max_rate > 0 ? o.max_rate : std::max(t.max_rate, o.video_bitrate);
    if (peak > standard_peak) {
        return "-maxrate " + kbit_text(peak) + " is above the disc's peak of " +
               kbit_text(standard_peak);
    }
    if (peak + t.audio_bitrate > t.mux_rate) {
        return "-maxrate " + kbit_text(peak) + " and the audio's " + kbit_text(t.audio_bitrate) +
               " pass the disc's multiplex rate of " + kbit_text(t.mux_rate);
    }
    const int64_t average = o.video_bitrate > 0 ? o.video_bitrate : std::min(t.video_bitrate, peak);
    if (average > peak) {
        return "the bit rate " + kbit_text(average) + " is above -maxrate " + kbit_text(peak);
    }
    if (o.min_rate > average) {
        return "-minrate " + kbit_text(o.min_rate) + " is above the bit rate " + kbit_text(average);
    }
    v.bitrate = average;
    v.max_rate = peak;
    v.min_rate = o.min_rate;
    return {};
}

}  // namespace trel
