#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>

#include "base/text_format.h"
#include "base/text_log.h"
#include "engine/encoder_capabilities.h"
#include "engine/encoder_run.h"
#include "engine/probe.h"
#include "test_folder.h"

namespace clipwright {
namespace {

int Parse(EncoderRun& run, const std::string& text) {
    return ParseProgressChunk(run, text.c_str(), text.size());
}

TEST(ParseProgressChunk, PercentOfTheSelection) {
    EncoderRun run;
    run.runDuration = 40;
    EXPECT_EQ(Parse(run, "frame= 100 fps= 25 q=2.0 size= 1024kB time=4.00 bitrate=2097.2kbits/s"),
              0);
    EXPECT_EQ(run.percent, 10);
    run.runDuration = 200;
    EXPECT_EQ(Parse(run, "time=50.80 bitrate=1"), 0);
    EXPECT_EQ(run.percent, 25);
    EXPECT_EQ(Parse(run, "time=199.9 x"), 0);
    EXPECT_EQ(run.percent, 99);
    EXPECT_EQ(Parse(run, "time=250 x"), 0);  // never 100 before the output ends
    EXPECT_EQ(run.percent, 99);
    EXPECT_EQ(Parse(run, "time=   12 x"), 0);  // blanks before the value are skipped
    EXPECT_EQ(run.percent, 6);
    EXPECT_EQ(Parse(run, "time=abc x"), 0);  // a non-number counts as 0 s
    EXPECT_EQ(run.percent, 0);
}

TEST(ParseProgressChunk, OnlyTheLastLineCounts) {
    EncoderRun run;
    run.runDuration = 100;
    run.percent = 7;
    EXPECT_EQ(Parse(run, "time=50 a\nframe=1 no time here"), -1);
    EXPECT_EQ(run.percent, 7);
    EXPECT_EQ(Parse(run, "time=50 a\n"), -1);  // an empty last line
    EXPECT_EQ(run.percent, 7);
    EXPECT_EQ(Parse(run, "time="), -1);
    EXPECT_EQ(Parse(run, "time=   "), -1);
    // Lines ended by carriage returns only: the first "time=" after the last line feed counts.
    EXPECT_EQ(Parse(run, "old time=90 x\nframe=1 time=30 a\rframe=2 time=40 b\r"), 0);
    EXPECT_EQ(run.percent, 30);
}

TEST(ParseProgressChunk, HugeTimesAndEmptyRunsAreSafe) {
    EncoderRun run;
    run.runDuration = 10;
    EXPECT_EQ(Parse(run, "time=99999999999999999999999 x"), 0);
    EXPECT_EQ(run.percent, 99);
    run.runDuration = 0;
    EXPECT_EQ(Parse(run, "time=5 x"), 0);
    EXPECT_EQ(run.percent, 0);
}

// A progress line goes to the log when the percentage moves on from a multiple of ten.
TEST(ParseProgressChunk, LogsTheLineThatLeavesATenthMark) {
    const testing::TestFolder dir;
    SetLogFilePath(dir.path() + "log.txt");
    EncoderRun run;
    run.runDuration = 100;
    for (const int t : {5, 7, 7, 10, 12, 30, 31}) {
        Parse(run, "time=" + std::to_string(t) + ".00");
    }
    SetLogFilePath("");
    EXPECT_EQ(testing::TestFolder::Read(dir.path() + "log.txt"),
              "time=5.00\ntime=12.00\ntime=31.00\n");
}

TEST(ParseProbeOutput, DurationBitrateAndStreams) {
    SourceItem item;
    const std::string text =
        "Input #0, avi, from 'x':\n"
        "  Duration: 01:02:03.50, start: 0.000000, bitrate: 320 kb/s\n"
        "    Stream #0.0: Video: mpeg4, yuv420p, 640x480, 25.00 tb(r)\n"
        "    Stream #0.1: Audio: mp3, 44100 Hz, stereo, 128 kb/s\n"
        "    Stream #0.2: Video: h264, yuv420p, 1280x720, 25 fps\n";
    EXPECT_EQ(ParseProbeOutput(item, "/v/movie.avi", text), 0);
    EXPECT_EQ(item.duration, 3723);
    EXPECT_EQ(item.durationText, "01:02:03.50 (3723 s)");
    EXPECT_EQ(item.bitrateText, "320 kb/s");
    EXPECT_EQ(item.videoInfo, " h264, yuv420p, 1280x720, 25 fps");
    EXPECT_EQ(item.audioInfo, " mp3, 44100 Hz, stereo, 128 kb/s");
    EXPECT_EQ(item.selStart, 0);
    EXPECT_EQ(item.selEnd, 3723);
    EXPECT_EQ(item.title, "movie");
    EXPECT_EQ(item.sourceExt, "avi");
}

TEST(ParseProbeOutput, MalformedAndMissingDurations) {
    SourceItem item;
    EXPECT_EQ(ParseProbeOutput(item, "/a.b", "  Duration: N/A\n"), kProbeFailed);
    EXPECT_EQ(item.duration, 0);
    EXPECT_EQ(item.durationText, "0 (0 s)");
    EXPECT_EQ(ParseProbeOutput(item, "/a.b", "  Duration: N/A, start: 0, bitrate: N/A\n"),
              kProbeFailed);
    EXPECT_EQ(item.durationText, "0 (0 s)");
    EXPECT_EQ(item.bitrateText, "N/A kb/s");
    EXPECT_EQ(ParseProbeOutput(item, "/a.b", "nothing at all"), kProbeFailed);
    EXPECT_EQ(item.durationText, "");
    EXPECT_EQ(ParseProbeOutput(item, "/a.b", ""), kProbeFailed);
    EXPECT_LT(kProbeFailed, 0);
    // A duration line without its line feed: no duration, and the stream scan starts at it,
    // so a stream line before it is not read.
    EXPECT_EQ(ParseProbeOutput(item, "/a.b", "Stream #0.0: Video: x\n  Duration: 00:00:05.0"),
              kProbeFailed);
    EXPECT_EQ(item.durationText, "");
    EXPECT_EQ(item.videoInfo, "");
    // Overflowing fields are malformed, not wrapped around.
    EXPECT_EQ(ParseProbeOutput(item, "/a.b", "Duration: 9999999999:00:00.00, start: 0\n"),
              kProbeFailed);
    EXPECT_EQ(ParseProbeOutput(item, "/a.b", "Duration: 00:00:07.99, start: 0\n"), 0);
    EXPECT_EQ(item.duration, 7);
}

TEST(ParseProbeOutput, AStreamLineWithoutLineFeedEndsTheScan) {
    SourceItem item;
    EXPECT_EQ(ParseProbeOutput(item, "/a.b",
                               "Duration: 00:00:10.00, start: 0.0, bitrate: 5 kb/s\n"
                               "Stream #0.0: Audio: aac, 48000 Hz\nStream #0.1: Video: cut"),
              0);
    EXPECT_EQ(item.audioInfo, " aac, 48000 Hz");
    EXPECT_EQ(item.videoInfo, "");
}

TEST(FormatHms, HoursMayGrow) {
    EXPECT_EQ(FormatHms(3723), "01:02:03");
    EXPECT_EQ(FormatHms(0), "00:00:00");
    EXPECT_EQ(FormatHms(360000), "100:00:00");
    EXPECT_EQ(FormatHms(-5), "00:00:00");
}

// The media time the estimate counts comes from the same lines, with its fraction.
TEST(ParseProgressChunk, MediaTimeInMilliseconds) {
    EncoderRun run;
    run.runDuration = 40;
    EXPECT_EQ(Parse(run, "frame= 1\rframe= 9 time=12.34 bitrate=1"), 0);
    EXPECT_EQ(run.mediaMs, 12340);
    EXPECT_EQ(Parse(run, "no time here"), -1);
    EXPECT_EQ(run.mediaMs, 12340);  // kept until a new time comes
}

// The output's size comes from the same lines: the file keeps an empty name until it is done.
TEST(ParseProgressChunk, OutputSizeFromTheLastLine) {
    EncoderRun run;
    run.runDuration = 40;
    EXPECT_EQ(run.outputKb, -1);
    EXPECT_EQ(Parse(run, "frame= 1 size=       0kB time=0.1\r"), 0);
    EXPECT_EQ(run.outputKb, 0);
    EXPECT_EQ(Parse(run, "frame= 1 size=  12kB time=0.1\rframe= 9 q=2 size=  5120kB time=12"), 0);
    EXPECT_EQ(run.outputKb, 5120);
    EXPECT_EQ(Parse(run, "frame= 9 size=N/A time=13"), 0);
    EXPECT_EQ(run.outputKb, 5120) << "a size that is no number leaves the last one";
    EXPECT_EQ(Parse(run, "frame= 9 size= 6000kB time=13\rframe= 10 size= 61"), 0);
    EXPECT_EQ(run.outputKb, 6000) << "a number the chunk cut off is not taken";
}

TEST(EncoderTranscript, TheLastErrorLineIsTrelcoresNotAWarning) {
    EXPECT_EQ(LastErrorLine("trelcore: a.avi: cannot open\nframe= 1 time=0.1\r"
                            "trelcore: warning: late\n"),
              "trelcore: a.avi: cannot open");
    EXPECT_EQ(LastErrorLine("frame=1\rtrelcore: o.mpg: cannot write (No space left on device)\r"
                            "frame=2\r"),
              "trelcore: o.mpg: cannot write (No space left on device)");
    EXPECT_EQ(LastErrorLine("trelcore: first\ntrelcore: second"), "trelcore: second");
    EXPECT_EQ(LastErrorLine("trelcore: warning: only\n"), "");
    EXPECT_EQ(LastErrorLine("not trelcore: x\n"), "");
    EXPECT_EQ(LastErrorLine(""), "");
    EXPECT_TRUE(IsDiskFullError("trelcore: o: cannot write (No space left on device)"));
    EXPECT_FALSE(IsDiskFullError("trelcore: o: cannot write (Input/output error)"));
}

// A chatty encoder cannot grow the transcript without end: the start and the newest part stay,
// the cut is marked once.
TEST(EncoderTranscript, PastTheLimitTheMiddleIsLeftOut) {
    std::string transcript;
    AppendTranscript(transcript, "BEGIN\n", 6);
    const std::string chunk(1000, 'p');
    for (int i = 0; i < 3000; ++i) {
        AppendTranscript(transcript, chunk.data(), chunk.size());
    }
    AppendTranscript(transcript, "\ntrelcore: the end\n", 19);
    EXPECT_LE(transcript.size(), kTranscriptLimit);
    EXPECT_EQ(transcript.substr(0, 6), "BEGIN\n");
    EXPECT_EQ(LastErrorLine(transcript), "trelcore: the end");
    const std::string mark = "[... encoder output left out ...]";
    const size_t at = transcript.find(mark);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(transcript.find(mark, at + 1), std::string::npos);
    std::string small;
    AppendTranscript(small, "abc", 3);
    AppendTranscript(small, "def", 3);
    EXPECT_EQ(small, "abcdef");
}

// Stand-ins for the encoder, as shell scripts in a scratch folder, each named as the encoder.
class AskEncoderCanMakeTest : public ::testing::Test {
protected:
    void TearDown() override { SetEncoderName(kEncoderName); }

    // Points the encoder name at a script whose body is script.
    void UseScript(const std::string& script) {
        const std::string path = folder_.Write("encoder.sh", "#!/bin/sh\n" + script);
        ::chmod(path.c_str(), 0755);
        SetEncoderName(path);
    }

    testing::TestFolder folder_;
};

TEST_F(AskEncoderCanMakeTest, TheStatusAndTheLineMakeTheAnswer) {
    const std::string args = folder_.path() + "args";
    UseScript("echo \"$@\" > '" + args + "'\necho yes\n");
    EXPECT_EQ(AskEncoderCanMake("wmv"), CanMakeAnswer::kYes);
    EXPECT_EQ(testing::TestFolder::Read(args), "--can-make wmv\n");

    UseScript("echo no\nexit 1\n");
    EXPECT_EQ(AskEncoderCanMake("ogm"), CanMakeAnswer::kNo);
}

TEST_F(AskEncoderCanMakeTest, AnythingElseIsNoAnswer) {
    for (const char* script : {
             "echo no\n",                            // status 0 without a yes
             "echo yes\nexit 1\n",                   // a yes with the status of a no
             "echo 'unknown option' >&2\nexit 2\n",  // an encoder too old to know the question
             "exit 0\n",                             // silence
             "echo yes; echo extra >&2\n",           // more than the answer
             "echo yes\nkill -SEGV $$\n",            // died before its status
         }) {
        UseScript(script);
        EXPECT_EQ(AskEncoderCanMake("wmv"), CanMakeAnswer::kNoAnswer) << script;
    }
}

TEST_F(AskEncoderCanMakeTest, AMissingEncoderIsSaidSo) {
    SetEncoderName(folder_.path() + "no-such-encoder");
    EXPECT_EQ(AskEncoderCanMake("wmv"), CanMakeAnswer::kEncoderMissing);
    // Present but not executable is as good as missing.
    SetEncoderName(folder_.Write("not-executable", "#!/bin/sh\necho yes\n"));
    EXPECT_EQ(AskEncoderCanMake("wmv"), CanMakeAnswer::kEncoderMissing);
}

}  // namespace
}  // namespace clipwright
