// clipwright-cli with --jobs 1, 2 and auto on four generated 20 s 720p clips to pal-dvd: wall
// time, processor time of the program and its encoders, the cores kept busy and the speed-up
// over one job. First, one encode of each type alone: the cores it keeps busy, the figure
// --jobs auto divides the machine's cores by.
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench_support.h"

namespace {

namespace fs = std::filesystem;
using clipwright::bench::Milliseconds;
using clipwright::bench::SpawnQuietly;

struct Measure {
    int status = -1;
    double wallMs = 0;
    double cpuMs = 0;  // user + system of the program and every child it waited for
};

double Ms(const timeval& time) {
    return static_cast<double>(time.tv_sec) * 1000.0 + static_cast<double>(time.tv_usec) / 1000.0;
}

Measure Run(const std::vector<std::string>& args) {
    Measure measure;
    const auto began = std::chrono::steady_clock::now();
    const pid_t pid = SpawnQuietly(args);
    if (pid < 0) {
        return measure;
    }
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid) {
        return measure;
    }
    measure.wallMs = Milliseconds(std::chrono::steady_clock::now() - began);
    measure.cpuMs = Ms(usage.ru_utime) + Ms(usage.ru_stime);
    measure.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return measure;
}

// One encode's threads: the processor time each had when last looked at (clock ticks).
struct ThreadUse {
    int threads = 0;  // threads that did at least 2 % of the work
    double totalTicks = 0;
    double busiestTicks = 0;  // the thread on the critical path: decode, filters, mux
};

// Runs args and reads its threads' times from /proc every 20 ms until it ends. The busiest
// thread bounds how many cores the encode can keep busy on an idle machine: total / busiest.
// Load-independent, unlike the processor time over the wall time on a shared machine.
ThreadUse RunWatchingThreads(const std::vector<std::string>& args) {
    ThreadUse use;
    const pid_t pid = SpawnQuietly(args);
    if (pid < 0) {
        return use;
    }
    std::map<std::string, double> ticks;
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        std::error_code error;
        for (const auto& task :
             fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
            std::ifstream in(task.path() / "stat");
            std::string text((std::istreambuf_iterator<char>(in)), {});
            const size_t close = text.rfind(')');
            if (close == std::string::npos) {
                continue;
            }
            std::istringstream fields(text.substr(close + 2));
            std::string field;
            double utime = 0;
            double stime = 0;
            for (int i = 3; fields >> field; ++i) {
                if (i == 14) {
                    utime = std::stod(field);
                } else if (i == 15) {
                    stime = std::stod(field);
                    break;
                }
            }
            ticks[task.path().filename().string()] = utime + stime;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    for (const auto& [tid, value] : ticks) {
        use.totalTicks += value;
        use.busiestTicks = std::max(use.busiestTicks, value);
    }
    for (const auto& [tid, value] : ticks) {
        use.threads += value >= use.totalTicks * 0.02 ? 1 : 0;
    }
    return use;
}

}  // namespace

int main() {
    const fs::path folder =
        fs::temp_directory_path() / ("bench-cli-jobs-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    std::vector<std::string> clips;
    for (int i = 1; i <= 4; ++i) {
        const std::string clip = (folder / ("clip" + std::to_string(i) + ".mp4")).string();
        if (clipwright::bench::RunQuietly({CLIPGEN_PATH, clip, "--duration", "20", "--size",
                                           "1280x720", "--natural", "--motion", "0.5"}) != 0) {
            std::fprintf(stderr, "bench_cli_jobs: clipgen failed\n");
            return 1;
        }
        clips.push_back(clip);
    }
    const unsigned cores = std::thread::hardware_concurrency();
    std::printf("%u cores; 4 clips of 20 s, 1280x720\n\n", cores);
    std::printf(
        "one encode alone (one 20 s clip): threads doing >= 2 %% of the work, cpu s, "
        "share of the busiest thread, cores it can keep busy (total / busiest)\n");
    std::printf("%-8s %8s %8s %9s %12s\n", "output", "threads", "cpu s", "busiest", "cores");
    const double tick = static_cast<double>(::sysconf(_SC_CLK_TCK));
    const std::vector<std::pair<std::string, std::vector<std::string>>> kinds{
        {"pal-dvd", {"-target", "pal-dvd"}},
        {"pal-svcd", {"-target", "pal-svcd"}},
        {"pal-vcd", {"-target", "pal-vcd"}},
        {"pal-dv", {"-target", "pal-dv"}},
        {"mpeg4", {"-vcodec", "xvid", "-pix_fmt", "yuv420p"}},
        {"h264", {"-vcodec", "h264", "-pix_fmt", "yuv420p"}}};
    for (const auto& [name, options] : kinds) {
        const std::string out =
            (folder / ("alone-" + name + (name.starts_with("pal") ? ".mpg" : ".mp4"))).string();
        std::vector<std::string> args{TRELCORE_PATH, "qmt52rwKZ#&", "-i", clips[0]};
        args.insert(args.end(), options.begin(), options.end());
        args.insert(args.end(), {"-y", out});
        const ThreadUse use = RunWatchingThreads(args);
        std::printf("%-8s %8d %8.2f %8.0f%% %12.2f\n", name.c_str(), use.threads,
                    use.totalTicks / tick, 100.0 * use.busiestTicks / std::max(use.totalTicks, 1.0),
                    use.totalTicks / std::max(use.busiestTicks, 1.0));
        std::fflush(stdout);
    }

    std::printf("\nclipwright-cli -t dvd -s pal, 4 clips:\n%-8s %9s %9s %12s %9s\n", "jobs",
                "wall s", "cpu s", "cores busy", "speed-up");
    double oneJobMs = 0;
    for (const char* jobs : {"1", "2", "auto"}) {
        const fs::path out = folder / (std::string("out-") + jobs);
        std::vector<std::string> args{CLI_PATH, "-t",         "dvd",   "-s", "pal",       "-j",
                                      jobs,     "--progress", "lines", "-o", out.string()};
        args.insert(args.end(), clips.begin(), clips.end());
        const Measure m = Run(args);
        if (oneJobMs == 0) {
            oneJobMs = m.wallMs;
        }
        std::printf("%-8s %9.2f %9.2f %12.2f %8.2fx%s\n", jobs, m.wallMs / 1000, m.cpuMs / 1000,
                    m.cpuMs / m.wallMs, oneJobMs / m.wallMs,
                    m.status == 0 ? "" : "  (a file failed)");
        std::fflush(stdout);
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return 0;
}
