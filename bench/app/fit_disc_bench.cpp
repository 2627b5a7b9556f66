// A run fitted to a disc: equal rates for every file against rates shared out by the analysis
// pass. Three generated 720x576 clips of very different difficulty (a near-still scene, the
// camera-like one, a grainy one in motion), and a "disc" scaled down so that the run at the
// DVD's standard rate is 1.6 discs (the planning is the same at any size). Each plan converts
// the files one after another, planning the rest again from each output's real size, as a run
// does. Prints for both: the total against the disc, each file's rate and luma PSNR, the worst
// file's PSNR; and the analysis pass's time against the conversion's.
//
// Usage: bench_fit_disc [seconds per clip, default 12] [scratch folder]

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "bench_support.h"
#include "engine/command_line.h"
#include "engine/disc_analysis.h"
#include "engine/disc_fit.h"
#include "engine/free_space.h"
#include "engine/output_types.h"
#include "engine/probe.h"
#include "picture_quality.h"

namespace {

namespace fs = std::filesystem;
using clipwright::bench::Milliseconds;
using clipwright::bench::RunQuietly;

double Mb(int64_t bytes) {
    return static_cast<double>(bytes) / 1e6;
}

struct Clip {
    std::string name;
    std::vector<std::string> options;
    clipwright::SourceItem item;
};

struct Outcome {
    std::vector<int64_t> rates;  // video kbit/s as converted
    std::vector<int64_t> bytes;
    std::vector<double> psnr;
    double seconds = 0.0;  // wall time of the conversions
};

// Converts the clips one after another, each at the rate planned from what the earlier ones
// wrote.
Outcome Convert(const clipwright::FitLimits& limits, const std::vector<Clip>& clips,
                const std::vector<clipwright::FitFile>& files, int64_t budget,
                const std::string& options, const std::string& folder, const std::string& tag) {
    Outcome outcome;
    std::vector<std::optional<int64_t>> fixed;
    const auto began = std::chrono::steady_clock::now();
    for (size_t i = 0; i < clips.size(); ++i) {
        const clipwright::FitPlan plan = clipwright::PlanFit(limits, files, budget, fixed);
        const int64_t rate = plan.videoRates[i] > 0 ? plan.videoRates[i] : limits.minAverage;
        const std::vector<std::string> rateOptions = clipwright::FitRateOptions(limits, rate);
        const std::string out = folder + clips[i].name + "-" + tag + ".mpg";
        std::vector<std::string> args = {TRELCORE_PATH, "-i", clips[i].item.sourcePath};
        // The program's word first, as a command line has it; the options after it.
        const std::vector<std::string> words = clipwright::SplitCommandLine(
            "trelcore " + clipwright::OptionsAfterTarget(options, rateOptions));
        args.insert(args.end(), words.begin() + 1, words.end());
        args.insert(args.end(), {"-y", out});
        if (RunQuietly(args) != 0) {
            std::fprintf(stderr, "conversion of %s failed\n", out.c_str());
            std::exit(1);
        }
        const auto bytes = static_cast<int64_t>(fs::file_size(out));
        fixed.push_back(bytes);
        outcome.rates.push_back(rate / 1000);
        outcome.bytes.push_back(bytes);
    }
    outcome.seconds = Milliseconds(std::chrono::steady_clock::now() - began) / 1000.0;
    for (size_t i = 0; i < clips.size(); ++i) {
        const std::string out = folder + clips[i].name + "-" + tag + ".mpg";
        const quality::Comparison compared = quality::compare(clips[i].item.sourcePath, out);
        outcome.psnr.push_back(quality::summarize(compared.pictures).psnr);
    }
    return outcome;
}

void Print(const char* title, const std::vector<Clip>& clips, const Outcome& outcome,
           int64_t disc) {
    int64_t total = 0;
    for (const int64_t bytes : outcome.bytes) {
        total += bytes;
    }
    std::printf("%s: %.2f MB of %.2f MB (%.1f %%), %.1f s converting\n", title, Mb(total), Mb(disc),
                100.0 * static_cast<double>(total) / static_cast<double>(disc), outcome.seconds);
    for (size_t i = 0; i < clips.size(); ++i) {
        std::printf("  %-7s %5lld kbit/s  %8.2f MB  PSNR-Y %.2f dB\n", clips[i].name.c_str(),
                    static_cast<long long>(outcome.rates[i]), Mb(outcome.bytes[i]),
                    outcome.psnr[i]);
    }
    std::printf("  worst file PSNR-Y %.2f dB\n",
                *std::min_element(outcome.psnr.begin(), outcome.psnr.end()));
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(2, std::atoi(argv[1])) : 12;
    const std::string folder =
        (argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "bench_fit_disc").string() +
        "/";
    fs::create_directories(folder);
    clipwright::SetEncoderName(TRELCORE_PATH);

    std::vector<Clip> clips = {{"still", {"--motion", "0", "--grain", "0"}, {}},
                               {"camera", {}, {}},
                               {"grain", {"--motion", "60", "--grain", "20"}, {}}};
    for (Clip& clip : clips) {
        const std::string path = folder + clip.name + ".mkv";
        std::vector<std::string> args = {
            CLIPGEN_PATH, path,       "--natural", "--duration", std::to_string(seconds),
            "--size",     "720x576",  "--sar",     "16:15",      "--rate",
            "25",         "--vcodec", "ffv1",      "--acodec",   "mp2"};
        args.insert(args.end(), clip.options.begin(), clip.options.end());
        if (RunQuietly(args) != 0 || clipwright::Probe(clip.item, path) != 0) {
            std::fprintf(stderr, "clip %s could not be made\n", path.c_str());
            return 1;
        }
        clip.item.selStart = 0;
        clip.item.selEnd = clip.item.duration;
    }

    clipwright::ConversionSettings settings;
    settings.outputType = clipwright::kTypeDvd;
    settings.tvStandard = clipwright::kPal;
    const std::string options = clipwright::BuildOptions(settings);
    const clipwright::FitLimits limits = *clipwright::FitLimitsOfType(clipwright::kTypeDvd);
    std::vector<clipwright::FitFile> equal(clips.size());
    for (size_t i = 0; i < clips.size(); ++i) {
        equal[i].durationMs = clipwright::PartOf(clips[i].item).lengthMs;
    }
    const int64_t disc = clipwright::StandardRunBytes(limits, equal) * 10 / 16;
    std::printf("%zu clips of %d s; the run at the standard rate is 1.6 discs of %.2f MB\n",
                clips.size(), seconds, Mb(disc));

    // The analysis pass.
    std::vector<clipwright::FitFile> measured = equal;
    const std::atomic<bool> go{false};
    const auto began = std::chrono::steady_clock::now();
    for (size_t i = 0; i < clips.size(); ++i) {
        const int64_t audio = limits.audio + limits.audio * clipwright::kMuxOverheadPerMille / 1000;
        measured[i].difficulty =
            clipwright::MeasureDifficulty(clips[i].item, options, audio, go).value_or(0.0);
    }
    const double analysis = Milliseconds(std::chrono::steady_clock::now() - began) / 1000.0;
    for (size_t i = 0; i < clips.size(); ++i) {
        std::printf("  %-7s measured %.0f kbit/s at quantiser %d\n", clips[i].name.c_str(),
                    measured[i].difficulty / 1000, clipwright::kAnalysisQuantiser);
    }

    const Outcome even = Convert(limits, clips, equal, disc, options, folder, "equal");
    const Outcome fitted = Convert(limits, clips, measured, disc, options, folder, "planned");
    Print("equal rates", clips, even, disc);
    Print("planned rates", clips, fitted, disc);
    const double worstEven = *std::min_element(even.psnr.begin(), even.psnr.end());
    const double worstFitted = *std::min_element(fitted.psnr.begin(), fitted.psnr.end());
    std::printf("worst file: %+.2f dB planned against equal\n", worstFitted - worstEven);
    std::printf("analysis pass %.1f s = %.1f %% of the conversion's %.1f s\n", analysis,
                100.0 * analysis / fitted.seconds, fitted.seconds);
    return 0;
}
