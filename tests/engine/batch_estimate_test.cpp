// The time left for a whole run: the arithmetic on its own, and the counters the worker keeps
// for it, read at chosen ticks.
#include <gtest/gtest.h>

#include <limits>

#include "engine/batch_estimate.h"
#include "engine/conversion_worker.h"
#include "engine/encoder_run.h"

namespace clipwright {
namespace {

SourceItem Clip(int32_t seconds) {
    SourceItem item;
    item.duration = seconds;
    item.durationMs = seconds * 1000LL;
    item.selEnd = seconds;
    return item;
}

TEST(BatchEstimate, RowsOfTenTwentyThirtyAtTwiceRealTime) {
    const SourceItem a = Clip(10);
    const SourceItem b = Clip(20);
    const SourceItem c = Clip(30);
    const std::vector<int64_t> planned = PlannedPartMs({&a, &b, &c});
    ASSERT_EQ(planned, (std::vector<int64_t>{10000, 20000, 30000}));
    // The first file took 5 s of wall time: 2x, and 50 media seconds are left.
    const BatchEstimate afterFirst = EstimateBatch({5000, 10000, planned[1] + planned[2]});
    ASSERT_TRUE(afterFirst.shown);
    EXPECT_DOUBLE_EQ(afterFirst.speed, 2.0);
    EXPECT_EQ(afterFirst.secondsLeft, 25);
    EXPECT_EQ(SpeedText(afterFirst.speed), "2.0x");
    // Halfway into the second file at the same speed.
    const BatchEstimate later = EstimateBatch({10000, 20000, 40000});
    EXPECT_EQ(later.secondsLeft, 20);
}

TEST(BatchEstimate, HiddenUntilMeasuredAndNeverNegativeOrAbsurd) {
    EXPECT_FALSE(EstimateBatch({kEstimateWarmUpMs - 1, 5000, 10000}).shown);
    EXPECT_FALSE(EstimateBatch({60000, 0, 10000}).shown);  // nothing converted yet
    const BatchEstimate over = EstimateBatch({kEstimateWarmUpMs, 3000, -4000});
    ASSERT_TRUE(over.shown);
    EXPECT_EQ(over.secondsLeft, 0);
    // A crawl that would take years is not shown as a figure.
    EXPECT_FALSE(EstimateBatch({1000000, 1, std::numeric_limits<int64_t>::max()}).shown);
    EXPECT_FALSE(EstimateBatch({3000, 3000, kEstimateLimitSeconds * 1000 + 1000}).shown);
    EXPECT_TRUE(EstimateBatch({3000, 3000, kEstimateLimitSeconds * 1000}).shown);
}

TEST(BatchEstimate, UnknownDurationsCountAtTheAverageAndZeroStaysFinite) {
    const SourceItem a = Clip(10);
    const SourceItem b = Clip(30);
    SourceItem unknown;  // probed without a duration
    unknown.selEnd = 5;
    SourceItem empty = Clip(20);
    empty.selStart = 20;
    EXPECT_EQ(PlannedPartMs({&a, &unknown, &b, &empty, nullptr}),
              (std::vector<int64_t>{10000, 20000, 30000, 0, 0}));
    // Only files without durations: nothing to measure by, and no division by zero.
    const std::vector<int64_t> none = PlannedPartMs({&unknown, &unknown});
    EXPECT_EQ(none, (std::vector<int64_t>{0, 0}));
    const BatchEstimate estimate = EstimateBatch({10000, 0, 0});
    EXPECT_FALSE(estimate.shown);
    EXPECT_EQ(estimate.secondsLeft, 0);
    EXPECT_EQ(SpeedText(std::numeric_limits<double>::infinity()), "0.0x");
}

TEST(BatchEstimate, TheWorkersCountersGiveTheMeasureAcrossTheTickWrap) {
    EncoderRun run;
    ConversionShared shared(run);
    EXPECT_EQ(MeasureRun(shared, 5000).elapsedMs, 0);  // no run yet
    shared.measuring = true;
    shared.startTick = 0xFFFFF000u;  // the 32-bit tick wraps during the run
    shared.finishedMediaMs = 10000;
    shared.pendingMediaMs = 50000;
    run.mediaMs = 4000;  // the second file is 4 s in
    const RunMeasure measure = MeasureRun(shared, 0x00000388u + 5000u);
    EXPECT_EQ(measure.elapsedMs, 0x1000 + 0x388 + 5000);
    EXPECT_EQ(measure.convertedMediaMs, 14000);
    EXPECT_EQ(measure.remainingMediaMs, 46000);
    run.mediaMs = 90000;  // a file that runs longer than planned
    EXPECT_EQ(MeasureRun(shared, 1).remainingMediaMs, 0);
}

}  // namespace
}  // namespace clipwright
