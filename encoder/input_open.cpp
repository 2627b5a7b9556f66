#include "input_open.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace trel {
namespace {

// Below this no sound is meant to be heard; the resampler would make nothing of it.
constexpr int kLowestSampleRate = 1000;

}  // namespace

std::string open_error_text(int rc) {
    for (const int code : {ENOENT, EACCES, EPERM, ENOMEM, ENAMETOOLONG, ELOOP, EISDIR}) {
        if (rc == AVERROR(code)) {
            return av_error_text(rc);
        }
    }
    if (rc == AVERROR_INVALIDDATA) {
        return av_error_text(rc);
    }
    if (rc == AVERROR_EOF) {
        return "the file ends within its header";
    }
    if (rc == AVERROR(EIO)) {
        return "its header is damaged or cut short, or the disk could not be read";
    }
    return "its header is damaged or of a kind that cannot be read";
}

std::string unconvertible_reason(const AVFormatContext& input) {
    const std::string format = input.iformat->name;
    // The picture demuxers read one image (or a numbered series): no video to convert.
    if (format == "image2" || format.ends_with("_pipe")) {
        return "is a still picture, not a video or sound file";
    }
    bool has_media = false;
    for (unsigned i = 0; i < input.nb_streams; ++i) {
        const AVCodecParameters& par = *input.streams[i]->codecpar;
        if (par.codec_type == AVMEDIA_TYPE_AUDIO) {
            if (par.ch_layout.nb_channels <= 0) {
                return "its sound stream has no channels";
            }
            if (par.sample_rate < kLowestSampleRate) {
                return "its sound's sample rate of " + std::to_string(par.sample_rate) +
                       " Hz is too low to be played (at least " +
                       std::to_string(kLowestSampleRate) + " Hz)";
            }
        }
        has_media = has_media || par.codec_type == AVMEDIA_TYPE_VIDEO ||
                    par.codec_type == AVMEDIA_TYPE_AUDIO;
    }
    return has_media ? std::string() : "holds no video or audio stream";
}

OpenedInput open_input(const std::string& path, int (*interrupt)(void*)) {
    OpenedInput result;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        result.error = std::strerror(errno);
        return result;
    }
    if (S_ISDIR(info.st_mode)) {
        result.error = "is a folder, not a media file";
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        // A pipe or device would block the open until data comes, or never end.
        result.error = "not a regular file";
        return result;
    }
    AVFormatContext* raw = avformat_alloc_context();
    if (raw == nullptr) {
        result.error = "out of memory";
        return result;
    }
    raw->interrupt_callback.callback = interrupt;
    const std::string url = "file:" + path;
    int rc = avformat_open_input(&raw, url.c_str(), nullptr, nullptr);
    if (rc < 0) {
        result.error = "not a readable media file (" + open_error_text(rc) + ")";
        return result;
    }
    result.context.reset(raw);
    rc = avformat_find_stream_info(raw, nullptr);
    if (rc < 0) {
        result.context.reset();
        result.error = "cannot read stream information (" + open_error_text(rc) + ")";
        return result;
    }
    result.error = unconvertible_reason(*raw);
    if (!result.error.empty()) {
        result.context.reset();
    }
    return result;
}

}  // namespace trel
