// The detecting dialog offscreen, probing with the fake encoder (whose source path is its
// script) into a list served on the user-interface thread.
#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QTest>

#include "dialogs/detect_dialog.h"
#include "engine/command_line.h"
#include "test_folder.h"
#include "ui/message_box.h"
#include "ui_thread_rows.h"

namespace clipwright {
namespace {

using testing::TestFolder;
using testing::UiThreadRows;

constexpr const char* kProbeText =
    "print   Duration: 00:00:20.00, start: 0.000000, bitrate: 500 kb/s\\n"
    "    Stream #0.0: Video: mpeg4, yuv420p, 320x240, 25 fps\\n\n";

class DetectDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetEncoderName(FAKE_ENCODER);
        ui_.settings.outputType = kTypeDvd;
        ui_.settings.outputFolder = dir_.path() + "out/";
        TakeMessageTexts();
    }
    void TearDown() override {
        SetEncoderName(kEncoderName);
        EXPECT_FALSE(HasPendingMessageAnswers());
    }
    std::string Clip(const std::string& name) { return dir_.Write(name + ".avi", kProbeText); }

    TestFolder dir_;
    UiThreadRows ui_;
};

TEST_F(DetectDialogTest, FourFilesWithTheThirdUnreadable) {
    const std::vector<std::string> paths = {Clip("one"), Clip("two"), dir_.path() + "gone.avi",
                                            Clip("four")};
    SetNextMessageAnswer(kAnswerOk);
    DetectDialog dialog(nullptr, ui_, paths);
    std::vector<int> positions;
    auto* bar = qobject_cast<QProgressBar*>(dialog.Control(kDetectBarControl));
    QObject::connect(bar, &QProgressBar::valueChanged,
                     [&](int value) { positions.push_back(value); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);  // ended by the worker's close request
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(positions, (std::vector<int>{25, 50, 75, 100}));
    ASSERT_EQ(ui_.RowCount(), 3);
    EXPECT_EQ(ui_.ItemOfRow(1)->sourcePath, paths[1]);
    EXPECT_EQ(ui_.ItemOfRow(2)->sourcePath, paths[3]);
    EXPECT_EQ(TargetName(*ui_.ItemOfRow(2)), "four-cvt.mpg");
    const std::vector<std::string> texts = TakeMessageTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].rfind("Can't playback the following files.\r\n\n" + paths[2] +
                                 "\n    the encoder program found no length in it and gave no "
                                 "reason\r\n\r\nPlease note the following reasons:",
                             0),
              0u)
        << texts[0];
    EXPECT_EQ(qobject_cast<QLabel*>(dialog.Control(kDetectTextControl))->text().toStdString(),
              "Detecting selected files.\nNo.4/4: \"" + paths[3] + "\"");
}

TEST_F(DetectDialogTest, EscAndTheCloseBoxDoNothingWhileProbing) {
    DetectDialog dialog(nullptr, ui_, {Clip("one"), Clip("two")});
    std::vector<bool> openAfterEscAndClose;
    // A row refresh is a blocking call of the worker, so it is surely still running here.
    ui_.onRefresh = [&](int, const SourceItem&) {
        QTest::keyClick(&dialog, Qt::Key_Escape);
        dialog.close();
        openAfterEscAndClose.push_back(dialog.isVisible() && dialog.result() == 0);
    };
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(openAfterEscAndClose, (std::vector<bool>{true, true}));
    EXPECT_EQ(ui_.RowCount(), 2);
}

}  // namespace
}  // namespace clipwright
