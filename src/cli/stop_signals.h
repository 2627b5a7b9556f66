// SIGINT and SIGTERM for clipwright-cli, taken by one thread of their own (sigwait) instead of a
// handler, so the stop may take locks and start the encoders' shutdown. The first signal calls
// onStop; a second SIGINT calls onStopNow. SIGPIPE is blocked for good. Construct before any other
// thread starts, so every thread inherits the blocked signals; children unblock them before their
// program runs.
#pragma once

#include <signal.h>

#include <functional>
#include <thread>

namespace clipwright::cli {

class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Starts the thread that waits for the signals; both calls run on it.
    void Start(std::function<void()> onStop, std::function<void()> onStopNow);

private:
    sigset_t set_{};
    std::thread thread_;
};

}  // namespace clipwright::cli
