// Rate options given together with a disc target: a fitted disc's own average and peak video
// rate, or a fixed quantiser for measuring how hard a source is. Pure; any thread.
#pragma once

#include <string>

#include "options.h"
#include "output_plan.h"
#include "targets.h"

namespace trel {

// Applies -b/-bt, -maxrate, -minrate and -cq to the target's video plan. The rates may move
// within what the disc's standard allows (the peak with the target's audio inside its
// multiplex); a Video CD and DV have fixed rates and take none. Returns an error line, or empty.
std::string apply_target_rates(const Options& options, const TargetPreset& target,
                               VideoPlan& video);

}  // namespace trel
