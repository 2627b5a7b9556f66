#include "shell/first_expose.h"

#include <time.h>

#include <QEvent>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

namespace clipwright {

FirstExposeWatcher::FirstExposeWatcher(QWidget& window, std::function<void()> then)
    : then_(std::move(then)) {
    QWindow* const handle = window.windowHandle();
    if (handle == nullptr) {
        RunLater();
        return;
    }
    handle->installEventFilter(this);
}

bool FirstExposeWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Expose) {
        return false;
    }
    auto* const window = qobject_cast<QWindow*>(watched);
    if (window == nullptr || !window->isExposed()) {
        return false;  // an expose that hides the window, e.g. while it is being unmapped
    }
    window->removeEventFilter(this);
    RunLater();
    return false;  // the window still paints from this event
}

void FirstExposeWatcher::RunLater() {
    // Queued on this object, so it runs after the paint and never once the watcher is gone.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (then_) {
                std::function<void()> then = std::move(then_);
                then_ = nullptr;
                then();
            }
        },
        Qt::QueuedConnection);
}

void ReportStartupStep(const char* step) {
    const char* const wanted = std::getenv("CLIPWRIGHT_STARTUP_REPORT");
    if (wanted == nullptr || wanted[0] == '\0') {
        return;
    }
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("%s %lld\n", step, static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    std::fflush(stdout);
}

}  // namespace clipwright
