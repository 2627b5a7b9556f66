// The cost of the conversion path around the encoder: one generated clip converted to DVD PAL
// through RunConversion (process start, pipe reading, progress parsing, stop checks) and by
// running trelcore alone with the same arguments, alternately, in one run. Prints both mean
// times and their ratio. Usage: bench_conversion_overhead [clip seconds] [rounds]
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "bench_support.h"
#include "engine/command_line.h"
#include "engine/encoder_run.h"

namespace {

using clipwright::bench::Milliseconds;

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    if (seconds <= 0 || rounds <= 0) {
        std::fprintf(stderr, "usage: %s [clip seconds > 0] [rounds > 0]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("cw-overhead-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string source = (dir / "source.avi").string();
    std::printf("generating a %d s 640x480 25 fps clip...\n", seconds);
    if (!clipwright::bench::MakeClip(source, seconds)) {
        std::fprintf(stderr, "clipgen failed\n");
        return 1;
    }

    clipwright::SetEncoderName(TRELCORE_PATH);
    clipwright::ConversionSettings settings;
    settings.outputType = clipwright::kTypeDvd;
    settings.tvStandard = clipwright::kPal;
    const std::string options = clipwright::BuildOptions(settings);
    const std::string viaEngine = (dir / "engine.mpg").string();
    const std::string alone = (dir / "alone.mpg").string();
    const std::vector<std::string> aloneArgs = clipwright::SplitCommandLine(
        clipwright::BuildCommandLine(source, "bench", options, 0, seconds, alone));

    double engineMs = 0;
    double aloneMs = 0;
    int failures = 0;
    for (int round = 0; round < rounds; ++round) {
        std::filesystem::remove(viaEngine);
        clipwright::EncoderRun run;
        auto start = std::chrono::steady_clock::now();
        failures +=
            clipwright::RunConversion(run, source, viaEngine, "bench", options, 0, seconds) != 0;
        engineMs += Milliseconds(std::chrono::steady_clock::now() - start);

        std::filesystem::remove(alone);
        start = std::chrono::steady_clock::now();
        failures += clipwright::bench::RunQuietly(aloneArgs) != 0;
        aloneMs += Milliseconds(std::chrono::steady_clock::now() - start);
    }
    engineMs /= rounds;
    aloneMs /= rounds;
    std::printf("clip: %d s, DVD PAL, %d rounds, %d failed runs\n", seconds, rounds, failures);
    std::printf("RunConversion:    %9.1f ms per conversion\n", engineMs);
    std::printf("trelcore alone:   %9.1f ms per conversion\n", aloneMs);
    std::printf("overhead ratio:   %9.3f\n", aloneMs > 0 ? engineMs / aloneMs : 0.0);
    std::filesystem::remove_all(dir);
    return failures == 0 ? 0 : 1;
}
