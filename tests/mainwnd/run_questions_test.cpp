// The questions before and after a run: the free-space question through the seams, and the
// report written only on OK, read back as CSV and JSON, and opened with the desktop.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>

#include "engine/free_space.h"
#include "mainwnd/run_questions.h"
#include "platform/launcher.h"
#include "test_folder.h"
#include "ui/message_box.h"

namespace clipwright {
namespace {

using testing::TestFolder;

class RunQuestionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TakeMessageTexts();
        SetLaunchHandler([this](const QString& program, const QStringList& arguments) {
            launched_.push_back(program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')));
            return true;
        });
        clip_.duration = 600;
        clip_.durationMs = 600000;
        clip_.selEnd = 600;
        settings_.outputType = kTypeDvd;
        settings_.outputFolder = dir_.path();
    }
    void TearDown() override {
        SetFreeSpaceSource({});
        SetLaunchHandler({});
        EXPECT_FALSE(HasPendingMessageAnswers());
    }
    void FreeBytes(std::optional<uint64_t> bytes) {
        SetFreeSpaceSource([bytes](const std::string&) { return bytes; });
    }

    TestFolder dir_;
    SourceItem clip_;  // ten minutes: about 490 MB on a DVD at its nominal rate, up to 720 MB
    ConversionSettings settings_;
    std::vector<QString> launched_;
};

TEST_F(RunQuestionsTest, EnoughOrUnknownSpaceAsksNothing) {
    FreeBytes(static_cast<uint64_t>(RunBytesUpTo(settings_, {&clip_})));
    EXPECT_TRUE(ConfirmFreeSpace(nullptr, settings_, {&clip_}));
    FreeBytes(std::nullopt);
    EXPECT_TRUE(ConfirmFreeSpace(nullptr, settings_, {&clip_}));
    FreeBytes(0);
    settings_.outputType = kTypeWmv;  // nothing will be written
    EXPECT_TRUE(ConfirmFreeSpace(nullptr, settings_, {&clip_}));
    EXPECT_TRUE(TakeMessageTexts().empty());
}

// More rows than one disc takes: asked before anything is converted, for the disc types only.
TEST_F(RunQuestionsTest, MoreFilesThanADiscTakesAreToldBeforeTheRun) {
    struct Case {
        int32_t type;
        size_t fits;
        std::string label;
    };
    for (const Case& c :
         {Case{kTypeDvd, 99, "DVD"}, Case{kTypeVcd, 98, "VCD"}, Case{kTypeSvcd, 98, "SVCD"}}) {
        EXPECT_TRUE(ConfirmDiscTitleLimit(nullptr, c.type, c.fits)) << c.label;
        EXPECT_TRUE(TakeMessageTexts().empty()) << c.label;
        SetNextMessageAnswer(kAnswerCancel);
        EXPECT_FALSE(ConfirmDiscTitleLimit(nullptr, c.type, 100)) << c.label;
        const std::vector<std::string> texts = TakeMessageTexts();
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].substr(0, texts[0].find(':')),
                  "One " + c.label + " disc holds at most " + std::to_string(c.fits) +
                      " files, and 100 are listed")
            << texts[0];
        SetNextMessageAnswer(kAnswerOk);
        EXPECT_TRUE(ConfirmDiscTitleLimit(nullptr, c.type, 100)) << "converting is still allowed";
        TakeMessageTexts();
    }
    EXPECT_TRUE(ConfirmDiscTitleLimit(nullptr, kTypeDv, 500));
    EXPECT_TRUE(ConfirmDiscTitleLimit(nullptr, kTypeMpeg4, 500));
    EXPECT_TRUE(TakeMessageTexts().empty());
}

// A detailed source exceeds the DVD's nominal rate (by 20 % on one second of grainy pictures):
// room for 30 % more than that rate still asks, saying "up to"; room for the multiplex's whole
// rate does not.
TEST_F(RunQuestionsTest, TheQuestionHoldsTheSpaceAgainstTheMostTheOutputsCanTake) {
    const uint64_t nominal = (6000000 + 448000) / 8 * 600;
    FreeBytes(nominal * 13 / 10);
    SetNextMessageAnswer(kAnswerCancel);
    EXPECT_FALSE(ConfirmFreeSpace(nullptr, settings_, {&clip_}));
    const std::vector<std::string> texts = TakeMessageTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].rfind("The conversion may need up to ", 0), 0u) << texts[0];
    EXPECT_NE(texts[0].find(" but only 599.6 MB is free in " + dir_.path()), std::string::npos)
        << texts[0];

    FreeBytes(uint64_t{10080000} / 8 * 600 + (1 << 20));
    EXPECT_TRUE(ConfirmFreeSpace(nullptr, settings_, {&clip_}));
    EXPECT_TRUE(TakeMessageTexts().empty());
}

TEST_F(RunQuestionsTest, DecliningTheReportWritesNothing) {
    RowRecord row;
    row.source = "/v/a.avi";
    SetNextMessageAnswer(kAnswerCancel);
    OfferBatchReport(nullptr, {row}, dir_.path());
    EXPECT_EQ(TakeMessageTexts(),
              std::vector<std::string>{"Write a report of this run (CSV and JSON) into the output "
                                       "folder and open it?"});
    EXPECT_TRUE(std::filesystem::is_empty(dir_.path()));
    EXPECT_TRUE(launched_.empty());
    OfferBatchReport(nullptr, {}, dir_.path());  // no run, no question
    EXPECT_TRUE(TakeMessageTexts().empty());
}

TEST_F(RunQuestionsTest, TheReportIsWrittenBesideTheOutputsReadableAndOpened) {
    RowRecord row;
    row.source = "/v/a, \"quoted\".avi";
    row.output = dir_.path() + "a-cvt.mpg";
    row.status = kError;
    row.partEnd = 20;
    row.reason = "trelcore: a: cannot open";
    dir_.Write(std::string(kReportStem) + ".csv", "older report");
    SetNextMessageAnswer(kAnswerOk);
    OfferBatchReport(nullptr, {row}, dir_.path());
    EXPECT_EQ(TakeMessageTexts().size(), 1u);
    const std::string csv = dir_.path() + kReportStem + "[1].csv";
    ASSERT_EQ(launched_.size(), 1u);
    EXPECT_TRUE(launched_[0].endsWith(QString::fromStdString(csv))) << launched_[0].toStdString();
    EXPECT_EQ(TestFolder::Read(dir_.path() + kReportStem + ".csv"), "older report");
    EXPECT_NE(TestFolder::Read(csv).find("\"/v/a, \"\"quoted\"\".avi\","), std::string::npos);
    QJsonParseError error{};
    const QJsonDocument json = QJsonDocument::fromJson(
        QByteArray::fromStdString(TestFolder::Read(dir_.path() + kReportStem + "[1].json")),
        &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonObject first = json.object()[QStringLiteral("rows")].toArray()[0].toObject();
    EXPECT_EQ(first[QStringLiteral("source")].toString().toStdString(), row.source);
    EXPECT_EQ(first[QStringLiteral("status")].toString(), QStringLiteral("Error"));
    EXPECT_EQ(first[QStringLiteral("part_end")].toInt(), 20);
    EXPECT_EQ(first[QStringLiteral("reason")].toString().toStdString(), row.reason);
}

TEST_F(RunQuestionsTest, AReportThatCannotBeWrittenIsToldNotOpened) {
    RowRecord row;
    row.source = "/v/a.avi";
    const std::string blocked = dir_.Write("file", "x") + "/";
    SetNextMessageAnswer(kAnswerOk);
    SetNextMessageAnswer(kAnswerOk);
    OfferBatchReport(nullptr, {row}, blocked);
    const std::vector<std::string> texts = TakeMessageTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1], "The report could not be written to " + blocked + ".");
    EXPECT_TRUE(launched_.empty());
}

}  // namespace
}  // namespace clipwright
