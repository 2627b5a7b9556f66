// clipwright-cli as its users run it: the program itself on clips clipgen makes, with the real
// encoder beside it.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "cli_process.h"
#include "small_tmpfs.h"
#include "test_folder.h"

namespace clipwright::testing {
namespace {

namespace fs = std::filesystem;

class CliBatchTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        clips_ = new TestFolder;
        const auto make = [](const std::string& name, std::vector<std::string> extra) {
            std::vector<std::string> args{CLIPGEN_PATH, clips_->path() + name};
            args.insert(args.end(), extra.begin(), extra.end());
            const Finished made = RunProgram(args, clips_->path() + "clipgen.err");
            ASSERT_EQ(made.status, 0) << made.err;
        };
        make("one.mp4", {"--duration", "1"});
        make("two.avi", {"--duration", "1.5"});
        make("three.mkv", {"--duration", "1"});
        make("four.mp4", {"--duration", "1"});
        make("broken.mp4", {"--garbage"});
        // Long enough to be stopped in the middle on a loaded machine.
        make("long1.mp4", {"--duration", "120", "--size", "160x120"});
        make("long2.mp4", {"--duration", "120", "--size", "160x120"});
    }
    static void TearDownTestSuite() {
        delete clips_;
        clips_ = nullptr;
    }

    static std::string Clip(const std::string& name) { return clips_->path() + name; }

    Finished Cli(std::vector<std::string> args, const std::vector<std::string>& env = {}) {
        args.insert(args.begin(), CLI_PATH);
        return RunProgram(args, work_.path() + "cli.err", env);
    }

    // The names in folder, sorted.
    static std::vector<std::string> Names(const std::string& folder) {
        std::vector<std::string> names;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder, error)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // Waits until no process holds folder in its command line (the encoders die with the
    // program, a moment after it); true when none is left.
    static bool NoProcessMentions(const std::string& folder) {
        for (int round = 0; round < 100; ++round) {
            bool found = false;
            for (const auto& entry : fs::directory_iterator("/proc")) {
                std::ifstream in(entry.path() / "cmdline", std::ios::binary);
                const std::string cmdline(std::istreambuf_iterator<char>(in), {});
                found = found || cmdline.find(folder) != std::string::npos;
            }
            if (!found) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }

    static inline TestFolder* clips_ = nullptr;
    TestFolder work_;
};

TEST_F(CliBatchTest, DryRunPrintsEachOutputAndCommandLineAndWritesNothing) {
    const std::string out = work_.path() + "not made";
    const Finished run = Cli({"--dry-run", "-s", "pal", "-o", out, "-p", "0-1", Clip("one.mp4"),
                              Clip("two.avi"), Clip("one.mp4"), Clip("long1.mp4")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_FALSE(fs::exists(out));
    std::vector<std::string> lines;
    for (size_t from = 0; from < run.out.size();) {
        const size_t end = run.out.find('\n', from);
        lines.push_back(run.out.substr(from, end - from));
        from = end + 1;
    }
    ASSERT_EQ(lines.size(), 4u) << run.out;
    EXPECT_EQ(lines[0].substr(0, lines[0].find('\t')), out + "/one-cvt.mpg");
    EXPECT_EQ(lines[1].substr(0, lines[1].find('\t')), out + "/two-cvt.mpg");
    // The same title twice gets the name the real run would give its second file.
    EXPECT_EQ(lines[2].substr(0, lines[2].find('\t')), out + "/one-cvt[1].mpg");
    // A part that ends where the file does runs to its end; one inside it has its length.
    EXPECT_NE(lines[0].find("-target pal-dvd -ss 0 -y \"" + out + "/one-cvt.mpg\""),
              std::string::npos)
        << lines[0];
    EXPECT_NE(lines[3].find("-target pal-dvd -ss 0 -t 1 -y \"" + out + "/long1-cvt.mpg\""),
              std::string::npos)
        << lines[3];
    EXPECT_NE(lines[1].find("-i \"" + Clip("two.avi") + "\""), std::string::npos) << lines[1];
}

TEST_F(CliBatchTest, WithoutOutputTheDesktopProgramsStoredFolderIsUsed) {
    const std::string stored = work_.path() + "stored/";
    fs::create_directories(stored);
    fs::create_directories(work_.path() + "config/Trelvane");
    work_.Write("config/Trelvane/Clipwright.conf", "\"OutputPath\"=\"" + stored + "\"\n");
    const Finished run =
        Cli({"--dry-run", Clip("one.mp4")}, {"XDG_CONFIG_HOME=" + work_.path() + "config"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find('\t')), stored + "one-cvt.mpg");
    // A stored folder that is gone gives way to the default under the home folder.
    fs::create_directories(work_.path() + "home");
    fs::remove(stored);
    const Finished fallback =
        Cli({"--dry-run", Clip("one.mp4")},
            {"XDG_CONFIG_HOME=" + work_.path() + "config", "HOME=" + work_.path() + "home"});
    ASSERT_EQ(fallback.status, 0) << fallback.err;
    EXPECT_EQ(fallback.out.substr(0, fallback.out.find('\t')),
              work_.path() + "home/ConvertedMedia/one-cvt.mpg");
}

TEST_F(CliBatchTest, ExitStatusTellsConvertedFailedAndBadUsage) {
    const std::string out = work_.path() + "out/";
    const Finished good = Cli({"-s", "pal", "-o", out, "--report", "csv", "--progress", "lines",
                               Clip("one.mp4"), Clip("two.avi")});
    ASSERT_EQ(good.status, 0) << good.err << good.out;
    EXPECT_EQ(Names(out),
              (std::vector<std::string>{"clipwright-report.csv", "one-cvt.mpg", "two-cvt.mpg"}));
    EXPECT_GT(fs::file_size(out + "one-cvt.mpg"), 0u);
    const std::string report = TestFolder::Read(out + "clipwright-report.csv");
    EXPECT_NE(report.find(Clip("two.avi") + "," + out + "two-cvt.mpg,Done,0-1,"), std::string::npos)
        << report;

    // A file the encoder cannot read fails with its reason; the good one is still converted.
    const std::string mixed = work_.path() + "mixed/";
    const Finished failed =
        Cli({"-o", mixed, "--report", "csv", Clip("broken.mp4"), Clip("one.mp4")});
    EXPECT_EQ(failed.status, 1) << failed.err;
    EXPECT_NE(failed.out.find("[1/2] failed " + Clip("broken.mp4") + ": "), std::string::npos)
        << failed.out;
    EXPECT_EQ(Names(mixed), (std::vector<std::string>{"clipwright-report.csv", "one-cvt.mpg"}));
    EXPECT_NE(TestFolder::Read(mixed + "clipwright-report.csv").find(",Error,"), std::string::npos);

    // Bad input: a clear message, status 2, nothing written anywhere.
    const std::string list =
        work_.Write("list.txt", Clip("one.mp4") + "\n" + Clip("two.avi") + "\t00:00:01-00:00:x\n");
    const std::string untouched = work_.path() + "untouched/";
    const std::string aFile = work_.Write("plain.txt", "x");
    const std::vector<std::pair<std::vector<std::string>, std::string>> bad{
        {{"-o", untouched, Clip("missing.mp4")}, Clip("missing.mp4") + ": no such file"},
        {{"-o", untouched, clips_->path()}, "is a folder"},
        {{"-o", untouched, "--list", list}, list + ":2: "},
        {{"-o", untouched, "--list", work_.path() + "nolist"}, "--list"},
        {{"-o", untouched, "-p", "00:00:00-00:00:05", Clip("one.mp4")}, "goes past its end"},
        {{"-o", aFile + "/sub", Clip("one.mp4")}, "cannot be written"},
        {{"-o", untouched, "--disc", "-t", "dv", Clip("one.mp4")}, "--disc"},
        {{"-o", untouched, "--frobnicate", Clip("one.mp4")}, "--frobnicate"},
    };
    for (const auto& [args, message] : bad) {
        const Finished refused = Cli(args);
        EXPECT_EQ(refused.status, 2) << message;
        EXPECT_NE(refused.err.find(message), std::string::npos) << refused.err;
        EXPECT_FALSE(fs::exists(untouched)) << message;
    }
    EXPECT_EQ(Names(work_.path()),
              (std::vector<std::string>{"cli.err", "list.txt", "mixed", "out", "plain.txt"}));
}

TEST_F(CliBatchTest, AMissingEncoderOrAuthoringToolIsStatusThree) {
    // A copy of the program alone in a folder, with no encoder on PATH either.
    const std::string lonely = work_.path() + "clipwright-cli";
    fs::copy_file(CLI_PATH, lonely);
    const std::string out = work_.path() + "out/";
    const Finished noEncoder = RunProgram({lonely, "-o", out, Clip("one.mp4")},
                                          work_.path() + "err", {"PATH=/nonexistent"});
    EXPECT_EQ(noEncoder.status, 3);
    EXPECT_NE(noEncoder.err.find("trelcore"), std::string::npos) << noEncoder.err;
    // The encoder is found beside the real program, but no disc tool is on PATH.
    const Finished noTools = Cli({"-o", out, "--disc", Clip("one.mp4")}, {"PATH=/nonexistent"});
    EXPECT_EQ(noTools.status, 3);
    EXPECT_NE(noTools.err.find("dvdauthor"), std::string::npos) << noTools.err;
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(CliBatchTest, ProgressIsALiveBarOrOneJsonObjectALine) {
    const Finished bar =
        Cli({"-o", work_.path() + "bar", "-s", "pal", "--progress", "bar", Clip("one.mp4")});
    ASSERT_EQ(bar.status, 0) << bar.err;
    EXPECT_NE(bar.out.find("\r\033[K[1/1] done " + Clip("one.mp4")), std::string::npos) << bar.out;
    EXPECT_NE(bar.out.find("1 of 1 converted, 0 failed, 0 skipped\n"), std::string::npos)
        << bar.out;

    const Finished json = Cli({"-o", work_.path() + "json", "-s", "pal", "--progress", "json",
                               Clip("broken.mp4"), Clip("one.mp4")});
    EXPECT_EQ(json.status, 1) << json.err;
    std::vector<std::string> events;
    for (size_t from = 0; from < json.out.size();) {
        const size_t end = json.out.find('\n', from);
        const std::string line = json.out.substr(from, end - from);
        from = end + 1;
        ASSERT_TRUE(line.starts_with("{\"event\":\"") && line.ends_with("}")) << line;
        events.push_back(line.substr(10, line.find('"', 10) - 10));
    }
    std::erase(events, "progress");
    EXPECT_EQ(events, (std::vector<std::string>{"finished", "started", "finished", "end"}));
    EXPECT_NE(json.out.find("\"status\":\"failed\",\"reason\":\""), std::string::npos);
    EXPECT_NE(json.out.find("{\"event\":\"end\",\"converted\":1,\"failed\":1,\"skipped\":0,"),
              std::string::npos)
        << json.out;
}

TEST_F(CliBatchTest, TwoRunsAtOnceIntoOneFolderNeverShareAName) {
    const std::string out = work_.path() + "shared/";
    const std::vector<std::string> args{
        CLI_PATH,         "-o", out, "-s", "pal", "-j", "2", Clip("one.mp4"), Clip("one.mp4"),
        Clip("three.mkv")};
    Running first(args, work_.path() + "first.err");
    Running second(args, work_.path() + "second.err");
    first.ReadRest();
    second.ReadRest();
    EXPECT_EQ(first.Wait(), 0) << TestFolder::Read(work_.path() + "first.err");
    EXPECT_EQ(second.Wait(), 0) << TestFolder::Read(work_.path() + "second.err");
    // Each run passed the output check, so no file was written by both.
    EXPECT_EQ(Names(out),
              (std::vector<std::string>{"one-cvt.mpg", "one-cvt[1].mpg", "one-cvt[2].mpg",
                                        "one-cvt[3].mpg", "three-cvt.mpg", "three-cvt[1].mpg"}));
}

TEST_F(CliBatchTest, InterruptStopsTheEncodersRemovesPartialsAndReportsTheFinished) {
    const struct {
        const char* name;
        int signal;
        bool twice;
    } stops[] = {{"sigint", SIGINT, false}, {"sigterm", SIGTERM, false}, {"twice", SIGINT, true}};
    for (const auto& [name, signal, twice] : stops) {
        SCOPED_TRACE(name);
        const std::string out = work_.path() + name + "/";
        Running cli({CLI_PATH, "-o", out, "-j", "2", "--progress", "json", "--report", "csv",
                     Clip("one.mp4"), Clip("long1.mp4"), Clip("long2.mp4")},
                    work_.path() + "int.err");
        // Once the short file is done and both long ones are converting, stop the run.
        bool firstDone = false;
        bool thirdStarted = false;
        std::string line;
        while (!(firstDone && thirdStarted) && cli.ReadLine(line)) {
            firstDone = firstDone || line.find("\"event\":\"finished\",\"file\":1,") == 1;
            thirdStarted = thirdStarted || line.find("\"event\":\"started\",\"file\":3,") == 1;
        }
        ASSERT_TRUE(firstDone && thirdStarted) << TestFolder::Read(work_.path() + "int.err");
        ::kill(cli.pid(), signal);
        if (twice) {
            // Two signals sent at once may arrive as one: the second waits for the first's word.
            while (TestFolder::Read(work_.path() + "int.err").find("stopping") ==
                   std::string::npos) {
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            ::kill(cli.pid(), SIGINT);
        }
        const std::string rest = cli.ReadRest();
        EXPECT_EQ(cli.Wait(), 130) << rest << TestFolder::Read(work_.path() + "int.err");
        EXPECT_TRUE(NoProcessMentions(out));
        // The second signal stops at once, usually before the report is written.
        std::vector<std::string> left = Names(out);
        if (twice) {
            std::erase(left, "clipwright-report.csv");
            EXPECT_EQ(left, (std::vector<std::string>{"one-cvt.mpg"}));
            continue;
        }
        EXPECT_EQ(left, (std::vector<std::string>{"clipwright-report.csv", "one-cvt.mpg"}));
        const std::string report = TestFolder::Read(out + "clipwright-report.csv");
        EXPECT_NE(report.find(Clip("one.mp4") + "," + out + "one-cvt.mpg,Done,"), std::string::npos)
            << report;
        // Rows in list order, whatever order the two jobs ended in.
        const size_t first = report.find(Clip("one.mp4") + ",");
        const size_t second = report.find(Clip("long1.mp4") + ",,Skip,");
        const size_t third = report.find(Clip("long2.mp4") + ",,Skip,");
        EXPECT_NE(third, std::string::npos) << report;
        EXPECT_LT(first, second) << report;
        EXPECT_LT(second, third) << report;
    }
}

TEST_F(CliBatchTest, ARunThatWouldNotFitStartsOnlyWithForceAndThenSaysTheDiskIsFull) {
    const std::string small = work_.path() + "small";
    const SmallTmpfs disk(small);
    if (disk.WhyNot() != nullptr) {
        GTEST_SKIP() << disk.WhyNot();
    }
    const Finished refused = Cli({"-o", small, "-s", "pal", Clip("long1.mp4")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("--force"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find(" free"), std::string::npos) << refused.err;
    EXPECT_TRUE(Names(small).empty());

    const Finished forced = Cli({"-o", small, "-s", "pal", "--force", Clip("long1.mp4")});
    EXPECT_EQ(forced.status, 1);
    EXPECT_NE(forced.out.find("The disk of the output folder is full."), std::string::npos)
        << forced.out << forced.err;
}

TEST_F(CliBatchTest, DiscIsMadeFromTheConvertedFiles) {
    if (!fs::exists("/usr/bin/vcdimager")) {
        GTEST_SKIP() << "vcdimager is not installed";
    }
    const std::string out = work_.path() + "vcd/";
    const std::string disc = work_.path() + "my disc";
    const Finished run = Cli({"-t", "vcd", "-s", "pal", "-o", out, "--disc=" + disc, "--progress",
                              "lines", Clip("one.mp4"), Clip("three.mkv")});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    EXPECT_EQ(Names(disc), (std::vector<std::string>{"my disc.bin", "my disc.cue"}));
    const std::string cue = TestFolder::Read(disc + "/my disc.cue");
    EXPECT_NE(cue.find("TRACK 02"), std::string::npos) << cue;
    EXPECT_NE(cue.find("TRACK 03"), std::string::npos) << cue;
    EXPECT_NE(run.out.find("disc " + disc + "/my disc.cue"), std::string::npos) << run.out;

    // A disc folder that holds something is refused before anything is converted.
    const std::string again = work_.path() + "again/";
    const Finished refused = Cli({"-t", "vcd", "-o", again, "--disc=" + disc, Clip("one.mp4")});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("new or empty"), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(again));
}

// A short run fitted to a whole DVD: every file measured, then converted at the highest average
// the disc allows.
TEST_F(CliBatchTest, AFittedRunIsMeasuredFirstAndConvertedAtThePlannedRates) {
    const std::string out = work_.path() + "fitted/";
    const Finished run = Cli({"-t", "dvd", "-s", "pal", "-o", out, "--fit-disc", "dvd5",
                              "--progress", "lines", Clip("one.mp4"), Clip("three.mkv")});
    ASSERT_EQ(run.status, 0) << run.err << run.out;
    const size_t measured = run.out.find("measured " + Clip("three.mkv"));
    const size_t fitted = run.out.find("average video rate 9000 kbit/s");
    const size_t converting = run.out.find("converting");
    EXPECT_NE(measured, std::string::npos) << run.out;
    EXPECT_LT(measured, fitted) << run.out;
    EXPECT_LT(fitted, converting) << run.out;
    EXPECT_EQ(Names(out), (std::vector<std::string>{"one-cvt.mpg", "three-cvt.mpg"}));

    // The dry run measures too, and its standard output is its command lines, with the rates.
    const std::string dry = work_.path() + "dry/";
    const Finished lines = Cli({"-t", "dvd", "-s", "pal", "-o", dry, "--fit-disc", "dvd5",
                                "--dry-run", "--progress", "lines", Clip("one.mp4")});
    ASSERT_EQ(lines.status, 0) << lines.err << lines.out;
    EXPECT_EQ(std::count(lines.out.begin(), lines.out.end(), '\n'), 1) << lines.out;
    EXPECT_NE(lines.out.find("-target pal-dvd -bt 9000k -maxrate "), std::string::npos)
        << lines.out;
    EXPECT_NE(lines.err.find("average video rate 9000 kbit/s"), std::string::npos) << lines.err;
    EXPECT_FALSE(fs::exists(dry));
}

TEST_F(CliBatchTest, GnuParallelRunsTwoShardsIntoOneFolder) {
    const std::string parallel = "/usr/bin/parallel";
    if (!fs::exists(parallel)) {
        GTEST_SKIP() << "GNU parallel is not installed";
    }
    const std::string out = work_.path() + "sharded/";
    const Finished run = RunProgram({parallel,
                                     "--will-cite",
                                     "--jobs",
                                     "2",
                                     CLI_PATH,
                                     "-o",
                                     out,
                                     "-s",
                                     "pal",
                                     "--progress",
                                     "lines",
                                     "--shard",
                                     "{}/2",
                                     Clip("one.mp4"),
                                     Clip("two.avi"),
                                     Clip("three.mkv"),
                                     Clip("four.mp4"),
                                     ":::",
                                     "1",
                                     "2"},
                                    work_.path() + "parallel.err");
    EXPECT_EQ(run.status, 0) << run.err << run.out;
    EXPECT_EQ(Names(out), (std::vector<std::string>{"four-cvt.mpg", "one-cvt.mpg", "three-cvt.mpg",
                                                    "two-cvt.mpg"}));
}

}  // namespace
}  // namespace clipwright::testing
