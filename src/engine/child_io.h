// Reading a child program's output: waiting for it with a time limit and an abort flag, reading
// all of a short-lived child's answer, and the steady tick every wait is measured by. Any thread;
// one child record is used by one thread at a time.
#pragma once

#include <sys/types.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/child_process.h"

namespace clipwright {

// Bytes of output collected between parses of progress; a probe or a question reads at most as
// much.
inline constexpr size_t kOutputBufferFill = 2047;

enum class OutputWait { kReadable, kChildEnded, kTimedOut, kAborted };

// Waits until the child's output has something to read (or has ended), the child itself has
// ended, timeoutMs pass (-1: no limit) or *abort (may be null) is set. The child's own end counts
// even while a process it left behind still holds the pipe open.
OutputWait WaitForOutput(const ChildProcess& child, int timeoutMs, const std::atomic<bool>* abort);

// read() that retries after interruptions.
ssize_t ReadSome(int fd, char* into, size_t room);

// What ReadAllOutput collected.
struct OutputReadResult {
    std::string text;       // the child's output, at most the limit asked for
    bool timedOut = false;  // the time ran out before the child closed its output or the limit
                            // was reached
};
// Reads until the child closes its output, limit bytes are in, or timeoutMs pass.
OutputReadResult ReadAllOutput(ChildProcess& child, size_t limit, int timeoutMs);

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

// A signal's short name, "SIGSEGV"; "signal N" for one without a name.
std::string SignalName(int signal);

// Milliseconds of a steady clock, wrapping like a 32-bit tick count. Tests may replace it.
using TickSource = uint32_t (*)();
void SetTickSource(TickSource source);
uint32_t CurrentTick();

}  // namespace clipwright
