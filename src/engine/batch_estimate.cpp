#include "engine/batch_estimate.h"

#include <cmath>
#include <cstdio>

#include "base/text_format.h"
#include "engine/command_line.h"

namespace clipwright {

BatchEstimate EstimateBatch(const RunMeasure& measure) {
    BatchEstimate estimate;
    if (measure.elapsedMs < kEstimateWarmUpMs || measure.convertedMediaMs <= 0) {
        return estimate;
    }
    estimate.speed =
        static_cast<double>(measure.convertedMediaMs) / static_cast<double>(measure.elapsedMs);
    const int64_t remaining = measure.remainingMediaMs > 0 ? measure.remainingMediaMs : 0;
    const double seconds = std::ceil(static_cast<double>(remaining) / estimate.speed / 1000.0);
    if (!std::isfinite(seconds) || seconds > static_cast<double>(kEstimateLimitSeconds)) {
        return BatchEstimate{};
    }
    estimate.secondsLeft = static_cast<int64_t>(seconds);
    estimate.shown = true;
    return estimate;
}

namespace {

// The row's part, or -1 when its source has no known duration.
int64_t KnownPartMs(const SourceItem& item) {
    if (item.duration <= 0 && item.durationMs <= 0) {
        return -1;
    }
    if (item.selEnd <= item.selStart) {
        return 0;
    }
    return PartOf(item).lengthMs;
}

}  // namespace

std::vector<int64_t> PlannedPartMs(const std::vector<const SourceItem*>& items) {
    std::vector<int64_t> parts;
    parts.reserve(items.size());
    int64_t knownSum = 0;
    int64_t knownCount = 0;
    for (const SourceItem* item : items) {
        const int64_t part = item != nullptr ? KnownPartMs(*item) : 0;
        parts.push_back(part);
        // Empty parts and missing rows say nothing about how long a file is.
        if (part > 0) {
            knownSum += part;
            ++knownCount;
        }
    }
    const int64_t average = knownCount > 0 ? knownSum / knownCount : 0;
    for (int64_t& part : parts) {
        if (part < 0) {
            part = average;
        }
    }
    return parts;
}

std::string SpeedText(double speed) {
    return DisplayDecimal(std::isfinite(speed) && speed > 0 ? speed : 0.0, 1) + "x";
}

}  // namespace clipwright
