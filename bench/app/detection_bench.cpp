// Adding files: 100 generated files of mixed containers and codecs (a few MB each, some larger)
// (a) described by one `mediainfo` process, (b) added through the detection worker with the real
// trelcore, (c) probed the old way, one trelcore process per file. Prints each time and the
// ratios b/a and c/a, and whether (b) and (c) found the same. Usage: bench_detection [files]
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "base/string_ids.h"
#include "bench_support.h"
#include "engine/child_process.h"
#include "engine/command_line.h"
#include "engine/detection_worker.h"
#include "engine/encoder_output.h"

namespace {

using clipwright::bench::Milliseconds;

// The list the worker fills; the benchmark runs the worker on its own thread alone.
class MemoryWorkerUi : public clipwright::WorkerUi {
public:
    int RowCount() override { return static_cast<int>(rows_.size()); }
    clipwright::SourceItem* ItemOfRow(int row) override {
        return slots_.at(static_cast<size_t>(rows_.at(static_cast<size_t>(row)))).get();
    }
    int AddItem(std::unique_ptr<clipwright::SourceItem> item) override {
        slots_.push_back(std::move(item));
        return static_cast<int>(slots_.size()) - 1;
    }
    void InsertRow(int row, int itemIndex) override {
        rows_.insert(rows_.begin() + row, itemIndex);
    }
    void RefreshRow(int) override {}
    void ShowMessage(const std::string& text) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    std::string Text(int id) override {
        return id == clipwright::kIdsDetectingFile ? "Detecting selected files.\nNo.%d/%d: \"%s\""
                                                   : "";
    }
    int32_t OutputType() override { return clipwright::kTypeDvd; }
    std::string OutputFolder() override { return folder_; }
    clipwright::ConversionSettings Settings() override { return {}; }

    explicit MemoryWorkerUi(std::string folder) : folder_(std::move(folder)) {}

private:
    std::string folder_;
    std::vector<std::unique_ptr<clipwright::SourceItem>> slots_;
    std::vector<int> rows_;
};

struct Variant {
    const char* name;
    std::vector<std::string> options;
};

// Mixed containers and codecs; the last two are the larger files.
const std::vector<Variant>& Variants() {
    static const std::vector<Variant> kVariants = {
        {"clip.mp4",
         {"--duration", "45", "--size", "640x480", "--vcodec", "h264", "--acodec", "aac"}},
        {"clip.mkv",
         {"--duration", "45", "--size", "640x480", "--vcodec", "mpeg4", "--acodec", "mp2"}},
        {"clip.mpg",
         {"--duration", "45", "--size", "720x576", "--vcodec", "mpeg2video", "--acodec", "mp2"}},
        {"clip.avi",
         {"--duration", "45", "--size", "640x480", "--vcodec", "mpeg4", "--acodec", "mp2"}},
        {"clip.mov",
         {"--duration", "45", "--size", "640x360", "--vcodec", "h264", "--acodec", "aac", "--rate",
          "30000/1001"}},
        {"clip.ts",
         {"--duration", "45", "--size", "720x480", "--vcodec", "mpeg2video", "--acodec", "ac3",
          "--format", "mpegts"}},
        {"long.wav", {"--duration", "60", "--vcodec", "none", "--acodec", "pcm_s16le"}},
        {"large.mkv",
         {"--duration", "120", "--size", "1280x720", "--vcodec", "mpeg4", "--acodec", "ac3"}},
    };
    return kVariants;
}

bool MakeVariant(const std::string& path, const Variant& variant) {
    std::vector<std::string> args = {CLIPGEN_PATH, path};
    args.insert(args.end(), variant.options.begin(), variant.options.end());
    return clipwright::bench::RunQuietly(args) == 0;
}

double TimeMs(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return Milliseconds(std::chrono::steady_clock::now() - start);
}

bool SameProbe(const clipwright::SourceItem& a, const clipwright::SourceItem& b) {
    return a.sourcePath == b.sourcePath && a.durationMs == b.durationMs &&
           a.durationText == b.durationText && a.bitrateText == b.bitrateText &&
           a.videoInfo == b.videoInfo && a.audioInfo == b.audioInfo;
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 100;
    if (count <= 0) {
        std::fprintf(stderr, "usage: %s [files > 0]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("cw-detect-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir / "made");
    std::vector<std::string> made;
    for (const Variant& variant : Variants()) {
        made.push_back((dir / "made" / variant.name).string());
        if (!MakeVariant(made.back(), variant)) {
            std::fprintf(stderr, "clipgen failed for %s\n", variant.name);
            std::filesystem::remove_all(dir);
            return 1;
        }
        std::printf("made %-10s %8.1f KiB\n", variant.name,
                    static_cast<double>(std::filesystem::file_size(made.back())) / 1024.0);
    }
    // Copies under names with spaces; every file is read once so all three see a warm cache.
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        const std::string& from = made[static_cast<size_t>(i) % made.size()];
        const std::string name =
            "file " + std::to_string(i) + " " + std::filesystem::path(from).filename().string();
        paths.push_back((dir / name).string());
        std::filesystem::copy_file(from, paths.back());
        clipwright::bench::RunQuietly({"/bin/cat", paths.back()});
    }

    double mediainfoMs = -1;
    const std::string mediainfo = clipwright::FindProgram("mediainfo");
    if (mediainfo.empty()) {
        std::printf("(a) mediainfo: not installed, skipped (apt-get install mediainfo)\n");
    } else {
        std::vector<std::string> args = {mediainfo};
        args.insert(args.end(), paths.begin(), paths.end());
        int status = 0;
        mediainfoMs = TimeMs([&] { status = clipwright::bench::RunQuietly(args); });
        std::printf("(a) one mediainfo process: %.1f ms (status %d)\n", mediainfoMs, status);
    }

    clipwright::SetEncoderName(TRELCORE_PATH);
    MemoryWorkerUi ui((dir / "out/").string());
    clipwright::DetectionShared shared;
    shared.workerRunning = true;
    const double workerMs = TimeMs([&] {
        std::thread worker([&] {
            clipwright::RunDetectionWorker(shared, ui, paths, {[](int) {}, [] {}});
        });
        worker.join();
    });
    std::printf("(b) detection worker: %.1f ms, %.2f ms per file, listed %d of %d\n", workerMs,
                workerMs / count, ui.RowCount(), count);

    // The old way on a thread of its own as well: each probe starts its child.
    std::vector<clipwright::SourceItem> once(paths.size());
    int onceListed = 0;
    const double oneShotMs = TimeMs([&] {
        std::thread worker([&] {
            for (size_t i = 0; i < paths.size(); ++i) {
                onceListed += clipwright::Probe(once[i], paths[i]) == 0 ? 1 : 0;
            }
        });
        worker.join();
    });
    std::printf("(c) one trelcore per file: %.1f ms, %.2f ms per file, listed %d of %d\n",
                oneShotMs, oneShotMs / count, onceListed, count);

    bool same = ui.RowCount() == onceListed;
    for (int row = 0; same && row < ui.RowCount(); ++row) {
        same = SameProbe(*ui.ItemOfRow(row), once[static_cast<size_t>(row)]);
    }
    std::printf("(b) and (c) found the same: %s\n", same ? "yes" : "NO");
    if (mediainfoMs > 0) {
        std::printf("ratio b/a: %.2f\nratio c/a: %.2f\n", workerMs / mediainfoMs,
                    oneShotMs / mediainfoMs);
    }
    std::filesystem::remove_all(dir);
    return same && ui.RowCount() == count ? 0 : 1;
}
