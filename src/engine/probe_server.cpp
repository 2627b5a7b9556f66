#include "engine/probe_server.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "engine/child_io.h"
#include "engine/command_line.h"
#include "engine/probe.h"

namespace clipwright {

namespace {

// An answer longer than this is no probe text: the server is taken as broken.
constexpr size_t kMaxAnswerBytes = 1 << 20;

// Writes all of data to a non-blocking pipe within timeoutMs. SIGPIPE is held back on this
// thread meanwhile, so a server that died costs a failed write, not the whole program.
bool WriteWithin(int fd, std::string_view data, int timeoutMs) {
    sigset_t pipeSignal;
    sigset_t previous;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    ::pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
    const uint32_t begin = CurrentTick();
    bool ok = true;
    while (ok && !data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n > 0) {
            data.remove_prefix(static_cast<size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno == EAGAIN) {
            pollfd out{fd, POLLOUT, 0};
            const int left = MsLeft(begin, timeoutMs);
            ok = left > 0 && ::poll(&out, 1, left) >= 0;
            continue;
        }
        ok = false;
        if (errno == EPIPE) {
            // The signal the write raised is pending on this thread: take it before unblocking.
            const timespec now{0, 0};
            ::sigtimedwait(&pipeSignal, nullptr, &now);
        }
    }
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return ok;
}

}  // namespace

bool ProbeServer::Start() {
    child_.commandLine = BuildProbeServerCommandLine();
    child_.flags = PIPE_STDIN | PIPE_STDOUT;
    inbox_.clear();
    if (StartChild(child_) != 0) {
        unavailable_ = true;
        return false;
    }
    // As a probe of its own: the user waits on it.
    SetChildPriority(child_, 2);
    const int flags = ::fcntl(child_.stdinWrite, F_GETFL);
    ::fcntl(child_.stdinWrite, F_SETFL, flags | O_NONBLOCK);
    const ReadUntilResult ready = ReadUntil(kProbeServerReady);
    // An encoder without the mode says so and ends; anything before the line is no server.
    if (ready.end != ProbeEnd::kAnswered || !inbox_.starts_with(kProbeServerReady)) {
        Shut();
        unavailable_ = true;
        return false;
    }
    inbox_.erase(0, ready.lineEnd + 1);
    return true;
}

void ProbeServer::Shut() {
    KillChild(child_);
    ReleaseChild(child_);
    inbox_.clear();
}

bool ProbeServer::Send(const std::string& path) {
    std::string request = path;
    request += '\0';
    return WriteWithin(child_.stdinWrite, request, timeoutMs_);
}

ProbeServer::ReadUntilResult ProbeServer::ReadUntil(std::string_view marker) {
    const uint32_t begin = CurrentTick();
    char chunk[kOutputBufferFill];
    ReadUntilResult result;
    while (true) {
        const size_t at = inbox_.find(marker);
        result.lineEnd = at == std::string::npos ? at : inbox_.find('\n', at);
        if (result.lineEnd != std::string::npos) {
            return result;
        }
        if (inbox_.size() > kMaxAnswerBytes) {
            result.end = ProbeEnd::kServerEnded;
            return result;
        }
        const int left = MsLeft(begin, timeoutMs_);
        const OutputWait wait =
            left > 0 ? WaitForOutput(child_, left, nullptr) : OutputWait::kTimedOut;
        if (wait == OutputWait::kTimedOut) {
            result.end = ProbeEnd::kTimedOut;
            return result;
        }
        const ssize_t n =
            wait == OutputWait::kReadable ? ReadSome(child_.stdoutRead, chunk, sizeof chunk) : 0;
        if (n <= 0) {
            result.end = ProbeEnd::kServerEnded;
            return result;
        }
        inbox_.append(chunk, static_cast<size_t>(n));
    }
}

ProbeAnswer ProbeServer::Ask(const std::string& path) {
    ProbeAnswer answer;
    if (HoldsZeroByte(path)) {
        answer.end = ProbeEnd::kRefused;
        return answer;
    }
    // Requests and answers pair up in order: text read past the last answer answers nothing
    // asked, and the next answer read would go to the wrong path.
    if (!inbox_.empty()) {
        Shut();
    }
    if (unavailable_ || (child_.processHandle == 0 && !Start())) {
        return answer;
    }
    if (!Send(path)) {
        // The server ended since its last answer: a new one takes the path.
        Shut();
        if (!Start()) {
            return answer;
        }
        if (!Send(path)) {
            Shut();
            answer.end = ProbeEnd::kServerEnded;
            return answer;
        }
    }
    const ReadUntilResult reply = ReadUntil(kProbeAnswerEnd);
    answer.end = reply.end;
    if (reply.end != ProbeEnd::kAnswered) {
        answer.text = std::move(inbox_);
        Shut();  // the next path gets a fresh server
        return answer;
    }
    answer.text = inbox_.substr(0, inbox_.find(kProbeAnswerEnd));
    inbox_.erase(0, reply.lineEnd + 1);
    return answer;
}

int32_t ProbeServer::Probe(SourceItem& item, const std::string& path, ProbeFailure* failure) {
    const ProbeAnswer answer = Ask(path);
    if (answer.end == ProbeEnd::kRefused) {
        return ParseProbeOutput(item, path, {});
    }
    if (answer.end == ProbeEnd::kUnavailable) {
        return clipwright::Probe(item, path, failure);
    }
    // The one-shot probe reads no more than this; neither does this one, so results match.
    const std::string text = answer.text.substr(0, kOutputBufferFill);
    const int32_t result = ParseProbeOutput(item, path, text);
    if (result != 0 && failure != nullptr) {
        *failure = DescribeProbeFailure(answer.text, path, answer.end == ProbeEnd::kTimedOut,
                                        answer.end == ProbeEnd::kServerEnded);
    }
    return result;
}

}  // namespace clipwright
