// Sharing a disc among a run's files: rates within the type's limits and by difficulty, the disc
// filled and never passed (also when outputs miss their plan), and the runs that cannot fit.
#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/disc_fit.h"
#include "engine/output_types.h"
#include "engine/run_fit.h"

namespace clipwright {
namespace {

FitFile File(int64_t minutes, double difficulty) {
    FitFile file;
    file.durationMs = minutes * 60 * 1000;
    file.difficulty = difficulty;
    return file;
}

FitLimits Dvd() {
    return *FitLimitsOfType(kTypeDvd);
}

int64_t TotalMinutes(const std::vector<FitFile>& files) {
    int64_t ms = 0;
    for (const FitFile& file : files) {
        ms += file.durationMs;
    }
    return ms / 60000;
}

// Runs of different mixes, each too long for one disc at the standard rate.
std::vector<std::vector<FitFile>> SampleRuns() {
    return {
        {File(60, 1.0), File(60, 1.0), File(60, 1.0)},
        {File(30, 0.2), File(90, 3.0), File(45, 1.0)},
        {File(120, 5.0)},
        {File(5, 1.0), File(200, 1.0)},
        {File(100, 0.05), File(100, 1.0), File(20, 8.0), File(15, 0.0)},
    };
}

TEST(DiscFit, RatesStayWithinTheTypesLimitsAndTheDiscIsFilled) {
    const int64_t budget = FitDiscBytes(FitDiscSize::kDvd5);
    for (const FitLimits& limits : {Dvd(), *FitLimitsOfType(kTypeSvcd)}) {
        EXPECT_GE(limits.peak, limits.maxAverage);
        for (const std::vector<FitFile>& run : SampleRuns()) {
            SCOPED_TRACE(TotalMinutes(run));
            const int64_t disc =
                limits.audio == Dvd().audio ? budget : FitDiscBytes(FitDiscSize::kCd80) * 9 / 10;
            // Scaled so that the standard rate is 1.4 discs.
            std::vector<FitFile> scaled = run;
            const double factor = 1.4 * static_cast<double>(disc) /
                                  static_cast<double>(StandardRunBytes(limits, run));
            for (FitFile& file : scaled) {
                file.durationMs =
                    static_cast<int64_t>(static_cast<double>(file.durationMs) * factor);
            }
            const FitPlan plan = PlanFit(limits, scaled, disc);
            ASSERT_EQ(plan.problem, FitProblem::kNone);
            ASSERT_EQ(plan.videoRates.size(), scaled.size());
            for (int64_t rate : plan.videoRates) {
                EXPECT_GE(rate, limits.minAverage);
                EXPECT_LE(rate, limits.maxAverage);
            }
            EXPECT_LE(plan.plannedBytes, disc);
            EXPECT_GE(plan.plannedBytes, disc * kFitLeastPerMille / 1000);
            int64_t sum = 0;
            for (size_t i = 0; i < scaled.size(); ++i) {
                sum += FitFileBytes(limits, scaled[i], plan.videoRates[i]);
            }
            EXPECT_EQ(sum, plan.plannedBytes);
            EXPECT_LT(plan.averageVideoRate, limits.standardAverage);
        }
    }
}

// The same quality for all: a harder file gets more bits, files alike get the same, and an
// unmeasured file counts as an average one.
TEST(DiscFit, HarderFilesGetMoreBitsAndLikeFilesTheSame) {
    const std::vector<FitFile> run = {File(60, 1.0), File(60, 2.0), File(60, 1.0), File(60, 0.0),
                                      File(30, 4.0 / 3.0)};
    const FitPlan plan = PlanFit(Dvd(), run, FitDiscBytes(FitDiscSize::kDvd5));
    ASSERT_EQ(plan.problem, FitProblem::kNone);
    EXPECT_GT(plan.videoRates[1], plan.videoRates[0]);
    EXPECT_EQ(plan.videoRates[0], plan.videoRates[2]);
    // Between the easy and the hard one, at the measured files' mean (4/3).
    EXPECT_GT(plan.videoRates[3], plan.videoRates[0]);
    EXPECT_LT(plan.videoRates[3], plan.videoRates[1]);
    EXPECT_NEAR(static_cast<double>(plan.videoRates[3]), static_cast<double>(plan.videoRates[4]),
                2000.0);

    // A very easy file is held at the least rate, a very hard one at the most, and the others
    // take up what that leaves.
    const std::vector<FitFile> extremes = {File(60, 0.001), File(10, 1000.0), File(120, 1.0)};
    const FitPlan held = PlanFit(Dvd(), extremes, FitDiscBytes(FitDiscSize::kDvd5));
    ASSERT_EQ(held.problem, FitProblem::kNone);
    EXPECT_EQ(held.videoRates[0], Dvd().minAverage);
    EXPECT_EQ(held.videoRates[1], Dvd().maxAverage);
    EXPECT_GE(held.plannedBytes, FitDiscBytes(FitDiscSize::kDvd5) * kFitLeastPerMille / 1000);
    EXPECT_LE(held.plannedBytes, FitDiscBytes(FitDiscSize::kDvd5));

    // Files without video keep their audio and take no video rate.
    std::vector<FitFile> withSong = run;
    withSong.push_back(File(40, 1.0));
    withSong.back().hasVideo = false;
    const FitPlan song = PlanFit(Dvd(), withSong, FitDiscBytes(FitDiscSize::kDvd5));
    EXPECT_EQ(song.videoRates.back(), 0);
    EXPECT_GT(FitFileBytes(Dvd(), withSong.back(), 0), 0);
    EXPECT_LE(song.plannedBytes, FitDiscBytes(FitDiscSize::kDvd5));
}

// The outputs miss their plan in both directions, as a real encoder's do: after each file the
// rest are planned again from what was written, and the run still ends within the disc.
TEST(DiscFit, LaterFilesTakeUpWhatEarlierOnesMissed) {
    const int64_t disc = FitDiscBytes(FitDiscSize::kDvd9);
    const std::vector<FitFile> run = {File(90, 1.0), File(60, 2.5), File(120, 0.7), File(80, 1.2),
                                      File(70, 1.0)};
    const FitPlan first = PlanFit(Dvd(), run, disc);
    ASSERT_EQ(first.problem, FitProblem::kNone);
    for (const int missPercent : {6, -6, 3, -2}) {
        SCOPED_TRACE(missPercent);
        std::vector<std::optional<int64_t>> written;
        FitPlan plan = first;
        for (size_t i = 0; i < run.size(); ++i) {
            plan = PlanFit(Dvd(), run, disc, written);
            ASSERT_EQ(plan.problem, FitProblem::kNone);
            const int64_t planned = FitFileBytes(Dvd(), run[i], plan.videoRates[i]);
            // Alternate files miss; the last one hits its plan.
            const int miss = i + 1 < run.size() && i % 2 == 0 ? missPercent : 0;
            written.push_back(planned + planned * miss / 100);
            if (i == 1) {
                // After a larger first file the others get less than first planned; after a
                // smaller one, more.
                if (missPercent > 0) {
                    EXPECT_LT(plan.videoRates[1], first.videoRates[1]);
                } else {
                    EXPECT_GT(plan.videoRates[1], first.videoRates[1]);
                }
            }
        }
        int64_t total = 0;
        for (const std::optional<int64_t>& bytes : written) {
            total += bytes.value_or(0);
        }
        EXPECT_LE(total, disc);
        EXPECT_GE(total, disc * kFitLeastPerMille / 1000);
        // Once all are written, the plan is what was written.
        EXPECT_EQ(PlanFit(Dvd(), run, disc, written).plannedBytes, total);
    }
}

// Files converted at once finish out of order: any file with a size is held, the rest planned.
TEST(DiscFit, AFileFinishedOutOfOrderMovesTheOthers) {
    const int64_t disc = FitDiscBytes(FitDiscSize::kDvd5);
    const std::vector<FitFile> run = {File(60, 1.0), File(60, 1.0), File(60, 1.0)};
    const FitPlan first = PlanFit(Dvd(), run, disc);
    const int64_t middle = FitFileBytes(Dvd(), run[1], first.videoRates[1]);
    const FitPlan after = PlanFit(Dvd(), run, disc, {std::nullopt, middle * 11 / 10});
    EXPECT_EQ(after.videoRates[1], 0);
    EXPECT_LT(after.videoRates[0], first.videoRates[0]);
    EXPECT_EQ(after.videoRates[0], after.videoRates[2]);
    EXPECT_LE(after.plannedBytes, disc);
    EXPECT_GE(after.plannedBytes, disc * kFitLeastPerMille / 1000);
}

TEST(DiscFit, RunsThatCannotBePlannedSayWhy) {
    const int64_t disc = FitDiscBytes(FitDiscSize::kDvd5);
    // Seven hours do not go onto 4.7 GB even at the least rate, but onto 8.5 GB.
    const std::vector<FitFile> long_run = {File(210, 1.0), File(210, 1.0)};
    const FitPlan tooLong = PlanFit(Dvd(), long_run, disc);
    EXPECT_EQ(tooLong.problem, FitProblem::kTooLong);
    EXPECT_GT(tooLong.plannedBytes, disc);
    EXPECT_EQ(PlanFit(Dvd(), long_run, FitDiscBytes(FitDiscSize::kDvd9)).problem,
              FitProblem::kNone);
    // Earlier files that came out far too large leave no room for the rest.
    const std::vector<FitFile> run = {File(100, 1.0), File(100, 1.0)};
    EXPECT_EQ(PlanFit(Dvd(), run, disc).problem, FitProblem::kNone);
    EXPECT_EQ(PlanFit(Dvd(), run, disc, {disc - 1000}).problem, FitProblem::kTooLong);
    // A file of unknown length, wherever it is among those still to write.
    std::vector<FitFile> unknown = {File(10, 1.0), File(10, 1.0), File(10, 1.0)};
    unknown[2].durationMs = 0;
    const FitPlan noLength = PlanFit(Dvd(), unknown, disc);
    EXPECT_EQ(noLength.problem, FitProblem::kUnknownDuration);
    EXPECT_EQ(noLength.problemFile, 2u);
    unknown[2].durationMs = -1;
    EXPECT_EQ(PlanFit(Dvd(), unknown, disc, {1000}).problemFile, 2u);
    // Once written, its length no longer matters.
    EXPECT_EQ(PlanFit(Dvd(), unknown, disc, {std::nullopt, std::nullopt, 1000}).problem,
              FitProblem::kNone);
    EXPECT_EQ(PlanFit(Dvd(), {}, disc).problem, FitProblem::kNoFiles);
    // A Video CD's rate is fixed; free-form types have no disc.
    EXPECT_FALSE(FitLimitsOfType(kTypeVcd).has_value());
    EXPECT_FALSE(FitLimitsOfType(kTypeMpeg4).has_value());
}

// A short run fits at the most rate and is not stretched past it.
// The analysis names the file it cannot plan by its place among the rows, the unconverted
// ones counted, and tells so before it measures anything.
TEST(DiscFit, TheAnalysisNamesTheFileOfUnknownLengthBeforeMeasuring) {
    SourceItem known;
    known.durationMs = 60'000;
    known.duration = 60;
    known.selEnd = 60;
    SourceItem unknown;
    RunFit fit(kTypeDvd, "-target pal-dvd", FitDiscBytes(FitDiscSize::kDvd5));
    const std::atomic<bool> go{false};
    int measured = 0;
    const FitAnalysisResult result =
        fit.Analyse({&known, nullptr, &unknown}, go, [&measured](size_t) { ++measured; });
    EXPECT_EQ(result.problem, FitProblem::kUnknownDuration);
    EXPECT_EQ(result.problemFile, 2u);
    EXPECT_EQ(measured, 0);
    EXPECT_EQ(RunFit(kTypeDvd, "", 0).Analyse({}, go).problem, FitProblem::kNoFiles);
}

TEST(DiscFit, ShortRunsStayAtTheHighestAverage) {
    const FitPlan plan =
        PlanFit(Dvd(), {File(10, 1.0), File(5, 3.0)}, FitDiscBytes(FitDiscSize::kDvd5));
    ASSERT_EQ(plan.problem, FitProblem::kNone);
    EXPECT_EQ(plan.videoRates[0], Dvd().maxAverage);
    EXPECT_EQ(plan.videoRates[1], Dvd().maxAverage);
    EXPECT_LT(plan.plannedBytes, FitDiscBytes(FitDiscSize::kDvd5) / 2);
}

TEST(DiscFit, RateOptionsForTheCommandLine) {
    for (const int32_t type : {kTypeDvd, kTypeSvcd}) {
        const FitLimits limits = *FitLimitsOfType(type);
        const std::vector<std::string> options = FitRateOptions(limits, 2345678);
        ASSERT_EQ(options.size(), 4u);
        EXPECT_EQ(options[0], "-bt");
        EXPECT_EQ(options[2], "-maxrate");
        const int64_t average = std::strtoll(options[1].c_str(), nullptr, 10) * 1000;
        const int64_t peak = std::strtoll(options[3].c_str(), nullptr, 10) * 1000;
        EXPECT_EQ(options[1].back(), 'k');
        EXPECT_GE(average, limits.minAverage);
        EXPECT_LE(average, peak);
        EXPECT_LE(peak, type == kTypeDvd ? 9800000 : 2600000);
        // Video and audio within the type's multiplex.
        EXPECT_LE(peak + limits.audio, type == kTypeDvd ? 10080000 : 2788800);
        // A rate outside the limits is brought within them.
        EXPECT_EQ(std::strtoll(FitRateOptions(limits, 1).at(1).c_str(), nullptr, 10) * 1000,
                  limits.minAverage);
    }
    EXPECT_EQ(FitDiscSizeOfName("dvd9"), FitDiscSize::kDvd9);
    EXPECT_EQ(FitDiscSizeOfName("cd80"), FitDiscSize::kCd80);
    EXPECT_FALSE(FitDiscSizeOfName("DVD5").has_value());
    EXPECT_GT(FitDiscBytes(FitDiscSize::kDvd9), FitDiscBytes(FitDiscSize::kDvd5));
}

}  // namespace
}  // namespace clipwright
