// The moment the main window is first on screen: a watcher that runs a function once, queued
// after the window's first expose event has been handled (the first paint is then done), and
// the start-up report of the benchmark. User-interface thread only.
#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace clipwright {

// Runs then once, from the event loop, after window's first expose. The window must have been
// shown; without a native window then is queued at once. Destroying the watcher first cancels.
class FirstExposeWatcher : public QObject {
public:
    FirstExposeWatcher(QWidget& window, std::function<void()> then);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RunLater();

    std::function<void()> then_;
};

// When the environment variable CLIPWRIGHT_STARTUP_REPORT is set and not empty, writes the
// line "<step> <CLOCK_MONOTONIC nanoseconds>" to standard output and flushes it, for
// bench_startup and bench_detection to time the start against the launch. Otherwise does
// nothing.
void ReportStartupStep(const char* step);

}  // namespace clipwright
