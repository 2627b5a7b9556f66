// Real clips, the real encoder and the real view: add, convert to PAL DVD, read the results.
extern "C" {
#include <libavformat/avformat.h>
}

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app_test_support.h"
#include "mainwnd/form_control_ids.h"
#include "platform/launcher.h"
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
    CTrelvaneView view(QuietStartup());
    view.OnInitialUpdate();
    SetNextFolder(QString::fromStdString(dir.path() + "out"));
    view.OnBrowse();
    view.Form().Get<QAbstractButton>(kFirstStandardId + kPal)->click();

    view.AddPaths(clips);
    ASSERT_EQ(view.RowCount(), 3);
    EXPECT_EQ(view.List().Control()->topLevelItem(0)->text(1), "one-cvt.mpg");
    SourceItem* second = view.ItemOfRow(1);
    ASSERT_EQ(second->duration, 2);
    second->selStart = 1;  // a chosen part: the second second only
    second->selEnd = 2;

    // The run ends with its message, then the offers of a report and of a disc, both taken: the
    // real tools make the disc.
    SetNextMessageAnswer(kAnswerOk);
    SetNextMessageAnswer(kAnswerOk);  // the report, please
    SetNextMessageAnswer(kAnswerOk);  // and the disc
    SetNextMessageAnswer(kAnswerOk);  // the disc is ready
    SetNextFolder(QString::fromStdString(dir.path() + "disc"));
    std::vector<QStringList> opened;
    SetLaunchHandler([&](const QString&, const QStringList& arguments) {
        opened.push_back(arguments);
        return true;
    });
    view.OnConvert();
    SetLaunchHandler({});
    EXPECT_EQ(TakeMessageTexts(),
              (std::vector<std::string>{"Conversion is completed.",
                                        "Write a report of this run (CSV and JSON) into the output "
                                        "folder and open it?",
                                        "Make a DVD disc image from the converted files now?",
                                        "The disc is ready:\n" + dir.path() + "disc/disc.iso"}));
    // The report lists each file with its part, output and size; the desktop opens it.
    const std::string report = dir.path() + "out/clipwright-report.csv";
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].back().toStdString(), report);
    const std::string csv = TestFolder::Read(report);
    EXPECT_EQ(csv.substr(0, csv.find('\r')),
              "source,output,status,part,output_bytes,encode_seconds,speed,reason");
    EXPECT_NE(csv.find("\r\n" + clips[1] + "," + dir.path() + "out/two two-cvt.mpg,Done,1-2,"),
              std::string::npos)
        << csv;
    EXPECT_NE(csv.find("\r\n\"" + dir.path() + "thr\"\"ee.avi\"," + "\"" + dir.path() +
                       "out/thr\"\"ee-cvt.mpg\",Done,0-2,"),
              std::string::npos)
        << csv;
    EXPECT_TRUE(std::filesystem::exists(dir.path() + "out/clipwright-report.json"));
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
    SetNextMessageAnswer(kAnswerCancel);  // no report this time
    SetNextMessageAnswer(kAnswerCancel);  // no disc this time
    view.OnConvert();
    EXPECT_FALSE(std::filesystem::exists(dir.path() + "out/clipwright-report[1].csv"));
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

// A source trelcore cannot read: the failure summary names trelcore's own error line under it.
TEST(EndToEnd, ABrokenSourceShowsTrelcoresReason) {
    ResetShell();
    SetModalDialogHandler({});
    SetEncoderName(TRELCORE);
    const TestFolder dir;
    const std::string broken = dir.Write("broken.avi", std::string(4096, 'z'));
    CTrelvaneView view(QuietStartup());
    view.OnInitialUpdate();
    SetNextFolder(QString::fromStdString(dir.path() + "out"));
    view.OnBrowse();
    SourceItem item = MakeItem(broken, 2);  // listed as if its probe had worked
    AddRow(view, item);
    SetNextMessageAnswer(kAnswerOk);      // the failure summary
    SetNextMessageAnswer(kAnswerOk);      // the closing message
    SetNextMessageAnswer(kAnswerCancel);  // no report
    view.OnConvert();
    EXPECT_EQ(view.ItemOfRow(0)->status, kError);
    const std::vector<std::string> texts = TakeMessageTexts();
    ASSERT_EQ(texts.size(), 3u);
    const std::string under = "\n" + broken + "\n    trelcore: ";
    EXPECT_NE(texts[0].find(under), std::string::npos) << texts[0];
}

// Converting into a file system too small for the output: the question comes first, and when
// the user goes on anyway the failure summary says the disk is full.
TEST(EndToEnd, AFullDiskIsAskedAboutAndNamedAsTheReason) {
    ResetShell();
    SetModalDialogHandler({});
    SetEncoderName(TRELCORE);
    const TestFolder dir;
    const std::string small = dir.path() + "small/";
    // Unmounted however the test ends, after the view is gone.
    const SmallTmpfs disk(small);
    if (disk.WhyNot() != nullptr) {
        GTEST_SKIP() << disk.WhyNot();
    }
    const std::string clip = dir.path() + "long.avi";
    const std::string command = std::string(CLIPGEN) + " '" + clip +
                                "' --duration 20 --size 320x240 --vcodec mpeg4 --acodec mp2";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    {
        CTrelvaneView view(QuietStartup());
        view.OnInitialUpdate();
        SetNextFolder(QString::fromStdString(small));
        view.OnBrowse();
        view.Form().Get<QAbstractButton>(kFirstStandardId + kPal)->click();
        view.AddPaths({clip});
        ASSERT_EQ(view.RowCount(), 1);
        SetNextMessageAnswer(kAnswerOk);      // convert anyway
        SetNextMessageAnswer(kAnswerOk);      // the failure summary
        SetNextMessageAnswer(kAnswerOk);      // the closing message
        SetNextMessageAnswer(kAnswerCancel);  // no report
        view.OnConvert();
        EXPECT_EQ(view.ItemOfRow(0)->status, kError);
        const std::vector<std::string> texts = TakeMessageTexts();
        ASSERT_EQ(texts.size(), 4u);
        EXPECT_NE(texts[0].find("is free in " + small), std::string::npos) << texts[0];
        EXPECT_NE(texts[1].find("\n" + clip + "\n    The disk of the output folder is full."),
                  std::string::npos)
            << texts[1];
    }
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
    CTrelvaneView view(QuietStartup());
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
    SetNextMessageAnswer(kAnswerCancel);  // no report
    SetNextMessageAnswer(kAnswerCancel);  // the disc offered after the run
    view.OnConvert();
    ASSERT_EQ(view.ItemOfRow(0)->status, kDone);
    EXPECT_NEAR(ReadFacts(OutputPath(*view.ItemOfRow(0))).seconds, 5.0, 0.2);
}

}  // namespace
}  // namespace clipwright
