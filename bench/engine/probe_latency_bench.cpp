// Probe latency: 100 probes of the fake encoder through Probe, and the same program run by a
// plain fork/exec/read loop in the same run, printed with their ratio.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/command_line.h"
#include "engine/probe.h"

namespace {

constexpr int kProbes = 100;

double Milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// What a bare caller would do: fork, exec, read to the end, wait.
void BaselineProbe(const std::string& script) {
    int fds[2];
    if (::pipe(fds) != 0) {
        return;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[1], STDOUT_FILENO);
        ::dup2(fds[1], STDERR_FILENO);
        ::close(fds[0]);
        ::close(fds[1]);
        ::execl(FAKE_ENCODER, FAKE_ENCODER, "-i", script.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    char buffer[2048];
    while (::read(fds[0], buffer, sizeof buffer) > 0) {
    }
    ::close(fds[0]);
    ::waitpid(pid, nullptr, 0);
}

}  // namespace

int main() {
    const std::string script =
        (std::filesystem::temp_directory_path() / "cw-probe-bench.txt").string();
    std::ofstream(script) << "print   Duration: 00:01:00.00, start: 0.000000, bitrate: 900 kb/s\\n"
                             "    Stream #0.0: Video: mpeg4, yuv420p, 640x480, 25 fps\\n\n";
    clipwright::SetEncoderName(FAKE_ENCODER);

    const auto probeStart = std::chrono::steady_clock::now();
    int failures = 0;
    for (int i = 0; i < kProbes; ++i) {
        clipwright::SourceItem item;
        failures += clipwright::Probe(item, script) != 0 ? 1 : 0;
    }
    const double probeMs = Milliseconds(std::chrono::steady_clock::now() - probeStart) / kProbes;

    const auto baseStart = std::chrono::steady_clock::now();
    for (int i = 0; i < kProbes; ++i) {
        BaselineProbe(script);
    }
    const double baseMs = Milliseconds(std::chrono::steady_clock::now() - baseStart) / kProbes;
    std::filesystem::remove(script);

    std::printf("probes: %d (failed %d)\n", kProbes, failures);
    std::printf("Probe:            %.3f ms per probe\n", probeMs);
    std::printf("fork/exec/read:   %.3f ms per probe\n", baseMs);
    std::printf("ratio:            %.2f\n", baseMs > 0 ? probeMs / baseMs : 0.0);
    return failures == 0 ? 0 : 1;
}
