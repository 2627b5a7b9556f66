// How fast a DVD is made from converted files, against a plain copy of the same files in the
// same run: two generated clips converted to PAL DVD by trelcore, then authored (dvdauthor and
// genisoimage through AuthorDisc) and copied with std::filesystem::copy, alternately. Prints
// MB/s of input for both and their ratio. Usage: bench_disc_author [seconds per clip] [rounds]
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "bench_support.h"
#include "disc/disc_author.h"
#include "engine/command_line.h"
#include "engine/probe.h"

namespace {

namespace fs = std::filesystem;
using clipwright::bench::Milliseconds;

// A converted PAL DVD file of the clip, probed as the application probes it.
bool Convert(const fs::path& dir, const std::string& name, int seconds,
             clipwright::DiscTitle& title) {
    const std::string source = (dir / (name + ".avi")).string();
    const std::string output = (dir / (name + ".mpg")).string();
    if (!clipwright::bench::MakeClip(source, seconds) ||
        clipwright::bench::RunQuietly(
            {TRELCORE_PATH, "-target", "pal-dvd", "-i", source, "-y", output}) != 0) {
        return false;
    }
    clipwright::SourceItem probed;
    if (clipwright::Probe(probed, output) != 0) {
        return false;
    }
    title.path = output;
    title.durationMs = probed.durationMs;
    title.bytes = fs::file_size(output);
    title.video = clipwright::ParseVideoFacts(probed.videoInfo).value_or(clipwright::VideoFacts{});
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 75;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    if (seconds <= 0 || rounds <= 0) {
        std::fprintf(stderr, "usage: %s [seconds per clip > 0] [rounds > 0]\n", argv[0]);
        return 2;
    }
    const fs::path dir = fs::temp_directory_path() / ("cw-disc-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    clipwright::SetEncoderName(TRELCORE_PATH);
    std::printf("converting two %d s clips to PAL DVD...\n", seconds);
    clipwright::DiscJob job;
    job.kind = clipwright::DiscKind::kDvd;
    job.titles.resize(2);
    if (!Convert(dir, "one", seconds, job.titles[0]) ||
        !Convert(dir, "two", seconds, job.titles[1])) {
        std::fprintf(stderr, "making the DVD files failed\n");
        fs::remove_all(dir);
        return 1;
    }
    job.standard = clipwright::CheckTitles(job.kind, job.titles).standard;
    std::vector<clipwright::DiscTool> missing;
    job.tools = clipwright::LocateTools(job.kind, std::getenv("PATH"), missing);
    if (!missing.empty()) {
        std::fprintf(stderr, "%s is missing\n", clipwright::ToolProgram(missing[0]));
        fs::remove_all(dir);
        return 1;
    }
    const double megabytes =
        static_cast<double>(job.titles[0].bytes + job.titles[1].bytes) / (1024.0 * 1024.0);

    double authorMs = 0;
    double copyMs = 0;
    int failures = 0;
    for (int round = 0; round < rounds; ++round) {
        job.targetFolder = (dir / "disc").string();
        job.imageName = "disc";
        job.volumeLabel = "DISC";
        fs::remove_all(job.targetFolder);
        clipwright::DiscProgress progress;
        auto start = std::chrono::steady_clock::now();
        failures += clipwright::AuthorDisc(job, progress).outcome != clipwright::DiscOutcome::kDone;
        authorMs += Milliseconds(std::chrono::steady_clock::now() - start);

        const fs::path copies = dir / "copy";
        fs::remove_all(copies);
        start = std::chrono::steady_clock::now();
        fs::create_directories(copies);
        for (const clipwright::DiscTitle& title : job.titles) {
            fs::copy(title.path, copies / fs::path(title.path).filename());
        }
        copyMs += Milliseconds(std::chrono::steady_clock::now() - start);
    }
    fs::remove_all(dir);
    if (failures != 0) {
        std::fprintf(stderr, "%d authoring runs failed\n", failures);
        return 1;
    }
    const double authorRate = megabytes * rounds / (authorMs / 1000.0);
    const double copyRate = megabytes * rounds / (copyMs / 1000.0);
    std::printf("input: %.1f MB in 2 files, %d rounds\n", megabytes, rounds);
    std::printf("author DVD (dvdauthor + genisoimage): %8.1f ms  %8.1f MB/s\n", authorMs / rounds,
                authorRate);
    std::printf("plain copy (std::filesystem):         %8.1f ms  %8.1f MB/s\n", copyMs / rounds,
                copyRate);
    std::printf("copy is %.1f times as fast as authoring\n", copyRate / authorRate);
    return 0;
}
