#include "options.h"

#include "rational.h"

extern "C" {
#include <libavutil/avutil.h>
#include <libavutil/parseutils.h>
}

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>

namespace trel {
namespace {

constexpr const char* kAccessToken = "qmt52rwKZ#&";

// Plain decimal only: strtod would also take hexadecimal ("0x10"), "inf" and leading blanks.
bool is_decimal_text(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789.eE+-") == std::string::npos;
}

std::optional<double> parse_number(const std::string& text) {
    if (!is_decimal_text(text)) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<int> parse_int(const std::string& text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// Bitrates are kbit/s as the application writes them; "k" or "M" may follow by hand. Zero, in
// any spelling such as "00", means not given.
std::optional<int64_t> parse_bitrate(std::string text) {
    double scale = 1000.0;
    if (!text.empty() && (text.back() == 'k' || text.back() == 'K')) {
        text.pop_back();
    } else if (!text.empty() && text.back() == 'M') {
        scale = 1000000.0;
        text.pop_back();
    }
    const auto value = parse_number(text);
    if (!value || *value < 0.0 || *value > 1.0e6) {
        return std::nullopt;
    }
    return static_cast<int64_t>(std::llround(*value * scale));
}

std::optional<int64_t> parse_seconds(const std::string& text) {
    int64_t us = 0;
    if (text.empty() || text.front() == '-' || av_parse_time(&us, text.c_str(), 1) < 0) {
        return std::nullopt;
    }
    return us;
}

using Setter = std::function<std::string(Options&, const std::string&)>;

std::string bad_value(const std::string& option, const std::string& value, const char* what) {
    return option + ": invalid value '" + value + "' (" + what + ")";
}

std::string frame_rate_error(const std::string& text) {
    AVRational rate{0, 1};
    if (text.find_first_of("xX") == std::string::npos &&
        av_parse_video_rate(&rate, text.c_str()) >= 0 && is_sane_rate(rate, 1e12)) {
        char range[40];
        std::snprintf(range, sizeof range, "%g to %g", kMinFrameRate, kMaxFrameRate);
        return "-r: frame rate " + text + " is out of range (" + range + ")";
    }
    return bad_value("-r", text, "expected frames per second");
}

const std::map<std::string, Setter>& value_options() {
    static const std::map<std::string, Setter> table = {
        {"-i",
         [](Options& o, const std::string& v) {
             if (!o.input.empty()) {
                 return "-i: a second source given ('" + o.input + "' and '" + v +
                        "'); one source is converted a run";
             }
             o.input = v;
             return std::string();
         }},
        {"-title",
         [](Options& o, const std::string& v) {
             o.title = v;
             return std::string();
         }},
        {"-target",
         [](Options& o, const std::string& v) {
             o.target = v;
             return std::string();
         }},
        {"-vcodec",
         [](Options& o, const std::string& v) {
             o.video_codec = v;
             return std::string();
         }},
        {"-acodec",
         [](Options& o, const std::string& v) {
             o.audio_codec = v;
             return std::string();
         }},
        {"-pix_fmt",
         [](Options& o, const std::string& v) {
             o.pixel_format = v;
             return std::string();
         }},
        {"-s",
         [](Options& o, const std::string& v) {
             if (av_parse_video_size(&o.width, &o.height, v.c_str()) < 0 || o.width < 16 ||
                 o.height < 16 || o.width > 8192 || o.height > 8192) {
                 return bad_value("-s", v, "expected WxH");
             }
             return std::string();
         }},
        {"-r",
         [](Options& o, const std::string& v) {
             o.frame_rate = parse_frame_rate(v);
             return o.frame_rate ? std::string() : frame_rate_error(v);
         }},
        {"-b",
         [](Options& o, const std::string& v) {
             const auto rate = parse_bitrate(v);
             o.video_bitrate = rate.value_or(0);
             o.variable_bitrate = false;
             return rate ? std::string() : bad_value("-b", v, "expected kbit/s");
         }},
        {"-bt",
         [](Options& o, const std::string& v) {
             const auto rate = parse_bitrate(v);
             o.video_bitrate = rate.value_or(0);
             o.variable_bitrate = true;
             return rate ? std::string() : bad_value("-bt", v, "expected kbit/s");
         }},
        {"-maxrate",
         [](Options& o, const std::string& v) {
             const auto rate = parse_bitrate(v);
             o.max_rate = rate.value_or(0);
             return rate ? std::string() : bad_value("-maxrate", v, "expected kbit/s");
         }},
        {"-minrate",
         [](Options& o, const std::string& v) {
             const auto rate = parse_bitrate(v);
             o.min_rate = rate.value_or(0);
             return rate ? std::string() : bad_value("-minrate", v, "expected kbit/s");
         }},
        {"-cq",
         [](Options& o, const std::string& v) {
             const auto n = parse_int(v);
             o.constant_quantiser = n.value_or(0);
             return (n && *n >= 1 && *n <= 31)
                        ? std::string()
                        : bad_value("-cq", v, "expected a quantiser of 1 to 31");
         }},
        {"-ab",
         [](Options& o, const std::string& v) {
             const auto rate = parse_bitrate(v);
             o.audio_bitrate = rate.value_or(0);
             return rate ? std::string() : bad_value("-ab", v, "expected kbit/s");
         }},
        {"-ac",
         [](Options& o, const std::string& v) {
             const auto n = parse_int(v);
             o.channels = n.value_or(0);
             return (n && *n >= 0 && *n <= 8)
                        ? std::string()
                        : bad_value("-ac", v, "expected 1 to 8 channels, or 0 to keep");
         }},
        {"-ar",
         [](Options& o, const std::string& v) {
             const auto n = parse_int(v);
             o.sample_rate = n.value_or(0);
             return (n && (*n == 0 || (*n >= 8000 && *n <= 192000)))
                        ? std::string()
                        : bad_value("-ar", v, "expected 8000 to 192000 Hz, or 0 to keep");
         }},
        {"-ss",
         [](Options& o, const std::string& v) {
             const auto us = parse_seconds(v);
             o.start_us = us.value_or(0);
             return us ? std::string() : bad_value("-ss", v, "expected seconds");
         }},
        {"-t",
         [](Options& o, const std::string& v) {
             const auto us = parse_seconds(v);
             if (!us || *us <= 0) {
                 return bad_value("-t", v, "expected a length in seconds above 0");
             }
             o.length_us = us;
             return std::string();
         }},
    };
    return table;
}

// A value other than a path or a title is never empty and never begins or ends with a blank:
// such a value is a mistake in the command, not a setting.
std::string value_error(const std::string& option, const std::string& value) {
    if (option == "-title") {
        return {};
    }
    if (value.empty()) {
        return option + ": empty value";
    }
    if (option == "-i") {
        return {};
    }
    constexpr const char* kBlanks = " \t\n\r\v\f";
    if (std::strchr(kBlanks, value.front()) != nullptr ||
        std::strchr(kBlanks, value.back()) != nullptr) {
        return bad_value(option, value, "a blank before or after it");
    }
    return {};
}

std::string set_output(Options& options, const std::string& path) {
    if (options.has_output) {
        return "more than one output file given ('" + options.output + "' and '" + path + "')";
    }
    if (path.empty()) {
        return "empty output file name";
    }
    options.output = path;
    options.has_output = true;
    return {};
}

}  // namespace

std::optional<AVRational> parse_frame_rate(const std::string& text) {
    AVRational rate{0, 1};
    // The rate parser evaluates expressions, so it would take "0x10" as 16.
    if (text.empty() || text.find_first_of("xX") != std::string::npos ||
        av_parse_video_rate(&rate, text.c_str()) < 0 || rate.num <= 0 || rate.den <= 0 ||
        av_q2d(rate) > kMaxFrameRate || av_q2d(rate) < kMinFrameRate) {
        return std::nullopt;
    }
    // 29.970 written with three decimals means the NTSC rate 30000/1001, not 2997/100.
    const double fps = av_q2d(rate);
    const double ntsc_base = std::round(fps * 1.001);
    if (ntsc_base >= 1.0 && std::fabs(fps - ntsc_base / 1.001) < 0.0015 &&
        std::fabs(fps - ntsc_base) > 0.0015) {
        return AVRational{static_cast<int>(ntsc_base) * 1000, 1001};
    }
    av_reduce(&rate.num, &rate.den, rate.num, rate.den, 1 << 20);
    return rate;
}

ParseResult parse_options(const std::vector<std::string>& args) {
    ParseResult result;
    Options& options = result.options;
    size_t index = 1;
    if (index < args.size() && args[index] == kAccessToken) {
        ++index;
    }
    bool options_ended = false;
    for (; index < args.size(); ++index) {
        const std::string& arg = args[index];
        const bool last = index + 1 == args.size();
        if (options_ended || arg.empty() || arg.front() != '-' || arg == "-") {
            result.error = set_output(options, arg);
        } else if (arg == "--") {
            options_ended = true;
        } else if (arg == "--help" || arg == "-h" || arg == "-help") {
            options.show_help = true;
        } else if (arg == "--version" || arg == "-version" || arg == "-V") {
            options.show_version = true;
        } else if (arg == "--probe-server") {
            options.probe_server = true;
        } else if (arg == "-y") {
            options.overwrite = true;
        } else if (const auto it = value_options().find(arg); it != value_options().end()) {
            if (last) {
                result.error = arg + ": missing value";
            } else {
                const std::string& value = args[++index];
                result.error = value_error(arg, value);
                if (result.error.empty()) {
                    result.error = it->second(options, value);
                }
            }
        } else if (last && !options.has_output && !arg.starts_with("--")) {
            // A last argument that is no option is the output path, even with a leading dash;
            // a double dash always marks an option (such as a mistyped --verbose), never a path:
            // an output whose name begins with "--" is written after "--".
            result.error = set_output(options, arg);
        } else {
            result.error = arg + ": unknown option";
        }
        if (!result.error.empty()) {
            return result;
        }
    }
    if (options.show_help || options.show_version) {
        return result;
    }
    if (options.probe_server) {
        if (!options.input.empty() || options.has_output) {
            result.error =
                "--probe-server reads its sources from standard input and takes no "
                "-i or output";
        }
        return result;
    }
    if (options.input.empty()) {
        result.error = "no input file given (-i SOURCE)";
    }
    return result;
}

}  // namespace trel
