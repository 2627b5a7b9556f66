#include "encoder_setup.h"

extern "C" {
#include <libavutil/mem.h>
#include <libavutil/opt.h>
}

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string_view>
#include <thread>

namespace trel {
namespace {

int worker_threads() {
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1U, 16U));
}

OpenedEncoder open_with(CodecContextPtr context, const AVCodec* codec, AVDictionary* options) {
    OpenedEncoder result;
    const int rc = avcodec_open2(context.get(), codec, &options);
    av_dict_free(&options);
    if (rc < 0) {
        result.error =
            std::string("cannot open the ") + codec->name + " encoder (" + av_error_text(rc) + ")";
        return result;
    }
    result.context = std::move(context);
    return result;
}

void apply_rate_control(AVCodecContext& c, const VideoPlan& plan) {
    if (plan.bitrate > 0) {
        c.bit_rate = plan.bitrate;
    }
    c.rc_max_rate = plan.max_rate;
    c.rc_min_rate = plan.min_rate;
    if (plan.vbv_bits > 0) {
        c.rc_buffer_size = plan.vbv_bits;
    }
    if (plan.constant_quality) {
        c.flags |= AV_CODEC_FLAG_QSCALE;
        c.global_quality = plan.quantiser * FF_QP2LAMBDA;
    }
}

// MPEG's default intra matrix, raster order: coarse steps for the high frequencies.
// clang-format off
constexpr uint16_t kDefaultIntraMatrix[64] = {
     8, 16, 19, 22, 26, 27, 29, 34,
    16, 16, 22, 24, 27, 29, 34, 37,
    19, 22, 26, 27, 29, 34, 34, 38,
    22, 22, 26, 27, 29, 34, 37, 40,
    22, 26, 27, 29, 32, 35, 40, 48,
    26, 27, 29, 32, 35, 40, 48, 58,
    26, 27, 29, 34, 38, 46, 56, 69,
    27, 29, 35, 38, 46, 56, 69, 83};
// clang-format on

// Sets an intra matrix a quarter of the way from flat (16) to the default one. Owned by the
// context from then on (avcodec_free_context frees it); left unset when memory runs out.
void set_soft_intra_matrix(AVCodecContext& c) {
    auto* matrix = static_cast<uint16_t*>(av_malloc(sizeof kDefaultIntraMatrix));
    if (matrix == nullptr) {
        return;
    }
    for (size_t i = 0; i < std::size(kDefaultIntraMatrix); ++i) {
        matrix[i] = static_cast<uint16_t>((kDefaultIntraMatrix[i] + 3 * 16) / 4);
    }
    matrix[0] = 8;  // the DC's step comes from intra_dc_precision, not from here
    av_freep(&c.intra_matrix);
    c.intra_matrix = matrix;
}

// The DVD's rate on top of the non-linear scale, measured on 12 s of camera-like pictures (pal-dvd
// +1.0 dB against legacy, +0.5 dB against the scale alone; processor time x0.9-1.2):
// - B-pictures, which nothing predicts from, at twice the P-pictures' quantiser (library: 1.25):
//   the bits go to the pictures the others are built on. +0.3 dB; the B-pictures stay at the
//   legacy settings' quality (no picture is worse than there) while I and P gain 3 dB, so PSNR
//   now swings by about 2 dB from one picture to the next (1.1 dB at 1.25, 0.4 dB legacy).
// - Noise reduction 60: the encoder's own adaptive dead zone for inter blocks, which drops
//   coefficients that are mostly grain. +0.15 dB on grain; stronger settings cost clean and
//   still pictures up to 2 dB.
// - The finest step of the scale (quantiser 1) allowed: a clean or still scene otherwise sat at
//   step 2 with a third of the rate unspent, and the two settings above would lower its quality.
// - No blur of the quantiser between pictures: it lagged behind the rate control. +0.05 dB.
void apply_dvd_rate_tuning(AVCodecContext& c) {
    c.b_quant_factor = 2.0F;
    c.qblur = 0.0F;
    c.qmin = 1;
    av_opt_set_int(&c, "lmin", FF_QP2LAMBDA, AV_OPT_SEARCH_CHILDREN);
    av_opt_set_int(&c, "noise_reduction", 60, AV_OPT_SEARCH_CHILDREN);
}

// Quality per bit for the MPEG-1/2 encoders, measured by bench/encoder/trelcore_quality_bench
// on camera-like pictures with grain (luma PSNR against the legacy settings at the disc's rate,
// processor time within 1.1x):
// - One picture may fill the whole video buffer, not a third of it (the library's default
//   for the discs' buffers): the buffer's model still holds, but an I-picture no longer gets a
//   coarser quantiser than its group can pay for. On a still scene later I-pictures had fallen
//   4 dB below the rest, now 0.1 dB; with motion +0.1 dB DVD, +0.3 dB SVCD, +0.6 dB VCD.
// - Blocks whose only coefficients are a few scattered +-1 (DC included) are dropped: grain that
//   costs many bits for little fidelity. About +0.9 dB on SVCD, +0.7 dB on VCD.
// - MPEG-2's intra VLC table codes intra blocks in fewer bits.
// - The DVD's rate leaves the linear scale at its finest step with bits unspent; the non-linear
//   scale goes finer (it needs qmax <= 28). About +0.4 dB on DVD with the above; on SVCD it
//   costs 0.2 dB, so only plans that ask for it get it.
// - MPEG-2 rate control with qcomp 0.7 instead of 0.5: simple pictures, a still scene's
//   I-pictures most, keep a finer quantiser. On a still scene the DVD's I-pictures had come out
//   4.3 dB below the rest, now 2.9 dB (legacy 1.8 dB, at 2/3 of the bits); elsewhere +0-0.1 dB.
// - SVCD (MPEG-2 without the non-linear scale): an intra matrix three quarters flat. The
//   default one drops the fine detail of I-pictures, which a still scene at the floor quantiser
//   cannot buy back: the elimination above had lost 0.6 dB there against legacy, now +1.15 dB;
//   with motion +1.3 dB in all (+1.2 dB at legacy's bit rate). On the DVD it gains nothing and
//   costs SSIM on heavy grain.
// DVD figures against legacy without apply_dvd_rate_tuning: +0.44 dB with motion, +3.4 dB still.
// Tried and left off (pal-dvd / pal-svcd dB, time): mb_decision rd +0.0 x1.2, with qp_rd +0.1
// x1.3-1.7; trellis +0.4 dB but x4 on the DVD's encoding alone; SATD comparisons -0.1; mbcmp SATD
// +0.05/+0.2 x1.1; b_strategy 2 -0.3 x2.8; three B-pictures -0.1; intra_dc_precision 9/10 +-0.1;
// i_qfactor -1.0 lower per bit; noise shaping -2 dB on DVD x10; on the SVCD the DVD's rate tuning
// -0.1. Slice threading costs nothing measurable (1 or 2 threads alike).
// Set before the encoder opens; a library lacking one of the named options encodes as before.
void apply_mpeg_tuning(AVCodecContext& c, const VideoPlan& plan) {
    if (legacy_tuning()) {
        return;
    }
    av_opt_set_int(&c, "luma_elim_threshold", -8, AV_OPT_SEARCH_CHILDREN);
    av_opt_set_int(&c, "chroma_elim_threshold", -8, AV_OPT_SEARCH_CHILDREN);
    c.rc_max_available_vbv_use = 1.0F;
    if (c.codec_id != AV_CODEC_ID_MPEG2VIDEO) {
        return;
    }
    av_opt_set_int(&c, "intra_vlc", 1, AV_OPT_SEARCH_CHILDREN);
    c.qcompress = 0.7F;
    if (plan.fine_quantiser) {
        av_opt_set_int(&c, "non_linear_quant", 1, AV_OPT_SEARCH_CHILDREN);
        c.qmax = std::min(c.qmax, 28);
        apply_dvd_rate_tuning(c);
    } else {
        set_soft_intra_matrix(c);
    }
}

}  // namespace

bool legacy_tuning() {
    const char* value = std::getenv("TRELCORE_TUNING");
    return value != nullptr && std::string_view(value) == "legacy";
}

OpenedEncoder open_video_encoder(const VideoPlan& plan, bool global_header) {
    CodecContextPtr c(avcodec_alloc_context3(plan.encoder));
    if (!c) {
        return {nullptr, "out of memory"};
    }
    c->width = plan.width;
    c->height = plan.height;
    c->sample_aspect_ratio = plan.sample_aspect;
    c->pix_fmt = plan.pixel_format;
    c->framerate = plan.rate;
    c->time_base = av_inv_q(plan.rate);
    c->codec_tag = plan.codec_tag;
    if (plan.gop >= 0) {
        c->gop_size = plan.gop;
    }
    if (plan.b_frames >= 0) {
        c->max_b_frames = plan.b_frames;
    }
    apply_rate_control(*c, plan);
    if (plan.interlaced) {
        c->flags |= AV_CODEC_FLAG_INTERLACED_DCT | AV_CODEC_FLAG_INTERLACED_ME;
        c->field_order = plan.top_field_first ? AV_FIELD_TT : AV_FIELD_BB;
    }
    if (global_header) {
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    AVDictionary* options = nullptr;
    const std::string name = plan.encoder->name;
    if (name == "libx264") {
        c->thread_count = 0;
        av_dict_set(&options, "preset", "veryfast", 0);
    } else {
        c->thread_count = worker_threads();
    }
    if (plan.encoder->id == AV_CODEC_ID_MPEG2VIDEO) {
        c->profile = FF_PROFILE_MPEG2_MAIN;
        c->level = plan.level >= 0 ? plan.level : 8;
    }
    if (plan.encoder->id == AV_CODEC_ID_MPEG2VIDEO || plan.encoder->id == AV_CODEC_ID_MPEG1VIDEO) {
        apply_mpeg_tuning(*c, plan);
    }
    if (plan.scan_offset) {
        av_dict_set(&options, "scan_offset", "1", 0);
    }
    return open_with(std::move(c), plan.encoder, options);
}

OpenedEncoder open_audio_encoder(const AudioPlan& plan, bool global_header) {
    CodecContextPtr c(avcodec_alloc_context3(plan.encoder));
    if (!c) {
        return {nullptr, "out of memory"};
    }
    c->sample_rate = plan.sample_rate;
    c->sample_fmt = plan.sample_format;
    av_channel_layout_default(&c->ch_layout, plan.channels);
    c->time_base = AVRational{1, plan.sample_rate};
    if (plan.bitrate > 0) {
        c->bit_rate = plan.bitrate;
    }
    if (global_header) {
        c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    return open_with(std::move(c), plan.encoder, nullptr);
}

}  // namespace trel
