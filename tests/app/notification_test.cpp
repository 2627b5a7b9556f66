// The end of a conversion run reaches the desktop's notifications only when the user is not
// looking at the main window; a fake bus stands in for the session bus.
#include <gtest/gtest.h>

#include <QApplication>
#include <utility>

#include "app_test_support.h"
#include "dialogs/convert_progress_dialog.h"
#include "platform/desktop_notifier.h"

namespace clipwright {
namespace {

using namespace testing;

class RecordingBus : public NotificationBus {
public:
    explicit RecordingBus(std::vector<std::pair<QString, QString>>& sent) : sent_(sent) {}
    bool Notify(const QString& summary, const QString& body) override {
        sent_.emplace_back(summary, body);
        return true;
    }

private:
    std::vector<std::pair<QString, QString>>& sent_;
};

class NotificationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetShell();
        previous_ = ReplaceNotificationBus(std::make_unique<RecordingBus>(sent_));
        view_ = std::make_unique<CTrelvaneView>(QuietStartup());
        view_->OnInitialUpdate();
        for (const char* path : {"/v/done.avi", "/v/failed.avi", "/v/left.avi"}) {
            AddRow(*view_, MakeItem(path, 10));
        }
        // The run ends at once with one file done, one failed and one never started.
        SetModalDialogHandler([this](QDialog& dialog) {
            view_->ItemOfRow(0)->status = kDone;
            view_->ItemOfRow(1)->status = kError;
            static_cast<ConvertProgressDialog&>(dialog).CancelAll();
            return static_cast<int>(QDialog::Accepted);
        });
        SetNextMessageAnswer(kAnswerOk);
        SetNextMessageAnswer(kAnswerCancel);  // the DVD run converted a file: a disc is offered
    }
    void TearDown() override {
        QApplication::setActiveWindow(nullptr);
        view_.reset();
        ReplaceNotificationBus(std::move(previous_));
    }

    std::vector<std::pair<QString, QString>> sent_;
    std::unique_ptr<NotificationBus> previous_;
    std::unique_ptr<CTrelvaneView> view_;
};

TEST_F(NotificationTest, SentWithTheCountsWhenTheWindowIsNotActive) {
    QApplication::setActiveWindow(nullptr);
    view_->OnConvert();
    ASSERT_EQ(sent_.size(), 1U);
    EXPECT_EQ(sent_[0].first, QStringLiteral("Conversion is canceled."));
    EXPECT_EQ(sent_[0].second, QStringLiteral("1 converted, 1 skipped, 1 failed."));
    // The closing message of the run is still shown.
    EXPECT_EQ(TakeMessageTexts(),
              (std::vector<std::string>{"Conversion is canceled.",
                                        "Make a DVD disc image from the converted files now?"}));
}

TEST_F(NotificationTest, NotSentWhileTheMainWindowIsActive) {
    view_->show();
    QApplication::setActiveWindow(view_.get());
    ASSERT_EQ(QApplication::activeWindow(), view_.get());
    view_->OnConvert();
    EXPECT_TRUE(sent_.empty());
    EXPECT_EQ(TakeMessageTexts().size(), 2U);
}

}  // namespace
}  // namespace clipwright
