// The way to the first window: neither the FFmpeg libraries nor libmpv may be loaded before the
// main window is on screen. This program links no FFmpeg library of its own, so any found mapped
// came in through the application's libraries.
#include <gtest/gtest.h>

#include <QEvent>
#include <QTest>
#include <QWindow>
#include <fstream>
#include <string>

#include "platform/media_runtime.h"
#include "shell/main_frame.h"
#include "shell/trelvane_app.h"
#include "ui/startup_values.h"

namespace clipwright {
namespace {

// Whether a library whose file name starts with name is mapped into this process.
bool IsMapped(const std::string& name) {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        const size_t slash = line.rfind('/');
        if (slash != std::string::npos && line.compare(slash + 1, name.size(), name) == 0) {
            return true;
        }
    }
    return false;
}

// What was true when the window's first expose arrived, before the application handled it.
class ExposeRecorder : public QObject {
public:
    explicit ExposeRecorder(const CTrelvaneApp& app) : app_(app) {}

    bool exposed = false;
    bool mpvMapped = false;
    bool ffmpegMapped = false;
    bool readStarted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && !exposed) {
            exposed = true;
            mpvMapped = IsMapped("libmpv");
            // libmpv brings FFmpeg too, so they are looked for before its read may start.
            ffmpegMapped = IsMapped("libavcodec") || IsMapped("libavformat") ||
                           IsMapped("libavutil") || IsMapped("libswscale");
            readStarted = app_.RuntimeVersionReadStarted();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const CTrelvaneApp& app_;
};

bool RuntimeVersionRead() {
    const RuntimeVersion version = TheStartupValues().mediaRuntime;
    return version.major != kRequiredMediaRuntime.major ||
           version.minor != kRequiredMediaRuntime.minor;
}

TEST(Startup, TheWindowComesUpWithoutFfmpegOrLibmpv) {
    CTrelvaneApp app;
    ASSERT_TRUE(app.InitInstance());
    EXPECT_FALSE(app.RuntimeVersionReadStarted()) << "nothing is read before the window is up";
    ExposeRecorder recorder(app);
    ASSERT_NE(app.Frame()->windowHandle(), nullptr);
    app.Frame()->windowHandle()->installEventFilter(&recorder);

    ASSERT_TRUE(QTest::qWaitForWindowExposed(app.Frame()));
    ASSERT_TRUE(recorder.exposed);
    EXPECT_FALSE(recorder.readStarted);
    EXPECT_FALSE(recorder.mpvMapped);
    EXPECT_FALSE(recorder.ffmpegMapped);

    // The version is still read, once the window is up, and the tip follows it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return app.RuntimeVersionReadStarted(); }));
    EXPECT_TRUE(QTest::qWaitFor(RuntimeVersionRead, 30000));
    EXPECT_TRUE(IsMapped("libmpv"));
}

}  // namespace
}  // namespace clipwright
