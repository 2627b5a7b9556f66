// The output container: streams made from opened encoders, the file opened for writing, packets
// interleaved into it and the trailer that closes it. Not thread-safe.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "av_handles.h"
#include "output_plan.h"

namespace trel {

class OutputFile {
public:
    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    // Allocates the muxer context; `path` is used as is (no protocol prefix interpretation).
    std::string create(const OutputPlan& plan, const std::string& path,
                       const std::optional<std::string>& title);
    // Adds a stream carrying the encoder's parameters and side data; returns its index or < 0.
    int add_stream(const AVCodecContext& encoder);
    // Opens `write_path` (where the file is made before it gets its name) and writes the header.
    // Returns an empty string or the reason.
    std::string open(const OutputPlan& plan, const std::string& write_path);
    // Takes the packet (pts/dts in `time_base`) and writes it interleaved.
    int write(AVPacket* packet, int stream, AVRational time_base);
    // Writes the trailer and closes the file. Returns an empty string or the reason.
    std::string close();

    bool wants_global_header() const;
    int64_t bytes_written() const;
    double seconds_written() const { return seconds_written_; }

private:
    AVFormatContext* context_ = nullptr;  // owned; freed with its I/O context in the destructor
    bool header_written_ = false;
    double seconds_written_ = 0.0;
};

}  // namespace trel
