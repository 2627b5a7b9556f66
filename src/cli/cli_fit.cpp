// clipwright-cli's several discs: the split of a run's titles and the discs made from it.
#include <algorithm>
#include <cstdlib>

#include "cli/cli_run.h"
#include "disc/disc_split.h"
#include "engine/batch_report.h"
#include "engine/child_io.h"
#include "engine/disc_fit.h"

namespace clipwright::cli {

int Batch::FitToDisc(bool quiet) {
    const FitDiscSize size = *options_.fitDisc;
    std::vector<const SourceItem*> items;
    for (size_t i = 0; i < rows_.size(); ++i) {
        items.push_back(RowItemIfProbed(i));
    }
    const size_t titles =
        static_cast<size_t>(std::count_if(items.begin(), items.end(), [](auto* i) { return i; }));
    const DiscKind kind = size == FitDiscSize::kCd80 ? DiscKind::kSvcd : DiscKind::kDvd;
    fit_ = std::make_unique<RunFit>(settings_.outputType, commandOptions_,
                                    static_cast<int64_t>(TitleBytesBudget(
                                        kind, static_cast<uint64_t>(FitDiscBytes(size)), titles)));
    const uint32_t began = CurrentTick();
    const FitAnalysisResult analysis =
        fit_->Analyse(items, stop_, [this, &items, quiet](size_t index) {
            if (progress_ == ProgressMode::kLines && !quiet) {
                std::fprintf(out_, "measured %s\n", items[index]->sourcePath.c_str());
                std::fflush(out_);
            }
        });
    if (stop_) {
        return kExitInterrupted;
    }
    switch (analysis.problem) {
        case FitProblem::kNone:
            break;
        case FitProblem::kUnknownDuration:
            Message("--fit-disc: the length of " + items[analysis.problemFile]->sourcePath +
                    " is not known, so the run cannot be fitted to a disc");
            return kExitFailed;
        case FitProblem::kTooLong:
            Message("--fit-disc: the run does not fit even at the lowest rate (" +
                    std::to_string(fit_->Limits().minAverage / 1000) +
                    " kbit/s); --disc --split-discs puts it on several discs");
            return kExitFailed;
        case FitProblem::kNoFiles:
            Message("--fit-disc: no file to fit");
            return kExitFailed;
    }
    if (progress_ != ProgressMode::kJson) {
        // A dry run's standard output holds only its command lines.
        std::fprintf(quiet ? err_ : out_,
                     "fitted to %.0f MB: average video rate %lld kbit/s (analysed in %.1f s)\n",
                     static_cast<double>(fit_->BudgetBytes()) / 1e6,
                     static_cast<long long>(fit_->AverageVideoRate() / 1000),
                     static_cast<double>(CurrentTick() - began) / 1000.0);
        std::fflush(out_);
    }
    return -1;
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
