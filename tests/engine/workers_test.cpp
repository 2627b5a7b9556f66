// The conversion and detection workers on their own threads, against an in-memory list and the
// fake encoder program (whose source path is its script).
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <utility>

#include "base/string_ids.h"
#include "base/text_format.h"
#include "base/text_log.h"
#include "engine/child_process.h"
#include "engine/command_line.h"
#include "engine/conversion_worker.h"
#include "engine/detection_worker.h"
#include "engine/encoder_run.h"
#include "engine/file_system.h"
#include "engine/reason_words.h"
#include "engine/run_fit.h"
#include "fake_worker_ui.h"
#include "test_folder.h"

namespace clipwright {
namespace {

using testing::FakeWorkerUi;
using testing::TestFolder;
using testing::WaitForFile;

constexpr const char* kProbeText =
    "print   Duration: 00:00:20.00, start: 0.000000, bitrate: 500 kb/s\\n"
    "    Stream #0.0: Video: mpeg4, yuv420p, 320x240, 25 fps\\n\n";

class WorkersTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetEncoderName(FAKE_ENCODER);
        ConversionSettings settings;
        settings.outputType = kTypeDvd;
        settings.tvStandard = kPal;
        settings.outputFolder = dir_.path() + "out/";
        ui_.SetSettings(settings);
    }
    void TearDown() override { SetEncoderName(kEncoderName); }

    // A list row whose source is a fake-encoder script; part 0..20 s unless told otherwise.
    std::string AddClip(const std::string& name, const std::string& script, int32_t selEnd = 20) {
        SourceItem item;
        SetSourcePath(item, dir_.Write(name + ".txt", script));
        item.duration = 20;
        item.selEnd = selEnd;
        ui_.AddRow(item);
        return item.sourcePath;
    }

    // Runs the worker on its own thread, as the dialog does, and waits for it.
    void Convert() {
        shared_.workerRunning = true;
        std::thread worker([this] { RunConversionWorker(shared_, ui_, [this] { ++posts_; }); });
        shared_.doneEvent.Wait();
        worker.join();
    }

    int32_t StatusOfRow(int row) { return ui_.ItemOfRow(row)->status; }

    // Fits the first rows (20 s each) to budget bytes of a DVD; the planned average rate.
    int64_t FitRows(int rows, int64_t budget) {
        std::vector<const SourceItem*> items;
        for (int row = 0; row < rows; ++row) {
            ui_.ItemOfRow(row)->durationMs = 20000;
            items.push_back(ui_.ItemOfRow(row));
        }
        auto fit = std::make_shared<RunFit>(kTypeDvd, BuildOptions(ui_.Settings()), budget);
        const std::atomic<bool> go{false};
        EXPECT_EQ(fit->Analyse(items, go).problem, FitProblem::kNone);
        shared_.fit = fit;
        return fit->AverageVideoRate();
    }
    // The output sizes of the first rows, each expected done.
    std::vector<int64_t> DoneSizes(int rows) {
        std::vector<int64_t> sizes;
        for (int row = 0; row < rows; ++row) {
            EXPECT_EQ(StatusOfRow(row), kDone) << row;
            sizes.push_back(RegularFileBytes(OutputPath(*ui_.ItemOfRow(row))));
        }
        return sizes;
    }
    void ExpectNoRemakeLeft() const {
        for (const auto& entry : std::filesystem::directory_iterator(dir_.path() + "out")) {
            EXPECT_NE(entry.path().filename().string().rfind(".remake-", 0), 0u) << entry.path();
        }
    }

    TestFolder dir_;
    FakeWorkerUi ui_;
    EncoderRun run_;
    ConversionShared shared_{run_};
    int posts_ = 0;
};

TEST_F(WorkersTest, EmptySelectionIsAnErrorAndTheRestConverts) {
    AddClip("a", "media 20\nprogress 2 5 10\n");
    const std::string second = AddClip("b", "media 20\n", 0);
    AddClip("c", "media 20\n");
    Convert();
    EXPECT_EQ(StatusOfRow(0), kDone);
    EXPECT_EQ(StatusOfRow(1), kError);
    EXPECT_EQ(StatusOfRow(2), kDone);
    ASSERT_EQ(ui_.Messages().size(), 1u);
    EXPECT_EQ(ui_.Messages()[0],
              "Unknown file format . Please ensure your computer can playback the file normally."
              "\r\n\n" +
                  second +
                  "\n    The chosen part is empty.\r\n\r\nPlease note the following reasons:");
    EXPECT_TRUE(shared_.completed);
    EXPECT_EQ(posts_, 1);
    EXPECT_FALSE(shared_.workerRunning);
    EXPECT_TRUE(std::filesystem::exists(dir_.path() + "out/a-cvt.mpg"));
    // The step text names the last file started and where it goes.
    const std::lock_guard lock(shared_.stateLock);
    EXPECT_EQ(shared_.stepText.substr(0, 16), "Step 3/3: From \"");
    EXPECT_EQ(shared_.currentTarget, dir_.path() + "out/c-cvt.mpg");
}

TEST_F(WorkersTest, AFailingEncoderMakesTheFileAnError) {
    const std::string bad = AddClip("bad", "media 20\nexit 2\n");
    AddClip("good", "media 20\n");
    Convert();
    EXPECT_EQ(StatusOfRow(0), kError);
    EXPECT_EQ(StatusOfRow(1), kDone);
    ASSERT_EQ(ui_.Messages().size(), 1u);
    EXPECT_NE(ui_.Messages()[0].find("\n" + bad +
                                     "\n    The encoder program ended with status 2 and gave no "
                                     "reason.\r\n"),
              std::string::npos)
        << ui_.Messages()[0];
}

TEST_F(WorkersTest, SkipCurrentStopsOnlyTheSecondFile) {
    const std::string started = dir_.path() + "started";
    AddClip("a", "media 20\n");
    AddClip("b", "dumpargs " + started + "\nsleep 60000\n");
    AddClip("c", "media 20\n");
    std::thread user([&] {
        WaitForFile(started);
        shared_.skipCurrent = true;
        run_.abortRequested = true;
    });
    Convert();
    user.join();
    EXPECT_EQ(StatusOfRow(0), kDone);
    EXPECT_EQ(StatusOfRow(1), kSkip);
    EXPECT_EQ(StatusOfRow(2), kDone);
    EXPECT_TRUE(ui_.Messages().empty());  // a skip is not a failure
    EXPECT_TRUE(shared_.completed);
}

TEST_F(WorkersTest, CancelAllDuringTheSecondFileSkipsTheRest) {
    const std::string started = dir_.path() + "started";
    AddClip("a", "media 20\n");
    AddClip("b", "dumpargs " + started + "\nsleep 60000\n");
    AddClip("c", "media 20\n");
    shared_.workerRunning = true;
    std::thread worker([this] { RunConversionWorker(shared_, ui_, [this] { ++posts_; }); });
    WaitForFile(started);
    shared_.cancelAll = true;
    shared_.skipCurrent = true;
    run_.abortRequested = true;
    shared_.doneEvent.Wait();
    worker.join();
    MarkRemainingSkipped(shared_, ui_);
    EXPECT_EQ(StatusOfRow(0), kDone);
    EXPECT_EQ(StatusOfRow(1), kSkip);
    EXPECT_EQ(StatusOfRow(2), kSkip);
    EXPECT_FALSE(shared_.completed);
    EXPECT_EQ(posts_, 0);
    EXPECT_FALSE(std::filesystem::exists(dir_.path() + "out/c-cvt.mpg"));
    // The record has every row: the one stopped and the one never started count as skipped,
    // the latter without an output.
    const std::lock_guard lock(shared_.stateLock);
    ASSERT_EQ(shared_.records.size(), 3u);
    EXPECT_EQ(shared_.records[0].status, kDone);
    EXPECT_EQ(shared_.records[1].status, kSkip);
    EXPECT_EQ(shared_.records[2].status, kSkip);
    EXPECT_EQ(shared_.records[2].source, ui_.ItemOfRow(2)->sourcePath);
    EXPECT_EQ(shared_.records[2].output, "");
    EXPECT_EQ(shared_.records[2].outputBytes, -1);
}

TEST_F(WorkersTest, ACancelCrossingTheEndKeepsFinishedRows) {
    AddClip("a", "media 20\n");
    AddClip("b", "media 20\n");
    ui_.ItemOfRow(1)->status = kWaiting;
    // The worker went through both files, then a cancel came before it could see completion.
    shared_.workerRunning = true;
    RunConversionWorker(shared_, ui_, [] {});
    shared_.completed = false;
    ui_.ItemOfRow(1)->status = kDone;
    MarkRemainingSkipped(shared_, ui_);
    EXPECT_EQ(StatusOfRow(1), kDone);
}

TEST_F(WorkersTest, AnEmptyListCreatesNothingAndCompletes) {
    Convert();
    EXPECT_FALSE(std::filesystem::exists(dir_.path() + "out"));
    EXPECT_TRUE(shared_.completed);
    EXPECT_EQ(posts_, 1);
    EXPECT_EQ(shared_.fileCount, 0);
}

TEST_F(WorkersTest, NestedOutputFolderIsMadeAndNamesNeverCollide) {
    ConversionSettings settings = ui_.Settings();
    settings.outputFolder = dir_.path() + "x/a/b/c/";
    ui_.SetSettings(settings);
    EnsureFolder(settings.outputFolder);
    dir_.Write("x/a/b/c/clip-cvt.mpg", "earlier output");
    AddClip("clip", "media 20\n");
    Convert();
    EXPECT_EQ(StatusOfRow(0), kDone);
    EXPECT_EQ(TestFolder::Read(dir_.path() + "x/a/b/c/clip-cvt.mpg"), "earlier output");
    EXPECT_NE(TestFolder::Read(dir_.path() + "x/a/b/c/clip-cvt[1].mpg").find("Duration"),
              std::string::npos);
}

// Two runs into one folder: a name another run has taken, even as an empty file it has not yet
// written, is never given out again; a run that wrote nothing gives its name back.
TEST_F(WorkersTest, OutputNamesAreReservedAndGivenBackWhenNothingWasWritten) {
    EnsureFolder(dir_.path() + "out/");
    dir_.Write("out/a-cvt.mpg", "");  // reserved by another run
    AddClip("a", "media 20\n");
    AddClip("b", "exit 0\n");       // claims success but writes nothing
    AddClip("c", "media 20\n", 0);  // nothing to convert
    Convert();
    EXPECT_EQ(StatusOfRow(0), kDone);
    EXPECT_EQ(TestFolder::Read(dir_.path() + "out/a-cvt.mpg"), "");
    EXPECT_NE(TestFolder::Read(dir_.path() + "out/a-cvt[1].mpg").find("Duration"),
              std::string::npos);
    EXPECT_EQ(StatusOfRow(1), kError);
    EXPECT_EQ(StatusOfRow(2), kError);
    EXPECT_FALSE(std::filesystem::exists(dir_.path() + "out/b-cvt.mpg"));
    EXPECT_FALSE(std::filesystem::exists(dir_.path() + "out/c-cvt.mpg"));
}

// Status 0 is checked: an output that is missing, not media or too short makes the file an
// error, with the reason in the summary; a short output is kept.
TEST_F(WorkersTest, AnEncoderThatClaimsSuccessIsChecked) {
    const std::string nothing = AddClip("nothing", "progress 3 5 7\nexit 0\n");
    const std::string garbage = AddClip("garbage", "output 5000\n");
    const std::string shorter = AddClip("short", "media 12.3\n");
    AddClip("near", "media 19.2\n");
    Convert();
    EXPECT_EQ(StatusOfRow(0), kError);
    EXPECT_EQ(StatusOfRow(1), kError);
    EXPECT_EQ(StatusOfRow(2), kError);
    EXPECT_EQ(StatusOfRow(3), kDone);
    ASSERT_EQ(ui_.Messages().size(), 1u);
    const std::string summary = ui_.Messages()[0];
    EXPECT_NE(summary.find("\n" + nothing + "\n    the output file is empty\n"), std::string::npos);
    EXPECT_NE(summary.find("\n" + garbage + "\n    the output is not a readable media file\n"),
              std::string::npos);
    EXPECT_NE(summary.find("\n" + shorter + "\n    the output lasts 12.30 s instead of 20.00 s"),
              std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir_.path() + "out/short-cvt.mpg"));
}

TEST_F(WorkersTest, TypesWithoutAnEncoderEndAsErrors) {
    ConversionSettings settings = ui_.Settings();
    settings.outputType = kTypeWmv;
    ui_.SetSettings(settings);
    const std::string path = AddClip("a", "media 20\n");
    Convert();
    EXPECT_EQ(StatusOfRow(0), kError);
    EXPECT_FALSE(std::filesystem::exists(dir_.path() + "out/a-cvt.wmv"));
    ASSERT_EQ(ui_.Messages().size(), 1u);
    EXPECT_NE(ui_.Messages()[0].find(path + "\n    There is no encoder for this output type."),
              std::string::npos);
}

// Each failed file names its own reason on the line under it: trelcore's last error line (not
// a warning), a full disk in the user's words, the exit status or the signal it died of.
TEST_F(WorkersTest, TheFailureSummaryGivesEachFilesReason) {
    SetLogFilePath(dir_.path() + "log.txt");
    const std::string broken = AddClip("broken",
                                       "print trelcore: warning: the source ends early\\n\n"
                                       "print trelcore: broken.avi: cannot open the decoder\\n\n"
                                       "print frame=1 time=0.5\\r\nexit 1\n");
    const std::string full = AddClip(
        "full",
        "print trelcore: full-cvt.mpg: cannot write (No space left on device)\\n\nexit 1\n");
    const std::string warned = AddClip("warned", "print trelcore: warning: odd\\n\nexit 3\n");
    // An encoder that dies names the signal, even after an error line of its own.
    const std::string crashed =
        AddClip("crashed", "print trelcore: crashed.avi: odd header\\n\nsignal 11\n");
    const std::string aborted = AddClip("aborted", "signal 6\n");
    const std::string killed = AddClip("killed", "signal 9\n");
    Convert();
    SetLogFilePath("");
    ASSERT_EQ(ui_.Messages().size(), 1u);
    EXPECT_EQ(ui_.Messages()[0],
              "Unknown file format . Please ensure your computer can playback the file normally."
              "\r\n\n" +
                  broken + "\n    trelcore: broken.avi: cannot open the decoder\n" + full +
                  "\n    The disk of the output folder is full.\n" + warned +
                  "\n    The encoder program ended with status 3 and gave no reason.\n" + crashed +
                  "\n    The encoder program was ended by signal 11 (SIGSEGV).\n" + aborted +
                  "\n    The encoder program was ended by signal 6 (SIGABRT).\n" + killed +
                  "\n    The encoder program was ended by signal 9 (SIGKILL)." +
                  "\r\n\r\nPlease note the following reasons:");
    // The log keeps all that a failed encoder said.
    const std::string log = TestFolder::Read(dir_.path() + "log.txt");
    EXPECT_NE(log.find("trelcore: warning: the source ends early\ntrelcore: broken.avi: cannot "
                       "open the decoder\nframe=1 time=0.5\r"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("trelcore: warning: odd"), std::string::npos);
}

TEST_F(WorkersTest, AMissingEncoderAndAnUnwritableFolderAreNamed) {
    const std::string path = AddClip("a", "media 20\n");
    SetEncoderName(dir_.path() + "no-such-encoder");
    Convert();
    ASSERT_EQ(ui_.Messages().size(), 1u);
    EXPECT_NE(ui_.Messages()[0].find(path + "\n    The encoder program " + dir_.path() +
                                     "no-such-encoder is missing or could not be started."),
              std::string::npos)
        << ui_.Messages()[0];

    // A folder below a file cannot be made, not even by root.
    SetEncoderName(FAKE_ENCODER);
    const std::string blocked = dir_.Write("plain-file", "x") + "/out/";
    ConversionSettings settings = ui_.Settings();
    settings.outputFolder = blocked;
    ui_.SetSettings(settings);
    EncoderRun run;
    ConversionShared shared(run);
    FakeWorkerUi ui;
    ui.SetSettings(settings);
    SourceItem item;
    SetSourcePath(item, dir_.Write("b.txt", "print trelcore: b-cvt.mpg: cannot open\\n\nexit 1\n"));
    item.duration = 20;
    item.selEnd = 20;
    ui.AddRow(item);
    shared.workerRunning = true;
    std::thread worker([&] { RunConversionWorker(shared, ui, [] {}); });
    shared.doneEvent.Wait();
    worker.join();
    EXPECT_EQ(ui.ItemOfRow(0)->status, kError);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_NE(
        ui.Messages()[0].find("\n    The output folder " + blocked + " cannot be written to."),
        std::string::npos)
        << ui.Messages()[0];
}

// An encoder that closed its output and stays is not waited for: it is ended after the time
// limit and the reason says so; the run goes on with the next file.
TEST_F(WorkersTest, AnEncoderThatClosesItsOutputAndHangsIsEnded) {
    const std::string pidFile = dir_.path() + "pid";
    const std::string hung = AddClip("hung", "pid " + pidFile + "\nclose_output\nsleep 600000\n");
    AddClip("next", "media 20\n");
    Convert();
    EXPECT_EQ(StatusOfRow(0), kError);
    EXPECT_EQ(StatusOfRow(1), kDone);
    ASSERT_EQ(ui_.Messages().size(), 1u);
    EXPECT_NE(
        ui_.Messages()[0].find(hung + "\n    The encoder program closed its output but did not "
                                      "end; it was stopped after 5 s.\r\n"),
        std::string::npos)
        << ui_.Messages()[0];
    const pid_t pid = std::stoi(TestFolder::Read(pidFile));
    EXPECT_NE(::kill(pid, 0), 0) << "the hung encoder is gone";
}

// What stands under the encoder's name is named for what it is; an output name the file system
// cannot take is told as such, not as an unwritable folder.
TEST_F(WorkersTest, AnUnusableEncoderAndATooLongNameAreToldApart) {
    const std::string notExecutable = dir_.Write("plain-encoder", "#!/bin/sh\n");
    const std::string folder = dir_.path() + "folder-encoder";
    std::filesystem::create_directory(folder);
    const std::string path = AddClip("a", "media 20\n");
    for (const auto& [encoder, text] : {std::pair{notExecutable, " exists but is not executable."},
                                        std::pair{folder, " is a folder, not a program."}}) {
        SetEncoderName(encoder);
        ui_.ItemOfRow(0)->status = kReady;
        Convert();
        ASSERT_FALSE(ui_.Messages().empty());
        EXPECT_NE(ui_.Messages().back().find(path + "\n    The encoder program " + encoder + text),
                  std::string::npos)
            << ui_.Messages().back();
        // Adding files says the same, not that the program is missing.
        DetectionShared detection;
        RunDetectionWorker(detection, ui_, {dir_.Write("b.avi", kProbeText)}, {[](int) {}, [] {}});
        EXPECT_EQ(ui_.Messages().back(), "The encoder program " + encoder + text);
    }
    SetEncoderName(FAKE_ENCODER);

    // A source name at the limit converts: its output's name gives way.
    const std::string longTitle(NAME_MAX - 4, 'n');
    const std::string longSource = AddClip(longTitle, "media 20\n");
    ui_.ItemOfRow(0)->status = kReady;
    Convert();
    EXPECT_EQ(StatusOfRow(1), kDone) << ui_.Messages().back();
    const std::string output = OutputPath(*ui_.ItemOfRow(1));
    EXPECT_EQ(output, dir_.path() + "out/" + longTitle.substr(0, NAME_MAX - 8) + "-cvt.mpg");
    EXPECT_TRUE(PathExists(output));
    ui_.ItemOfRow(1)->selEnd = 0;  // out of the next run

    std::string deep = dir_.path();
    while (deep.size() <= PATH_MAX) {
        deep += std::string(200, 'd') + "/";
    }
    ConversionSettings settings = ui_.Settings();
    settings.outputFolder = deep;
    ui_.SetSettings(settings);
    ui_.ItemOfRow(0)->status = kReady;
    Convert();
    EXPECT_EQ(StatusOfRow(0), kError);
    EXPECT_NE(
        ui_.Messages().back().find(
            path + "\n    The output file name is too long for the file system of the folder " +
            deep + "."),
        std::string::npos)
        << ui_.Messages().back().substr(0, 300);
}

// The record the report is made from, and the counters the time left is read from.
TEST_F(WorkersTest, EveryRowIsRecordedAndTheMeasureEndsAtTheWholeRun) {
    AddClip("a", "progress 2 5 5\nmedia 20\n");
    AddClip("b", "print trelcore: b: cannot open\\n\nexit 1\n", 12);
    AddClip("c", "media 20\n", 0);
    Convert();
    const std::lock_guard lock(shared_.stateLock);
    ASSERT_EQ(shared_.records.size(), 3u);
    const RowRecord& a = shared_.records[0];
    EXPECT_EQ(a.source, ui_.ItemOfRow(0)->sourcePath);
    EXPECT_EQ(a.output, dir_.path() + "out/a-cvt.mpg");
    EXPECT_EQ(a.status, kDone);
    EXPECT_EQ(a.partEnd, 20);
    EXPECT_GT(a.outputBytes, 0);
    EXPECT_EQ(a.mediaMs, 20000);
    EXPECT_TRUE(a.reason.empty());
    const RowRecord& b = shared_.records[1];
    EXPECT_EQ(b.status, kError);
    EXPECT_EQ(b.partEnd, 12);
    EXPECT_EQ(b.output, "");  // its reserved name was given back
    EXPECT_EQ(b.outputBytes, -1);
    EXPECT_EQ(b.reason, "trelcore: b: cannot open");
    EXPECT_EQ(shared_.records[2].reason, "The chosen part is empty.");
    // The finished media is the one converted file; nothing is left pending.
    EXPECT_EQ(shared_.finishedMediaMs.load(), 20000);
    EXPECT_EQ(shared_.pendingMediaMs.load(), 0);
    EXPECT_FALSE(shared_.measuring);
}

// A zero byte in a path (a file URI's "%00") names no file and, sent as it stands, reads as two
// requests on the probe server's input: every later file would get the answer meant for the
// one before it. Such a path is refused with its reason and every other row keeps its own data.
TEST_F(WorkersTest, AZeroByteInAPathIsRefusedAndEveryRowKeepsItsOwnAnswer) {
    auto probe = [](const char* duration) {
        return "print   Duration: " + std::string(duration) +
               ", start: 0.000000, bitrate: 500 kb/s\\n"
               "    Stream #0.0: Video: mpeg4, yuv420p, 320x240, 25 fps\\n\n";
    };
    const std::string longOne = dir_.Write("long.avi", probe("00:01:00.00"));
    dir_.Write(".txt", probe("00:00:33.00"));
    const std::string withZero = longOne + std::string(1, '\0') + ".txt";
    const std::string shortOne = dir_.Write("short.avi", probe("00:00:02.92"));
    const std::string medium = dir_.Write("medium.avi", probe("00:00:12.03"));

    DetectionShared shared;
    std::thread worker([&] {
        RunDetectionWorker(shared, ui_, {withZero, shortOne, medium}, {[](int) {}, [] {}});
    });
    worker.join();
    ASSERT_EQ(ui_.RowCount(), 2);
    EXPECT_EQ(ui_.ItemOfRow(0)->sourcePath, shortOne);
    EXPECT_EQ(ui_.ItemOfRow(0)->durationMs, 2920);
    EXPECT_EQ(ui_.ItemOfRow(1)->sourcePath, medium);
    EXPECT_EQ(ui_.ItemOfRow(1)->durationMs, 12030);
    ASSERT_EQ(ui_.Messages().size(), 1u);
    EXPECT_NE(ui_.Messages()[0].find("\n" + longOne +
                                     "%00.txt\n    the name holds a zero byte, which no file "
                                     "name can hold\r\n"),
              std::string::npos)
        << ui_.Messages()[0];
}

// Where the conversion pairs a row with its item: a row whose item is also an earlier row's, or
// whose item names no possible file, is not converted as if it were its own, and says why.
TEST_F(WorkersTest, ARowIsConvertedOnlyWithItsOwnItem) {
    const std::string args = dir_.path() + "args";
    AddClip("a", "dumpargs " + args + "\nmedia 20\n");
    ui_.AddRowOfItemInSlot(0);  // a second row showing the first row's item
    SourceItem zero;
    SetSourcePath(zero, dir_.Write("z.avi", "media 20\n") + std::string(1, '\0') + "x");
    zero.duration = 20;
    zero.selEnd = 20;
    ui_.AddRow(zero);
    AddClip("b", "media 20\n");
    Convert();
    EXPECT_EQ(StatusOfRow(0), kDone);
    EXPECT_EQ(StatusOfRow(2), kError);
    EXPECT_EQ(StatusOfRow(3), kDone);
    {
        const std::lock_guard lock(shared_.stateLock);
        ASSERT_EQ(shared_.records.size(), 4u);
        EXPECT_EQ(shared_.records[1].status, kError);
        EXPECT_EQ(shared_.records[1].reason,
                  "This row's record did not match the list, so the row was not converted.");
        EXPECT_EQ(shared_.records[1].output, "");
        EXPECT_EQ(shared_.records[2].reason,
                  "the name holds a zero byte, which no file name can hold");
        EXPECT_EQ(shared_.records[3].status, kDone);
    }
    // Only the rows with an item of their own reached the encoder; nothing was left pending.
    EXPECT_FALSE(std::filesystem::exists(dir_.path() + "out/a-cvt[1].mpg"));
    EXPECT_FALSE(std::filesystem::exists(dir_.path() + "out/z-cvt.mpg"));
    EXPECT_EQ(shared_.pendingMediaMs.load(), 0);
    ASSERT_EQ(ui_.Messages().size(), 1u);
    EXPECT_NE(ui_.Messages()[0].find(ShownPath(ui_.ItemOfRow(2)->sourcePath) + "\n    the name"),
              std::string::npos)
        << ui_.Messages()[0];
}

// A run fitted to a disc: each row's command line is the standard one with its planned rates
// after the target.
TEST_F(WorkersTest, AFittedRunGivesEachRowItsPlannedRatesAfterTheTarget) {
    const std::vector<std::string> dumps = {dir_.path() + "args-a", dir_.path() + "args-b"};
    AddClip("a", "dumpargs " + dumps[0] + "\nmedia 20\n");
    AddClip("b", "dumpargs " + dumps[1] + "\nmedia 20\n");
    std::vector<const SourceItem*> items;
    for (int row = 0; row < 2; ++row) {
        ui_.ItemOfRow(row)->durationMs = 20000;
        items.push_back(ui_.ItemOfRow(row));
    }
    const FitLimits limits = *FitLimitsOfType(kTypeDvd);
    // 40 s onto 10 MB: about 2 Mbit/s altogether, far below the standard rate.
    auto fit = std::make_shared<RunFit>(kTypeDvd, BuildOptions(ui_.Settings()), 10'000'000);
    const std::atomic<bool> go{false};
    ASSERT_EQ(fit->Analyse(items, go).problem, FitProblem::kNone);
    shared_.fit = fit;
    Convert();
    for (const std::string& dump : dumps) {
        EXPECT_EQ(StatusOfRow(dump == dumps[0] ? 0 : 1), kDone);
        const std::string text = TestFolder::Read(dump);
        std::vector<std::string> args;
        for (size_t at = 0; at < text.size();) {
            const size_t end = text.find('\0', at);
            args.push_back(text.substr(at, end - at));
            at = end == std::string::npos ? text.size() : end + 1;
        }
        const auto target = std::find(args.begin(), args.end(), "-target");
        ASSERT_LT(target + 4, args.end()) << dump;
        EXPECT_EQ(target[1], "pal-dvd");
        ASSERT_EQ(target[2], "-bt");
        const int64_t rate = std::strtoll(target[3].c_str(), nullptr, 10) * 1000;
        EXPECT_GE(rate, limits.minAverage);
        EXPECT_LT(rate, limits.standardAverage);
        EXPECT_EQ(target[4], "-maxrate");
        EXPECT_EQ(std::count(args.begin(), args.end(), "-cq"), 0);  // not the measuring line
    }
}

// Outputs that miss their planned size: a first file the rest can make up for is kept; a last
// one that would pass the disc is made again at a lower rate and put over the first output.
TEST_F(WorkersTest, AFittedFileThatWouldPassTheDiscIsMadeAgainSmaller) {
    const std::string again = dir_.path() + "args-again";
    AddClip("a", "rated_media 20 1200\n");
    AddClip("b", "dumpargs " + again + "\nrated_media 20 1600\n");
    // 40 s onto 20 MB: about 4 Mbit/s a file, with room above the lowest rate.
    constexpr int64_t kBudget = 20'000'000;
    const auto firstRate = static_cast<double>(FitRows(2, kBudget));
    Convert();
    const std::vector<int64_t> sizes = DoneSizes(2);
    EXPECT_NEAR(static_cast<double>(sizes[0]), firstRate / 8.0 * 20 * 1.2, firstRate / 8.0 * 2);
    const std::string text = TestFolder::Read(again);
    const size_t bt = text.find(std::string("-bt") + '\0');
    ASSERT_NE(bt, std::string::npos);
    EXPECT_LT(std::strtod(text.c_str() + bt + 4, nullptr) * 1000, firstRate * 3 / 4);
    EXPECT_LE(sizes[0] + sizes[1], kBudget);
    EXPECT_GE(sizes[0] + sizes[1], kBudget * 85 / 100);
    ExpectNoRemakeLeft();
}

// A remake that fails (the script refuses a lower rate) leaves the first, whole output and the
// row done.
TEST_F(WorkersTest, AFailedRemakeKeepsTheFirstOutput) {
    AddClip("c", "fail_below 3000\nrated_media 20 1600\n");
    const auto rate = static_cast<double>(FitRows(1, 10'000'000));
    Convert();
    const std::vector<int64_t> sizes = DoneSizes(1);
    EXPECT_NEAR(static_cast<double>(sizes[0]), rate / 8.0 * 20 * 1.6, rate / 8.0 * 2);
    ExpectNoRemakeLeft();
}

TEST(ProgressFigures, OverallAndSize) {
    EXPECT_EQ(OverallPercent(50, 1, 4), 37);
    EXPECT_EQ(OverallPercent(100, 3, 4), 100);
    EXPECT_EQ(OverallPercent(40, 0, 0), 0);
    const TestFolder dir;
    EXPECT_EQ(FileSizeText(dir.Write("f", std::string(1536000, 'x'))), "1500K");
    EXPECT_EQ(FileSizeText(dir.path() + "missing"), "");
}

TEST_F(WorkersTest, DetectionListsReadableFilesAndNamesTheOthers) {
    std::vector<std::string> paths;
    for (const char* name : {"one", "two", "three", "four"}) {
        paths.push_back(dir_.Write(std::string(name) + ".avi", kProbeText));
    }
    paths[2] = dir_.path() + "unreadable.avi";
    DetectionShared shared;
    shared.workerRunning = true;
    std::vector<int> positions;
    int closes = 0;
    std::thread worker([&] {
        RunDetectionWorker(shared, ui_, paths,
                           {[&](int p) { positions.push_back(p); }, [&] { ++closes; }});
    });
    worker.join();
    EXPECT_EQ(positions, (std::vector<int>{25, 50, 75, 100}));
    ASSERT_EQ(ui_.RowCount(), 3);
    EXPECT_EQ(ui_.ItemOfRow(0)->sourcePath, paths[0]);
    EXPECT_EQ(ui_.ItemOfRow(2)->sourcePath, paths[3]);
    EXPECT_EQ(ui_.ItemOfRow(1)->selEnd, 20);
    EXPECT_EQ(ui_.ItemOfRow(1)->status, kReady);
    ASSERT_EQ(ui_.Refreshes().size(), 3u);
    EXPECT_EQ(ui_.Refreshes()[0].target, "one-cvt.mpg");
    ASSERT_EQ(ui_.Messages().size(), 1u);
    EXPECT_EQ(ui_.Messages()[0],
              "Can't playback the following files.\r\n\n" + paths[2] +
                  "\n    the encoder program found no length in it and gave no reason"
                  "\r\n\r\nPlease note the following reasons:");
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(shared.workerRunning);
    const std::lock_guard lock(shared.stateLock);
    EXPECT_EQ(shared.statusText, "Detecting selected files.\nNo.4/4: \"" + paths[3] + "\"");
}

TEST_F(WorkersTest, AMissingEncoderIsNamedWithWhereItWasLookedFor) {
    const std::vector<std::string> paths = {dir_.Write("one.avi", kProbeText)};
    struct Case {
        std::string encoder;
        std::string folders;
    };
    // A folder named twice on PATH is listed once.
    const std::string oldPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    ::setenv("PATH", "/usr/bin:/bin:/usr/bin/:/bin", 1);
    std::string searched;
    for (const std::string& folder : ProgramSearchFolders("/usr/bin:/bin")) {
        searched += (searched.empty() ? "" : "\n") + folder;
    }
    const std::vector<Case> cases = {
        {"clipwright-test-no-such-encoder", searched},
        {dir_.path() + "gone/trelcore", dir_.path() + "gone/trelcore"},
    };
    for (const Case& c : cases) {
        SetEncoderName(c.encoder);
        DetectionShared shared;
        shared.workerRunning = true;
        std::vector<int> positions;
        int closes = 0;
        RunDetectionWorker(shared, ui_, paths,
                           {[&](int p) { positions.push_back(p); }, [&] { ++closes; }});
        EXPECT_EQ(ui_.RowCount(), 0) << c.encoder;
        EXPECT_TRUE(positions.empty()) << "no file is probed";
        EXPECT_EQ(closes, 1);
        EXPECT_FALSE(shared.workerRunning);
        ASSERT_FALSE(ui_.Messages().empty());
        EXPECT_EQ(ui_.Messages().back(), "The encoder program " + c.encoder +
                                             " is missing.\nIt was looked for in:\n" + c.folders);
    }
    EXPECT_EQ(ui_.Messages().size(), 2U) << "one message each, not the codec-libraries text";
    ::setenv("PATH", oldPath.c_str(), 1);
}

// Every refused file has a reason: the encoder's own line when it gave one, a length of zero or
// no length at all in ours, and a name that lost its non-UTF-8 bytes on the way as such.
TEST_F(WorkersTest, EveryRefusedFileHasAReason) {
    const std::string zero = dir_.Write("zero.wav", "print Duration: 00:00:00.00, s\\n\n");
    const std::string none = dir_.Write("none.png", "print Input #0, png_pipe\\n\nexit 1\n");
    const std::string said =
        dir_.Write("said.mp4", "print trelcore: " + dir_.path() +
                                   "said.mp4: no streams to convert\\n\nexit 1\n");
    // What QFile::decodeName leaves of a Latin-1 name: the file is not under this name.
    const std::string lost = dir_.path() + "caf\xEF\xBF\xBD.avi";
    DetectionShared shared;
    RunDetectionWorker(shared, ui_, {zero, none, said, lost}, {[](int) {}, [] {}});
    EXPECT_EQ(ui_.RowCount(), 0);
    ASSERT_EQ(ui_.Messages().size(), 1u);
    const std::string noLength =
        "\n    the encoder program found no length in it and gave no reason";
    EXPECT_EQ(ui_.Messages()[0],
              "Can't playback the following files.\r\n\n" + zero + noLength + "\n" + none +
                  noLength + "\n" + said + "\n    no streams to convert\n" + lost +
                  "\n    the file name is not valid UTF-8 and could not be passed on unchanged, so "
                  "the file was not found\r\n\r\nPlease note the following reasons:");
}

TEST_F(WorkersTest, DetectionOfOneFileGoesStraightToHundred) {
    DetectionShared shared;
    std::vector<int> positions;
    RunDetectionWorker(shared, ui_, {dir_.Write("x.avi", "print Duration: 00:00:00.00, s\\n\n")},
                       {[&](int p) { positions.push_back(p); }, [] {}});
    EXPECT_EQ(positions, std::vector<int>{100});
    EXPECT_EQ(ui_.RowCount(), 0);  // a zero duration is not listed
    EXPECT_EQ(ui_.Messages().size(), 1u);
}

// Durations keep their fraction: a clip under a second is listed as one second, and a part that
// runs to the end of its file is converted to the end, with no length to cut it short.
TEST_F(WorkersTest, FractionsOfASecondAreKept) {
    DetectionShared shared;
    const std::string args = dir_.path() + "args";
    const std::string tiny = dir_.Write(
        "tiny.avi", "print Duration: 00:00:00.60, s\\n\ndumpargs " + args + "\nmedia 0.6\n");
    RunDetectionWorker(shared, ui_, {tiny}, {[](int) {}, [] {}});
    ASSERT_EQ(ui_.RowCount(), 1);
    EXPECT_EQ(ui_.ItemOfRow(0)->duration, 1);
    EXPECT_EQ(ui_.ItemOfRow(0)->durationMs, 600);
    Convert();
    EXPECT_EQ(StatusOfRow(0), kDone);
    EXPECT_EQ(TestFolder::Read(args).find(std::string("-t") + '\0'), std::string::npos);

    SourceItem item;
    SetSourcePath(item, "/v/clip.avi");
    item.duration = 2;
    item.durationMs = 2900;
    item.selStart = 1;
    item.selEnd = 2;
    const ConversionPart toTheEnd = PartOf(item);
    EXPECT_TRUE(toTheEnd.toTheEnd);
    EXPECT_EQ(toTheEnd.lengthMs, 1900);
    EXPECT_EQ(BuildCommandLine(item, "").find(" -t "), std::string::npos);
    item.selEnd = 1;
    item.selStart = 0;
    EXPECT_NE(BuildCommandLine(item, "").find(" -ss 0 -t 1 -y "), std::string::npos);
}

}  // namespace
}  // namespace clipwright

namespace clipwright {
namespace {

// A catalog in another language, for the reasons the engine writes in English.
class TranslatingUi : public FakeWorkerUi {
public:
    std::string Text(int id) override {
        switch (id) {
            case kIdsOutputEmpty:
                return "die Ausgabedatei ist leer";
            case kIdsOutputLength:
                return "die Ausgabe dauert %s s statt %s s";
            case kIdsSourceUnreadable:
                return "keine lesbare Mediendatei (%s)";
            case kIdsSourceIsFolder:
                return "ist ein Ordner";
            default:
                return FakeWorkerUi::Text(id);
        }
    }
};

TEST(ReasonWords, KnownReasonsAreShownInTheLanguageAndOthersAsWritten) {
    TranslatingUi ui;
    SetDisplayDecimalPoint(",");
    EXPECT_EQ(ReasonInOurWords(ui, std::string(kOutputEmpty)), "die Ausgabedatei ist leer");
    EXPECT_EQ(ReasonInOurWords(ui, std::string(kOutputLasts) + "1.50 s instead of 12.00 s"),
              "die Ausgabe dauert 1,50 s statt 12,00 s");
    // The libraries' own words in parentheses are kept.
    EXPECT_EQ(ReasonInOurWords(ui, "not a readable media file (Invalid data found)"),
              "keine lesbare Mediendatei (Invalid data found)");
    EXPECT_EQ(ReasonInOurWords(ui, "is a folder, not a media file"), "ist ein Ordner");
    // A phrase followed by more than it should be, or one we do not know, stays as written.
    EXPECT_EQ(ReasonInOurWords(ui, "is a folder, not a media file, oddly"),
              "is a folder, not a media file, oddly");
    EXPECT_EQ(ReasonInOurWords(ui, "trelcore: x.avi: out of memory"),
              "trelcore: x.avi: out of memory");
    // A catalog without the text leaves the English reason rather than none.
    EXPECT_EQ(ReasonInOurWords(ui, std::string(kOutputMissing)), std::string(kOutputMissing));
    SetDisplayDecimalPoint(".");
}

}  // namespace
}  // namespace clipwright
