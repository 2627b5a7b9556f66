// Converts a generated 30 s 1280x720 25 fps clip with trelcore to every disc target and to the
// MPEG-4 and H.264 types (640x480, 768 kbit/s), printing wall seconds, output frames per second
// and times real time for each. Usage: trelcore_bench [scratch folder]

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_support.h"

namespace {

constexpr double kClipSeconds = 30.0;
constexpr double kSourceRate = 25.0;

struct Job {
    std::string name;
    std::vector<std::string> options;
    std::string extension;
    double output_rate;  // frames per second of the output
};

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path dir =
        argc > 1 ? std::filesystem::path(argv[1])
                 : std::filesystem::temp_directory_path() / "trelcore-bench";
    std::filesystem::create_directories(dir);
    const std::string source = (dir / "source.mkv").string();
    std::printf("generating %.0f s 1280x720 %.0f fps clip...\n", kClipSeconds, kSourceRate);
    if (clipwright::bench::RunQuietly({CLIPGEN_PATH, source, "--duration", "30", "--size",
                                       "1280x720", "--rate", "25", "--vcodec", "mpeg4", "--acodec",
                                       "mp2"}) != 0) {
        std::fprintf(stderr, "clipgen failed\n");
        return 1;
    }
    std::vector<Job> jobs;
    for (const char* standard : {"ntsc", "pal", "film"}) {
        for (const char* disc : {"dvd", "vcd", "svcd", "dv"}) {
            const std::string target = std::string(standard) + "-" + disc;
            const bool film_vcd = target == "film-vcd";
            const double rate = std::string(standard) == "pal" ? 25.0
                                : film_vcd                     ? 24000.0 / 1001.0
                                                               : 30000.0 / 1001.0;
            jobs.push_back({target, {"-target", target}, "mpg", rate});
        }
    }
    const std::vector<std::string> sized = {"-pix_fmt", "yuv420p", "-s", "640x480", "-b", "768"};
    std::vector<std::string> mpeg4 = {"-vcodec", "xvid"};
    mpeg4.insert(mpeg4.end(), sized.begin(), sized.end());
    std::vector<std::string> h264 = {"-vcodec", "h264"};
    h264.insert(h264.end(), sized.begin(), sized.end());
    jobs.push_back({"mpeg4", mpeg4, "mp4", kSourceRate});
    jobs.push_back({"h264", h264, "mov", kSourceRate});

    std::printf("%-10s %9s %9s %9s\n", "output", "seconds", "fps", "x real");
    int failures = 0;
    for (const Job& job : jobs) {
        std::vector<std::string> args = {TRELCORE_PATH, "-i", source, "-title", "bench"};
        args.insert(args.end(), job.options.begin(), job.options.end());
        args.insert(args.end(), {"-y", (dir / ("out-" + job.name + "." + job.extension)).string()});
        const auto start = std::chrono::steady_clock::now();
        const int rc = clipwright::bench::RunQuietly(args);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (rc != 0) {
            std::printf("%-10s failed with status %d\n", job.name.c_str(), rc);
            ++failures;
            continue;
        }
        std::printf("%-10s %9.2f %9.1f %9.2f\n", job.name.c_str(), seconds,
                    kClipSeconds * job.output_rate / seconds, kClipSeconds / seconds);
    }
    std::filesystem::remove_all(dir);
    return failures == 0 ? 0 : 1;
}
