// Probe and conversion runs against the fake encoder program, which follows a script given
// as its source path.
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "base/text_log.h"
#include "engine/child_io.h"
#include "engine/command_line.h"
#include "engine/encoder_run.h"
#include "engine/probe.h"
#include "test_folder.h"

namespace clipwright {
namespace {

using testing::TestFolder;
using testing::WaitForFile;

class FakeEncoderTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetEncoderName(FAKE_ENCODER);
        SetLogFilePath(dir_.path() + "log.txt");
    }
    void TearDown() override {
        SetEncoderName(kEncoderName);
        SetLogFilePath("");
        SetTickSource(nullptr);
    }

    std::string Script(const std::string& text) { return dir_.Write("script.txt", text); }

    int Convert(EncoderRun& run, const std::string& script, int64_t start = 0, int64_t end = 100) {
        return RunConversion(run, script, dir_.path() + "out.mpg", "title", "-target ntsc-dvd",
                             start, end);
    }

    std::string Log() { return TestFolder::Read(dir_.path() + "log.txt"); }

    TestFolder dir_;
};

constexpr const char* kProbeText =
    "  Duration: 00:01:23.40, start: 0.000000, bitrate: 1234 kb/s\\n"
    "    Stream #0.0: Video: mpeg2video, yuv420p, 720x576, 25 fps\\n"
    "    Stream #0.1: Audio: ac3, 48000 Hz, stereo, 448 kb/s\\n";

TEST_F(FakeEncoderTest, ProbeReadsTheWholeText) {
    SourceItem item;
    EXPECT_EQ(Probe(item, Script(std::string("print ") + kProbeText)), 0);
    EXPECT_EQ(item.duration, 83);
    EXPECT_EQ(item.durationText, "00:01:23.40 (83 s)");
    EXPECT_EQ(item.bitrateText, "1234 kb/s");
    EXPECT_EQ(item.videoInfo, " mpeg2video, yuv420p, 720x576, 25 fps");
    EXPECT_EQ(item.audioInfo, " ac3, 48000 Hz, stereo, 448 kb/s");
    EXPECT_EQ(item.title, "script");
}

TEST_F(FakeEncoderTest, ProbeWaitsForTextThatComesInPieces) {
    SourceItem item;
    const std::string script = Script(
        "print   Dura\nsleep 150\n"
        "print tion: 00:00:10.00, start: 0.000000, bitrate: 99 kb/s\\n\nsleep 150\n"
        "print     Stream #0.0: Audio: mp2, 44100 Hz, stereo, 224 kb/s\\n\n");
    EXPECT_EQ(Probe(item, script), 0);
    EXPECT_EQ(item.duration, 10);
    EXPECT_EQ(item.audioInfo, " mp2, 44100 Hz, stereo, 224 kb/s");
}

TEST_F(FakeEncoderTest, ProbeTakesAtMostTheBufferAndStopsTheEncoder) {
    SourceItem item;
    // The duration line comes after 3000 bytes, beyond what the probe reads.
    EXPECT_EQ(Probe(item, Script("burst 3000\nprint \\n  Duration: 00:00:10.00, start: 0\\n\n"
                                 "sleep 60000\n")),
              kProbeFailed);
    EXPECT_EQ(Probe(item, Script("print Duration: 00:00:04.00, start: 0\\n\nburst 3000\n"
                                 "sleep 60000\n")),
              0);
    EXPECT_EQ(item.duration, 4);
}

// The user waits on a probe; a conversion runs in the background.
TEST_F(FakeEncoderTest, ProbesRunAtTheNormalLevelAndConversionsAtTheIdleOne) {
    SourceItem item;
    Probe(item, Script(std::string("print ") + kProbeText + "\nnice " + dir_.path() + "probe\n"));
    EXPECT_EQ(TestFolder::Read(dir_.path() + "probe"), "0");
    EncoderRun run;
    Convert(run, Script("nice " + dir_.path() + "run\nmedia 100\n"));
    EXPECT_EQ(TestFolder::Read(dir_.path() + "run"), "19");
}

TEST_F(FakeEncoderTest, ProbeFailsWithoutAnEncoder) {
    SetEncoderName(dir_.path() + "missing-encoder");
    SourceItem item;
    EXPECT_EQ(Probe(item, Script(std::string("print ") + kProbeText)), kProbeFailed);
    EXPECT_EQ(item.durationText, "");
}

TEST_F(FakeEncoderTest, ConversionEndsAtHundredAndLogsItsCommandLine) {
    EncoderRun run;
    run.percent = 55;
    run.abortRequested = true;  // left over from an earlier file; the run clears it
    const std::string script = Script("progress 5 30 10\nprint \\n\nmedia 100\n");
    EXPECT_EQ(Convert(run, script, 10, 110), 0);
    EXPECT_EQ(run.percent, 100);
    EXPECT_EQ(run.runDuration, 100);
    EXPECT_NE(Log().find(BuildCommandLine(script, "title", "-target ntsc-dvd", 10, 110,
                                          dir_.path() + "out.mpg")),
              std::string::npos);
}

TEST_F(FakeEncoderTest, EncoderFailuresAreFailures) {
    EncoderRun run;
    EXPECT_EQ(Convert(run, Script("progress 2 10 5\nexit 1\n")), -1);
    EXPECT_EQ(run.percent, 100);
    EXPECT_EQ(Convert(run, Script("signal 11\n")), -1);
    EXPECT_EQ(Convert(run, Script("media 100\nexit 0\n")), 0);
    std::filesystem::remove(dir_.path() + "out.mpg");
    EXPECT_EQ(Convert(run, Script("exit 0\n")), -1);  // status 0, but no output
    SetEncoderName(dir_.path() + "missing-encoder");
    EXPECT_EQ(Convert(run, Script("media 100\nexit 0\n")), -1);
}

TEST_F(FakeEncoderTest, AbortStopsASilentEncoderWithTerm) {
    EncoderRun run;
    const std::string started = dir_.path() + "started";
    const std::string termed = dir_.path() + "termed";
    const std::string script =
        Script("on_term " + termed + "\ndumpargs " + started + "\nsleep 60000\n");
    std::thread canceller([&] {
        WaitForFile(started);
        run.abortRequested = true;
    });
    // Exit status 255 after our SIGTERM is a stop, not a failure.
    EXPECT_EQ(Convert(run, script), 0);
    canceller.join();
    EXPECT_TRUE(std::filesystem::exists(termed));
    EXPECT_EQ(run.percent, 100);
}

TEST_F(FakeEncoderTest, AbortKillsAnEncoderThatIgnoresTerm) {
    EncoderRun run;
    const std::string started = dir_.path() + "started";
    const std::string script =
        Script("ignore_term\ndumpargs " + started + "\nsleep 60000\nexit 0\n");
    std::thread canceller([&] {
        WaitForFile(started);
        run.abortRequested = true;
    });
    EXPECT_EQ(Convert(run, script), 0);
    canceller.join();
}

// A process the encoder leaves behind keeps its end of the pipe, so the output never ends;
// reading stops when the encoder itself has ended, and what it left is ended with it.
class LeftBehind {
public:
    explicit LeftBehind(std::string pidFile) : pidFile_(std::move(pidFile)) {}
    ~LeftBehind() {
        if (const pid_t pid = Pid(); pid > 0) {
            ::kill(pid, SIGKILL);
        }
    }
    pid_t Pid() const { return static_cast<pid_t>(std::atoi(TestFolder::Read(pidFile_).c_str())); }
    // True when the process ends within a generous limit (a pidfd sees any process end).
    bool EndsSoon() const {
        const int fd = static_cast<int>(::syscall(SYS_pidfd_open, Pid(), 0));
        if (fd < 0) {
            return errno == ESRCH;
        }
        pollfd pfd{fd, POLLIN, 0};
        const int r = ::poll(&pfd, 1, 20000);
        ::close(fd);
        return r == 1;
    }

private:
    std::string pidFile_;
};

TEST_F(FakeEncoderTest, AProcessLeftBehindDoesNotKeepUsReading) {
    const LeftBehind probeHolder(dir_.path() + "probe-holder");
    SourceItem item;
    EXPECT_EQ(Probe(item, Script(std::string("print ") + kProbeText + "\nleave_holder " +
                                 dir_.path() + "probe-holder\nexit 0\n")),
              0);
    EXPECT_EQ(item.duration, 83);
    ASSERT_GT(probeHolder.Pid(), 0);
    EXPECT_TRUE(probeHolder.EndsSoon());

    const LeftBehind runHolder(dir_.path() + "run-holder");
    EncoderRun run;
    EXPECT_EQ(Convert(run, Script("progress 2 10 10\nmedia 100\nleave_holder " + dir_.path() +
                                  "run-holder\nexit 0\n")),
              0);
    EXPECT_EQ(run.percent, 100);
    ASSERT_GT(runHolder.Pid(), 0);
    EXPECT_TRUE(runHolder.EndsSoon()) << "a run that ended well ends what its encoder left";
}

// A source cut short fails the row whatever its container, with the encoder's words as the
// reason: an AVI's probe measures what is left, so its output matches the part it was given.
TEST_F(FakeEncoderTest, ASourceThatEndedEarlyFailsWithTheEncodersWarningAsTheReason) {
    EncoderRun run;
    EncoderOutcome outcome;
    const std::string out = dir_.path() + "short.mpg";
    const std::string script = Script(
        "progress 2 10 1\nprint trelcore: warning: the source ended at 3.9 s, before its "
        "stated duration of 10.0 s\\n\nmedia 4\n");
    EXPECT_EQ(RunConversion(run, script, out, "title", "-target pal-dvd", FixedPart(0, 4), outcome),
              -1);
    EXPECT_EQ(outcome.outputProblem,
              "the source ended at 3.9 s, before its stated duration of 10.0 s");
    EXPECT_TRUE(std::filesystem::exists(out)) << "the short output is kept to look at";

    // Another warning is no failure.
    EncoderOutcome other;
    const std::string leap =
        Script("print trelcore: warning: the source's timestamps leap 9.0 s\\n\nmedia 4\n");
    EXPECT_EQ(RunConversion(run, leap, out, "title", "-target pal-dvd", FixedPart(0, 4), other), 0);
    EXPECT_EQ(other.outputProblem, "");
}

TEST_F(FakeEncoderTest, ArgumentsArriveIntactThroughTheSplit) {
    EncoderRun run;
    const std::string args = dir_.path() + "args";
    const std::string weird = "we\"ird \\ na\nme \xc3\xa9-";
    const std::string script = dir_.Write(weird + ".txt", "dumpargs " + args + "\nmedia 6\n");
    const std::string output = dir_.path() + "-" + weird + "\\.mpg";
    ASSERT_EQ(RunConversion(run, script, output, weird, "-target pal-vcd", 3, 9), 0);
    const std::string dumped = TestFolder::Read(args);
    const std::string expected = std::string(FAKE_ENCODER) + '\0' + "qmt52rwKZ#&" + '\0' + "-i" +
                                 '\0' + script + '\0' + "-title" + '\0' + weird + '\0' + "-target" +
                                 '\0' + "pal-vcd" + '\0' + "-ss" + '\0' + "3" + '\0' + "-t" + '\0' +
                                 "6" + '\0' + "-y" + '\0' + output + '\0';
    EXPECT_EQ(dumped, expected);
}

uint32_t FrozenClock() {
    return 1000;
}

std::atomic<uint32_t> gFastTicks{0};
uint32_t FastClock() {
    return gFastTicks += 1000;
}

TEST_F(FakeEncoderTest, OutputIsParsedAtMostEveryHalfSecond) {
    EncoderRun run;
    const std::string script = Script(
        "print first chunk time=50 x\\n\nsleep 50\n"
        "progress 3 20 10\nmedia 100\nexit 0\n");
    // With the clock standing still no parse is ever due: nothing of the output is logged.
    SetTickSource(&FrozenClock);
    EXPECT_EQ(Convert(run, script), 0);
    EXPECT_EQ(Log().find("first chunk"), std::string::npos);
    EXPECT_EQ(run.percent, 100);

    // With every read half a second apart, the first chunk is logged whole.
    SetTickSource(&FastClock);
    EXPECT_EQ(Convert(run, script), 0);
    EXPECT_NE(Log().find("first chunk time=50 x\n"), std::string::npos);
}

// Every read is half a second after the one before, and each look at the clock notes the
// percentage the reader has reached by then.
std::atomic<uint32_t> gSeenTicks{0};
EncoderRun* gWatchedRun = nullptr;
std::vector<int32_t> gSeenPercents;
uint32_t WatchingClock() {
    gSeenPercents.push_back(gWatchedRun->percent.load());
    return gSeenTicks += kParseIntervalMs;
}

TEST_F(FakeEncoderTest, PercentFollowsTheEncoderDuringTheRun) {
    EncoderRun run;
    gWatchedRun = &run;
    gSeenPercents.clear();
    SetTickSource(&WatchingClock);
    EXPECT_EQ(Convert(run, Script("progress 4 50 20\nmedia 100\n")), 0);
    // 20, 40, 60 and 80 s of 100 were reported one by one, and the bar followed them.
    std::vector<int32_t> during;
    for (const int32_t p : gSeenPercents) {
        if (p > 0 && p < 100) {
            during.push_back(p);
        }
    }
    ASSERT_FALSE(during.empty());
    for (const int32_t p : during) {
        EXPECT_EQ(p % 20, 0) << p;
    }
    EXPECT_TRUE(std::is_sorted(during.begin(), during.end()));
    EXPECT_EQ(run.percent, 100);
}

std::atomic<uint32_t> gSlowTicks{0};
uint32_t TenthOfASecondPerLook() {
    return gSlowTicks += 100;
}

// Output is parsed after half a second has passed, not sooner: with the clock moving 100 ms a
// read, the first chunk that is parsed (and logged) holds five pieces of output.
TEST_F(FakeEncoderTest, TheFirstParseWaitsForHalfASecond) {
    EncoderRun run;
    SetTickSource(&TenthOfASecondPerLook);
    std::string script;
    for (int i = 1; i <= 8; ++i) {
        script +=
            "print piece" + std::to_string(i) + " time=" + std::to_string(i) + "\\r\nsleep 30\n";
    }
    EXPECT_EQ(Convert(run, Script(script + "media 100\n")), 0);
    const std::string log = Log();
    const size_t first = log.find("piece1");
    ASSERT_NE(first, std::string::npos);
    const std::string firstChunk = log.substr(first, log.find('\n', first) - first);
    EXPECT_NE(firstChunk.find("piece4"), std::string::npos) << firstChunk;
}

// More output than the buffer holds between two parses is dropped, and reading goes on: the
// encoder is never left blocked on a full pipe.
TEST_F(FakeEncoderTest, AFloodOfOutputBetweenParsesIsDropped) {
    EncoderRun run;
    SetTickSource(&FrozenClock);
    EXPECT_EQ(Convert(run, Script("burst 300000\nmedia 100\nexit 0\n")), 0);
    EXPECT_EQ(run.percent, 100);
}

}  // namespace
}  // namespace clipwright
