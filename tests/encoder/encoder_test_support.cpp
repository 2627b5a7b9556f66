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

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
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

void write_file(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

namespace {

void put_big_endian(std::string& bytes, size_t at, uint64_t value, int width) {
    for (int i = width - 1; i >= 0; --i, value >>= 8) {
        bytes[at + static_cast<size_t>(i)] = static_cast<char>(value & 0xff);
    }
}

void put_little_endian(std::string& bytes, size_t at, uint64_t value, int width) {
    for (int i = 0; i < width; ++i, value >>= 8) {
        bytes[at + static_cast<size_t>(i)] = static_cast<char>(value & 0xff);
    }
}

uint64_t big_endian(const std::string& bytes, size_t at, int width) {
    uint64_t value = 0;
    for (int i = 0; i < width; ++i) {
        value = value << 8 | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
    }
    return value;
}

}  // namespace

void rewrite_stated_duration(const std::string& path, double seconds) {
    std::string bytes = read_file(path);
    const std::string extension = std::filesystem::path(path).extension().string();
    if (extension == ".mp4") {
        // mvhd: version and flags, two times, the time scale, then the duration (version 0).
        const size_t box = bytes.find("mvhd");
        ASSERT_NE(box, std::string::npos) << path;
        ASSERT_EQ(bytes[box + 4], 0) << "version 1 movie header";
        const uint64_t scale = big_endian(bytes, box + 16, 4);
        const double units = std::min(seconds * static_cast<double>(scale), 4294967295.0);
        put_big_endian(bytes, box + 20, static_cast<uint64_t>(units), 4);
    } else if (extension == ".mkv") {
        // The Duration element (0x4489) holds a float in the segment's time scale (ms).
        const size_t element = bytes.find("\x44\x89");
        ASSERT_NE(element, std::string::npos) << path;
        const int size = static_cast<uint8_t>(bytes[element + 2]) & 0x7f;
        if (size == 8) {
            const double ms = seconds * 1000.0;
            uint64_t bits = 0;
            std::memcpy(&bits, &ms, sizeof bits);
            put_big_endian(bytes, element + 3, bits, 8);
        } else {
            ASSERT_EQ(size, 4) << path;
            const float ms = static_cast<float>(seconds * 1000.0);
            uint32_t bits = 0;
            std::memcpy(&bits, &ms, sizeof bits);
            put_big_endian(bytes, element + 3, bits, 4);
        }
    } else if (extension == ".wmv") {
        // The File Properties object: its GUID, size, file id, file size, creation time and
        // packet count, then the play and send durations in 100 ns units.
        static const char kGuid[] =
            "\xA1\xDC\xAB\x8C\x47\xA9\xCF\x11\x8E\xE4\x00\xC0\x0C\x20\x53\x65";
        const size_t object = bytes.find(std::string(kGuid, 16));
        ASSERT_NE(object, std::string::npos) << path;
        const auto hundreds = static_cast<uint64_t>(seconds * 1e7);
        put_little_endian(bytes, object + 64, hundreds, 8);
        put_little_endian(bytes, object + 72, hundreds, 8);
    } else {
        FAIL() << "no duration field known for " << path;
    }
    write_file(path, bytes);
}

void push_last_cluster_late(const std::string& path) {
    std::string bytes = read_file(path);
    const size_t cluster = bytes.rfind("\x1f\x43\xb6\x75");
    ASSERT_NE(cluster, std::string::npos) << path;
    // The cluster's Timestamp element (0xE7) follows its size field.
    const size_t element = bytes.find('\xe7', cluster + 4);
    ASSERT_LT(element, cluster + 16) << path;
    const int size = static_cast<uint8_t>(bytes[element + 1]) & 0x7f;
    ASSERT_TRUE(size >= 1 && size <= 8) << path;
    put_big_endian(bytes, element + 2,
                   size == 8 ? ~uint64_t{0} >> 1 : (uint64_t{1} << (8 * size)) - 1, size);
    write_file(path, bytes);
}

namespace {

// The length of the EBML variable-size integer whose first byte is first: 1 to 8, 0 if none.
int vint_length(uint8_t first) {
    for (int length = 1; length <= 8; ++length) {
        if ((first & (0x80 >> (length - 1))) != 0) {
            return length;
        }
    }
    return 0;
}

// Adds by to the EBML size at `at`, keeping its width; an unknown size stays unknown.
void grow_ebml_size(std::string& bytes, size_t at, uint64_t by) {
    const int length = vint_length(static_cast<uint8_t>(bytes[at]));
    ASSERT_GT(length, 0);
    const uint64_t all_ones = (uint64_t{1} << (7 * length)) - 1;
    uint64_t value = static_cast<uint8_t>(bytes[at]) & (0xff >> length);
    for (int i = 1; i < length; ++i) {
        value = value << 8 | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
    }
    if (value == all_ones) {
        return;
    }
    value += by;
    ASSERT_LT(value, all_ones);
    put_big_endian(bytes, at, value | (uint64_t{0x80} >> (length - 1)) << (8 * (length - 1)),
                   length);
}

}  // namespace

void put_last_cluster_at(const std::string& path, double seconds) {
    std::string bytes = read_file(path);
    const size_t segment = bytes.find("\x18\x53\x80\x67");
    const size_t cluster = bytes.rfind("\x1f\x43\xb6\x75");
    ASSERT_NE(segment, std::string::npos) << path;
    ASSERT_NE(cluster, std::string::npos) << path;
    const size_t element = bytes.find('\xe7', cluster + 4);
    ASSERT_LT(element, cluster + 24) << path;
    const int size = static_cast<uint8_t>(bytes[element + 1]) & 0x7f;
    ASSERT_TRUE(size >= 1 && size <= 4) << path;
    // Four bytes of milliseconds, the segment's default time scale.
    std::string field = "\x84____";
    put_big_endian(field, 1, static_cast<uint64_t>(seconds * 1000.0), 4);
    bytes.replace(element + 1, 1 + static_cast<size_t>(size), field);
    const auto grown = static_cast<uint64_t>(4 - size);
    grow_ebml_size(bytes, cluster + 4, grown);
    grow_ebml_size(bytes, segment + 4, grown);
    write_file(path, bytes);
}

void write_wav(const std::string& path, int channels, int sample_rate, const std::string& data) {
    const int block = std::max(channels, 1) * 2;
    std::string bytes = "RIFF____WAVEfmt ____________________data____";
    put_little_endian(bytes, 4, 36 + data.size(), 4);
    put_little_endian(bytes, 16, 16, 4);
    put_little_endian(bytes, 20, 1, 2);  // PCM
    put_little_endian(bytes, 22, static_cast<uint64_t>(channels), 2);
    put_little_endian(bytes, 24, static_cast<uint64_t>(sample_rate), 4);
    put_little_endian(bytes, 28, static_cast<uint64_t>(sample_rate) * block, 4);
    put_little_endian(bytes, 32, static_cast<uint64_t>(block), 2);
    put_little_endian(bytes, 34, 16, 2);
    put_little_endian(bytes, 40, data.size(), 4);
    write_file(path, bytes + data);
}

}  // namespace enctest
