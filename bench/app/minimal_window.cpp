// The baseline of bench_startup: the least a Qt Widgets program does to show a window. A
// QMainWindow with a label; with CLIPWRIGHT_STARTUP_REPORT set it reports its first expose
// (queued after the first paint, as clipwright does) and stays up until it is ended.
#include <time.h>

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMainWindow>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

namespace {

class ExposeReport : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto* window = qobject_cast<QWindow*>(watched);
        if (event->type() != QEvent::Expose || window == nullptr || !window->isExposed()) {
            return false;
        }
        watched->removeEventFilter(this);
        QMetaObject::invokeMethod(
            this, [] { Report(); }, Qt::QueuedConnection);
        return false;
    }

private:
    static void Report() {
        const char* const wanted = std::getenv("CLIPWRIGHT_STARTUP_REPORT");
        if (wanted == nullptr || wanted[0] == '\0') {
            return;
        }
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        std::printf("exposed %lld\n",
                    static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        std::fflush(stdout);
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("Baseline")));
    window.resize(735, 564);
    window.show();
    ExposeReport report;
    window.windowHandle()->installEventFilter(&report);
    return QApplication::exec();
}
