// Making real discs: clips from clipgen, converted by the real trelcore, authored by the real
// dvdauthor, genisoimage and vcdimager, and read back with lsdvd, xorriso, vcd-info and a reader
// of the image's volume descriptors.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <thread>

#include "disc/disc_author.h"
#include "disc_test_support.h"
#include "engine/command_line.h"
#include "test_folder.h"

namespace clipwright {
namespace {

namespace fs = std::filesystem;
using testing::ConvertedTitle;
using testing::RunTool;

constexpr size_t kSectorBytes = 2048;

// The identifiers ("CD001", "BEA01", ...) of the volume descriptors from sector 16 on, up to the
// first sector that holds none (the end of the volume recognition sequence), and the ISO 9660
// primary descriptor's volume identifier (trailing blanks dropped).
struct VolumeDescriptors {
    std::vector<std::string> identifiers;
    std::string volumeId;
};

VolumeDescriptors ReadVolumeDescriptors(const std::string& image) {
    static const std::vector<std::string> kKnown = {"CD001", "CDW02", "BEA01", "NSR02",
                                                    "NSR03", "TEA01", "BOOT2"};
    VolumeDescriptors read;
    std::ifstream in(image, std::ios::binary);
    std::string sector(kSectorBytes, '\0');
    for (size_t index = 16; index < 64; ++index) {
        in.seekg(static_cast<std::streamoff>(index * kSectorBytes));
        if (!in.read(sector.data(), static_cast<std::streamsize>(kSectorBytes))) {
            break;
        }
        const std::string identifier = sector.substr(1, 5);
        if (std::find(kKnown.begin(), kKnown.end(), identifier) == kKnown.end()) {
            break;
        }
        read.identifiers.push_back(identifier);
        if (identifier == "CD001" && sector[0] == 1 && read.volumeId.empty()) {
            read.volumeId = sector.substr(40, 32);
            read.volumeId.erase(read.volumeId.find_last_not_of(' ') + 1);
        }
    }
    return read;
}

// Each file's first sector in the image by its path ("/VIDEO_TS/VIDEO_TS.IFO"), from xorriso.
std::map<std::string, long> FileSectors(const std::string& image) {
    std::string report;
    EXPECT_TRUE(RunTool(
        {"xorriso", "-indev", image, "-find", "/", "-type", "f", "-exec", "report_lba", "--"},
        &report))
        << report;
    std::map<std::string, long> sectors;
    const std::regex line(R"(File data lba:\s*\d+\s*,\s*(\d+)\s*,[^']*'([^']+)')");
    for (auto it = std::sregex_iterator(report.begin(), report.end(), line);
         it != std::sregex_iterator(); ++it) {
        sectors[(*it)[2]] = std::stol((*it)[1]);
    }
    return sectors;
}

class DiscAuthorTest : public ::testing::Test {
protected:
    ScopedEncoderName encoder_{TRELCORE_PATH};

    // A converted file of `seconds` for the trelcore target, probed as the view probes it.
    DiscTitle Converted(const std::string& name, const std::string& target, int seconds) {
        return ConvertedTitle(folder_.path(), name, target, seconds);
    }

    DiscJob Job(DiscKind kind, std::vector<DiscTitle> titles, const std::string& target) {
        DiscJob job;
        job.kind = kind;
        job.titles = std::move(titles);
        const PlanCheck check = CheckTitles(kind, job.titles);
        EXPECT_EQ(check.problem, PlanProblem::kNone);
        job.standard = check.standard;
        job.targetFolder = target;
        job.imageName = ImageName(fs::path(target).filename().string());
        job.volumeLabel = VolumeLabel(job.imageName);
        std::vector<DiscTool> missing;
        job.tools = LocateTools(kind, nullptr, missing);
        EXPECT_TRUE(missing.empty());
        return job;
    }

    testing::TestFolder folder_;
};

TEST_F(DiscAuthorTest, TwoPalDvdFilesMakeTwoTitlesAndAUdfImage) {
    const DiscTitle a = Converted("a", "pal-dvd", 3);
    const DiscTitle b = Converted("b", "pal-dvd", 5);
    // The user's folder name, with what a command line or an option parser could take for its
    // own: it must reach the tools only as the working folder and plain file names.
    const std::string target = folder_.path() + "Holiday \"Ä\" it's -o disc";
    DiscProgress progress;
    const DiscResult result = AuthorDisc(Job(DiscKind::kDvd, {a, b}, target), progress);
    ASSERT_EQ(result.outcome, DiscOutcome::kDone) << result.errorLine;
    EXPECT_EQ(progress.percent.load(), 100);
    EXPECT_EQ(progress.steps.load(), 2);
    ASSERT_EQ(result.files, std::vector<std::string>{target + "/Holiday _Ä_ it_s -o disc.iso"});
    EXPECT_TRUE(fs::is_directory(target + "/AUDIO_TS"));
    EXPECT_FALSE(fs::exists(target + "/Holiday _Ä_ it_s -o disc.dvdauthor.xml"));
    EXPECT_EQ(std::distance(fs::directory_iterator(target), fs::directory_iterator()), 3);

    std::string titles;
    ASSERT_TRUE(RunTool({"lsdvd", target}, &titles)) << titles;
    const std::regex line(R"(Title: (\d+), Length: (\d+):(\d+):(\d+)\.(\d+))");
    std::vector<double> lengths;
    for (auto it = std::sregex_iterator(titles.begin(), titles.end(), line);
         it != std::sregex_iterator(); ++it) {
        lengths.push_back(std::stoi((*it)[3]) * 60 + std::stoi((*it)[4]) +
                          std::stoi((*it)[5]) / 1000.0);
    }
    ASSERT_EQ(lengths.size(), 2u) << titles;
    EXPECT_NEAR(lengths[0], 3.0, 0.6) << titles;
    EXPECT_NEAR(lengths[1], 5.0, 0.6) << titles;

    std::string listing;
    ASSERT_TRUE(RunTool({"xorriso", "-indev", result.files[0], "-find", "/"}, &listing));
    EXPECT_NE(listing.find("'/VIDEO_TS/VTS_01_1.VOB'"), std::string::npos) << listing;
    EXPECT_NE(listing.find("'/VIDEO_TS/VIDEO_TS.IFO'"), std::string::npos) << listing;
    EXPECT_NE(listing.find("'/AUDIO_TS'"), std::string::npos) << listing;
    // Not the image in itself: no path in the listing ends in ".iso" in either case.
    EXPECT_FALSE(std::regex_search(listing, std::regex(R"(\n'/[^\n]*\.iso')", std::regex::icase)))
        << listing;

    // ISO 9660 bridged with UDF: the primary descriptor first, then BEA01, NSR02/03, TEA01.
    const VolumeDescriptors descriptors = ReadVolumeDescriptors(result.files[0]);
    const std::vector<std::string>& ids = descriptors.identifiers;
    ASSERT_FALSE(ids.empty());
    EXPECT_EQ(ids.front(), "CD001");
    const auto bea = std::find(ids.begin(), ids.end(), "BEA01");
    ASSERT_NE(bea, ids.end()) << ::testing::PrintToString(ids);
    ASSERT_GE(ids.end() - bea, 3) << ::testing::PrintToString(ids);
    EXPECT_TRUE(bea[1] == "NSR02" || bea[1] == "NSR03") << ::testing::PrintToString(ids);
    EXPECT_EQ(bea[2], "TEA01") << ::testing::PrintToString(ids);
    EXPECT_EQ(descriptors.volumeId, "HOLIDAY_IT_S_O_DISC");

    // DVD-Video's order on the disc: the manager's IFO first, each title set's IFO before its
    // VOBs and its BUP after them.
    const std::map<std::string, long> at = FileSectors(result.files[0]);
    ASSERT_EQ(at.count("/VIDEO_TS/VIDEO_TS.IFO"), 1u);
    for (const auto& [path, sector] : at) {
        if (path != "/VIDEO_TS/VIDEO_TS.IFO") {
            EXPECT_LT(at.at("/VIDEO_TS/VIDEO_TS.IFO"), sector) << path;
        }
    }
    const std::regex titleVob(R"((/VIDEO_TS/VTS_\d\d_)[1-9]\.VOB)");
    int titleVobs = 0;
    for (const auto& [path, sector] : at) {
        std::smatch match;
        if (!std::regex_match(path, match, titleVob)) {
            continue;
        }
        ++titleVobs;
        const std::string set = match[1];
        ASSERT_EQ(at.count(set + "0.IFO") + at.count(set + "0.BUP"), 2u) << set;
        EXPECT_LT(at.at(set + "0.IFO"), sector) << path;
        EXPECT_LT(sector, at.at(set + "0.BUP")) << path;
    }
    EXPECT_GE(titleVobs, 1);
}

// Any file name makes a DVD: dvdauthor reads the titles under names of our own, which are gone
// again once the disc is made.
TEST_F(DiscAuthorTest, ADvdTakesFilesWhoseNamesXmlCannotCarry) {
    const DiscTitle a = Converted("line\nbreak", "pal-dvd", 2);
    const DiscTitle b = Converted(" blank\tand & <tag> ", "pal-dvd", 2);
    const std::string target = folder_.path() + "odd";
    DiscProgress progress;
    const DiscResult result = AuthorDisc(Job(DiscKind::kDvd, {a, b}, target), progress);
    ASSERT_EQ(result.outcome, DiscOutcome::kDone) << result.errorLine;
    std::vector<std::string> left;
    for (const fs::directory_entry& entry : fs::directory_iterator(target)) {
        left.push_back(entry.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"AUDIO_TS", "VIDEO_TS", "odd.iso"}));
    std::string titles;
    ASSERT_TRUE(RunTool({"lsdvd", target}, &titles)) << titles;
    EXPECT_NE(titles.find("Title: 02"), std::string::npos) << titles;
    EXPECT_TRUE(fs::exists(a.path));  // the user's files stay where they were
}

TEST_F(DiscAuthorTest, TwoNtscVcdFilesMakeACueWithTheirTracks) {
    const DiscTitle a = Converted("a", "ntsc-vcd", 3);
    const DiscTitle b = Converted("b", "ntsc-vcd", 3);
    const std::string target = folder_.path() + "vcd";
    DiscProgress progress;
    const DiscResult result = AuthorDisc(Job(DiscKind::kVcd, {a, b}, target), progress);
    ASSERT_EQ(result.outcome, DiscOutcome::kDone) << result.errorLine;
    ASSERT_EQ(result.files.size(), 2u);
    const std::string cue = testing::TestFolder::Read(target + "/vcd.cue");
    EXPECT_NE(cue.find("FILE \"vcd.bin\" BINARY"), std::string::npos) << cue;
    // Track 1 is the ISO file system, then one track per file.
    EXPECT_NE(cue.find("TRACK 03 MODE2/2352"), std::string::npos) << cue;
    EXPECT_EQ(cue.find("TRACK 04"), std::string::npos) << cue;
    EXPECT_LE(fs::file_size(target + "/vcd.bin"), EstimatedImageBytes(DiscKind::kVcd, {a, b}));

    std::string info;
    ASSERT_TRUE(RunTool({"vcd-info", "--no-banner", "-c", target + "/vcd.cue"}, &info)) << info;
    EXPECT_NE(info.find("AVSEQ02.DAT"), std::string::npos) << info;
    EXPECT_EQ(info.find("AVSEQ03.DAT"), std::string::npos) << info;
}

TEST_F(DiscAuthorTest, APalSvcdFileMakesAnSvcdImage) {
    const DiscTitle a = Converted("a", "pal-svcd", 3);
    const std::string target = folder_.path() + "svcd";
    DiscProgress progress;
    const DiscResult result = AuthorDisc(Job(DiscKind::kSvcd, {a}, target), progress);
    ASSERT_EQ(result.outcome, DiscOutcome::kDone) << result.errorLine;
    std::string info;
    ASSERT_TRUE(RunTool({"vcd-info", "--no-banner", "-c", target + "/svcd.cue"}, &info)) << info;
    EXPECT_NE(info.find("SVCD"), std::string::npos) << info;
    EXPECT_NE(info.find("AVSEQ01.MPG"), std::string::npos) << info;
}

TEST_F(DiscAuthorTest, RefusesATargetThatHoldsSomething) {
    const std::string target = folder_.path() + "full";
    fs::create_directory(target);
    const std::string mine = folder_.Write("full/mine.txt", "keep me");
    EXPECT_EQ(CheckTarget(target), TargetState::kNotEmpty);
    EXPECT_EQ(CheckTarget(mine), TargetState::kNotFolder);
    EXPECT_EQ(CheckTarget(folder_.path() + "new"), TargetState::kMissing);

    DiscJob job;
    job.kind = DiscKind::kVcd;
    job.targetFolder = target;
    job.imageName = "full";
    DiscProgress progress;
    const DiscResult result = AuthorDisc(job, progress);
    EXPECT_EQ(result.outcome, DiscOutcome::kFailed);
    EXPECT_EQ(testing::TestFolder::Read(mine), "keep me");
    EXPECT_EQ(std::distance(fs::directory_iterator(target), fs::directory_iterator()), 1);
}

TEST_F(DiscAuthorTest, MissingToolsAreNamedWithTheirPackages) {
    const std::string empty = folder_.path() + "nothing";
    fs::create_directory(empty);
    std::vector<DiscTool> missing;
    LocateTools(DiscKind::kDvd, empty.c_str(), missing);
    ASSERT_EQ(missing, (std::vector<DiscTool>{DiscTool::kDvdauthor, DiscTool::kGenisoimage}));
    EXPECT_STREQ(ToolPackage(missing[1]), "genisoimage");
    LocateTools(DiscKind::kSvcd, empty.c_str(), missing);
    ASSERT_EQ(missing, std::vector<DiscTool>{DiscTool::kVcdimager});
    EXPECT_STREQ(ToolPackage(missing[0]), "vcdimager");
    const DiscTools found = LocateTools(DiscKind::kDvd, nullptr, missing);
    EXPECT_TRUE(missing.empty());
    EXPECT_TRUE(fs::exists(found.dvdauthor));
    EXPECT_TRUE(fs::exists(found.genisoimage));
}

TEST_F(DiscAuthorTest, AFailingToolIsReportedWithItsLineAndLeavesNothing) {
    const DiscTitle a = Converted("a", "pal-dvd", 2);
    const std::string target = folder_.path() + "broken";
    DiscJob job = Job(DiscKind::kDvd, {a}, target);
    fs::resize_file(a.path, 100);  // dvdauthor finds no MPEG stream in what is left
    DiscProgress progress;
    const DiscResult result = AuthorDisc(job, progress);
    EXPECT_EQ(result.outcome, DiscOutcome::kFailed);
    EXPECT_FALSE(result.errorLine.empty());
    EXPECT_FALSE(fs::exists(target));
    EXPECT_TRUE(fs::exists(a.path));
}

TEST_F(DiscAuthorTest, CancelRemovesWhatTheRunWroteAndNothingElse) {
    const DiscTitle a = Converted("a", "pal-dvd", 4);
    const DiscTitle b = Converted("b", "pal-dvd", 4);
    const std::string beside = folder_.Write("beside.txt", "placed before");
    const std::string target = folder_.path() + "cancelled";
    const DiscJob job = Job(DiscKind::kDvd, {a, b}, target);
    DiscProgress progress;
    // Cancel once the first tool runs; whether it is stopped mid-way or has just ended, the run
    // must count as cancelled and take back everything it made.
    std::thread canceller([&] {
        while (progress.step.load() == 0) {
            std::this_thread::yield();
        }
        progress.abortRequested.store(true);
    });
    const DiscResult result = AuthorDisc(job, progress);
    canceller.join();
    EXPECT_EQ(result.outcome, DiscOutcome::kCancelled) << result.errorLine;
    EXPECT_FALSE(fs::exists(target));
    EXPECT_EQ(testing::TestFolder::Read(beside), "placed before");
    EXPECT_TRUE(fs::exists(a.path));
    EXPECT_TRUE(fs::exists(b.path));
}

TEST_F(DiscAuthorTest, CancelWhileTheImageIsMadeTakesBackTheImageAndTheFolder) {
    const DiscTitle a = Converted("a", "pal-dvd", 3);
    const std::string target = folder_.path() + "imaging";
    const DiscJob job = Job(DiscKind::kDvd, {a}, target);
    DiscProgress progress;
    std::atomic<bool> finished{false};
    std::thread canceller([&] {
        while (progress.step.load() < 2 && !finished.load()) {
            std::this_thread::yield();
        }
        progress.abortRequested.store(true);
    });
    const DiscResult result = AuthorDisc(job, progress);
    finished.store(true);
    canceller.join();
    EXPECT_EQ(progress.tool.load(), static_cast<int>(DiscTool::kGenisoimage));
    EXPECT_EQ(result.outcome, DiscOutcome::kCancelled) << result.errorLine;
    EXPECT_FALSE(fs::exists(target));
    EXPECT_TRUE(fs::exists(a.path));
}

TEST_F(DiscAuthorTest, CancelIntoAnEmptyFolderKeepsTheFolder) {
    const DiscTitle a = Converted("a", "ntsc-vcd", 2);
    const std::string target = folder_.path() + "waiting";
    fs::create_directory(target);
    const DiscJob job = Job(DiscKind::kVcd, {a}, target);
    DiscProgress progress;
    progress.abortRequested.store(true);
    const DiscResult result = AuthorDisc(job, progress);
    EXPECT_EQ(result.outcome, DiscOutcome::kCancelled);
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_TRUE(fs::is_empty(target));
}

TEST(CreatedPathsTest, NeverTakesAPathThatExisted) {
    testing::TestFolder folder;
    const std::string old = folder.Write("old.txt", "x");
    {
        CreatedPaths created;
        EXPECT_FALSE(created.Add(old));
        EXPECT_TRUE(created.Add(folder.path() + "made"));
        fs::create_directory(folder.path() + "made");
        folder.Write("made/inner.txt", "y");
    }
    EXPECT_TRUE(fs::exists(old));
    EXPECT_FALSE(fs::exists(folder.path() + "made"));
    {
        CreatedPaths created;
        EXPECT_TRUE(created.Add(folder.path() + "kept"));
        fs::create_directory(folder.path() + "kept");
        created.Keep();
    }
    EXPECT_TRUE(fs::exists(folder.path() + "kept"));
}

TEST(SuggestedDiscFolderTest, NamesTheFirstTitleAndSkipsFoldersThatHoldSomething) {
    testing::TestFolder folder;
    const std::string out = folder.path() + "out/";
    EXPECT_EQ(SuggestedDiscFolder(out, "-my clip"), folder.path() + "out/my clip");
    fs::create_directories(folder.path() + "out/my clip");
    // An empty folder of that name is still offered: a disc may go into it.
    EXPECT_EQ(SuggestedDiscFolder(out, "-my clip"), folder.path() + "out/my clip");
    folder.Write("out/my clip/x", "x");
    folder.Write("out/my clip 2", "a file");
    EXPECT_EQ(SuggestedDiscFolder(out, "-my clip"), folder.path() + "out/my clip 3");
    EXPECT_EQ(SuggestedDiscFolder(out + "//", "-my clip"), folder.path() + "out/my clip 3");
}

}  // namespace
}  // namespace clipwright
