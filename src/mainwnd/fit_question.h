// The question at Convert when a DVD or SVCD run would take more than one disc: fit it on one
// disc (the average video rate and the disc named), several discs, convert as it is, or cancel.
// FitOfferFor is pure; AskFit shows the question (through the message-box seams) on the
// user-interface thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/disc_fit.h"
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
// Asks; Fit is among the choices only when the offer allows it.
FitChoice AskFit(QWidget* parent, const FitOffer& offer);

}  // namespace clipwright
