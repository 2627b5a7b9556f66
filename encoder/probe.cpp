#include "probe.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/pixdesc.h>
}

#include <algorithm>
#include <chrono>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <vector>

#include "av_handles.h"
#include "stop_signal.h"

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

// Less than this many bits for each second a file claims to last: the claim is not believed.
constexpr int64_t kLeastBitsPerSecond = 4000;
// How long reading through a doubtful source may take; past it the stated length stands.
constexpr auto kScanBudget = std::chrono::seconds(3);

bool is_media(const AVStream& st) {
    const AVMediaType type = st.codecpar->codec_type;
    return type == AVMEDIA_TYPE_VIDEO || type == AVMEDIA_TYPE_AUDIO;
}

// The latest end the streams state for themselves, AV_TIME_BASE units; 0 when none does.
int64_t stated_stream_end(const AVFormatContext& input) {
    int64_t end = 0;
    for (unsigned i = 0; i < input.nb_streams; ++i) {
        const AVStream& st = *input.streams[i];
        if (is_media(st) && st.duration != AV_NOPTS_VALUE && st.duration > 0) {
            const int64_t start = st.start_time == AV_NOPTS_VALUE ? 0 : st.start_time;
            end = std::max(end, av_rescale_q(start + st.duration, st.time_base, AV_TIME_BASE_Q));
        }
    }
    return end;
}

struct PacketScan {
    bool complete = false;  // read to the end (or to a damaged tail)
    bool any = false;       // a video or audio packet with a time was seen
    int64_t end = 0;        // the latest packet end, AV_TIME_BASE units
};

// A leap forward in a stream's timestamps longer than this is damage that a conversion leaves
// out; the measured length leaves it out too. Microseconds.
constexpr int64_t kLongestLeap = 300 * int64_t{AV_TIME_BASE};

// Where one stream has got to while its packets are read, AV_TIME_BASE units.
struct StreamReach {
    bool started = false;
    int64_t end = 0;    // the latest packet end, after leaps were left out
    int64_t shift = 0;  // leaps left out so far
};

PacketScan scan_packets(AVFormatContext& input) {
    PacketScan scan;
    PacketPtr packet = make_packet();
    std::vector<StreamReach> reach(input.nb_streams);
    const auto deadline = std::chrono::steady_clock::now() + kScanBudget;
    for (int64_t count = 0;; ++count) {
        if (stop_signal() != 0 ||
            (count % 64 == 0 && std::chrono::steady_clock::now() > deadline)) {
            return scan;
        }
        if (av_read_frame(&input, packet.get()) < 0) {
            scan.complete = true;  // the end, or a damaged tail: the streams end there
            return scan;
        }
        // Some containers add streams while they are read.
        if (static_cast<size_t>(packet->stream_index) >= reach.size()) {
            reach.resize(input.nb_streams);
        }
        const AVStream& st = *input.streams[packet->stream_index];
        const int64_t at = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
        if (is_media(st) && at != AV_NOPTS_VALUE) {
            StreamReach& r = reach[static_cast<size_t>(packet->stream_index)];
            int64_t begin = av_rescale_q(at, st.time_base, AV_TIME_BASE_Q) - r.shift;
            if (r.started && begin - r.end > kLongestLeap) {
                r.shift += begin - r.end;
                begin = r.end;
            }
            const int64_t length =
                av_rescale_q(std::max<int64_t>(packet->duration, 0), st.time_base, AV_TIME_BASE_Q);
            r.end = std::max(r.end, begin + length);
            r.started = true;
            scan.end = std::max(scan.end, r.end);
            scan.any = true;
        }
        av_packet_unref(packet.get());
    }
}

}  // namespace

// One header field is not taken on trust when the file is far too small for it, the streams
// state a much shorter length, or it says nothing at all.
bool duration_doubtful(const AVFormatContext& input) {
    if (input.duration == AV_NOPTS_VALUE || input.duration <= 0) {
        return true;
    }
    const int64_t size = input.pb != nullptr ? avio_size(input.pb) : -1;
    if (size > 0 &&
        av_rescale(size, 8 * int64_t{AV_TIME_BASE}, input.duration) < kLeastBitsPerSecond) {
        return true;
    }
    const int64_t streams_end = stated_stream_end(input);
    return streams_end > 0 && input.duration > 2 * streams_end + AV_TIME_BASE;
}

std::string settle_duration(AVFormatContext& input) {
    if (!duration_doubtful(input)) {
        return {};
    }
    const PacketScan scan = scan_packets(input);
    if (!scan.complete) {
        return {};
    }
    if (!scan.any) {
        return "holds no video or audio data";
    }
    const int64_t start = input.start_time == AV_NOPTS_VALUE ? 0 : input.start_time;
    input.duration = std::max<int64_t>(scan.end - start, 0);
    if (input.duration == 0) {
        return "lasts no time (a single picture or sound without a length)";
    }
    const int64_t size = input.pb != nullptr ? avio_size(input.pb) : -1;
    input.bit_rate = size > 0 && input.duration > 0
                         ? av_rescale(size, 8 * int64_t{AV_TIME_BASE}, input.duration)
                         : 0;
    return {};
}

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
