// Real clips, the real encoder and the real view: add, convert to PAL DVD, read the results.
extern "C" {
#include <libavformat/avformat.h>
}

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <cstdlib>
#include <filesystem>

#include "app_test_support.h"
#include "platform/mpv_graph.h"
#include "preview/preview_dlg.h"
#include "test_folder.h"
#include "ui/file_dialogs.h"

namespace clipwright {
namespace {

using namespace testing;

struct MediaFacts {
    std::string format;
    AVCodecID video = AV_CODEC_ID_NONE;
    int width = 0;
    int height = 0;
    double fps = 0;
    double seconds = 0;
};

MediaFacts ReadFacts(const std::string& path) {
    MediaFacts facts;
    AVFormatContext* context = nullptr;
    if (avformat_open_input(&context, path.c_str(), nullptr, nullptr) != 0) {
        return facts;
    }
    if (avformat_find_stream_info(context, nullptr) >= 0) {
        facts.format = context->iformat->name;
        facts.seconds =
            context->duration > 0 ? static_cast<double>(context->duration) / AV_TIME_BASE : 0;
        for (unsigned i = 0; i < context->nb_streams; ++i) {
            const AVStream* stream = context->streams[i];
            if (stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO) {
                facts.video = stream->codecpar->codec_id;
                facts.width = stream->codecpar->width;
                facts.height = stream->codecpar->height;
                facts.fps = av_q2d(stream->avg_frame_rate);
            }
        }
    }
    avformat_close_input(&context);
    return facts;
}

TEST(EndToEnd, AddThreeClipsAndConvertThemToPalDvd) {
    ResetShell();
    SetModalDialogHandler({});  // the real dialogs, closed by their workers
    SetEncoderName(TRELCORE);
    const TestFolder dir;
    std::vector<std::string> clips;
    for (const char* name : {"one", "two two", "thr\"ee"}) {
        const std::string clip = dir.path() + name + ".avi";
        const std::string command = std::string(CLIPGEN) + " '" + clip +
                                    "' --duration 2 --size 320x240 --vcodec mpeg4 --acodec mp2";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        clips.push_back(clip);
    }
    CTrelvaneView view;
    view.OnInitialUpdate();
    SetNextFolder(QString::fromStdString(dir.path() + "out"));
    view.OnBrowse();
    view.Form().Get<QAbstractButton>(1016)->click();  // PAL

    view.AddPaths(clips);
    ASSERT_EQ(view.RowCount(), 3);
    EXPECT_EQ(view.List().Control()->topLevelItem(0)->text(1), "one-cvt.mpg");
    SourceItem* second = view.ItemOfRow(1);
    ASSERT_EQ(second->duration, 2);
    second->selStart = 1;  // a chosen part: the second second only
    second->selEnd = 2;

    // The run ends with its message, then the offer of a disc, taken: the real tools make it.
    SetNextMessageAnswer(kAnswerOk);
    SetNextMessageAnswer(kAnswerOk);
    SetNextMessageAnswer(kAnswerOk);
    SetNextFolder(QString::fromStdString(dir.path() + "disc"));
    view.OnConvert();
    EXPECT_EQ(TakeMessageTexts(),
              (std::vector<std::string>{"Conversion is completed.",
                                        "Make a DVD disc image from the converted files now?",
                                        "The disc is ready:\n" + dir.path() + "disc/disc.iso"}));
    EXPECT_TRUE(std::filesystem::is_regular_file(dir.path() + "disc/VIDEO_TS/VTS_01_1.VOB"));
    // The folder first offered, made so the dialog could show it, was not chosen: it is gone.
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "out/one"));
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(view.ItemOfRow(row)->status, kDone) << row;
        const MediaFacts facts = ReadFacts(OutputPath(*view.ItemOfRow(row)));
        EXPECT_EQ(facts.video, AV_CODEC_ID_MPEG2VIDEO) << row;
        EXPECT_EQ(facts.width, 720);
        EXPECT_EQ(facts.height, 576);
        EXPECT_NEAR(facts.fps, 25.0, 0.01);
        EXPECT_NEAR(facts.seconds, row == 1 ? 1.0 : 2.0, 0.1) << row;
    }
    EXPECT_EQ(view.List().Control()->topLevelItem(2)->text(3), "Done");

    // A second run of the same list never overwrites: new names with "[1]".
    SetNextMessageAnswer(kAnswerOk);
    SetNextMessageAnswer(kAnswerCancel);  // no disc this time
    view.OnConvert();
    EXPECT_EQ(view.ItemOfRow(0)->outputStem, "one-cvt[1]");
    EXPECT_TRUE(std::filesystem::exists(dir.path() + "out/one-cvt.mpg"));
    EXPECT_TRUE(std::filesystem::exists(dir.path() + "out/one-cvt[1].mpg"));
}

// The user picks 4 s to 9 s in the preview (by the slider, paused) and presses OK.
int ChoosePartFourToNine(QDialog& dialog) {
    auto* preview = dynamic_cast<CPreviewDlg*>(&dialog);
    if (preview == nullptr) {
        return dialog.exec();
    }
    while (!preview->Player().OpenTried()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);  // the first tick
    }
    preview->OnPause();
    preview->PositionSlider()->setSliderPosition(4);
    preview->OnStart();
    preview->PositionSlider()->setSliderPosition(9);
    preview->OnEnd();
    preview->OnOk();
    return preview->result();
}

TEST(EndToEnd, ThePartChosenInThePreviewIsWhatIsConverted) {
    ResetShell();
    SetModalDialogHandler({});
    SetEncoderName(TRELCORE);
    SetMediaOutputs({"null", "null"});
    const TestFolder dir;
    const std::string clip = dir.path() + "clip.avi";
    const std::string command = std::string(CLIPGEN) + " '" + clip +
                                "' --duration 12 --size 320x240 --vcodec mpeg4 --acodec mp2";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    CTrelvaneView view;
    view.OnInitialUpdate();
    SetNextFolder(QString::fromStdString(dir.path() + "out"));
    view.OnBrowse();
    view.AddPaths({clip});
    ASSERT_EQ(view.RowCount(), 1);
    view.List().SelectOnlyLast();

    SetModalDialogHandler(&ChoosePartFourToNine);
    view.RunCommand(kCmdPreview);
    EXPECT_EQ(view.List().Control()->topLevelItem(0)->text(2), "00:00:04-00:00:09");
    EXPECT_EQ(view.ItemOfRow(0)->selStart, 4);
    EXPECT_EQ(view.ItemOfRow(0)->selEnd, 9);

    SetModalDialogHandler({});
    SetNextMessageAnswer(kAnswerOk);
    SetNextMessageAnswer(kAnswerCancel);  // the disc offered after the run
    view.OnConvert();
    ASSERT_EQ(view.ItemOfRow(0)->status, kDone);
    EXPECT_NEAR(ReadFacts(OutputPath(*view.ItemOfRow(0))).seconds, 5.0, 0.2);
}

}  // namespace
}  // namespace clipwright
