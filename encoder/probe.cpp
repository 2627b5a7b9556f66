#include "probe.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/pixdesc.h>
}

#include <cinttypes>
#include <cmath>
#include <cstdio>

namespace trel {
namespace {

constexpr int kMaxStreamLines = 8;

// The stream number is written "0.N" because the application splits the line at colons.
std::string video_line(const AVStream& st) {
    const AVCodecParameters& par = *st.codecpar;
    const char* pix = av_get_pix_fmt_name(static_cast<AVPixelFormat>(par.format));
    const AVRational rate = stream_frame_rate(st);
    char line[160];
    std::snprintf(line, sizeof line, "    Stream #0.%d: Video: %.24s, %.16s, %dx%d, %.2f fps\n",
                  st.index, avcodec_get_name(par.codec_id), pix ? pix : "unknown", par.width,
                  par.height, rate.num > 0 && rate.den > 0 ? av_q2d(rate) : 0.0);
    return line;
}

std::string audio_line(const AVStream& st) {
    const AVCodecParameters& par = *st.codecpar;
    char layout[64] = "unknown";
    if (par.ch_layout.order != AV_CHANNEL_ORDER_UNSPEC) {
        av_channel_layout_describe(&par.ch_layout, layout, sizeof layout);
    } else if (par.ch_layout.nb_channels > 0) {
        AVChannelLayout guessed{};
        av_channel_layout_default(&guessed, par.ch_layout.nb_channels);
        av_channel_layout_describe(&guessed, layout, sizeof layout);
        av_channel_layout_uninit(&guessed);
    }
    char rate[32] = "N/A";
    if (par.bit_rate > 0) {
        std::snprintf(rate, sizeof rate, "%" PRId64, par.bit_rate / 1000);
    }
    char line[160];
    std::snprintf(line, sizeof line, "    Stream #0.%d: Audio: %.24s, %d Hz, %.32s, %s kb/s\n",
                  st.index, avcodec_get_name(par.codec_id), par.sample_rate, layout, rate);
    return line;
}

std::string duration_line(const AVFormatContext& input) {
    char duration[40] = "N/A";
    if (input.duration != AV_NOPTS_VALUE && input.duration >= 0) {
        const int64_t cs = (input.duration + 5000) / 10000;
        std::snprintf(duration, sizeof duration, "%02" PRId64 ":%02d:%02d.%02d", cs / 360000,
                      static_cast<int>(cs / 6000 % 60), static_cast<int>(cs / 100 % 60),
                      static_cast<int>(cs % 100));
    }
    const int64_t start = input.start_time == AV_NOPTS_VALUE ? 0 : input.start_time;
    char bitrate[32] = "N/A";
    if (input.bit_rate > 0) {
        std::snprintf(bitrate, sizeof bitrate, "%" PRId64 " kb/s", input.bit_rate / 1000);
    }
    char line[160];
    std::snprintf(line, sizeof line, "  Duration: %s, start: %s%" PRId64 ".%06d, bitrate: %s\n",
                  duration, start < 0 ? "-" : "", (start < 0 ? -start : start) / AV_TIME_BASE,
                  static_cast<int>((start < 0 ? -start : start) % AV_TIME_BASE), bitrate);
    return line;
}

}  // namespace

AVRational stream_frame_rate(const AVStream& st) {
    const AVRational real = st.r_frame_rate;
    const AVRational average = st.avg_frame_rate;
    const bool real_set = real.num > 0 && real.den > 0;
    const bool average_set = average.num > 0 && average.den > 0;
    // The average can be skewed by the last frame's length; the base rate is exact when close.
    if (real_set && (!average_set || std::fabs(av_q2d(average) / av_q2d(real) - 1.0) < 0.05)) {
        return real;
    }
    return average_set ? average : AVRational{0, 1};
}

std::string probe_report(const AVFormatContext& input) {
    std::string text = "Input #0, ";
    text += input.iformat->name;
    text += ":\n";
    text += duration_line(input);
    int lines = 0;
    for (unsigned i = 0; i < input.nb_streams && lines < kMaxStreamLines; ++i) {
        const AVStream& st = *input.streams[i];
        if (st.codecpar->codec_type == AVMEDIA_TYPE_VIDEO &&
            !(st.disposition & AV_DISPOSITION_ATTACHED_PIC)) {
            text += video_line(st);
            ++lines;
        } else if (st.codecpar->codec_type == AVMEDIA_TYPE_AUDIO) {
            text += audio_line(st);
            ++lines;
        }
    }
    return text;
}

}  // namespace trel
