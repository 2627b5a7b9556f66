// Reading the encoder's text output: the probe of a source, and the progress of a conversion.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "engine/child_process.h"
#include "engine/command_line.h"
#include "engine/source_item.h"

namespace clipwright {

// Shared by the conversion worker (writes percent, reads the abort flag) and the progress
// dialog's timer (reads percent, sets the abort flag); every field is a single atomic word.
struct EncoderRun {
    std::atomic<int32_t> percent{0};      // 0..100 for the current file
    std::atomic<int64_t> runDuration{0};  // seconds of the selected part
    std::atomic<bool> abortRequested{false};
    std::atomic<int64_t> mediaMs{0};  // media time of the current file the encoder has passed
    // KiB the encoder says it has written of the current file ("size="), -1 before it says. The
    // output gets its name only when done, so its size on disk does not show the progress.
    std::atomic<int64_t> outputKb{-1};
};

// What one encoder run left to tell about itself, for the failure summary and the log.
struct EncoderOutcome {
    bool started = false;       // the encoder program could be started at all
    std::string transcript;     // its output (progress, errors), cut to kTranscriptLimit
    std::string errorLine;      // its last "trelcore: ..." error line, if any
    std::string outputProblem;  // CheckOutput's text when the output failed the check
    int exitStatus = 0;         // its exit status when it exited by itself
    int endSignal = 0;          // the signal it died of, when not ours; 0 otherwise
    bool hung = false;          // it closed its output but did not exit in time, and was killed
};

// How long an encoder that closed its output may take to exit before it counts as hung and is
// ended, in milliseconds.
inline constexpr int kExitAfterEofMs = 5000;

// Bytes of an encoder's output kept for the log; past it the start and the newest part stay.
inline constexpr size_t kTranscriptLimit = 1 << 20;

// The probe's failure code (no duration found), negative as a signed value.
inline constexpr int32_t kProbeFailed = static_cast<int32_t>(0x80040200u);

// Collected progress text is parsed at most this often.
inline constexpr uint32_t kParseIntervalMs = 500;
// Bytes of output collected between parses; the probe reads at most as much.
inline constexpr size_t kOutputBufferFill = 2047;
// How long the probe waits for the encoder to finish its text.
inline constexpr int kProbeTimeoutMs = 10000;
// How long a stopped encoder may take to close its file before it is killed. The encoder ends
// well within it; the full second is for a loaded machine, where a shorter one would kill it
// while it writes the end of a playable file.
inline constexpr int kStopGraceMs = 1000;

// How far an output's length may be from the part's before the run counts as failed.
inline constexpr int64_t kOutputLengthToleranceMs = 1000;

// 0 when the encoder ran and ended well (status 0, and its output exists, is a media file the
// encoder can read and lasts the part's length), or was stopped through abortRequested; -1 when
// it could not be started, exited with a non-zero status, died of a signal it did not get from
// us, its output failed the check, or it warned that its source ended early (the output is kept
// then, as a short one is). outcome gets what the encoder said and what was wrong.
int RunConversion(EncoderRun& run, const std::string& sourcePath, const std::string& outputPath,
                  const std::string& title, const std::string& options, const ConversionPart& part,
                  EncoderOutcome& outcome);
// The same for start < end in seconds.
int RunConversion(EncoderRun& run, const std::string& sourcePath, const std::string& outputPath,
                  const std::string& title, const std::string& options, int64_t start, int64_t end);

// Empty when outputPath holds a media file of expectedMs (within the tolerance); otherwise
// what is wrong with it.
std::string CheckOutput(const std::string& outputPath, int64_t expectedMs);

// Follows a started child's output until it ends or the run is aborted; then percent is 100.
// Allocates nothing, apart from what it appends to transcript when one is given.
void ReadProgress(EncoderRun& run, ChildProcess& child, std::string* transcript = nullptr);

// Appends to an encoder's transcript; past kTranscriptLimit the middle is left out, marked.
void AppendTranscript(std::string& transcript, const char* data, size_t length);
// The last error line trelcore printed ("trelcore: " but not "trelcore: warning:"), without
// its line end; empty when there is none.
std::string LastErrorLine(const std::string& transcript);
// The text of the encoder's warning that its source ended before its stated duration or the
// requested part ("the source ended at ..."), without the prefix; empty when there is none.
std::string SourceEndedEarly(const std::string& transcript);
// Whether an error line says the disk was full.
bool IsDiskFullError(const std::string& errorLine);

// Takes the first "time=" of the text's last line into percent (never past 99) and mediaMs, and
// its "size=" (KiB) into outputKb. 0 when a time was found, -1 otherwise. text must be
// zero-terminated at text[length].
int ParseProgressChunk(EncoderRun& run, const char* text, size_t length);

// Why a probe found no duration, as far as it is known.
struct ProbeFailure {
    // kNoDuration: the probe ended without a length and nothing else is known;
    // kUndecodableName: the name lost bytes that are not UTF-8 on its way here.
    enum Kind { kNone, kEncoderSaid, kTimedOut, kEncoderEnded, kNoDuration, kUndecodableName };
    Kind kind = kNone;
    std::string text;  // kEncoderSaid: the encoder's own reason, as it wrote it
};

// Probes path with the encoder and fills item. 0, or kProbeFailed when no duration was found.
int32_t Probe(SourceItem& item, const std::string& path);
// The same; failure, when given, gets why a failed probe failed.
int32_t Probe(SourceItem& item, const std::string& path, ProbeFailure* failure);
// The parsing half of Probe, on text the encoder printed.
int32_t ParseProbeOutput(SourceItem& item, const std::string& path, const std::string& output);

// What is known of why a probe whose text was output failed: the encoder's error line for
// path ("trelcore: PATH: REASON"), else the time limit (timedOut), else the encoder's death by a
// signal it did not get from us (ended), else kNoDuration. A path that holds the replacement
// character for bytes that were not UTF-8, and names no file, is kUndecodableName before all.
ProbeFailure DescribeProbeFailure(const std::string& output, const std::string& path, bool timedOut,
                                  bool ended);

enum class OutputWait { kReadable, kChildEnded, kTimedOut, kAborted };

// Waits until the child's output has something to read (or has ended), the child itself has
// ended, timeoutMs pass (-1: no limit) or *abort (may be null) is set. The child's own end counts
// even while a process it left behind still holds the pipe open.
OutputWait WaitForOutput(const ChildProcess& child, int timeoutMs, const std::atomic<bool>* abort);

// read() that retries after interruptions.
ssize_t ReadSome(int fd, char* into, size_t room);

// Milliseconds left of timeoutMs since begin (a CurrentTick value); 0 when none are.
int MsLeft(uint32_t begin, int timeoutMs);

// What a short-lived child printed, and how it ended.
struct ChildAnswer {
    bool started = false;
    bool exited = false;  // it ended by itself, with an exit status, within the limit
    int status = -1;      // that exit status
    std::string output;   // the first bytes of its output, up to the limit asked for
};
// Starts commandLine, reads its output until it ends (or limit bytes are in) and waits for its
// exit, all within timeoutMs; a child still there then is killed and reaped. Blocks; any thread.
ChildAnswer AskChild(const std::string& commandLine, size_t limit, int timeoutMs);

// What the encoder said to "--can-make KIND".
enum class CanMakeAnswer {
    kYes,             // status 0 with the line "yes"
    kNo,              // status 1 with the line "no"
    kEncoderMissing,  // the encoder program is not where command lines look for it
    kNoAnswer,        // it ran but said neither in time (crashed, too old, garbled, hung)
};
// Asks the encoder (EncoderName(), found as every command line finds it) and waits up to
// timeoutMs for its answer. Blocks the calling thread; safe from any thread.
CanMakeAnswer AskEncoderCanMake(const std::string& kind, int timeoutMs = kProbeTimeoutMs);

// "%02d:%02d:%02d" of whole seconds; hours may take more digits. Negative counts as 0.
std::string FormatHms(int64_t seconds);

// A signal's short name, "SIGSEGV"; "signal N" for one without a name.
std::string SignalName(int signal);

// Milliseconds of a steady clock, wrapping like a 32-bit tick count. Tests may replace it.
using TickSource = uint32_t (*)();
void SetTickSource(TickSource source);
uint32_t CurrentTick();

}  // namespace clipwright
