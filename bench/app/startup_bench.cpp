// Start-up of clipwright against a minimal Qt Widgets window (bench_minimal_window): the time
// from launch to the window's first expose, and the memory mapped then (RSS and PSS from
// /proc/PID/smaps_rollup). Each program runs N times (argument 1, default 15), interleaved, on
// the display or Qt platform of the environment: run it under `xvfb-run -a` for real mapping, or
// with QT_QPA_PLATFORM=offscreen. For clipwright the memory is also taken once the deferred read
// of the media runtime's version is done (its "runtime" report). Further arguments name other
// builds of clipwright (with the same report) to run in the same rounds.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int kReportTimeoutMs = 30000;

long long MonotonicNs() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

struct Memory {
    double rssMb = 0;
    double pssMb = 0;
};

// Rss and Pss of the process from its smaps_rollup, in MiB.
Memory ReadMemory(pid_t pid) {
    Memory memory;
    std::ifstream in("/proc/" + std::to_string(pid) + "/smaps_rollup");
    std::string key;
    long long kb = 0;
    std::string unit;
    while (in >> key) {
        if (key == "Rss:" && in >> kb >> unit) {
            memory.rssMb = static_cast<double>(kb) / 1024.0;
        } else if (key == "Pss:" && in >> kb >> unit) {
            memory.pssMb = static_cast<double>(kb) / 1024.0;
        } else {
            in.ignore(1 << 16, '\n');
        }
    }
    return memory;
}

// A started program whose standard output is read line by line; killed and reaped at the end.
class ReportingChild {
public:
    explicit ReportingChild(const std::string& program) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) {
            return;
        }
        readEnd_ = fds[0];
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        std::vector<char*> argv{const_cast<char*>(program.c_str()), nullptr};
        launchNs_ = MonotonicNs();
        if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
    }
    ReportingChild(const ReportingChild&) = delete;
    ReportingChild& operator=(const ReportingChild&) = delete;
    ~ReportingChild() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            int status = 0;
            ::waitpid(pid_, &status, 0);
        }
        if (readEnd_ >= 0) {
            ::close(readEnd_);
        }
    }

    pid_t Pid() const { return pid_; }
    // Milliseconds from the launch to the time the program gave with step, or nothing when it
    // ended or said nothing of the kind in time.
    std::optional<double> WaitForStep(const std::string& step) {
        const std::string prefix = step + " ";
        while (pid_ > 0) {
            const size_t lineEnd = pending_.find('\n');
            if (lineEnd != std::string::npos) {
                const std::string line = pending_.substr(0, lineEnd);
                pending_.erase(0, lineEnd + 1);
                if (line.compare(0, prefix.size(), prefix) == 0) {
                    const long long at = std::atoll(line.c_str() + prefix.size());
                    return static_cast<double>(at - launchNs_) / 1e6;
                }
                continue;
            }
            pollfd pfd{readEnd_, POLLIN, 0};
            if (::poll(&pfd, 1, kReportTimeoutMs) <= 0) {
                return std::nullopt;
            }
            char chunk[512];
            const ssize_t n = ::read(readEnd_, chunk, sizeof chunk);
            if (n <= 0) {
                return std::nullopt;
            }
            pending_.append(chunk, static_cast<size_t>(n));
        }
        return std::nullopt;
    }

private:
    pid_t pid_ = -1;
    int readEnd_ = -1;
    long long launchNs_ = 0;
    std::string pending_;
};

struct Samples {
    std::vector<double> exposedMs;
    std::vector<double> rssMb;
    std::vector<double> pssMb;
    std::vector<double> settledRssMb;
    std::vector<double> settledPssMb;
    int failures = 0;
};

double Median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 != 0 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

void RunOnce(const std::string& program, bool waitForRuntime, Samples& samples) {
    ReportingChild child(program);
    const std::optional<double> exposed = child.WaitForStep("exposed");
    if (!exposed) {
        ++samples.failures;
        return;
    }
    const Memory memory = ReadMemory(child.Pid());
    samples.exposedMs.push_back(*exposed);
    samples.rssMb.push_back(memory.rssMb);
    samples.pssMb.push_back(memory.pssMb);
    if (waitForRuntime && child.WaitForStep("runtime")) {
        const Memory settled = ReadMemory(child.Pid());
        samples.settledRssMb.push_back(settled.rssMb);
        samples.settledPssMb.push_back(settled.pssMb);
    }
}

void Print(const char* name, const Samples& samples) {
    std::printf(
        "%-22s exposed after %7.1f ms (median of %zu, %d failed)   RSS %6.1f MiB   "
        "PSS %6.1f MiB\n",
        name, Median(samples.exposedMs), samples.exposedMs.size(), samples.failures,
        Median(samples.rssMb), Median(samples.pssMb));
    if (!samples.settledRssMb.empty()) {
        std::printf(
            "%-22s after the runtime read:                       RSS %6.1f MiB   "
            "PSS %6.1f MiB\n",
            name, Median(samples.settledRssMb), Median(samples.settledPssMb));
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    // Further arguments name other builds of clipwright to compare in the same run.
    std::vector<std::string> programs{CLIPWRIGHT_PATH};
    for (int i = 2; i < argc; ++i) {
        programs.emplace_back(argv[i]);
    }
    ::setenv("CLIPWRIGHT_STARTUP_REPORT", "1", 1);
    const char* const platform = std::getenv("QT_QPA_PLATFORM");
    const char* const display = std::getenv("DISPLAY");
    std::printf("%d runs each, interleaved; platform %s, DISPLAY %s\n", runs,
                platform != nullptr ? platform : "(default)", display != nullptr ? display : "-");
    Samples baseline;
    std::vector<Samples> samples(programs.size());
    for (int i = 0; i < runs; ++i) {
        RunOnce(MINIMAL_WINDOW_PATH, false, baseline);
        for (size_t p = 0; p < programs.size(); ++p) {
            RunOnce(programs[p], true, samples[p]);
        }
    }
    Print("minimal Qt window", baseline);
    const double base = Median(baseline.exposedMs);
    int failures = baseline.failures;
    for (size_t p = 0; p < programs.size(); ++p) {
        const std::string name = p == 0 ? "clipwright" : "clipwright #" + std::to_string(p + 1);
        Print(name.c_str(), samples[p]);
        if (base > 0 && !samples[p].exposedMs.empty()) {
            std::printf("%-22s ratio to the minimal window: %.2f (time to first expose)\n",
                        name.c_str(), Median(samples[p].exposedMs) / base);
        }
        failures += samples[p].failures;
    }
    if (programs.size() > 1) {
        for (size_t p = 1; p < programs.size(); ++p) {
            std::printf("clipwright #%zu is %s\n", p + 1, programs[p].c_str());
        }
    }
    return failures == 0 ? 0 : 1;
}
