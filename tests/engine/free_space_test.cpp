// The most output a run can take, from the target's peak rates and the source's streams, and the
// free space it is held to.
#include <gtest/gtest.h>

#include "engine/free_space.h"
#include "test_folder.h"

namespace clipwright {
namespace {

using testing::TestFolder;

SourceItem Clip(int32_t seconds, const std::string& bitrate = "") {
    SourceItem item;
    item.duration = seconds;
    item.durationMs = seconds * 1000LL;
    item.selEnd = seconds;
    item.bitrateText = bitrate;
    return item;
}

ConversionSettings Type(int32_t outputType) {
    ConversionSettings settings;
    settings.outputType = outputType;
    return settings;
}

// The question holds the free space against the most an output can reach, not its nominal rate:
// a detailed one-second DVD came out 20 % over 6448 kbit/s.
TEST(FreeSpace, DiscTargetsCountTheirPeakRateAndBuffer) {
    SourceItem clip = Clip(100);
    clip.selStart = 40;                                         // a 60 s part
    const int64_t vcd = OutputBytesUpTo(Type(kTypeVcd), clip);  // padded to its rate
    EXPECT_GE(vcd, 1411200 / 8 * 60);
    EXPECT_LE(vcd, 1411200 / 8 * 60 + (1 << 20));
    const int64_t dvd = OutputBytesUpTo(Type(kTypeDvd), clip);
    EXPECT_GT(dvd, (6000000 + 448000) * 13 / 10 / 8 * 60);
    EXPECT_LE(dvd, 10080000 / 8 * 60 + (1 << 20));  // never past the multiplex rate
    const int64_t svcd = OutputBytesUpTo(Type(kTypeSvcd), clip);
    EXPECT_GT(svcd, (2040000 + 224000) * 12 / 10 / 8 * 60);
    EXPECT_LE(svcd, 2788800 / 8 * 60 + (1 << 20));
    EXPECT_GT(OutputBytesUpTo(Type(kTypeDv), clip), dvd * 2);
    // Types that are not converted, and empty parts, need nothing.
    EXPECT_EQ(OutputBytesUpTo(Type(kTypeWmv), clip), 0);
    clip.selEnd = clip.selStart;
    EXPECT_EQ(OutputBytesUpTo(Type(kTypeDvd), clip), 0);
}

// An output carries only the streams its source has: audio alone is not a whole disc's rate.
TEST(FreeSpace, TheSourcesStreamsDecideWhatIsCounted) {
    SourceItem song = Clip(60);
    song.audioInfo = "mp2, 44100 Hz, stereo, 128 kb/s";
    const int64_t dvd = OutputBytesUpTo(Type(kTypeDvd), song);
    EXPECT_GE(dvd, 448000 / 8 * 60);
    EXPECT_LE(dvd, 448000 * 2 / 8 * 60);
    EXPECT_LE(OutputBytesUpTo(Type(kTypeSvcd), song), 224000 * 2 / 8 * 60);
    EXPECT_EQ(OutputBytesUpTo(Type(kTypeVcd), song), OutputBytesUpTo(Type(kTypeVcd), Clip(60)));
    ConversionSettings mpeg4 = Type(kTypeMpeg4);
    mpeg4.videoBitrateChoice = 11;  // 2500 kbit/s, which a song does not get
    mpeg4.audioBitrateChoice = 7;   // 128 kbit/s
    EXPECT_EQ(OutputBytesUpTo(mpeg4, song),
              (128000 + 128000 * kMuxOverheadPerMille / 1000) / 8 * 60);

    SourceItem silent = Clip(60);
    silent.videoInfo = "mpeg4, yuv420p, 720x480, 29.97 fps";
    EXPECT_LT(OutputBytesUpTo(Type(kTypeDvd), silent), OutputBytesUpTo(Type(kTypeDvd), Clip(60)));
    silent.audioInfo = "ac3, 48000 Hz, stereo, 448 kb/s";
    EXPECT_EQ(OutputBytesUpTo(Type(kTypeDvd), silent), OutputBytesUpTo(Type(kTypeDvd), Clip(60)));
}

TEST(FreeSpace, FreeFormTypesUseTheChosenRatesOrTheSources) {
    ConversionSettings settings = Type(kTypeMpeg4);
    const SourceItem clip = Clip(10, "800 kb/s");
    // Keep Original: never more than the source's own rate; without one, nothing is known.
    EXPECT_EQ(OutputBytesUpTo(settings, clip), 800000 / 8 * 10);
    EXPECT_EQ(OutputBytesUpTo(settings, Clip(10)), 0);
    EXPECT_EQ(OutputBytesUpTo(Type(kTypeH264), clip), 800000 / 8 * 10);
    settings.videoBitrateChoice = 11;  // 2500 kbit/s
    settings.audioBitrateChoice = 7;   // 128 kbit/s
    const int64_t streams = (2500000 + 128000) / 8 * 10;
    const int64_t chosen = OutputBytesUpTo(settings, clip);
    EXPECT_GE(chosen, streams + streams * kMuxOverheadPerMille / 1000);
    EXPECT_LE(chosen, streams * 3 / 2);
    settings.variableBitRate = true;
    settings.maxRateText = "4000";  // the video may reach this
    EXPECT_GE(OutputBytesUpTo(settings, clip), (4000000 + 128000) / 8 * 10);
    settings.maxRateText = "";
    settings.audioBitrateChoice = 0;  // trelcore's AAC default, per channel
    settings.channelsChoice = 1;      // mono
    EXPECT_LT(OutputBytesUpTo(settings, clip), chosen);
    const SourceItem other = Clip(20, "800 kb/s");
    EXPECT_EQ(RunBytesUpTo(settings, {&clip, nullptr, &other}),
              OutputBytesUpTo(settings, clip) + OutputBytesUpTo(settings, other));
}

TEST(FreeSpace, WildFiguresStayPositiveInsteadOfOverflowing) {
    const SourceItem huge = Clip(2000000000, "9999999 kb/s");
    const int64_t one = OutputBytesUpTo(Type(kTypeMpeg4), huge);
    EXPECT_GT(one, int64_t{1} << 59);
    const std::vector<const SourceItem*> many(64, &huge);
    EXPECT_GE(RunBytesUpTo(Type(kTypeMpeg4), many), one);
}

TEST(FreeSpace, SizesReadAsPeopleWriteThem) {
    EXPECT_EQ(ByteSizeText(0), "0 B");
    EXPECT_EQ(ByteSizeText(512), "512 B");
    EXPECT_EQ(ByteSizeText(static_cast<uint64_t>(14.2 * 1024 * 1024 * 1024)), "14.2 GB");
    EXPECT_EQ(ByteSizeText(static_cast<uint64_t>(3.1 * 1024 * 1024)), "3.1 MB");
}

TEST(FreeSpace, AFolderNotMadeYetCountsItsParentsFileSystemAndTheSeamReplacesIt) {
    const TestFolder dir;
    const std::optional<uint64_t> here = FreeBytesOf(dir.path());
    ASSERT_TRUE(here.has_value());
    EXPECT_GT(*here, 0u);
    EXPECT_TRUE(FreeBytesOf(dir.path() + "not/made/yet/").has_value());
    std::string asked;
    SetFreeSpaceSource([&](const std::string& folder) -> std::optional<uint64_t> {
        asked = folder;
        return 1234;
    });
    EXPECT_EQ(FreeBytesOf("/some/where/"), 1234u);
    EXPECT_EQ(asked, "/some/where/");
    SetFreeSpaceSource({});
    EXPECT_TRUE(FreeBytesOf(dir.path()).has_value());
}

}  // namespace
}  // namespace clipwright
