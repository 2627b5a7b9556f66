// A run fitted to one disc: the analysis pass over its files, the plan, and each file's options
// planned again from what the files finished so far wrote. Thread-safe: the conversion's
// workers ask for options and report sizes at once; Analyse blocks (worker thread).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "engine/disc_fit.h"
#include "engine/source_item.h"

namespace clipwright {

// What RunFit::Analyse found.
struct FitAnalysisResult {
    FitProblem problem = FitProblem::kNone;  // kNone: the run can be fitted (or stop was set)
    size_t problemFile = 0;                  // the index in items of the file a problem is about
};

class RunFit {
public:
    // options: the run's standard encoder options; outputType DVD or SVCD; budgetBytes: what
    // the titles may take on the disc (TitleBytesBudget of the disc for the run's titles).
    RunFit(int32_t outputType, std::string options, int64_t budgetBytes);

    // Measures every file (null: a row that will not be converted) and plans the run; a run
    // that cannot be planned is told before anything is measured. measured(i) is called after
    // each file. Returns kNone at once when stop is set: the caller checks stop.
    FitAnalysisResult Analyse(const std::vector<const SourceItem*>& items,
                              const std::atomic<bool>& stop,
                              const std::function<void(size_t)>& measured = {});
    const FitLimits& Limits() const { return limits_; }

    // The options for file index, from a plan of the files not started yet; the file is then
    // held at its planned size until Finished.
    std::string OptionsFor(size_t index);
    // The real size the file's output came to (0 when it failed: it takes no room).
    void Finished(size_t index, int64_t bytes);
    // After Finished: when the file's output came out so large that the files still to come
    // have no room left even at the lowest rate (the run would pass the disc), the options to
    // make it again at a rate that leaves them room, and the file is held at that size; nullopt
    // when the plan still holds, when the file was made again already, or when no lower rate
    // is left to take.
    std::optional<std::string> RemakeOptions(size_t index);

    int64_t AverageVideoRate() const { return firstPlan_.averageVideoRate; }
    int64_t PlannedBytes() const { return firstPlan_.plannedBytes; }
    int64_t BudgetBytes() const { return budget_; }

private:
    FitLimits limits_;
    std::string options_;
    int64_t budget_ = 0;
    FitPlan firstPlan_;
    std::mutex lock_;
    std::vector<FitFile> files_;
    std::vector<std::optional<int64_t>> fixed_;  // under lock_
    std::vector<int64_t> rates_;                 // under lock_: the video rate each was given
    std::vector<bool> remade_;                   // under lock_
};

// "dvd5" and the like as the disc a type can be fitted to: DVD on dvd5 or dvd9, SVCD on cd80.
bool FitsType(FitDiscSize size, int32_t outputType);

}  // namespace clipwright
