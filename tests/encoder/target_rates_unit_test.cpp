// Rate options given with a disc target: a fitted disc's average and peak within the standard
// and the multiplex, a fixed quantiser for measuring, and the targets whose rate is fixed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "options.h"
#include "output_plan.h"
#include "target_rates.h"
#include "targets.h"

namespace trel {
namespace {

struct Applied {
    std::string error;
    VideoPlan video;
};

// The target's plan after the command line's rate options, as make_plan applies them.
Applied Apply(const std::string& target, std::vector<std::string> rateOptions) {
    std::vector<std::string> args = {"trelcore", "-i", "in.mkv", "-target", target};
    args.insert(args.end(), rateOptions.begin(), rateOptions.end());
    args.push_back("out.mpg");
    const ParseResult parsed = parse_options(args);
    EXPECT_EQ(parsed.error, "");
    const TargetPreset preset = *find_target(target);
    Applied applied;
    applied.video.bitrate = preset.video_bitrate;
    applied.video.max_rate = preset.max_rate;
    applied.video.min_rate = preset.min_rate;
    applied.video.vbv_bits = preset.vbv_bits;
    applied.error = apply_target_rates(parsed.options, preset, applied.video);
    return applied;
}

TEST(TargetRates, AFittedDiscTakesItsOwnAverageAndPeak) {
    const Applied dvd = Apply("pal-dvd", {"-bt", "4321k", "-maxrate", "9400k"});
    EXPECT_EQ(dvd.error, "");
    EXPECT_EQ(dvd.video.bitrate, 4321000);
    EXPECT_EQ(dvd.video.max_rate, 9400000);
    EXPECT_GT(dvd.video.vbv_bits, 0);  // the standard's buffer stays
    // An average alone keeps the target's peak.
    const Applied svcd = Apply("ntsc-svcd", {"-bt", "1500"});
    EXPECT_EQ(svcd.error, "");
    EXPECT_EQ(svcd.video.bitrate, 1500000);
    EXPECT_EQ(svcd.video.max_rate, find_target("ntsc-svcd")->max_rate);
    // No rate options: the target as it is.
    const Applied plain = Apply("film-dvd", {});
    EXPECT_EQ(plain.error, "");
    EXPECT_EQ(plain.video.bitrate, find_target("film-dvd")->video_bitrate);
    EXPECT_FALSE(plain.video.constant_quality);
}

TEST(TargetRates, RatesPastTheStandardOrTheMultiplexAreRefused) {
    // Past the DVD's 9.8 Mbit/s peak, and within it but with the audio past the multiplex.
    EXPECT_NE(Apply("pal-dvd", {"-bt", "5000k", "-maxrate", "9900k"}).error.find("peak"),
              std::string::npos);
    EXPECT_NE(Apply("pal-dvd", {"-bt", "5000k", "-maxrate", "9700k"}).error.find("multiplex"),
              std::string::npos);
    EXPECT_NE(Apply("pal-svcd", {"-bt", "2700k"}).error, "");
    EXPECT_NE(Apply("pal-dvd", {"-bt", "9300k", "-maxrate", "9000k"}).error, "");
    EXPECT_NE(Apply("pal-dvd", {"-bt", "3000k", "-minrate", "4000k"}).error, "");
    // A Video CD's and DV's rates are fixed by their standards.
    EXPECT_NE(Apply("pal-vcd", {"-bt", "1000k"}).error.find("fixed"), std::string::npos);
    EXPECT_NE(Apply("ntsc-dv", {"-b", "20000k"}).error, "");
}

TEST(TargetRates, AFixedQuantiserDropsEveryRateLimit) {
    const Applied measured = Apply("pal-dvd", {"-cq", "5"});
    EXPECT_EQ(measured.error, "");
    EXPECT_TRUE(measured.video.constant_quality);
    EXPECT_EQ(measured.video.quantiser, 5);
    EXPECT_EQ(measured.video.bitrate, 0);
    EXPECT_EQ(measured.video.max_rate, 0);
    EXPECT_EQ(measured.video.vbv_bits, 0);
    EXPECT_NE(Apply("pal-dvd", {"-cq", "5", "-bt", "3000k"}).error, "");
    EXPECT_NE(Apply("pal-vcd", {"-cq", "5"}).error, "");
    for (const char* bad : {"0", "32", "x", "-1"}) {
        const ParseResult parsed =
            parse_options({"trelcore", "-i", "a.mkv", "-target", "pal-dvd", "-cq", bad, "b.mpg"});
        EXPECT_NE(parsed.error.find("-cq"), std::string::npos) << bad;
    }
}

}  // namespace
}  // namespace trel
