// The player and the part-selection dialog on libmpv (no video or sound output), on clips made
// at test time.
#include <QTest>
#include <memory>

#include "base/text_format.h"
#include "base/text_log.h"
#include "preview_test_support.h"
#include "test_folder.h"

namespace clipwright {
namespace {

using namespace testing;

constexpr int kDurationBox = 1058;
constexpr int kElapsedBox = 1059;
constexpr int kStartBox = 1056;
constexpr int kEndBox = 1057;

class PreviewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        UseNullOutputs();
        dir_ = std::make_unique<TestFolder>();
        const std::string small = " --size 64x48 --vcodec mpeg4";
        clip59_ =
            MakeClip(dir_->path() + "clip59.avi", "--duration 59 --rate 5 --acodec mp2" + small);
        clip150_ =
            MakeClip(dir_->path() + "clip150.avi", "--duration 150 --rate 2 --acodec none" + small);
    }
    static void TearDownTestSuite() { dir_.reset(); }

    // A dialog on the file, its first tick done.
    std::unique_ptr<CPreviewDlg> Open(const std::string& file) {
        auto dialog = std::make_unique<CPreviewDlg>(nullptr, file, &start_, &end_);
        EXPECT_EQ(ButtonStates(*dialog), "000000");
        EXPECT_TRUE(TickUntil([&] { return dialog->Player().OpenTried(); }));
        return dialog;
    }

    static std::unique_ptr<TestFolder> dir_;
    static std::string clip59_;
    static std::string clip150_;
    int32_t start_ = 0;
    int32_t end_ = 0;
};

std::unique_ptr<TestFolder> PreviewTest::dir_;
std::string PreviewTest::clip59_;
std::string PreviewTest::clip150_;

TEST_F(PreviewTest, OpensPlaysPausesAndStopsWithTheirButtonRows) {
    end_ = 59;
    const auto dialog = Open(clip59_);
    CPreviewPlayer& player = dialog->Player();
    ASSERT_TRUE(player.Opened());
    EXPECT_FALSE(player.NoVideo());
    EXPECT_EQ(BoxText(*dialog, kDurationBox), "00:00:59");
    const SelectionSlider* slider = dialog->PositionSlider();
    EXPECT_EQ(slider->maximum(), 59);
    EXPECT_EQ(slider->singleStep(), 5);
    EXPECT_EQ(slider->tickInterval(), 5);
    EXPECT_EQ(slider->pageStep(), 20);
    EXPECT_EQ(BoxText(*dialog, kStartBox), "00:00:00");
    EXPECT_EQ(BoxText(*dialog, kEndBox), "00:00:59");
    EXPECT_EQ(player.PlayState(), kStateRunning);
    EXPECT_EQ(ButtonStates(*dialog), "011111");

    // The slider and the Elapsed Time box follow playback.
    EXPECT_TRUE(TickUntil([&] {
        return slider->value() >= 1 && BoxText(*dialog, kElapsedBox) == FormatHms(slider->value());
    }));

    dialog->OnPause();
    EXPECT_EQ(player.PlayState(), kStatePaused);
    EXPECT_EQ(ButtonStates(*dialog), "101111");
    dialog->OnStop();
    EXPECT_EQ(player.PlayState(), kStateStopped);
    EXPECT_EQ(ButtonStates(*dialog), "100111");
    EXPECT_EQ(BoxText(*dialog, kElapsedBox), "0");
    EXPECT_EQ(slider->value(), 0);
    EXPECT_TRUE(TickUntil([&] { return GraphSeconds(*dialog) == 0; }));
    dialog->OnPlay();
    EXPECT_EQ(player.PlayState(), kStateRunning);
    EXPECT_EQ(ButtonStates(*dialog), "011111");
}

// The file opens once the dialog is shown, with no tick in between: only posted calls run here,
// never a timer. Closed at once, it opens nothing more.
TEST_F(PreviewTest, AShownDialogOpensItsFileWithoutWaitingForATick) {
    end_ = 59;
    CPreviewDlg dialog(nullptr, clip59_, &start_, &end_);
    EXPECT_FALSE(dialog.Player().OpenTried());
    dialog.show();
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(dialog.Player().Opened());
    EXPECT_EQ(BoxText(dialog, kDurationBox), "00:00:59");
    dialog.OnOk();

    CPreviewDlg closed(nullptr, clip59_, &start_, &end_);
    closed.show();
    closed.reject();
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(closed.Player().OpenTried());
}

TEST_F(PreviewTest, AnHourLongClipScalesTheSliderInSteps) {
    const auto dialog =
        Open(MakeClip(dir_->path() + "hour.avi",
                      "--duration 3600 --rate 1 --size 32x32 --vcodec mpeg4 --acodec none"));
    EXPECT_EQ(BoxText(*dialog, kDurationBox), "01:00:00");
    EXPECT_EQ(dialog->PositionSlider()->maximum(), 3600);
    EXPECT_EQ(dialog->PositionSlider()->singleStep(), 185);
    EXPECT_EQ(dialog->PositionSlider()->pageStep(), 740);
}

TEST_F(PreviewTest, ReachingTheEndRewindsAndStops) {
    const auto dialog = Open(MakeClip(dir_->path() + "short.avi",
                                      "--duration 1 --rate 5 --size 64x48 --vcodec mpeg4 "
                                      "--acodec mp2"));
    ASSERT_EQ(dialog->Player().PlayState(), kStateRunning);
    EXPECT_TRUE(TickUntil([&] { return dialog->Player().PlayState() == kStateStopped; }));
    EXPECT_EQ(ButtonStates(*dialog), "100111");
    EXPECT_EQ(dialog->PositionSlider()->value(), 0);
    EXPECT_EQ(BoxText(*dialog, kElapsedBox), "00:00:00");  // the tick's own update follows
    EXPECT_TRUE(TickUntil([&] { return GraphSeconds(*dialog) == 0; }));
    dialog->OnPlay();  // and it plays again from the start
    EXPECT_EQ(dialog->Player().PlayState(), kStateRunning);
}

TEST_F(PreviewTest, MovingTheSliderSeeksInEveryStateAndStartTakesThatPosition) {
    end_ = 150;
    const auto dialog = Open(clip150_);
    dialog->OnPause();
    const std::string elapsed = BoxText(*dialog, kElapsedBox);
    MoveSliderTo(*dialog, 30);
    EXPECT_TRUE(TickUntil([&] { return GraphSeconds(*dialog) == 30; }));
    EXPECT_EQ(BoxText(*dialog, kElapsedBox), elapsed);  // paused ticks change nothing
    dialog->OnStart();
    EXPECT_EQ(dialog->PositionSlider()->SelectionStart(), 30);
    EXPECT_EQ(BoxText(*dialog, kStartBox), "00:00:30");

    dialog->OnStop();
    MoveSliderTo(*dialog, 12);
    EXPECT_TRUE(TickUntil([&] { return GraphSeconds(*dialog) == 12; }));
    EXPECT_EQ(dialog->Player().PlayState(), kStateStopped);
    dialog->OnEnd();
    EXPECT_EQ(dialog->PositionSlider()->SelectionStart(), 12);
    EXPECT_EQ(dialog->PositionSlider()->SelectionEnd(), 30);
}

TEST_F(PreviewTest, AnAudioOnlyFilePlaysWithoutVideoAndTakesVolumeAndBalance) {
    const auto dialog =
        Open(MakeClip(dir_->path() + "tone.wav", "--duration 3 --vcodec none --acodec pcm_s16le"));
    ASSERT_TRUE(dialog->Player().Opened());
    EXPECT_TRUE(dialog->Player().NoVideo());
    EXPECT_EQ(dialog->Player().PlayState(), kStateRunning);
    EXPECT_TRUE(TickUntil([&] { return GraphSeconds(*dialog) >= 1; }));

    std::shared_ptr<BasicAudio> audio;
    ASSERT_EQ(QueryInterface(dialog->Player().Graph(), &audio), S_OK);
    dialog->Form().Get<QSlider>(kPreviewVolumeId)->setSliderPosition(-2000);
    dialog->Form().Get<QSlider>(kPreviewBalanceId)->setSliderPosition(5000);
    long volume = 0;
    long balance = 0;
    EXPECT_EQ(audio->get_Volume(&volume), S_OK);
    EXPECT_EQ(audio->get_Balance(&balance), S_OK);
    EXPECT_EQ(volume, -2000);
    EXPECT_EQ(balance, 5000);
    EXPECT_EQ(audio->put_Volume(1), E_INVALIDARG);
}

TEST_F(PreviewTest, AVideoOnlyFileOpensAndPlaysBeforeItsPictureCanBeDrawn) {
    SetMediaOutputs({"libmpv", "null"});  // the dialog is not shown: no render context yet
    const auto dialog = Open(clip150_);
    UseNullOutputs();
    ASSERT_TRUE(dialog->Player().Opened());
    EXPECT_FALSE(dialog->Player().NoVideo());
    EXPECT_EQ(dialog->Player().PlayState(), kStateRunning);
    EXPECT_TRUE(TickUntil([&] { return GraphSeconds(*dialog) >= 1; }));
}

TEST_F(PreviewTest, AFileThatCannotOpenLeavesThePartAndItsButtonsAlone) {
    const TestFolder dir;
    const std::string log = dir.path() + "log.txt";
    SetLogFilePath(log);
    const std::string file = dir.Write("tiny.avi", std::string(50, 'x'));
    start_ = 3;
    end_ = 7;
    const auto dialog = Open(file);
    SetLogFilePath({});
    EXPECT_FALSE(dialog->Player().Opened());
    EXPECT_EQ(ButtonStates(*dialog), "011000");  // the playing row leaves Start, End, Full off
    EXPECT_EQ(BoxText(*dialog, kDurationBox), "");
    EXPECT_EQ(dialog->Player().PlayState(), kStateStopped);
    const std::string text = TestFolder::Read(log);
    EXPECT_NE(text.find("**Error:E_CUS_FILE_SIZE_TOO_LITTLE,size=50\n"), std::string::npos);
    EXPECT_NE(text.find("*** Failed(88880001) in RenderFile(" + file + ")!\r\n"), std::string::npos)
        << text;
    dialog->OnOk();  // nothing was read, so nothing is written back
    EXPECT_EQ(start_, 3);
    EXPECT_EQ(end_, 7);
}

TEST_F(PreviewTest, StartEndAndFullChooseThePartAndOkReturnsIt) {
    end_ = 150;
    const auto dialog = Open(clip150_);
    dialog->OnPause();
    const auto pressAt = [&](int seconds, void (CPreviewDlg::*button)()) {
        MoveSliderTo(*dialog, seconds);
        (dialog.get()->*button)();
        return std::pair(dialog->PositionSlider()->SelectionStart(),
                         dialog->PositionSlider()->SelectionEnd());
    };
    EXPECT_EQ(pressAt(40, &CPreviewDlg::OnStart), std::pair(40, 150));
    EXPECT_EQ(pressAt(90, &CPreviewDlg::OnEnd), std::pair(40, 90));
    EXPECT_EQ(pressAt(120, &CPreviewDlg::OnStart), std::pair(90, 120));
    EXPECT_EQ(BoxText(*dialog, kStartBox), "00:01:30");
    EXPECT_EQ(BoxText(*dialog, kEndBox), "00:02:00");

    QTest::keyClick(dialog.get(), Qt::Key_Escape);  // swallowed: the dialog plays on
    EXPECT_EQ(dialog->result(), 0);
    EXPECT_NE(dialog->Player().Graph(), nullptr);
    EXPECT_EQ(end_, 150);

    dialog->OnOk();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->Player().Graph(), nullptr);
    EXPECT_EQ(start_, 90);
    EXPECT_EQ(end_, 120);

    const auto again = Open(clip150_);
    again->OnFull();
    EXPECT_EQ(again->PositionSlider()->SelectionStart(), 0);
    EXPECT_EQ(again->PositionSlider()->SelectionEnd(), 150);
    again->reject();  // Cancel and the close box write nothing
    EXPECT_EQ(start_, 90);
    EXPECT_EQ(end_, 120);
}

TEST_F(PreviewTest, NoLibmpvCoreOutlivesItsDialog) {
    const std::string clip = MakeClip(dir_->path() + "two.avi",
                                      "--duration 2 --rate 5 --size 64x48 --vcodec mpeg4 "
                                      "--acodec mp2");
    for (int i = 0; i < 50; ++i) {
        const auto dialog = Open(clip);
        ASSERT_TRUE(dialog->Player().Opened());
        EXPECT_EQ(LiveMediaSessions(), 1);
        if (i % 2 == 0) {
            dialog->OnOk();
        } else {
            dialog->reject();
        }
        ASSERT_EQ(LiveMediaSessions(), 0) << i;
    }
    {
        const auto dialog = Open(clip);  // goes without being closed
        EXPECT_EQ(LiveMediaSessions(), 1);
    }
    EXPECT_EQ(LiveMediaSessions(), 0);
}

}  // namespace
}  // namespace clipwright
