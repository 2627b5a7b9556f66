// The computer is kept from suspending while a conversion or a disc is being made: the portal
// first, logind when the portal is not there, and released however the run ends. A fake bus
// stands in for the session and system buses; its logind block is the write end of a pipe, so
// a release that forgets to close it shows at the read end, as logind would see it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <QPushButton>
#include <QTimer>
#include <atomic>
#include <thread>

#include "dialogs/convert_progress_dialog.h"
#include "dialogs/disc_dialog.h"
#include "engine/command_line.h"
#include "engine/encoder_run.h"
#include "platform/sleep_inhibitor.h"
#include "test_folder.h"
#include "ui/message_box.h"
#include "ui_thread_rows.h"
#include "when_file_exists.h"

namespace clipwright {
namespace {

using testing::TestFolder;
using testing::UiThreadRows;
using testing::WhenFileExists;

struct BusRecord {
    bool portalAnswers = true;
    bool logindAnswers = true;
    std::vector<std::string> calls;
    std::optional<QString> portalHeld;  // the request not yet released
    int logindHandedOut = 0;            // blocks given to the inhibitor
    int logindSide = -1;                // the read end: hung up once the block is released

    BusRecord() = default;
    BusRecord(const BusRecord&) = delete;
    BusRecord& operator=(const BusRecord&) = delete;
    ~BusRecord() { CloseLogindSide(); }
    void CloseLogindSide() {
        if (logindSide >= 0) {
            ::close(logindSide);
            logindSide = -1;
        }
    }
    bool LogindHeld() const {
        if (logindSide < 0) {
            return false;
        }
        pollfd side{logindSide, POLLIN, 0};
        return ::poll(&side, 1, 0) == 0;  // no hang-up yet: the write end is still open
    }
    bool Held() const { return portalHeld.has_value() || LogindHeld(); }
};

class FakeInhibitBus : public InhibitBus {
public:
    explicit FakeInhibitBus(BusRecord& record) : record_(record) {}
    std::optional<QString> PortalInhibit(const QString& reason) override {
        record_.calls.push_back("portal " + reason.toStdString());
        if (!record_.portalAnswers) {
            return std::nullopt;
        }
        record_.portalHeld = QStringLiteral("/org/freedesktop/portal/desktop/request/1_1/t");
        return record_.portalHeld;
    }
    void PortalRelease(const QString& request) override {
        record_.calls.push_back("release " + request.toStdString());
        if (record_.portalHeld == request) {
            record_.portalHeld.reset();
        }
    }
    std::optional<int> LogindInhibit(const QString& reason) override {
        record_.calls.push_back("logind " + reason.toStdString());
        if (!record_.logindAnswers) {
            return std::nullopt;
        }
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0) {
            return std::nullopt;
        }
        record_.CloseLogindSide();
        record_.logindSide = ends[0];
        ++record_.logindHandedOut;
        return ends[1];
    }

private:
    BusRecord& record_;
};

class SleepInhibitorTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = ReplaceInhibitBus(std::make_unique<FakeInhibitBus>(bus_));
        TakeMessageTexts();
    }
    void TearDown() override {
        ReplaceInhibitBus(std::move(previous_));
        SetEncoderName(kEncoderName);
        TakeMessageTexts();
    }

    // A disc job that records whether the computer was kept awake while it ran.
    int RunDisc(bool cancel, bool& heldDuringJob) {
        std::atomic<bool> running{false};
        DiscDialog dialog(nullptr, [&](DiscProgress& progress) {
            heldDuringJob = bus_.Held();
            running.store(true);
            while (cancel && !progress.abortRequested.load()) {
                std::this_thread::yield();
            }
        });
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &dialog, [&] {
            if (cancel && running.load() && !dialog.CancelRequested()) {
                qobject_cast<QPushButton*>(dialog.Control(kDiscCancelControl))->click();
            }
        });
        poll.start(10);
        return dialog.exec();
    }

    BusRecord bus_;
    std::unique_ptr<InhibitBus> previous_;
};

TEST_F(SleepInhibitorTest, ADiscRunHoldsThePortalAndReleasesItWhenDoneOrCancelled) {
    for (const bool cancel : {false, true}) {
        SCOPED_TRACE(cancel ? "cancelled" : "done");
        bus_.calls.clear();
        bool held = false;
        EXPECT_EQ(RunDisc(cancel, held), cancel ? QDialog::Rejected : QDialog::Accepted);
        EXPECT_TRUE(held);
        EXPECT_FALSE(bus_.Held());
        EXPECT_EQ(bus_.calls, (std::vector<std::string>{
                                  "portal Making a disc image",
                                  "release /org/freedesktop/portal/desktop/request/1_1/t"}));
    }
}

TEST_F(SleepInhibitorTest, WithoutThePortalLogindHoldsTheBlockAndWithNeitherTheRunGoesOn) {
    bus_.portalAnswers = false;
    bool held = false;
    EXPECT_EQ(RunDisc(false, held), QDialog::Accepted);
    EXPECT_TRUE(held);
    EXPECT_EQ(bus_.logindHandedOut, 1);
    EXPECT_FALSE(bus_.LogindHeld());  // the descriptor was closed
    EXPECT_EQ(bus_.calls, (std::vector<std::string>{"portal Making a disc image",
                                                    "logind Making a disc image"}));

    bus_.logindAnswers = false;
    bus_.CloseLogindSide();
    bus_.calls.clear();
    EXPECT_EQ(RunDisc(false, held), QDialog::Accepted);
    EXPECT_FALSE(held);
    EXPECT_EQ(bus_.calls.size(), 2u);
}

// A conversion holds the portal from its first file on, through a failing file, and lets go
// when Cancel All ends the run.
TEST_F(SleepInhibitorTest, AConversionHoldsItThroughAFailureUntilCancelled) {
    const TestFolder dir;
    const std::string started = dir.path() + "started";
    UiThreadRows ui;
    ui.settings.outputType = kTypeDvd;
    ui.settings.tvStandard = kPal;
    ui.settings.outputFolder = dir.path() + "out/";
    SetEncoderName(FAKE_ENCODER);
    const auto addClip = [&](const std::string& name, const std::string& script) {
        SourceItem item;
        SetSourcePath(item, dir.Write(name + ".txt", script));
        item.duration = 20;
        item.selEnd = 20;
        ui.AddRow(item);
    };
    addClip("a", "media 20\nexit 2\n");
    addClip("b", "dumpargs " + started + "\nsleep 60000\n");
    SetNextMessageAnswer(kAnswerOk);  // the failure summary
    SetNextMessageAnswer(kAnswerOk);  // the closing message
    EncoderRun run;
    ConvertProgressDialog dialog(nullptr, ui, run);
    bool heldDuringSecond = false;
    WhenFileExists(&dialog, started, [&] {
        heldDuringSecond = bus_.Held();
        dialog.CancelAll();
    });
    dialog.exec();
    EXPECT_TRUE(heldDuringSecond);
    EXPECT_FALSE(bus_.Held());
    EXPECT_EQ(bus_.calls,
              (std::vector<std::string>{"portal Converting media files",
                                        "release /org/freedesktop/portal/desktop/request/1_1/t"}));
}

}  // namespace
}  // namespace clipwright
