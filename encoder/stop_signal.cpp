#include "stop_signal.h"

#include <csignal>

namespace trel {
namespace {

volatile std::sig_atomic_t g_stop_signal = 0;

extern "C" void on_stop_signal(int number) {
    g_stop_signal = number;
}

}  // namespace

void install_stop_handlers() {
    struct sigaction action {};
    action.sa_handler = on_stop_signal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    // A closed reader must not kill us before the output is finished.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, nullptr);
}

int stop_signal() {
    return g_stop_signal;
}

int stop_requested_callback(void* /*unused*/) {
    return g_stop_signal != 0 ? 1 : 0;
}

}  // namespace trel
