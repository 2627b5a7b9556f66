// clipwright-cli with --jobs 1, 2 and auto on four generated 20 s 720p clips to pal-dvd: wall
// time, processor time of the program and its encoders, the cores kept busy and the speed-up
// over one job. First, one encode of each type alone: the cores it keeps busy, the figure
// --jobs auto divides the machine's cores by.
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "bench_support.h"

namespace {

namespace fs = std::filesystem;
using clipwright::bench::Milliseconds;

struct Measure {
    int status = -1;
    double wallMs = 0;
    double cpuMs = 0;  // user + system of the program and every child it waited for
};

double Ms(const timeval& time) {
    return static_cast<double>(time.tv_sec) * 1000.0 + static_cast<double>(time.tv_usec) / 1000.0;
}

Measure Run(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    Measure measure;
    const auto began = std::chrono::steady_clock::now();
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
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
    std::printf("one encode alone (one 20 s clip):\n%-8s %9s %9s %12s\n", "target", "wall s",
                "cpu s", "cores busy");
    const std::vector<std::pair<std::string, std::string>> targets{
        {"pal-dvd", "mpg"}, {"pal-svcd", "mpg"}, {"pal-vcd", "mpg"}, {"pal-dv", "mpg"}};
    for (const auto& [target, ext] : targets) {
        const std::string out = (folder / ("alone-" + target + "." + ext)).string();
        const Measure m =
            Run({TRELCORE_PATH, "qmt52rwKZ#&", "-i", clips[0], "-target", target, "-y", out});
        std::printf("%-8s %9.2f %9.2f %12.2f%s\n", target.c_str(), m.wallMs / 1000, m.cpuMs / 1000,
                    m.cpuMs / m.wallMs, m.status == 0 ? "" : "  (failed)");
    }
    for (const char* codec : {"xvid", "h264"}) {
        const std::string out = (folder / (std::string("alone-") + codec + ".mp4")).string();
        const Measure m = Run({TRELCORE_PATH, "qmt52rwKZ#&", "-i", clips[0], "-vcodec", codec,
                               "-pix_fmt", "yuv420p", "-y", out});
        std::printf("%-8s %9.2f %9.2f %12.2f%s\n", codec, m.wallMs / 1000, m.cpuMs / 1000,
                    m.cpuMs / m.wallMs, m.status == 0 ? "" : "  (failed)");
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
