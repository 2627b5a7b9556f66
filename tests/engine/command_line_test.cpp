#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>

#include "engine/command_line.h"
#include "engine/file_system.h"
#include "test_folder.h"

namespace clipwright {
namespace {

using testing::TestFolder;

ConversionSettings FreeForm(int32_t type) {
    ConversionSettings s;
    s.outputType = type;
    return s;
}

TEST(BuildOptions, TargetTypesNameStandardAndDisc) {
    ConversionSettings s;
    s.outputType = kTypeDvd;
    s.tvStandard = kPal;
    EXPECT_EQ(BuildOptions(s), "-target pal-dvd");
    s.outputType = kTypeSvcd;
    s.tvStandard = kNtscFilm;
    EXPECT_EQ(BuildOptions(s), "-target film-svcd");
    s.tvStandard = 7;  // unknown standards count as NTSC
    EXPECT_EQ(BuildOptions(s), "-target ntsc-svcd");
    s.outputType = kTypeDv;
    s.tvStandard = kNtsc;
    s.widthText = "640";  // target types ignore every form setting
    s.heightText = "480";
    s.videoBitrateChoice = 3;
    EXPECT_EQ(BuildOptions(s), "-target ntsc-dv");
    s.outputType = kTypeVcd;
    EXPECT_EQ(BuildOptions(s), "-target ntsc-vcd");
}

TEST(BuildOptions, TypesWithoutCommandLineGiveNothing) {
    for (const int32_t type :
         {int32_t{kTypeWmv}, int32_t{kType3gp}, int32_t{kTypeOgm}, int32_t{kTypeAvi}, 10, -1}) {
        EXPECT_EQ(BuildOptions(FreeForm(type)), "") << type;
    }
}

TEST(BuildOptions, KeepOriginalEverywhereLeavesOnlyTheCodec) {
    EXPECT_EQ(BuildOptions(FreeForm(kTypeMpeg4)), " -vcodec xvid -pix_fmt yuv420p");
    EXPECT_EQ(BuildOptions(FreeForm(kTypeH264)), " -vcodec h264 -pix_fmt yuv420p");
}

TEST(BuildOptions, EveryFreeFormPieceInOrder) {
    ConversionSettings s = FreeForm(kTypeMpeg4);
    s.widthText = "640";
    s.heightText = "480";
    s.frameRateChoice = 3;
    s.videoBitrateChoice = 7;
    s.channelsChoice = 2;
    s.audioBitrateChoice = 3;
    s.sampleRateChoice = 2;
    s.volumeChoice = 1;      // volume never reaches the encoder
    s.maxRateText = "1000";  // ignored without variable bit rate
    EXPECT_EQ(BuildOptions(s),
              " -vcodec xvid -pix_fmt yuv420p -s 640x480 -r 29.970 -b 768 -ac 2 -ab 64 -ar 44100");
    s.frameRateChoice = 1;
    EXPECT_NE(BuildOptions(s).find(" -r 14.985 "), std::string::npos);
}

TEST(BuildOptions, VariableBitRateUsesMaxAndMinTexts) {
    ConversionSettings s = FreeForm(kTypeMpeg4);
    s.variableBitRate = true;
    s.videoBitrateChoice = 7;
    s.maxRateText = "1000";
    s.minRateText = "0";
    EXPECT_EQ(BuildOptions(s), " -vcodec xvid -pix_fmt yuv420p -bt 768 -maxrate 1000");
    s.minRateText = "200";
    s.videoBitrateChoice = 0;
    EXPECT_EQ(BuildOptions(s), " -vcodec xvid -pix_fmt yuv420p -maxrate 1000 -minrate 200");
    // Leading zeros are dropped, and zeros alone mean "not given", as "0" does.
    s.maxRateText = "00";
    s.minRateText = "0200";
    EXPECT_EQ(BuildOptions(s), " -vcodec xvid -pix_fmt yuv420p -minrate 200");
    s.widthText = "000";
    s.heightText = "240";
    EXPECT_EQ(BuildOptions(s).find("-s "), std::string::npos);
}

TEST(BuildOptions, SizeNeedsBothSidesAndOnlyDigitsReachTheLine) {
    ConversionSettings s = FreeForm(kTypeH264);
    s.widthText = "0";
    s.heightText = "0";
    EXPECT_EQ(BuildOptions(s).find("-s "), std::string::npos);
    s.widthText = "320";
    s.heightText = "240 -y";
    EXPECT_EQ(BuildOptions(s).find("-s "), std::string::npos);
    s.variableBitRate = true;
    s.maxRateText = "9 -i /etc/passwd";
    EXPECT_EQ(BuildOptions(s).find("maxrate"), std::string::npos);
}

SourceItem Clip(const std::string& path, int32_t start, int32_t end) {
    SourceItem item;
    SetSourcePath(item, path);
    item.selStart = start;
    item.selEnd = end;
    item.outputFolder = "/out/";
    item.outputStem = "clip-cvt";
    item.outputExt = "mpg";
    return item;
}

TEST(BuildCommandLine, SpacingOfTargetAndFreeFormOptions) {
    const SourceItem item = Clip("/v/clip.avi", 0, 95);
    EXPECT_EQ(BuildCommandLine(item, "-target pal-dvd"),
              "trelcore qmt52rwKZ#&  -i \"/v/clip.avi\" -title \"clip\" -target pal-dvd -ss 0 "
              "-t 95 -y \"/out/clip-cvt.mpg\"");
    const std::string freeForm = BuildCommandLine(item, " -vcodec xvid -pix_fmt yuv420p");
    EXPECT_NE(freeForm.find("-title \"clip\"  -vcodec xvid"), std::string::npos);
    EXPECT_NE(BuildCommandLine(Clip("/v/clip.avi", 10, 30), "x").find(" -ss 10 -t 20 -y "),
              std::string::npos);
    EXPECT_EQ(BuildProbeCommandLine("/v/a b.avi"), "trelcore qmt52rwKZ#&  -i \"/v/a b.avi\"");
}

TEST(CommandLineSplit, WindowsRules) {
    EXPECT_EQ(SplitCommandLine("prog a  b\tc"), (std::vector<std::string>{"prog", "a", "b", "c"}));
    EXPECT_EQ(SplitCommandLine("\"my prog\" \"x y\" z"),
              (std::vector<std::string>{"my prog", "x y", "z"}));
    // Backslashes are literal unless they stand before a quote.
    EXPECT_EQ(SplitCommandLine(R"(p a\\b "c\\" d\"e "f""g")"),
              (std::vector<std::string>{"p", R"(a\\b)", R"(c\)", R"(d"e)", R"(f"g)"}));
    EXPECT_EQ(SplitCommandLine("p \"\""), (std::vector<std::string>{"p", ""}));
    EXPECT_TRUE(SplitCommandLine("").empty());
}

TEST(CommandLineSplit, HostilePathsAndTitlesComeBackByteForByte) {
    const std::vector<std::string> hostile = {
        "/tmp/plain.avi",
        "/tmp/with space/and \"quotes\".avi",
        R"(/tmp/back\slash\\ end\)",
        "/tmp/new\nline\r\tand tab.mp4",
        "-leading-dash.avi",
        "/tmp/\xe4\xb8\xad\xe6\x96\x87 \xc3\xa9t\xc3\xa9.mkv",
        "\"",
        "\\\"",
        "",
        "a\"\"b\\\\\"c",
    };
    for (const std::string& text : hostile) {
        SourceItem item;
        item.sourcePath = text;
        item.title = text;
        item.outputFolder = text + "/";
        // Built, not assigned from literals: GCC 12 wrongly warns (-Wrestrict) on the assignment.
        item.outputStem = std::string("s");
        item.outputExt = std::string("mpg");
        item.selEnd = 5;
        const std::vector<std::string> args =
            SplitCommandLine(BuildCommandLine(item, "-target ntsc-dvd"));
        ASSERT_EQ(args.size(), 14u) << text;
        EXPECT_EQ(args[1], "qmt52rwKZ#&");
        EXPECT_EQ(args[3], text);
        EXPECT_EQ(args[5], text);
        EXPECT_EQ(args[13], text + "/s.mpg");
    }
}

TEST(MakeOutputName, AddsSlashAndSuffix) {
    const TestFolder dir;
    SourceItem item;
    item.title = "clip";
    const std::string folder = dir.path().substr(0, dir.path().size() - 1);
    MakeOutputName(item, folder, "mpg", kOutputSuffix);
    EXPECT_EQ(item.outputFolder, dir.path());
    EXPECT_EQ(item.outputStem, "clip-cvt");
    EXPECT_EQ(OutputPath(item), dir.path() + "clip-cvt.mpg");
    MakeOutputName(item, "", "mpg", "");
    EXPECT_EQ(item.outputFolder, "");
    EXPECT_EQ(TargetName(item), "clip.mpg");
}

TEST(MakeOutputName, CountsPastExistingFilesFoldersAndLinks) {
    const TestFolder dir;
    SourceItem item;
    item.title = "clip";
    dir.Write("clip-cvt.mpg", "x");
    dir.Write("clip-cvt[1].mpg", "x");
    std::filesystem::create_directory(dir.path() + "clip-cvt[2].mpg");
    std::filesystem::create_symlink(dir.path() + "missing", dir.path() + "clip-cvt[3].mpg");
    MakeOutputName(item, dir.path(), "mpg", "cvt");
    EXPECT_EQ(item.outputStem, "clip-cvt[4]");
    dir.Write("clip.avi", "x");
    MakeOutputName(item, dir.path(), "avi", "");
    EXPECT_EQ(item.outputStem, "clip[1]");
}

TEST(MakeOutputName, NeverHandsOutAnExistingNamePastAThousand) {
    const TestFolder dir;
    dir.Write("t-cvt.mpg", "");
    for (int n = 1; n <= 1000; ++n) {
        dir.Write("t-cvt[" + std::to_string(n) + "].mpg", "");
    }
    SourceItem item;
    item.title = "t";
    MakeOutputName(item, dir.path(), "mpg", "cvt");
    EXPECT_EQ(item.outputStem, "t-cvt[1001]");
    EXPECT_FALSE(PathExists(OutputPath(item)));
}

// A source name at the file system's limit leaves no room for "-cvt", the counter and the
// extension: the title gives way, at a whole UTF-8 character, and the name can be created.
TEST(MakeOutputName, ShortensALongTitleToFitTheFileSystem) {
    const TestFolder dir;
    const size_t limit = NameByteLimit(dir.path());
    // Three-byte characters after one "x", so a cut by bytes alone would split one.
    std::string title = "x";
    while (title.size() + 3 <= limit) {
        title += "\xE6\x98\xA0";
    }
    SourceItem item;
    SetSourcePath(item, "/videos/" + title + ".mp4");
    ASSERT_EQ(item.title, title);
    for (const std::string& expectedTail : {std::string("-cvt.mpg"), std::string("-cvt[1].mpg")}) {
        const ReserveNameResult reservation =
            ReserveOutputName(item, dir.path(), "mpg", kOutputSuffix);
        ASSERT_TRUE(reservation.reserved) << std::strerror(reservation.error);
        EXPECT_EQ(reservation.error, 0);
        const std::string name = TargetName(item);
        EXPECT_LE(name.size(), limit);
        EXPECT_GT(name.size(), limit - 3) << "only as much is cut as is needed";
        EXPECT_TRUE(name.ends_with(expectedTail)) << name;
        const std::string kept = name.substr(0, name.size() - expectedTail.size());
        EXPECT_TRUE(title.starts_with(kept));
        EXPECT_EQ((kept.size() - 1) % 3, 0u) << "cut inside a character";
        EXPECT_TRUE(PathExists(OutputPath(item)));
    }
    EXPECT_EQ(CutUtf8("a\xC3\xA9", 2), "a");
    EXPECT_EQ(CutUtf8("a\xC3\xA9", 3), "a\xC3\xA9");
    EXPECT_EQ(CutUtf8("abc", 0), "");

    // A path past the system's limit cannot be shortened by the title: the error says so.
    std::string deep = dir.path();
    while (deep.size() <= PATH_MAX) {
        deep += std::string(200, 'd') + "/";
    }
    item.title = "clip";
    ReserveNameResult reservation = ReserveOutputName(item, deep, "mpg", kOutputSuffix);
    EXPECT_FALSE(reservation.reserved);
    EXPECT_EQ(reservation.error, ENAMETOOLONG);
    reservation = ReserveOutputName(item, dir.path() + "missing/", "mpg", kOutputSuffix);
    EXPECT_FALSE(reservation.reserved);
    EXPECT_EQ(reservation.error, ENOENT);
}

// An empty output a killed run left behind is taken over; one that is in use (locked), recent,
// or written to is not, so two runs into one folder still never share a name.
TEST(ReserveOutputName, TakesOverOnlyAnEmptyNameLeftBehind) {
    const TestFolder dir;
    SourceItem item;
    SetSourcePath(item, "/videos/clip.mp4");
    const auto age = [](const std::string& path) {
        const timespec old[2] = {{::time(nullptr) - 120, 0}, {::time(nullptr) - 120, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), old, 0), 0);
    };
    const auto reserve = [&] {
        ReserveNameResult reservation = ReserveOutputName(item, dir.path(), "mpg", kOutputSuffix);
        EXPECT_TRUE(reservation.reserved);
        return reservation;
    };
    const std::string first = dir.path() + "clip-cvt.mpg";
    const std::string second = dir.path() + "clip-cvt[1].mpg";
    age(dir.Write("clip-cvt.mpg", ""));
    MakeOutputName(item, dir.path(), "mpg", kOutputSuffix);  // as a dry run names it
    EXPECT_EQ(OutputPath(item), first);
    {
        const ReserveNameResult taken = reserve();
        EXPECT_EQ(OutputPath(item), first);
        // In use by a run, however old it looks: the next run goes past it.
        age(first);
        MakeOutputName(item, dir.path(), "mpg", kOutputSuffix);
        EXPECT_EQ(OutputPath(item), second);
        const ReserveNameResult next = reserve();
        EXPECT_EQ(OutputPath(item), second);
    }
    // Left a moment ago: may be another run's that has not locked it yet.
    ASSERT_EQ(::utimensat(AT_FDCWD, first.c_str(), nullptr, 0), 0);
    EXPECT_EQ((reserve(), TargetName(item)), "clip-cvt[2].mpg");
    // Written to: somebody's file, kept; the empty one after it was left behind.
    age(dir.Write("clip-cvt.mpg", "x"));
    age(second);
    const ReserveNameResult again = reserve();
    EXPECT_EQ(OutputPath(item), second);
    EXPECT_EQ(TestFolder::Read(first), "x");

    // A FIFO under the name is passed by at once, not opened (which would wait for a reader).
    const TestFolder fifos;
    ASSERT_EQ(::mkfifo((fifos.path() + "clip-cvt.mpg").c_str(), 0644), 0);
    MakeOutputName(item, fifos.path(), "mpg", kOutputSuffix);
    EXPECT_EQ(TargetName(item), "clip-cvt[1].mpg");
    EXPECT_TRUE(ReserveOutputName(item, fifos.path(), "mpg", kOutputSuffix).reserved);
    EXPECT_EQ(TargetName(item), "clip-cvt[1].mpg");
}

TEST(SourceItemTexts, PathPieces) {
    SourceItem item;
    SetSourcePath(item, "/home/ann/Videos/clip.avi");
    EXPECT_EQ(item.sourceExt, "avi");
    EXPECT_EQ(item.title, "clip");
    EXPECT_EQ(DisplayName(item), "clip.avi");
    SetSourcePath(item, "/home/ann/Clips.old/movie");
    EXPECT_EQ(item.sourceExt, "old/movie");
    EXPECT_EQ(item.title, "Clips");
    SetSourcePath(item, "clip.avi");
    EXPECT_EQ(item.title, "");
    SetSourcePath(item, "/clip.avi");
    EXPECT_EQ(item.title, "clip");
    SetSourcePath(item, ".hidden");
    EXPECT_EQ(item.sourceExt, "");
}

TEST(SourceItemTexts, StatusWords) {
    EXPECT_STREQ(StatusWord(kDone), "Done");
    EXPECT_STREQ(StatusWord(kReady), "Ready");
    EXPECT_STREQ(StatusWord(6), "Ready");
    EXPECT_STREQ(StatusWord(-1), "Ready");
    EXPECT_EQ(StatusStringId(kWaiting), 61335);
    EXPECT_EQ(StatusStringId(42), StatusStringId(kReady));
}

}  // namespace
}  // namespace clipwright
