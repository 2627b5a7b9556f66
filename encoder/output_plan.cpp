#include "output_plan.h"

extern "C" {
#include <libavutil/pixdesc.h>
}

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "probe.h"
#include "rational.h"
#include "target_rates.h"

namespace trel {
namespace {

constexpr double kWideThreshold = 1.55;  // between 4:3 (1.33) and 16:9 (1.78)

std::string seconds_text(int64_t us) {
    char text[48];
    std::snprintf(text, sizeof text, "%.6f", static_cast<double>(us) / 1e6);
    return text;
}

int even_floor(double value) {
    return std::max(2, static_cast<int>(value / 2.0) * 2);
}
int even_round(double value) {
    return std::max(2, static_cast<int>(std::lround(value / 2.0)) * 2);
}

AVRational source_sar(const AVStream& st) {
    const AVRational sar =
        st.sample_aspect_ratio.num > 0 ? st.sample_aspect_ratio : st.codecpar->sample_aspect_ratio;
    return sar.num > 0 && sar.den > 0 ? sar : AVRational{1, 1};
}

double source_display_aspect(const AVStream* st) {
    if (st == nullptr || st->codecpar->width <= 0 || st->codecpar->height <= 0) {
        return 4.0 / 3.0;
    }
    return st->codecpar->width * av_q2d(source_sar(*st)) / st->codecpar->height;
}

// Scales the picture to fit the frame whose display aspect is `frame_aspect`, keeping its own
// proportions, and pads the rest with black.
std::string fit_filters(const VideoPlan& v, double picture_aspect, double frame_aspect) {
    int w = v.width;
    int h = v.height;
    if (picture_aspect > frame_aspect * 1.01) {
        h = std::min(v.height, even_round(v.height * frame_aspect / picture_aspect));
    } else if (picture_aspect < frame_aspect / 1.01) {
        w = std::min(v.width, even_round(v.width * picture_aspect / frame_aspect));
    }
    std::string chain = "scale=w=" + std::to_string(w) + ":h=" + std::to_string(h);
    if (w != v.width || h != v.height) {
        chain += ",pad=w=" + std::to_string(v.width) + ":h=" + std::to_string(v.height) +
                 ":x=(ow-iw)/2:y=(oh-ih)/2:color=black";
    }
    chain += ",setsar=sar=" + rational_text(v.sample_aspect);
    return chain;
}

void finish_video_filters(VideoPlan& v, double picture_aspect, double frame_aspect, bool telecine) {
    // The rate is made constant first so dropped frames are never scaled.
    const AVRational picture_rate = telecine ? kFilmRate : v.rate;
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about "literal" + string&&.
    std::string chain = "fps=fps=";
    chain += rational_text(picture_rate);
    chain += ":start_time=0,";
    chain += fit_filters(v, picture_aspect, frame_aspect);
    chain += ",format=pix_fmts=";
    chain += av_get_pix_fmt_name(v.pixel_format);
    if (telecine) {
        // 2:3 pulldown: four film frames become five video frames, so the length is kept. The
        // pulldown drops the half frame its last film frame would make; one more copy of that
        // frame gives it whole, and the conversion ends the pictures at the source's length.
        chain += ",tpad=stop=1:stop_mode=clone";
        chain += std::string(",telecine=first_field=") + (v.top_field_first ? "top" : "bottom") +
                 ":pattern=23";
    }
    v.filters = chain;
}

AVRational nearest_supported_rate(const AVCodec& codec, AVRational rate) {
    if (codec.supported_framerates == nullptr) {
        return rate;
    }
    const int index = av_find_nearest_q_idx(rate, codec.supported_framerates);
    return codec.supported_framerates[index];
}

int nearest_sample_rate(const AVCodec& codec, int rate) {
    if (codec.supported_samplerates == nullptr) {
        return rate;
    }
    int best = codec.supported_samplerates[0];
    for (const int* r = codec.supported_samplerates; *r != 0; ++r) {
        if (std::abs(*r - rate) < std::abs(best - rate)) {
            best = *r;
        }
    }
    return best;
}

VideoPlan target_video(const TargetPreset& t, const AVStream* src) {
    VideoPlan v;
    v.encoder = avcodec_find_encoder(t.video_codec);
    v.width = t.width;
    v.height = t.height;
    v.rate = t.coded_rate;
    v.pixel_format = t.pixel_format;
    v.bitrate = t.video_bitrate;
    v.max_rate = t.max_rate;
    v.min_rate = t.min_rate;
    v.vbv_bits = t.vbv_bits;
    v.gop = t.gop;
    v.b_frames = t.b_frames;
    v.scan_offset = t.scan_offset;
    v.fine_quantiser = t.fine_quantiser;
    v.level = t.video_codec == AV_CODEC_ID_MPEG2VIDEO ? 8 : -1;  // discs are Main Level
    v.from_source = src != nullptr;
    v.interlaced = t.film_telecine && t.disc != Disc::kDv;
    v.top_field_first = !t.bottom_field_first;
    const double picture_aspect = source_display_aspect(src);
    const bool wide = t.wide_flagging && picture_aspect > kWideThreshold;
    const double frame_aspect = wide ? 16.0 / 9.0 : 4.0 / 3.0;
    av_reduce(&v.sample_aspect.num, &v.sample_aspect.den,
              static_cast<int64_t>(std::lround(frame_aspect * 9.0)) * t.height, 9LL * t.width,
              1 << 16);
    finish_video_filters(v, picture_aspect, frame_aspect, t.film_telecine);
    return v;
}

AudioPlan target_audio(const TargetPreset& t) {
    AudioPlan a;
    a.encoder = avcodec_find_encoder(t.audio_codec);
    a.sample_rate = t.sample_rate;
    a.channels = 2;
    a.bitrate = t.audio_bitrate;
    return a;
}

const AVCodec* choose_video_encoder(const Options& o, const AVOutputFormat& format,
                                    std::string& error) {
    const std::string& name = o.video_codec;
    const AVCodec* codec = nullptr;
    if (name.empty()) {
        codec = avcodec_find_encoder(format.video_codec);
    } else if (name == "xvid" || name == "libxvid") {
        // libxvid ignores maximum and minimum rates; the built-in MPEG-4 encoder honours them.
        const bool rate_limits = o.max_rate > 0 || o.min_rate > 0;
        codec = rate_limits ? nullptr : avcodec_find_encoder_by_name("libxvid");
        if (codec == nullptr) {
            codec = avcodec_find_encoder(AV_CODEC_ID_MPEG4);
        }
    } else if (name == "h264" || name == "libx264" || name == "x264") {
        codec = avcodec_find_encoder_by_name("libx264");
        if (codec == nullptr) {
            codec = avcodec_find_encoder(AV_CODEC_ID_H264);
        }
    } else {
        codec = avcodec_find_encoder_by_name(name.c_str());
    }
    if (codec == nullptr || codec->type != AVMEDIA_TYPE_VIDEO) {
        error = "-vcodec: no video encoder named '" + name + "'";
        return nullptr;
    }
    return codec;
}

const AVCodec* choose_audio_encoder(const Options& o, const AVOutputFormat& format,
                                    std::string& error) {
    const AVCodec* codec = nullptr;
    if (!o.audio_codec.empty()) {
        codec = avcodec_find_encoder_by_name(o.audio_codec.c_str());
    } else if (!o.video_codec.empty() &&
               avformat_query_codec(&format, AV_CODEC_ID_AAC, FF_COMPLIANCE_NORMAL) == 1) {
        // The MPEG-4 and H.264 output types carry AAC; containers that refuse it, such as the
        // MPEG program stream, keep their own sound.
        codec = avcodec_find_encoder(AV_CODEC_ID_AAC);
    } else {
        codec = avcodec_find_encoder(format.audio_codec);
    }
    if (codec == nullptr || codec->type != AVMEDIA_TYPE_AUDIO) {
        error = "-acodec: no audio encoder named '" + o.audio_codec + "'";
        return nullptr;
    }
    return codec;
}

std::string kbits(int64_t rate) {
    return std::to_string(rate / 1000) + " kbit/s";
}

// -maxrate and -minrate must leave room for the bit rate and each other.
std::string rate_limit_error(const Options& o) {
    if (o.max_rate > 0 && o.min_rate > o.max_rate) {
        return "-minrate " + kbits(o.min_rate) + " is above -maxrate " + kbits(o.max_rate);
    }
    if (o.video_bitrate > 0 && o.max_rate > 0 && o.max_rate < o.video_bitrate) {
        return "-maxrate " + kbits(o.max_rate) + " is below the bit rate " + kbits(o.video_bitrate);
    }
    if (o.video_bitrate > 0 && o.min_rate > o.video_bitrate) {
        return "-minrate " + kbits(o.min_rate) + " is above the bit rate " + kbits(o.video_bitrate);
    }
    return {};
}

// The limits apply with or without -bt: the application sends them alone for a kept bit rate.
void plan_rate_control(const Options& o, bool x264, VideoPlan& v) {
    v.bitrate = o.video_bitrate;
    v.max_rate = o.max_rate;
    v.min_rate = o.min_rate;
    if (x264) {
        v.min_rate = 0;  // libx264 has no minimum rate
        if (v.max_rate == 0 && !o.variable_bitrate && o.video_bitrate > 0) {
            v.max_rate = o.video_bitrate;  // a one-second buffer keeps the rate near constant
        }
    } else if (v.bitrate == 0 && (v.max_rate > 0 || v.min_rate > 0)) {
        // The MPEG encoders steer towards an average, so the limits need one inside them.
        v.bitrate = v.max_rate > 0 ? std::max(v.min_rate, v.max_rate * 3 / 4) : v.min_rate;
    }
    // The MPEG encoders take a buffer only together with a maximum rate.
    if (v.max_rate > 0) {
        v.vbv_bits =
            static_cast<int>(std::min<int64_t>(2 * std::max(v.max_rate, v.bitrate), INT32_MAX / 2));
    }
}

// The Main Profile levels of MPEG-2 video (ISO/IEC 13818-2), smallest first.
struct Mpeg2Level {
    int code;  // level_id, as AVCodecContext::level takes it
    const char* name;
    int width;  // largest picture, pixels
    int height;
    double rate;       // most frames per second
    int64_t bit_rate;  // most bits per second
};
constexpr Mpeg2Level kMpeg2Levels[] = {
    {8, "Main", 720, 576, 30.0, 15000000},
    {6, "High-1440", 1440, 1152, 60.0, 60000000},
    {4, "High", 1920, 1152, 60.0, 80000000},
};

// The smallest level that holds the stream; a bit rate above every level's is refused, since no
// MPEG-2 decoder has to take it. Pictures larger than High Level's are left to the encoder.
std::string choose_mpeg2_level(const Options& o, VideoPlan& v) {
    const int64_t peak = std::max(v.bitrate, v.max_rate);
    const Mpeg2Level& top = kMpeg2Levels[std::size(kMpeg2Levels) - 1];
    if (peak > top.bit_rate) {
        const bool by_max = o.max_rate > 0 && o.max_rate >= o.video_bitrate;
        const std::string option = by_max ? "-maxrate" : (o.variable_bitrate ? "-bt" : "-b");
        return option + " " + kbits(peak) + " is above the " + kbits(top.bit_rate) +
               " MPEG-2 video allows (" + top.name + " Level)";
    }
    v.level = top.code;
    for (const Mpeg2Level& level : kMpeg2Levels) {
        if (v.width <= level.width && v.height <= level.height &&
            av_q2d(v.rate) <= level.rate + 0.01 && peak <= level.bit_rate) {
            v.level = level.code;
            return {};
        }
    }
    return {};
}

// MPEG-4 video (ISO/IEC 14496-2) codes the picture's width and height in 13 bits: a larger picture
// is written as one no decoder can read.
constexpr int kLargestMpeg4Side = 8190;

// Fits a kept picture size into the MPEG-4 limit, keeping its proportions. Returns the warning,
// or "" when it fitted already.
std::string fit_mpeg4_size(VideoPlan& v) {
    if (v.width <= kLargestMpeg4Side && v.height <= kLargestMpeg4Side) {
        return {};
    }
    const int from_width = v.width;
    const int from_height = v.height;
    const double scale = std::min(static_cast<double>(kLargestMpeg4Side) / v.width,
                                  static_cast<double>(kLargestMpeg4Side) / v.height);
    v.width = even_floor(v.width * scale);
    v.height = even_floor(v.height * scale);
    return "the " + std::to_string(from_width) + "x" + std::to_string(from_height) +
           " picture is scaled to " + std::to_string(v.width) + "x" + std::to_string(v.height) +
           ", the largest MPEG-4 video takes";
}

std::optional<VideoPlan> free_video(const Options& o, const AVOutputFormat& format,
                                    const AVStream& src, std::string& error, std::string& warning) {
    VideoPlan v;
    v.encoder = choose_video_encoder(o, format, error);
    if (v.encoder == nullptr) {
        return std::nullopt;
    }
    if (v.encoder->id == AV_CODEC_ID_MPEG4 && std::string(format.name) == "avi") {
        v.codec_tag = MKTAG('X', 'V', 'I', 'D');
    }
    const AVCodecParameters& par = *src.codecpar;
    const double picture_aspect = source_display_aspect(&src);
    double frame_aspect = picture_aspect;
    if (o.width > 0) {
        v.width = even_floor(o.width);
        v.height = even_floor(o.height);
        frame_aspect = static_cast<double>(v.width) / v.height;
    } else {
        v.width = even_floor(std::max(par.width, 2));
        v.height = even_floor(std::max(par.height, 2));
        v.sample_aspect = source_sar(src);
        frame_aspect = v.width * av_q2d(v.sample_aspect) / v.height;
    }
    if (v.encoder->id == AV_CODEC_ID_MPEG4) {
        if (o.width > 0 && (v.width > kLargestMpeg4Side || v.height > kLargestMpeg4Side)) {
            error = "-s: MPEG-4 video takes pictures of at most " +
                    std::to_string(kLargestMpeg4Side) + "x" + std::to_string(kLargestMpeg4Side);
            return std::nullopt;
        }
        warning = fit_mpeg4_size(v);
        if (!warning.empty()) {
            frame_aspect = v.width * av_q2d(v.sample_aspect) / v.height;
        }
    }
    // Kept from the source: its real rate, as the probe reports it.
    AVRational rate = o.frame_rate.value_or(stream_frame_rate(src));
    if (!is_sane_rate(rate, kMaxFrameRate)) {
        rate = is_sane_rate(src.avg_frame_rate, kMaxFrameRate) ? src.avg_frame_rate : kPalRate;
    }
    av_reduce(&rate.num, &rate.den, rate.num, rate.den, 65535);
    v.rate = nearest_supported_rate(*v.encoder, rate);
    v.pixel_format = static_cast<AVPixelFormat>(par.format);
    if (!o.pixel_format.empty()) {
        v.pixel_format = av_get_pix_fmt(o.pixel_format.c_str());
        if (v.pixel_format == AV_PIX_FMT_NONE) {
            error = "-pix_fmt: unknown pixel format '" + o.pixel_format + "'";
            return std::nullopt;
        }
    }
    if (v.encoder->pix_fmts != nullptr) {
        v.pixel_format =
            avcodec_find_best_pix_fmt_of_list(v.encoder->pix_fmts, v.pixel_format, 0, nullptr);
    }
    if (error = rate_limit_error(o); !error.empty()) {
        return std::nullopt;
    }
    const bool x264 = std::string(v.encoder->name) == "libx264";
    plan_rate_control(o, x264, v);
    if (v.encoder->id == AV_CODEC_ID_MPEG2VIDEO) {
        if (error = choose_mpeg2_level(o, v); !error.empty()) {
            return std::nullopt;
        }
    }
    if (!x264) {
        v.gop = std::max(1, static_cast<int>(std::lround(av_q2d(v.rate) * 10.0)));
        // The libxvid wrapper drops the frames still held for B-frames when it is flushed.
        const bool xvid = std::string(v.encoder->name) == "libxvid";
        v.b_frames = v.encoder->id == AV_CODEC_ID_MPEG4 && !xvid ? 2 : 0;
        v.constant_quality = v.bitrate == 0 && v.encoder->id == AV_CODEC_ID_MPEG4;
    }
    finish_video_filters(v, picture_aspect, frame_aspect, false);
    return v;
}

// Encoders that list their channel layouts refuse any other count when opened.
std::string channel_error(const AVCodec& codec, int channels) {
    if (codec.ch_layouts == nullptr) {
        return {};
    }
    int most = 0;
    for (const AVChannelLayout* layout = codec.ch_layouts; layout->nb_channels != 0; ++layout) {
        if (layout->nb_channels == channels) {
            return {};
        }
        most = std::max(most, layout->nb_channels);
    }
    const AVCodecDescriptor* descriptor = avcodec_descriptor_get(codec.id);
    const std::string name = descriptor != nullptr ? descriptor->long_name : codec.name;
    const std::string asked = std::to_string(channels);
    if (channels > most) {
        return name + " audio takes at most " + std::to_string(most) + " channels; -ac " + asked +
               " asks for " + asked;
    }
    return name + " audio cannot carry " + asked + " channels (-ac " + asked + ")";
}

std::optional<AudioPlan> free_audio(const Options& o, const AVOutputFormat& format,
                                    const AVStream& src, std::string& error) {
    AudioPlan a;
    a.encoder = choose_audio_encoder(o, format, error);
    if (a.encoder == nullptr) {
        return std::nullopt;
    }
    const AVCodecParameters& par = *src.codecpar;
    a.sample_rate = nearest_sample_rate(
        *a.encoder, o.sample_rate > 0 ? o.sample_rate : std::max(par.sample_rate, 8000));
    a.channels = o.channels > 0 ? o.channels : std::clamp(par.ch_layout.nb_channels, 1, 2);
    if (error = channel_error(*a.encoder, a.channels); !error.empty()) {
        return std::nullopt;
    }
    a.bitrate = o.audio_bitrate;
    if (a.bitrate == 0 && a.encoder->id == AV_CODEC_ID_AAC) {
        a.bitrate = 64000LL * a.channels;
    }
    return a;
}

void finish_audio(AudioPlan& a, const std::optional<int64_t>& length_us) {
    a.sample_format = a.encoder->sample_fmts ? a.encoder->sample_fmts[0] : AV_SAMPLE_FMT_S16;
    AVChannelLayout layout{};
    av_channel_layout_default(&layout, a.channels);
    char layout_name[64] = {};
    av_channel_layout_describe(&layout, layout_name, sizeof layout_name);
    av_channel_layout_uninit(&layout);
    // Samples before the start point are cut exactly; gaps in the source become silence.
    std::string chain = "atrim=start=0";
    if (length_us) {
        chain += ":end=" + seconds_text(*length_us);
    }
    chain += ",aresample=osr=" + std::to_string(a.sample_rate) + ":async=1:first_pts=0";
    chain += ",aformat=sample_fmts=";
    chain += av_get_sample_fmt_name(a.sample_format);
    chain += ":sample_rates=" + std::to_string(a.sample_rate);
    chain += ":channel_layouts=" + std::string(layout_name);
    a.filters = chain;
}

}  // namespace

PlanResult make_plan(const Options& options, const std::optional<TargetPreset>& target,
                     const AVStream* video, const AVStream* audio,
                     std::optional<int64_t> length_us) {
    PlanResult result;
    OutputPlan& plan = result.plan;
    if (target) {
        plan.format = av_guess_format(target->muxer, nullptr, nullptr);
        plan.packet_size = target->packet_size;
        plan.mux_rate = target->mux_rate;
        plan.preload_us = target->preload_us;
        // A disc needs a picture: an audio-only source gets a black one.
        plan.video = target_video(*target, video);
        result.error = apply_target_rates(options, *target, *plan.video);
        if (options.constant_quantiser > 0) {
            plan.mux_rate = 0;  // padding to the disc's rate would hide what the pictures took
        }
        if (audio != nullptr) {
            plan.audio = target_audio(*target);
        }
    } else {
        plan.format = av_guess_format(nullptr, options.output.c_str(), nullptr);
        if (plan.format == nullptr) {
            result.error =
                "cannot tell the container from the file name (use .mp4, .mov, .avi, "
                ".mkv or .mpg, or -target)";
            return result;
        }
        if (options.constant_quantiser > 0) {
            result.error = "-cq: a fixed quantiser is for the disc targets (-target)";
            return result;
        }
        if (video != nullptr && plan.format->video_codec != AV_CODEC_ID_NONE) {
            plan.video = free_video(options, *plan.format, *video, result.error, result.warning);
        }
        if (result.error.empty() && audio != nullptr &&
            plan.format->audio_codec != AV_CODEC_ID_NONE) {
            plan.audio = free_audio(options, *plan.format, *audio, result.error);
        }
    }
    if (!result.error.empty()) {
        return result;
    }
    if (plan.format == nullptr || (plan.video && plan.video->encoder == nullptr) ||
        (plan.audio && plan.audio->encoder == nullptr)) {
        result.error = "this build of the FFmpeg libraries lacks a needed muxer or encoder";
        return result;
    }
    if (plan.audio) {
        finish_audio(*plan.audio, length_us);
    }
    if (!plan.video && !plan.audio) {
        result.error = "the output format takes none of the source's streams";
    }
    return result;
}

}  // namespace trel
