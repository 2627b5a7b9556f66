// Picture quality per bit of trelcore's disc and H.264 outputs. Converts a generated 12 s
// 720x576 4:3 clip that looks like camera footage (panning texture, a moving ball, film grain)
// to pal-dvd, ntsc-dvd, pal-svcd, pal-vcd and H.264 in .mp4 at the DVD's 6000 kbit/s, and two
// more clips to pal-dvd and pal-svcd so no setting wins on one kind of picture only: a still
// scene with faint grain (the I-pictures' worst case) and the first clip with twice the grain; once
// with the encoder settings trelcore had before (TRELCORE_TUNING=legacy) and once with today's,
// and prints for each: luma PSNR and SSIM against the source, the mean PSNR of I-pictures and
// of the other pictures, the video bit rate, and the wall and processor seconds of the conversion
// (the faster of two runs each; processor time is steadier on a shared machine), the worst
// picture's PSNR and the mean change of PSNR from one picture to the next (how much quality
// swings between the picture types). Then the gains of today's settings: dB at the bit-rate
// ratio shown, and the time ratios. The clips last 12 s because one-pass rate control swings by a
// few tenths of a dB from one second to the next, and its first seconds are still settling: 4 s
// measured those swings as much as the settings.
//
// Usage: trelcore_quality_bench [scratch folder]

#include <sys/resource.h>
#include <sys/time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

extern "C" {
#include <libavutil/log.h>
}

#include "bench_support.h"
#include "picture_quality.h"

namespace {

struct Job {
    std::string name;
    std::vector<std::string> options;
    std::string extension;
    std::string source;  // path of the clip to convert
};

struct Result {
    quality::Summary summary;
    double worst_psnr = 0.0;   // dB, the lowest of any picture
    double psnr_step = 0.0;    // dB, mean absolute change from one picture to the next
    double kbits = 0.0;        // video bit rate, kbit/s
    double seconds = 0.0;      // wall time of the faster run
    double cpu_seconds = 0.0;  // processor time (user and system) of the cheaper run
    bool ok = false;
};

double children_cpu_seconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Timing {
    double wall = -1.0;  // seconds; negative when the conversion failed
    double cpu = 0.0;
};

// Runs one conversion with the chosen encoder settings.
Timing convert(const Job& job, bool legacy, const std::string& out) {
    if (legacy) {
        setenv("TRELCORE_TUNING", "legacy", 1);
    } else {
        unsetenv("TRELCORE_TUNING");
    }
    std::vector<std::string> args = {TRELCORE_PATH, "-i", job.source};
    args.insert(args.end(), job.options.begin(), job.options.end());
    args.insert(args.end(), {"-y", out});
    const double cpu_before = children_cpu_seconds();
    const auto start = std::chrono::steady_clock::now();
    const int rc = clipwright::bench::RunQuietly(args);
    const double ms = clipwright::bench::Milliseconds(std::chrono::steady_clock::now() - start);
    unsetenv("TRELCORE_TUNING");
    if (rc != 0) {
        return {};
    }
    return {ms / 1000.0, children_cpu_seconds() - cpu_before};
}

Result measure(const Job& job, bool legacy, const std::filesystem::path& dir) {
    Result r;
    const std::string out =
        (dir / ("out-" + job.name + (legacy ? "-legacy." : ".") + job.extension)).string();
    for (int run = 0; run < 2; ++run) {
        const Timing t = convert(job, legacy, out);
        if (t.wall < 0) {
            return r;
        }
        r.seconds = run == 0 ? t.wall : std::min(r.seconds, t.wall);
        r.cpu_seconds = run == 0 ? t.cpu : std::min(r.cpu_seconds, t.cpu);
    }
    const quality::Comparison c = quality::compare(job.source, out);
    if (!c.error.empty()) {
        std::fprintf(stderr, "%s: %s\n", job.name.c_str(), c.error.c_str());
        return r;
    }
    r.summary = quality::summarize(c.pictures);
    r.worst_psnr = c.pictures.empty() ? 0.0 : c.pictures.front().psnr;
    for (size_t i = 1; i < c.pictures.size(); ++i) {
        r.worst_psnr = std::min(r.worst_psnr, c.pictures[i].psnr);
        r.psnr_step += std::abs(c.pictures[i].psnr - c.pictures[i - 1].psnr);
    }
    if (c.pictures.size() > 1) {
        r.psnr_step /= static_cast<double>(c.pictures.size() - 1);
    }
    r.kbits = c.video_bit_rate / 1000.0;
    r.ok = true;
    return r;
}

void print_row(const std::string& name, const char* settings, const Result& r) {
    std::printf("%-11s %-7s %7.2f %7.4f %7.2f %7.2f %8.0f %7.2f %7.2f %7.2f %6.2f\n", name.c_str(),
                settings, r.summary.psnr, r.summary.ssim, r.summary.intra_psnr,
                r.summary.other_psnr, r.kbits, r.seconds, r.cpu_seconds, r.worst_psnr, r.psnr_step);
}

}  // namespace

int main(int argc, char** argv) {
    av_log_set_level(AV_LOG_ERROR);
    const std::filesystem::path dir =
        argc > 1 ? std::filesystem::path(argv[1])
                 : std::filesystem::temp_directory_path() / "trelcore-quality-bench";
    std::filesystem::create_directories(dir);
    const std::string natural = (dir / "natural.mkv").string();
    const std::string still = (dir / "still.mkv").string();
    const std::string grainy = (dir / "grainy.mkv").string();
    std::printf("generating three 12 s 720x576 25 fps natural clips...\n");
    const std::vector<std::pair<std::string, std::vector<std::string>>> clips = {
        {natural, {}}, {still, {"--motion", "0", "--grain", "0.5"}}, {grainy, {"--grain", "4"}}};
    for (const auto& [path, extra] : clips) {
        std::vector<std::string> args = {CLIPGEN_PATH, path,       "--natural", "--duration",
                                         "12",         "--size",   "720x576",   "--sar",
                                         "16:15",      "--rate",   "25",        "--vcodec",
                                         "ffv1",       "--acodec", "mp2"};
        args.insert(args.end(), extra.begin(), extra.end());
        if (clipwright::bench::RunQuietly(args) != 0) {
            std::fprintf(stderr, "clipgen failed\n");
            return 1;
        }
    }
    const std::vector<Job> jobs = {
        {"pal-dvd", {"-target", "pal-dvd"}, "mpg", natural},
        {"ntsc-dvd", {"-target", "ntsc-dvd"}, "mpg", natural},
        {"pal-svcd", {"-target", "pal-svcd"}, "mpg", natural},
        {"pal-vcd", {"-target", "pal-vcd"}, "mpg", natural},
        {"h264", {"-vcodec", "h264", "-b", "6000"}, "mp4", natural},
        {"dvd-still", {"-target", "pal-dvd"}, "mpg", still},
        {"svcd-still", {"-target", "pal-svcd"}, "mpg", still},
        {"dvd-grain4", {"-target", "pal-dvd"}, "mpg", grainy},
        {"svcd-grain4", {"-target", "pal-svcd"}, "mpg", grainy},
    };
    std::printf("%-11s %-7s %7s %7s %7s %7s %8s %7s %7s %7s %6s\n", "output", "set", "PSNR", "SSIM",
                "I-PSNR", "PB-PSNR", "kbit/s", "wall s", "cpu s", "worst", "step");
    std::vector<std::string> gains;
    int failures = 0;
    for (const Job& job : jobs) {
        const Result old_result = measure(job, true, dir);
        const Result new_result = measure(job, false, dir);
        if (!old_result.ok || !new_result.ok) {
            std::printf("%-11s failed\n", job.name.c_str());
            ++failures;
            continue;
        }
        print_row(job.name, "legacy", old_result);
        print_row(job.name, "new", new_result);
        char line[240];
        std::snprintf(line, sizeof line,
                      "%-11s %+6.2f dB PSNR  %+7.4f SSIM  I-gap %5.2f -> %5.2f dB  bits x%.3f  "
                      "wall x%.2f  cpu x%.2f",
                      job.name.c_str(), new_result.summary.psnr - old_result.summary.psnr,
                      new_result.summary.ssim - old_result.summary.ssim,
                      old_result.summary.other_psnr - old_result.summary.intra_psnr,
                      new_result.summary.other_psnr - new_result.summary.intra_psnr,
                      new_result.kbits / old_result.kbits, new_result.seconds / old_result.seconds,
                      new_result.cpu_seconds / old_result.cpu_seconds);
        gains.emplace_back(line);
    }
    std::printf("\nnew against legacy (I-gap: PB-PSNR minus I-PSNR):\n");
    for (const std::string& line : gains) {
        std::printf("%s\n", line.c_str());
    }
    std::filesystem::remove_all(dir);
    return failures == 0 ? 0 : 1;
}
