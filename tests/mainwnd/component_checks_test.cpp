#include "mainwnd/component_checks.h"

#include <gtest/gtest.h>

#include <QUrl>
#include <filesystem>
#include <utility>

#include "base/string_ids.h"
#include "engine/command_line.h"
#include "engine/detection_worker.h"
#include "engine/encoder_capabilities.h"
#include "platform/launcher.h"
#include "support/resource_strings.h"
#include "test_folder.h"
#include "ui/message_box.h"

namespace clipwright {
namespace {

// The launcher seam stands in for the browser; no xdg-mime is on PATH, so the download page
// attempt ends before any program would start, and a started one is recorded instead.
class ComponentChecksTest : public ::testing::Test {
protected:
    void SetUp() override {
        TakeMessageTexts();
        savedPath_ = qgetenv("PATH");
        qputenv("PATH", "/nonexistent");
        SetLaunchHandler([this](const QString&, const QStringList&) {
            ++launches_;
            return true;
        });
    }
    void TearDown() override {
        SetEncoderName(kEncoderName);
        SetLaunchHandler(nullptr);
        qputenv("PATH", savedPath_);
        TakeMessageTexts();
    }

    QByteArray savedPath_;
    int launches_ = 0;
};

// The real encoder is asked; the Debian FFmpeg libraries it runs on have both components.
TEST_F(ComponentChecksTest, TheEncoderHasBothComponents) {
    SetEncoderName(TRELCORE);
    EXPECT_EQ(AskWindowsMediaWriter(), CanMakeAnswer::kYes);
    EXPECT_EQ(AskOggReader(), CanMakeAnswer::kYes);
    EXPECT_FALSE(CheckWindowsMediaSupport(nullptr));
    EXPECT_FALSE(CheckOggSupport(nullptr));
    EXPECT_TRUE(TakeMessageTexts().empty());
}

// Not the download question: the download would not bring the encoder back.
TEST_F(ComponentChecksTest, AMissingEncoderIsNamedAndStops) {
    SetEncoderName("trelcore-not-installed");
    EXPECT_EQ(AskWindowsMediaWriter(), CanMakeAnswer::kEncoderMissing);
    const std::string expected =
        LoadResourceString(kIdsEncoderMissing, std::string("trelcore-not-installed"),
                           EncoderSearchText("trelcore-not-installed"));
    ASSERT_NE(expected.find("/nonexistent"), std::string::npos) << expected;
    SetNextMessageAnswer(kAnswerOk);
    EXPECT_TRUE(CheckWindowsMediaSupport(nullptr));
    EXPECT_EQ(TakeMessageTexts(), (std::vector<std::string>{expected}));
    SetNextMessageAnswer(kAnswerOk);
    EXPECT_TRUE(CheckOggSupport(nullptr));
    EXPECT_EQ(TakeMessageTexts(), (std::vector<std::string>{expected}));
    EXPECT_FALSE(HasPendingMessageAnswers());
    EXPECT_EQ(launches_, 0);
}

// Something under the encoder's name on PATH that cannot be run is named for what it is.
TEST_F(ComponentChecksTest, AnEncoderThatCannotBeRunIsNamedForWhatItIs) {
    const testing::TestFolder dir;
    const std::string plain = dir.Write("trelcore-plain", "#!/bin/sh\n");
    std::filesystem::create_directory(dir.path() + "trelcore-folder");
    qputenv("PATH", QByteArray::fromStdString("/nonexistent:" + dir.path()));
    for (const auto& [name, expected] :
         {std::pair{"trelcore-plain", "The encoder program " + plain +
                                          " exists but is not "
                                          "executable."},
          std::pair{"trelcore-folder", "The encoder program " + dir.path() +
                                           "trelcore-folder is a folder, not a program."}}) {
        SetEncoderName(name);
        EXPECT_EQ(AskOggReader(), CanMakeAnswer::kEncoderMissing);
        SetNextMessageAnswer(kAnswerOk);
        EXPECT_TRUE(CheckOggSupport(nullptr));
        EXPECT_EQ(TakeMessageTexts(), (std::vector<std::string>{expected}));
    }
    EXPECT_EQ(launches_, 0);
}

// An encoder that cannot answer still converts, and each file's failure is reported then.
TEST_F(ComponentChecksTest, NoAnswerLetsTheConversionReportItsOwnFailures) {
    const auto silent = [] { return CanMakeAnswer::kNoAnswer; };
    EXPECT_FALSE(CheckWindowsMediaSupport(nullptr, silent));
    EXPECT_FALSE(CheckOggSupport(nullptr, silent));
    EXPECT_TRUE(TakeMessageTexts().empty());
    EXPECT_FALSE(HasPendingMessageAnswers());
}

TEST_F(ComponentChecksTest, AMissingComponentPromptsAndStopsEitherWay) {
    const auto missing = [] { return CanMakeAnswer::kNo; };
    SetNextMessageAnswer(kAnswerCancel);
    EXPECT_TRUE(CheckWindowsMediaSupport(nullptr, missing));
    EXPECT_EQ(TakeMessageTexts(),
              (std::vector<std::string>{LoadResourceString(kIdsAskWindowsMedia)}));

    SetNextMessageAnswer(kAnswerOk);
    SetNextMessageAnswer(kAnswerOk);
    EXPECT_TRUE(CheckWindowsMediaSupport(nullptr, missing));
    EXPECT_EQ(TakeMessageTexts(),
              (std::vector<std::string>{LoadResourceString(kIdsAskWindowsMedia),
                                        LoadResourceString(kIdsRestartAfterWindowsMedia)}));

    SetNextMessageAnswer(kAnswerOk);
    SetNextMessageAnswer(kAnswerOk);
    EXPECT_TRUE(CheckOggSupport(nullptr, missing));
    EXPECT_EQ(TakeMessageTexts(),
              (std::vector<std::string>{LoadResourceString(kIdsAskOgg),
                                        LoadResourceString(kIdsRestartAfterOgg)}));
    SetNextMessageAnswer(kAnswerCancel);
    EXPECT_TRUE(CheckOggSupport(nullptr, missing));
    EXPECT_FALSE(HasPendingMessageAnswers());
    EXPECT_EQ(launches_, 0);  // no browser without a default one
}

}  // namespace
}  // namespace clipwright
