// Opens the preview dialog on a clip as the Preview command does, with video drawn by libmpv's
// render API, chooses a part and saves a picture of the dialog showing a frame.
// Usage: preview_shot OUT.png CLIP [LANGUAGE_ID] (run under a display; scripts/screenshot.sh uses
// Xvfb). With a language id the dialog shows that language, from the library beside the program.
#include <QApplication>
#include <QTimer>
#include <cstdlib>

#include "base/c_locale.h"
#include "platform/mpv_graph.h"
#include "preview/preview_dlg.h"
#include "preview/video_frame.h"
#include "shell/language.h"
#include "shot_palette.h"

namespace {

void WaitForFrames(const clipwright::VideoFrame& frame, int count) {
    while (frame.FramesDrawn() < count) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        return 2;
    }
    QApplication application(argc, argv);
    clipwright::UseCNumericLocale();  // as the program does: libmpv runs only with it
    UseDarkPaletteWhenAsked();
    if (argc == 4 && !clipwright::SetLanguage(static_cast<uint32_t>(std::atoi(argv[3])))) {
        return 1;
    }
    clipwright::SetMediaOutputs({"libmpv", "null"});
    int32_t start = 0;
    int32_t end = 10;  // the whole clip, as a listed item has it
    clipwright::CPreviewDlg dialog(nullptr, argv[2], &start, &end);
    dialog.show();
    QTimer::singleShot(20000, [] { QApplication::exit(1); });  // no picture is an error
    while (!dialog.Player().OpenTried()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    if (!dialog.Player().Opened() || dialog.Frame() == nullptr) {
        return 1;
    }
    WaitForFrames(*dialog.Frame(), 25);
    dialog.OnPause();
    dialog.PositionSlider()->setSliderPosition(2);
    dialog.OnStart();
    dialog.PositionSlider()->setSliderPosition(6);
    dialog.OnEnd();
    const int drawn = dialog.Frame()->FramesDrawn();
    dialog.PositionSlider()->setSliderPosition(4);
    WaitForFrames(*dialog.Frame(), drawn + 1);
    for (int i = 0; i < 5; ++i) {  // the Elapsed Time box and the band settle
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return dialog.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
