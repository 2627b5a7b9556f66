// The conversion run: one pass over the source list, one encoder at a time, and the state it
// shares with the progress dialog.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/auto_reset_event.h"
#include "engine/batch_estimate.h"
#include "engine/batch_report.h"
#include "engine/child_io.h"
#include "engine/encoder_run.h"
#include "engine/run_fit.h"
#include "engine/worker_ui.h"

namespace clipwright {

// Result of a file that is not run: an empty selection or a type without an encoder.
inline constexpr int32_t kInvalidArgument = static_cast<int32_t>(0x80070057u);

// Owned by the progress dialog; the worker borrows it for the run. The flags and counters are
// single atomic words; stepText and currentTarget are read and written under stateLock.
struct ConversionShared {
    explicit ConversionShared(EncoderRun& sharedRun) : run(sharedRun) {}

    std::atomic<bool> cancelAll{false};
    std::atomic<bool> skipCurrent{false};
    std::atomic<bool> completed{false};
    std::atomic<int32_t> currentIndex{-1};
    std::atomic<int32_t> fileCount{0};
    std::atomic<SourceItem*> currentItem{nullptr};
    std::atomic<bool> workerRunning{false};

    // The run's measure for the time left, all media figures in milliseconds: set when the
    // first file starts (measuring), then moved on as each file ends.
    std::atomic<bool> measuring{false};
    std::atomic<uint32_t> startTick{0};       // CurrentTick when the first file started
    std::atomic<int64_t> finishedMediaMs{0};  // media converted by the files that ended
    std::atomic<int64_t> pendingMediaMs{0};   // media of the files not ended yet

    std::mutex stateLock;
    std::string currentSource;       // the worker's own
    std::string currentTarget;       // under stateLock
    std::string stepText;            // under stateLock
    std::vector<RowRecord> records;  // under stateLock: one entry a row the worker ended

    AutoResetEvent doneEvent;
    EncoderRun& run;
    // A run fitted to one disc: each row's options come from its plan, and each row's size is
    // reported back to it. Set before the worker starts; null for a standard run.
    std::shared_ptr<RunFit> fit;
};

// The worker's body. Signals doneEvent and sets workerRunning false at its end, then, unless
// cancelAll is set, sets completed and calls postCancelAll (which posts the dialog's own
// Cancel All; it must not block).
void RunConversionWorker(ConversionShared& shared, WorkerUi& ui,
                         const std::function<void()>& postCancelAll);

// The dialog's Cancel All after doneEvent: marks the rows from the current one on as Skip and
// refreshes them, unless the run completed meanwhile; rows already Done or Error keep that.
void MarkRemainingSkipped(ConversionShared& shared, WorkerUi& ui);

// The run's measure at tick now (a CurrentTick value), read from the shared counters.
RunMeasure MeasureRun(const ConversionShared& shared, uint32_t now);

// The reason a failed file shows under its path in the failure summary, in the user's language
// where it is one of ours (texts from ui), else the encoder's own error line or the output
// check's text; empty when nothing is known. reserveError: ReserveOutputName's error, 0 when the
// output's name was taken.
std::string FailureReason(WorkerUi& ui, const SourceItem& item, const EncoderOutcome& outcome,
                          int reserveError, bool convertibleType);

// The overall bar: (current + index * 100) / count, truncated; 0 without files.
int OverallPercent(int current, int index, int count);
// "%dK" of the file's size in KiB, or empty when the file does not exist.
std::string FileSizeText(const std::string& path);

}  // namespace clipwright
