// The output plan decided from the options, the target and made-up source streams.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}

#include "output_plan.h"

namespace trel {
namespace {

// Source streams as a demuxer would describe them; nothing is read.
class FakeSource {
public:
    AVStream* add_video(int width, int height, AVRational avg_rate, AVRational real_rate,
                        AVRational sar = {1, 1}) {
        AVStream* st = avformat_new_stream(context_.get(), nullptr);
        st->codecpar->codec_type = AVMEDIA_TYPE_VIDEO;
        st->codecpar->codec_id = AV_CODEC_ID_MPEG4;
        st->codecpar->format = AV_PIX_FMT_YUV420P;
        st->codecpar->width = width;
        st->codecpar->height = height;
        st->codecpar->sample_aspect_ratio = sar;
        st->avg_frame_rate = avg_rate;
        st->r_frame_rate = real_rate;
        st->time_base = AVRational{1, 1000};
        return st;
    }
    AVStream* add_audio(int sample_rate, int channels) {
        AVStream* st = avformat_new_stream(context_.get(), nullptr);
        st->codecpar->codec_type = AVMEDIA_TYPE_AUDIO;
        st->codecpar->codec_id = AV_CODEC_ID_MP2;
        st->codecpar->sample_rate = sample_rate;
        av_channel_layout_default(&st->codecpar->ch_layout, channels);
        st->time_base = AVRational{1, sample_rate};
        return st;
    }

private:
    struct Deleter {
        void operator()(AVFormatContext* c) const { avformat_free_context(c); }
    };
    std::unique_ptr<AVFormatContext, Deleter> context_{avformat_alloc_context()};
};

Options options_for(std::vector<std::string> args, const std::string& output) {
    args.insert(args.begin(), {"trelcore", "-i", "in.mkv"});
    args.push_back(output);
    ParseResult parsed = parse_options(args);
    EXPECT_EQ(parsed.error, "");
    return parsed.options;
}

PlanResult plan_for(const std::vector<std::string>& args, const std::string& output,
                    const AVStream* video, const AVStream* audio) {
    const Options options = options_for(args, output);
    std::optional<TargetPreset> target;
    if (!options.target.empty()) {
        target = find_target(options.target);
        EXPECT_TRUE(target) << options.target;
    }
    return make_plan(options, target, video, audio, options.length_us);
}

double display_aspect(const VideoPlan& v) {
    return v.width * av_q2d(v.sample_aspect) / v.height;
}

bool same_rate(AVRational a, AVRational b) {
    return av_cmp_q(a, b) == 0;
}

struct TargetCase {
    const char* name;
    const char* muxer;
    AVCodecID video_codec;
    int width;
    int height;
    AVRational rate;
    bool telecine;    // 2:3 pulldown in the filter chain
    bool interlaced;  // coded as fields
    int64_t video_bitrate;
    AVCodecID audio_codec;
    int sample_rate;
};

constexpr AVRational kNtsc{30000, 1001};
constexpr AVRational kFilm{24000, 1001};
constexpr AVRational kPal{25, 1};

const TargetCase kTargets[] = {
    {"ntsc-dvd", "dvd", AV_CODEC_ID_MPEG2VIDEO, 720, 480, kNtsc, false, false, 6000000,
     AV_CODEC_ID_AC3, 48000},
    {"pal-dvd", "dvd", AV_CODEC_ID_MPEG2VIDEO, 720, 576, kPal, false, false, 6000000,
     AV_CODEC_ID_AC3, 48000},
    {"film-dvd", "dvd", AV_CODEC_ID_MPEG2VIDEO, 720, 480, kNtsc, true, true, 6000000,
     AV_CODEC_ID_AC3, 48000},
    {"ntsc-vcd", "vcd", AV_CODEC_ID_MPEG1VIDEO, 352, 240, kNtsc, false, false, 1150000,
     AV_CODEC_ID_MP2, 44100},
    {"pal-vcd", "vcd", AV_CODEC_ID_MPEG1VIDEO, 352, 288, kPal, false, false, 1150000,
     AV_CODEC_ID_MP2, 44100},
    {"film-vcd", "vcd", AV_CODEC_ID_MPEG1VIDEO, 352, 240, kFilm, false, false, 1150000,
     AV_CODEC_ID_MP2, 44100},
    {"ntsc-svcd", "svcd", AV_CODEC_ID_MPEG2VIDEO, 480, 480, kNtsc, false, false, 2040000,
     AV_CODEC_ID_MP2, 44100},
    {"pal-svcd", "svcd", AV_CODEC_ID_MPEG2VIDEO, 480, 576, kPal, false, false, 2040000,
     AV_CODEC_ID_MP2, 44100},
    {"film-svcd", "svcd", AV_CODEC_ID_MPEG2VIDEO, 480, 480, kNtsc, true, true, 2040000,
     AV_CODEC_ID_MP2, 44100},
    {"ntsc-dv", "dv", AV_CODEC_ID_DVVIDEO, 720, 480, kNtsc, false, false, 0, AV_CODEC_ID_PCM_S16LE,
     48000},
    {"pal-dv", "dv", AV_CODEC_ID_DVVIDEO, 720, 576, kPal, false, false, 0, AV_CODEC_ID_PCM_S16LE,
     48000},
    {"film-dv", "dv", AV_CODEC_ID_DVVIDEO, 720, 480, kNtsc, true, false, 0, AV_CODEC_ID_PCM_S16LE,
     48000},
};

TEST(TargetPlan, EachDiscAndStandardGivesItsFormat) {
    FakeSource source;
    const AVStream* video = source.add_video(320, 240, kPal, kPal);
    const AVStream* audio = source.add_audio(22050, 1);
    for (const TargetCase& c : kTargets) {
        SCOPED_TRACE(c.name);
        // The free-form options must not bend a disc format.
        const PlanResult result = plan_for(
            {"-target", c.name, "-s", "640x480", "-r", "50", "-ac", "1"}, "out.mpg", video, audio);
        ASSERT_EQ(result.error, "");
        const OutputPlan& plan = result.plan;
        EXPECT_STREQ(plan.format->name, c.muxer);
        ASSERT_TRUE(plan.video);
        EXPECT_EQ(plan.video->encoder->id, c.video_codec);
        EXPECT_EQ(plan.video->width, c.width);
        EXPECT_EQ(plan.video->height, c.height);
        EXPECT_TRUE(same_rate(plan.video->rate, c.rate));
        EXPECT_EQ(plan.video->filters.find("telecine") != std::string::npos, c.telecine);
        EXPECT_EQ(plan.video->interlaced, c.interlaced);
        EXPECT_EQ(plan.video->bitrate, c.video_bitrate);
        EXPECT_NEAR(display_aspect(*plan.video), 4.0 / 3.0, 0.01);
        EXPECT_TRUE(plan.video->from_source);
        ASSERT_TRUE(plan.audio);
        EXPECT_EQ(plan.audio->encoder->id, c.audio_codec);
        EXPECT_EQ(plan.audio->sample_rate, c.sample_rate);
        EXPECT_EQ(plan.audio->channels, 2);
    }
}

TEST(TargetPlan, WideSourcesAreFlaggedOnDvdAndDvAndLetterboxedElsewhere) {
    FakeSource source;
    const AVStream* wide = source.add_video(640, 360, kPal, kPal);
    for (const TargetCase& c : kTargets) {
        SCOPED_TRACE(c.name);
        const PlanResult result = plan_for({"-target", c.name}, "out.mpg", wide, nullptr);
        ASSERT_EQ(result.error, "");
        const bool flagged = c.video_codec != AV_CODEC_ID_MPEG1VIDEO && c.width == 720;
        const VideoPlan& v = *result.plan.video;
        EXPECT_NEAR(display_aspect(v), flagged ? 16.0 / 9.0 : 4.0 / 3.0, 0.01);
        EXPECT_EQ(v.filters.find(",pad=") != std::string::npos, !flagged);
        EXPECT_FALSE(result.plan.audio);
    }
}

TEST(TargetPlan, AudioOnlySourceGetsAGeneratedPicture) {
    FakeSource source;
    const AVStream* audio = source.add_audio(44100, 2);
    const PlanResult disc = plan_for({"-target", "pal-dvd"}, "out.mpg", nullptr, audio);
    ASSERT_EQ(disc.error, "");
    ASSERT_TRUE(disc.plan.video);
    EXPECT_FALSE(disc.plan.video->from_source);
    const PlanResult free = plan_for({"-vcodec", "xvid"}, "out.mp4", nullptr, audio);
    ASSERT_EQ(free.error, "");
    EXPECT_FALSE(free.plan.video);
    EXPECT_TRUE(free.plan.audio);
}

class FreePlan : public ::testing::Test {
protected:
    PlanResult plan(const std::vector<std::string>& args, const std::string& output = "o.mp4") {
        return plan_for(args, output, video_, audio_);
    }
    FakeSource source_;
    const AVStream* video_ = source_.add_video(321, 241, kPal, kPal, {4, 3});
    const AVStream* audio_ = source_.add_audio(48000, 6);
};

TEST_F(FreePlan, WithoutOptionsTheSourceIsKept) {
    const PlanResult result = plan({"-vcodec", "xvid"});
    ASSERT_EQ(result.error, "");
    const VideoPlan& v = *result.plan.video;
    EXPECT_EQ(v.encoder->id, AV_CODEC_ID_MPEG4);
    EXPECT_EQ(v.width, 320) << "odd sizes are made even";
    EXPECT_EQ(v.height, 240);
    EXPECT_TRUE(same_rate(v.sample_aspect, AVRational{4, 3}));
    EXPECT_TRUE(same_rate(v.rate, kPal));
    EXPECT_EQ(v.bitrate, 0);
    EXPECT_TRUE(v.constant_quality);
    EXPECT_EQ(v.codec_tag, 0U);
    const AudioPlan& a = *result.plan.audio;
    EXPECT_EQ(a.encoder->id, AV_CODEC_ID_AAC);
    EXPECT_EQ(a.sample_rate, 48000);
    EXPECT_EQ(a.channels, 2) << "more than two channels become stereo";
    EXPECT_EQ(a.bitrate, 128000);
}

struct KeptRateCase {
    AVRational average;
    AVRational real;
    AVRational expected;
};

TEST(FreeRatePlan, KeptRateIsTheRealRateNotTheSkewedAverage) {
    const std::vector<KeptRateCase> cases = {
        {{1800000, 59059}, kNtsc, kNtsc},       // 29.97 averaged with a long last frame
        {{1152000, 47047}, kFilm, kFilm},       // 23.976 likewise
        {{0, 0}, kFilm, kFilm},                 // no average
        {{24000, 1001}, {0, 0}, kFilm},         // no real rate
        {{30000, 1001}, {60000, 1001}, kNtsc},  // real rate counts fields
        {{0, 0}, {10000, 1}, kPal},             // absurd claims
        {{10000, 1}, {0, 1}, kPal},
    };
    for (const KeptRateCase& c : cases) {
        FakeSource source;
        const AVStream* video = source.add_video(320, 240, c.average, c.real);
        const PlanResult result = plan_for({"-vcodec", "xvid"}, "o.mp4", video, nullptr);
        ASSERT_EQ(result.error, "");
        EXPECT_TRUE(same_rate(result.plan.video->rate, c.expected))
            << c.average.num << "/" << c.average.den << " " << c.real.num << "/" << c.real.den
            << " gave " << result.plan.video->rate.num << "/" << result.plan.video->rate.den;
    }
}

TEST_F(FreePlan, EachOptionIsHonoured) {
    const PlanResult result = plan({"-vcodec", "xvid", "-s", "353x289", "-r", "23.976", "-b", "600",
                                    "-ac", "1", "-ab", "96", "-ar", "32000"});
    ASSERT_EQ(result.error, "");
    const VideoPlan& v = *result.plan.video;
    EXPECT_EQ(v.width, 352);
    EXPECT_EQ(v.height, 288);
    EXPECT_TRUE(same_rate(v.sample_aspect, AVRational{1, 1}));
    EXPECT_TRUE(same_rate(v.rate, kFilm));
    EXPECT_EQ(v.bitrate, 600000);
    EXPECT_FALSE(v.constant_quality);
    const AudioPlan& a = *result.plan.audio;
    EXPECT_EQ(a.channels, 1);
    EXPECT_EQ(a.bitrate, 96000);
    EXPECT_EQ(a.sample_rate, 32000);
    EXPECT_NE(a.filters.find("sample_rates=32000"), std::string::npos);
}

TEST_F(FreePlan, VariableRateLimitsAndTheirBuffer) {
    const PlanResult result =
        plan({"-vcodec", "xvid", "-bt", "500", "-maxrate", "800", "-minrate", "100"});
    ASSERT_EQ(result.error, "");
    const VideoPlan& v = *result.plan.video;
    EXPECT_STREQ(v.encoder->name, "mpeg4") << "libxvid would ignore the limits";
    EXPECT_EQ(v.bitrate, 500000);
    EXPECT_EQ(v.max_rate, 800000);
    EXPECT_EQ(v.min_rate, 100000);
    EXPECT_GE(v.vbv_bits, 800000);
}

struct LimitCase {
    std::vector<std::string> args;
    const char* output;
    const char* encoder;
    int64_t bitrate;
    int64_t max_rate;
    int64_t min_rate;
    bool buffer;
};

TEST_F(FreePlan, RateLimitsApplyWithoutVariableRateToo) {
    const std::vector<LimitCase> cases = {
        {{"-vcodec", "xvid", "-maxrate", "800"}, "o.mp4", "mpeg4", 600000, 800000, 0, true},
        {{"-vcodec", "xvid", "-maxrate", "800", "-minrate", "700"},
         "o.mp4",
         "mpeg4",
         700000,
         800000,
         700000,
         true},
        {{"-vcodec", "xvid", "-minrate", "100"}, "o.mp4", "mpeg4", 100000, 0, 100000, false},
        {{"-vcodec", "xvid", "-b", "500", "-maxrate", "800"},
         "o.mp4",
         "mpeg4",
         500000,
         800000,
         0,
         true},
        {{"-vcodec", "xvid", "-bt", "00", "-maxrate", "800"},
         "o.mp4",
         "mpeg4",
         600000,
         800000,
         0,
         true},
        {{"-vcodec", "h264", "-maxrate", "800", "-minrate", "100"},
         "o.mp4",
         "libx264",
         0,
         800000,
         0,
         true},
        {{"-maxrate", "800"}, "o.mpg", "mpeg1video", 600000, 800000, 0, true},
    };
    for (const LimitCase& c : cases) {
        std::string trace;
        for (const std::string& arg : c.args) {
            trace += arg + " ";
        }
        SCOPED_TRACE(trace);
        const PlanResult result = plan(c.args, c.output);
        ASSERT_EQ(result.error, "");
        const VideoPlan& v = *result.plan.video;
        EXPECT_STREQ(v.encoder->name, c.encoder);
        EXPECT_EQ(v.bitrate, c.bitrate);
        EXPECT_EQ(v.max_rate, c.max_rate);
        EXPECT_EQ(v.min_rate, c.min_rate);
        EXPECT_EQ(v.vbv_bits > 0, c.buffer);
        EXPECT_GE(v.vbv_bits, 2 * c.max_rate);
        EXPECT_FALSE(v.constant_quality);
    }
}

TEST_F(FreePlan, ImpossibleRateLimitsAreRefused) {
    struct Case {
        std::vector<std::string> args;
        const char* error;
    };
    for (const Case& c : {Case{{"-b", "800", "-maxrate", "500"},
                               "-maxrate 500 kbit/s is below the bit rate 800 kbit/s"},
                          Case{{"-bt", "500", "-minrate", "900"},
                               "-minrate 900 kbit/s is above the bit rate 500 kbit/s"},
                          Case{{"-maxrate", "500", "-minrate", "900"},
                               "-minrate 900 kbit/s is above -maxrate 500 kbit/s"}}) {
        std::vector<std::string> args = {"-vcodec", "xvid"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        EXPECT_EQ(plan(args).error, c.error);
    }
}

TEST_F(FreePlan, ChannelCountsTheEncoderCannotCarryAreNamed) {
    EXPECT_EQ(plan({"-ac", "8"}, "o.mpg").error,
              "MP2 (MPEG audio layer 2) audio takes at most 2 channels; -ac 8 asks for 8");
    EXPECT_EQ(plan({"-acodec", "ac3", "-ac", "7"}, "o.mkv").error,
              "ATSC A/52A (AC-3) audio takes at most 6 channels; -ac 7 asks for 7");
    const PlanResult five = plan({"-acodec", "ac3", "-ac", "5"}, "o.mkv");
    ASSERT_EQ(five.error, "");
    EXPECT_EQ(five.plan.audio->channels, 5);
}

TEST_F(FreePlan, H264KeepsAConstantBitRateNearItsTarget) {
    const PlanResult result =
        plan({"-vcodec", "h264", "-b", "768", "-pix_fmt", "yuv420p"}, "o.mov");
    ASSERT_EQ(result.error, "");
    const VideoPlan& v = *result.plan.video;
    EXPECT_EQ(v.encoder->id, AV_CODEC_ID_H264);
    EXPECT_EQ(v.pixel_format, AV_PIX_FMT_YUV420P);
    EXPECT_EQ(v.bitrate, 768000);
    EXPECT_EQ(v.max_rate, 768000);
    EXPECT_GT(v.vbv_bits, 0);
}

TEST_F(FreePlan, ContainerDecidesTagsCodecsAndRates) {
    const PlanResult avi = plan({"-vcodec", "xvid"}, "o.avi");
    ASSERT_EQ(avi.error, "");
    EXPECT_EQ(avi.plan.video->codec_tag, MKTAG('X', 'V', 'I', 'D'));
    // MPEG-1 video in .mpg knows only a few rates, MP2 only a few sample rates.
    const PlanResult mpg = plan({"-r", "26", "-ar", "11025"}, "o.mpg");
    ASSERT_EQ(mpg.error, "");
    EXPECT_EQ(mpg.plan.video->encoder->id, AV_CODEC_ID_MPEG1VIDEO);
    EXPECT_TRUE(same_rate(mpg.plan.video->rate, kPal));
    EXPECT_EQ(mpg.plan.audio->encoder->id, AV_CODEC_ID_MP2);
    EXPECT_EQ(mpg.plan.audio->sample_rate, 16000);
}

TEST_F(FreePlan, VideoCodecIntoAProgramStreamKeepsSoundTheStreamTakes) {
    const PlanResult mpg = plan({"-vcodec", "mpeg2video", "-b", "30000"}, "o.mpg");
    ASSERT_EQ(mpg.error, "");
    EXPECT_EQ(mpg.plan.audio->encoder->id, AV_CODEC_ID_MP2) << "the MPEG muxer refuses AAC";
    const PlanResult mkv = plan({"-vcodec", "mpeg2video"}, "o.mkv");
    ASSERT_EQ(mkv.error, "");
    EXPECT_EQ(mkv.plan.audio->encoder->id, AV_CODEC_ID_AAC);
}

struct LevelCase {
    std::vector<std::string> args;
    int level;  // expected level_id
};

TEST_F(FreePlan, Mpeg2LevelFitsTheSizeAndRate) {
    const std::vector<LevelCase> cases = {
        {{"-s", "720x576", "-b", "8000"}, 8},
        {{"-s", "720x576", "-b", "15000"}, 8},
        {{"-s", "720x576", "-b", "30000"}, 6},
        {{"-s", "720x576", "-bt", "8000", "-maxrate", "20000"}, 6},
        {{"-s", "1440x1080", "-b", "20000"}, 6},
        {{"-s", "1920x1080", "-b", "20000"}, 4},
        {{"-s", "720x576", "-b", "70000"}, 4},
        {{"-s", "720x576", "-r", "50", "-b", "8000"}, 6},
    };
    for (const LevelCase& c : cases) {
        std::vector<std::string> args = {"-vcodec", "mpeg2video"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const PlanResult result = plan(args, "o.mpg");
        ASSERT_EQ(result.error, "") << c.args[1] << " " << c.args.back();
        EXPECT_EQ(result.plan.video->level, c.level) << c.args[1] << " " << c.args.back();
    }
}

TEST_F(FreePlan, Mpeg2RatesAboveEveryLevelAreRefusedByName) {
    struct Case {
        std::vector<std::string> args;
        const char* error;
    };
    for (const Case& c :
         {Case{{"-b", "80001"},
               "-b 80001 kbit/s is above the 80000 kbit/s MPEG-2 video allows "
               "(High Level)"},
          Case{{"-bt", "100000"},
               "-bt 100000 kbit/s is above the 80000 kbit/s MPEG-2 video allows (High Level)"},
          Case{{"-b", "30000", "-maxrate", "90000"},
               "-maxrate 90000 kbit/s is above the 80000 kbit/s MPEG-2 video allows (High Level)"},
          Case{{"-maxrate", "120000"},
               "-maxrate 120000 kbit/s is above the 80000 kbit/s MPEG-2 video allows (High "
               "Level)"}}) {
        std::vector<std::string> args = {"-vcodec", "mpeg2video", "-s", "720x576"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        EXPECT_EQ(plan(args, "o.mpg").error, c.error);
        EXPECT_EQ(plan(args, "o.mkv").error, c.error) << "the limit is the video's, not the file's";
    }
    EXPECT_EQ(plan({"-vcodec", "mpeg2video", "-b", "80000"}, "o.mpg").error, "");
}

TEST_F(FreePlan, UnusableChoicesAreNamed) {
    struct Case {
        std::vector<std::string> args;
        std::string output;
        std::string mentions;
    };
    const std::vector<Case> cases = {
        {{"-vcodec", "nosuch"}, "o.mp4", "-vcodec"}, {{"-vcodec", "aac"}, "o.mp4", "-vcodec"},
        {{"-acodec", "mpeg4"}, "o.mp4", "-acodec"},  {{"-pix_fmt", "nosuch"}, "o.mp4", "-pix_fmt"},
        {{}, "o.unknownext", "container"},
    };
    for (const Case& c : cases) {
        const PlanResult result = plan(c.args, c.output);
        EXPECT_NE(result.error.find(c.mentions), std::string::npos)
            << c.mentions << ": '" << result.error << "'";
    }
}

}  // namespace
}  // namespace trel
