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
    rates_.assign(items.size(), 0);
    remade_.assign(items.size(), false);
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
    rates_[index] = rate;
    return OptionsAfterTarget(options_, FitRateOptions(limits_, rate));
}

void RunFit::Finished(size_t index, int64_t bytes) {
    const std::lock_guard lock(lock_);
    if (index < fixed_.size()) {
        fixed_[index] = std::max<int64_t>(bytes, 0);
    }
}

std::optional<std::string> RunFit::RemakeOptions(size_t index) {
    const std::lock_guard lock(lock_);
    if (index >= files_.size() || remade_[index] || !fixed_[index] || rates_[index] <= 0 ||
        !files_[index].hasVideo) {
        return std::nullopt;
    }
    const int64_t made = *fixed_[index];
    // What the others take: the finished and started ones as they are, the rest at the least.
    int64_t others = 0;
    for (size_t i = 0; i < files_.size(); ++i) {
        if (i != index) {
            others += fixed_[i] ? *fixed_[i] : FitFileBytes(limits_, files_[i], limits_.minAverage);
        }
    }
    if (made + others <= budget_) {
        return std::nullopt;
    }
    // The encoder missed its plan by this much; the new rate expects it to miss alike.
    const int64_t planned = FitFileBytes(limits_, files_[index], rates_[index]);
    const double miss = planned > 0 ? static_cast<double>(made) / static_cast<double>(planned) : 1;
    const double allowed =
        static_cast<double>(budget_) * kFitAimPerMille / 1000.0 - static_cast<double>(others);
    const auto bytesAt = [&](int64_t rate) {
        return static_cast<double>(FitFileBytes(limits_, files_[index], rate)) * miss;
    };
    int64_t low = limits_.minAverage;
    int64_t high = rates_[index];
    if (low >= high) {
        return std::nullopt;
    }
    // The highest rate whose expected size is allowed; the lowest when none is.
    while (high - low > 1000) {
        const int64_t middle = low + (high - low) / 2;
        (bytesAt(middle) <= allowed ? low : high) = middle;
    }
    remade_[index] = true;
    rates_[index] = low;
    fixed_[index] = static_cast<int64_t>(bytesAt(low));
    return OptionsAfterTarget(options_, FitRateOptions(limits_, low));
}

}  // namespace clipwright
