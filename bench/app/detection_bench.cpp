// Adding files: 100 copies of a generated clip probed and listed by the detection worker with
// trelcore, into a list in memory. Prints milliseconds per file. Usage: bench_detection [files]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "base/string_ids.h"
#include "bench_support.h"
#include "engine/command_line.h"
#include "engine/detection_worker.h"

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

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 100;
    if (count <= 0) {
        std::fprintf(stderr, "usage: %s [files > 0]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("cw-detect-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string clip = (dir / "clip.avi").string();
    if (!clipwright::bench::MakeClip(clip, 5)) {
        std::fprintf(stderr, "clipgen failed\n");
        return 1;
    }
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        paths.push_back((dir / ("clip " + std::to_string(i) + ".avi")).string());
        std::filesystem::copy_file(clip, paths.back());
    }

    clipwright::SetEncoderName(TRELCORE_PATH);
    MemoryWorkerUi ui((dir / "out/").string());
    clipwright::DetectionShared shared;
    shared.workerRunning = true;
    const auto start = std::chrono::steady_clock::now();
    std::thread worker([&] {
        clipwright::RunDetectionWorker(shared, ui, paths, {[](int) {}, [] {}});
    });
    worker.join();
    const double totalMs = Milliseconds(std::chrono::steady_clock::now() - start);

    std::printf("files: %d, listed: %d\n", count, ui.RowCount());
    std::printf("detection: %.1f ms in all, %.2f ms per file\n", totalMs, totalMs / count);
    std::filesystem::remove_all(dir);
    return ui.RowCount() == count ? 0 : 1;
}
