#include "cli/cli_options.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <functional>
#include <map>
#include <string_view>

#include "engine/output_types.h"
#include "engine/run_fit.h"

namespace clipwright::cli {

namespace {

struct TypeWord {
    const char* word;
    int32_t type;
};
constexpr std::array<TypeWord, 8> kTypeWords{{
    {"dvd", kTypeDvd},
    {"vcd", kTypeVcd},
    {"svcd", kTypeSvcd},
    {"dv", kTypeDv},
    {"mpeg4", kTypeMpeg4},
    {"h264", kTypeH264},
    {"wmv", kTypeWmv},
    {"ogm", kTypeOgm},
}};

std::optional<int64_t> WholeNumber(std::string_view text) {
    int64_t value = 0;
    if (text.empty()) {
        return std::nullopt;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0) {
        return std::nullopt;
    }
    return value;
}

bool IsDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// "[[HH:]MM:]SS" in seconds; minutes and seconds below 60 once a larger field is given.
std::optional<int64_t> ParseTime(std::string_view text) {
    std::vector<int64_t> fields;
    size_t from = 0;
    while (true) {
        const size_t colon = text.find(':', from);
        const std::optional<int64_t> field = WholeNumber(text.substr(from, colon - from));
        if (!field) {
            return std::nullopt;
        }
        fields.push_back(*field);
        if (colon == std::string_view::npos) {
            break;
        }
        from = colon + 1;
    }
    if (fields.size() > 3) {
        return std::nullopt;
    }
    int64_t seconds = 0;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0 && fields[i] >= 60) {
            return std::nullopt;
        }
        if (fields[i] > (int64_t{1} << 31)) {
            return std::nullopt;
        }
        seconds = seconds * 60 + fields[i];
    }
    return seconds;
}

// The 1-based row of value in a preset table ("keep": row 0), as the form's combo box has it.
template <typename Table, typename Key>
std::optional<int32_t> RowOf(const Table& table, const std::string& value, Key key) {
    if (value == "keep") {
        return 0;
    }
    for (size_t i = 0; i < table.size(); ++i) {
        if (key(table[i]) == value) {
            return static_cast<int32_t>(i + 1);
        }
    }
    return std::nullopt;
}

template <typename Table, typename Key>
std::string Choices(const Table& table, Key key) {
    std::string text = "keep";
    for (const auto& entry : table) {
        text += ", " + key(entry);
    }
    return text;
}

std::string RateWord(double rate) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", rate);
    std::string word = text;
    while (word.back() == '0') {
        word.pop_back();
    }
    return word;
}

std::string IntWord(int32_t value) {
    return std::to_string(value);
}

class Parser {
public:
    explicit Parser(const std::vector<std::string>& args) : args_(args) {}

    ParseResult Run() {
        bool optionsEnded = false;
        for (index_ = 0; index_ < args_.size() && result_.error.empty(); ++index_) {
            const std::string& arg = args_[index_];
            if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
                result_.options.sources.push_back(SourceEntry{arg, std::nullopt, 0});
            } else if (arg == "--") {
                optionsEnded = true;
            } else {
                Option(arg);
            }
        }
        if (result_.error.empty()) {
            Finish();
        }
        result_.ok = result_.error.empty();
        return result_;
    }

private:
    void Fail(const std::string& text) {
        if (result_.error.empty()) {
            result_.error = text;
        }
    }

    // The option's value: after "=" in "--name=value", else the next argument.
    std::optional<std::string> Value(const std::string& name,
                                     const std::optional<std::string>& inlineValue) {
        if (inlineValue) {
            return inlineValue;
        }
        if (index_ + 1 >= args_.size()) {
            Fail(name + " needs a value");
            return std::nullopt;
        }
        return args_[++index_];
    }

    void Option(const std::string& arg) {
        std::string name = arg;
        std::optional<std::string> inlineValue;
        if (arg.starts_with("--")) {
            if (const size_t equals = arg.find('='); equals != std::string::npos) {
                name = arg.substr(0, equals);
                inlineValue = arg.substr(equals + 1);
            }
        } else if (arg.size() > 2) {
            name = arg.substr(0, 2);  // "-tdvd"
            inlineValue = arg.substr(2);
        }
        Options& o = result_.options;
        const auto flag = [&](bool& target) {
            if (inlineValue) {
                Fail(name + " takes no value");
            }
            target = true;
        };
        if (name == "-h" || name == "--help") {
            flag(o.help);
        } else if (name == "-V" || name == "--version") {
            flag(o.version);
        } else if (name == "--dry-run") {
            flag(o.dryRun);
        } else if (name == "--force") {
            flag(o.force);
        } else if (name == "--split-discs") {
            flag(o.splitDiscs);
        } else if (name == "--vbr") {
            flag(o.settings.variableBitRate);
            freeForm_.push_back(name);
        } else if (name == "--disc") {
            o.disc = true;
            if (inlineValue) {
                if (inlineValue->empty()) {
                    Fail("--disc= needs a folder after the \"=\"");
                }
                o.discFolder = *inlineValue;
            }
        } else if (auto handler = Handlers().find(name); handler != Handlers().end()) {
            if (const std::optional<std::string> value = Value(name, inlineValue)) {
                (this->*(handler->second))(name, *value);
            }
        } else {
            Fail("unknown option " + arg);
        }
    }

    using Handler = void (Parser::*)(const std::string& name, const std::string& value);
    static const std::map<std::string, Handler>& Handlers() {
        static const std::map<std::string, Handler> handlers{
            {"-t", &Parser::Type},
            {"--type", &Parser::Type},
            {"-s", &Parser::Standard},
            {"--standard", &Parser::Standard},
            {"-p", &Parser::PartOption},
            {"--part", &Parser::PartOption},
            {"-o", &Parser::Output},
            {"--output", &Parser::Output},
            {"-j", &Parser::Jobs},
            {"--jobs", &Parser::Jobs},
            {"--report", &Parser::Report},
            {"--shard", &Parser::Shard},
            {"--progress", &Parser::Progress},
            {"--list", &Parser::List},
            {"--size", &Parser::Size},
            {"--rate", &Parser::Rate},
            {"--video-bitrate", &Parser::VideoBitrate},
            {"--max-rate", &Parser::MaxRate},
            {"--min-rate", &Parser::MinRate},
            {"--audio-bitrate", &Parser::AudioBitrateOption},
            {"--channels", &Parser::Channels},
            {"--sample-rate", &Parser::SampleRate},
            {"--fit-disc", &Parser::FitDisc},
        };
        return handlers;
    }

    void FitDisc(const std::string& name, const std::string& value) {
        result_.options.fitDisc = FitDiscSizeOfName(value);
        if (!result_.options.fitDisc) {
            Fail(name + " " + value + ": not a disc (dvd5, dvd9, cd80)");
        }
    }

    void Type(const std::string& name, const std::string& value) {
        const int32_t type = TypeOfWord(value);
        if (type < 0) {
            Fail(name + " " + value + ": not a type (dvd, vcd, svcd, dv, mpeg4, h264, wmv, ogm)");
            return;
        }
        result_.options.settings.outputType = type;
    }

    void Standard(const std::string& name, const std::string& value) {
        static const std::map<std::string, int32_t> standards{
            {"ntsc", kNtsc}, {"pal", kPal}, {"film", kNtscFilm}};
        const auto found = standards.find(value);
        if (found == standards.end()) {
            Fail(name + " " + value + ": not a standard (ntsc, pal, film)");
            return;
        }
        result_.options.settings.tvStandard = found->second;
    }

    void PartOption(const std::string& name, const std::string& value) {
        result_.options.part = ParsePart(value);
        if (!result_.options.part) {
            Fail(name + " " + value + ": not a part (HH:MM:SS-HH:MM:SS, the end after the start)");
        }
    }

    void Output(const std::string& name, const std::string& value) {
        if (value.empty()) {
            Fail(name + " needs a folder");
            return;
        }
        result_.options.settings.outputFolder = value.back() == '/' ? value : value + "/";
    }

    void Jobs(const std::string& name, const std::string& value) {
        if (value == "auto") {
            result_.options.jobsAuto = true;
            return;
        }
        const std::optional<int64_t> jobs = WholeNumber(value);
        if (!jobs || *jobs < 1 || *jobs > 64) {
            Fail(name + " " + value + ": not a number of jobs (1 to 64, or auto)");
            return;
        }
        result_.options.jobsAuto = false;
        result_.options.jobs = static_cast<int>(*jobs);
    }

    void Report(const std::string& name, const std::string& value) {
        size_t from = 0;
        while (from <= value.size()) {
            const size_t comma = value.find(',', from);
            const std::string word = value.substr(from, comma - from);
            if (word == "csv") {
                result_.options.reportCsv = true;
            } else if (word == "json") {
                result_.options.reportJson = true;
            } else {
                Fail(name + " " + value + ": not a report format (csv, json or csv,json)");
                return;
            }
            if (comma == std::string::npos) {
                break;
            }
            from = comma + 1;
        }
    }

    void Shard(const std::string& name, const std::string& value) {
        const size_t slash = value.find('/');
        const std::optional<int64_t> index =
            slash == std::string::npos ? std::nullopt
                                       : WholeNumber(std::string_view(value).substr(0, slash));
        const std::optional<int64_t> count =
            slash == std::string::npos ? std::nullopt
                                       : WholeNumber(std::string_view(value).substr(slash + 1));
        if (!index || !count || *count < 1 || *count > 1000000 || *index < 1 || *index > *count) {
            Fail(name + " " + value + ": not a shard (K/N with 1 <= K <= N)");
            return;
        }
        result_.options.shardIndex = static_cast<int>(*index);
        result_.options.shardCount = static_cast<int>(*count);
    }

    void Progress(const std::string& name, const std::string& value) {
        static const std::map<std::string, ProgressMode> modes{{"auto", ProgressMode::kAuto},
                                                               {"bar", ProgressMode::kBar},
                                                               {"lines", ProgressMode::kLines},
                                                               {"json", ProgressMode::kJson}};
        const auto found = modes.find(value);
        if (found == modes.end()) {
            Fail(name + " " + value + ": not a progress form (auto, bar, lines, json)");
            return;
        }
        result_.options.progress = found->second;
    }

    void List(const std::string& name, const std::string& value) {
        if (value.empty()) {
            Fail(name + " needs a file");
            return;
        }
        result_.options.listFile = value;
    }

    void Size(const std::string& name, const std::string& value) {
        freeForm_.push_back(name);
        ConversionSettings& s = result_.options.settings;
        if (value == "keep") {
            s.widthText = "0";
            s.heightText = "0";
            return;
        }
        const size_t x = value.find('x');
        const std::string width = value.substr(0, x);
        const std::string height = x == std::string::npos ? std::string() : value.substr(x + 1);
        if (!IsDigits(width) || !IsDigits(height) || width.size() > 5 || height.size() > 5) {
            Fail(name + " " + value + ": not a frame size (WIDTHxHEIGHT or keep)");
            return;
        }
        s.widthText = width;
        s.heightText = height;
    }

    template <typename Table, typename Key>
    void Choose(const std::string& name, const std::string& value, const Table& table, Key key,
                int32_t& row) {
        freeForm_.push_back(name);
        const std::optional<int32_t> found = RowOf(table, value, key);
        if (!found) {
            Fail(name + " " + value + ": not one of " + Choices(table, key));
            return;
        }
        row = *found;
    }

    void Rate(const std::string& name, const std::string& value) {
        Choose(name, value, kFrameRates, RateWord, result_.options.settings.frameRateChoice);
    }
    void VideoBitrate(const std::string& name, const std::string& value) {
        Choose(name, value, kVideoBitrates, IntWord, result_.options.settings.videoBitrateChoice);
    }
    void AudioBitrateOption(const std::string& name, const std::string& value) {
        Choose(
            name, value, kAudioBitrates,
            [](const AudioBitrate& rate) { return std::to_string(rate.kbps); },
            result_.options.settings.audioBitrateChoice);
    }
    void Channels(const std::string& name, const std::string& value) {
        Choose(name, value, kAudioChannels, IntWord, result_.options.settings.channelsChoice);
    }
    void SampleRate(const std::string& name, const std::string& value) {
        Choose(name, value, kSampleRates, IntWord, result_.options.settings.sampleRateChoice);
    }

    void RateLimit(const std::string& name, const std::string& value, std::string& text) {
        freeForm_.push_back(name);
        if (!IsDigits(value) || value.size() > 6) {
            Fail(name + " " + value + ": not a rate in kbit/s");
            return;
        }
        text = value;
    }
    void MaxRate(const std::string& name, const std::string& value) {
        RateLimit(name, value, result_.options.settings.maxRateText);
    }
    void MinRate(const std::string& name, const std::string& value) {
        RateLimit(name, value, result_.options.settings.minRateText);
    }

    void Finish() {
        const Options& o = result_.options;
        const int32_t type = o.settings.outputType;
        if (!freeForm_.empty() && type != kTypeMpeg4 && type != kTypeH264) {
            Fail(freeForm_.front() + " applies to the mpeg4 and h264 types only, not to " +
                 WordOfType(type));
            return;
        }
        if ((!o.settings.maxRateText.empty() || !o.settings.minRateText.empty()) &&
            !o.settings.variableBitRate) {
            Fail(std::string(o.settings.maxRateText.empty() ? "--min-rate" : "--max-rate") +
                 " needs --vbr");
            return;
        }
        if (o.help || o.version) {
            return;
        }
        if (o.fitDisc && !FitsType(*o.fitDisc, type)) {
            Fail("--fit-disc: a dvd run fits dvd5 or dvd9, an svcd run cd80; not " +
                 WordOfType(type));
            return;
        }
        if (o.fitDisc && o.splitDiscs) {
            Fail("--fit-disc and --split-discs do not go together");
            return;
        }
        if (o.splitDiscs && !o.disc) {
            Fail("--split-discs needs --disc");
            return;
        }
        if (!o.listFile.empty() && !o.sources.empty()) {
            Fail("--list and FILE arguments do not go together");
        } else if (o.listFile.empty() && o.sources.empty()) {
            Fail("no FILE given (or --list FILE)");
        }
    }

    const std::vector<std::string>& args_;
    size_t index_ = 0;
    ParseResult result_;
    std::vector<std::string> freeForm_;  // the free-form options given, for the type check
};

}  // namespace

ParseResult ParseArguments(const std::vector<std::string>& args) {
    return Parser(args).Run();
}

std::optional<Part> ParsePart(const std::string& text) {
    const size_t dash = text.find('-');
    if (dash == std::string::npos) {
        return std::nullopt;
    }
    const std::optional<int64_t> start = ParseTime(std::string_view(text).substr(0, dash));
    const std::optional<int64_t> end = ParseTime(std::string_view(text).substr(dash + 1));
    if (!start || !end || *end <= *start) {
        return std::nullopt;
    }
    return Part{*start, *end};
}

int32_t TypeOfWord(const std::string& word) {
    for (const TypeWord& entry : kTypeWords) {
        if (word == entry.word) {
            return entry.type;
        }
    }
    return -1;
}

std::string WordOfType(int32_t type) {
    for (const TypeWord& entry : kTypeWords) {
        if (type == entry.type) {
            return entry.word;
        }
    }
    return {};
}

}  // namespace clipwright::cli
