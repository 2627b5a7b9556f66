#include "engine/probe.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstring>
#include <string_view>

#include "contract/trelcore_contract.h"
#include "engine/child_io.h"
#include "engine/child_process.h"
#include "engine/command_line.h"
#include "engine/encoder_numbers.h"
#include "engine/file_system.h"

namespace clipwright {

namespace {

// U+FFFD in UTF-8: what decoding leaves for bytes that are not UTF-8.
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// Text from after needle (found from pos) to the next line feed; npos-safe.
struct Found {
    size_t start = std::string::npos;  // where the needle stands
    size_t textBegin = 0;              // just after the needle
    size_t lineEnd = std::string::npos;
};

Found FindLine(const std::string& output, const char* needle, size_t pos) {
    Found found;
    found.start = output.find(needle, pos);
    if (found.start == std::string::npos) {
        return found;
    }
    found.textBegin = found.start + std::strlen(needle);
    found.lineEnd = output.find('\n', found.textBegin);
    return found;
}

std::string Cut(std::string text, size_t limit) {
    if (text.size() > limit) {
        text.resize(limit);
    }
    return text;
}

// The text after the count-th ':' of text; npos when there are fewer.
size_t AfterFields(std::string_view text, int count, size_t from = 0) {
    size_t pos = from;
    for (int i = 0; i < count; ++i) {
        pos = text.find(':', pos);
        if (pos == std::string_view::npos) {
            return pos;
        }
        ++pos;
    }
    return pos;
}

bool ParseDuration(std::string_view durationText, int32_t& seconds, int64_t& totalMs) {
    const size_t firstColon = durationText.find(':');
    if (firstColon == std::string_view::npos) {
        return false;
    }
    const size_t secondColon = durationText.find(':', firstColon + 1);
    if (secondColon == std::string_view::npos) {
        return false;
    }
    const int64_t hours = LeadingWholeNumber(durationText.substr(0, firstColon));
    const int64_t minutes =
        LeadingWholeNumber(durationText.substr(firstColon + 1, secondColon - firstColon - 1));
    const int64_t secs = LeadingWholeNumber(durationText.substr(secondColon + 1));
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    if (hours > kMax / 3600 || minutes > kMax / 60 || secs > kMax) {
        return false;
    }
    const int64_t total = (hours * 60 + minutes) * 60 + secs;
    if (total > kMax) {
        return false;
    }
    totalMs = total * 1000 + FractionMs(durationText.substr(secondColon + 1));
    // Whole seconds drop the fraction, but a clip shorter than a second is still a clip.
    seconds = static_cast<int32_t>(total == 0 && totalMs > 0 ? 1 : total);
    return true;
}

std::string BitrateToken(std::string_view afterComma) {
    const size_t pos = AfterFields(afterComma, 2);
    if (pos == std::string_view::npos) {
        return {};
    }
    size_t begin = pos;
    while (begin < afterComma.size() && IsBlankChar(afterComma[begin])) {
        ++begin;
    }
    size_t end = begin;
    while (end < afterComma.size() && !IsBlankChar(afterComma[end])) {
        ++end;
    }
    return std::string(afterComma.substr(begin, end - begin));
}

// Returns where the stream scan starts.
size_t ParseDurationLine(SourceItem& item, const std::string& output) {
    const Found found = FindLine(output, "Duration: ", 0);
    if (found.start == std::string::npos) {
        return 0;
    }
    if (found.lineEnd == std::string::npos) {
        return found.start;
    }
    const std::string text =
        Cut(output.substr(found.textBegin, found.lineEnd - found.textBegin), 199);
    const size_t comma = text.find(',');
    const std::string durationText = Cut(text.substr(0, comma), 99);
    int32_t seconds = 0;
    int64_t totalMs = 0;
    if (comma != std::string::npos && ParseDuration(durationText, seconds, totalMs)) {
        item.duration = seconds;
        item.durationMs = totalMs;
        char buffer[160];
        std::snprintf(buffer, sizeof buffer, "%s (%d s)", durationText.c_str(), seconds);
        item.durationText = buffer;
    } else {
        item.duration = 0;
        item.durationMs = 0;
        item.durationText = "0 (0 s)";
    }
    if (comma != std::string::npos) {
        const std::string token = BitrateToken(std::string_view(text).substr(comma + 1));
        if (!token.empty()) {
            item.bitrateText = token + " kb/s";
        }
    }
    return found.lineEnd + 1;
}

void ParseStreamLines(SourceItem& item, const std::string& output, size_t pos) {
    while (true) {
        const Found found = FindLine(output, "Stream #", pos);
        if (found.start == std::string::npos || found.lineEnd == std::string::npos) {
            return;
        }
        const std::string line =
            Cut(output.substr(found.textBegin, found.lineEnd - found.textBegin), 199);
        std::string* info = nullptr;
        if (line.find("Video:") != std::string::npos) {
            info = &item.videoInfo;
        } else if (line.find("Audio:") != std::string::npos) {
            info = &item.audioInfo;
        }
        if (info != nullptr) {
            const size_t rest = AfterFields(line, 2);
            *info = rest == std::string::npos ? std::string() : line.substr(rest);
        }
        pos = found.lineEnd + 1;
    }
}

// The reason of the encoder's first error line, or empty.
std::string EncoderErrorReason(const std::string& output, const std::string& path) {
    constexpr std::string_view kPrefix = trel::contract::error_prefix;
    size_t pos = 0;
    while (pos < output.size()) {
        const size_t end = std::min(output.find('\n', pos), output.size());
        const std::string_view line = std::string_view(output).substr(pos, end - pos);
        pos = end + 1;
        if (!line.starts_with(kPrefix) || end == output.size()) {
            continue;  // not an error line, or one cut short
        }
        const std::string subject = std::string(kPrefix) + trel::contract::printable(path) + ": ";
        if (line.starts_with(subject)) {
            return std::string(line.substr(subject.size()));
        }
        const size_t colon = line.rfind(": ");
        return std::string(line.substr(colon + 2));
    }
    return {};
}

}  // namespace

int32_t Probe(SourceItem& item, const std::string& path) {
    return Probe(item, path, nullptr);
}

int32_t Probe(SourceItem& item, const std::string& path, ProbeFailure* failure) {
    // The argument would end at the zero byte and name another file.
    if (HoldsZeroByte(path)) {
        return ParseProbeOutput(item, path, {});
    }
    ChildProcess child;
    child.commandLine = BuildProbeCommandLine(path);
    child.flags = PIPE_STDOUT;
    OutputReadResult collected;
    if (StartChild(child) == 0) {
        // The user waits on a probe, so it runs at the normal level: at the idle level a busy
        // desktop could hold it past its time limit and a good file would be refused.
        SetChildPriority(child, 2);
        collected = ReadAllOutput(child, kOutputBufferFill, kProbeTimeoutMs);
    }
    KillChild(child);
    const bool ended = child.exited && !child.killedByUs && WIFSIGNALED(child.waitStatus);
    ReleaseChild(child);
    const int32_t result = ParseProbeOutput(item, path, collected.text);
    if (result != 0 && failure != nullptr) {
        *failure = DescribeProbeFailure(collected.text, path, collected.timedOut, ended);
    }
    return result;
}

ProbeFailure DescribeProbeFailure(const std::string& output, const std::string& path, bool timedOut,
                                  bool ended) {
    ProbeFailure failure;
    if (path.find(kReplacementCharacter) != std::string::npos && !PathExists(path)) {
        failure.kind = ProbeFailure::kUndecodableName;
        return failure;
    }
    failure.text = EncoderErrorReason(output, path);
    if (!failure.text.empty()) {
        failure.kind = ProbeFailure::kEncoderSaid;
    } else if (timedOut) {
        failure.kind = ProbeFailure::kTimedOut;
    } else if (ended) {
        failure.kind = ProbeFailure::kEncoderEnded;
    } else {
        failure.kind = ProbeFailure::kNoDuration;
    }
    return failure;
}

int32_t ParseProbeOutput(SourceItem& item, const std::string& path, const std::string& output) {
    item.duration = 0;
    item.durationMs = 0;
    item.durationText.clear();
    item.bitrateText.clear();
    item.videoInfo.clear();
    item.audioInfo.clear();
    const size_t streamsFrom = ParseDurationLine(item, output);
    ParseStreamLines(item, output, streamsFrom);
    item.selStart = 0;
    item.selEnd = item.duration;
    SetSourcePath(item, path);
    return item.duration != 0 ? 0 : kProbeFailed;
}

}  // namespace clipwright
