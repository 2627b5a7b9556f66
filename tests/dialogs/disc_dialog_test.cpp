// The disc progress dialog offscreen: it ends when its job returns, never before, and Cancel,
// Esc and the close box only ask the job to stop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <atomic>
#include <thread>

#include "dialogs/disc_dialog.h"

namespace clipwright {
namespace {

// A job that shows the first authoring step and holds on until it is asked to stop; the stop
// it saw is recorded so the test can tell the dialog waited for it.
struct HeldJob {
    std::atomic<bool> running{false};
    std::atomic<bool> sawStop{false};
    void operator()(DiscProgress& progress) {
        progress.steps.store(2);
        progress.tool.store(static_cast<int>(DiscTool::kDvdauthor));
        progress.percent.store(40);
        progress.step.store(1);
        running.store(true);
        while (!progress.abortRequested.load()) {
            std::this_thread::yield();
        }
        sawStop.store(true);
    }
};

TEST(DiscDialogTest, AJobThatEndsClosesTheDialogAccepted) {
    DiscDialog dialog(nullptr, [](DiscProgress& progress) { progress.percent.store(100); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_FALSE(dialog.CancelRequested());
    EXPECT_EQ(qobject_cast<QProgressBar*>(dialog.Control(kDiscBarControl))->value(), 100);
    EXPECT_EQ(qobject_cast<QLabel*>(dialog.Control(kDiscTextControl))->text(),
              "Checking the converted files...");
}

TEST(DiscDialogTest, CancelWaitsForTheJobToStop) {
    HeldJob job;
    DiscDialog dialog(nullptr, [&job](DiscProgress& progress) { job(progress); });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &dialog, [&] {
        if (job.running.load() && !dialog.CancelRequested()) {
            qobject_cast<QPushButton*>(dialog.Control(kDiscCancelControl))->click();
        }
    });
    poll.start(10);
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_TRUE(job.sawStop.load());  // exec() returned only after the job had seen the stop
    EXPECT_TRUE(dialog.CancelRequested());
    EXPECT_EQ(qobject_cast<QLabel*>(dialog.Control(kDiscTextControl))->text(),
              "Making the disc, step 1 of 2: dvdauthor...");
    EXPECT_FALSE(dialog.Control(kDiscCancelControl)->isEnabled());
}

TEST(DiscDialogTest, EscAndTheCloseBoxOnlyAskTheJobToStop) {
    HeldJob job;
    DiscDialog dialog(nullptr, [&job](DiscProgress& progress) { job(progress); });
    bool stillOpenAfterClose = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &dialog, [&] {
        if (!job.running.load() || dialog.CancelRequested()) {
            return;
        }
        dialog.reject();  // what Esc does
        const bool openAfterEsc = dialog.isVisible();
        QCloseEvent close;
        QApplication::sendEvent(&dialog, &close);
        stillOpenAfterClose = openAfterEsc && !close.isAccepted() && dialog.isVisible();
    });
    poll.start(10);
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_TRUE(stillOpenAfterClose);
    EXPECT_TRUE(job.sawStop.load());
}

}  // namespace
}  // namespace clipwright
