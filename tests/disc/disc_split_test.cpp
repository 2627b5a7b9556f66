// A run's titles onto several discs: list order, no title split, each disc within its size and
// title limit; and real discs made that way, read back by lsdvd, all or none of them kept.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "disc/disc_split.h"
#include "disc_test_support.h"
#include "engine/command_line.h"
#include "test_folder.h"

namespace clipwright {
namespace {

namespace fs = std::filesystem;
using testing::ConvertedTitle;
using testing::RunTool;

DiscTitle Title(uint64_t megabytes) {
    DiscTitle title;
    title.bytes = megabytes * 1000 * 1000;
    return title;
}

// Every disc within the capacity and the title limit, every title once and in order, and each
// disc as full as the order allows: its next title would not have gone onto it.
void ExpectSoundSplit(DiscKind kind, const std::vector<DiscTitle>& titles, uint64_t capacity,
                      const DiscSplit& split) {
    size_t expected = 0;
    for (size_t d = 0; d < split.discs.size(); ++d) {
        std::vector<DiscTitle> onDisc;
        for (const size_t index : split.discs[d]) {
            while (std::find(split.tooLarge.begin(), split.tooLarge.end(), expected) !=
                   split.tooLarge.end()) {
                ++expected;
            }
            EXPECT_EQ(index, expected++);
            onDisc.push_back(titles[index]);
        }
        ASSERT_FALSE(onDisc.empty());
        EXPECT_LE(EstimatedImageBytes(kind, onDisc), capacity);
        EXPECT_LE(onDisc.size(), MaxDiscTitles(kind));
        if (d + 1 < split.discs.size()) {
            onDisc.push_back(titles[split.discs[d + 1].front()]);
            EXPECT_TRUE(EstimatedImageBytes(kind, onDisc) > capacity ||
                        onDisc.size() > MaxDiscTitles(kind));
        }
    }
}

TEST(DiscSplitPlan, TitlesGoInOrderOntoFullDiscsAndNeverAcross) {
    const uint64_t dvd = DiscCapacityBytes(DiscKind::kDvd);
    const std::vector<DiscTitle> run = {Title(2000), Title(2000), Title(1500), Title(600),
                                        Title(4000), Title(100),  Title(4500)};
    const DiscSplit split = SplitTitles(DiscKind::kDvd, run, dvd);
    EXPECT_TRUE(split.tooLarge.empty());
    ExpectSoundSplit(DiscKind::kDvd, run, dvd, split);
    EXPECT_EQ(split.discs.size(), 4u);

    // A disc holds no more titles than its limit, however small they are.
    const std::vector<DiscTitle> many(250, Title(1));
    const DiscSplit counted = SplitTitles(DiscKind::kVcd, many, DiscCapacityBytes(DiscKind::kVcd));
    ExpectSoundSplit(DiscKind::kVcd, many, DiscCapacityBytes(DiscKind::kVcd), counted);
    EXPECT_EQ(counted.discs.size(), 3u);

    // A title larger than a disc is named, and the others still split around it.
    const std::vector<DiscTitle> withHuge = {Title(1000), Title(5000), Title(1000)};
    const DiscSplit huge = SplitTitles(DiscKind::kDvd, withHuge, dvd);
    EXPECT_EQ(huge.tooLarge, std::vector<size_t>{1});
    ExpectSoundSplit(DiscKind::kDvd, withHuge, dvd, huge);
    EXPECT_TRUE(SplitTitles(DiscKind::kDvd, {}, dvd).discs.empty());
}

TEST(DiscSplitPlan, TheTitlesBudgetIsTheMostWhoseImageFits) {
    for (const DiscKind kind : {DiscKind::kDvd, DiscKind::kSvcd}) {
        for (const size_t count : {1u, 3u, 40u}) {
            const uint64_t capacity = DiscCapacityBytes(kind);
            const uint64_t budget = TitleBytesBudget(kind, capacity, count);
            std::vector<DiscTitle> titles(count);
            for (size_t i = 0; i < count; ++i) {
                titles[i].bytes = budget / count;
            }
            EXPECT_LE(EstimatedImageBytes(kind, titles), capacity);
            // Two sectors' data more for each title would pass it.
            for (DiscTitle& title : titles) {
                title.bytes += 2 * 2324 + budget % count;
            }
            EXPECT_GT(EstimatedImageBytes(kind, titles), capacity);
            EXPECT_GT(budget, capacity * 9 / 10);
        }
    }
    EXPECT_EQ(TitleBytesBudget(DiscKind::kDvd, 1000, 1), 0u);
    EXPECT_EQ(NumberedDiscFolder("/out/Holiday", 2), "/out/Holiday 2");
}

class DiscSplitTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetEncoderName(TRELCORE_PATH);
        for (const char* name : {"a", "b", "c"}) {
            titles_.push_back(ConvertedTitle(folder_.path(), name, "pal-dvd", 2));
        }
        job_.kind = DiscKind::kDvd;
        job_.standard = CheckTitles(DiscKind::kDvd, titles_).standard;
        job_.titles = titles_;
        job_.targetFolder = folder_.path() + "Holiday";
        std::vector<DiscTool> missing;
        job_.tools = LocateTools(DiscKind::kDvd, nullptr, missing);
        EXPECT_TRUE(missing.empty());
        // A disc as large as the first two titles need: the third goes onto a second one.
        split_ = SplitTitles(DiscKind::kDvd, titles_,
                             EstimatedImageBytes(DiscKind::kDvd, {titles_[0], titles_[1]}));
    }
    void TearDown() override { SetEncoderName(kEncoderName); }

    testing::TestFolder folder_;
    std::vector<DiscTitle> titles_;
    DiscJob job_;
    DiscSplit split_;
};

TEST_F(DiscSplitTest, EachDiscHoldsItsTitlesInOrder) {
    ASSERT_EQ(split_.discs.size(), 2u);
    DiscProgress progress;
    const SplitResult result = AuthorDiscs(job_, split_, progress);
    ASSERT_EQ(result.outcome, DiscOutcome::kDone) << result.errorLine;
    ASSERT_EQ(result.folders.size(), 2u);
    EXPECT_EQ(result.folders[0], folder_.path() + "Holiday 1");
    EXPECT_EQ(result.files[1],
              std::vector<std::string>{folder_.path() + "Holiday 2/Holiday 2.iso"});
    const std::regex title(R"(Title: \d+, Length: 00:00:0(\d)\.)");
    for (size_t d = 0; d < 2; ++d) {
        std::string listing;
        ASSERT_TRUE(RunTool({"lsdvd", result.folders[d]}, &listing)) << listing;
        const auto count = std::distance(
            std::sregex_iterator(listing.begin(), listing.end(), title), std::sregex_iterator());
        EXPECT_EQ(static_cast<size_t>(count), split_.discs[d].size()) << listing;
    }
}

// A split run keeps all its discs or none: the second disc failing takes back the first.
TEST_F(DiscSplitTest, AFailedDiscTakesBackTheOnesBeforeIt) {
    const std::string second = folder_.path() + "Holiday 2";
    fs::create_directories(second + "/mine");
    DiscProgress progress;
    const SplitResult result = AuthorDiscs(job_, split_, progress);
    EXPECT_EQ(result.outcome, DiscOutcome::kFailed);
    EXPECT_FALSE(fs::exists(folder_.path() + "Holiday 1"));
    EXPECT_TRUE(fs::exists(second + "/mine"));  // what was there stays
    EXPECT_TRUE(result.folders.empty());
    // An empty folder given for the first disc stays, emptied.
    fs::remove_all(second);
    fs::create_directories(folder_.path() + "Holiday 1");
    fs::create_directories(second + "/mine");
    EXPECT_EQ(AuthorDiscs(job_, split_, progress).outcome, DiscOutcome::kFailed);
    EXPECT_TRUE(fs::is_directory(folder_.path() + "Holiday 1"));
    EXPECT_TRUE(fs::is_empty(folder_.path() + "Holiday 1"));
    // Cancelled: nothing at all.
    fs::remove_all(second);
    progress.abortRequested = true;
    EXPECT_EQ(AuthorDiscs(job_, split_, progress).outcome, DiscOutcome::kCancelled);
    EXPECT_FALSE(fs::exists(second));
}

}  // namespace
}  // namespace clipwright
