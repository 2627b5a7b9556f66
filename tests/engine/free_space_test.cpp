// The run's expected output size from the target's rates, and the free space it is held to.
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

TEST(FreeSpace, DiscTargetsUseTheirRatesForThePart) {
    SourceItem clip = Clip(100);
    clip.selStart = 40;  // a 60 s part
    EXPECT_EQ(EstimateOutputBytes(Type(kTypeVcd), clip), 1411200 / 8 * 60);
    const int64_t dvd = EstimateOutputBytes(Type(kTypeDvd), clip);
    EXPECT_GT(dvd, (6000000 + 448000) / 8 * 60);                // the streams and the overhead
    EXPECT_LT(dvd, (6000000LL + 448000) / 8 * 60 * 105 / 100);  // but not much more
    EXPECT_GT(EstimateOutputBytes(Type(kTypeDv), clip), dvd * 4);
    EXPECT_GT(EstimateOutputBytes(Type(kTypeSvcd), clip), 1411200 / 8 * 60);
    // Types that are not converted, and empty parts, need nothing.
    EXPECT_EQ(EstimateOutputBytes(Type(kTypeWmv), clip), 0);
    clip.selEnd = clip.selStart;
    EXPECT_EQ(EstimateOutputBytes(Type(kTypeDvd), clip), 0);
}

TEST(FreeSpace, FreeFormTypesUseTheChosenRatesOrTheSources) {
    ConversionSettings settings = Type(kTypeMpeg4);
    const SourceItem clip = Clip(10, "800 kb/s");
    // Keep Original: the source's rate is the guess; without one, nothing is known.
    EXPECT_EQ(EstimateOutputBytes(settings, clip), 800000 / 8 * 10);
    EXPECT_EQ(EstimateOutputBytes(settings, Clip(10)), 0);
    settings.videoBitrateChoice = 11;  // 2500 kbit/s
    settings.audioBitrateChoice = 7;   // 128 kbit/s
    const int64_t streams = (2500000 + 128000) / 8 * 10;
    EXPECT_EQ(EstimateOutputBytes(settings, clip), streams + streams * kMuxOverheadPerMille / 1000);
    settings.audioBitrateChoice = 0;  // trelcore's AAC default, per channel
    settings.channelsChoice = 1;      // mono
    const int64_t mono = (2500000 + 64000) / 8 * 10;
    EXPECT_EQ(EstimateOutputBytes(Type(kTypeH264), clip), 800000 / 8 * 10);
    EXPECT_EQ(EstimateOutputBytes(settings, clip), mono + mono * kMuxOverheadPerMille / 1000);
    const SourceItem other = Clip(20, "800 kb/s");
    EXPECT_EQ(EstimateRunBytes(settings, {&clip, nullptr, &other}),
              EstimateOutputBytes(settings, clip) + EstimateOutputBytes(settings, other));
}

TEST(FreeSpace, WildFiguresStayPositiveInsteadOfOverflowing) {
    const SourceItem huge = Clip(2000000000, "9999999 kb/s");
    const int64_t one = EstimateOutputBytes(Type(kTypeMpeg4), huge);
    EXPECT_GT(one, int64_t{1} << 59);
    const std::vector<const SourceItem*> many(64, &huge);
    EXPECT_GE(EstimateRunBytes(Type(kTypeMpeg4), many), one);
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
