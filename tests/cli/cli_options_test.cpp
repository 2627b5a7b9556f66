#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>

#include "base/string_ids.h"
#include "cli/cli_run.h"
#include "engine/output_types.h"

namespace clipwright::cli {
namespace {

ParseResult Parse(std::vector<std::string> args) {
    return ParseArguments(args);
}

TEST(CliUsageTest, EachBadUsageIsRefusedWithAMessageNamingTheOption) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"--bogus", "a.mp4"}, "--bogus"},
        {{"a.mp4", "-t"}, "-t needs a value"},
        {{"--type", "mpeg2", "a.mp4"}, "--type mpeg2"},
        {{"-s", "secam", "a.mp4"}, "-s secam"},
        {{"--part", "00:00:10-00:00:05", "a.mp4"}, "--part"},
        {{"--part", "1:75-2:00", "a.mp4"}, "--part"},
        {{"-j", "0", "a.mp4"}, "-j 0"},
        {{"--jobs=many", "a.mp4"}, "--jobs many"},
        {{"--shard", "3/2", "a.mp4"}, "--shard 3/2"},
        {{"--shard", "0/2", "a.mp4"}, "--shard 0/2"},
        {{"--report", "xml", "a.mp4"}, "--report xml"},
        {{"--progress", "fancy", "a.mp4"}, "--progress fancy"},
        {{"--dry-run=yes", "a.mp4"}, "--dry-run takes no value"},
        {{"-t", "dvd", "--size", "640x480", "a.mp4"}, "--size applies to the mpeg4 and h264"},
        {{"-t", "mpeg4", "--video-bitrate", "700", "a.mp4"}, "--video-bitrate 700: not one of"},
        {{"-t", "h264", "--max-rate", "900", "a.mp4"}, "--max-rate needs --vbr"},
        {{"-t", "h264", "--size", "640x", "a.mp4"}, "--size 640x"},
        {{"--list", "l.txt", "a.mp4"}, "--list and FILE"},
        {{}, "no FILE"},
        {{"--fit-disc", "dvd10", "a.mp4"}, "--fit-disc dvd10"},
        {{"-t", "dvd", "--fit-disc", "cd80", "a.mp4"}, "--fit-disc: a dvd run"},
        {{"-t", "svcd", "--fit-disc=dvd5", "a.mp4"}, "--fit-disc: a dvd run"},
        {{"-t", "vcd", "--fit-disc", "cd80", "a.mp4"}, "not vcd"},
        {{"--fit-disc", "dvd9", "--disc", "--split-discs", "a.mp4"}, "do not go together"},
        {{"--split-discs", "a.mp4"}, "--split-discs needs --disc"},
        {{"--disc", "--split-discs=2", "a.mp4"}, "--split-discs takes no value"},
    };
    for (const auto& [args, expected] : cases) {
        const ParseResult result = Parse(args);
        EXPECT_FALSE(result.ok) << expected;
        EXPECT_NE(result.error.find(expected), std::string::npos)
            << "wanted \"" << expected << "\" in \"" << result.error << "\"";
    }
}

TEST(CliUsageTest, ChoicesLandInTheFormsRowsAndFilesKeepTheirOrder) {
    const ParseResult result = Parse({"b.avi",
                                      "-tmpeg4",
                                      "--standard=pal",
                                      "--size",
                                      "keep",
                                      "--rate",
                                      "23.976",
                                      "--video-bitrate",
                                      "768",
                                      "--vbr",
                                      "--max-rate",
                                      "900",
                                      "--audio-bitrate",
                                      "64",
                                      "--channels",
                                      "2",
                                      "--sample-rate",
                                      "44100",
                                      "-j",
                                      "auto",
                                      "--report",
                                      "json",
                                      "--disc=/tmp/d",
                                      "--shard",
                                      "2/3",
                                      "--",
                                      "-odd.mp4",
                                      "a.mp4"});
    ASSERT_TRUE(result.ok) << result.error;
    const Options& o = result.options;
    EXPECT_EQ(o.settings.outputType, kTypeMpeg4);
    EXPECT_EQ(o.settings.tvStandard, kPal);
    EXPECT_EQ(o.settings.widthText, "0");
    EXPECT_EQ(kFrameRates[static_cast<size_t>(o.settings.frameRateChoice - 1)], 23.976);
    EXPECT_EQ(kVideoBitrates[static_cast<size_t>(o.settings.videoBitrateChoice - 1)], 768);
    EXPECT_EQ(kAudioBitrates[static_cast<size_t>(o.settings.audioBitrateChoice - 1)].kbps, 64);
    EXPECT_EQ(kAudioChannels[static_cast<size_t>(o.settings.channelsChoice - 1)], 2);
    EXPECT_EQ(kSampleRates[static_cast<size_t>(o.settings.sampleRateChoice - 1)], 44100);
    EXPECT_TRUE(o.settings.variableBitRate);
    EXPECT_EQ(o.settings.maxRateText, "900");
    EXPECT_TRUE(o.jobsAuto);
    EXPECT_TRUE(o.reportJson);
    EXPECT_FALSE(o.reportCsv);
    EXPECT_TRUE(o.disc);
    EXPECT_EQ(o.discFolder, "/tmp/d");
    EXPECT_EQ(o.shardIndex, 2);
    EXPECT_EQ(o.shardCount, 3);
    ASSERT_EQ(o.sources.size(), 3u);
    EXPECT_EQ(o.sources[0].path, "b.avi");
    EXPECT_EQ(o.sources[1].path, "-odd.mp4");  // after "--" a dash is a name
    EXPECT_EQ(o.sources[2].path, "a.mp4");
    EXPECT_FALSE(o.fitDisc.has_value());
    EXPECT_FALSE(o.splitDiscs);

    const ParseResult fitted = Parse({"-t", "svcd", "--fit-disc=cd80", "a.mp4"});
    ASSERT_TRUE(fitted.ok) << fitted.error;
    EXPECT_EQ(fitted.options.fitDisc, FitDiscSize::kCd80);
    const ParseResult split = Parse({"-t", "vcd", "--disc", "--split-discs", "a.mp4"});
    ASSERT_TRUE(split.ok) << split.error;
    EXPECT_TRUE(split.options.splitDiscs);
}

TEST(CliPartTest, TimesReadInEveryFieldCountAndBadOnesAreRefused) {
    const std::optional<Part> full = ParsePart("01:02:03-01:02:04");
    ASSERT_TRUE(full);
    EXPECT_EQ(full->start, 3723);
    EXPECT_EQ(full->end, 3724);
    const std::optional<Part> short_ = ParsePart("5-1:30");
    ASSERT_TRUE(short_);
    EXPECT_EQ(short_->start, 5);
    EXPECT_EQ(short_->end, 90);
    for (const char* bad : {"", "5", "5-5", "10-5", "1:2:3:4-9:00:00:00", "a-b", "-5", "5-",
                            "00:60-01:00", "1.5-3", "+1-3"}) {
        EXPECT_FALSE(ParsePart(bad)) << bad;
    }
}

TEST(CliListTest, LinesGiveSourcesAndTheFirstBadLineIsNamedByNumber) {
    const ListResult good = ParseList(
        "# clips\r\n/a/one.mp4\r\n\n/b/two words.avi\t00:00:01-00:00:02\n  \n/c/three.mkv",
        "l.txt");
    ASSERT_TRUE(good.error.empty()) << good.error;
    ASSERT_EQ(good.sources.size(), 3u);
    EXPECT_EQ(good.sources[0].path, "/a/one.mp4");
    EXPECT_EQ(good.sources[0].listLine, 2);
    EXPECT_FALSE(good.sources[0].part);
    EXPECT_EQ(good.sources[1].path, "/b/two words.avi");
    EXPECT_EQ(good.sources[1].listLine, 4);
    ASSERT_TRUE(good.sources[1].part);
    EXPECT_EQ(good.sources[1].part->end, 2);
    EXPECT_EQ(good.sources[2].listLine, 6);

    const ListResult badPart = ParseList("/a.mp4\n/b.mp4\t00:00:09-00:00:03\n", "list");
    EXPECT_TRUE(badPart.sources.empty());
    EXPECT_EQ(badPart.error.rfind("list:2: ", 0), 0u) << badPart.error;
    EXPECT_NE(badPart.error.find("00:00:09-00:00:03"), std::string::npos);

    const ListResult noPath = ParseList("/a.mp4\n\n\t1-2\n", "list");
    EXPECT_EQ(noPath.error.rfind("list:3: ", 0), 0u) << noPath.error;
}

TEST(CliShardTest, TheShardsOfACountTakeEveryFileExactlyOnce) {
    for (size_t total : {0u, 1u, 3u, 4u, 7u, 10u}) {
        for (int count = 1; count <= 4; ++count) {
            std::multiset<size_t> seen;
            for (int index = 1; index <= count; ++index) {
                const std::vector<size_t> taken = ShardIndices(total, index, count);
                for (const size_t i : taken) {
                    EXPECT_EQ(static_cast<int>(i % static_cast<size_t>(count)), index - 1);
                }
                seen.insert(taken.begin(), taken.end());
            }
            ASSERT_EQ(seen.size(), total) << "total " << total << " count " << count;
            for (size_t i = 0; i < total; ++i) {
                EXPECT_EQ(seen.count(i), 1u) << "file " << i << " of " << total << " in " << count;
            }
        }
    }
    EXPECT_TRUE(ShardIndices(5, 3, 2).empty());
}

TEST(CliTextsTest, ReasonsMatchTheEnglishCatalogAndAutoJobsFollowTheCores) {
    std::ifstream in(CLIPWRIGHT_EN_CATALOG);
    const std::string catalog(std::istreambuf_iterator<char>(in), {});
    ASSERT_FALSE(catalog.empty());
    for (const auto& [id, text] : EnglishTexts()) {
        const std::regex message("<message id=\"str\\." + std::to_string(id) +
                                 "\">[^]*?<source>([^<]*)</source>");
        std::smatch match;
        ASSERT_TRUE(std::regex_search(catalog, match, message)) << id;
        EXPECT_EQ(EnglishText(id), match[1].str()) << id;
    }
    for (const int32_t type : {kTypeDvd, kTypeVcd, kTypeSvcd, kTypeDv, kTypeMpeg4, kTypeH264}) {
        EXPECT_EQ(AutoJobs(type, 1), 1);
        const int two = AutoJobs(type, 2);
        const int sixteen = AutoJobs(type, 16);
        EXPECT_GE(two, 1);
        EXPECT_LE(two, 2);
        EXPECT_GE(sixteen, two);
        EXPECT_LE(sixteen, 16);
    }
}

}  // namespace
}  // namespace clipwright::cli
