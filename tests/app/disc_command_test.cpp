// The disc command through the view and MakeDisc: when it is offered, what it refuses before
// writing anything, and a cancel in the middle, with real files from clipgen and trelcore.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QTimer>
#include <cstdlib>
#include <filesystem>

#include "app_test_support.h"
#include "dialogs/disc_dialog.h"
#include "disc/disc_plan.h"
#include "engine/free_space.h"
#include "mainwnd/form_control_ids.h"
#include "mainwnd/make_disc.h"
#include "test_folder.h"
#include "ui/file_dialogs.h"

namespace clipwright {
namespace {

using namespace testing;
namespace fs = std::filesystem;

// PATH for one test, put back afterwards.
class PathForTest {
public:
    explicit PathForTest(const std::string& path) : old_(std::getenv("PATH")) {
        ::setenv("PATH", path.c_str(), 1);
    }
    ~PathForTest() { ::setenv("PATH", old_.c_str(), 1); }
    PathForTest(const PathForTest&) = delete;
    PathForTest& operator=(const PathForTest&) = delete;

private:
    std::string old_;
};

class DiscCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetShell();
        SetEncoderName(TRELCORE);
    }
    void TearDown() override {
        SetModalDialogHandler([](QDialog&) { return static_cast<int>(QDialog::Accepted); });
    }

    std::string Converted(const std::string& name, const std::string& target) {
        const std::string source = dir_.path() + name + ".avi";
        const std::string output = dir_.path() + name + ".mpg";
        const std::string make = std::string(CLIPGEN) + " '" + source +
                                 "' --duration 2 --size 320x240 --vcodec mpeg4 --acodec mp2";
        EXPECT_EQ(std::system(make.c_str()), 0);
        const std::string convert = std::string(TRELCORE) + " -target " + target + " -i '" +
                                    source + "' -y '" + output + "' >/dev/null 2>&1";
        EXPECT_EQ(std::system(convert.c_str()), 0);
        return output;
    }

    DiscRequest Request(int32_t type, std::vector<std::string> files) {
        DiscRequest request;
        request.runType = type;
        request.chosenType = type;
        request.files = std::move(files);
        request.firstTitle = "first";
        request.outputFolder = dir_.path();
        return request;
    }

    // Everything in the test folder, so a refusal can be seen to have written nothing.
    std::vector<std::string> Listing() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(dir_.path())) {
            names.push_back(entry.path().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TestFolder dir_;
};

TEST_F(DiscCommandTest, OfferedForDiscTypesWithAConvertedRow) {
    auto view = std::make_unique<CTrelvaneView>(QuietStartup());
    view->OnInitialUpdate();
    AddRow(*view, MakeItem("/v/a.avi", 10));
    SetModalDialogHandler([&](QDialog&) {
        view->ItemOfRow(0)->status = kDone;
        return static_cast<int>(QDialog::Accepted);
    });
    SetNextMessageAnswer(kAnswerCancel);
    EXPECT_FALSE(view->IsCommandEnabled(kCmdMakeDisc));
    view->OnConvert();
    EXPECT_EQ(view->LastRunType(), kTypeDvd);
    EXPECT_EQ(TakeMessageTexts(),
              std::vector<std::string>{"Make a DVD disc image from the converted files now?"});
    EXPECT_TRUE(view->IsCommandEnabled(kCmdMakeDisc));
    view->Form().Get<QAbstractButton>(kFirstTypeId + kTypeDv)->click();
    EXPECT_FALSE(view->IsCommandEnabled(kCmdMakeDisc));
    SetNextMessageAnswer(kAnswerOk);
    view->OnMakeDisc();
    EXPECT_EQ(TakeMessageTexts(),
              std::vector<std::string>{"A disc is made from DVD, VCD or SVCD conversions only. "
                                       "Choose one of these types and convert the list first."});

    // A run to DV converts files, but offers no disc.
    view->OnConvert();
    EXPECT_EQ(view->LastRunType(), kTypeDv);
    EXPECT_TRUE(TakeMessageTexts().empty());
}

// A language switch puts a new view in place: its disc command still makes what the run was
// converted for (here several discs), not the type's single disc.
TEST_F(DiscCommandTest, ALanguageSwitchKeepsWhatTheRunMeantForTheDisc) {
    auto old = std::make_unique<CTrelvaneView>(QuietStartup());
    old->OnInitialUpdate();
    SourceItem twoHours = MakeItem("/v/long.avi", 7200);
    twoHours.durationMs = 7200 * 1000;
    AddRow(*old, twoHours);
    SetFreeSpaceSource(
        [](const std::string&) { return std::optional<uint64_t>(uint64_t{1} << 50); });
    SetModalDialogHandler([&](QDialog&) {
        old->ItemOfRow(0)->status = kDone;
        return static_cast<int>(QDialog::Accepted);
    });
    SetNextMessageAnswer(2);              // two hours of DVD: several discs
    SetNextMessageAnswer(kAnswerCancel);  // no disc now
    old->OnConvert();
    SetFreeSpaceSource({});
    ASSERT_EQ(TakeMessageTexts().size(), 2u);
    const std::string folder = old->OutputFolderMember();
    ASSERT_TRUE(old->Conversion().MakeDiscRequest(kTypeDvd, folder).severalDiscs);

    auto fresh = std::make_unique<CTrelvaneView>(QuietStartup());
    fresh->OnInitialUpdate();
    fresh->CarryStateFrom(*old);
    old.reset();
    const DiscRequest request = fresh->Conversion().MakeDiscRequest(kTypeDvd, folder);
    EXPECT_EQ(request.runType, kTypeDvd);
    EXPECT_TRUE(request.severalDiscs);
    EXPECT_EQ(request.files.size(), 1u);
    EXPECT_TRUE(fresh->IsCommandEnabled(kCmdMakeDisc));
}

TEST_F(DiscCommandTest, RefusesBeforeWritingAnything) {
    const std::string pal = Converted("pal", "pal-dvd");
    const std::string ntsc = Converted("ntsc", "ntsc-dvd");
    const std::vector<std::string> before = Listing();
    SetModalDialogHandler({});  // the real check dialog, closed by its worker
    for (int box = 0; box < 4; ++box) {
        SetNextMessageAnswer(kAnswerOk);
    }

    EXPECT_FALSE(MakeDisc(nullptr, Request(kTypeDvd, {})));
    EXPECT_FALSE(MakeDisc(nullptr, Request(kTypeDvd, {pal, ntsc})));
    DiscRequest changed = Request(kTypeDvd, {pal});
    changed.chosenType = kTypeSvcd;
    EXPECT_FALSE(MakeDisc(nullptr, changed));
    EXPECT_FALSE(MakeDisc(nullptr, Request(kTypeVcd, {pal})));
    const std::vector<std::string> texts = TakeMessageTexts();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_NE(texts[0].find("No file of the list has been converted"), std::string::npos);
    EXPECT_EQ(texts[1],
              "The converted files mix television standards, so they cannot go on one "
              "disc.\nPAL:\n" +
                  pal + "\nNTSC:\n" + ntsc);
    EXPECT_EQ(texts[2], "These files were converted for DVD, but SVCD is chosen now:\n" + pal +
                            "\nConvert them again for SVCD first.");
    EXPECT_NE(texts[3].find("not VCD files"), std::string::npos);
    EXPECT_NE(texts[3].find(pal), std::string::npos);
    EXPECT_EQ(Listing(), before);
}

// More files than the tools take are refused at once: nothing is probed, nothing written.
TEST_F(DiscCommandTest, MoreFilesThanOneDiscTakesAreRefusedBeforeTheProbe) {
    SetModalDialogHandler([](QDialog&) {
        ADD_FAILURE() << "no dialog: the files are not probed";
        return static_cast<int>(QDialog::Rejected);
    });
    const std::vector<std::string> before = Listing();
    SetNextMessageAnswer(kAnswerOk);
    SetNextMessageAnswer(kAnswerOk);
    EXPECT_FALSE(MakeDisc(nullptr, Request(kTypeDvd, std::vector<std::string>(100, "/v/a.mpg"))));
    EXPECT_FALSE(MakeDisc(nullptr, Request(kTypeSvcd, std::vector<std::string>(99, "/v/a.mpg"))));
    const std::vector<std::string> texts = TakeMessageTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].substr(0, texts[0].find('.')),
              "One DVD disc holds at most 99 files, but 100 were converted");
    EXPECT_EQ(texts[1].substr(0, texts[1].find('.')),
              "One SVCD disc holds at most 98 files, but 99 were converted");
    EXPECT_EQ(Listing(), before);
}

TEST_F(DiscCommandTest, AMissingToolNamesItsPackage) {
    const std::string pal = Converted("pal", "pal-dvd");
    fs::create_directory(dir_.path() + "empty");
    {
        const PathForTest path(dir_.path() + "empty");
        SetNextMessageAnswer(kAnswerOk);
        SetNextMessageAnswer(kAnswerOk);
        EXPECT_FALSE(MakeDisc(nullptr, Request(kTypeDvd, {pal})));
        EXPECT_FALSE(MakeDisc(nullptr, Request(kTypeSvcd, {pal})));
    }
    const std::vector<std::string> texts = TakeMessageTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0],
              "To make the disc, dvdauthor, genisoimage is needed but was not found.\nInstall the "
              "Debian package: sudo apt install dvdauthor genisoimage");
    EXPECT_NE(texts[1].find("sudo apt install vcdimager"), std::string::npos);
}

TEST_F(DiscCommandTest, AFolderWithSomethingInItIsNeverUsed) {
    const std::string pal = Converted("pal", "pal-dvd");
    const std::string full = dir_.path() + "full";
    fs::create_directory(full);
    const std::string mine = dir_.Write("full/mine.txt", "mine");
    const std::vector<std::string> before = Listing();
    SetModalDialogHandler({});
    SetNextFolder(QString::fromStdString(full));
    SetNextMessageAnswer(kAnswerOk);
    EXPECT_FALSE(MakeDisc(nullptr, Request(kTypeDvd, {pal})));
    EXPECT_EQ(TakeMessageTexts(),
              std::vector<std::string>{"The folder " + full +
                                       " is not empty. Choose a new or empty folder: nothing "
                                       "already there is overwritten."});
    EXPECT_EQ(Listing(), before);
    EXPECT_EQ(TestFolder::Read(mine), "mine");
}

TEST_F(DiscCommandTest, CancelWhileAuthoringTakesBackOnlyWhatItWrote) {
    const std::string a = Converted("a", "pal-dvd");
    const std::string b = Converted("b", "pal-dvd");
    const std::vector<std::string> before = Listing();
    int discDialogs = 0;
    SetModalDialogHandler([&](QDialog& dialog) {
        auto* disc = qobject_cast<DiscDialog*>(&dialog);
        if (disc != nullptr && ++discDialogs == 2) {
            // The second dialog makes the disc: cancel once it has started.
            QTimer::singleShot(0, disc, [disc] { disc->Cancel(); });
        }
        return dialog.exec();
    });
    SetNextFolder(QString::fromStdString(dir_.path() + "cancelled"));
    SetNextMessageAnswer(kAnswerOk);
    EXPECT_FALSE(MakeDisc(nullptr, Request(kTypeDvd, {a, b})));
    EXPECT_EQ(discDialogs, 2);
    EXPECT_EQ(TakeMessageTexts(),
              std::vector<std::string>{
                  "Making the disc was cancelled. What it had written was removed."});
    EXPECT_EQ(Listing(), before);
}

// Titles past one disc go onto several: asked for a DVD run (the third choice, "one disc
// anyway", stays the first answer), without asking for a run meant for several discs and for a
// Video CD run; titles in list order, none cut, and the closing message says which is where.
TEST_F(DiscCommandTest, TitlesPastOneDiscGoOntoSeveral) {
    struct Case {
        int32_t type;
        const char* target;
        bool severalDiscs;
        std::vector<int> answers;
    };
    const std::vector<Case> cases = {{kTypeDvd, "pal-dvd", false, {2}},
                                     {kTypeDvd, "pal-dvd", true, {}},
                                     {kTypeVcd, "pal-vcd", false, {}}};
    SetModalDialogHandler({});
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.target) + (c.severalDiscs ? " several" : ""));
        const std::string tag = std::string(c.target) + (c.severalDiscs ? "-s" : "");
        const std::string a = Converted(tag + "-a", c.target);
        const std::string b = Converted(tag + "-b", c.target);
        const DiscKind kind = c.type == kTypeDvd ? DiscKind::kDvd : DiscKind::kVcd;
        DiscTitle one;
        one.bytes = fs::file_size(a);
        DiscRequest request = Request(c.type, {a, b});
        // Room for one title and a little more, not for two.
        request.discBytes = EstimatedImageBytes(kind, {one}) + one.bytes / 4;
        request.severalDiscs = c.severalDiscs;
        for (const int answer : c.answers) {
            SetNextMessageAnswer(answer);
        }
        const std::string chosen = dir_.path() + tag;
        SetNextFolder(QString::fromStdString(chosen));
        SetNextMessageAnswer(kAnswerOk);  // the closing message
        ASSERT_TRUE(MakeDisc(nullptr, request));
        const std::vector<std::string> texts = TakeMessageTexts();
        ASSERT_EQ(texts.size(), c.answers.size() + 1);
        const std::string& done = texts.back();
        const size_t first = done.find("Disc 1: " + fs::path(a).filename().string());
        const size_t second = done.find("Disc 2: " + fs::path(b).filename().string());
        EXPECT_NE(first, std::string::npos) << done;
        EXPECT_NE(second, std::string::npos) << done;
        EXPECT_LT(first, second) << done;
        EXPECT_TRUE(fs::is_directory(chosen + " 1"));
        EXPECT_TRUE(fs::is_directory(chosen + " 2"));
        EXPECT_FALSE(fs::exists(chosen + " 3"));
        if (kind == DiscKind::kDvd) {
            EXPECT_TRUE(fs::exists(chosen + " 1/VIDEO_TS/VIDEO_TS.IFO"));
            EXPECT_TRUE(fs::exists(chosen + " 2/VIDEO_TS/VIDEO_TS.IFO"));
        }
    }
}

}  // namespace
}  // namespace clipwright
