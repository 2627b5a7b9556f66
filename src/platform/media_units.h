// The arithmetic of the media graph's units: reference time (100 ns) against seconds and frames,
// and the graph's volume and balance (hundredths of a decibel) against libmpv's volume percentage
// and the two channels' gains. Pure functions, no state; any thread.
#pragma once

#include <cmath>
#include <cstdint>

namespace clipwright {

using RefTime = int64_t;  // 100 ns units
inline constexpr RefTime kRefTimePerSecond = 10000000;

// The graph's volume runs from kSilentVolume (silence) to 0 (full); its balance from
// -kBalanceLimit (left only) to kBalanceLimit (right only), 0 being both at full.
inline constexpr long kSilentVolume = -10000;
inline constexpr long kBalanceLimit = 10000;

inline double RefTimeToSeconds(RefTime time) {
    return static_cast<double>(time) / static_cast<double>(kRefTimePerSecond);
}

// Rounded to the nearest unit.
inline RefTime SecondsToRefTime(double seconds) {
    return static_cast<RefTime>(std::llround(seconds * static_cast<double>(kRefTimePerSecond)));
}

// A frame number at framesPerSecond as reference time, and back (rounded to the nearest frame).
// framesPerSecond must be above 0.
inline RefTime FramesToRefTime(int64_t frame, double framesPerSecond) {
    return SecondsToRefTime(static_cast<double>(frame) / framesPerSecond);
}
inline int64_t RefTimeToFrames(RefTime time, double framesPerSecond) {
    return static_cast<int64_t>(std::llround(RefTimeToSeconds(time) * framesPerSecond));
}

inline bool VolumeInRange(long volume) {
    return volume >= kSilentVolume && volume <= 0;
}
inline bool BalanceInRange(long balance) {
    return balance >= -kBalanceLimit && balance <= kBalanceLimit;
}

// libmpv's volume (a percentage on a cubic scale, 100 = unchanged) for a graph volume in range;
// kSilentVolume is 0, silence.
inline double MpvVolumePercent(long volume) {
    if (volume <= kSilentVolume) {
        return 0.0;
    }
    const double gain = std::pow(10.0, static_cast<double>(volume) / 2000.0);
    return 100.0 * std::cbrt(gain);
}

// The gain (0..1) of each channel for a balance in range: the side away from the balance is
// lowered by |balance| hundredths of a decibel, the other stays at 1.
struct ChannelGains {
    double left = 1.0;
    double right = 1.0;
};
inline ChannelGains BalanceGains(long balance) {
    const double quiet = std::pow(10.0, -std::abs(static_cast<double>(balance)) / 2000.0);
    return {balance > 0 ? quiet : 1.0, balance < 0 ? quiet : 1.0};
}

}  // namespace clipwright
