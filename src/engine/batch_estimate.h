// The time left for a whole conversion run, from the media time converted so far and the wall
// time it took. Plain arithmetic on one snapshot of the run's counters; no clock of its own
// (callers pass CurrentTick differences, so tests drive it with a fake tick source).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/source_item.h"

namespace clipwright {

// Below this much measured wall time the speed says too little to be shown.
inline constexpr int64_t kEstimateWarmUpMs = 3000;
// A figure past this is not worth showing (a stalled encoder, a machine put to sleep).
inline constexpr int64_t kEstimateLimitSeconds = 100 * 3600;

// One reading of a run, every figure in milliseconds.
struct RunMeasure {
    int64_t elapsedMs = 0;         // wall time since the first file started
    int64_t convertedMediaMs = 0;  // media converted in that time, finished files and current
    int64_t remainingMediaMs = 0;  // media still to convert, the current file's rest included
};

struct BatchEstimate {
    bool shown = false;       // false: not enough measured yet, or no sensible figure
    double speed = 0.0;       // media seconds per wall second
    int64_t secondsLeft = 0;  // for the whole run, rounded up; 0..kEstimateLimitSeconds
};

BatchEstimate EstimateBatch(const RunMeasure& measure);

// Milliseconds each row's part will take to convert, in list order, for the rows still to
// run. A row whose source probed without a duration counts at the average of the non-empty
// parts of rows that have one (0 when none has); an empty part or a missing row counts 0.
std::vector<int64_t> PlannedPartMs(const std::vector<const SourceItem*>& items);

// "3.2x" of a speed (one decimal).
std::string SpeedText(double speed);

}  // namespace clipwright
