#include "targets.h"

#include "rational.h"

namespace trel {
namespace {

std::optional<Standard> parse_standard(const std::string& word) {
    if (word == "ntsc") {
        return Standard::kNtsc;
    }
    if (word == "pal") {
        return Standard::kPal;
    }
    if (word == "film") {
        return Standard::kFilm;
    }
    return std::nullopt;
}

std::optional<Disc> parse_disc(const std::string& word) {
    if (word == "dvd") {
        return Disc::kDvd;
    }
    if (word == "vcd") {
        return Disc::kVcd;
    }
    if (word == "svcd") {
        return Disc::kSvcd;
    }
    if (word == "dv") {
        return Disc::kDv;
    }
    return std::nullopt;
}

// DVD-Video: MPEG-2 MP@ML in a program stream with navigation packs, AC-3 audio.
void apply_dvd(TargetPreset& p) {
    p.muxer = "dvd";
    p.packet_size = 2048;
    p.mux_rate = 10080000;
    p.video_codec = AV_CODEC_ID_MPEG2VIDEO;
    p.width = 720;
    p.height = p.standard == Standard::kPal ? 576 : 480;
    p.video_bitrate = 6000000;
    p.max_rate = 9000000;
    p.vbv_bits = 1835008;
    p.b_frames = 2;
    p.fine_quantiser = true;
    p.wide_flagging = true;
    p.audio_codec = AV_CODEC_ID_AC3;
    p.sample_rate = 48000;
    p.audio_bitrate = 448000;
}

// Video CD: MPEG-1 at a constant 1150 kbit/s, MP2 audio, 2324-byte Mode 2 Form 2 sectors.
void apply_vcd(TargetPreset& p) {
    p.muxer = "vcd";
    p.packet_size = 2324;
    p.mux_rate = 1411200;
    p.preload_us = 440000;
    p.video_codec = AV_CODEC_ID_MPEG1VIDEO;
    p.width = 352;
    p.height = p.standard == Standard::kPal ? 288 : 240;
    p.video_bitrate = 1150000;
    p.max_rate = 1150000;
    p.min_rate = 1150000;
    p.vbv_bits = 327680;
    p.b_frames = 2;
    p.audio_codec = AV_CODEC_ID_MP2;
    p.sample_rate = 44100;
    p.audio_bitrate = 224000;
}

// Super Video CD: MPEG-2 with scan offsets, mux rate within a double-speed CD (150 sectors/s).
void apply_svcd(TargetPreset& p) {
    p.muxer = "svcd";
    p.packet_size = 2324;
    p.mux_rate = 2788800;
    p.video_codec = AV_CODEC_ID_MPEG2VIDEO;
    p.width = 480;
    p.height = p.standard == Standard::kPal ? 576 : 480;
    p.video_bitrate = 2040000;
    p.max_rate = 2516000;
    p.vbv_bits = 1835008;
    p.b_frames = 2;
    p.scan_offset = true;
    p.audio_codec = AV_CODEC_ID_MP2;
    p.sample_rate = 44100;
    p.audio_bitrate = 224000;
}

// DV 25 Mbit/s as raw DIF: 4:1:1 for 525 lines, 4:2:0 for 625 lines, locked 48 kHz PCM.
void apply_dv(TargetPreset& p) {
    p.muxer = "dv";
    p.video_codec = AV_CODEC_ID_DVVIDEO;
    p.pixel_format = p.standard == Standard::kPal ? AV_PIX_FMT_YUV420P : AV_PIX_FMT_YUV411P;
    p.width = 720;
    p.height = p.standard == Standard::kPal ? 576 : 480;
    p.bottom_field_first = true;
    p.wide_flagging = true;
    p.audio_codec = AV_CODEC_ID_PCM_S16LE;
    p.sample_rate = 48000;
}

}  // namespace

std::optional<TargetPreset> find_target(const std::string& name) {
    const auto dash = name.find('-');
    if (dash == std::string::npos) {
        return std::nullopt;
    }
    const auto standard = parse_standard(name.substr(0, dash));
    const auto disc = parse_disc(name.substr(dash + 1));
    if (!standard || !disc) {
        return std::nullopt;
    }
    TargetPreset p;
    p.disc = *disc;
    p.standard = *standard;
    switch (*disc) {
        case Disc::kDvd:
            apply_dvd(p);
            break;
        case Disc::kVcd:
            apply_vcd(p);
            break;
        case Disc::kSvcd:
            apply_svcd(p);
            break;
        case Disc::kDv:
            apply_dv(p);
            break;
    }
    const bool pal = *standard == Standard::kPal;
    p.gop = *disc == Disc::kDv ? 0 : (pal ? 15 : 18);
    // Players of DVD, SVCD and DV expect 29.97 fps from 525-line discs, so film is pulled down
    // to it; VCD 2.0 carries 23.976 fps MPEG-1 directly.
    p.film_telecine = *standard == Standard::kFilm && *disc != Disc::kVcd;
    if (pal) {
        p.coded_rate = kPalRate;
    } else if (*standard == Standard::kFilm && *disc == Disc::kVcd) {
        p.coded_rate = kFilmRate;
    } else {
        p.coded_rate = kNtscRate;
    }
    return p;
}

}  // namespace trel
