// The conversion progress dialog offscreen, running the real worker against a list served on
// the user-interface thread and the fake encoder (whose source path is its script). Every box is
// answered from the message seam.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <filesystem>
#include <utility>

#include "dialogs/convert_progress_dialog.h"
#include "engine/child_io.h"
#include "engine/command_line.h"
#include "engine/encoder_run.h"
#include "test_folder.h"
#include "ui/message_box.h"
#include "ui/percent_bar.h"
#include "ui_thread_rows.h"
#include "when_file_exists.h"

namespace clipwright {
namespace {

using testing::TestFolder;
using testing::UiThreadRows;
using testing::WhenFileExists;
using Texts = std::vector<std::string>;

const std::string kCompleted = "Conversion is completed.";
const std::string kCanceled = "Conversion is canceled.";

class ConvertProgressDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetEncoderName(FAKE_ENCODER);
        ui_.settings.outputType = kTypeDvd;
        ui_.settings.tvStandard = kPal;
        ui_.settings.outputFolder = dir_.path() + "out/";
        TakeMessageTexts();
    }
    void TearDown() override {
        SetEncoderName(kEncoderName);
        EXPECT_FALSE(HasPendingMessageAnswers());
        while (HasPendingMessageAnswers()) {  // keep a failure from leaking into the next test
            ShowMessageBox(nullptr, "", MessageButtons::kOk, MessageIcon::kInformation);
        }
    }

    // A row whose source is a fake-encoder script with a 0..20 s part.
    void AddClip(const std::string& name, const std::string& script) {
        SourceItem item;
        SetSourcePath(item, dir_.Write(name + ".txt", script));
        item.duration = 20;
        item.selEnd = 20;
        ui_.AddRow(item);
    }
    // Three rows; the second announces its start in started_ and then stays silent.
    void AddThreeWithSilentSecond(const std::string& first = "media 20\n",
                                  const std::string& silence = "") {
        AddClip("a", first);
        AddClip("b", "dumpargs " + started_ + "\n" + silence + "sleep 60000\n");
        AddClip("c", "media 20\n");
    }
    std::vector<int32_t> Statuses() {
        std::vector<int32_t> statuses;
        for (int row = 0; row < ui_.RowCount(); ++row) {
            statuses.push_back(ui_.ItemOfRow(row)->status);
        }
        return statuses;
    }
    static void Answer(int answer, int times = 1) {
        for (int i = 0; i < times; ++i) {
            SetNextMessageAnswer(answer);
        }
    }
    static void ClickButton(ConvertProgressDialog& dialog, int controlId) {
        qobject_cast<QPushButton*>(dialog.Control(controlId))->click();
    }
    static int BarPos(ConvertProgressDialog& dialog, int controlId) {
        return dynamic_cast<CPercentBar*>(dialog.Control(controlId))->GetPos();
    }
    static std::string LabelText(ConvertProgressDialog& dialog, int controlId) {
        return qobject_cast<QLabel*>(dialog.Control(controlId))->text().toStdString();
    }

    TestFolder dir_;
    const std::string started_ = dir_.path() + "started";
    UiThreadRows ui_;
    EncoderRun run_;
};

TEST_F(ConvertProgressDialogTest, ProgressFiguresFollowTheSharedState) {
    ConvertProgressDialog dialog(nullptr, ui_, run_);
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Convert Video to VCD/DVD/SVCD/...");
    ConversionShared& shared = dialog.Shared();
    shared.fileCount = 4;
    dialog.UpdateProgress();  // before the first file: no negative overall, no size yet
    EXPECT_EQ(BarPos(dialog, kOverallBarControl), 0);
    EXPECT_EQ(LabelText(dialog, kSizeTextControl), "");

    shared.currentIndex = 1;
    run_.percent = 50;
    {
        const std::lock_guard lock(shared.stateLock);
        shared.currentTarget = dir_.Write("out.mpg", std::string(1536000, 'v'));
        shared.stepText = "Step 2/4";
    }
    dialog.UpdateProgress();
    EXPECT_EQ(BarPos(dialog, kCurrentBarControl), 50);
    EXPECT_EQ(BarPos(dialog, kOverallBarControl), 37);
    EXPECT_EQ(LabelText(dialog, kSizeTextControl), "1500K");
    EXPECT_EQ(LabelText(dialog, kStepTextControl), "Step 2/4");

    // A target not written yet keeps the last size; a percentage past 100 is shown as 100.
    shared.currentIndex = 3;
    run_.percent = 140;
    {
        const std::lock_guard lock(shared.stateLock);
        shared.currentTarget = dir_.path() + "not-yet.mpg";
    }
    dialog.UpdateProgress();
    EXPECT_EQ(BarPos(dialog, kCurrentBarControl), 100);
    EXPECT_EQ(BarPos(dialog, kOverallBarControl), 100);
    EXPECT_EQ(LabelText(dialog, kSizeTextControl), "1500K");

    // The encoder's own count goes first: the output keeps its empty, reserved name until it
    // is finished, so the size on disk would stand still at 0.
    {
        const std::lock_guard lock(shared.stateLock);
        shared.currentTarget = dir_.Write("reserved.mpg", "");
    }
    run_.outputKb = 2048;
    dialog.UpdateProgress();
    EXPECT_EQ(LabelText(dialog, kSizeTextControl), "2048K");
}

std::atomic<uint32_t> gFakeTick{0};
uint32_t FakeTick() {
    return gFakeTick.load();
}

// The time left for the whole run shows under the overall bar once a few seconds are measured,
// from the counters the worker keeps, and goes again when the run is over.
TEST_F(ConvertProgressDialogTest, TheTimeLeftShowsOnceMeasured) {
    SetTickSource(&FakeTick);
    ConvertProgressDialog dialog(nullptr, ui_, run_);
    dialog.show();
    const QLabel* label = qobject_cast<QLabel*>(dialog.Control(kTimeLeftControl));
    ASSERT_NE(label, nullptr);
    ConversionShared& shared = dialog.Shared();
    shared.fileCount = 3;
    gFakeTick = 1000;
    shared.startTick = 1000;
    shared.pendingMediaMs = 60000;  // 10, 20 and 30 s
    shared.measuring = true;
    gFakeTick = 3000;
    run_.mediaMs = 4000;
    dialog.UpdateProgress();
    EXPECT_FALSE(label->isVisible());  // two seconds say too little
    // The first file (10 s) took 5 s: twice real time, 50 media seconds left.
    gFakeTick = 6000;
    run_.mediaMs = 0;
    shared.finishedMediaMs = 10000;
    shared.pendingMediaMs = 50000;
    dialog.UpdateProgress();
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->text().toStdString(), "Speed 2.0x, about 00:00:25 left for all files");
    shared.measuring = false;
    dialog.UpdateProgress();
    EXPECT_FALSE(label->isVisible());
    SetTickSource(nullptr);
}

TEST_F(ConvertProgressDialogTest, AFullRunClosesItselfWithTheCompletedMessage) {
    for (const char* name : {"a", "b", "c"}) {
        AddClip(name, "media 20\nprogress 3 5 7\n");
    }
    Answer(kAnswerOk);
    ConvertProgressDialog dialog(nullptr, ui_, run_);
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);  // ended by the worker's own post
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(TakeMessageTexts(), Texts{kCompleted});
    EXPECT_EQ(Statuses(), (std::vector<int32_t>{kDone, kDone, kDone}));
    EXPECT_TRUE(std::filesystem::exists(dir_.path() + "out/c-cvt.mpg"));
    // A Cancel All arriving after the run was handled does nothing.
    dialog.CancelAll();
    EXPECT_TRUE(TakeMessageTexts().empty());
    EXPECT_EQ(Statuses(), (std::vector<int32_t>{kDone, kDone, kDone}));
}

TEST_F(ConvertProgressDialogTest, CancelAllDuringTheSecondFileSkipsTheRest) {
    AddThreeWithSilentSecond();
    Answer(kAnswerOk);
    ConvertProgressDialog dialog(nullptr, ui_, run_);
    WhenFileExists(&dialog, started_, [&] { ClickButton(dialog, kCancelAllControl); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(Statuses(), (std::vector<int32_t>{kDone, kSkip, kSkip}));
    EXPECT_EQ(TakeMessageTexts(), Texts{kCanceled});
    EXPECT_FALSE(dialog.Shared().completed);
    EXPECT_FALSE(std::filesystem::exists(dir_.path() + "out/c-cvt.mpg"));
}

TEST_F(ConvertProgressDialogTest, TheWaitServesTheWorkerAndIgnoresASecondCancel) {
    // The first file fails, so the worker shows its summary while Cancel All waits for it; the
    // second encoder ignores the polite stop, which keeps the worker busy during the wait.
    AddThreeWithSilentSecond("media 20\nexit 2\n", "ignore_term\n");
    Answer(kAnswerOk, 2);
    ConvertProgressDialog dialog(nullptr, ui_, run_);
    bool visibleDuringWait = false;
    WhenFileExists(&dialog, started_, [&] {
        QTimer::singleShot(0, &dialog, [&] {
            visibleDuringWait = dialog.isVisible();
            ClickButton(dialog, kCancelAllControl);
            dialog.close();  // no question once the cancel is under way
        });
        ClickButton(dialog, kCancelAllControl);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_TRUE(visibleDuringWait);
    const Texts texts = TakeMessageTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].rfind("Unknown file format", 0), 0u);
    EXPECT_NE(texts[0].find(dir_.path() + "a.txt"), std::string::npos);
    EXPECT_EQ(texts[1], kCanceled);
    EXPECT_EQ(Statuses(), (std::vector<int32_t>{kError, kSkip, kSkip}));
}

TEST_F(ConvertProgressDialogTest, EscIsSwallowedAndTheCloseBoxAsksFirst) {
    AddThreeWithSilentSecond();
    ConvertProgressDialog dialog(nullptr, ui_, run_);
    bool stillOpen = false;
    Texts askedBeforeOk;
    WhenFileExists(&dialog, started_, [&] {
        QTest::keyClick(&dialog, Qt::Key_Escape);
        Answer(kAnswerCancel);
        dialog.close();
        stillOpen = dialog.isVisible() && !dialog.Shared().cancelAll;
        askedBeforeOk = TakeMessageTexts();
        Answer(kAnswerOk, 2);  // the question, then the closing message
        dialog.close();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(askedBeforeOk, Texts{"Are you sure to cancel all convert tasks?"});
    EXPECT_EQ(TakeMessageTexts(), (Texts{"Are you sure to cancel all convert tasks?", kCanceled}));
    EXPECT_EQ(Statuses(), (std::vector<int32_t>{kDone, kSkip, kSkip}));
}

TEST_F(ConvertProgressDialogTest, SkipPressedJustBeforeTheEncoderStartsStillStopsIt) {
    // Were the stop lost, the second encoder would run to its end and fail with status 3.
    AddClip("a", "media 20\n");
    AddClip("b", "sleep 30000\nexit 3\n");
    AddClip("c", "media 20\n");
    Answer(kAnswerOk);
    ConvertProgressDialog dialog(nullptr, ui_, run_);
    ui_.onRefresh = [&](int row, const SourceItem& item) {
        if (row == 1 && item.status == kDoing) {
            ClickButton(dialog, kSkipCurrentControl);
        }
    };
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(Statuses(), (std::vector<int32_t>{kDone, kSkip, kDone}));
    EXPECT_EQ(TakeMessageTexts(), Texts{kCompleted});
}

// Shows real message boxes while it lives, instead of failing the test on an unqueued one.
class RealMessageBoxes {
public:
    RealMessageBoxes() : saved_(SetUnansweredMessageHandler({})) {}
    ~RealMessageBoxes() { SetUnansweredMessageHandler(std::move(saved_)); }
    RealMessageBoxes(const RealMessageBoxes&) = delete;
    RealMessageBoxes& operator=(const RealMessageBoxes&) = delete;

private:
    UnansweredMessageHandler saved_;
};

// The close box asks whether to cancel; when the run ends while that question is open, the
// question goes with the run instead of staying on screen over nothing.
TEST_F(ConvertProgressDialogTest, AQuestionOpenWhenTheRunEndsGoesWithIt) {
    const RealMessageBoxes real;  // the poll below answers them
    AddClip("a", "dumpargs " + started_ + "\nsleep 300\nmedia 20\n");
    ConvertProgressDialog dialog(nullptr, ui_, run_);
    bool asked = false;
    int questionsOpenAtTheEnd = -1;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!asked && std::filesystem::exists(started_)) {
            asked = true;
            // Asks, and waits for an answer that never comes; queued, so this poll goes on.
            QMetaObject::invokeMethod(
                &dialog, [&] { dialog.close(); }, Qt::QueuedConnection);
            return;
        }
        std::vector<QMessageBox*> open;
        QMessageBox* completed = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(window);
            if (box == nullptr || !box->isVisible()) {
                continue;
            }
            (box->text().toStdString() == kCompleted ? completed : open.emplace_back()) = box;
        }
        if (completed != nullptr) {
            questionsOpenAtTheEnd = static_cast<int>(open.size());
            completed->accept();
            for (QMessageBox* left : open) {
                left->reject();  // so a failing run still ends
            }
        }
    });
    poll.start(5);
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    poll.stop();
    EXPECT_TRUE(asked);
    EXPECT_EQ(questionsOpenAtTheEnd, 0);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(qobject_cast<QMessageBox*>(window) != nullptr && window->isVisible());
    }
    EXPECT_EQ(TakeMessageTexts(), (Texts{"Are you sure to cancel all convert tasks?", kCompleted}));
}

}  // namespace
}  // namespace clipwright
