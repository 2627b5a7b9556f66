#include "encoder_test_support.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <fstream>
#include <random>
#include <sstream>

extern char** environ;

namespace enctest {
namespace {

std::vector<char*> argv_of(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    return argv;
}

int status_code(int status) {
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
}

}  // namespace

TempDir::TempDir() {
    std::random_device seed;
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = base / ("trelcore-test-" + std::to_string(seed()));
        if (std::filesystem::create_directory(path_)) {
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

Child::Child(const std::vector<std::string>& args) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe failed");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    std::vector<char*> argv = argv_of(args);
    const int rc = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    fd_ = fds[0];
    if (rc != 0) {
        pid_ = -1;
        throw std::runtime_error("cannot start " + args[0]);
    }
}

Child::~Child() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (fd_ >= 0) {
        close(fd_);
    }
}

size_t count_of(const std::string& text, const std::string& needle) {
    size_t count = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
        ++count;
    }
    return count;
}

bool Child::wait_for_output(const std::string& needle, size_t count) {
    std::array<char, 4096> buffer{};
    while (count_of(output_, needle) < count) {
        const ssize_t n = read(fd_, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        output_.append(buffer.data(), static_cast<size_t>(n));
    }
    return true;
}

void Child::signal(int number) const {
    kill(pid_, number);
}

RunResult Child::wait() {
    wait_for_output(std::string(1, '\0'));  // never printed: reads to the end of the output
    RunResult result;
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    result.exit_code = status_code(status);
    result.output = output_;
    return result;
}

RunResult run(const std::vector<std::string>& args) {
    return Child(args).wait();
}

std::vector<std::string> trelcore(std::vector<std::string> args) {
    args.insert(args.begin(), TRELCORE_PATH);
    return args;
}

void make_clip(const std::string& path, const std::vector<std::string>& options) {
    std::vector<std::string> args = {CLIPGEN_PATH, path};
    args.insert(args.end(), options.begin(), options.end());
    const RunResult result = run(args);
    ASSERT_EQ(result.exit_code, 0) << result.output;
}

std::optional<MediaInfo> inspect(const std::string& path) {
    AVFormatContext* raw = nullptr;
    const std::string url = "file:" + path;
    if (avformat_open_input(&raw, url.c_str(), nullptr, nullptr) < 0) {
        return std::nullopt;
    }
    std::unique_ptr<AVFormatContext, void (*)(AVFormatContext*)> fmt(
        raw, [](AVFormatContext* f) { avformat_close_input(&f); });
    if (avformat_find_stream_info(raw, nullptr) < 0) {
        return std::nullopt;
    }
    MediaInfo info;
    info.format = raw->iformat->name;
    if (const AVDictionaryEntry* title = av_dict_get(raw->metadata, "title", nullptr, 0)) {
        info.title = title->value;
    }
    const int v = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    const int a = av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (v >= 0) {
        const AVStream* st = raw->streams[v];
        info.has_video = true;
        info.video_codec = avcodec_get_name(st->codecpar->codec_id);
        info.width = st->codecpar->width;
        info.height = st->codecpar->height;
        info.frame_rate = av_q2d(av_guess_frame_rate(raw, raw->streams[v], nullptr));
        const AVRational sar = av_guess_sample_aspect_ratio(raw, raw->streams[v], nullptr);
        info.display_aspect = info.width * (sar.num > 0 ? av_q2d(sar) : 1.0) / info.height;
    }
    if (a >= 0) {
        const AVStream* st = raw->streams[a];
        info.has_audio = true;
        info.audio_codec = avcodec_get_name(st->codecpar->codec_id);
        info.sample_rate = st->codecpar->sample_rate;
        info.channels = st->codecpar->ch_layout.nb_channels;
    }
    AVPacket* packet = av_packet_alloc();
    int64_t audio_ticks = 0;
    while (av_read_frame(raw, packet) >= 0) {
        if (packet->stream_index == v) {
            ++info.video_frames;
            info.video_bytes += packet->size;
        } else if (packet->stream_index == a) {
            audio_ticks += packet->duration;
        }
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    if (v >= 0 && info.frame_rate > 0.0) {
        info.video_seconds = static_cast<double>(info.video_frames) / info.frame_rate;
    }
    if (a >= 0) {
        info.audio_seconds = static_cast<double>(audio_ticks) * av_q2d(raw->streams[a]->time_base);
    }
    return info;
}

double LumaPicture::row_mean(int y) const {
    double sum = 0.0;
    for (int x = 0; x < width; ++x) {
        sum += pixels[static_cast<size_t>(y * width + x)];
    }
    return sum / width;
}

int LumaPicture::bar_position() const {
    int best = -1;
    double best_sum = 0.0;
    for (int x = 0; x + 8 <= width; ++x) {
        double sum = 0.0;
        for (int dx = 0; dx < 8; ++dx) {
            for (int y = height / 4; y < height * 3 / 4; ++y) {
                sum += pixels[static_cast<size_t>(y * width + x + dx)];
            }
        }
        if (sum > best_sum) {
            best_sum = sum;
            best = x;
        }
    }
    return best;
}

std::optional<LumaPicture> first_picture(const std::string& path) {
    AVFormatContext* raw = nullptr;
    const std::string url = "file:" + path;
    if (avformat_open_input(&raw, url.c_str(), nullptr, nullptr) < 0) {
        return std::nullopt;
    }
    std::unique_ptr<AVFormatContext, void (*)(AVFormatContext*)> fmt(
        raw, [](AVFormatContext* f) { avformat_close_input(&f); });
    avformat_find_stream_info(raw, nullptr);
    const AVCodec* codec = nullptr;
    const int v = av_find_best_stream(raw, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (v < 0) {
        return std::nullopt;
    }
    std::unique_ptr<AVCodecContext, void (*)(AVCodecContext*)> dec(
        avcodec_alloc_context3(codec), [](AVCodecContext* c) { avcodec_free_context(&c); });
    avcodec_parameters_to_context(dec.get(), raw->streams[v]->codecpar);
    if (avcodec_open2(dec.get(), codec, nullptr) < 0) {
        return std::nullopt;
    }
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    std::optional<LumaPicture> picture;
    bool draining = false;
    while (!picture) {
        if (!draining) {
            if (av_read_frame(raw, packet) < 0) {
                draining = true;
                avcodec_send_packet(dec.get(), nullptr);
            } else if (packet->stream_index == v) {
                avcodec_send_packet(dec.get(), packet);
            }
            av_packet_unref(packet);
        }
        const int rc = avcodec_receive_frame(dec.get(), frame);
        if (rc == 0) {
            LumaPicture p;
            p.width = frame->width;
            p.height = frame->height;
            for (int y = 0; y < frame->height; ++y) {
                const uint8_t* row = frame->data[0] + y * frame->linesize[0];
                p.pixels.insert(p.pixels.end(), row, row + frame->width);
            }
            picture = std::move(p);
        } else if (draining && rc != AVERROR(EAGAIN)) {
            break;
        }
    }
    av_frame_free(&frame);
    av_packet_free(&packet);
    return picture;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace enctest
