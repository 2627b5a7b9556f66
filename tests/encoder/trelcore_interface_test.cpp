// What the application relies on: the probe text, progress lines, exit statuses, overwrite
// rules, stopping by signal and paths holding any byte Linux allows.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "encoder_test_support.h"

namespace enctest {
namespace {

const std::string kToken = "qmt52rwKZ#&";

class InterfaceTest : public ::testing::Test {
protected:
    void SetUp() override { make_clip(source_, {"--duration", "1", "--size", "160x120"}); }

    std::vector<std::string> lines(const std::string& text) {
        std::vector<std::string> out;
        size_t start = 0;
        for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
            out.push_back(text.substr(start, end - start));
        }
        return out;
    }

    // The names in the scratch folder, hidden ones included, sorted.
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
            out.push_back(entry.path().filename().string());
        }
        std::sort(out.begin(), out.end());
        return out;
    }

    static ino_t inode(const std::string& path) {
        struct stat info {};
        return ::lstat(path.c_str(), &info) == 0 ? info.st_ino : 0;
    }

    std::string last_line(const std::string& text) {
        const auto all = lines(text);
        return all.empty() ? std::string() : all.back();
    }

    TempDir dir_;
    std::string source_ = dir_.file("source.mkv");
};

TEST_F(InterfaceTest, ProbeTextFollowsTheGrammar) {
    const RunResult result = run(trelcore({kToken, "-i", source_}));
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_LT(result.output.size(), 1024U);
    const std::regex duration(
        R"(  Duration: (\d{2,}):(\d{2}):(\d{2})\.(\d{2}), start: -?\d+\.\d{6}, bitrate: (\d+ kb/s|N/A))");
    const std::regex video(R"(    Stream #0\.(\d+): Video: mpeg4, yuv420p, 160x120, 25\.00 fps)");
    const std::regex audio(R"(    Stream #0\.(\d+): Audio: mp2, 44100 Hz, stereo, \d+ kb/s)");
    int durations = 0;
    int videos = 0;
    int audios = 0;
    for (const std::string& line : lines(result.output)) {
        std::smatch m;
        if (std::regex_match(line, m, duration)) {
            ++durations;
            EXPECT_EQ(m[1].str() + ":" + m[2].str() + ":" + m[3].str(), "00:00:01");
            EXPECT_TRUE(videos == 0 && audios == 0) << "the duration line comes first";
        }
        videos += std::regex_match(line, video) ? 1 : 0;
        audios += std::regex_match(line, audio) ? 1 : 0;
    }
    EXPECT_EQ(durations, 1) << result.output;
    EXPECT_EQ(videos, 1) << result.output;
    EXPECT_EQ(audios, 1) << result.output;
    EXPECT_EQ(result.output.back(), '\n');
}

TEST_F(InterfaceTest, ProbeOfUnreadableSourcesFailsWithOneLine) {
    const std::string garbage = dir_.file("garbage.mp4");
    make_clip(garbage, {"--garbage"});
    const std::string cut = dir_.file("cut.mp4");
    make_clip(cut, {"--truncate"});
    for (const std::string& path : {garbage, cut, dir_.file("missing.avi"), dir_.path().string()}) {
        const RunResult result = run(trelcore({kToken, "-i", path}));
        EXPECT_NE(result.exit_code, 0) << path;
        EXPECT_EQ(lines(result.output).size(), 1U) << result.output;
        EXPECT_NE(result.output.find(path), std::string::npos) << result.output;
        EXPECT_EQ(result.output.find("Duration: "), std::string::npos);
    }
}

// The server answers each zero-ended path with the one-shot run's text and an end line holding
// that run's status; a last path without its zero byte is dropped, and the end of input ends it.
TEST_F(InterfaceTest, TheProbeServerAnswersAsOneShotRuns) {
    const std::string garbage = dir_.file("garbage \"x\"\nline.mp4");
    make_clip(garbage, {"--garbage"});
    const std::vector<std::string> paths = {source_, garbage, dir_.file("missing.avi"), source_};
    std::string expected = "\x1etrelcore probe server\n";
    for (const std::string& path : paths) {
        const RunResult once = run(trelcore({kToken, "-i", path}));
        expected += once.output +
                    "\x1e"
                    "end " +
                    std::to_string(once.exit_code) + "\n";
    }
    std::vector<std::string> args = {"/bin/sh",
                                     "-c",
                                     "program=$1; token=$2; shift 2; "
                                     "{ printf '%s\\0' \"$@\"; printf unfinished; } | "
                                     "\"$program\" \"$token\" --probe-server",
                                     "sh",
                                     TRELCORE_PATH,
                                     kToken};
    args.insert(args.end(), paths.begin(), paths.end());
    const RunResult served = run(args);
    EXPECT_EQ(served.exit_code, 0);
    EXPECT_EQ(served.output, expected);
    EXPECT_EQ(run(trelcore({kToken, "--probe-server", "-i", source_})).exit_code, 2);
}

TEST_F(InterfaceTest, ProgressLinesEndInCarriageReturnsAndTheLastInALineFeed) {
    const RunResult result =
        run(trelcore({kToken, "-i", source_, "-target", "pal-vcd", "-y", dir_.file("o.mpg")}));
    ASSERT_EQ(result.exit_code, 0) << result.output;
    const std::regex shape(
        R"(frame= *\d+ fps= *\d+ q=\d+\.\d size= *\d+kB time=(\d+\.\d{2}) bitrate= *\d+\.\dkbits/s)");
    int carriage_returned = 0;
    double last_time = -1.0;
    size_t start = 0;
    while (start < result.output.size()) {
        const size_t end = result.output.find_first_of("\r\n", start);
        ASSERT_NE(end, std::string::npos) << "unterminated text";
        const std::string line = result.output.substr(start, end - start);
        std::smatch m;
        if (line.rfind("frame=", 0) == 0) {
            ASSERT_TRUE(std::regex_match(line, m, shape)) << line;
            const double time = std::stod(m[1].str());
            EXPECT_GE(time, last_time);
            last_time = time;
            if (result.output[end] == '\r') {
                ++carriage_returned;
            } else {
                EXPECT_NEAR(time, 1.0, 0.05) << "the last line gives the whole output";
                EXPECT_EQ(end + 1, result.output.size());
            }
        }
        start = end + 1;
    }
    EXPECT_GE(carriage_returned, 1);
    EXPECT_EQ(result.output.back(), '\n');
}

TEST_F(InterfaceTest, EachErrorGivesOneLineAndAFailureStatus) {
    const std::string out = dir_.file("out.mp4");
    const std::string garbage = dir_.file("garbage.avi");
    make_clip(garbage, {"--garbage"});
    struct Case {
        std::vector<std::string> args;
        std::string mentions;
    };
    const std::vector<Case> cases = {
        {{"-i", source_, "-bogus", "1", out}, "-bogus"},
        {{"-i", source_, out, "-t"}, "-t: missing value"},
        {{"-i", source_, "-b", "fast", out}, "-b"},
        {{"-i", source_, "-target", "secam-dvd", out}, "secam-dvd"},
        {{"-i", garbage, "-y", out}, garbage},
        {{"-i", dir_.file("missing.mkv"), "-y", out}, "missing.mkv"},
        {{"-i", source_, "-y", dir_.file("no-such-folder/out.mp4")}, "no-such-folder/out.mp4"},
        {{"-i", source_, "-ss", "30", "-t", "5", "-y", out}, "source.mkv"},
        {{"-i", source_, "-y", dir_.file("out.unknownext")}, "out.unknownext"},
        {{"-i", source_, "-r", "10000", "-y", out}, "-r: frame rate 10000 is out of range"},
        {{"-i", source_, "-ac", "8", "-y", dir_.file("out.mpg")},
         "audio takes at most 2 channels; -ac 8 asks for 8"},
        {{"-i", source_, "-vcodec", "xvid", "-b", "800", "-maxrate", "500", "-y", out},
         "-maxrate 500 kbit/s is below the bit rate 800 kbit/s"},
        {{"-i", source_, "-vcodec", "xvid", "-maxrate", "500", "-minrate", "900", "-y", out},
         "-minrate 900 kbit/s is above -maxrate 500 kbit/s"},
        {{"-i", source_, "-vcodec", "mpeg2video", "-b", "100000", "-y", dir_.file("out.mpg")},
         "-b 100000 kbit/s is above the 80000 kbit/s MPEG-2 video allows (High Level)"},
    };
    for (const Case& c : cases) {
        const RunResult result = run(trelcore(c.args));
        EXPECT_NE(result.exit_code, 0) << c.mentions;
        EXPECT_EQ(lines(result.output).size(), 1U) << result.output;
        EXPECT_NE(result.output.find(c.mentions), std::string::npos) << result.output;
    }
    EXPECT_FALSE(std::filesystem::exists(out)) << "no failed run may leave an output";
    EXPECT_FALSE(std::filesystem::exists(dir_.file("out.mpg")));
}

TEST_F(InterfaceTest, SourcesThatCannotBeConvertedAreExplained) {
    const std::string fifo = dir_.file("pipe.mkv");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string unknown = dir_.file("unknown.avi");
    make_clip(unknown, {"--unknown-vcodec"});
    const std::string out = dir_.file("out.mp4");
    struct Case {
        std::vector<std::string> args;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {{kToken, "-i", fifo}, "pipe.mkv: not a regular file"},
        {{"-i", fifo, "-vcodec", "xvid", "-y", out}, "pipe.mkv: not a regular file"},
        {{"-i", "/dev/zero", "-y", out}, "/dev/zero: not a regular file"},
        {{"-i", unknown, "-vcodec", "xvid", "-y", out},
         "unknown.avi: the source's video stream has no known codec"},
    };
    for (const Case& c : cases) {
        // Nothing writes into the pipe: a source that waits for it never ends.
        const RunResult result = run(trelcore(c.args));
        EXPECT_NE(result.exit_code, 0) << c.reason;
        EXPECT_EQ(lines(result.output).size(), 1U) << result.output;
        EXPECT_NE(result.output.find(c.reason), std::string::npos) << result.output;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(InterfaceTest, ExistingOutputIsKeptWithoutYAndReplacedWithIt) {
    const std::string out = dir_.file("out.mp4");
    make_clip(out, {"--garbage"});
    const std::string before = read_file(out);
    RunResult result = run(trelcore({"-i", source_, "-vcodec", "xvid", out}));
    EXPECT_NE(result.exit_code, 0);
    EXPECT_NE(result.output.find("already exists"), std::string::npos) << result.output;
    EXPECT_EQ(read_file(out), before);

    result = run(trelcore({"-i", source_, "-vcodec", "xvid", "-y", out}));
    EXPECT_EQ(result.exit_code, 0) << result.output;
    EXPECT_TRUE(inspect(out).has_value());
}

TEST_F(InterfaceTest, VideoOutputWithoutAFrameFailsAndLeavesNothing) {
    const std::string out = dir_.file("out.mp4");
    for (const std::vector<std::string>& cut :
         {std::vector<std::string>{"-t", "0.001"}, std::vector<std::string>{"-ss", "1"}}) {
        std::vector<std::string> args = {"-i", source_, "-vcodec", "xvid", "-y", out};
        args.insert(args.begin() + 2, cut.begin(), cut.end());
        const RunResult result = run(trelcore(args));
        EXPECT_NE(result.exit_code, 0) << cut[0] << " " << result.output;
        EXPECT_NE(last_line(result.output).find(source_), std::string::npos) << result.output;
        EXPECT_EQ(names(), std::vector<std::string>{"source.mkv"}) << cut[0];
    }
    const RunResult result = run(trelcore({"-i", source_, "-t", "0.001", "-vcodec", "h264", out}));
    EXPECT_NE(result.output.find("holds no video frame"), std::string::npos) << result.output;
}

TEST_F(InterfaceTest, TruncatedSourceIsConvertedAsFarAsItGoesWithAWarning) {
    const std::string cut = dir_.file("cut.mkv");
    make_clip(cut, {"--duration", "10", "--size", "160x120", "--truncate"});
    const std::string out = dir_.file("out.mp4");
    const RunResult result = run(trelcore({"-i", cut, "-vcodec", "xvid", "-y", out}));
    EXPECT_EQ(result.exit_code, 0) << result.output;
    const std::regex warning(
        R"(trelcore: warning: the source ended at (\d+\.\d) s, before its stated duration of 10\.0 s)");
    std::smatch m;
    const std::string line = last_line(result.output);
    ASSERT_TRUE(std::regex_match(line, m, warning)) << result.output;
    const auto info = inspect(out);
    ASSERT_TRUE(info.has_value());
    EXPECT_NEAR(info->video_seconds, std::stod(m[1].str()), 0.2);
    EXPECT_LT(info->video_seconds, 8.0);
}

TEST_F(InterfaceTest, ReplacedOutputStaysIntactUntilTheNewOneIsComplete) {
    const std::string out = dir_.file("out.mp4");
    make_clip(out, {"--garbage"});
    const std::string before = read_file(out);
    RunResult result = run(trelcore({"-i", source_, "-vcodec", "xvid", "-t", "0.001", "-y", out}));
    EXPECT_NE(result.exit_code, 0);
    EXPECT_EQ(read_file(out), before) << "a failed run keeps the old file";
    EXPECT_EQ(names(), (std::vector<std::string>{"out.mp4", "source.mkv"}));

    result = run(trelcore({"-i", source_, "-vcodec", "xvid", "-y", out}));
    EXPECT_EQ(result.exit_code, 0) << result.output;
    EXPECT_TRUE(inspect(out).has_value());
    EXPECT_EQ(names(), (std::vector<std::string>{"out.mp4", "source.mkv"}));
}

TEST_F(InterfaceTest, SymbolicLinkAsOutputIsReplacedNotWrittenThrough) {
    const std::string real = dir_.file("real.mp4");
    make_clip(real, {"--garbage"});
    const std::string before = read_file(real);
    const std::string link = dir_.file("link.mp4");
    std::filesystem::create_symlink(real, link);
    RunResult result = run(trelcore({"-i", source_, "-vcodec", "xvid", "-t", "0.001", "-y", link}));
    EXPECT_NE(result.exit_code, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(read_file(real), before);

    result = run(trelcore({"-i", source_, "-vcodec", "xvid", "-y", link}));
    EXPECT_EQ(result.exit_code, 0) << result.output;
    EXPECT_FALSE(std::filesystem::is_symlink(link));
    EXPECT_TRUE(inspect(link).has_value());
    EXPECT_EQ(read_file(real), before) << "the file the link named is untouched";
    EXPECT_EQ(names(), (std::vector<std::string>{"link.mp4", "real.mp4", "source.mkv"}));
}

TEST_F(InterfaceTest, EmptyReservedOutputKeepsItsNameAndGetsTheFileOnlyWhenDone) {
    const std::string out = dir_.file("reserved.mp4");
    { std::ofstream create(out); }
    ::chmod(out.c_str(), 0640);
    RunResult result = run(trelcore({"-i", source_, "-vcodec", "xvid", "-t", "0.001", "-y", out}));
    EXPECT_NE(result.exit_code, 0);
    EXPECT_EQ(std::filesystem::file_size(out), 0U) << "a failed run leaves the name as reserved";

    result = run(trelcore({"-i", source_, "-vcodec", "xvid", "-y", out}));
    EXPECT_EQ(result.exit_code, 0) << result.output;
    EXPECT_TRUE(inspect(out).has_value());
    struct stat info {};
    ASSERT_EQ(::stat(out.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640U) << "the reserved file's permissions are kept";
    EXPECT_EQ(names(), (std::vector<std::string>{"reserved.mp4", "source.mkv"}));
}

// A run killed outright (as the application's death takes its encoder with it) leaves no file
// under the output's name that looks finished: the name stays as it was, and nothing else.
TEST_F(InterfaceTest, AKilledRunLeavesNoPartialFileUnderTheOutputsName) {
    const std::string longer = dir_.file("long.mkv");
    make_clip(longer, {"--duration", "60", "--size", "160x120", "--acodec", "mp2"});
    const std::string reserved = dir_.file("reserved.mpg");
    { std::ofstream create(reserved); }
    const std::string fresh = dir_.file("fresh.mpg");
    const std::string old = dir_.file("old.mpg");
    make_clip(old, {"--garbage"});
    const std::string before = read_file(old);
    for (const std::string& out : {reserved, fresh, old}) {
        Child child(trelcore({kToken, "-i", longer, "-target", "pal-dvd", "-y", out}));
        ASSERT_TRUE(child.wait_for_output("frame=", 3)) << out;
        child.signal(SIGKILL);
        EXPECT_EQ(child.wait().exit_code, 128 + SIGKILL);
        if (out == old) {
            EXPECT_EQ(read_file(out), before) << "the old file stays whole";
        } else {
            EXPECT_EQ(std::filesystem::file_size(out), 0U) << out << " holds a partial file";
        }
    }
    EXPECT_EQ(names(), (std::vector<std::string>{"fresh.mpg", "long.mkv", "old.mpg", "reserved.mpg",
                                                 "source.mkv"}));
}

// -y onto a FIFO writes into it, as onto a device: the pipe is not replaced by a regular file.
TEST_F(InterfaceTest, FifoAsOutputIsWrittenInPlace) {
    const std::string fifo = dir_.file("pipe.mpg");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string copy = dir_.file("copy.mpg");
    // The reader copies what comes through the pipe, so the output can be checked.
    Child reader({"/bin/sh", "-c", "cat \"$0\" > \"$1\"", fifo, copy});
    const RunResult result = run(trelcore({"-i", source_, "-target", "pal-vcd", "-y", fifo}));
    EXPECT_EQ(result.exit_code, 0) << result.output;
    struct stat info {};
    ASSERT_EQ(::lstat(fifo.c_str(), &info), 0);
    ASSERT_TRUE(S_ISFIFO(info.st_mode)) << "the FIFO was replaced";  // the reader still waits
    EXPECT_EQ(reader.wait().exit_code, 0);
    const auto info_copy = inspect(copy);
    ASSERT_TRUE(info_copy.has_value());
    EXPECT_TRUE(info_copy->has_video);
    EXPECT_EQ(names(), (std::vector<std::string>{"copy.mpg", "pipe.mpg", "source.mkv"}));

    // A link to a FIFO, as /dev/stdout is to a pipe: written through, the link stays.
    const std::string link = dir_.file("link.mpg");
    std::filesystem::create_symlink(fifo, link);
    const std::string second = dir_.file("second.mpg");
    Child second_reader({"/bin/sh", "-c", "cat \"$0\" > \"$1\"", fifo, second});
    const RunResult through = run(trelcore({"-i", source_, "-target", "pal-vcd", "-y", link}));
    EXPECT_EQ(through.exit_code, 0) << through.output;
    ASSERT_TRUE(std::filesystem::is_symlink(link)) << "the link was replaced";
    EXPECT_EQ(second_reader.wait().exit_code, 0);
    EXPECT_TRUE(inspect(second).has_value());
}

TEST_F(InterfaceTest, SourceIsNeverOverwrittenEvenWithY) {
    const std::string before = read_file(source_);
    const std::string alias = dir_.file("alias.mkv");
    std::filesystem::create_hard_link(source_, alias);
    for (const std::string& out : {source_, alias}) {
        const RunResult result = run(trelcore({"-i", source_, "-vcodec", "h264", "-y", out}));
        EXPECT_NE(result.exit_code, 0) << result.output;
    }
    EXPECT_EQ(read_file(source_), before);
}

TEST_F(InterfaceTest, StopSignalLeavesAClosedPlayableFile) {
    const std::string longer = dir_.file("long.mkv");
    make_clip(longer, {"--duration", "60", "--size", "160x120", "--acodec", "aac"});
    for (const int number : {SIGTERM, SIGINT}) {
        const std::string out = dir_.file(number == SIGTERM ? "term.mov" : "int.mov");
        if (number == SIGINT) {
            make_clip(out, {"--garbage"});  // replaced through a temporary file
        }
        Child child(
            trelcore({kToken, "-i", longer, "-vcodec", "h264", "-s", "1280x720", "-y", out}));
        // The second progress line comes once pictures are being encoded.
        ASSERT_TRUE(child.wait_for_output("frame=", 2));
        child.signal(number);
        const RunResult result = child.wait();
        EXPECT_EQ(result.exit_code, 128 + number) << result.output;
        EXPECT_EQ(result.output.back(), '\n');
        const auto info = inspect(out);
        ASSERT_TRUE(info.has_value()) << "the partial output must be a readable file";
        EXPECT_GT(info->video_frames, 0);
        EXPECT_LT(info->video_seconds, 60.0);
    }
    EXPECT_EQ(names(), (std::vector<std::string>{"int.mov", "long.mkv", "source.mkv", "term.mov"}));
}

TEST_F(InterfaceTest, PathsAndTitlesWithAnyBytesArePassedThrough) {
    const std::filesystem::path odd = dir_.path() / "a \"q\" 'b' \\ ü\nline";
    std::filesystem::create_directory(odd);
    const std::string source = (odd / "-src \"x\".mkv").string();
    std::filesystem::copy_file(source_, source);
    const std::string title = "Title \"with\" 'quotes' \\ and\nnewline ü";

    const RunResult probe = run(trelcore({kToken, "-i", source}));
    EXPECT_EQ(probe.exit_code, 0) << probe.output;

    const std::string out_last = (odd / "-out 1.mp4").string();
    RunResult result = run(trelcore({kToken, "-i", source, "-title", title, "-vcodec", "xvid",
                                     "-ss", "0", "-t", "1", "-y", out_last}));
    EXPECT_EQ(result.exit_code, 0) << result.output;
    const auto info = inspect(out_last);
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->title, title);

    const std::string out_dashes = (odd / "-y").string();
    result = run(trelcore({"-i", source, "-target", "pal-dv", "--", out_dashes}));
    EXPECT_EQ(result.exit_code, 0) << result.output;
    EXPECT_TRUE(inspect(out_dashes).has_value());

    // Errors name such a path on a single line.
    result = run(trelcore({"-i", (odd / "missing\nname.mkv").string(), "-y", out_last}));
    EXPECT_NE(result.exit_code, 0);
    EXPECT_EQ(lines(result.output).size(), 1U) << result.output;
}

TEST(TrelcoreUsage, HelpAndVersionSucceed) {
    for (const char* flag : {"--help", "--version"}) {
        const RunResult result = run(trelcore({flag}));
        EXPECT_EQ(result.exit_code, 0) << flag;
        EXPECT_NE(result.output.find("trelcore"), std::string::npos) << flag;
    }
    const RunResult none = run(trelcore({}));
    EXPECT_NE(none.exit_code, 0);
}

// Standard output alone: help and version are read by pipes and man-page tools, errors are not.
std::string StandardOutputOf(const std::string& flag, int& status) {
    const std::string command = std::string("'") + TRELCORE_PATH + "' " + flag + " 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        status = -1;
        return {};
    }
    std::string text;
    char buffer[512];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        text.append(buffer, n);
    }
    status = ::pclose(pipe);
    return text;
}

TEST(TrelcoreUsage, HelpAndVersionGoToStandardOutput) {
    int status = -1;
    const std::string help = StandardOutputOf("--help", status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(help.find("usage: trelcore"), std::string::npos) << help;
    for (const char* flag : {"--version", "-V"}) {
        const std::string version = StandardOutputOf(flag, status);
        EXPECT_EQ(status, 0) << flag;
        EXPECT_EQ(version.rfind("trelcore ", 0), 0U) << flag << ": " << version;
    }
    // Help that could not be written (standard output closed) is no success.
    const std::string closed = std::string("'") + TRELCORE_PATH + "' --help >&- 2>/dev/null";
    const int closedStatus = std::system(closed.c_str());
    EXPECT_TRUE(WIFEXITED(closedStatus) && WEXITSTATUS(closedStatus) == 1) << closedStatus;
    // An error says nothing on standard output and names the option.
    EXPECT_EQ(StandardOutputOf("-i x.mkv --verbose out.mp4", status), "");
    EXPECT_EQ(WEXITSTATUS(status), 2);
    const RunResult verbose = run(trelcore({"-i", "x.mkv", "--verbose"}));
    EXPECT_EQ(verbose.exit_code, 2);
    EXPECT_NE(verbose.output.find("--verbose: unknown option"), std::string::npos)
        << verbose.output;
}

// The application reads the answer from the exit status and the line on standard output.
TEST(TrelcoreUsage, CanMakeAnswersOnStandardOutput) {
    int status = -1;
    for (const char* kind : {"wmv", "ogm"}) {
        EXPECT_EQ(StandardOutputOf(std::string("--can-make ") + kind, status), "yes\n") << kind;
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << kind << " " << status;
    }
    EXPECT_EQ(StandardOutputOf("--can-make mkv", status), "");
    EXPECT_EQ(WEXITSTATUS(status), 2);
    const RunResult unknown = run(trelcore({"--can-make", "mkv"}));
    EXPECT_EQ(unknown.exit_code, 2);
    EXPECT_NE(unknown.output.find("unknown kind"), std::string::npos) << unknown.output;
    // An answer that could not be written is not a yes.
    const std::string closed =
        std::string("'") + TRELCORE_PATH + "' --can-make wmv >&- 2>/dev/null";
    const int closedStatus = std::system(closed.c_str());
    EXPECT_TRUE(WIFEXITED(closedStatus) && WEXITSTATUS(closedStatus) == 2) << closedStatus;
}

}  // namespace
}  // namespace enctest
