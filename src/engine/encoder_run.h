// One conversion by the encoder: starting it, following its progress, keeping its transcript,
// and checking the output it leaves. RunConversion blocks the calling (worker) thread.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/child_process.h"
#include "engine/command_line.h"

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
    std::string outputProblem;  // CheckOutput's problem when the output failed the check
    int exitStatus = 0;         // its exit status when it exited by itself
    int endSignal = 0;          // the signal it died of, when not ours; 0 otherwise
    bool hung = false;          // it closed its output but did not exit in time, and was killed
};

// How long an encoder that closed its output may take to exit before it counts as hung and is
// ended, in milliseconds.
inline constexpr int kExitAfterEofMs = 5000;

// Bytes of an encoder's output kept for the log; past it the start and the newest part stay.
inline constexpr size_t kTranscriptLimit = 1 << 20;

// Collected progress text is parsed at most this often.
inline constexpr uint32_t kParseIntervalMs = 500;
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

// How an output the encoder reported as done stood up to the check.
struct OutputCheckResult {
    bool ok = false;      // the file exists, is a media file the encoder can read, and lasts
                          // the expected length within kOutputLengthToleranceMs
    std::string problem;  // when not ok, what is wrong with it (for the log and the summary)
};
OutputCheckResult CheckOutput(const std::string& outputPath, int64_t expectedMs);

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

}  // namespace clipwright
