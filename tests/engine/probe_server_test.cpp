// Probes through one encoder process, against the fake encoder's server mode: the framing of
// paths, a hang or a crash that costs one file only, and the fallback to one process a file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <thread>

#include "engine/child_io.h"
#include "engine/command_line.h"
#include "engine/detection_worker.h"
#include "engine/probe.h"
#include "engine/probe_server.h"
#include "fake_worker_ui.h"
#include "test_folder.h"

namespace clipwright {
namespace {

using testing::FakeWorkerUi;
using testing::TestFolder;

// A script the fake encoder answers with a duration of seconds, noting its pid in pidFile.
std::string DurationScript(int seconds, const std::string& pidFile) {
    return "print   Duration: 00:00:" + std::to_string(seconds) +
           ".00, start: 0.000000, bitrate: 500 kb/s\\n"
           "    Stream #0.0: Video: mpeg4, yuv420p, 320x240, 25 fps\\n\npid " +
           pidFile + "\n";
}

// Steady time, ten seconds later once the file named by gHangMark exists: a probe that hangs
// after making it reaches its time limit at once instead of after ten real seconds.
std::string gHangMark;
uint32_t ClockThatJumpsAtTheHang() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    const uint32_t jump = std::filesystem::exists(gHangMark) ? 2 * kProbeTimeoutMs : 0;
    return static_cast<uint32_t>(ms) + jump;
}

class ProbeServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetEncoderName(FAKE_ENCODER);
        ConversionSettings settings;
        settings.outputType = kTypeDvd;
        settings.outputFolder = dir_.path() + "out/";
        ui_.SetSettings(settings);
    }
    void TearDown() override {
        SetEncoderName(kEncoderName);
        SetTickSource(nullptr);
    }

    std::string Pid(int i) { return TestFolder::Read(dir_.path() + "pid" + std::to_string(i)); }

    // Runs the worker on its own thread, as the dialog does; the progress positions it gave.
    std::vector<int> Detect(const std::vector<std::string>& paths) {
        DetectionShared shared;
        shared.workerRunning = true;
        std::vector<int> positions;
        std::thread worker([&] {
            RunDetectionWorker(shared, ui_, paths, {[&](int p) { positions.push_back(p); }, [] {}});
        });
        worker.join();
        return positions;
    }

    TestFolder dir_;
    FakeWorkerUi ui_;
};

TEST_F(ProbeServerTest, EveryPathArrivesWholeAtOneServer) {
    const std::vector<std::string> names = {"plain",
                                            "two  spaces",
                                            "line\nfeed",
                                            "\"quoted\" 'both'",
                                            "back\\slash\\",
                                            "\xe4\xb8\xad\xe6\x96\x87 gr\xc3\xbc\xc3\x9f",
                                            "tab\tand\rreturn",
                                            "-dash first"};
    ProbeServer server;
    std::set<pid_t> servers;
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string path = dir_.Write(
            names[i], "print   Duration: 00:00:" + std::to_string(10 + i) + ".00, s\\n\n");
        const ProbeAnswer answer = server.Ask(path);
        EXPECT_EQ(answer.end, ProbeEnd::kAnswered) << names[i];
        EXPECT_EQ(answer.text, "  Duration: 00:00:" + std::to_string(10 + i) + ".00, s\n")
            << names[i];
        servers.insert(server.ServerPid());
    }
    EXPECT_EQ(servers.size(), 1u);
    EXPECT_NE(*servers.begin(), 0);
}

// Every answer goes to the path it was asked for. A path holding a zero byte would go out as two
// requests: it is refused (and never cut short to another file by the one-shot probe either).
// A server that answers more than it was asked is replaced before the next request, so its
// extra answer is never read as the next path's.
TEST_F(ProbeServerTest, EachAnswerGoesToThePathItWasAskedFor) {
    const std::string real = dir_.Write("real.avi", DurationScript(20, dir_.path() + "pid0"));
    const std::string withZero = real + std::string(1, '\0') + "x";
    ProbeServer server;
    EXPECT_EQ(server.Ask(withZero).end, ProbeEnd::kRefused);
    EXPECT_EQ(server.ServerPid(), 0) << "nothing was sent";
    SourceItem item;
    EXPECT_NE(server.Probe(item, withZero, nullptr), 0);
    EXPECT_NE(Probe(item, withZero), 0);

    // The first file's script writes a second, unasked answer after its own end line.
    const std::string twice = dir_.Write("twice.avi",
                                         "print   Duration: 00:00:05.00, s\\n\x1e"
                                         "end 0\\n  Duration: 00:00:33.00, s\\n\n"
                                         "pid " +
                                             dir_.path() + "pid1\n");
    const std::string next = dir_.Write("next.avi", DurationScript(12, dir_.path() + "pid2"));
    EXPECT_EQ(server.Ask(twice).text, "  Duration: 00:00:05.00, s\n");
    ASSERT_EQ(server.Probe(item, next, nullptr), 0);
    EXPECT_EQ(item.durationMs, 12000);
    EXPECT_NE(Pid(1), Pid(2)) << "the next path went to a new server";
}

// The results through the server are the one-shot probe's, text cut at the same length included.
TEST_F(ProbeServerTest, ResultsMatchTheOneShotProbe) {
    const std::vector<std::string> scripts = {
        "print   Duration: 00:01:23.40, start: 0.000000, bitrate: 1234 kb/s\\n"
        "    Stream #0.0: Video: mpeg2video, yuv420p, 720x576, 25 fps\\n"
        "    Stream #0.1: Audio: ac3, 48000 Hz, stereo, 448 kb/s\\n\n",
        "print   Duration: 00:00:00.60, s\\n\nexit 1\n",
        "burst 3000\nprint \\n  Duration: 00:00:10.00, start: 0\\n\n",
        "print Duration: 00:00:04.00, start: 0\\n\nburst 3000\n",
        "print trelcore: x: not a regular file\\n\nexit 1\n",
        "print   Duration: N/A, start: 0\\n\n",
    };
    ProbeServer server;
    for (size_t i = 0; i < scripts.size(); ++i) {
        const std::string path = dir_.Write("s" + std::to_string(i), scripts[i]);
        SourceItem once;
        SourceItem served;
        ProbeFailure onceFailure;
        ProbeFailure servedFailure;
        EXPECT_EQ(server.Probe(served, path, &servedFailure), Probe(once, path, &onceFailure));
        EXPECT_EQ(served.duration, once.duration) << i;
        EXPECT_EQ(served.durationMs, once.durationMs) << i;
        EXPECT_EQ(served.durationText, once.durationText) << i;
        EXPECT_EQ(served.bitrateText, once.bitrateText) << i;
        EXPECT_EQ(served.videoInfo, once.videoInfo) << i;
        EXPECT_EQ(served.audioInfo, once.audioInfo) << i;
        EXPECT_EQ(served.title, once.title) << i;
        EXPECT_EQ(servedFailure.kind, onceFailure.kind) << i;
        EXPECT_EQ(servedFailure.text, onceFailure.text) << i;
    }
}

// A file that hangs the server or kills it costs that file alone; the rows of the others come in
// the order of the paths, and the summary says why each failed file failed.
TEST_F(ProbeServerTest, AHangOrACrashCostsOnlyThatFile) {
    gHangMark = dir_.path() + "hanging";
    SetTickSource(&ClockThatJumpsAtTheHang);
    std::vector<std::string> paths;
    for (int i = 0; i < 5; ++i) {
        const std::string pidFile = dir_.path() + "pid" + std::to_string(i);
        paths.push_back(dir_.Write("f" + std::to_string(i), DurationScript(20 + i, pidFile)));
    }
    paths[1] = dir_.Write("hang",
                          "pid " + dir_.path() + "pid1\ndumpargs " + gHangMark + "\nsleep 60000\n");
    paths[3] = dir_.Write("crash", "pid " + dir_.path() + "pid3\nprint half a line\nsignal 11\n");
    EXPECT_EQ(Detect(paths), (std::vector<int>{20, 40, 60, 80, 100}));

    ASSERT_EQ(ui_.RowCount(), 3);
    EXPECT_EQ(ui_.ItemOfRow(0)->sourcePath, paths[0]);
    EXPECT_EQ(ui_.ItemOfRow(1)->sourcePath, paths[2]);
    EXPECT_EQ(ui_.ItemOfRow(2)->sourcePath, paths[4]);
    EXPECT_EQ(ui_.ItemOfRow(2)->duration, 24);
    ASSERT_EQ(ui_.Messages().size(), 1u);
    EXPECT_EQ(ui_.Messages()[0], "Can't playback the following files.\r\n\n" + paths[1] +
                                     "\n    did not answer within 10 s\n" + paths[3] +
                                     "\n    the encoder program ended unexpectedly"
                                     "\r\n\r\nPlease note the following reasons:");
    // One server until the hang, a new one for the next two files, a third after the crash.
    EXPECT_EQ(Pid(0), Pid(1));
    EXPECT_NE(Pid(1), Pid(2));
    EXPECT_EQ(Pid(2), Pid(3));
    EXPECT_NE(Pid(3), Pid(4));
}

TEST_F(ProbeServerTest, TheEncodersOwnReasonStandsUnderItsPath) {
    const std::string weird = dir_.path() + "we\nird\\";
    const std::vector<std::string> paths = {
        dir_.Write("said", "print trelcore: " + dir_.path() +
                               "said: not a readable media file (Invalid data)\\n\nexit 1\n"),
        dir_.Write("we\nird\\", "print trelcore: " + dir_.path() +
                                    "we\\\\nird\\\\\\\\: File name too long\\n\nexit 1\n"),
        dir_.Write("silent", "exit 1\n"),
    };
    ASSERT_EQ(paths[1], weird);
    Detect(paths);
    EXPECT_EQ(ui_.RowCount(), 0);
    ASSERT_EQ(ui_.Messages().size(), 1u);
    EXPECT_EQ(ui_.Messages()[0], "Can't playback the following files.\r\n\n" + paths[0] +
                                     "\n    not a readable media file (Invalid data)\n" + paths[1] +
                                     "\n    File name too long\n" + paths[2] +
                                     "\n    the encoder program found no length in it and gave "
                                     "no reason\r\n\r\nPlease note the following reasons:");
}

// An encoder without the server mode is started once per file, with the same results.
TEST_F(ProbeServerTest, AnEncoderWithoutTheModeProbesOneProcessAFile) {
    const std::string old = dir_.Write(
        "old-encoder", std::string("#!/bin/sh\n"
                                   "for a in \"$@\"; do [ \"$a\" = --probe-server ] && "
                                   "{ echo 'trelcore: --probe-server: unknown option' >&2; "
                                   "exit 2; }; done\nexec ") +
                           FAKE_ENCODER + " \"$@\"\n");
    ASSERT_EQ(::chmod(old.c_str(), 0755), 0);
    SetEncoderName(old);
    std::vector<std::string> paths;
    for (int i = 0; i < 3; ++i) {
        paths.push_back(
            dir_.Write("f" + std::to_string(i),
                       DurationScript(30 + i, dir_.path() + "pid" + std::to_string(i))));
    }
    paths.push_back(dir_.path() + "missing");
    Detect(paths);
    ASSERT_EQ(ui_.RowCount(), 3);
    EXPECT_EQ(ui_.ItemOfRow(2)->duration, 32);
    EXPECT_NE(Pid(0), Pid(1));
    EXPECT_NE(Pid(1), Pid(2));
    ASSERT_EQ(ui_.Messages().size(), 1u);
    EXPECT_NE(ui_.Messages()[0].find("\n" + paths[3] + "\n    the encoder program found no length"),
              std::string::npos)
        << ui_.Messages()[0];
}

}  // namespace
}  // namespace clipwright
