// An event that releases one waiter and then resets itself. Thread-safe.
#pragma once

#include <condition_variable>
#include <mutex>

namespace clipwright {

class AutoResetEvent {
public:
    void Set();
    void Reset();
    // Waits until set, then resets it.
    void Wait();
    // Consumes the event if it is set; never blocks.
    bool TryWait();

private:
    std::mutex mutex_;
    std::condition_variable signalled_;
    bool set_ = false;
};

}  // namespace clipwright
