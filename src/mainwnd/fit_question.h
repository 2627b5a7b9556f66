// The question at Convert when a DVD or SVCD run would take more than one disc: fit it on one
// disc (the average video rate and the disc named), several discs, convert as it is, or cancel.
// FitOfferFor is pure; AskFit shows the question (through the message-box seams) on the
// user-interface thread.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/disc_fit.h"
#include "engine/run_fit.h"
#include "engine/source_item.h"

class QWidget;

namespace clipwright {

struct FitOffer {
    int64_t runMs = 0;          // the run's length, the parts converted
    int64_t standardBytes = 0;  // the run at the type's standard rate
    int64_t discBytes = 0;      // one blank disc of the smallest size the question names
    FitDiscSize disc = FitDiscSize::kDvd5;   // the disc Fit fills
    FitProblem problem = FitProblem::kNone;  // kNone: Fit is offered
    int64_t averageRate = 0;                 // bit/s of video, when Fit is offered
    int64_t lowestRate = 0;                  // bit/s, the type's lowest average
    std::string unknownFile;                 // kUnknownDuration: the file's path
};

// nullopt when the run needs no question: not a DVD or SVCD run, or within one disc (4.7 GB,
// an 80-minute CD) at the standard rate. A DVD run too long for a single layer is fitted to a
// double layer. Null items (rows not converted) count nothing.
std::optional<FitOffer> FitOfferFor(int32_t outputType,
                                    const std::vector<const SourceItem*>& items);

enum class FitChoice { kFit, kSeveralDiscs, kAsItIs, kCancel };

// The question's text: the length, the estimate and the disc; and why Fit is not offered when
// it is not.
std::string FitQuestionText(const FitOffer& offer);
// Asks; Fit is among the choices only when the offer allows it. The seam's answers: 1 Fit,
// 2 Several discs, 3 as it is when Fit is offered; else 1 Several discs, 2 as it is.
FitChoice AskFit(QWidget* parent, const FitOffer& offer);

// What Convert goes on with for a disc run.
struct FitDecision {
    bool go = true;               // false: cancelled (also during the analysis pass)
    std::shared_ptr<RunFit> fit;  // Fit: measured and planned, for the run's worker
    int64_t discBytes = 0;        // Fit: the disc filled; 0 otherwise
    bool severalDiscs = false;    // the disc step splits the titles
};

// The question when the run needs it, and for Fit the analysis pass under the disc dialog
// (Cancel stops it; it writes nothing). options: the run's encoder options.
FitDecision DecideDiscFit(QWidget* parent, int32_t outputType, const std::string& options,
                          const std::vector<const SourceItem*>& items);

}  // namespace clipwright
