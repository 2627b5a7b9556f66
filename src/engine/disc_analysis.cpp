#include "engine/disc_analysis.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "engine/child_process.h"

namespace clipwright {

namespace {

constexpr int64_t kSampleSeconds = 1;
// How often a running sample looks at the cancel flag, in milliseconds.
constexpr int kCancelPollMs = 100;
constexpr int kStopGraceMs = 2000;
// A measure below this is no measure (a black picture still costs more).
constexpr double kLeastBits = 1000.0;

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    size_t at = 0;
    while (at < text.size()) {
        const size_t start = text.find_first_not_of(' ', at);
        if (start == std::string::npos) {
            break;
        }
        const size_t end = std::min(text.find(' ', start), text.size());
        words.push_back(text.substr(start, end - start));
        at = end;
    }
    return words;
}

// The number after key= in line, or nullopt.
std::optional<double> FieldOf(const std::string& line, const std::string& key) {
    const size_t at = line.rfind(key + "=");
    if (at == std::string::npos) {
        return std::nullopt;
    }
    const char* start = line.c_str() + at + key.size() + 1;
    while (*start == ' ') {
        ++start;
    }
    // Digits and a point only: trelcore writes them so in any locale.
    double whole = 0.0;
    double scale = 0.0;
    const char* p = start;
    for (; (*p >= '0' && *p <= '9') || *p == '.'; ++p) {
        if (*p == '.') {
            if (scale != 0.0) {
                break;
            }
            scale = 1.0;
            continue;
        }
        whole = whole * 10.0 + (*p - '0');
        scale *= 10.0;
    }
    if (p == start) {
        return std::nullopt;
    }
    return scale > 0.0 ? whole / scale : whole;
}

// What ReadAll collected of a sample's run.
struct ReadAllResult {
    std::string output;      // the child's output, to its end or to the cancel
    bool cancelled = false;  // cancel was set before the output ended
};

// Reads the child's output to its end, or until cancel is set.
ReadAllResult ReadAll(ChildProcess& child, const std::atomic<bool>& cancel) {
    ReadAllResult result;
    char buffer[4096];
    while (!cancel.load()) {
        pollfd entry{child.stdoutRead, POLLIN, 0};
        const int ready = ::poll(&entry, 1, kCancelPollMs);
        if (ready < 0 && errno != EINTR) {
            return result;
        }
        if (ready <= 0) {
            continue;
        }
        const ssize_t got = ::read(child.stdoutRead, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return result;
        }
        result.output.append(buffer, static_cast<size_t>(got));
    }
    result.cancelled = true;
    return result;
}

}  // namespace

std::vector<AnalysisSample> AnalysisSamples(const ConversionPart& part) {
    const int64_t length =
        part.toTheEnd ? (part.lengthMs + 999) / 1000 : std::max<int64_t>(part.end - part.start, 0);
    if (length <= 0) {
        return {};
    }
    if (length <= kSampleSeconds) {
        return {{part.start, length}};
    }
    const int64_t wanted = length * kAnalysisSharePerMille / 1000 / kSampleSeconds;
    const auto count = static_cast<int64_t>(
        std::clamp<int64_t>(wanted, 1, static_cast<int64_t>(kAnalysisMostSamples)));
    std::vector<AnalysisSample> samples;
    for (int64_t i = 0; i < count; ++i) {
        // The middle of slice i, less half a sample, kept inside the part.
        const int64_t middle = (2 * i + 1) * length / (2 * count);
        const int64_t start =
            std::clamp<int64_t>(middle - kSampleSeconds / 2, 0, length - kSampleSeconds);
        samples.push_back({part.start + start, kSampleSeconds});
    }
    return samples;
}

std::string OptionsAfterTarget(const std::string& options, const std::vector<std::string>& words) {
    std::vector<std::string> all = Words(options);
    auto at = std::find(all.begin(), all.end(), "-target");
    at = at == all.end() ? all.end() : std::min(at + 2, all.end());
    all.insert(at, words.begin(), words.end());
    std::string joined;
    for (const std::string& word : all) {
        joined += (joined.empty() ? "" : " ") + word;
    }
    return joined;
}

std::string AnalysisCommandLine(const SourceItem& item, const std::string& options,
                                const AnalysisSample& sample) {
    const std::string measured =
        OptionsAfterTarget(options, {"-cq", std::to_string(kAnalysisQuantiser)});
    return BuildCommandLine(item.sourcePath, item.title, measured,
                            FixedPart(sample.start, sample.start + sample.length), "/dev/null");
}

std::optional<double> MeasuredBitsPerSecond(const std::string& output) {
    // Progress lines end in a carriage return, the last one in a line feed.
    const size_t at = output.rfind("size=");
    if (at == std::string::npos) {
        return std::nullopt;
    }
    const size_t lineStart = output.find_last_of("\r\n", at);
    const size_t lineEnd = output.find_first_of("\r\n", at);
    const std::string line =
        output.substr(lineStart == std::string::npos ? 0 : lineStart + 1,
                      lineEnd == std::string::npos
                          ? std::string::npos
                          : lineEnd - (lineStart == std::string::npos ? 0 : lineStart + 1));
    const std::optional<double> kilobytes = FieldOf(line, "size");
    const std::optional<double> seconds = FieldOf(line, "time");
    if (!kilobytes || !seconds || *seconds <= 0.0) {
        return std::nullopt;
    }
    return *kilobytes * 1024.0 * 8.0 / *seconds;
}

std::optional<double> MeasureDifficulty(const SourceItem& item, const std::string& options,
                                        int64_t audioBits, const std::atomic<bool>& cancel) {
    double bits = 0.0;
    double seconds = 0.0;
    for (const AnalysisSample& sample : AnalysisSamples(PartOf(item))) {
        if (cancel.load()) {
            return std::nullopt;
        }
        ChildProcess child;
        child.commandLine = AnalysisCommandLine(item, options, sample);
        child.flags = PIPE_STDOUT | STDERR_TO_STDOUT;
        if (StartChild(child) != 0) {
            continue;
        }
        const ReadAllResult sampleRun = ReadAll(child, cancel);
        if (sampleRun.cancelled) {
            StopChild(child, kStopGraceMs);
            return std::nullopt;
        }
        while (!WaitChildExit(child, kStopGraceMs)) {
            // Its output has ended; it is closing its files.
        }
        const std::optional<double> rate = MeasuredBitsPerSecond(sampleRun.output);
        const bool succeeded =
            child.exited && WIFEXITED(child.waitStatus) && WEXITSTATUS(child.waitStatus) == 0;
        if (!rate || !succeeded) {
            continue;
        }
        // Weighted by the sample's length: a part's last sample may be shorter.
        bits += *rate * static_cast<double>(sample.length);
        seconds += static_cast<double>(sample.length);
    }
    if (seconds <= 0.0) {
        return std::nullopt;
    }
    return std::max(bits / seconds - static_cast<double>(audioBits), kLeastBits);
}

}  // namespace clipwright
