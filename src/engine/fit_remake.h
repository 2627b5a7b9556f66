// Making a fitted run's file again, smaller, when its output came out so large that the run
// would pass its disc. The new output is written under a hidden name beside the first and put
// over it only when whole, so a failed or stopped remake leaves the first output as it was.
// Blocks the calling (worker) thread while the encoder runs.
#pragma once

#include <cstddef>
#include <functional>

#include "engine/encoder_run.h"
#include "engine/run_fit.h"
#include "engine/source_item.h"

namespace clipwright {

// Tells fit the size of item's output (fit's file index), and remakes it when fit asks for a
// lower rate (RunFit::RemakeOptions); fit is then told the size of what stays. run carries the
// remake's progress and its abort flag as it carries a conversion's; stopped() is asked before
// the remake starts and after it ends: true keeps the first output. starting(), when given, is
// called once as the remake starts.
void FinishFittedFile(RunFit& fit, size_t index, EncoderRun& run, const SourceItem& item,
                      const std::function<bool()>& stopped,
                      const std::function<void()>& starting = {});

}  // namespace clipwright
