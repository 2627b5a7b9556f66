// Probing files before they join the source list, and the state the detecting dialog shares
// with the worker.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "engine/worker_ui.h"

namespace clipwright {

// Owned by the detecting dialog. statusText is read and written under stateLock.
struct DetectionShared {
    std::mutex stateLock;
    std::string statusText;
    std::atomic<bool> workerRunning{false};
};

struct DetectionCallbacks {
    std::function<void(int)> setProgress;  // 0..100, before each probe
    std::function<void()> requestClose;    // the worker's own close request, posted
};

// The text that says the encoder program is missing and the folders it was looked for in, or
// that what stands under its name is not executable or is a folder.
std::string EncoderMissingMessage(WorkerUi& ui);
// Where the encoder program name is looked for, one folder a line (the name itself when it
// holds a "/"), as that text shows it.
std::string EncoderSearchText(const std::string& name);

// Probes every path in order and lists the ones with a duration; when the encoder program
// cannot be found, says so (EncoderMissingMessage) and lists nothing. Sets workerRunning false and
// calls requestClose at its end.
void RunDetectionWorker(DetectionShared& shared, WorkerUi& ui,
                        const std::vector<std::string>& paths, const DetectionCallbacks& callbacks);

}  // namespace clipwright
