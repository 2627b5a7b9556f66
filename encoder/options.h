// The command line of trelcore, parsed into plain values. Option values are taken verbatim from
// the argument after their option and never reinterpreted as options themselves.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

extern "C" {
#include <libavutil/rational.h>
}

namespace trel {

// Numbers left at 0 (also when given as "0" or "00") mean "not given: keep the source's value".
struct Options {
    bool show_help = false;
    bool show_version = false;
    bool probe_server = false;  // --probe-server: many probes, paths read from standard input
    std::string input;          // -i
    std::optional<std::string> title;
    std::string target;        // -target, e.g. "pal-dvd"; empty when not given
    std::string video_codec;   // -vcodec as written
    std::string audio_codec;   // -acodec as written
    std::string pixel_format;  // -pix_fmt
    int width = 0;             // -s, pixels; 0 when not given
    int height = 0;
    std::optional<AVRational> frame_rate;  // -r, frames per second
    int64_t video_bitrate = 0;             // -b or -bt, bit/s
    bool variable_bitrate = false;         // given with -bt
    int64_t max_rate = 0;                  // -maxrate, bit/s
    int64_t min_rate = 0;                  // -minrate, bit/s
    int constant_quantiser = 0;            // -cq, 1 to 31; 0 when not given
    int channels = 0;                      // -ac
    int64_t audio_bitrate = 0;             // -ab, bit/s
    int sample_rate = 0;                   // -ar, Hz
    int64_t start_us = 0;                  // -ss, microseconds
    std::optional<int64_t> length_us;      // -t, microseconds
    bool overwrite = false;                // -y
    std::string output;                    // the one positional argument
    bool has_output = false;

    bool probe_only() const { return !has_output; }
};

struct ParseResult {
    Options options;
    std::string error;  // empty on success; otherwise one line naming the argument
};

// Parses argv (argv[0] is the program name). An access token standing first is accepted silently.
ParseResult parse_options(const std::vector<std::string>& args);

// Frame rate text: 14.985, 23.976, 29.97 and 59.94 style values mean the exact N*1000/1001 rates.
std::optional<AVRational> parse_frame_rate(const std::string& text);

}  // namespace trel
