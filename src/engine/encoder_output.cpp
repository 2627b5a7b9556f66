#include "engine/encoder_output.h"

#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string_view>

#include "base/text_format.h"
#include "base/text_log.h"
#include "engine/command_line.h"
#include "engine/reason_words.h"

namespace clipwright {

namespace {

uint32_t SteadyTick() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

std::atomic<TickSource> gTickSource{&SteadyTick};

// U+FFFD in UTF-8: what decoding leaves for bytes that are not UTF-8.
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// How often a reader that waits for output looks at the abort flag.
constexpr int kAbortPollMs = 50;

bool IsBlankChar(char c) {
    return c == ' ';
}

// Leading decimal digits of text as a count; text without digits gives 0. Saturates.
int64_t LeadingWholeNumber(std::string_view text) {
    int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        if (value > (std::numeric_limits<int64_t>::max() - 9) / 10) {
            return std::numeric_limits<int64_t>::max();
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

bool EncoderFailed(const ChildProcess& child) {
    if (!child.exited) {
        return true;
    }
    const int status = child.waitStatus;
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status) != 0;
    }
    return !(WIFSIGNALED(status) && child.killedByUs);
}

void LogEncoderEnd(const ChildProcess& child) {
    const int status = child.waitStatus;
    if (!child.exited) {
        LogMessage("Encoder did not end by itself and was killed.");
    } else if (WIFEXITED(status)) {
        LogMessage("Encoder exited with status %d.", WEXITSTATUS(status));
    } else if (WIFSIGNALED(status)) {
        LogMessage("Encoder ended by signal %d.", WTERMSIG(status));
    }
}

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

// Milliseconds of the digits after a seconds field's ".", if any ("40" of "23.40" is 400).
int64_t FractionMs(std::string_view secondsField) {
    const size_t dot = secondsField.find('.');
    if (dot == std::string_view::npos) {
        return 0;
    }
    int64_t ms = 0;
    int64_t scale = 100;
    for (size_t i = dot + 1; i < secondsField.size() && scale > 0; ++i, scale /= 10) {
        const char c = secondsField[i];
        if (c < '0' || c > '9') {
            break;
        }
        ms += (c - '0') * scale;
    }
    return ms;
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

// Reads until the child closes its output, limit bytes are in, or timeoutMs pass; timedOut tells
// whether the time ran out first.
std::string ReadAllOutput(ChildProcess& child, size_t limit, int timeoutMs, bool& timedOut) {
    std::string output;
    char chunk[kOutputBufferFill];
    const uint32_t begin = CurrentTick();
    timedOut = false;
    while (output.size() < limit) {
        const int left = MsLeft(begin, timeoutMs);
        if (left == 0) {
            timedOut = true;
            break;
        }
        const OutputWait wait = WaitForOutput(child, left, nullptr);
        if (wait != OutputWait::kReadable) {
            timedOut = wait == OutputWait::kTimedOut;
            break;
        }
        const ssize_t n = ReadSome(child.stdoutRead, chunk, limit - output.size());
        if (n <= 0) {
            break;
        }
        output.append(chunk, static_cast<size_t>(n));
    }
    return output;
}

// The path as the encoder writes it in an error line: control characters escaped, backslashes
// doubled (trel::printable).
std::string EncoderPrintable(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7f) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

// The reason of the encoder's first error line, or empty.
std::string EncoderErrorReason(const std::string& output, const std::string& path) {
    constexpr std::string_view kPrefix = "trelcore: ";
    size_t pos = 0;
    while (pos < output.size()) {
        const size_t end = std::min(output.find('\n', pos), output.size());
        const std::string_view line = std::string_view(output).substr(pos, end - pos);
        pos = end + 1;
        if (!line.starts_with(kPrefix) || end == output.size()) {
            continue;  // not an error line, or one cut short
        }
        const std::string subject = std::string(kPrefix) + EncoderPrintable(path) + ": ";
        if (line.starts_with(subject)) {
            return std::string(line.substr(subject.size()));
        }
        const size_t colon = line.rfind(": ");
        return std::string(line.substr(colon + 2));
    }
    return {};
}

}  // namespace

void SetTickSource(TickSource source) {
    gTickSource.store(source != nullptr ? source : &SteadyTick);
}

uint32_t CurrentTick() {
    return gTickSource.load()();
}

OutputWait WaitForOutput(const ChildProcess& child, int timeoutMs, const std::atomic<bool>* abort) {
    pollfd fds[2] = {{child.stdoutRead, POLLIN, 0}, {child.pidFd, POLLIN, 0}};
    const nfds_t count = child.pidFd >= 0 ? 2 : 1;
    const uint32_t begin = timeoutMs >= 0 ? CurrentTick() : 0;
    while (abort == nullptr || !abort->load()) {
        int slice = kAbortPollMs;
        if (timeoutMs >= 0) {
            const int left = MsLeft(begin, timeoutMs);
            if (left == 0) {
                return OutputWait::kTimedOut;
            }
            slice = std::min(slice, left);
        }
        const int r = ::poll(fds, count, slice);
        if (r < 0 && errno == EINTR) {
            continue;
        }
        if (r < 0 || fds[0].revents != 0) {
            return OutputWait::kReadable;  // data, the end of the output, or an error to read
        }
        if (count == 2 && fds[1].revents != 0) {
            return OutputWait::kChildEnded;
        }
    }
    return OutputWait::kAborted;
}

ssize_t ReadSome(int fd, char* into, size_t room) {
    ssize_t n;
    do {
        n = ::read(fd, into, room);
    } while (n < 0 && errno == EINTR);
    return n;
}

int ParseProgressChunk(EncoderRun& run, const char* text, size_t length) {
    const std::string_view all(text, length);
    const size_t lineFeed = all.rfind('\n');
    const std::string_view line =
        lineFeed == std::string_view::npos ? all : all.substr(lineFeed + 1);
    char logCopy[128];
    const size_t copied = line.size() < sizeof logCopy - 1 ? line.size() : sizeof logCopy - 1;
    std::memcpy(logCopy, line.data(), copied);
    logCopy[copied] = '\0';

    // The newest size the text holds whole (a chunk may end inside a number).
    for (size_t sizeKey = line.rfind("size="); sizeKey != std::string_view::npos;
         sizeKey = sizeKey == 0 ? std::string_view::npos : line.rfind("size=", sizeKey - 1)) {
        size_t digits = sizeKey + 5;
        while (digits < line.size() && IsBlankChar(line[digits])) {
            ++digits;
        }
        size_t unit = digits;
        while (unit < line.size() && line[unit] >= '0' && line[unit] <= '9') {
            ++unit;
        }
        if (unit > digits && line.substr(unit, 2) == "kB") {
            run.outputKb.store(LeadingWholeNumber(line.substr(digits)));
            break;
        }
    }
    const size_t key = line.find("time=");
    if (key == std::string_view::npos) {
        return -1;
    }
    size_t begin = key + 5;
    while (begin < line.size() && IsBlankChar(line[begin])) {
        ++begin;
    }
    if (begin >= line.size()) {
        return -1;
    }
    size_t end = begin;
    while (end < line.size() && !IsBlankChar(line[end])) {
        ++end;
    }
    const std::string_view timeText = line.substr(begin, end - begin);
    const int64_t seconds = LeadingWholeNumber(timeText);
    if (seconds < std::numeric_limits<int64_t>::max() / 1000) {
        run.mediaMs.store(seconds * 1000 + FractionMs(timeText));
    }
    const int64_t duration = run.runDuration.load();
    const int64_t p = duration > 0 && seconds <= std::numeric_limits<int64_t>::max() / 100
                          ? seconds * 100 / duration
                          : (duration > 0 ? 100 : 0);
    const int32_t current = run.percent.load();
    if (p > current && current % 10 == 0) {
        LogMessage("%s", logCopy);
    }
    run.percent.store(p >= 100 ? 99 : static_cast<int32_t>(p));
    return 0;
}

void AppendTranscript(std::string& transcript, const char* data, size_t length) {
    transcript.append(data, length);
    if (transcript.size() <= kTranscriptLimit) {
        return;
    }
    static constexpr std::string_view kCut = "\n[... encoder output left out ...]\n";
    constexpr size_t kHead = kTranscriptLimit / 4;
    constexpr size_t kTail = kTranscriptLimit / 2;
    const bool cutBefore = transcript.compare(kHead, kCut.size(), kCut) == 0;
    const size_t from = kHead + (cutBefore ? kCut.size() : 0);
    transcript.erase(from, transcript.size() - kTail - from);
    if (!cutBefore) {
        transcript.insert(kHead, kCut);
    }
}

std::string LastErrorLine(const std::string& transcript) {
    static constexpr std::string_view kPrefix = "trelcore: ";
    static constexpr std::string_view kWarning = "trelcore: warning:";
    size_t end = transcript.size();
    while (end > 0) {
        const size_t lineStart = transcript.find_last_of("\r\n", end - 1);
        const size_t begin = lineStart == std::string::npos ? 0 : lineStart + 1;
        const std::string_view line = std::string_view(transcript).substr(begin, end - begin);
        if (line.starts_with(kPrefix) && !line.starts_with(kWarning)) {
            return std::string(line);
        }
        if (lineStart == std::string::npos) {
            break;
        }
        end = lineStart;
    }
    return {};
}

std::string SourceEndedEarly(const std::string& transcript) {
    static constexpr std::string_view kWarning = "trelcore: warning: the source ended at ";
    const size_t at = transcript.rfind(kWarning);
    if (at == std::string::npos) {
        return {};
    }
    const size_t from = at + std::string_view("trelcore: warning: ").size();
    const size_t end = transcript.find_first_of("\r\n", from);
    return transcript.substr(from, end == std::string::npos ? std::string::npos : end - from);
}

bool IsDiskFullError(const std::string& errorLine) {
    return errorLine.find("No space left on device") != std::string::npos;
}

void ReadProgress(EncoderRun& run, ChildProcess& child, std::string* transcript) {
    SetChildPriority(child, 1);
    char buffer[kOutputBufferFill + 1];
    size_t used = 0;
    bool firstChunk = true;
    uint32_t lastParse = CurrentTick();
    while (WaitForOutput(child, -1, &run.abortRequested) == OutputWait::kReadable) {
        const ssize_t n = ReadSome(child.stdoutRead, buffer + used, kOutputBufferFill - used);
        if (n <= 0) {
            break;
        }
        if (transcript != nullptr) {
            AppendTranscript(*transcript, buffer + used, static_cast<size_t>(n));
        }
        used += static_cast<size_t>(n);
        const uint32_t now = CurrentTick();
        if (now - lastParse < kParseIntervalMs) {
            if (used == kOutputBufferFill) {
                used = 0;
            }
            continue;
        }
        buffer[used] = '\0';
        if (firstChunk) {
            LogMessage("%s", buffer);
            firstChunk = false;
        }
        ParseProgressChunk(run, buffer, used);
        if (run.abortRequested.load()) {
            break;
        }
        used = 0;
        lastParse = now;
    }
    run.percent.store(100);
}

std::string CheckOutput(const std::string& outputPath, int64_t expectedMs) {
    struct stat info {};
    if (::stat(outputPath.c_str(), &info) != 0) {
        return std::string(kOutputMissing);
    }
    if (info.st_size == 0) {
        return std::string(kOutputEmpty);
    }
    SourceItem written;
    if (Probe(written, outputPath) != 0) {
        return std::string(kOutputUnreadable);
    }
    if (std::llabs(written.durationMs - expectedMs) > kOutputLengthToleranceMs) {
        return std::string(kOutputLasts) +
               FormatText("%.2f s instead of %.2f s",
                          static_cast<double>(written.durationMs) / 1000.0,
                          static_cast<double>(expectedMs) / 1000.0);
    }
    return {};
}

int RunConversion(EncoderRun& run, const std::string& sourcePath, const std::string& outputPath,
                  const std::string& title, const std::string& options, int64_t start,
                  int64_t end) {
    EncoderOutcome outcome;
    return RunConversion(run, sourcePath, outputPath, title, options, FixedPart(start, end),
                         outcome);
}

int RunConversion(EncoderRun& run, const std::string& sourcePath, const std::string& outputPath,
                  const std::string& title, const std::string& options, const ConversionPart& part,
                  EncoderOutcome& outcome) {
    // A part that runs to the end is measured by its exact length, whole seconds rounded up.
    run.runDuration.store(part.toTheEnd ? (part.lengthMs + 999) / 1000 : part.end - part.start);
    run.percent.store(0);
    run.mediaMs.store(0);
    run.outputKb.store(-1);
    run.abortRequested.store(false);

    const std::string commandLine = BuildCommandLine(sourcePath, title, options, part, outputPath);
    LogMessage("%s", commandLine.c_str());

    ChildProcess child;
    child.commandLine = commandLine;
    child.flags = PIPE_STDOUT;
    child.startNice = 19;  // the idle level from its first instruction, as ReadProgress keeps it
    if (StartChild(child) != 0) {
        return -1;
    }
    outcome.started = true;
    ReadProgress(run, child, &outcome.transcript);
    outcome.errorLine = LastErrorLine(outcome.transcript);
    if (run.abortRequested.load()) {
        StopChild(child, kStopGraceMs);
    } else if (!WaitChildExit(child, kExitAfterEofMs)) {
        KillChild(child);
        child.killedByUs = false;  // a hung encoder is its failure, not our stop
        outcome.hung = true;
    }
    const bool aborted = run.abortRequested.load();
    const bool failed = !aborted && EncoderFailed(child);
    if (!aborted) {
        LogEncoderEnd(child);
    }
    if (failed && !outcome.hung && child.exited) {
        const int status = child.waitStatus;
        outcome.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 0;
        outcome.endSignal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    }
    KillChild(child);
    ReleaseChild(child);
    if (failed || aborted) {
        return failed ? -1 : 0;
    }
    // A status of 0 is not taken on trust: the output must be there, readable, and as long as
    // the part. A short output (say, of a truncated source) is kept for the user to look at.
    std::string problem = CheckOutput(outputPath, part.lengthMs);
    if (problem.empty()) {
        // A source cut short fails whatever its container: where the probe measured what is
        // left (an AVI without its index) the output still matches the part.
        problem = SourceEndedEarly(outcome.transcript);
    }
    if (problem.empty()) {
        return 0;
    }
    LogMessage("Encoder said it succeeded, but %s.", problem.c_str());
    outcome.outputProblem = problem;
    return -1;
}

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
    std::string output;
    bool timedOut = false;
    if (StartChild(child) == 0) {
        // The user waits on a probe, so it runs at the normal level: at the idle level a busy
        // desktop could hold it past its time limit and a good file would be refused.
        SetChildPriority(child, 2);
        output = ReadAllOutput(child, kOutputBufferFill, kProbeTimeoutMs, timedOut);
    }
    KillChild(child);
    const bool ended = child.exited && !child.killedByUs && WIFSIGNALED(child.waitStatus);
    ReleaseChild(child);
    const int32_t result = ParseProbeOutput(item, path, output);
    if (result != 0 && failure != nullptr) {
        *failure = DescribeProbeFailure(output, path, timedOut, ended);
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

std::string SignalName(int signal) {
    const char* name = signal > 0 ? ::sigabbrev_np(signal) : nullptr;
    return name != nullptr ? std::string("SIG") + name : "signal " + std::to_string(signal);
}

int MsLeft(uint32_t begin, int timeoutMs) {
    const uint32_t elapsed = CurrentTick() - begin;
    return elapsed >= static_cast<uint32_t>(timeoutMs)
               ? 0
               : static_cast<int>(static_cast<uint32_t>(timeoutMs) - elapsed);
}

ChildAnswer AskChild(const std::string& commandLine, size_t limit, int timeoutMs) {
    ChildAnswer answer;
    ChildProcess child;
    child.commandLine = commandLine;
    child.flags = PIPE_STDOUT;
    if (StartChild(child) != 0) {
        return answer;
    }
    answer.started = true;
    const uint32_t begin = CurrentTick();
    bool timedOut = false;
    answer.output = ReadAllOutput(child, limit, timeoutMs, timedOut);
    // A child that did not end in time is killed (and reaped) with the record.
    answer.exited = WaitChildExit(child, MsLeft(begin, timeoutMs)) && child.exited &&
                    WIFEXITED(child.waitStatus);
    if (answer.exited) {
        answer.status = WEXITSTATUS(child.waitStatus);
    }
    return answer;
}

CanMakeAnswer AskEncoderCanMake(const std::string& kind, int timeoutMs) {
    if (!ProgramExists(EncoderName())) {
        return CanMakeAnswer::kEncoderMissing;
    }
    const ChildAnswer answer =
        AskChild(BuildCanMakeCommandLine(kind), kOutputBufferFill, timeoutMs);
    if (!answer.exited) {
        return CanMakeAnswer::kNoAnswer;
    }
    // Both the status and the line must agree: a program that only exits 0 is not a yes.
    if (answer.status == 0 && answer.output == "yes\n") {
        return CanMakeAnswer::kYes;
    }
    if (answer.status == 1 && answer.output == "no\n") {
        return CanMakeAnswer::kNo;
    }
    LogMessage("Encoder gave no answer to --can-make %s (status %d).", kind.c_str(), answer.status);
    return CanMakeAnswer::kNoAnswer;
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

std::string FormatHms(int64_t seconds) {
    if (seconds < 0) {
        seconds = 0;
    }
    char text[48];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>((seconds / 60) % 60),
                  static_cast<long long>(seconds % 60));
    return text;
}

}  // namespace clipwright
