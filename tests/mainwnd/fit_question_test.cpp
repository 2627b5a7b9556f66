// The question at Convert for a disc run over one disc: when it is asked, what it names, and
// each choice through the message-box seams.
#include <gtest/gtest.h>

#include "mainwnd/fit_question.h"
#include "ui/message_box.h"

namespace clipwright {
namespace {

SourceItem Clip(int64_t minutes) {
    SourceItem item;
    item.sourcePath = "/media/clip" + std::to_string(minutes) + ".mkv";
    item.duration = static_cast<int32_t>(minutes * 60);
    item.durationMs = minutes * 60 * 1000;
    item.selEnd = item.duration;
    return item;
}

class FitQuestionTest : public ::testing::Test {
protected:
    void SetUp() override { TakeMessageTexts(); }
    void TearDown() override { EXPECT_FALSE(HasPendingMessageAnswers()); }
};

TEST_F(FitQuestionTest, OnlyDiscRunsOverOneDiscAreAsked) {
    const SourceItem hour = Clip(60);
    const SourceItem twoHours = Clip(120);
    // 1 h 35 min is about what one DVD holds at its standard rate.
    EXPECT_FALSE(FitOfferFor(kTypeDvd, {&hour}).has_value());
    EXPECT_FALSE(FitOfferFor(kTypeDvd, {&hour, nullptr}).has_value());
    EXPECT_FALSE(FitOfferFor(kTypeVcd, {&twoHours, &twoHours}).has_value());
    EXPECT_FALSE(FitOfferFor(kTypeMpeg4, {&twoHours, &twoHours}).has_value());
    const std::optional<FitOffer> dvd = FitOfferFor(kTypeDvd, {&hour, &hour});
    ASSERT_TRUE(dvd.has_value());
    EXPECT_EQ(dvd->problem, FitProblem::kNone);
    EXPECT_EQ(dvd->disc, FitDiscSize::kDvd5);
    EXPECT_EQ(dvd->runMs, 2 * 3600 * 1000);
    EXPECT_GT(dvd->standardBytes, dvd->discBytes);
    EXPECT_LT(dvd->averageRate, 6000000);
    EXPECT_GE(dvd->averageRate, dvd->lowestRate);
    // Too long for a single layer even at the lowest rate: a double layer.
    const std::optional<FitOffer> longer = FitOfferFor(kTypeDvd, {&twoHours, &twoHours, &twoHours});
    ASSERT_TRUE(longer.has_value());
    EXPECT_EQ(longer->problem, FitProblem::kNone);
    EXPECT_EQ(longer->disc, FitDiscSize::kDvd9);
    // An SVCD run over an 80-minute CD.
    const std::optional<FitOffer> svcd = FitOfferFor(kTypeSvcd, {&hour, &hour});
    ASSERT_TRUE(svcd.has_value());
    EXPECT_EQ(svcd->disc, FitDiscSize::kCd80);
    EXPECT_EQ(svcd->problem, FitProblem::kTooLong);
}

TEST_F(FitQuestionTest, EachChoiceComesBackAndFitIsOfferedOnlyWhenItCanBeDone) {
    const SourceItem hour = Clip(60);
    const FitOffer offer = *FitOfferFor(kTypeDvd, {&hour, &hour});
    const FitChoice order[] = {FitChoice::kFit, FitChoice::kSeveralDiscs, FitChoice::kAsItIs};
    for (int answer = 1; answer <= 3; ++answer) {
        SetNextMessageAnswer(answer);
        EXPECT_EQ(AskFit(nullptr, offer), order[answer - 1]);
    }
    SetNextMessageAnswer(kChoiceCancel);
    EXPECT_EQ(AskFit(nullptr, offer), FitChoice::kCancel);
    const std::vector<std::string> texts = TakeMessageTexts();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_NE(texts[0].find("2:00:00"), std::string::npos) << texts[0];
    EXPECT_NE(texts[0].find("4.70 GB"), std::string::npos) << texts[0];

    // Two hours of SVCD do not fit an 80-minute CD: no Fit, and the question says why.
    const FitOffer svcd = *FitOfferFor(kTypeSvcd, {&hour, &hour});
    SetNextMessageAnswer(1);
    EXPECT_EQ(AskFit(nullptr, svcd), FitChoice::kSeveralDiscs);
    SetNextMessageAnswer(2);
    EXPECT_EQ(AskFit(nullptr, svcd), FitChoice::kAsItIs);
    SetNextMessageAnswer(3);  // past the choices shown
    EXPECT_EQ(AskFit(nullptr, svcd), FitChoice::kCancel);
    const std::string why = TakeMessageTexts().front();
    EXPECT_NE(why.find(std::to_string(svcd.lowestRate / 1000) + " kbit/s"), std::string::npos)
        << why;

    // A file of unknown length: only the standard ways, and the file named.
    SourceItem unknown = Clip(30);
    unknown.durationMs = 0;
    unknown.duration = 0;
    unknown.selEnd = 7200;
    const std::optional<FitOffer> noLength = FitOfferFor(kTypeDvd, {&hour, &hour, &unknown});
    ASSERT_TRUE(noLength.has_value());
    EXPECT_EQ(noLength->problem, FitProblem::kUnknownDuration);
    SetNextMessageAnswer(1);
    EXPECT_EQ(AskFit(nullptr, *noLength), FitChoice::kSeveralDiscs);
    EXPECT_NE(TakeMessageTexts().front().find(unknown.sourcePath), std::string::npos);
}

}  // namespace
}  // namespace clipwright
