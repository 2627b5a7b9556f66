#include "platform/media_units.h"

#include <gtest/gtest.h>

namespace clipwright {
namespace {

TEST(MediaUnitsTest, ReferenceTimeSecondsAndFramesConvertBothWays) {
    EXPECT_EQ(SecondsToRefTime(1.5), 15'000'000);
    EXPECT_EQ(SecondsToRefTime(0.0), 0);
    EXPECT_DOUBLE_EQ(RefTimeToSeconds(25'000'000), 2.5);
    // To the nearest 100 ns, not cut towards zero.
    EXPECT_EQ(SecondsToRefTime(0.00000016), 2);
    EXPECT_EQ(SecondsToRefTime(-0.00000016), -2);
    // A day and more stays exact in whole seconds.
    EXPECT_EQ(SecondsToRefTime(90'000.0), 900'000'000'000);

    EXPECT_EQ(FramesToRefTime(25, 25.0), kRefTimePerSecond);
    EXPECT_EQ(FramesToRefTime(1, 25.0), 400'000);
    EXPECT_EQ(RefTimeToFrames(SecondsToRefTime(1.02), 25.0), 26);
    // 0.5 of a frame past frame 10 rounds up; just under stays.
    EXPECT_EQ(RefTimeToFrames(4'200'000, 25.0), 11);
    EXPECT_EQ(RefTimeToFrames(4'199'999, 25.0), 10);
    // Every frame of NTSC video survives the trip to reference time and back.
    const double ntsc = 30000.0 / 1001.0;
    for (int64_t frame = 0; frame < 20'000; ++frame) {
        ASSERT_EQ(RefTimeToFrames(FramesToRefTime(frame, ntsc), ntsc), frame) << frame;
    }
}

TEST(MediaUnitsTest, VolumeInHundredthsOfADecibelBecomesMpvsCubicPercentage) {
    EXPECT_DOUBLE_EQ(MpvVolumePercent(0), 100.0);
    EXPECT_DOUBLE_EQ(MpvVolumePercent(kSilentVolume), 0.0);
    // -60 dB is a gain of 1/1000, which libmpv's cubic scale gives as 10 %.
    EXPECT_NEAR(MpvVolumePercent(-6000), 10.0, 1e-9);
    // -20 dB: a gain of 1/10, the cube root of it.
    EXPECT_NEAR(MpvVolumePercent(-2000), 100.0 * std::cbrt(0.1), 1e-9);
    double previous = -1.0;
    for (long volume = kSilentVolume; volume <= 0; volume += 250) {
        const double percent = MpvVolumePercent(volume);
        EXPECT_GT(percent, previous) << volume;
        EXPECT_LE(percent, 100.0) << volume;
        previous = percent;
    }

    EXPECT_TRUE(VolumeInRange(0));
    EXPECT_TRUE(VolumeInRange(kSilentVolume));
    EXPECT_FALSE(VolumeInRange(1));
    EXPECT_FALSE(VolumeInRange(kSilentVolume - 1));
}

TEST(MediaUnitsTest, BalanceLowersOnlyTheSideAwayFromIt) {
    const ChannelGains centre = BalanceGains(0);
    EXPECT_DOUBLE_EQ(centre.left, 1.0);
    EXPECT_DOUBLE_EQ(centre.right, 1.0);
    // To the right by 20 dB: the left channel at a tenth.
    const ChannelGains right = BalanceGains(2000);
    EXPECT_NEAR(right.left, 0.1, 1e-12);
    EXPECT_DOUBLE_EQ(right.right, 1.0);
    const ChannelGains left = BalanceGains(-2000);
    EXPECT_DOUBLE_EQ(left.left, 1.0);
    EXPECT_NEAR(left.right, 0.1, 1e-12);
    // The far end is -100 dB, not silence.
    EXPECT_NEAR(BalanceGains(kBalanceLimit).left, 1e-5, 1e-15);
    EXPECT_NEAR(BalanceGains(-kBalanceLimit).right, 1e-5, 1e-15);

    EXPECT_TRUE(BalanceInRange(kBalanceLimit));
    EXPECT_TRUE(BalanceInRange(-kBalanceLimit));
    EXPECT_FALSE(BalanceInRange(kBalanceLimit + 1));
    EXPECT_FALSE(BalanceInRange(-kBalanceLimit - 1));
}

}  // namespace
}  // namespace clipwright
