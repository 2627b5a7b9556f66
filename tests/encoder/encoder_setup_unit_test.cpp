// The video encoders as trelcore opens them for the discs: the disc's limits reach the encoder and
// so do the quality settings, unless the legacy ones are asked for.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

extern "C" {
#include <libavutil/opt.h>
}

#include "encoder_setup.h"
#include "output_plan.h"
#include "tuning_environment.h"

namespace trel {
namespace {

struct DiscEncoderCase {
    const char* target;
    AVCodecID codec;
    int gop;
    int64_t bit_rate;  // bit/s
    int64_t max_rate;
    int vbv_bits;
    bool non_linear;  // the DVD's rate wants the finer non-linear quantiser scale
};

const DiscEncoderCase kDiscs[] = {
    {"pal-dvd", AV_CODEC_ID_MPEG2VIDEO, 15, 6000000, 9000000, 1835008, true},
    {"ntsc-dvd", AV_CODEC_ID_MPEG2VIDEO, 18, 6000000, 9000000, 1835008, true},
    {"film-dvd", AV_CODEC_ID_MPEG2VIDEO, 18, 6000000, 9000000, 1835008, true},
    {"pal-svcd", AV_CODEC_ID_MPEG2VIDEO, 15, 2040000, 2516000, 1835008, false},
    {"ntsc-svcd", AV_CODEC_ID_MPEG2VIDEO, 18, 2040000, 2516000, 1835008, false},
    {"pal-vcd", AV_CODEC_ID_MPEG1VIDEO, 15, 1150000, 1150000, 327680, false},
    {"ntsc-vcd", AV_CODEC_ID_MPEG1VIDEO, 18, 1150000, 1150000, 327680, false},
};

OpenedEncoder open_for(const std::string& target) {
    ParseResult parsed = parse_options({"trelcore", "-i", "in.mkv", "-target", target, "o.mpg"});
    EXPECT_EQ(parsed.error, "");
    const PlanResult result =
        make_plan(parsed.options, find_target(target), nullptr, nullptr, std::nullopt);
    EXPECT_EQ(result.error, "");
    if (!result.plan.video) {
        return {nullptr, "no video plan"};
    }
    return open_video_encoder(*result.plan.video, false);
}

int64_t option(const AVCodecContext& c, const char* name) {
    int64_t value = -1;
    EXPECT_GE(av_opt_get_int(const_cast<AVCodecContext*>(&c), name, AV_OPT_SEARCH_CHILDREN, &value),
              0)
        << name;
    return value;
}

// Between flat (16) and MPEG's default intra matrix, three quarters of the way to flat, with the
// DC entry the syntax wants and steps that never shrink towards the high frequencies.
void expect_soft_intra_matrix(const AVCodecContext& c) {
    ASSERT_NE(c.intra_matrix, nullptr);
    const uint16_t* m = c.intra_matrix;
    EXPECT_EQ(m[0], 8);
    EXPECT_EQ(m[1], 16) << "default 16";
    EXPECT_EQ(m[8 * 4 + 7], 24) << "default 48";
    EXPECT_EQ(m[63], 32) << "default 83";
    for (int row = 0; row < 8; ++row) {
        for (int col = 1; col < 8; ++col) {
            EXPECT_GE(m[row * 8 + col], m[row * 8 + col - 1]) << row << "," << col;
            EXPECT_GE(m[row * 8 + col], 16);
        }
    }
}

TEST(DiscEncoder, CarriesTheDiscLimitsAndTheQualitySettings) {
    for (const DiscEncoderCase& d : kDiscs) {
        SCOPED_TRACE(d.target);
        const OpenedEncoder opened = open_for(d.target);
        ASSERT_TRUE(opened.context) << opened.error;
        const AVCodecContext& c = *opened.context;
        EXPECT_EQ(c.codec_id, d.codec);
        EXPECT_EQ(c.gop_size, d.gop);
        EXPECT_EQ(c.max_b_frames, 2);
        EXPECT_EQ(c.bit_rate, d.bit_rate);
        EXPECT_EQ(c.rc_max_rate, d.max_rate);
        EXPECT_EQ(c.rc_buffer_size, d.vbv_bits);
        EXPECT_EQ(option(c, "luma_elim_threshold"), -8);
        EXPECT_EQ(option(c, "chroma_elim_threshold"), -8);
        EXPECT_FLOAT_EQ(c.rc_max_available_vbv_use, 1.0F) << "an I-picture may fill the buffer";
        if (d.codec == AV_CODEC_ID_MPEG2VIDEO) {
            EXPECT_EQ(c.level, 8) << "Main Level";
            EXPECT_EQ(option(c, "intra_vlc"), 1);
            EXPECT_EQ(option(c, "non_linear_quant"), d.non_linear ? 1 : 0);
            EXPECT_FLOAT_EQ(c.qcompress, 0.7F);
            if (d.non_linear) {
                EXPECT_LE(c.qmax, 28) << "the encoder refuses a larger one with this scale";
                EXPECT_EQ(c.intra_matrix, nullptr) << "the DVD keeps the default intra matrix";
                EXPECT_EQ(c.qmin, 1) << "a clean scene may reach the finest step";
                EXPECT_EQ(option(c, "lmin"), FF_QP2LAMBDA);
                EXPECT_FLOAT_EQ(c.b_quant_factor, 2.0F);
                EXPECT_EQ(option(c, "noise_reduction"), 60);
            } else {
                EXPECT_EQ(option(c, "noise_reduction"), 0) << "the SVCD measured worse with it";
                expect_soft_intra_matrix(c);
            }
        } else {
            EXPECT_FLOAT_EQ(c.qcompress, 0.5F) << "the VCD keeps the library's rate control";
            EXPECT_EQ(c.intra_matrix, nullptr);
        }
    }
}

TEST(DiscEncoder, LegacyTuningKeepsTheLibraryDefaultsAndTheLimits) {
    const TuningEnvironment legacy("legacy");
    for (const char* target : {"pal-dvd", "pal-svcd", "pal-vcd"}) {
        SCOPED_TRACE(target);
        const OpenedEncoder opened = open_for(target);
        ASSERT_TRUE(opened.context) << opened.error;
        const AVCodecContext& c = *opened.context;
        EXPECT_EQ(option(c, "luma_elim_threshold"), 0);
        EXPECT_EQ(option(c, "chroma_elim_threshold"), 0);
        EXPECT_EQ(c.gop_size, 15);
        EXPECT_GT(c.rc_buffer_size, 0);
        EXPECT_FLOAT_EQ(c.qcompress, 0.5F);
        EXPECT_EQ(c.intra_matrix, nullptr);
        EXPECT_EQ(option(c, "noise_reduction"), 0);
        EXPECT_EQ(c.qmin, 2);
        EXPECT_LT(c.rc_max_available_vbv_use, 1.0F);
        if (c.codec_id == AV_CODEC_ID_MPEG2VIDEO) {
            EXPECT_EQ(option(c, "intra_vlc"), 0);
            EXPECT_EQ(option(c, "non_linear_quant"), 0);
        }
    }
}

TEST(DiscEncoder, OtherTuningWordsKeepTheQualitySettings) {
    const TuningEnvironment other("fast");
    const OpenedEncoder opened = open_for("pal-dvd");
    ASSERT_TRUE(opened.context) << opened.error;
    EXPECT_EQ(option(*opened.context, "luma_elim_threshold"), -8);
    EXPECT_EQ(option(*opened.context, "non_linear_quant"), 1);
    EXPECT_FLOAT_EQ(opened.context->qcompress, 0.7F);
}

}  // namespace
}  // namespace trel
