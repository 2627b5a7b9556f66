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
OpenedEncoder open_video_encoder(const VideoPlan& plan, bool global_header);
OpenedEncoder open_audio_encoder(const AudioPlan& plan, bool global_header);

}  // namespace trel
