#include "filter_chain.h"

#include "rational.h"

extern "C" {
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/channel_layout.h>
#include <libavutil/pixdesc.h>
}

namespace trel {
namespace {

struct InOutDeleter {
    void operator()(AVFilterInOut* io) const { avfilter_inout_free(&io); }
};
using InOutPtr = std::unique_ptr<AVFilterInOut, InOutDeleter>;

}  // namespace

std::string FilterChain::open_video(const AVCodecContext& decoder, AVRational time_base,
                                    AVRational frame_rate, const std::string& chain) {
    AVRational sar = decoder.sample_aspect_ratio;
    if (sar.num <= 0 || sar.den <= 0) {
        sar = AVRational{1, 1};
    }
    std::string args =
        "video_size=" + std::to_string(decoder.width) + "x" + std::to_string(decoder.height) +
        ":pix_fmt=" + std::to_string(static_cast<int>(decoder.pix_fmt)) +
        ":time_base=" + rational_text(time_base) + ":pixel_aspect=" + rational_text(sar);
    if (frame_rate.num > 0 && frame_rate.den > 0) {
        args += ":frame_rate=" + rational_text(frame_rate);
    }
    return finish("buffersink", args, chain);
}

std::string FilterChain::open_audio(const AVCodecContext& decoder, AVRational time_base,
                                    const std::string& chain) {
    AVChannelLayout layout{};
    if (decoder.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || decoder.ch_layout.nb_channels == 0) {
        av_channel_layout_default(&layout, std::max(decoder.ch_layout.nb_channels, 1));
    } else {
        av_channel_layout_copy(&layout, &decoder.ch_layout);
    }
    char layout_name[128] = {};
    av_channel_layout_describe(&layout, layout_name, sizeof layout_name);
    av_channel_layout_uninit(&layout);
    const std::string args = "time_base=" + rational_text(time_base) +
                             ":sample_rate=" + std::to_string(decoder.sample_rate) +
                             ":sample_fmt=" + av_get_sample_fmt_name(decoder.sample_fmt) +
                             ":channel_layout=" + layout_name;
    return finish("abuffersink", args, chain);
}

std::string FilterChain::finish(const char* sink_name, const std::string& source_args,
                                const std::string& chain) {
    graph_.reset(avfilter_graph_alloc());
    if (!graph_) {
        return "out of memory";
    }
    const bool video = std::string(sink_name) == "buffersink";
    int rc =
        avfilter_graph_create_filter(&source_, avfilter_get_by_name(video ? "buffer" : "abuffer"),
                                     "in", source_args.c_str(), nullptr, graph_.get());
    if (rc >= 0) {
        rc = avfilter_graph_create_filter(&sink_, avfilter_get_by_name(sink_name), "out", nullptr,
                                          nullptr, graph_.get());
    }
    if (rc < 0) {
        return "cannot set up filters (" + av_error_text(rc) + ")";
    }
    InOutPtr outputs(avfilter_inout_alloc());
    InOutPtr inputs(avfilter_inout_alloc());
    if (!outputs || !inputs) {
        return "out of memory";
    }
    outputs->name = av_strdup("in");
    outputs->filter_ctx = source_;
    inputs->name = av_strdup("out");
    inputs->filter_ctx = sink_;
    AVFilterInOut* in_raw = inputs.release();
    AVFilterInOut* out_raw = outputs.release();
    rc = avfilter_graph_parse_ptr(graph_.get(), chain.c_str(), &in_raw, &out_raw, nullptr);
    avfilter_inout_free(&in_raw);
    avfilter_inout_free(&out_raw);
    if (rc >= 0) {
        rc = avfilter_graph_config(graph_.get(), nullptr);
    }
    if (rc < 0) {
        return "cannot set up filters '" + chain + "' (" + av_error_text(rc) + ")";
    }
    return {};
}

void FilterChain::set_sink_frame_size(int samples) {
    av_buffersink_set_frame_size(sink_, static_cast<unsigned>(samples));
}

int FilterChain::push(AVFrame* frame) {
    return av_buffersrc_add_frame_flags(source_, frame, AV_BUFFERSRC_FLAG_KEEP_REF);
}

int FilterChain::close(int64_t pts) {
    return av_buffersrc_close(source_, pts, 0);
}

int FilterChain::pull(AVFrame* frame) {
    return av_buffersink_get_frame(sink_, frame);
}

}  // namespace trel
