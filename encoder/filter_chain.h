// A filter graph with one source and one sink: decoded source frames in, encoder-ready frames
// out. Owns its graph; not thread-safe.
#pragma once

#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/avfilter.h>
}

#include "av_handles.h"

namespace trel {

class FilterChain {
public:
    // Builds "buffer -> chain -> buffersink" for a video decoder's frames; time_base is the
    // source stream's. Returns an empty string on success, else the reason.
    std::string open_video(const AVCodecContext& decoder, AVRational time_base,
                           AVRational frame_rate, const std::string& chain);
    std::string open_audio(const AVCodecContext& decoder, AVRational time_base,
                           const std::string& chain);

    // Audio: every frame out holds exactly this many samples (the last may hold fewer).
    void set_sink_frame_size(int samples);

    // Takes a reference to frame; pts in the source time base, already relative to the start.
    int push(AVFrame* frame);
    // Ends the input; pts is the end of the last frame in the source time base.
    int close(int64_t pts);
    // av_buffersink_get_frame: 0, AVERROR(EAGAIN) or AVERROR_EOF.
    int pull(AVFrame* frame);

    bool is_open() const { return graph_ != nullptr; }

private:
    std::string finish(const char* sink_name, const std::string& source_args,
                       const std::string& chain);

    FilterGraphPtr graph_;
    AVFilterContext* source_ = nullptr;  // owned by graph_
    AVFilterContext* sink_ = nullptr;    // owned by graph_
};

}  // namespace trel
