#include "engine/child_io.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace clipwright {

namespace {

uint32_t SteadyTick() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

std::atomic<TickSource> gTickSource{&SteadyTick};

// How often a reader that waits for output looks at the abort flag.
constexpr int kAbortPollMs = 50;

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

OutputReadResult ReadAllOutput(ChildProcess& child, size_t limit, int timeoutMs) {
    OutputReadResult collected;
    char chunk[kOutputBufferFill];
    const uint32_t begin = CurrentTick();
    while (collected.text.size() < limit) {
        const int left = MsLeft(begin, timeoutMs);
        if (left == 0) {
            collected.timedOut = true;
            break;
        }
        const OutputWait wait = WaitForOutput(child, left, nullptr);
        if (wait != OutputWait::kReadable) {
            collected.timedOut = wait == OutputWait::kTimedOut;
            break;
        }
        const ssize_t n = ReadSome(child.stdoutRead, chunk, limit - collected.text.size());
        if (n <= 0) {
            break;
        }
        collected.text.append(chunk, static_cast<size_t>(n));
    }
    return collected;
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
    answer.output = ReadAllOutput(child, limit, timeoutMs).text;
    // A child that did not end in time is killed (and reaped) with the record.
    answer.exited = WaitChildExit(child, MsLeft(begin, timeoutMs)) && child.exited &&
                    WIFEXITED(child.waitStatus);
    if (answer.exited) {
        answer.status = WEXITSTATUS(child.waitStatus);
    }
    return answer;
}

std::string SignalName(int signal) {
    const char* name = signal > 0 ? ::sigabbrev_np(signal) : nullptr;
    return name != nullptr ? std::string("SIG") + name : "signal " + std::to_string(signal);
}

}  // namespace clipwright
