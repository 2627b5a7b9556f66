#include "cli/cli_fit.h"

#include <sys/stat.h>

#include <filesystem>

#include "base/text_format.h"
#include "cli/cli_run.h"
#include "disc/disc_split.h"
#include "engine/command_line.h"
#include "engine/disc_analysis.h"
#include "engine/free_space.h"
#include "engine/output_types.h"

namespace clipwright::cli {

namespace fs = std::filesystem;

bool FitsType(FitDiscSize size, int32_t outputType) {
    return outputType == kTypeSvcd ? size == FitDiscSize::kCd80
                                   : outputType == kTypeDvd && size != FitDiscSize::kCd80;
}

RunFit::RunFit(FitDiscSize size, int32_t outputType, std::string options)
    : size_(size),
      limits_(FitLimitsOfType(outputType).value_or(FitLimits{})),
      options_(std::move(options)) {}

std::string RunFit::Analyse(const std::vector<const SourceItem*>& items,
                            const std::atomic<bool>& stop,
                            const std::function<void(size_t)>& measured) {
    const DiscKind kind = size_ == FitDiscSize::kCd80 ? DiscKind::kSvcd : DiscKind::kDvd;
    files_.assign(items.size(), FitFile{});
    fixed_.assign(items.size(), std::nullopt);
    size_t titles = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        const SourceItem* item = items[i];
        if (item == nullptr) {
            fixed_[i] = 0;
            continue;
        }
        ++titles;
        FitFile& file = files_[i];
        file.durationMs = item->durationMs > 0 ? PartOf(*item).lengthMs : 0;
        // A disc's title always has a picture (black for sound alone).
        file.hasAudio = !item->audioInfo.empty() || item->videoInfo.empty();
    }
    budget_ = static_cast<int64_t>(
        TitleBytesBudget(kind, static_cast<uint64_t>(FitDiscBytes(size_)), titles));
    // Lengths first: a file that cannot be planned is told before any measuring.
    const FitPlan lengths = PlanFit(limits_, files_, budget_, fixed_);
    if (lengths.problem == FitProblem::kUnknownDuration) {
        return items[lengths.problemFile]->sourcePath +
               ": its length is not known, so the run cannot be fitted to a disc";
    }
    if (lengths.problem == FitProblem::kTooLong) {
        return "the run does not fit even at the lowest rate (" +
               std::to_string(limits_.minAverage / 1000) +
               " kbit/s); --split-discs puts it on "
               "several discs";
    }
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] == nullptr) {
            continue;
        }
        const int64_t audio =
            files_[i].hasAudio ? limits_.audio + limits_.audio * kMuxOverheadPerMille / 1000 : 0;
        const std::optional<double> difficulty =
            MeasureDifficulty(*items[i], options_, audio, stop);
        if (stop.load()) {
            return {};
        }
        files_[i].difficulty = difficulty.value_or(0.0);
        if (measured) {
            measured(i);
        }
    }
    firstPlan_ = PlanFit(limits_, files_, budget_, fixed_);
    if (firstPlan_.problem != FitProblem::kNone) {
        return "the run cannot be fitted to the disc";
    }
    return {};
}

std::string RunFit::OptionsFor(size_t index) {
    const std::lock_guard lock(lock_);
    if (index >= files_.size()) {
        return options_;
    }
    const FitPlan plan = PlanFit(limits_, files_, budget_, fixed_);
    // Too full by now: the rest go at the lowest rate, the nearest the disc can still come.
    const int64_t rate = plan.videoRates[index] > 0 ? plan.videoRates[index] : limits_.minAverage;
    fixed_[index] = FitFileBytes(limits_, files_[index], rate);
    return OptionsAfterTarget(options_, FitRateOptions(limits_, rate));
}

void RunFit::Finished(size_t index, int64_t bytes) {
    const std::lock_guard lock(lock_);
    if (index < fixed_.size()) {
        fixed_[index] = std::max<int64_t>(bytes, 0);
    }
}

}  // namespace clipwright::cli

namespace clipwright::cli {

int Batch::MakeSplitDiscs(DiscKind kind, const std::vector<DiscTitle>& titles,
                          const PlanCheck& check, const std::string& target, uint64_t capacity) {
    const DiscSplit split = SplitTitles(kind, titles, capacity);
    if (!split.tooLarge.empty()) {
        std::string files;
        for (const size_t index : split.tooLarge) {
            files += "\n  " + titles[index].path;
        }
        Message("--split-discs: these files are larger than one disc on their own:" + files);
        return kExitFailed;
    }
    DiscJob job;
    job.kind = kind;
    job.standard = check.standard;
    job.titles = titles;
    job.targetFolder = target;
    std::vector<DiscTool> missing;
    job.tools = LocateTools(kind, std::getenv("PATH"), missing);
    for (size_t n = 0; n < split.discs.size(); ++n) {
        const std::string folder = NumberedDiscFolder(target, n + 1);
        const TargetState state = CheckTarget(folder);
        if (state == TargetState::kNotEmpty || state == TargetState::kNotFolder) {
            Message("--split-discs: " + folder + " must be a new or empty folder");
            return kExitFailed;
        }
    }
    if (progress_ != ProgressMode::kJson) {
        std::fprintf(out_, "making %zu discs in %s 1 to %zu\n", split.discs.size(), target.c_str(),
                     split.discs.size());
        std::fflush(out_);
    }
    const SplitResult result = AuthorDiscs(job, split, discProgress_);
    switch (result.outcome) {
        case DiscOutcome::kDone:
            break;
        case DiscOutcome::kCancelled:
            Message("the discs were not made: interrupted");
            return kExitInterrupted;
        case DiscOutcome::kFailed:
            Message("--split-discs: the discs were not made: " + result.errorLine);
            return kExitFailed;
    }
    // Which titles are on which disc, then the images as a single disc lists them.
    for (size_t n = 0; n < split.discs.size(); ++n) {
        for (const size_t index : split.discs[n]) {
            if (progress_ == ProgressMode::kJson) {
                std::fprintf(out_, "{\"event\":\"disc-title\",\"disc\":%zu,\"file\":%s}\n", n + 1,
                             JsonString(titles[index].path).c_str());
            } else {
                std::fprintf(out_, "disc %zu title %s\n", n + 1, titles[index].path.c_str());
            }
        }
        for (const std::string& file : result.files[n]) {
            if (progress_ == ProgressMode::kJson) {
                std::fprintf(out_, "{\"event\":\"disc\",\"disc\":%zu,\"file\":%s}\n", n + 1,
                             JsonString(file).c_str());
            } else {
                std::fprintf(out_, "disc %s\n", file.c_str());
            }
        }
    }
    std::fflush(out_);
    return kExitConverted;
}

}  // namespace clipwright::cli
