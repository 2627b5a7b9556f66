// Sources that are damaged, lie in their headers or hold nothing to convert: trelcore's probe
// reports what the streams hold, a conversion ends where they end, and a source that cannot be
// converted is refused with a reason and leaves no file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "encoder_test_support.h"

namespace enctest {
namespace {

const std::string kToken = "qmt52rwKZ#&";

// The probe's duration in seconds, or -1 when its text has no duration line.
double probed_seconds(const std::string& text) {
    const size_t at = text.find("  Duration: ");
    int hours = 0;
    int minutes = 0;
    double seconds = 0.0;
    if (at == std::string::npos ||
        std::sscanf(text.c_str() + at, "  Duration: %d:%d:%lf,", &hours, &minutes, &seconds) != 3) {
        return -1.0;
    }
    return hours * 3600.0 + minutes * 60.0 + seconds;
}

// The last line of the text (without its line end).
std::string last_line(const std::string& text) {
    const size_t end = text.size() > 0 && text.back() == '\n' ? text.size() - 1 : text.size();
    const size_t begin = text.find_last_of("\r\n", end == 0 ? 0 : end - 1);
    return text.substr(begin == std::string::npos ? 0 : begin + 1,
                       end - (begin == std::string::npos ? 0 : begin + 1));
}

class SourceTest : public ::testing::Test {
protected:
    TempDir dir_;
};

// A 3 s clip whose header claims 1000 hours: the probe says 3 s, and the conversion of that
// part is whole.
TEST_F(SourceTest, AHeaderClaimingAThousandHoursIsNotBelieved) {
    struct Case {
        std::string name;
        std::vector<std::string> clip;
    };
    const std::vector<Case> cases = {
        {"lie.wmv", {"--format", "asf", "--vcodec", "wmv2", "--acodec", "wmav2"}},
        {"lie.mp4", {"--acodec", "aac"}},
        {"lie.mkv", {}},
    };
    for (const Case& c : cases) {
        const std::string source = dir_.file(c.name);
        std::vector<std::string> clip = {"--duration", "3"};
        clip.insert(clip.end(), c.clip.begin(), c.clip.end());
        make_clip(source, clip);
        rewrite_stated_duration(source, 3600000.0);

        const RunResult probe = run(trelcore({kToken, "-i", source}));
        EXPECT_EQ(probe.exit_code, 0) << probe.output;
        EXPECT_NEAR(probed_seconds(probe.output), 3.0, 0.3) << c.name << "\n" << probe.output;

        // Converted for the length the probe gave, as the application does: the whole of it,
        // with no warning of a loss (the header is wrong, nothing is missing).
        const std::string out = dir_.file("out.mpg");
        const RunResult result =
            run(trelcore({kToken, "-i", source, "-target", "pal-dvd", "-ss", "0", "-t",
                          std::to_string(probed_seconds(probe.output)), "-y", out}));
        EXPECT_EQ(result.exit_code, 0) << c.name << "\n" << result.output;
        EXPECT_EQ(result.output.find("warning"), std::string::npos) << result.output;
        const auto info = inspect(out);
        ASSERT_TRUE(info.has_value()) << c.name;
        EXPECT_NEAR(info->video_seconds, 3.0, 0.3) << c.name;
    }
}

// A jump in the timestamps near the end makes the chain repeat the last picture to fill the
// gap; a stop signal must end that as promptly as any other state of the run.
TEST_F(SourceTest, AStopIsHonouredWhileAGapInTheTimestampsIsFilled) {
    const std::string source = dir_.file("gap.mkv");
    make_clip(source, {"--duration", "3", "--size", "1280x720"});
    push_last_cluster_late(source);
    const std::string out = dir_.file("gap.mov");
    Child child(trelcore({kToken, "-i", source, "-vcodec", "h264", "-y", out}));
    // The sound reaches the far end at once; the pictures of the gap come one by one.
    ASSERT_TRUE(child.wait_for_output("time=65.")) << "no gap in the converted timestamps";
    child.signal(SIGTERM);
    const RunResult result = child.wait();
    EXPECT_EQ(result.exit_code, 128 + SIGTERM) << result.output;
    const auto info = inspect(out);
    ASSERT_TRUE(info.has_value());
    EXPECT_LT(info->video_seconds, 40.0) << "the gap was filled to its end before stopping";
}

// Timestamps that leap 1000 hours near the end: the leap is left out with a warning, so the run
// ends at the real end of the pictures and sound instead of filling the leap (hours of repeated
// pictures, and the silence for it in one piece of memory).
TEST_F(SourceTest, ALeapOfAThousandHoursInTheTimestampsIsLeftOut) {
    const std::string source = dir_.file("leap.mkv");
    make_clip(source, {"--duration", "3"});
    put_last_cluster_at(source, 3600000.0);
    rewrite_stated_duration(source, 3600000.0);
    const RunResult probe = run(trelcore({kToken, "-i", source}));
    EXPECT_LT(probed_seconds(probe.output), 3.5) << probe.output;
    EXPECT_GT(probed_seconds(probe.output), 2.0) << probe.output;

    const std::string out = dir_.file("leap.mpg");
    const RunResult result = run(trelcore({kToken, "-i", source, "-target", "pal-dvd", "-y", out}));
    EXPECT_EQ(result.exit_code, 0) << result.output;
    EXPECT_NE(result.output.find("trelcore: warning: the source's timestamps leap"),
              std::string::npos)
        << result.output;
    const auto info = inspect(out);
    ASSERT_TRUE(info.has_value());
    EXPECT_NEAR(info->video_seconds, 3.0, 0.3);
    EXPECT_NEAR(info->audio_seconds, 3.0, 0.3);
}

// Each is either converted or refused, by the probe and by a conversion alike, with one line
// that names the file and says why; a refused conversion leaves no file.
TEST_F(SourceTest, SourcesWithNothingToConvertAreRefusedWithAReason) {
    const std::string empty = dir_.file("empty.wav");
    write_wav(empty, 2, 44100, "");
    const std::string no_channels = dir_.file("no-channels.wav");
    write_wav(no_channels, 0, 44100, std::string(8000, '\0'));
    const std::string one_hertz = dir_.file("one-hertz.wav");
    write_wav(one_hertz, 1, 1, std::string(10, '\x10'));
    const std::string picture = dir_.file("picture.png");
    make_clip(picture,
              {"--format", "image2", "--vcodec", "png", "--acodec", "none", "--duration", "0.04"});
    const std::string renamed = dir_.file("picture.mp4");
    std::filesystem::copy_file(picture, renamed);
    struct Case {
        std::string source;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {empty, "holds no video or audio data"},
        {no_channels, "has no channels"},
        {one_hertz, "sample rate of 1 Hz is too low"},
        {picture, "is a still picture"},
        {renamed, "is a still picture"},
    };
    const std::string out = dir_.file("out.mpg");
    for (const Case& c : cases) {
        const RunResult probe = run(trelcore({kToken, "-i", c.source}));
        EXPECT_NE(probe.exit_code, 0) << c.source;
        EXPECT_EQ(probe.output, "trelcore: " + c.source + ": " +
                                    probe.output.substr(probe.output.find(": ", 10) + 2))
            << "one line naming the file";
        EXPECT_NE(probe.output.find(c.reason), std::string::npos) << probe.output;

        const RunResult result = run(trelcore({"-i", c.source, "-target", "pal-dvd", "-y", out}));
        EXPECT_NE(result.exit_code, 0) << c.source << "\n" << result.output;
        EXPECT_NE(result.output.find("trelcore: " + c.source + ": "), std::string::npos)
            << result.output;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.source;
    }
    // A data chunk that is empty leaves the conversion with no sound: no black picture instead.
    const RunResult result = run(trelcore({"-i", empty, "-target", "pal-dvd", "-y", out}));
    EXPECT_NE(result.output.find("no sound"), std::string::npos) << result.output;
}

// MPEG-4 video (ISO/IEC 14496-2) codes the size in 13 bits: an 8192x8192 picture was written as one
// no decoder reads. The kept size is scaled to fit, with a warning; a size asked for is refused.
TEST_F(SourceTest, APictureTooLargeForMpeg4IsScaledToFitOrRefused) {
    const std::string source = dir_.file("huge.mkv");
    make_clip(source, {"--size", "8192x8192", "--duration", "0.04", "--vcodec", "h264", "--acodec",
                       "none"});
    const std::string out = dir_.file("huge.mp4");
    RunResult result = run(trelcore({"-i", source, "-vcodec", "xvid", "-y", out}));
    EXPECT_EQ(result.exit_code, 0) << result.output;
    EXPECT_NE(result.output.find("trelcore: warning: the 8192x8192 picture is scaled to"),
              std::string::npos)
        << result.output;
    const auto picture = first_picture(out);
    ASSERT_TRUE(picture.has_value()) << "the output's picture cannot be decoded";
    EXPECT_LE(picture->width, 8191);
    EXPECT_EQ(picture->width, picture->height);

    const std::string asked = dir_.file("asked.mp4");
    result = run(trelcore({"-i", source, "-vcodec", "xvid", "-s", "8192x8192", "-y", asked}));
    EXPECT_NE(result.exit_code, 0);
    EXPECT_NE(result.output.find("-s: MPEG-4 video takes pictures of at most"), std::string::npos)
        << result.output;
    EXPECT_FALSE(std::filesystem::exists(asked));
}

TEST_F(SourceTest, AOnePictureFileWithoutALengthIsRefusedByTheProbe) {
    const std::string one = dir_.file("one.mp4");
    make_clip(one, {"--duration", "0.04", "--acodec", "none"});
    const RunResult probe = run(trelcore({kToken, "-i", one}));
    EXPECT_NE(probe.exit_code, 0);
    EXPECT_EQ(probe.output, "trelcore: " + one +
                                ": lasts no time (a single picture or sound without a length)\n");
}

// A cut AVI is measured by its demuxer, which then states the short length; its header's
// picture count still shows the loss, and the warning is the same as for a cut Matroska file
// converted for the length the probe gives.
TEST_F(SourceTest, ACutFileWarnsWhateverItsContainer) {
    for (const char* name : {"cut.avi", "cut.mkv"}) {
        const std::string source = dir_.file(name);
        make_clip(source, {"--duration", "10", "--size", "160x120", "--truncate"});
        const RunResult probe = run(trelcore({kToken, "-i", source}));
        const double seconds = probed_seconds(probe.output);
        ASSERT_GT(seconds, 0.0) << probe.output;
        const RunResult result =
            run(trelcore({"-i", source, "-ss", "0", "-t", std::to_string(seconds), "-vcodec",
                          "xvid", "-y", dir_.file("out.mp4")}));
        EXPECT_EQ(result.exit_code, 0) << result.output;
        const std::string line = last_line(result.output);
        EXPECT_EQ(line.rfind("trelcore: warning: the source ended at ", 0), 0U) << name << "\n"
                                                                                << result.output;
        EXPECT_TRUE(line.ends_with(" s, before its stated duration of 10.0 s")) << line;
    }
}

// Containers often state the start of the last picture as their end.
TEST_F(SourceTest, AStartWithinTheLastPictureConvertsThatPicture) {
    const std::string source = dir_.file("second.mkv");
    make_clip(source, {"--duration", "1", "--acodec", "none"});
    const std::string out = dir_.file("last.mp4");
    for (const char* start : {"0.96", "0.98"}) {
        const RunResult result =
            run(trelcore({"-i", source, "-ss", start, "-vcodec", "xvid", "-y", out}));
        EXPECT_EQ(result.exit_code, 0) << start << "\n" << result.output;
        const auto info = inspect(out);
        ASSERT_TRUE(info.has_value()) << start;
        EXPECT_EQ(info->video_frames, 1) << start;
    }
    const RunResult past =
        run(trelcore({"-i", source, "-ss", "1.0", "-vcodec", "xvid", "-y", out}));
    EXPECT_NE(past.output.find("the start point (-ss) lies past the end"), std::string::npos)
        << past.output;
}

}  // namespace
}  // namespace enctest
