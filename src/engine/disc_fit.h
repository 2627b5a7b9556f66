// Sharing a disc's bytes out among a run's files: each file's video rate in proportion to how
// hard it is to encode (the same quantiser, so the same quality, for all), within the disc
// type's rate limits, so that the files together fill the disc and never pass it. Pure
// arithmetic on plain values; safe from any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace clipwright {

// The blank discs a run can be fitted to.
enum class FitDiscSize { kDvd5, kDvd9, kCd80 };

// Bytes of a blank disc: 4.7 GB and 8.5 GB (decimal) for DVD, an 80-minute CD as raw sectors.
int64_t FitDiscBytes(FitDiscSize size);
// "dvd5", "dvd9", "cd80" as typed on a command line; nullopt for anything else.
std::optional<FitDiscSize> FitDiscSizeOfName(const std::string& name);

// What a disc type allows, all in bits per second except the buffer (bits).
struct FitLimits {
    int64_t minAverage = 0;       // the lowest average video rate worth offering
    int64_t maxAverage = 0;       // the highest average video rate the type allows
    int64_t peak = 0;             // the video's peak rate, within the multiplex with the audio
    int64_t bufferBits = 0;       // the video buffer of the standard
    int64_t audio = 0;            // the audio rate, unchanged by fitting
    int64_t standardAverage = 0;  // the target's own average video rate
};

// DVD: average 1.5 to 9 Mbit/s, peak at most 9.8 Mbit/s; SVCD: peak at most 2.6 Mbit/s. Both
// keep the peak within the multiplex rate once the audio is in. nullopt for types that are not
// fitted (a Video CD's rate is fixed by its standard; the free-form types have no disc).
std::optional<FitLimits> FitLimitsOfType(int32_t outputType);

// One file of the run, as the planner sees it.
struct FitFile {
    int64_t durationMs = 0;  // the part converted; 0 or less: not known
    // How hard the file is: the video bits per second the analysis pass measured at its fixed
    // quantiser. 0: not measured (such a file counts as an average one).
    double difficulty = 0.0;
    bool hasVideo = true;
    bool hasAudio = true;
};

enum class FitProblem {
    kNone,
    kNoFiles,          // nothing to plan
    kUnknownDuration,  // a file's length is not known (problemFile names it)
    kTooLong,          // even the lowest rate passes the disc
};

struct FitPlan {
    FitProblem problem = FitProblem::kNone;
    size_t problemFile = 0;
    // Video bits per second per file, in the order given; 0 for a file without video and for
    // the files not planned (those with a fixed size).
    std::vector<int64_t> videoRates;
    int64_t plannedBytes = 0;      // the whole run: fixed files as given, the rest planned
    int64_t averageVideoRate = 0;  // over the files planned, weighted by length
};

// The share of the budget aimed at: misses of the encoder's rate control either way stay
// within the disc and above the least fill asked for.
inline constexpr int64_t kFitAimPerMille = 975;
inline constexpr int64_t kFitLeastPerMille = 950;

// Plans the files whose fixedBytes entry is empty (or missing past its end). A file with an
// entry is not planned again: its entry is its real size once written, or its planned size while
// it is being written. So a file that came out larger or smaller than planned moves the rates of
// the ones still to come. budgetBytes is what the files may take together (the disc less what its
// structure adds). Files that fit even at the highest rate get the highest rate and fill less
// than the aim; kTooLong comes with every file still to plan at the lowest rate.
FitPlan PlanFit(const FitLimits& limits, const std::vector<FitFile>& files, int64_t budgetBytes,
                const std::vector<std::optional<int64_t>>& fixedBytes = {});

// Bytes one file's output takes at a video rate: its streams for its length plus the
// multiplex's overhead.
int64_t FitFileBytes(const FitLimits& limits, const FitFile& file, int64_t videoRate);
// Bytes of the whole run at the type's standard rate.
int64_t StandardRunBytes(const FitLimits& limits, const std::vector<FitFile>& files);

// trelcore's rate options for a fitted file, placed after its target: a variable rate around
// the planned average and the type's peak (the target keeps the standard's buffer). Locale-free
// kbit/s.
std::vector<std::string> FitRateOptions(const FitLimits& limits, int64_t videoRate);

}  // namespace clipwright
