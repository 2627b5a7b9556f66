// The analysis pass through the real trelcore: a hard clip measures harder than an easy one, and
// a cancelled pass measures nothing.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <string>

#include "engine/child_process.h"
#include "engine/command_line.h"
#include "engine/disc_analysis.h"
#include "engine/probe.h"
#include "test_folder.h"

namespace clipwright {
namespace {

using testing::TestFolder;

class DiscAnalysisTrelcoreTest : public ::testing::Test {
protected:
    void SetUp() override { SetEncoderName(TRELCORE_PATH); }
    void TearDown() override { SetEncoderName(kEncoderName); }

    SourceItem Clip(const std::string& name, const std::string& options) {
        const std::string path = dir_.path() + name;
        ChildProcess child;
        child.commandLine = QuoteArgument(CLIPGEN_PATH) +
                            " --natural --duration 12 --size 720x576 " + options + " " +
                            QuoteArgument(path);
        child.flags = PIPE_STDOUT;
        EXPECT_EQ(StartChild(child), 0);
        EXPECT_TRUE(WaitChildExit(child, 120000));
        SourceItem item;
        EXPECT_EQ(Probe(item, path), 0) << path;
        item.selStart = 0;
        item.selEnd = item.duration;
        return item;
    }

    TestFolder dir_;
};

TEST_F(DiscAnalysisTrelcoreTest, HardPicturesMeasureHarderAndCancelMeasuresNothing) {
    ConversionSettings dvd;
    dvd.outputType = kTypeDvd;
    const std::string options = BuildOptions(dvd);
    const SourceItem still = Clip("still.mkv", "--motion 0 --grain 0");
    const SourceItem grain = Clip("grain.mkv", "--motion 60 --grain 20");
    const std::atomic<bool> go{false};
    const std::optional<double> easy = MeasureDifficulty(still, options, 448000, go);
    const std::optional<double> hard = MeasureDifficulty(grain, options, 448000, go);
    ASSERT_TRUE(easy.has_value());
    ASSERT_TRUE(hard.has_value());
    EXPECT_GT(*hard, *easy * 2);
    EXPECT_GT(*easy, 100000.0);
    // Audio taken off: the same clip measured as if it had none comes out higher by its rate.
    const std::optional<double> withAudio = MeasureDifficulty(still, options, 0, go);
    ASSERT_TRUE(withAudio.has_value());
    EXPECT_NEAR(*withAudio - *easy, 448000.0, 1.0);

    const std::atomic<bool> stop{true};
    EXPECT_FALSE(MeasureDifficulty(grain, options, 448000, stop).has_value());
    // A source that is gone measures nothing rather than zero.
    SourceItem gone = still;
    gone.sourcePath = dir_.path() + "gone.mkv";
    EXPECT_FALSE(MeasureDifficulty(gone, options, 448000, go).has_value());
}

}  // namespace
}  // namespace clipwright
