// Conversions by the real trelcore binary, checked by reading the results back.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

#include "encoder_test_support.h"

namespace enctest {
namespace {

constexpr double kNtsc = 30000.0 / 1001.0;
constexpr double kFilm = 24000.0 / 1001.0;

class ConversionTest : public ::testing::Test {
protected:
    // A 2 s 4:3 clip and a 2 s 16:9 clip, 25 fps, with a tone.
    void SetUp() override {
        make_clip(source_, {"--duration", "2", "--size", "320x240", "--acodec", "mp2"});
        make_clip(wide_, {"--duration", "2", "--size", "320x180", "--acodec", "mp2"});
    }

    MediaInfo convert(const std::string& source, const std::vector<std::string>& options,
                      const std::string& name) {
        std::vector<std::string> args = {"-i", source, "-title", "clip"};
        args.insert(args.end(), options.begin(), options.end());
        const std::string out = dir_.file(name);
        args.insert(args.end(), {"-y", out});
        const RunResult result = run(trelcore(args));
        EXPECT_EQ(result.exit_code, 0) << result.output;
        const auto info = inspect(out);
        EXPECT_TRUE(info.has_value()) << "unreadable " << out;
        return info.value_or(MediaInfo{});
    }

    TempDir dir_;
    std::string source_ = dir_.file("source.mkv");
    std::string wide_ = dir_.file("wide.mkv");
};

struct TargetCase {
    std::string name;
    std::string muxer;
    std::string video_codec;
    int width;
    int height;
    double rate;
    std::string audio_codec;
    int sample_rate;
};

void PrintTo(const TargetCase& c, std::ostream* os) {
    *os << c.name;
}

class TargetTest : public ConversionTest, public ::testing::WithParamInterface<TargetCase> {};

TEST_P(TargetTest, WritesTheDiscFormat) {
    const TargetCase& c = GetParam();
    const MediaInfo info = convert(source_, {"-target", c.name, "-ss", "0", "-t", "2"}, "out.mpg");
    EXPECT_EQ(info.format, c.muxer);
    ASSERT_TRUE(info.has_video);
    EXPECT_EQ(info.video_codec, c.video_codec);
    EXPECT_EQ(info.width, c.width);
    EXPECT_EQ(info.height, c.height);
    EXPECT_NEAR(info.frame_rate, c.rate, 0.001);
    EXPECT_NEAR(info.display_aspect, 4.0 / 3.0, 0.01);
    // The source is 2 s long: the picture keeps that length to within a frame.
    EXPECT_NEAR(info.video_seconds, 2.0, 1.0 / c.rate + 1e-6);
    ASSERT_TRUE(info.has_audio);
    EXPECT_EQ(info.audio_codec, c.audio_codec);
    EXPECT_EQ(info.sample_rate, c.sample_rate);
    EXPECT_EQ(info.channels, 2);
    EXPECT_NEAR(info.audio_seconds, 2.0, 0.05);
}

INSTANTIATE_TEST_SUITE_P(
    AllTargets, TargetTest,
    ::testing::Values(TargetCase{"ntsc-dvd", "mpeg", "mpeg2video", 720, 480, kNtsc, "ac3", 48000},
                      TargetCase{"pal-dvd", "mpeg", "mpeg2video", 720, 576, 25.0, "ac3", 48000},
                      TargetCase{"film-dvd", "mpeg", "mpeg2video", 720, 480, kNtsc, "ac3", 48000},
                      TargetCase{"ntsc-vcd", "mpeg", "mpeg1video", 352, 240, kNtsc, "mp2", 44100},
                      TargetCase{"pal-vcd", "mpeg", "mpeg1video", 352, 288, 25.0, "mp2", 44100},
                      TargetCase{"film-vcd", "mpeg", "mpeg1video", 352, 240, kFilm, "mp2", 44100},
                      TargetCase{"ntsc-svcd", "mpeg", "mpeg2video", 480, 480, kNtsc, "mp2", 44100},
                      TargetCase{"pal-svcd", "mpeg", "mpeg2video", 480, 576, 25.0, "mp2", 44100},
                      TargetCase{"film-svcd", "mpeg", "mpeg2video", 480, 480, kNtsc, "mp2", 44100},
                      TargetCase{"ntsc-dv", "dv", "dvvideo", 720, 480, kNtsc, "pcm_s16le", 48000},
                      TargetCase{"pal-dv", "dv", "dvvideo", 720, 576, 25.0, "pcm_s16le", 48000},
                      TargetCase{"film-dv", "dv", "dvvideo", 720, 480, kNtsc, "pcm_s16le", 48000}),
    [](const ::testing::TestParamInfo<TargetCase>& param) {
        std::string name = param.param.name;
        name.erase(name.find('-'), 1);
        return name;
    });

// Every rate change keeps the source's length to within half a picture of the output's rate:
// the ends of these sources fall just around a half picture of the other rates.
struct RateSource {
    const char* name;
    const char* rate;
    const char* seconds;  // a picture count that rounds badly at the other rates
};

void PrintTo(const RateSource& s, std::ostream* os) {
    *os << s.name;
}

class RateChangeTest : public ConversionTest, public ::testing::WithParamInterface<RateSource> {};

TEST_P(RateChangeTest, EveryTargetKeepsTheSourcesLengthToHalfAPicture) {
    const RateSource& s = GetParam();
    const std::string source = dir_.file("rate.mkv");
    make_clip(source,
              {"--rate", s.rate, "--duration", s.seconds, "--size", "160x120", "--acodec", "none"});
    const auto before = inspect(source);
    ASSERT_TRUE(before.has_value());
    const double length = static_cast<double>(before->video_frames) / before->frame_rate;
    for (const char* standard : {"ntsc", "pal", "film"}) {
        for (const char* disc : {"dvd", "svcd", "vcd", "dv"}) {
            const std::string target = std::string(standard) + "-" + disc;
            const MediaInfo after = convert(source, {"-target", target}, "rate.mpg");
            ASSERT_GT(after.frame_rate, 0.0) << target;
            const double seconds = static_cast<double>(after.video_frames) / after.frame_rate;
            EXPECT_NEAR(seconds, length, 0.5 / after.frame_rate + 1e-6)
                << s.rate << " fps, " << before->video_frames << " pictures to " << target << ": "
                << after.video_frames << " pictures";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sources, RateChangeTest,
                         ::testing::Values(RateSource{"pal", "25", "8.96"},
                                           RateSource{"film", "24", "7.7916667"},
                                           RateSource{"ntsc", "30000/1001", "4.170833"}),
                         [](const ::testing::TestParamInfo<RateSource>& param) {
                             return std::string(param.param.name);
                         });

TEST_F(ConversionTest, WideSourceIsFlaggedOnDvdAndDvAndLetterboxedOnVcdAndSvcd) {
    for (const char* target : {"pal-dvd", "ntsc-dv"}) {
        const MediaInfo info = convert(wide_, {"-target", target, "-t", "1"}, "wide.mpg");
        EXPECT_NEAR(info.display_aspect, 16.0 / 9.0, 0.01) << target;
        const auto picture = first_picture(dir_.file("wide.mpg"));
        ASSERT_TRUE(picture.has_value());
        EXPECT_GT(picture->row_mean(4), 30.0) << target << ": a flagged picture has no bars";
    }
    for (const char* target : {"ntsc-vcd", "pal-svcd"}) {
        const MediaInfo info = convert(wide_, {"-target", target, "-t", "1"}, "boxed.mpg");
        EXPECT_NEAR(info.display_aspect, 4.0 / 3.0, 0.01) << target;
        const auto picture = first_picture(dir_.file("boxed.mpg"));
        ASSERT_TRUE(picture.has_value());
        EXPECT_LT(picture->row_mean(2), 20.0) << target << ": black bar at the top";
        EXPECT_LT(picture->row_mean(picture->height - 3), 20.0) << target << ": and the bottom";
        EXPECT_GT(picture->row_mean(picture->height / 2), 30.0) << target;
    }
}

TEST_F(ConversionTest, Mpeg4TypeHonoursEveryOption) {
    const MediaInfo info = convert(
        source_,
        {"-vcodec", "xvid", "-pix_fmt", "yuv420p", "-s",  "352x288", "-r",  "23.976", "-b", "600",
         "-ac",     "1",    "-ab",      "96",      "-ar", "32000",   "-ss", "0",      "-t", "2"},
        "out.mp4");
    EXPECT_EQ(info.format, "mov,mp4,m4a,3gp,3g2,mj2");
    EXPECT_EQ(info.title, "clip");
    EXPECT_EQ(info.video_codec, "mpeg4");
    EXPECT_EQ(info.width, 352);
    EXPECT_EQ(info.height, 288);
    EXPECT_NEAR(info.frame_rate, kFilm, 0.001);
    EXPECT_NEAR(info.video_seconds, 2.0, 1.0 / kFilm + 1e-6);
    EXPECT_EQ(info.audio_codec, "aac");
    EXPECT_EQ(info.sample_rate, 32000);
    EXPECT_EQ(info.channels, 1);
}

TEST_F(ConversionTest, Mpeg4WithRateLimitsAndH264WithVariableRate) {
    const MediaInfo mp4 = convert(source_,
                                  {"-vcodec", "xvid", "-pix_fmt", "yuv420p", "-bt", "500",
                                   "-maxrate", "800", "-minrate", "100", "-r", "14.985"},
                                  "limits.mp4");
    EXPECT_EQ(mp4.video_codec, "mpeg4");
    EXPECT_NEAR(mp4.frame_rate, 15000.0 / 1001.0, 0.001);
    const MediaInfo mov = convert(source_,
                                  {"-vcodec", "h264", "-pix_fmt", "yuv420p", "-s", "320x240", "-r",
                                   "29.970", "-bt", "768", "-maxrate", "1000", "-ac", "2"},
                                  "out.mov");
    EXPECT_EQ(mov.video_codec, "h264");
    EXPECT_EQ(mov.width, 320);
    EXPECT_NEAR(mov.frame_rate, kNtsc, 0.001);
    EXPECT_NEAR(mov.video_seconds, 2.0, 1.0 / kNtsc + 1e-6);
    EXPECT_EQ(mov.audio_codec, "aac");
    EXPECT_EQ(mov.channels, 2);
    EXPECT_EQ(mov.sample_rate, 44100);
}

TEST_F(ConversionTest, RateLimitsAloneAreHonouredWithAKeptBitRate) {
    const std::string silent = dir_.file("silent.mkv");
    make_clip(silent, {"--acodec", "none", "--size", "640x480"});
    // As the application sends them for Variable Bit Rate with the bit rate kept.
    const MediaInfo info =
        convert(silent, {"-vcodec", "xvid", "-maxrate", "40", "-minrate", "20"}, "vbr.mp4");
    ASSERT_GT(info.video_seconds, 1.9);
    // A stream within a 40 kbit/s limit carries at most that rate plus its 80 kbit buffer.
    const double limit_bits = 40000.0 * info.video_seconds + 80000.0;
    EXPECT_LE(static_cast<double>(info.video_bytes) * 8.0, limit_bits);
}

TEST_F(ConversionTest, Mpeg2AtAHighFreeRateIntoMpgCarriesMp2Sound) {
    const MediaInfo info =
        convert(source_, {"-vcodec", "mpeg2video", "-s", "720x576", "-b", "30000"}, "high.mpg");
    EXPECT_EQ(info.format, "mpeg");
    EXPECT_EQ(info.video_codec, "mpeg2video");
    EXPECT_EQ(info.width, 720);
    EXPECT_NEAR(info.video_seconds, 2.0, 0.05);
    EXPECT_EQ(info.audio_codec, "mp2");
    EXPECT_NEAR(info.audio_seconds, 2.0, 0.05);
}

TEST_F(ConversionTest, KeptFrameRateIsTheSourcesRealRate) {
    // MP4 sources state an average rate skewed by the last frame's length.
    for (const char* rate : {"30000/1001", "24000/1001"}) {
        const std::string source = dir_.file("rate.mp4");
        make_clip(source, {"--rate", rate, "--acodec", "none"});
        const auto before = inspect(source);
        ASSERT_TRUE(before.has_value());
        const MediaInfo after = convert(source, {"-vcodec", "xvid"}, "rate-out.mp4");
        EXPECT_NEAR(after.frame_rate, before->frame_rate, 0.0005) << rate;
        EXPECT_EQ(after.video_frames, before->video_frames) << rate << ": no frame doubled";
    }
}

TEST_F(ConversionTest, SizeFitsTheWidePictureWithBlackBars) {
    convert(wide_, {"-vcodec", "h264", "-s", "320x240"}, "fit.mov");
    const auto picture = first_picture(dir_.file("fit.mov"));
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->width, 320);
    EXPECT_EQ(picture->height, 240);
    EXPECT_LT(picture->row_mean(3), 20.0);
    EXPECT_GT(picture->row_mean(120), 30.0);
}

TEST_F(ConversionTest, StartAndLengthCutExactlyAndStartAtZero) {
    const std::string longer = dir_.file("long.mkv");
    // MP2 has no encoder priming, so the picture starts at 0 in the source too.
    make_clip(longer, {"--duration", "4", "--size", "320x240", "--acodec", "mp2"});
    struct Cut {
        const char* start;
        int first_frame;  // source frame at the start point, 25 fps
    };
    for (const Cut cut : {Cut{"1", 25}, Cut{"0.52", 13}, Cut{"2.2", 55}}) {
        const MediaInfo info =
            convert(longer, {"-vcodec", "h264", "-ss", cut.start, "-t", "1"}, "cut.mov");
        EXPECT_EQ(info.video_frames, 25) << "-ss " << cut.start;
        EXPECT_NEAR(info.audio_seconds, 1.0, 0.03) << "-ss " << cut.start;
        const auto picture = first_picture(dir_.file("cut.mov"));
        ASSERT_TRUE(picture.has_value());
        EXPECT_NEAR(picture->bar_position(), (cut.first_frame * 8) % 320, 2) << cut.start;
    }
}

TEST_F(ConversionTest, AudioOnlySourceGetsABlackPictureOnDiscs) {
    const std::string sound = dir_.file("sound.wav");
    make_clip(sound, {"--vcodec", "none", "--acodec", "pcm_s16le", "--duration", "1.5"});
    for (const char* target : {"pal-dvd", "ntsc-dv"}) {
        const MediaInfo info = convert(sound, {"-target", target}, "sound.mpg");
        ASSERT_TRUE(info.has_video) << target;
        EXPECT_NEAR(info.video_seconds, 1.5, 1.0 / 25.0 + 1e-6) << target;
        EXPECT_NEAR(info.audio_seconds, 1.5, 0.05) << target;
        const auto picture = first_picture(dir_.file("sound.mpg"));
        ASSERT_TRUE(picture.has_value());
        EXPECT_LT(picture->row_mean(picture->height / 2), 20.0) << target;
    }
}

TEST_F(ConversionTest, VideoOnlySourceConverts) {
    const std::string silent = dir_.file("silent.mkv");
    make_clip(silent, {"--acodec", "none", "--duration", "1"});
    const MediaInfo dvd = convert(silent, {"-target", "ntsc-dvd"}, "silent.mpg");
    EXPECT_TRUE(dvd.has_video);
    EXPECT_FALSE(dvd.has_audio);
    const MediaInfo mp4 = convert(silent, {"-vcodec", "xvid", "-pix_fmt", "yuv420p"}, "s.mp4");
    EXPECT_EQ(mp4.video_frames, 25);
}

}  // namespace
}  // namespace enctest
