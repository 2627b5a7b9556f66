// Opening the video and audio encoders the plan asks for.
#pragma once

#include <string>

#include "av_handles.h"
#include "output_plan.h"

namespace trel {

struct OpenedEncoder {
    CodecContextPtr context;
    std::string error;  // reason when context is empty
};

// global_header: the container wants codec headers out of band (MP4, MOV, MKV).
// The MPEG-1/2 encoders get trelcore's quality settings unless legacy_tuning() holds.
OpenedEncoder open_video_encoder(const VideoPlan& plan, bool global_header);
OpenedEncoder open_audio_encoder(const AudioPlan& plan, bool global_header);

// True when the environment variable TRELCORE_TUNING is "legacy": the MPEG-1/2 encoders then keep
// the library's defaults, as trelcore had them before, so a benchmark can compare both in one run.
bool legacy_tuning();

}  // namespace trel
