// The free-space check's bound against what trelcore really writes: a short, detailed clip comes
// out above the disc's nominal rate, and audio alone comes out far below it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <string>

#include "engine/child_process.h"
#include "engine/command_line.h"
#include "engine/free_space.h"
#include "engine/probe.h"
#include "test_folder.h"

namespace clipwright {
namespace {

using testing::TestFolder;

bool RunsToSuccess(const std::string& commandLine) {
    ChildProcess child;
    child.commandLine = commandLine;
    child.flags = PIPE_STDOUT;
    if (StartChild(child) != 0 || !WaitChildExit(child, 120000)) {
        return false;
    }
    return WIFEXITED(child.waitStatus) && WEXITSTATUS(child.waitStatus) == 0;
}

int64_t FileBytes(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? static_cast<int64_t>(info.st_size) : -1;
}

class FreeSpaceTrelcoreTest : public ::testing::Test {
protected:
    void SetUp() override { SetEncoderName(TRELCORE_PATH); }
    void TearDown() override { SetEncoderName(kEncoderName); }

    // Makes the clip and probes it as adding it does; the whole file is the part.
    SourceItem Clip(const std::string& name, const std::string& options) {
        const std::string path = dir_.path() + name;
        EXPECT_TRUE(
            RunsToSuccess(QuoteArgument(CLIPGEN_PATH) + " " + options + " " + QuoteArgument(path)));
        SourceItem item;
        EXPECT_EQ(Probe(item, path), 0) << path;
        item.selStart = 0;
        item.selEnd = item.duration;
        return item;
    }

    // The bytes trelcore writes for the whole clip to target.
    int64_t Convert(const SourceItem& item, const std::string& target) {
        const std::string output = dir_.path() + target + ".mpg";
        EXPECT_TRUE(RunsToSuccess(QuoteArgument(TRELCORE_PATH) + " -i " +
                                  QuoteArgument(item.sourcePath) + " -target " + target + " -y " +
                                  QuoteArgument(output)))
            << target;
        return FileBytes(output);
    }

    static ConversionSettings Type(int32_t outputType) {
        ConversionSettings settings;
        settings.outputType = outputType;
        return settings;
    }

    TestFolder dir_;
};

TEST_F(FreeSpaceTrelcoreTest, DetailedPicturesStayWithinTheBoundThatTheQuestionUses) {
    const SourceItem clip = Clip("grainy.mkv",
                                 "--duration 1 --size 720x480 --rate 30000/1001 --natural "
                                 "--grain 20 --motion 20 --vcodec mpeg4 --acodec mp2");
    const int64_t dvd = Convert(clip, "ntsc-dvd");
    const int64_t svcd = Convert(clip, "ntsc-svcd");
    // The disc's nominal 6448 kbit/s is not enough for this clip: the bound must be more.
    EXPECT_GT(dvd, (6000000 + 448000) / 8 * clip.durationMs / 1000) << dvd;
    EXPECT_LE(dvd, OutputBytesUpTo(Type(kTypeDvd), clip));
    EXPECT_LE(svcd, OutputBytesUpTo(Type(kTypeSvcd), clip));
    EXPECT_LE(Convert(clip, "ntsc-vcd"), OutputBytesUpTo(Type(kTypeVcd), clip));
}

TEST_F(FreeSpaceTrelcoreTest, AudioAloneIsNotCountedAsAWholeDisc) {
    const SourceItem song =
        Clip("song.mp2", "--duration 8 --vcodec none --acodec mp2 --sample-rate 44100");
    ASSERT_TRUE(song.videoInfo.empty());
    for (const auto& [type, target] : {std::pair{kTypeDvd, "ntsc-dvd"}, {kTypeSvcd, "ntsc-svcd"}}) {
        const int64_t written = Convert(song, target);
        const int64_t bound = OutputBytesUpTo(Type(type), song);
        EXPECT_LE(written, bound) << target;
        EXPECT_LE(bound, written * 3) << target << ": " << written << " written";
    }
}

}  // namespace
}  // namespace clipwright
