// A disc target with its rates changed through the real trelcore: a fixed quantiser measures how
// hard the pictures are, and a fitted average is what the output gets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encoder_test_support.h"

namespace enctest {
namespace {

class FitTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir;
        // A near-still scene, the camera-like one, and a grainy one in motion.
        const std::vector<std::pair<std::string, std::vector<std::string>>> clips = {
            {"still", {"--motion", "0", "--grain", "0"}},
            {"camera", {}},
            {"grain", {"--motion", "60", "--grain", "20"}}};
        for (const auto& [name, options] : clips) {
            std::vector<std::string> args = {"--natural", "--duration", "2",
                                             "--size",    "720x576",    "--vcodec",
                                             "ffv1",      "--acodec",   "mp2"};
            args.insert(args.end(), options.begin(), options.end());
            make_clip(dir_->file(name + ".mkv"), args);
        }
    }
    static void TearDownTestSuite() {
        delete dir_;
        dir_ = nullptr;
    }

    // The video bytes of the clip converted to pal-dvd with these options after the target.
    static int64_t VideoBytes(const std::string& clip, const std::vector<std::string>& options,
                              const std::string& name) {
        std::vector<std::string> args = {"-i", dir_->file(clip + ".mkv"), "-target", "pal-dvd"};
        args.insert(args.end(), options.begin(), options.end());
        const std::string out = dir_->file(name + ".mpg");
        args.insert(args.end(), {"-y", out});
        const RunResult result = run(trelcore(args));
        EXPECT_EQ(result.exit_code, 0) << result.output;
        const std::optional<MediaInfo> info = inspect(out);
        if (!info) {
            ADD_FAILURE() << "unreadable " << out;
            return 0;
        }
        // Still a DVD's picture and sound.
        EXPECT_EQ(info->video_codec, "mpeg2video");
        EXPECT_EQ(info->width, 720);
        EXPECT_EQ(info->height, 576);
        EXPECT_EQ(info->audio_codec, "ac3");
        return info->video_bytes;
    }

    static TempDir* dir_;
};

TempDir* FitTest::dir_ = nullptr;

TEST_F(FitTest, AFixedQuantiserTellsHardPicturesFromEasyOnes) {
    const int64_t still = VideoBytes("still", {"-cq", "4"}, "still-q4");
    const int64_t grain = VideoBytes("grain", {"-cq", "4"}, "grain-q4");
    const int64_t grainCoarse = VideoBytes("grain", {"-cq", "8"}, "grain-q8");
    EXPECT_GT(grain, still * 2);
    EXPECT_LT(grainCoarse, grain * 3 / 4);
    EXPECT_GT(grainCoarse, 0);
}

TEST_F(FitTest, AFittedAverageIsWhatTheOutputGets) {
    const int64_t standard = VideoBytes("camera", {}, "camera-standard");
    const int64_t fitted =
        VideoBytes("camera", {"-bt", "2000k", "-maxrate", "9400k"}, "camera-2000");
    const int64_t generous =
        VideoBytes("camera", {"-bt", "8000k", "-maxrate", "9400k"}, "camera-8000");
    EXPECT_LT(fitted, standard * 6 / 10);
    EXPECT_GT(generous, standard);
    // Refused rather than written past the disc's limits.
    const RunResult refused =
        run(trelcore({"-i", dir_->file("grain.mkv"), "-target", "pal-dvd", "-bt", "5000k",
                      "-maxrate", "9900k", "-y", dir_->file("refused.mpg")}));
    EXPECT_NE(refused.exit_code, 0) << refused.output;
    EXPECT_NE(refused.output.find("peak"), std::string::npos) << refused.output;
}

}  // namespace
}  // namespace enctest
