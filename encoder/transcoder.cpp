#include "transcoder.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "diagnostics.h"
#include "encoder_setup.h"
#include "filter_chain.h"
#include "input_open.h"
#include "output_file.h"
#include "output_plan.h"
#include "output_target.h"
#include "probe.h"
#include "progress.h"
#include "stop_signal.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/imgutils.h>
#include <libavutil/intreadwrite.h>
#include <libavutil/samplefmt.h>
}

namespace trel {
namespace {

constexpr int kExitFailure = 1;
constexpr int64_t kLongestPicture = 60 * AV_TIME_BASE;  // microseconds
constexpr int64_t kLongestLeap = 300 * AV_TIME_BASE;    // microseconds

enum class TrackKind { kVideo, kAudio };

// A decoded source stream feeding one filter chain.
struct SourceTrack {
    explicit SourceTrack(TrackKind k) : kind(k) {}
    TrackKind kind;
    AVStream* stream = nullptr;  // owned by the input context
    CodecContextPtr decoder;
    FilterChain filters;
    int64_t origin = 0;       // source pts that becomes output time 0, stream time base
    int64_t end = INT64_MAX;  // first source pts past the requested part, relative to origin
    int64_t last_end = 0;     // end of the last frame pushed, relative to origin
    int64_t shift = 0;        // leaps in the source's timestamps left out so far
    bool started = false;     // a frame has been seen
    FramePtr pending;         // video: the latest picture starting before output time 0
    bool done = false;        // no more input wanted
    bool closed = false;      // filter input ended
};

// An encoder and the output stream it feeds.
struct EncodedTrack {
    explicit EncodedTrack(TrackKind k) : kind(k) {}
    TrackKind kind;
    CodecContextPtr encoder;
    int stream = -1;
    int64_t next_pts = 0;  // encoder time base: frame or sample count
};

class Conversion {
public:
    Conversion(const Options& options, const std::optional<TargetPreset>& target)
        : options_(options), target_(target) {}

    int run();

private:
    bool fail(const std::string& subject, const std::string& reason) {
        report_error(subject, reason);
        return false;
    }
    bool check_paths();
    bool open_source();
    bool setup_output();
    bool open_decoder(SourceTrack& track, AVStream* stream);
    void seek_to_start();
    bool read_loop();
    bool decode_packet(SourceTrack& track, const AVPacket* packet);
    bool receive_frames(SourceTrack& track);
    bool handle_frame(SourceTrack& track, AVFrame* frame);
    bool close_track(SourceTrack& track);
    bool push_frame(SourceTrack& track, AVFrame* frame);
    bool push_pending(SourceTrack& track, bool use_it);
    void close_leap(SourceTrack& track, int64_t& pts);
    bool drain_video();
    bool drain_audio();
    bool encode(EncodedTrack& track, AVFrame* frame);
    bool send_black_frames(double until_seconds);
    bool finish();
    bool check_complete();
    int64_t stated_duration() const;
    void warn_if_source_ended_early() const;
    int close_output(bool converted);
    double audio_seconds() const;
    int64_t file_start() const;

    const Options& options_;
    const std::optional<TargetPreset>& target_;
    InputContextPtr input_;
    SourceTrack video_in_{TrackKind::kVideo};
    SourceTrack audio_in_{TrackKind::kAudio};
    OutputPlan plan_;
    OutputTarget target_file_;  // declared before output_, so it is undone after output_ closes
    OutputFile output_;
    EncodedTrack video_out_{TrackKind::kVideo};
    EncodedTrack audio_out_{TrackKind::kAudio};
    FramePtr decoded_ = make_frame();   // from a decoder, unreferenced after each use
    FramePtr filtered_ = make_frame();  // from a filter chain, unreferenced after each use
    FramePtr black_;
    PacketPtr in_packet_ = make_packet();   // read from the source
    PacketPtr out_packet_ = make_packet();  // from an encoder
    ProgressReporter progress_;
    double quality_ = 0.0;
    bool wrote_packets_ = false;
    int64_t decoded_frames_ = 0;
    bool leap_reported_ = false;
    int64_t picture_limit_ = INT64_MAX;  // output pictures the source's length holds, once known
    bool source_ended_ = false;          // the source ran out before the requested part did
};

bool same_file(const std::string& a, const std::string& b) {
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

bool Conversion::check_paths() {
    struct stat info {};
    if (::lstat(options_.output.c_str(), &info) == 0) {
        if (!options_.overwrite) {
            return fail(options_.output, "already exists; not overwritten (give -y to replace it)");
        }
        if (S_ISDIR(info.st_mode)) {
            return fail(options_.output, "is a folder");
        }
        if (same_file(options_.input, options_.output)) {
            return fail(options_.output, "is the source file itself; not overwritten");
        }
    }
    return true;
}

// Where output time 0 lies in the source, AV_TIME_BASE units. A negative start comes from encoder
// priming that players skip, so the picture and sound begin at 0 then.
int64_t Conversion::file_start() const {
    return input_->start_time == AV_NOPTS_VALUE ? 0 : std::max<int64_t>(input_->start_time, 0);
}

bool Conversion::open_decoder(SourceTrack& track, AVStream* stream) {
    const AVCodecID id = stream->codecpar->codec_id;
    const std::string what =
        std::string("the source's ") + (track.kind == TrackKind::kVideo ? "video" : "audio");
    if (id == AV_CODEC_ID_NONE) {
        return fail(options_.input, what + " stream has no known codec");
    }
    const AVCodec* codec = avcodec_find_decoder(id);
    if (codec == nullptr) {
        return fail(options_.input, what + " stream is " + avcodec_get_name(id) +
                                        ", which this build of the FFmpeg libraries cannot decode");
    }
    track.decoder.reset(avcodec_alloc_context3(codec));
    if (!track.decoder ||
        avcodec_parameters_to_context(track.decoder.get(), stream->codecpar) < 0) {
        return fail(options_.input, "cannot set up the decoder");
    }
    track.decoder->thread_count = 0;
    track.decoder->pkt_timebase = stream->time_base;
    const int rc = avcodec_open2(track.decoder.get(), codec, nullptr);
    if (rc < 0) {
        return fail(options_.input, "cannot open the " + std::string(codec->name) + " decoder (" +
                                        av_error_text(rc) + ")");
    }
    track.stream = stream;
    track.origin =
        av_rescale_q(file_start() + options_.start_us, AV_TIME_BASE_Q, stream->time_base);
    if (options_.length_us) {
        track.end = av_rescale_q(*options_.length_us, AV_TIME_BASE_Q, stream->time_base);
    }
    return true;
}

bool Conversion::open_source() {
    OpenedInput opened = open_input(options_.input, stop_requested_callback);
    if (!opened.context) {
        return fail(options_.input, opened.error);
    }
    input_ = std::move(opened.context);
    const int v = av_find_best_stream(input_.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    // Containers often state the start of the last picture as their end: a start point within
    // that picture still converts it.
    int64_t last_picture_us = 0;
    if (v >= 0) {
        const AVRational rate = av_guess_frame_rate(input_.get(), input_->streams[v], nullptr);
        last_picture_us =
            rate.num > 0 && rate.den > 0 ? av_rescale_q(1, av_inv_q(rate), AV_TIME_BASE_Q) : 0;
    }
    if (input_->duration != AV_NOPTS_VALUE && input_->duration > 0 &&
        options_.start_us >= input_->duration + last_picture_us) {
        return fail(options_.input, "the start point (-ss) lies past the end of the source");
    }
    const int a = av_find_best_stream(input_.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (v >= 0 && !(input_->streams[v]->disposition & AV_DISPOSITION_ATTACHED_PIC) &&
        !open_decoder(video_in_, input_->streams[v])) {
        return false;
    }
    if (a >= 0 && !open_decoder(audio_in_, input_->streams[a])) {
        return false;
    }
    if (video_in_.stream == nullptr && audio_in_.stream == nullptr) {
        return fail(options_.input, "holds no video or audio stream that can be decoded");
    }
    return true;
}

bool Conversion::setup_output() {
    PlanResult planned =
        make_plan(options_, target_, video_in_.stream, audio_in_.stream, options_.length_us);
    if (!planned.error.empty()) {
        return fail(options_.output, planned.error);
    }
    if (!planned.warning.empty()) {
        write_stderr("trelcore: warning: " + planned.warning + "\n");
    }
    plan_ = planned.plan;
    if (const std::string error = output_.create(plan_, options_.output, options_.title);
        !error.empty()) {
        return fail(options_.output, error);
    }
    if (!plan_.video) {
        video_in_ = SourceTrack(TrackKind::kVideo);
    }
    if (!plan_.audio) {
        audio_in_ = SourceTrack(TrackKind::kAudio);
    }
    if (plan_.video) {
        OpenedEncoder enc = open_video_encoder(*plan_.video, output_.wants_global_header());
        if (!enc.context) {
            return fail(options_.output, enc.error);
        }
        video_out_.encoder = std::move(enc.context);
        video_out_.stream = output_.add_stream(*video_out_.encoder);
        if (plan_.video->from_source) {
            const std::string error = video_in_.filters.open_video(
                *video_in_.decoder, video_in_.stream->time_base,
                av_guess_frame_rate(input_.get(), video_in_.stream, nullptr), plan_.video->filters);
            if (!error.empty()) {
                return fail(options_.output, error);
            }
        }
    }
    if (plan_.audio) {
        OpenedEncoder enc = open_audio_encoder(*plan_.audio, output_.wants_global_header());
        if (!enc.context) {
            return fail(options_.output, enc.error);
        }
        audio_out_.encoder = std::move(enc.context);
        audio_out_.stream = output_.add_stream(*audio_out_.encoder);
        const std::string error = audio_in_.filters.open_audio(
            *audio_in_.decoder, audio_in_.stream->time_base, plan_.audio->filters);
        if (!error.empty()) {
            return fail(options_.output, error);
        }
        const AVCodecContext& enc_ctx = *audio_out_.encoder;
        if (!(enc_ctx.codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE) &&
            enc_ctx.frame_size > 0) {
            audio_in_.filters.set_sink_frame_size(enc_ctx.frame_size);
        }
    }
    if (video_out_.stream < 0 && plan_.video) {
        return fail(options_.output, "cannot add the video stream");
    }
    if (audio_out_.stream < 0 && plan_.audio) {
        return fail(options_.output, "cannot add the audio stream");
    }
    if (const std::string error = target_file_.prepare(options_.output); !error.empty()) {
        return fail(options_.output, error);
    }
    if (const std::string error = output_.open(plan_, target_file_.write_path()); !error.empty()) {
        return fail(options_.output, error);
    }
    return true;
}

void Conversion::seek_to_start() {
    if (options_.start_us <= 0) {
        return;
    }
    const int64_t target = file_start() + options_.start_us;
    // A key frame at or before the start point; the frames up to it are decoded and cut.
    if (avformat_seek_file(input_.get(), -1, INT64_MIN, target, target, 0) < 0) {
        avformat_seek_file(input_.get(), -1, INT64_MIN, file_start(), file_start(), 0);
    }
}

bool Conversion::handle_frame(SourceTrack& track, AVFrame* frame) {
    ++decoded_frames_;
    int64_t pts = frame->best_effort_timestamp;
    pts = pts == AV_NOPTS_VALUE ? track.last_end : pts - track.origin - track.shift;
    close_leap(track, pts);
    if (pts >= track.end) {
        track.done = true;
        return close_track(track);
    }
    // Sound lasts its samples, whatever the packet claims; a picture is trusted to last up to
    // kLongestPicture, so one damaged length cannot stretch the end by hours.
    int64_t duration = frame->pkt_duration;
    if (frame->sample_rate > 0 && frame->nb_samples > 0) {
        duration = av_rescale_q(frame->nb_samples, AVRational{1, frame->sample_rate},
                                track.stream->time_base);
    } else if (duration > av_rescale_q(kLongestPicture, AV_TIME_BASE_Q, track.stream->time_base)) {
        duration = 0;
    }
    if (track.kind == TrackKind::kVideo) {
        // A container's coarse time base (Matroska's milliseconds) cuts the period short; the
        // end of the last picture then rounds to one frame too few at another rate.
        const AVRational rate = av_guess_frame_rate(input_.get(), track.stream, nullptr);
        const int64_t period =
            rate.num > 0 && rate.den > 0
                ? av_rescale_q_rnd(1, av_inv_q(rate), track.stream->time_base, AV_ROUND_UP)
                : 1;
        if (duration <= 0 || (duration < period && period - duration <= 1)) {
            duration = period;
        }
    }
    if (duration <= 0) {
        duration = 1;
    }
    frame->pts = pts;
    track.last_end = std::max(track.last_end, pts + duration);
    if (track.kind == TrackKind::kAudio) {
        return push_frame(track, frame);  // the audio chain cuts exactly at 0 itself
    }
    // The picture shown at output time 0 is the last one that starts at or before it.
    if (pts < 0) {
        track.pending.reset(av_frame_clone(frame));
        return true;
    }
    if (!push_pending(track, pts > 0)) {
        return false;
    }
    return push_frame(track, frame);
}

// A leap forward in a stream's timestamps of more than kLongestLeap is damage, not a pause: filling
// it would take the sound's silence in one piece (memory for hours of it) and repeat the picture
// for as long. The stream goes on from where it was instead.
void Conversion::close_leap(SourceTrack& track, int64_t& pts) {
    const int64_t limit = av_rescale_q(kLongestLeap, AV_TIME_BASE_Q, track.stream->time_base);
    const int64_t leap = pts - track.last_end;
    const bool first = !track.started;
    track.started = true;
    if (first || leap <= limit) {
        return;
    }
    track.shift += leap;
    pts = track.last_end;
    if (!leap_reported_) {
        leap_reported_ = true;
        char line[160];
        std::snprintf(line, sizeof line,
                      "trelcore: warning: the source's timestamps leap %.1f s at %.1f s; the "
                      "leap was left out\n",
                      av_q2d(track.stream->time_base) * static_cast<double>(leap),
                      av_q2d(track.stream->time_base) * static_cast<double>(track.last_end));
        write_stderr(line);
    }
}

bool Conversion::push_pending(SourceTrack& track, bool use_it) {
    FramePtr pending = std::move(track.pending);
    if (!pending || !use_it) {
        return true;
    }
    pending->pts = 0;
    return push_frame(track, pending.get());
}

bool Conversion::push_frame(SourceTrack& track, AVFrame* frame) {
    const int rc = track.filters.push(frame);
    if (rc < 0) {
        return fail(options_.input, "cannot filter a frame (" + av_error_text(rc) + ")");
    }
    return track.kind == TrackKind::kVideo ? drain_video() : drain_audio();
}

bool Conversion::close_track(SourceTrack& track) {
    if (track.closed || !track.filters.is_open()) {
        return true;
    }
    if (!push_pending(track, true)) {
        return false;
    }
    track.closed = true;
    // The end of the last frame, or the end of the requested part when the source goes on.
    const int64_t end = std::min(track.last_end, track.end);
    if (track.kind == TrackKind::kVideo && plan_.video) {
        // As many pictures as that length holds, rounded to the nearest.
        picture_limit_ = av_rescale_q_rnd(end, track.stream->time_base, av_inv_q(plan_.video->rate),
                                          AV_ROUND_NEAR_INF);
    }
    track.filters.close(end);
    return track.kind == TrackKind::kVideo ? drain_video() : drain_audio();
}

bool Conversion::receive_frames(SourceTrack& track) {
    while (!track.done && stop_signal() == 0) {
        const int rc = avcodec_receive_frame(track.decoder.get(), decoded_.get());
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) {
            return true;
        }
        if (rc < 0) {
            continue;  // a damaged frame: skip it, as players do
        }
        const bool ok = handle_frame(track, decoded_.get());
        av_frame_unref(decoded_.get());
        if (!ok) {
            return false;
        }
    }
    return true;
}

bool Conversion::decode_packet(SourceTrack& track, const AVPacket* packet) {
    while (!track.done && stop_signal() == 0) {
        const int rc = avcodec_send_packet(track.decoder.get(), packet);
        if (rc == AVERROR(EAGAIN)) {
            // The decoder's output is full: take its frames, then offer the packet again.
            if (!receive_frames(track)) {
                return false;
            }
            continue;
        }
        if (rc < 0 && rc != AVERROR_EOF) {
            return true;  // a damaged packet: skip it
        }
        return receive_frames(track);
    }
    return true;
}

bool Conversion::encode(EncodedTrack& track, AVFrame* frame) {
    AVCodecContext* encoder = track.encoder.get();
    if (frame != nullptr && (encoder->flags & AV_CODEC_FLAG_QSCALE) != 0) {
        // A fixed quantiser is read from each picture, not from the encoder's settings.
        frame->quality = encoder->global_quality;
    }
    int rc = avcodec_send_frame(encoder, frame);
    if (rc < 0 && rc != AVERROR_EOF) {
        return fail(options_.output, "encoding failed (" + av_error_text(rc) + ")");
    }
    while (true) {
        rc = avcodec_receive_packet(track.encoder.get(), out_packet_.get());
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) {
            return true;
        }
        if (rc < 0) {
            return fail(options_.output, "encoding failed (" + av_error_text(rc) + ")");
        }
        if (track.kind == TrackKind::kVideo) {
            size_t size = 0;
            const uint8_t* stats =
                av_packet_get_side_data(out_packet_.get(), AV_PKT_DATA_QUALITY_STATS, &size);
            if (stats != nullptr && size >= 4) {
                quality_ = std::max(0, static_cast<int32_t>(AV_RL32(stats))) /
                           static_cast<double>(FF_QP2LAMBDA);
            }
        }
        rc = output_.write(out_packet_.get(), track.stream, track.encoder->time_base);
        av_packet_unref(out_packet_.get());
        if (rc < 0) {
            return fail(options_.output, "cannot write (" + av_error_text(rc) + ")");
        }
        wrote_packets_ = true;
        progress_.update(video_out_.next_pts, quality_, output_.bytes_written(),
                         output_.seconds_written());
    }
}

// Every loop that may run long checks for a stop: a gap in the source's timestamps can make the
// chain repeat a picture for hours.
bool Conversion::drain_video() {
    while (stop_signal() == 0) {
        AVFrame* out = filtered_.get();
        const int rc = video_in_.filters.pull(out);
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) {
            return true;
        }
        if (rc < 0) {
            return fail(options_.input, "filtering failed (" + av_error_text(rc) + ")");
        }
        if (video_out_.next_pts >= picture_limit_) {
            av_frame_unref(out);  // the pulldown's extra picture past the source's end
            continue;
        }
        // The chain ends in a constant rate, so each frame is exactly one period.
        out->pts = video_out_.next_pts++;
        out->pict_type = AV_PICTURE_TYPE_NONE;
        if (plan_.video->interlaced) {
            out->interlaced_frame = 1;
            out->top_field_first = plan_.video->top_field_first ? 1 : 0;
        }
        const bool ok = encode(video_out_, out);
        av_frame_unref(out);
        if (!ok) {
            return false;
        }
    }
    return true;
}

// Encoders without variable or short last frames get the last frame padded with silence.
FramePtr pad_to_frame_size(const AVFrame& frame, const AVCodecContext& encoder) {
    FramePtr padded = make_frame();
    padded->format = frame.format;
    padded->nb_samples = encoder.frame_size;
    padded->sample_rate = frame.sample_rate;
    if (av_channel_layout_copy(&padded->ch_layout, &frame.ch_layout) < 0 ||
        av_frame_get_buffer(padded.get(), 0) < 0) {
        return nullptr;
    }
    const auto format = static_cast<AVSampleFormat>(frame.format);
    const int channels = frame.ch_layout.nb_channels;
    av_samples_set_silence(padded->extended_data, 0, padded->nb_samples, channels, format);
    av_samples_copy(padded->extended_data, frame.extended_data, 0, 0, frame.nb_samples, channels,
                    format);
    return padded;
}

bool Conversion::drain_audio() {
    while (stop_signal() == 0) {
        AVFrame* out = filtered_.get();
        const int rc = audio_in_.filters.pull(out);
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) {
            return true;
        }
        if (rc < 0) {
            return fail(options_.input, "filtering failed (" + av_error_text(rc) + ")");
        }
        const AVCodecContext& enc = *audio_out_.encoder;
        const int caps = enc.codec->capabilities;
        FramePtr padded;
        if (out->nb_samples < enc.frame_size &&
            !(caps & (AV_CODEC_CAP_VARIABLE_FRAME_SIZE | AV_CODEC_CAP_SMALL_LAST_FRAME))) {
            padded = pad_to_frame_size(*out, enc);
            av_frame_unref(out);
            if (!padded) {
                return fail(options_.output, "out of memory");
            }
            out = padded.get();
        }
        out->pts = audio_out_.next_pts;
        audio_out_.next_pts += out->nb_samples;
        const bool ok = encode(audio_out_, out);
        av_frame_unref(out);
        if (!ok) {
            return false;
        }
        if (plan_.video && !plan_.video->from_source && !send_black_frames(audio_seconds())) {
            return false;
        }
    }
    return true;
}

double Conversion::audio_seconds() const {
    return audio_out_.encoder
               ? static_cast<double>(audio_out_.next_pts) / audio_out_.encoder->sample_rate
               : 0.0;
}

bool Conversion::send_black_frames(double until_seconds) {
    const VideoPlan& v = *plan_.video;
    if (!black_) {
        black_ = make_frame();
        black_->format = v.pixel_format;
        black_->width = v.width;
        black_->height = v.height;
        if (av_frame_get_buffer(black_.get(), 0) < 0) {
            return fail(options_.output, "out of memory");
        }
        const ptrdiff_t linesizes[4] = {black_->linesize[0], black_->linesize[1],
                                        black_->linesize[2], black_->linesize[3]};
        av_image_fill_black(black_->data, linesizes, v.pixel_format, AVCOL_RANGE_MPEG, v.width,
                            v.height);
    }
    const AVRational period = av_inv_q(v.rate);
    while (static_cast<double>(video_out_.next_pts) * av_q2d(period) < until_seconds &&
           stop_signal() == 0) {
        black_->pts = video_out_.next_pts++;
        if (!encode(video_out_, black_.get())) {
            return false;
        }
    }
    return true;
}

bool Conversion::read_loop() {
    while (stop_signal() == 0) {
        const bool video_wanted = video_in_.stream != nullptr && !video_in_.done;
        const bool audio_wanted = audio_in_.stream != nullptr && !audio_in_.done;
        if (!video_wanted && !audio_wanted) {
            return true;
        }
        const int rc = av_read_frame(input_.get(), in_packet_.get());
        if (rc == AVERROR_EXIT) {
            return true;
        }
        if (rc < 0) {
            // The end, or a truncated or damaged tail; what was read is converted.
            source_ended_ = true;
            return true;
        }
        const AVPacket& packet = *in_packet_;
        bool ok = true;
        if (video_wanted && packet.stream_index == video_in_.stream->index) {
            ok = decode_packet(video_in_, &packet);
        } else if (audio_wanted && packet.stream_index == audio_in_.stream->index) {
            ok = decode_packet(audio_in_, &packet);
        }
        av_packet_unref(in_packet_.get());
        if (!ok) {
            return false;
        }
    }
    return true;
}

bool Conversion::finish() {
    const bool stopped = stop_signal() != 0;
    for (SourceTrack* track : {&video_in_, &audio_in_}) {
        if (track->stream == nullptr) {
            continue;
        }
        if (!stopped && !track->done) {
            decode_packet(*track, nullptr);  // frames still inside the decoder
        }
        if (!close_track(*track)) {
            return false;
        }
    }
    if (plan_.video && !plan_.video->from_source) {
        // At least one picture, and pictures for all of the sound.
        if (!send_black_frames(std::max(audio_seconds(), 1e-6))) {
            return false;
        }
    }
    if (video_out_.encoder && !encode(video_out_, nullptr)) {
        return false;
    }
    if (audio_out_.encoder && !encode(audio_out_, nullptr)) {
        return false;
    }
    return true;
}

// A conversion that ran to its end must have written something, and a picture if it has video.
bool Conversion::check_complete() {
    if (!wrote_packets_ && decoded_frames_ == 0) {
        return fail(options_.input, "no picture or sound in it could be decoded; nothing written");
    }
    if (!wrote_packets_) {
        return fail(options_.input, "nothing to convert in the requested part");
    }
    // A black picture alone is no conversion of a sound file.
    const bool sound_only = plan_.audio && !(plan_.video && plan_.video->from_source);
    if (sound_only && audio_out_.next_pts == 0) {
        return fail(options_.input, "holds no sound in the requested part; nothing written");
    }
    if (plan_.video && video_out_.next_pts == 0) {
        return fail(options_.input,
                    "the requested part holds no video frame (check -ss and -t); nothing written");
    }
    return true;
}

// The length the source claims, microseconds, or 0. Besides the container's duration, the
// video stream's stated picture count: a demuxer that measures a cut file (AVI without its index)
// gives the length it found as the duration, but the count still says what the file should hold.
int64_t Conversion::stated_duration() const {
    // A duration the file could not hold is a damaged header, not lost pictures and sound.
    int64_t stated = duration_doubtful(*input_) ? 0 : input_->duration;
    const AVStream* video = video_in_.stream;
    if (video != nullptr && video->nb_frames > 0) {
        const AVRational rate =
            av_guess_frame_rate(input_.get(), const_cast<AVStream*>(video), nullptr);
        if (rate.num > 0 && rate.den > 0) {
            stated =
                std::max(stated, av_rescale_q(video->nb_frames, av_inv_q(rate), AV_TIME_BASE_Q));
        }
    }
    return stated;
}

void Conversion::warn_if_source_ended_early() const {
    const int64_t stated = stated_duration();
    if (!source_ended_ || stated <= 0) {
        return;
    }
    int64_t reached = 0;  // microseconds from the file's start
    for (const SourceTrack* track : {&video_in_, &audio_in_}) {
        if (track->stream != nullptr) {
            reached = std::max(
                reached, options_.start_us + av_rescale_q(track->last_end, track->stream->time_base,
                                                          AV_TIME_BASE_Q));
        }
    }
    constexpr int64_t kTolerance = 500000;  // container durations are estimates
    // A file that ends short of what it states is damaged, even where the requested part was
    // measured on what is left of it (the part then ends where the file does).
    const bool damaged = stated - reached >= kTolerance;
    const bool cut = !damaged && options_.length_us;
    const int64_t expected = cut ? options_.start_us + *options_.length_us : stated;
    if (expected - reached < kTolerance) {
        return;
    }
    char line[160];
    std::snprintf(line, sizeof line,
                  "trelcore: warning: the source ended at %.1f s, before %s of %.1f s\n",
                  static_cast<double>(reached) / 1e6,
                  cut ? "the end of the requested part" : "its stated duration",
                  static_cast<double>(expected) / 1e6);
    write_stderr(line);
}

// Closes the output and gives it its name: when converted, and also when stopped by a signal, as
// the part converted so far is a playable file. Returns the exit status.
int Conversion::close_output(bool converted) {
    const std::string close_error = output_.close();
    if (!close_error.empty()) {
        report_error(options_.output, close_error);
        return kExitFailure;  // target_file_ undoes the run when it goes
    }
    const int sig = stop_signal();
    if (sig == 0 && (!converted || !check_complete())) {
        return kExitFailure;
    }
    if (const std::string error = target_file_.commit(); !error.empty()) {
        report_error(options_.output, error);
        return kExitFailure;
    }
    if (sig != 0) {
        report_error(options_.output, "stopped by signal " + std::to_string(sig) +
                                          "; the part converted so far was closed");
        return 128 + sig;
    }
    return 0;
}

int Conversion::run() {
    if (!check_paths() || !open_source() || !setup_output()) {
        return kExitFailure;
    }
    seek_to_start();
    const bool converted = read_loop() && finish();
    progress_.finish(video_out_.next_pts, quality_, output_.bytes_written(),
                     output_.seconds_written());
    const int status = close_output(converted);
    if (status == 0) {
        warn_if_source_ended_early();
    }
    return status;
}

}  // namespace

int run_conversion(const Options& options, const std::optional<TargetPreset>& target) {
    Conversion conversion(options, target);
    return conversion.run();
}

}  // namespace trel
