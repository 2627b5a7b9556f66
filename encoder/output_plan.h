// What the output will be: container, codecs, picture geometry, rates and the filter chains that
// turn the source's frames into it. Decided once from the options, the target and the source.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}

#include "options.h"
#include "targets.h"

namespace trel {

struct VideoPlan {
    const AVCodec* encoder = nullptr;
    uint32_t codec_tag = 0;  // 0 lets the muxer choose
    int width = 0;           // coded frame, pixels
    int height = 0;
    AVRational sample_aspect{1, 1};
    AVRational rate{25, 1};  // frames per second of the coded stream
    AVPixelFormat pixel_format = AV_PIX_FMT_YUV420P;
    bool interlaced = false;  // fields coded separately (telecined film)
    bool top_field_first = true;
    int64_t bitrate = 0;  // bit/s; 0 leaves the encoder's own rate control
    int64_t max_rate = 0;
    int64_t min_rate = 0;
    int vbv_bits = 0;
    int gop = -1;  // -1 leaves the encoder's default
    int b_frames = -1;
    bool scan_offset = false;
    bool fine_quantiser = false;  // MPEG-2 non-linear quantiser scale (finer steps at low scales)
    int level = -1;  // MPEG-2 level_id (8 Main, 6 High-1440, 4 High); -1 leaves the encoder's
    bool constant_quality = false;  // fixed quantiser when no bit rate was asked for
    int quantiser = 4;              // the fixed quantiser's value
    bool from_source = true;        // false: a black picture is generated (audio-only source)
    std::string filters;            // chain from the decoded source frames to the encoder
};

struct AudioPlan {
    const AVCodec* encoder = nullptr;
    int sample_rate = 0;  // Hz
    int channels = 0;
    AVSampleFormat sample_format = AV_SAMPLE_FMT_NONE;
    int64_t bitrate = 0;  // bit/s; 0 for PCM
    std::string filters;
};

struct OutputPlan {
    const AVOutputFormat* format = nullptr;
    int packet_size = 0;
    int64_t mux_rate = 0;
    int64_t preload_us = -1;
    std::optional<VideoPlan> video;
    std::optional<AudioPlan> audio;
};

struct PlanResult {
    OutputPlan plan;
    std::string error;    // one line; empty on success
    std::string warning;  // one line the run should print (a picture scaled to fit), or empty
};

// video/audio: the chosen source streams, or null when the source has none of that kind.
// length_us: the part of the source to convert (after -ss), or nullopt up to the end.
PlanResult make_plan(const Options& options, const std::optional<TargetPreset>& target,
                     const AVStream* video, const AVStream* audio,
                     std::optional<int64_t> length_us);

}  // namespace trel
