// SIGTERM and SIGINT ask trelcore to stop: the handler only records the signal; the conversion
// loop and blocking input reads poll it and then close the output properly.
#pragma once

namespace trel {

void install_stop_handlers();

// The signal number received, or 0. Async-signal-safe to read from anywhere.
int stop_signal();

// An AVIOInterruptCB callback: non-zero once a stop was requested.
int stop_requested_callback(void* unused);

}  // namespace trel
