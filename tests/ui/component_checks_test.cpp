#include "ui/component_checks.h"

#include <gtest/gtest.h>

#include <QUrl>

#include "base/string_ids.h"
#include "platform/launcher.h"
#include "support/resource_strings.h"
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
        SetLaunchHandler(nullptr);
        qputenv("PATH", savedPath_);
        TakeMessageTexts();
    }

    QByteArray savedPath_;
    int launches_ = 0;
};

TEST_F(ComponentChecksTest, TheDebianFfmpegLibrariesHaveBothComponents) {
    EXPECT_TRUE(HasWindowsMediaWriter());
    EXPECT_TRUE(HasOggReader());
    EXPECT_FALSE(CheckWindowsMediaSupport(nullptr));
    EXPECT_FALSE(CheckOggSupport(nullptr));
    EXPECT_TRUE(TakeMessageTexts().empty());
}

TEST_F(ComponentChecksTest, AMissingComponentPromptsAndStopsEitherWay) {
    const auto missing = [] { return false; };
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
