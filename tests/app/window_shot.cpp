// Starts Clipwright as a user would, waits until the window is on screen, and saves a picture
// of it. Usage: window_shot OUT.png (run under a display; scripts/screenshot.sh uses Xvfb).
#include <QApplication>
#include <QScreen>
#include <QTimer>

#include "shell/main_frame.h"
#include "shell/trelvane_app.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    QApplication application(argc, argv);
    clipwright::CTrelvaneApp app;
    if (!app.InitInstance()) {
        return 1;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QTimer::singleShot(1500, [&] {
        const bool saved = app.Frame()->grab().save(out);
        QApplication::exit(saved ? 0 : 1);
    });
    return QApplication::exec();
}
