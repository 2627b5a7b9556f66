// The disc and DV targets: fixed formats from DVD-Video, the VCD White Book, SVCD and IEC 61834.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

extern "C" {
#include <libavcodec/codec_id.h>
#include <libavutil/pixfmt.h>
#include <libavutil/rational.h>
#include <libavutil/samplefmt.h>
}

namespace trel {

enum class Disc { kDvd, kVcd, kSvcd, kDv };
enum class Standard { kNtsc, kPal, kFilm };

struct TargetPreset {
    Disc disc = Disc::kDvd;
    Standard standard = Standard::kNtsc;
    const char* muxer = "";   // libavformat short name
    int packet_size = 0;      // bytes; 0 leaves the muxer's default
    int64_t mux_rate = 0;     // bit/s; 0 leaves the muxer's default
    int64_t preload_us = -1;  // < 0 leaves the muxer's default

    AVCodecID video_codec = AV_CODEC_ID_NONE;
    AVPixelFormat pixel_format = AV_PIX_FMT_YUV420P;
    int width = 0;  // pixels
    int height = 0;
    AVRational coded_rate{0, 1};  // frames per second in the stream
    bool film_telecine = false;   // 23.976 fps film carried as 2:3 pulled-down 29.97 fps video
    bool bottom_field_first = false;
    int64_t video_bitrate = 0;  // bit/s
    int64_t max_rate = 0;       // bit/s
    int64_t min_rate = 0;       // bit/s
    int vbv_bits = 0;           // video buffering verifier size, bits
    int gop = 0;                // frames; 0 for intra-only
    int b_frames = 0;
    bool scan_offset = false;     // SVCD scan-offset user data
    bool fine_quantiser = false;  // MPEG-2 non-linear quantiser scale, for the DVD's high rate
    bool wide_flagging = false;   // wide sources flagged 16:9 rather than letterboxed

    AVCodecID audio_codec = AV_CODEC_ID_NONE;
    int sample_rate = 0;        // Hz
    int64_t audio_bitrate = 0;  // bit/s; 0 for PCM
};

// Looks up "ntsc-dvd", "pal-svcd", "film-dv" and so on.
std::optional<TargetPreset> find_target(const std::string& name);

}  // namespace trel
