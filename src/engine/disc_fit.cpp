#include "engine/disc_fit.h"

#include <algorithm>
#include <cmath>

#include "engine/free_space.h"
#include "engine/output_types.h"

namespace clipwright {

namespace {

// Below these averages the pictures break up into blocks; a run that needs less takes two discs.
constexpr int64_t kDvdLeastAverage = 1500000;
constexpr int64_t kSvcdLeastAverage = 1200000;
// Bisection steps on the shared quality factor: far past a kbit/s of resolution.
constexpr int kSearchSteps = 200;

// The peak the video may take so that video and audio stay within the multiplex.
int64_t PeakWithin(int64_t standardPeak, int64_t mux, int64_t audio) {
    const int64_t streams = mux * 1000 / (1000 + kMuxOverheadPerMille);
    return std::min(standardPeak, streams - audio);
}

// Bytes per (bit per second) of a file: its length with the multiplex's overhead.
double BytesPerRate(const FitFile& file) {
    return static_cast<double>(file.durationMs) / 8000.0 *
           static_cast<double>(1000 + kMuxOverheadPerMille) / 1000.0;
}

double AudioBytes(const FitLimits& limits, const FitFile& file) {
    return file.hasAudio ? static_cast<double>(limits.audio) * BytesPerRate(file) : 0.0;
}

// The video bytes of the files at one shared quality factor k: each at k times its difficulty,
// within the type's averages.
double VideoBytesAt(const FitLimits& limits, const std::vector<const FitFile*>& files,
                    const std::vector<double>& difficulty, double k) {
    double total = 0.0;
    for (size_t i = 0; i < files.size(); ++i) {
        const double rate = std::clamp(k * difficulty[i], static_cast<double>(limits.minAverage),
                                       static_cast<double>(limits.maxAverage));
        total += rate * BytesPerRate(*files[i]);
    }
    return total;
}

// Unmeasured files count as the average of the measured ones; with none measured, all alike.
std::vector<double> DifficultyOf(const std::vector<const FitFile*>& files) {
    double sum = 0.0;
    int measured = 0;
    for (const FitFile* file : files) {
        if (file->difficulty > 0.0 && std::isfinite(file->difficulty)) {
            sum += file->difficulty;
            ++measured;
        }
    }
    const double fallback = measured > 0 ? sum / measured : 1.0;
    std::vector<double> difficulty;
    difficulty.reserve(files.size());
    for (const FitFile* file : files) {
        const bool known = file->difficulty > 0.0 && std::isfinite(file->difficulty);
        difficulty.push_back(known ? file->difficulty : fallback);
    }
    return difficulty;
}

}  // namespace

int64_t FitDiscBytes(FitDiscSize size) {
    switch (size) {
        case FitDiscSize::kDvd5:
            return 4'700'000'000LL;
        case FitDiscSize::kDvd9:
            return 8'500'000'000LL;
        case FitDiscSize::kCd80:
            return 360'000LL * 2352;
    }
    return 0;
}

std::optional<FitDiscSize> FitDiscSizeOfName(const std::string& name) {
    if (name == "dvd5") {
        return FitDiscSize::kDvd5;
    }
    if (name == "dvd9") {
        return FitDiscSize::kDvd9;
    }
    if (name == "cd80") {
        return FitDiscSize::kCd80;
    }
    return std::nullopt;
}

std::optional<FitLimits> FitLimitsOfType(int32_t outputType) {
    FitLimits limits;
    limits.bufferBits = kMpeg2BufferBits;
    if (outputType == kTypeDvd) {
        limits.audio = kDvdAudioBits;
        limits.minAverage = kDvdLeastAverage;
        limits.maxAverage = 9000000;
        limits.peak = PeakWithin(9800000, kDvdMuxBits, limits.audio);
        limits.standardAverage = 6000000;
        return limits;
    }
    if (outputType == kTypeSvcd) {
        limits.audio = kSvcdAudioBits;
        limits.minAverage = kSvcdLeastAverage;
        limits.peak = PeakWithin(2600000, kSvcdMuxBits, limits.audio);
        limits.maxAverage = limits.peak;
        limits.standardAverage = 2040000;
        return limits;
    }
    return std::nullopt;
}

int64_t FitFileBytes(const FitLimits& limits, const FitFile& file, int64_t videoRate) {
    if (file.durationMs <= 0) {
        return 0;
    }
    const double video = file.hasVideo ? static_cast<double>(videoRate) * BytesPerRate(file) : 0.0;
    return static_cast<int64_t>(std::ceil(video + AudioBytes(limits, file)));
}

int64_t StandardRunBytes(const FitLimits& limits, const std::vector<FitFile>& files) {
    int64_t total = 0;
    for (const FitFile& file : files) {
        total += FitFileBytes(limits, file, limits.standardAverage);
    }
    return total;
}

FitPlan PlanFit(const FitLimits& limits, const std::vector<FitFile>& files, int64_t budgetBytes,
                const std::vector<std::optional<int64_t>>& fixedBytes) {
    FitPlan plan;
    plan.videoRates.assign(files.size(), 0);
    if (files.empty()) {
        plan.problem = FitProblem::kNoFiles;
        return plan;
    }
    std::vector<const FitFile*> video;
    std::vector<size_t> videoIndex;
    std::vector<size_t> planned;
    double fixedTotal = 0.0;
    for (size_t i = 0; i < files.size(); ++i) {
        if (i < fixedBytes.size() && fixedBytes[i]) {
            plan.plannedBytes += std::max<int64_t>(*fixedBytes[i], 0);
            continue;
        }
        if (files[i].durationMs <= 0) {
            plan.problem = FitProblem::kUnknownDuration;
            plan.problemFile = i;
            return plan;
        }
        planned.push_back(i);
        fixedTotal += AudioBytes(limits, files[i]);
        if (files[i].hasVideo) {
            video.push_back(&files[i]);
            videoIndex.push_back(i);
        }
    }
    if (planned.empty()) {
        return plan;
    }
    const double fixedBytesTotal = fixedTotal + static_cast<double>(plan.plannedBytes);

    const double budget = static_cast<double>(budgetBytes);
    const double aim = budget * kFitAimPerMille / 1000.0 - fixedBytesTotal;
    const double room = budget - fixedBytesTotal;
    const std::vector<double> difficulty = DifficultyOf(video);
    double k = 0.0;
    if (VideoBytesAt(limits, video, difficulty, 0.0) > room) {
        plan.problem = FitProblem::kTooLong;
    } else {
        // Every file at the same multiple of its difficulty: the largest multiple whose bytes
        // stay within the aim.
        double low = 0.0;
        double high = 0.0;
        if (!difficulty.empty()) {
            high = static_cast<double>(limits.maxAverage) /
                   *std::min_element(difficulty.begin(), difficulty.end());
        }
        if (VideoBytesAt(limits, video, difficulty, high) <= aim) {
            low = high;
        }
        for (int step = 0; step < kSearchSteps && low < high; ++step) {
            const double middle = low + (high - low) / 2;
            if (middle <= low || middle >= high) {
                break;
            }
            (VideoBytesAt(limits, video, difficulty, middle) <= aim ? low : high) = middle;
        }
        k = low;
    }

    double rateTimesLength = 0.0;
    double length = 0.0;
    for (size_t i = 0; i < video.size(); ++i) {
        const double rate = std::clamp(k * difficulty[i], static_cast<double>(limits.minAverage),
                                       static_cast<double>(limits.maxAverage));
        // Whole kbit/s, as the command line takes them, rounded down to stay within the aim.
        const int64_t kbps = static_cast<int64_t>(std::floor(rate / 1000.0));
        plan.videoRates[videoIndex[i]] = std::max(kbps * 1000, limits.minAverage);
        rateTimesLength += static_cast<double>(plan.videoRates[videoIndex[i]]) *
                           static_cast<double>(video[i]->durationMs);
        length += static_cast<double>(video[i]->durationMs);
    }
    for (const size_t i : planned) {
        plan.plannedBytes += FitFileBytes(limits, files[i], plan.videoRates[i]);
    }
    plan.averageVideoRate = length > 0.0 ? std::llround(rateTimesLength / length) : 0;
    return plan;
}

std::vector<std::string> FitRateOptions(const FitLimits& limits, int64_t videoRate) {
    const int64_t average = std::clamp(videoRate, limits.minAverage, limits.maxAverage);
    return {"-bt", std::to_string(average / 1000) + "k", "-maxrate",
            std::to_string(limits.peak / 1000) + "k"};
}

}  // namespace clipwright
