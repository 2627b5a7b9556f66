// The probe report: a duration line and one line per video or audio stream, in the shapes the
// application parses. Kept well below 2047 bytes so one read of the application sees it all.
#pragma once

#include <string>

extern "C" {
#include <libavformat/avformat.h>
}

namespace trel {

std::string probe_report(const AVFormatContext& input);

}  // namespace trel
