#include "output_file.h"

extern "C" {
#include <libavutil/opt.h>
}

namespace trel {

OutputFile::~OutputFile() {
    if (context_ == nullptr) {
        return;
    }
    if (context_->pb != nullptr && !(context_->oformat->flags & AVFMT_NOFILE)) {
        avio_closep(&context_->pb);
    }
    avformat_free_context(context_);
}

std::string OutputFile::create(const OutputPlan& plan, const std::string& path,
                               const std::optional<std::string>& title) {
    const int rc = avformat_alloc_output_context2(&context_, plan.format, nullptr, path.c_str());
    if (rc < 0 || context_ == nullptr) {
        return "cannot set up the " + std::string(plan.format->name) + " muxer (" +
               av_error_text(rc) + ")";
    }
    if (plan.packet_size > 0) {
        context_->packet_size = static_cast<unsigned>(plan.packet_size);
    }
    if (title) {
        av_dict_set(&context_->metadata, "title", title->c_str(), 0);
    }
    return {};
}

bool OutputFile::wants_global_header() const {
    return context_ != nullptr && (context_->oformat->flags & AVFMT_GLOBALHEADER);
}

int OutputFile::add_stream(const AVCodecContext& encoder) {
    AVStream* st = avformat_new_stream(context_, nullptr);
    if (st == nullptr) {
        return AVERROR(ENOMEM);
    }
    const int rc = avcodec_parameters_from_context(st->codecpar, &encoder);
    if (rc < 0) {
        return rc;
    }
    st->time_base = encoder.time_base;
    if (encoder.codec_type == AVMEDIA_TYPE_VIDEO) {
        st->avg_frame_rate = encoder.framerate;
        st->r_frame_rate = encoder.framerate;
        st->sample_aspect_ratio = encoder.sample_aspect_ratio;
    }
    // The MPEG program stream muxers size their buffers and mux rate from the coded picture
    // buffer properties; they must be on the stream before the header is written.
    for (int i = 0; i < encoder.nb_coded_side_data; ++i) {
        const AVPacketSideData& sd = encoder.coded_side_data[i];
        uint8_t* copy = av_stream_new_side_data(st, sd.type, sd.size);
        if (copy == nullptr) {
            return AVERROR(ENOMEM);
        }
        memcpy(copy, sd.data, sd.size);
    }
    return st->index;
}

std::string OutputFile::open(const OutputPlan& plan, const std::string& write_path) {
    if (!(context_->oformat->flags & AVFMT_NOFILE)) {
        // "file:" keeps a name with a colon from being taken for another protocol.
        const std::string url = "file:" + write_path;
        const int rc = avio_open(&context_->pb, url.c_str(), AVIO_FLAG_WRITE);
        if (rc < 0) {
            return "cannot write (" + av_error_text(rc) + ")";
        }
    }
    AVDictionary* options = nullptr;
    if (plan.mux_rate > 0) {
        av_dict_set_int(&options, "muxrate", plan.mux_rate, 0);
    }
    if (plan.preload_us >= 0) {
        av_dict_set_int(&options, "preload", plan.preload_us, 0);
    }
    const int rc = avformat_write_header(context_, &options);
    av_dict_free(&options);
    if (rc < 0) {
        return "cannot start the " + std::string(context_->oformat->name) + " file (" +
               av_error_text(rc) + ")";
    }
    header_written_ = true;
    return {};
}

int OutputFile::write(AVPacket* packet, int stream, AVRational time_base) {
    if (packet->pts != AV_NOPTS_VALUE) {
        const double end = static_cast<double>(packet->pts + packet->duration) * av_q2d(time_base);
        seconds_written_ = std::max(seconds_written_, end);
    }
    packet->stream_index = stream;
    av_packet_rescale_ts(packet, time_base, context_->streams[stream]->time_base);
    return av_interleaved_write_frame(context_, packet);
}

std::string OutputFile::close() {
    if (!header_written_) {
        return "the file was never started";
    }
    header_written_ = false;
    int rc = av_write_trailer(context_);
    if (rc >= 0 && context_->pb != nullptr && context_->pb->error < 0) {
        rc = context_->pb->error;  // a failed write earlier on, such as a full disk
    }
    if (context_->pb != nullptr && !(context_->oformat->flags & AVFMT_NOFILE)) {
        const int close_rc = avio_closep(&context_->pb);
        rc = rc < 0 ? rc : close_rc;
    }
    if (rc < 0) {
        return "cannot finish writing (" + av_error_text(rc) + ")";
    }
    return {};
}

int64_t OutputFile::bytes_written() const {
    if (context_ == nullptr || context_->pb == nullptr) {
        return 0;
    }
    return avio_tell(context_->pb);
}

}  // namespace trel
