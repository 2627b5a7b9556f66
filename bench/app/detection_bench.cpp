// Adding files: 100 generated files of mixed containers and codecs (a few MB each, some larger)
// (a) described by one `mediainfo` process, (b) added through the detection worker with the real
// trelcore, (c) probed the old way, one trelcore process per file. Prints each time and the
// ratios b/a and c/a, and whether (b) and (c) found the same.
// Then 1000 small files given to clipwright on its command line: (d) the worker alone on them,
// (e) launch to all rows listed (the program's "listed" start-up report) and the ratio e/d, as
// the median of a few interleaved rounds. (e) needs a display or QT_QPA_PLATFORM=offscreen.
// Further arguments name other builds of clipwright (with the same report) to run in the same
// rounds. Usage: bench_detection [files [launch files [rounds [other clipwright...]]]]
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>

#include "base/string_ids.h"
#include "bench_support.h"
#include "engine/child_process.h"
#include "engine/command_line.h"
#include "engine/detection_worker.h"
#include "engine/probe.h"

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
    int AppendRows(std::vector<std::unique_ptr<clipwright::SourceItem>> items) override {
        const int first = RowCount();
        for (auto& item : items) {
            InsertRow(RowCount(), AddItem(std::move(item)));
        }
        return first;
    }
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

long long MonotonicNs() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The worker alone over paths, as the application runs it (its own thread); milliseconds, and
// the rows listed.
double WorkerAloneMs(const std::vector<std::string>& paths, const std::string& outFolder,
                     int& listed) {
    MemoryWorkerUi ui(outFolder);
    clipwright::DetectionShared shared;
    shared.workerRunning = true;
    const double ms = TimeMs([&] {
        std::thread worker([&] {
            clipwright::RunDetectionWorker(shared, ui, paths, {[](int) {}, [] {}});
        });
        worker.join();
    });
    listed = ui.RowCount();
    return ms;
}

// Starts clipwright with paths and returns the milliseconds from the launch to its "listed"
// report (all rows of the command line's files listed), or nothing when it did not come.
std::optional<double> LaunchToListedMs(const std::string& program,
                                       const std::vector<std::string>& paths) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        return std::nullopt;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& path : paths) {
        argv.push_back(const_cast<char*>(path.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    const long long launched = MonotonicNs();
    const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    std::optional<double> result;
    std::string pending;
    while (rc == 0 && !result) {
        pollfd pfd{fds[0], POLLIN, 0};
        char chunk[256];
        const ssize_t n = ::poll(&pfd, 1, 120000) > 0 ? ::read(fds[0], chunk, sizeof chunk) : 0;
        if (n <= 0) {
            break;
        }
        pending.append(chunk, static_cast<size_t>(n));
        for (size_t end = pending.find('\n'); end != std::string::npos && !result;
             end = pending.find('\n')) {
            const std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (line.rfind("listed ", 0) == 0) {
                result = static_cast<double>(std::atoll(line.c_str() + 7) - launched) / 1e6;
            }
        }
    }
    ::close(fds[0]);
    if (rc == 0) {
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
    }
    return result;
}

// (d) and (e): count copies of a one-second clip, the program started rounds times.
bool LaunchCase(const std::filesystem::path& dir, int count, int rounds,
                const std::vector<std::string>& programs) {
    const std::filesystem::path folder = dir / "launch";
    std::filesystem::create_directories(folder / "Trelvane");
    // No help tips over the window: a user who has seen them once.
    std::ofstream(folder / "Trelvane" / "Clipwright.conf") << "\"HiddenToolTips\"=\"TRUE\"\n";
    ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    ::setenv("CLIPWRIGHT_STARTUP_REPORT", "1", 1);
    const std::string clip = (folder / "small.mp4").string();
    if (clipwright::bench::RunQuietly({CLIPGEN_PATH, clip, "--duration", "1", "--size", "160x120",
                                       "--vcodec", "mpeg4", "--acodec", "mp2"}) != 0) {
        std::fprintf(stderr, "clipgen failed for the small clip\n");
        return false;
    }
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        paths.push_back((folder / ("small " + std::to_string(i) + ".mp4")).string());
        std::filesystem::copy_file(clip, paths.back());
    }
    std::vector<double> worker;
    std::vector<std::vector<double>> listed(programs.size());
    int workerListed = 0;
    for (int round = 0; round < rounds; ++round) {
        worker.push_back(WorkerAloneMs(paths, (folder / "out/").string(), workerListed));
        for (size_t p = 0; p < programs.size(); ++p) {
            if (const std::optional<double> ms = LaunchToListedMs(programs[p], paths)) {
                listed[p].push_back(*ms);
            }
        }
    }
    std::printf("(d) %d small files, detection worker alone: %.1f ms (median of %d), listed %d\n",
                count, Median(worker), rounds, workerListed);
    bool reported = true;
    for (size_t p = 0; p < programs.size(); ++p) {
        if (listed[p].empty()) {
            std::printf("(e) %s never reported the rows listed (no display?)\n",
                        programs[p].c_str());
            reported = false;
            continue;
        }
        std::printf(
            "(e) %s, %d files on the command line, launch to listed: %.1f ms "
            "(median of %zu), ratio e/d: %.2f\n",
            programs[p].c_str(), count, Median(listed[p]), listed[p].size(),
            Median(listed[p]) / Median(worker));
    }
    if (!reported) {
        return false;
    }
    return workerListed == count;
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 100;
    const int launchCount = argc > 2 ? std::atoi(argv[2]) : 1000;
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 3;
    if (count <= 0 || launchCount < 0 || rounds <= 0) {
        std::fprintf(stderr, "usage: %s [files > 0 [launch files >= 0 [rounds > 0]]]\n", argv[0]);
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
    std::vector<std::string> programs{CLIPWRIGHT_PATH};
    for (int i = 4; i < argc; ++i) {
        programs.emplace_back(argv[i]);
    }
    const bool launched = launchCount == 0 || LaunchCase(dir, launchCount, rounds, programs);
    std::filesystem::remove_all(dir);
    return same && launched && ui.RowCount() == count ? 0 : 1;
}
