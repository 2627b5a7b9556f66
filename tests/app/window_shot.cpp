// Starts Clipwright as a user would, waits until the window is on screen, and saves pictures of
// it: the main window, the help tips and the conversion progress dialog with long paths.
// Usage: window_shot MAIN.png [TIPS.png PROGRESS.png [ABOUT.png [DISC.png [FOLDER]]]] (run under a
// display; scripts/screenshot.sh uses Xvfb). With FOLDER, the Add dialog and a question box are
// saved there too (add.png, question.png); with CLIPWRIGHT_SHOT_CLIP naming a media file, it is
// added first, so the main window shows a row and the information pane.
#include <QApplication>
#include <QFileInfo>
#include <QScreen>
#include <QTimer>
#include <cstdlib>
#include <thread>

#include "base/string_ids.h"
#include "dialogs/about_dialog.h"
#include "dialogs/convert_progress_dialog.h"
#include "dialogs/disc_dialog.h"
#include "dialogs/help_tips_dialog.h"
#include "engine/child_io.h"
#include "engine/encoder_run.h"
#include "mainwnd/trelvane_view.h"
#include "shell/main_frame.h"
#include "shell/trelvane_app.h"
#include "shot_palette.h"
#include "support/resource_strings.h"
#include "ui/message_box.h"

namespace {

bool SaveAbout(const QString& out) {
    clipwright::CAboutDialog about(nullptr);
    about.show();
    QApplication::processEvents();
    return about.grab().save(out);
}

bool SaveTips(const QString& out) {
    clipwright::CHelpTipsDialog tips(nullptr);
    tips.show();
    QApplication::processEvents();
    return tips.grab().save(out);
}

// The dialog is shown without its worker: only what a long step text looks like matters here.
bool SaveProgress(clipwright::CMainFrame& frame, const QString& out) {
    clipwright::EncoderRun run;
    clipwright::CTrelvaneView* view = frame.View();
    clipwright::ConvertProgressDialog dialog(&frame, *view, run);
    clipwright::ConversionShared& shared = dialog.Shared();
    {
        const std::lock_guard lock(shared.stateLock);
        // Through the catalog, so the picture is in the window's language.
        shared.stepText = clipwright::LoadResourceString(
            clipwright::kIdsConvertStep, 2, 3,
            "/home/ann/Videos/Holidays 2025/Summer at the lake/"
            "Day three - the long walk around the north shore.mp4",
            "/home/ann/ConvertedMedia/Day three - the long walk around the north shore-cvt.mpg");
    }
    run.percent = 40;
    // Eight seconds into the run, a 20 s file done and 6 s of the next: the time-left line shows.
    shared.fileCount = 3;
    shared.currentIndex = 1;
    shared.startTick = clipwright::CurrentTick() - 8000;
    shared.finishedMediaMs = 20000;
    shared.pendingMediaMs = 600000;
    run.mediaMs = 6000;
    shared.measuring = true;
    dialog.UpdateProgress();
    return dialog.grab().save(out);
}

// The disc dialog in its first tool's step; the job holds there until the picture is taken.
bool SaveDisc(clipwright::CMainFrame& frame, const QString& out) {
    clipwright::DiscDialog dialog(&frame, [](clipwright::DiscProgress& progress) {
        progress.steps = 2;
        progress.step = 1;
        progress.tool = static_cast<int>(clipwright::DiscTool::kDvdauthor);
        progress.percent = 40;
        while (!progress.abortRequested.load()) {
            std::this_thread::yield();
        }
    });
    QTimer::singleShot(400, &dialog, [&dialog, &out] {
        dialog.grab().save(out);
        dialog.Cancel();
    });
    dialog.exec();
    return QFileInfo::exists(out);
}

// The modal window that opens next is saved and closed; the caller then opens it.
void SaveNextModal(const QString& out, bool& saved) {
    QTimer::singleShot(700, [out, &saved] {
        QWidget* modal = QApplication::activeModalWidget();
        saved = modal != nullptr && modal->grab().save(out);
        if (modal != nullptr) {
            modal->close();
        }
    });
}

bool SaveExtras(clipwright::CMainFrame& frame, const QString& folder) {
    bool add = false;
    SaveNextModal(folder + QStringLiteral("/add.png"), add);
    frame.RunCommand(clipwright::kCmdAdd);
    bool question = false;
    SaveNextModal(folder + QStringLiteral("/question.png"), question);
    clipwright::ShowMessageBox(
        &frame, clipwright::LoadResourceString(clipwright::kIdsConfirmCancelAll),
        clipwright::MessageButtons::kOkCancel, clipwright::MessageIcon::kQuestion);
    return add && question;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4 && argc != 5 && argc != 6 && argc != 7) {
        return 2;
    }
    QApplication application(argc, argv);
    UseDarkPaletteWhenAsked();
    clipwright::CTrelvaneApp app;
    if (!app.InitInstance()) {
        return 1;
    }
    const char* clip = std::getenv("CLIPWRIGHT_SHOT_CLIP");
    if (clip != nullptr && *clip != '\0') {
        app.OpenFilesWhenShown({clip});
    }
    QTimer::singleShot(clip != nullptr ? 4000 : 1500, [&] {
        bool saved = app.Frame()->grab().save(QString::fromLocal8Bit(argv[1]));
        if (argc == 7) {
            saved = SaveExtras(*app.Frame(), QString::fromLocal8Bit(argv[6])) && saved;
        }
        if (argc >= 6) {
            saved = SaveDisc(*app.Frame(), QString::fromLocal8Bit(argv[5])) && saved;
        }
        if (argc >= 5) {
            saved = SaveAbout(QString::fromLocal8Bit(argv[4])) && saved;
        }
        if (argc >= 4) {
            saved = SaveTips(QString::fromLocal8Bit(argv[2])) && saved;
            saved = SaveProgress(*app.Frame(), QString::fromLocal8Bit(argv[3])) && saved;
        }
        QApplication::exit(saved ? 0 : 1);
    });
    return QApplication::exec();
}
