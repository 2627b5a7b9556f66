// Helpers for the trelcore tests: a scratch folder, running programs with their merged output,
// generating clips with clipgen and reading results back with libavformat.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace enctest {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

struct RunResult {
    int exit_code = -1;  // exit status, or 128 + signal when killed
    std::string output;  // standard output and standard error, merged
};

// Runs the program with these exact arguments (no shell) and waits for it.
RunResult run(const std::vector<std::string>& args);

// A running child with its merged output on a pipe; killed and reaped on destruction.
class Child {
public:
    explicit Child(const std::vector<std::string>& args);
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    // Reads until `needle` has appeared `count` times or the output ends. Returns whether it did.
    bool wait_for_output(const std::string& needle, size_t count = 1);
    void signal(int number) const;
    RunResult wait();

private:
    pid_t pid_ = -1;
    int fd_ = -1;
    std::string output_;
};

std::vector<std::string> trelcore(std::vector<std::string> args);

// Writes a clip with clipgen; fails the current test when clipgen fails.
void make_clip(const std::string& path, const std::vector<std::string>& options = {});

struct MediaInfo {
    std::string format;  // demuxer short name
    std::string title;
    bool has_video = false;
    std::string video_codec;
    int width = 0;
    int height = 0;
    double frame_rate = 0.0;      // frames per second
    double display_aspect = 0.0;  // width * sample aspect / height
    int64_t video_frames = 0;     // packets read
    int64_t video_bytes = 0;      // sum of video packet sizes
    double video_seconds = 0.0;   // frames / frame rate
    bool has_audio = false;
    std::string audio_codec;
    int sample_rate = 0;
    int channels = 0;
    double audio_seconds = 0.0;  // sum of packet durations
};

// Opens the file with libavformat and reads all its packets; nullopt when it cannot be read.
std::optional<MediaInfo> inspect(const std::string& path);

// Luma of the first decoded video frame: rows of width bytes, top to bottom.
struct LumaPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
    double row_mean(int y) const;
    // The x of the brightest 8-pixel-wide column band (clipgen's moving bar), or -1.
    int bar_position() const;
};
std::optional<LumaPicture> first_picture(const std::string& path);

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& bytes);

// Rewrites the duration a clip's header states, as a lying or damaged file would hold it: the
// movie header of an MP4 (.mp4), the segment duration of a Matroska file (.mkv) or the play and
// send durations of an ASF file (.wmv). Fails the current test when the field is not found.
void rewrite_stated_duration(const std::string& path, double seconds);

// Moves the last cluster of a Matroska file as far into the future as its timestamp field holds
// (about 65 s for clipgen's short clips): a gap in the timestamps near the end.
void push_last_cluster_late(const std::string& path);

// Moves the last cluster of a Matroska file to `seconds` (up to about 1193 hours), widening its
// timestamp field: a leap in the timestamps far longer than any pause.
void put_last_cluster_at(const std::string& path, double seconds);

// A PCM WAV file (16-bit) with this header and data, written byte by byte.
void write_wav(const std::string& path, int channels, int sample_rate, const std::string& data);

}  // namespace enctest
