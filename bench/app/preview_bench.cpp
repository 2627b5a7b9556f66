// The preview's start: from the dialog's first tick (open and play) to the first frame libmpv's
// render API draws, for a 720p H.264 clip, and the same open with no video output (vo=null).
// Prints the median of several runs in milliseconds. Needs a display with OpenGL for the first
// figure (xvfb-run gives one through Mesa). Usage: bench_preview [runs]
#include <QApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "base/c_locale.h"
#include "bench_support.h"
#include "platform/mpv_graph.h"
#include "preview/preview_dlg.h"
#include "preview/video_frame.h"

namespace {

using clipwright::bench::Milliseconds;
using Clock = std::chrono::steady_clock;

struct Times {
    double opened = 0;      // the first tick returned: file open, playing
    double firstFrame = 0;  // the first frame drawn; 0 without a render context
};

Times RunOnce(const std::string& clip, bool render) {
    int32_t start = 0;
    int32_t end = 10;
    clipwright::CPreviewDlg dialog(nullptr, clip, &start, &end);
    dialog.show();
    const auto begin = Clock::now();
    dialog.Player().OnTick();  // before any event runs, so this is the first tick
    Times times{Milliseconds(Clock::now() - begin), 0};
    const auto deadline = begin + std::chrono::seconds(10);
    while (render && dialog.Frame()->FramesDrawn() == 0 && Clock::now() < deadline) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    if (render && dialog.Frame()->FramesDrawn() > 0) {
        times.firstFrame = Milliseconds(Clock::now() - begin);
    }
    dialog.OnOk();
    return times;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Every run's figure in order, so clusters show, then the smallest and the largest.
void PrintRuns(const char* what, const std::vector<double>& values) {
    std::printf("  %s, each run (ms):", what);
    for (const double value : values) {
        std::printf(" %.0f", value);
    }
    const auto [least, most] = std::minmax_element(values.begin(), values.end());
    std::printf("   min %.1f max %.1f\n", *least, *most);
}

bool HasOpenGl() {
    QOpenGLContext context;
    QOffscreenSurface surface;
    surface.create();
    return context.create() && context.makeCurrent(&surface);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    clipwright::UseCNumericLocale();  // as the program does: libmpv runs only with it
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::string dir = std::filesystem::temp_directory_path() / "cw-bench-preview";
    std::filesystem::create_directories(dir);
    const std::string clip = dir + "/hd.mp4";
    if (clipwright::bench::RunQuietly({CLIPGEN_PATH, clip, "--duration", "10", "--size", "1280x720",
                                       "--rate", "25", "--vcodec", "h264", "--acodec", "aac"}) !=
        0) {
        std::fprintf(stderr, "cannot make the clip\n");
        return 1;
    }
    if (!clipwright::MediaRuntimeUsable()) {
        std::fprintf(stderr, "libmpv cannot be loaded\n");
        return 1;
    }
    const bool gl = HasOpenGl();
    for (const bool render : {true, false}) {
        if (render && !gl) {
            std::printf("render API (vo=libmpv): no OpenGL on this display, skipped\n");
            continue;
        }
        clipwright::SetMediaOutputs({render ? "libmpv" : "null", "null"});
        std::vector<double> opened;
        std::vector<double> frames;
        for (int i = 0; i < runs; ++i) {
            const Times times = RunOnce(clip, render);
            opened.push_back(times.opened);
            frames.push_back(times.firstFrame);
        }
        if (render) {
            std::printf(
                "render API (vo=libmpv): first tick to open %.1f ms, to first frame "
                "%.1f ms (median of %d)\n",
                Median(opened), Median(frames), runs);
            PrintRuns("first frame", frames);
        } else {
            std::printf("no video output (vo=null): first tick to open %.1f ms (median of %d)\n",
                        Median(opened), runs);
        }
        PrintRuns("open", opened);
    }
    std::filesystem::remove_all(dir);
    return 0;
}
