#include "cli/stop_signals.h"

#include <pthread.h>

#include <utility>

namespace clipwright::cli {

namespace {
// Sent by the destructor to end the waiting thread.
constexpr int kQuitSignal = SIGUSR2;
}  // namespace

StopSignals::StopSignals() {
    ::sigemptyset(&set_);
    ::sigaddset(&set_, SIGINT);
    ::sigaddset(&set_, SIGTERM);
    ::sigaddset(&set_, kQuitSignal);
    ::pthread_sigmask(SIG_BLOCK, &set_, nullptr);
    // A reader of the progress that goes away must not end the batch with encoders still
    // writing: writes then fail with EPIPE instead. Children start with no signal blocked.
    sigset_t pipe;
    ::sigemptyset(&pipe);
    ::sigaddset(&pipe, SIGPIPE);
    ::pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
}

StopSignals::~StopSignals() {
    if (thread_.joinable()) {
        ::pthread_kill(thread_.native_handle(), kQuitSignal);
        thread_.join();
    }
}

void StopSignals::Start(std::function<void()> onStop, std::function<void()> onStopNow) {
    thread_ = std::thread([this, stop = std::move(onStop), stopNow = std::move(onStopNow)] {
        bool stopping = false;
        while (true) {
            int signal = 0;
            if (::sigwait(&set_, &signal) != 0 || signal == kQuitSignal) {
                return;
            }
            if (!stopping) {
                stopping = true;
                stop();
            } else if (signal == SIGINT) {
                stopNow();
            }
        }
    });
}

}  // namespace clipwright::cli
