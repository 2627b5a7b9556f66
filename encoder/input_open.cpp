#include "input_open.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace trel {

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
        result.error = "not a readable media file (" + av_error_text(rc) + ")";
        return result;
    }
    result.context.reset(raw);
    rc = avformat_find_stream_info(raw, nullptr);
    if (rc < 0) {
        result.context.reset();
        result.error = "cannot read stream information (" + av_error_text(rc) + ")";
        return result;
    }
    bool has_media = false;
    for (unsigned i = 0; i < raw->nb_streams; ++i) {
        const AVMediaType type = raw->streams[i]->codecpar->codec_type;
        has_media = has_media || type == AVMEDIA_TYPE_VIDEO || type == AVMEDIA_TYPE_AUDIO;
    }
    if (!has_media) {
        result.context.reset();
        result.error = "holds no video or audio stream";
    }
    return result;
}

}  // namespace trel
