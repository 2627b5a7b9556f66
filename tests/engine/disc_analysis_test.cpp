// The analysis pass's parts: where the samples fall, how its and a fitted file's command lines
// differ from the standard one, and reading trelcore's measure.
#include <gtest/gtest.h>

#include "engine/command_line.h"
#include "engine/disc_analysis.h"
#include "engine/disc_fit.h"

namespace clipwright {
namespace {

TEST(DiscAnalysis, SamplesSpreadEvenlyOverThePartAndStayInside) {
    struct Case {
        ConversionPart part;
        size_t count;
    };
    ConversionPart toTheEnd = FixedPart(30, 30);
    toTheEnd.toTheEnd = true;
    toTheEnd.lengthMs = 3600 * 1000 + 400;  // an hour and a fraction to the source's end
    const Case cases[] = {
        {FixedPart(0, 100), 8},            // 8 % of the part
        {FixedPart(600, 610), 1},          // a short part still gets one
        {FixedPart(5, 5), 0},              // an empty part none
        {toTheEnd, kAnalysisMostSamples},  // a long part no more than the most
    };
    for (const Case& c : cases) {
        const std::vector<AnalysisSample> samples = AnalysisSamples(c.part);
        ASSERT_EQ(samples.size(), c.count) << c.part.start;
        const int64_t end =
            c.part.toTheEnd ? c.part.start + (c.part.lengthMs + 999) / 1000 : c.part.end;
        int64_t previousStart = c.part.start - 1;
        for (const AnalysisSample& sample : samples) {
            EXPECT_GT(sample.start, previousStart);  // in order, no two alike
            EXPECT_GE(sample.start, c.part.start);
            EXPECT_LE(sample.start + sample.length, end);
            EXPECT_GT(sample.length, 0);
            previousStart = sample.start;
        }
        if (samples.size() > 2) {
            // Spread over the whole part, not bunched at its start.
            EXPECT_LT(samples.front().start - c.part.start, (end - c.part.start) / 4);
            EXPECT_GT(samples.back().start - c.part.start, (end - c.part.start) * 3 / 4);
        }
    }
    // A part of one second is measured whole.
    const std::vector<AnalysisSample> one = AnalysisSamples(FixedPart(7, 8));
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].start, 7);
}

// A fitted or measured command line is the standard one with words after the target: nothing
// else of it changes.
TEST(DiscAnalysis, CommandLinesDifferOnlyByWordsAfterTheTarget) {
    EXPECT_EQ(OptionsAfterTarget("-target pal-dvd", {"-bt", "4500k"}), "-target pal-dvd -bt 4500k");
    EXPECT_EQ(OptionsAfterTarget("-vcodec xvid  -target ntsc-svcd -ab 224", {"-cq", "4"}),
              "-vcodec xvid -target ntsc-svcd -cq 4 -ab 224");
    EXPECT_EQ(OptionsAfterTarget("-b 900", {"-cq", "4"}), "-b 900 -cq 4");
    EXPECT_EQ(OptionsAfterTarget("-target", {"x"}), "-target x");

    SourceItem item;
    item.sourcePath = "/media/a clip.mkv";
    item.title = "a clip";
    item.duration = 600;
    item.durationMs = 600000;
    item.selStart = 60;
    item.selEnd = 600;
    item.outputFolder = "/out/";
    item.outputStem = "a clip";
    item.outputExt = ".mpg";
    ConversionSettings settings;
    settings.outputType = kTypeDvd;
    const std::string options = BuildOptions(settings);
    const std::vector<std::string> standard = SplitCommandLine(BuildCommandLine(item, options));
    const FitLimits limits = *FitLimitsOfType(kTypeDvd);
    const std::vector<std::string> rate = FitRateOptions(limits, 4500000);
    const std::vector<std::string> fitted =
        SplitCommandLine(BuildCommandLine(item, OptionsAfterTarget(options, rate)));
    ASSERT_EQ(fitted.size(), standard.size() + rate.size());
    const auto target = std::find(standard.begin(), standard.end(), "-target");
    ASSERT_NE(target, standard.end());
    const auto after = static_cast<size_t>(target - standard.begin()) + 2;
    for (size_t i = 0; i < fitted.size(); ++i) {
        if (i < after) {
            EXPECT_EQ(fitted[i], standard[i]);
        } else if (i < after + rate.size()) {
            EXPECT_EQ(fitted[i], rate[i - after]);
        } else {
            EXPECT_EQ(fitted[i], standard[i - rate.size()]);
        }
    }

    // The measuring line: the fixed quantiser after the target, a sample's part, nothing kept.
    const std::vector<std::string> measured =
        SplitCommandLine(AnalysisCommandLine(item, options, {300, 1}));
    EXPECT_EQ(measured.back(), "/dev/null");
    const auto cq = std::find(measured.begin(), measured.end(), "-cq");
    ASSERT_NE(cq, measured.end());
    EXPECT_EQ(*(cq - 2), "-target");
    const auto ss = std::find(measured.begin(), measured.end(), "-ss");
    ASSERT_NE(ss, measured.end());
    EXPECT_EQ(*(ss + 1), "300");
    EXPECT_EQ(*(ss + 3), "1");
}

TEST(DiscAnalysis, TheMeasureIsReadFromTheLastProgressLine) {
    const std::string output =
        "frame=   10 fps= 50 q=4.0 size=     100kB time=0.40 bitrate=2048.0kbits/s\r"
        "frame=   25 fps= 50 q=4.0 size=     500kB time=1.00 bitrate=4096.0kbits/s\n";
    const std::optional<double> bits = MeasuredBitsPerSecond(output);
    ASSERT_TRUE(bits.has_value());
    EXPECT_DOUBLE_EQ(*bits, 500.0 * 1024 * 8 / 1.0);
    // A warning after the last progress line changes nothing.
    EXPECT_EQ(MeasuredBitsPerSecond(output + "trelcore: warning: something\n"), bits);
    EXPECT_FALSE(MeasuredBitsPerSecond("trelcore: x.mkv: no such file\n").has_value());
    EXPECT_FALSE(MeasuredBitsPerSecond("frame=0 size=  0kB time=0.00\n").has_value());
    EXPECT_FALSE(MeasuredBitsPerSecond("size=kB time=1.0\n").has_value());
}

}  // namespace
}  // namespace clipwright
