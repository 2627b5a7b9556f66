#include "engine/encoder_run.h"

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <limits>
#include <string_view>

#include "base/text_format.h"
#include "base/text_log.h"
#include "contract/trelcore_contract.h"
#include "engine/child_io.h"
#include "engine/encoder_numbers.h"
#include "engine/probe.h"
#include "engine/reason_words.h"
#include "engine/source_item.h"

namespace clipwright {

namespace {

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

}  // namespace

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
    static constexpr std::string_view kPrefix = trel::contract::error_prefix;
    // "trelcore: warning:" without the blank that follows it.
    static constexpr std::string_view kWarning =
        trel::contract::warning_prefix.substr(0, trel::contract::warning_prefix.size() - 1);
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
    static constexpr std::string_view kWarning = trel::contract::warning_prefix;
    const size_t at = transcript.rfind(std::string(kWarning) + "the source ended at ");
    if (at == std::string::npos) {
        return {};
    }
    const size_t from = at + kWarning.size();
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

OutputCheckResult CheckOutput(const std::string& outputPath, int64_t expectedMs) {
    OutputCheckResult check;
    struct stat info {};
    if (::stat(outputPath.c_str(), &info) != 0) {
        check.problem = kOutputMissing;
        return check;
    }
    if (info.st_size == 0) {
        check.problem = kOutputEmpty;
        return check;
    }
    SourceItem written;
    if (Probe(written, outputPath) != 0) {
        check.problem = kOutputUnreadable;
        return check;
    }
    if (std::llabs(written.durationMs - expectedMs) > kOutputLengthToleranceMs) {
        check.problem =
            std::string(kOutputLasts) + FormatText("%.2f s instead of %.2f s",
                                                   static_cast<double>(written.durationMs) / 1000.0,
                                                   static_cast<double>(expectedMs) / 1000.0);
        return check;
    }
    check.ok = true;
    return check;
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
    const OutputCheckResult check = CheckOutput(outputPath, part.lengthMs);
    // A source cut short fails whatever its container: where the probe measured what is left
    // (an AVI without its index) the output still matches the part.
    const std::string problem = check.ok ? SourceEndedEarly(outcome.transcript) : check.problem;
    if (problem.empty()) {
        return 0;
    }
    LogMessage("Encoder said it succeeded, but %s.", problem.c_str());
    outcome.outputProblem = problem;
    return -1;
}

}  // namespace clipwright
