// One conversion: reads the chosen part of the source, decodes, filters, encodes and writes the
// output, reporting progress. Stops early, still closing the output, when a stop signal comes.
#pragma once

#include <optional>

#include "options.h"
#include "targets.h"

namespace trel {

// Returns the process exit status: 0 when the whole output was written and closed.
int run_conversion(const Options& options, const std::optional<TargetPreset>& target);

}  // namespace trel
