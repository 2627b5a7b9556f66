#include "mainwnd/fit_question.h"

#include <algorithm>

#include "base/string_ids.h"
#include "base/text_format.h"
#include "dialogs/disc_dialog.h"
#include "disc/disc_split.h"
#include "engine/command_line.h"
#include "engine/output_types.h"
#include "support/resource_strings.h"
#include "ui/message_box.h"
#include "ui/modal_dialog.h"

namespace clipwright {

namespace {

std::string LengthText(int64_t ms) {
    const int64_t seconds = (ms + 500) / 1000;
    return FormatText("%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                      static_cast<long long>(seconds / 60 % 60),
                      static_cast<long long>(seconds % 60));
}

std::string SizeText(FitDiscSize disc, int64_t bytes) {
    if (disc == FitDiscSize::kCd80) {
        return DisplayDecimal(static_cast<double>(bytes) / 1e6, 0) + " MB";
    }
    return DisplayDecimal(static_cast<double>(bytes) / 1e9, 2) + " GB";
}

int DiscWordId(FitDiscSize disc) {
    switch (disc) {
        case FitDiscSize::kDvd5:
            return kIdsFitSingleLayer;
        case FitDiscSize::kDvd9:
            return kIdsFitDoubleLayer;
        case FitDiscSize::kCd80:
            return kIdsFitCd;
    }
    return kIdsFitCd;
}

FitPlan PlanOn(const FitLimits& limits, const std::vector<FitFile>& files, FitDiscSize disc) {
    const DiscKind kind = disc == FitDiscSize::kCd80 ? DiscKind::kSvcd : DiscKind::kDvd;
    const auto budget = static_cast<int64_t>(
        TitleBytesBudget(kind, static_cast<uint64_t>(FitDiscBytes(disc)), files.size()));
    return PlanFit(limits, files, budget);
}

}  // namespace

std::optional<FitOffer> FitOfferFor(int32_t outputType,
                                    const std::vector<const SourceItem*>& items) {
    const std::optional<FitLimits> limits = FitLimitsOfType(outputType);
    if (!limits) {
        return std::nullopt;
    }
    FitOffer offer;
    offer.lowestRate = limits->minAverage;
    offer.disc = outputType == kTypeSvcd ? FitDiscSize::kCd80 : FitDiscSize::kDvd5;
    offer.discBytes = FitDiscBytes(offer.disc);
    std::vector<FitFile> files;
    std::vector<const SourceItem*> planned;
    for (const SourceItem* item : items) {
        if (item == nullptr) {
            continue;
        }
        FitFile file;
        file.durationMs = item->durationMs > 0 ? PartOf(*item).lengthMs : 0;
        file.hasAudio = !item->audioInfo.empty() || item->videoInfo.empty();
        offer.runMs += std::max<int64_t>(file.durationMs, 0);
        files.push_back(file);
        planned.push_back(item);
    }
    offer.standardBytes = StandardRunBytes(*limits, files);
    if (files.empty() || offer.standardBytes <= offer.discBytes) {
        return std::nullopt;
    }
    FitPlan plan = PlanOn(*limits, files, offer.disc);
    if (plan.problem == FitProblem::kTooLong && offer.disc == FitDiscSize::kDvd5) {
        const FitPlan doubled = PlanOn(*limits, files, FitDiscSize::kDvd9);
        if (doubled.problem != FitProblem::kTooLong) {
            offer.disc = FitDiscSize::kDvd9;
            plan = doubled;
        }
    }
    offer.problem = plan.problem;
    offer.averageRate = plan.averageVideoRate;
    if (plan.problem == FitProblem::kUnknownDuration) {
        offer.unknownFile = planned[plan.problemFile]->sourcePath;
    }
    return offer;
}

std::string FitQuestionText(const FitOffer& offer) {
    const FitDiscSize smallest =
        offer.disc == FitDiscSize::kCd80 ? FitDiscSize::kCd80 : FitDiscSize::kDvd5;
    std::string text = LoadResourceString(kIdsFitQuestion, LengthText(offer.runMs),
                                          SizeText(smallest, offer.standardBytes),
                                          SizeText(smallest, offer.discBytes));
    if (offer.problem == FitProblem::kTooLong) {
        text +=
            "\n\n" + LoadResourceString(kIdsFitTooLong, static_cast<int>(offer.lowestRate / 1000));
    } else if (offer.problem == FitProblem::kUnknownDuration) {
        text += "\n\n" + LoadResourceString(kIdsFitUnknownLength, offer.unknownFile);
    }
    return text;
}

FitChoice AskFit(QWidget* parent, const FitOffer& offer) {
    std::vector<FitChoice> meaning;
    std::vector<std::string> choices;
    if (offer.problem == FitProblem::kNone) {
        meaning.push_back(FitChoice::kFit);
        choices.push_back(LoadResourceString(kIdsFitChoiceFit,
                                             static_cast<int>(offer.averageRate / 1000),
                                             LoadResourceString(DiscWordId(offer.disc))));
    }
    meaning.push_back(FitChoice::kSeveralDiscs);
    choices.push_back(LoadResourceString(kIdsFitChoiceSeveral));
    meaning.push_back(FitChoice::kAsItIs);
    choices.push_back(LoadResourceString(kIdsFitChoiceAsItIs));
    const int answer =
        ShowChoiceBox(parent, FitQuestionText(offer), choices, MessageIcon::kQuestion);
    if (answer < 1 || static_cast<size_t>(answer) > meaning.size()) {
        return FitChoice::kCancel;
    }
    return meaning[static_cast<size_t>(answer) - 1];
}

FitDecision DecideDiscFit(QWidget* parent, int32_t outputType, const std::string& options,
                          const std::vector<const SourceItem*>& items) {
    FitDecision decision;
    const std::optional<FitOffer> offer = FitOfferFor(outputType, items);
    if (!offer) {
        return decision;
    }
    switch (AskFit(parent, *offer)) {
        case FitChoice::kCancel:
            decision.go = false;
            return decision;
        case FitChoice::kAsItIs:
            return decision;
        case FitChoice::kSeveralDiscs:
            decision.severalDiscs = true;
            return decision;
        case FitChoice::kFit:
            break;
    }
    const size_t titles = static_cast<size_t>(
        std::count_if(items.begin(), items.end(), [](const SourceItem* item) { return item; }));
    const DiscKind kind = offer->disc == FitDiscSize::kCd80 ? DiscKind::kSvcd : DiscKind::kDvd;
    auto fit = std::make_shared<RunFit>(
        outputType, options,
        static_cast<int64_t>(
            TitleBytesBudget(kind, static_cast<uint64_t>(FitDiscBytes(offer->disc)), titles)));
    FitProblem problem = FitProblem::kNone;
    DiscDialog dialog(parent, [&](DiscProgress& progress) {
        const auto measured = [&](size_t index) {
            progress.percent.store(static_cast<int>((index + 1) * 100 / items.size()));
        };
        problem = fit->Analyse(items, progress.abortRequested, measured).problem;
    });
    dialog.SetStartText(LoadResourceString(kIdsFitMeasuring));
    RunModalDialog(dialog);
    if (dialog.CancelRequested() || problem != FitProblem::kNone) {
        decision.go = false;
        return decision;
    }
    decision.fit = std::move(fit);
    decision.discBytes = FitDiscBytes(offer->disc);
    return decision;
}

}  // namespace clipwright
