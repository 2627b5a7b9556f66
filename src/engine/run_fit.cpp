#include "engine/run_fit.h"

#include <algorithm>

#include "engine/command_line.h"
#include "engine/disc_analysis.h"
#include "engine/free_space.h"
#include "engine/output_types.h"

namespace clipwright {

bool FitsType(FitDiscSize size, int32_t outputType) {
    return outputType == kTypeSvcd ? size == FitDiscSize::kCd80
                                   : outputType == kTypeDvd && size != FitDiscSize::kCd80;
}

RunFit::RunFit(int32_t outputType, std::string options, int64_t budgetBytes)
    : limits_(FitLimitsOfType(outputType).value_or(FitLimits{})),
      options_(std::move(options)),
      budget_(budgetBytes) {}

FitAnalysisResult RunFit::Analyse(const std::vector<const SourceItem*>& items,
                                  const std::atomic<bool>& stop,
                                  const std::function<void(size_t)>& measured) {
    files_.assign(items.size(), FitFile{});
    fixed_.assign(items.size(), std::nullopt);
    for (size_t i = 0; i < items.size(); ++i) {
        const SourceItem* item = items[i];
        if (item == nullptr) {
            fixed_[i] = 0;
            continue;
        }
        FitFile& file = files_[i];
        file.durationMs = item->durationMs > 0 ? PartOf(*item).lengthMs : 0;
        // A disc's title always has a picture (black for sound alone).
        file.hasAudio = !item->audioInfo.empty() || item->videoInfo.empty();
    }
    // Lengths first: a run that cannot be planned is told before any measuring.
    const FitPlan lengths = PlanFit(limits_, files_, budget_, fixed_);
    if (lengths.problem != FitProblem::kNone) {
        return {lengths.problem, lengths.problemFile};
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
    return {firstPlan_.problem, firstPlan_.problemFile};
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

}  // namespace clipwright
