// Probes through the real trelcore: the server's answers against the one-shot run's on generated
// media (and on what is no media), the reasons in the adding summary, and a probe on a busy CPU;
// and a conversion whose encoder is killed outright.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "engine/child_process.h"
#include "engine/command_line.h"
#include "engine/detection_worker.h"
#include "engine/encoder_run.h"
#include "engine/probe.h"
#include "engine/probe_server.h"
#include "fake_worker_ui.h"
#include "test_folder.h"

namespace clipwright {
namespace {

using testing::FakeWorkerUi;
using testing::TestFolder;

// Runs clipgen quietly; true when it made the file.
bool MakeClip(const std::string& path, const std::string& options) {
    ChildProcess child;
    child.commandLine = QuoteArgument(CLIPGEN_PATH) + " " + QuoteArgument(path) + " " + options;
    child.flags = PIPE_STDOUT;
    if (StartChild(child) != 0 || !WaitChildExit(child, 60000)) {
        return false;
    }
    return WIFEXITED(child.waitStatus) && WEXITSTATUS(child.waitStatus) == 0;
}

// Processes spinning on the CPU from construction to destruction.
class BusyProcesses {
public:
    explicit BusyProcesses(int count) {
        for (int i = 0; i < count; ++i) {
            const pid_t pid = ::fork();
            if (pid == 0) {
                // Gone with the test, even when it dies first.
                ::prctl(PR_SET_PDEATHSIG, SIGKILL);
                volatile unsigned long n = 0;
                while (true) {
                    n = n + 1;
                }
            }
            pids_.push_back(pid);
        }
    }
    ~BusyProcesses() {
        for (const pid_t pid : pids_) {
            if (pid > 0) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, nullptr, 0);
            }
        }
    }
    BusyProcesses(const BusyProcesses&) = delete;
    BusyProcesses& operator=(const BusyProcesses&) = delete;
    bool Started() const { return !pids_.empty() && pids_.front() > 0 && pids_.back() > 0; }

private:
    std::vector<pid_t> pids_;
};

// A PCM WAV file of channels at 44.1 kHz whose data chunk holds dataBytes zero bytes.
std::string WaveFile(uint16_t channels, uint32_t dataBytes) {
    std::string wave;
    const auto put = [&wave](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            wave += static_cast<char>((value >> (8 * i)) & 0xff);
        }
    };
    wave += "RIFF";
    put(36 + dataBytes, 4);
    wave += "WAVEfmt ";
    put(16, 4);
    put(1, 2);  // PCM
    put(channels, 2);
    put(44100, 4);
    put(44100u * channels * 2, 4);
    put(channels * 2u, 2);
    put(16, 2);
    wave += "data";
    put(dataBytes, 4);
    return wave + std::string(dataBytes, '\0');
}

class TrelcoreProbeTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetEncoderName(TRELCORE_PATH);
        ConversionSettings settings;
        settings.outputType = kTypeDvd;
        settings.outputFolder = dir_.path() + "out/";
        ui_.SetSettings(settings);
    }
    void TearDown() override { SetEncoderName(kEncoderName); }

    void Detect(const std::vector<std::string>& paths) {
        DetectionShared shared;
        shared.workerRunning = true;
        std::thread worker([&] { RunDetectionWorker(shared, ui_, paths, {[](int) {}, [] {}}); });
        worker.join();
    }

    std::string Fifo(const std::string& name) {
        const std::string path = dir_.path() + name;
        EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
        return path;
    }

    TestFolder dir_;
    FakeWorkerUi ui_;
};

TEST_F(TrelcoreProbeTest, ServerAnswersAreTheOneShotRunsAnswers) {
    const std::string d = dir_.path();
    const std::vector<std::pair<std::string, std::string>> clips = {
        {d + "a.mp4", "--vcodec h264 --acodec aac"},
        {d + "b.mkv", "--vcodec mpeg4 --acodec mp2 --size 320x240"},
        {d + "c.mpg", "--vcodec mpeg2video --acodec mp2 --size 352x288"},
        {d + "d.avi", "--vcodec mpeg4 --acodec none --rate 30000/1001"},
        {d + "e.wav", "--vcodec none --acodec pcm_s16le"},
        {d + "line\nfeed \"quoted\" \xe4\xb8\xad\xe6\x96\x87.mkv", "--acodec ac3"},
        {d + "cut.mp4", "--truncate"},
        {d + "garbage.avi", "--garbage"},
    };
    std::vector<std::string> paths;
    for (const auto& [path, options] : clips) {
        ASSERT_TRUE(MakeClip(path, "--duration 1 " + options)) << path;
        paths.push_back(path);
    }
    paths.push_back(d + "missing.mkv");
    paths.push_back(Fifo("pipe.mpg"));
    paths.push_back(d);
    ProbeServer server;
    int listed = 0;
    for (const std::string& path : paths) {
        SourceItem once;
        SourceItem served;
        ProbeFailure onceFailure;
        ProbeFailure servedFailure;
        const int32_t result = Probe(once, path, &onceFailure);
        EXPECT_EQ(server.Probe(served, path, &servedFailure), result) << path;
        listed += result == 0 ? 1 : 0;
        EXPECT_EQ(served.durationMs, once.durationMs) << path;
        EXPECT_EQ(served.durationText, once.durationText) << path;
        EXPECT_EQ(served.bitrateText, once.bitrateText) << path;
        EXPECT_EQ(served.videoInfo, once.videoInfo) << path;
        EXPECT_EQ(served.audioInfo, once.audioInfo) << path;
        EXPECT_EQ(servedFailure.kind, onceFailure.kind) << path;
        EXPECT_EQ(servedFailure.text, onceFailure.text) << path;
    }
    EXPECT_GE(listed, 6) << "the generated clips are media";
    EXPECT_NE(server.ServerPid(), 0) << "the server ran, with no fallback";
}

TEST_F(TrelcoreProbeTest, EachFileThatCannotBeAddedNamesItsReason) {
    const std::string good = dir_.path() + "good.mkv";
    const std::string garbage = dir_.path() + "garbage.mpg";
    ASSERT_TRUE(MakeClip(good, "--duration 1 --size 160x120"));
    ASSERT_TRUE(MakeClip(garbage, "--garbage"));
    const std::string fifo = Fifo("pipe.avi");
    const std::string missing = dir_.path() + "gone.avi";
    const std::string longName = dir_.path() + std::string(300, 'n') + ".avi";
    // trelcore refuses these with reasons of its own, which reach the summary as it wrote them.
    const std::string empty = dir_.Write("empty.wav", WaveFile(1, 0));
    const std::string silent = dir_.Write("no-channels.wav", WaveFile(0, 1000));
    Detect({fifo, good, garbage, missing, longName, empty, silent});
    ASSERT_EQ(ui_.RowCount(), 1);
    EXPECT_EQ(ui_.ItemOfRow(0)->sourcePath, good);
    ASSERT_EQ(ui_.Messages().size(), 1u);
    EXPECT_EQ(ui_.Messages()[0],
              "Can't playback the following files.\r\n\n" + fifo + "\n    not a regular file\n" +
                  garbage +
                  "\n    not a readable media file (Invalid data found when processing input)\n" +
                  missing + "\n    No such file or directory\n" + longName +
                  "\n    File name too long\n" + empty + "\n    holds no video or audio data\n" +
                  silent +
                  "\n    its sound stream has no channels"
                  "\r\n\r\nPlease note the following reasons:");
}

// The probe runs at the normal level: two processes keeping both cores busy do not hold it past
// its time limit.
TEST_F(TrelcoreProbeTest, AProbeUnderTwoBusyProcessesSucceeds) {
    const std::string clip = dir_.path() + "clip.mp4";
    ASSERT_TRUE(MakeClip(clip, "--duration 2 --vcodec h264 --acodec aac"));
    const BusyProcesses busy(2);
    ASSERT_TRUE(busy.Started());
    Detect({clip});
    ASSERT_EQ(ui_.RowCount(), 1);
    EXPECT_EQ(ui_.ItemOfRow(0)->duration, 2);
    EXPECT_TRUE(ui_.Messages().empty());
}

// The process ids of our children running program (by its name in /proc).
std::vector<pid_t> ChildrenNamed(const std::string& program) {
    std::vector<pid_t> found;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        std::ifstream stat(entry.path() / "stat");
        std::string pid;
        std::string comm;
        std::string state;
        pid_t parent = 0;
        if (stat >> pid >> comm >> state >> parent && parent == ::getpid() &&
            comm == "(" + program + ")") {
            found.push_back(static_cast<pid_t>(std::stoi(pid)));
        }
    }
    return found;
}

// The encoder dies with the program that started it (SIGKILL): its output must not be left
// under the output's name looking finished. While it ran, the readout grew from the encoder's own
// count, as the reserved name stays empty until the output is complete.
TEST_F(TrelcoreProbeTest, AKilledConversionLeavesNoFinishedLookingOutput) {
    const std::string source = dir_.path() + "long.mkv";
    ASSERT_TRUE(MakeClip(source, "--duration 60 --size 160x120"));
    const std::string out = dir_.path() + "out.mpg";
    std::ofstream(out).close();  // the name as the conversion worker reserves it
    EncoderRun run;
    EncoderOutcome outcome;
    int result = 0;
    std::thread conversion([&] {
        result =
            RunConversion(run, source, out, "title", "-target pal-dvd", FixedPart(0, 60), outcome);
    });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (run.outputKb.load() <= 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_GT(run.outputKb.load(), 0) << "the encoder's size never came";
    EXPECT_EQ(std::filesystem::file_size(out), 0U) << "the output got its name before the end";
    const std::vector<pid_t> encoders = ChildrenNamed("trelcore");
    ASSERT_EQ(encoders.size(), 1U);
    ::kill(encoders.front(), SIGKILL);
    conversion.join();
    EXPECT_EQ(result, -1);
    EXPECT_EQ(std::filesystem::file_size(out), 0U) << "a partial output under the final name";
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"long.mkv", "out.mpg"}));
}

}  // namespace
}  // namespace clipwright
