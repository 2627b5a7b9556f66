// Probing many files through one encoder process (`trelcore --probe-server`), which spares a
// program start for every file. Each path goes to the server's input ended by a zero byte; the
// server answers with the text `trelcore -i PATH` prints and an end line (see
// encoder/probe_server.h). A path whose answer does not come within the time limit, or whose
// probe kills the server, costs only that path: the server is ended and the next path starts
// a new one. Not thread-safe: one thread owns a ProbeServer, and (as for every child process)
// that thread must be the one that destroys it.
#pragma once

#include <string>
#include <string_view>

#include "contract/trelcore_contract.h"
#include "engine/child_process.h"
#include "engine/probe.h"
#include "engine/source_item.h"

namespace clipwright {

// The server's lines, as trelcore writes them.
inline constexpr std::string_view kProbeServerReady = trel::contract::ready_line;
inline constexpr std::string_view kProbeAnswerEnd = trel::contract::answer_end;

// How one answer came.
enum class ProbeEnd {
    kAnswered,     // the end line came
    kTimedOut,     // no end line within the limit; the server was ended
    kServerEnded,  // the server ended (or broke the protocol) before its end line
    kUnavailable,  // no server could be started, or the encoder has no such mode
    kRefused,      // the path holds a zero byte: it would read as two requests; not sent
};

struct ProbeAnswer {
    ProbeEnd end = ProbeEnd::kUnavailable;
    std::string text;  // what the server wrote for this path before its end line
};

class ProbeServer {
public:
    // timeoutMs: the limit for the server's start and for each answer, in milliseconds.
    explicit ProbeServer(int timeoutMs = kProbeTimeoutMs) : timeoutMs_(timeoutMs) {}
    ~ProbeServer() { Shut(); }
    ProbeServer(const ProbeServer&) = delete;
    ProbeServer& operator=(const ProbeServer&) = delete;

    // Sends path and waits for its answer, starting a server first when none runs. Once a
    // start has failed, every later call answers kUnavailable at once. Each answer is the
    // answer to this path: a path holding a zero byte is refused, and a server that has
    // answered more than it was asked is replaced before the next request.
    ProbeAnswer Ask(const std::string& path);

    // Probes path as Probe(item, path, failure) does, with the same results, through the
    // server; falls back to one encoder process for the file when no server is available.
    int32_t Probe(SourceItem& item, const std::string& path, ProbeFailure* failure);

    // The pid of the running server, or 0 (for tests).
    pid_t ServerPid() const { return child_.processHandle; }

private:
    // How far ReadUntil came.
    struct ReadUntilResult {
        size_t lineEnd = std::string::npos;  // the marker line's line feed in inbox_; npos when
                                             // the line did not come
        ProbeEnd end = ProbeEnd::kAnswered;  // kAnswered when it came, else kTimedOut or
                                             // kServerEnded (also for a broken protocol)
    };

    bool Start();
    void Shut();
    bool Send(const std::string& path);
    // Reads until marker stands in inbox_ followed by a line feed, the server ends or breaks
    // the protocol, or time runs out.
    ReadUntilResult ReadUntil(std::string_view marker);

    int timeoutMs_;
    bool unavailable_ = false;
    ChildProcess child_;
    std::string inbox_;  // read from the server and not yet handed out
};

}  // namespace clipwright
