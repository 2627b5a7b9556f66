// The probe report: a duration line and one line per video or audio stream, in the shapes the
// application parses. Kept well below 2047 bytes so one read of the application sees it all.
#pragma once

#include <string>

extern "C" {
#include <libavformat/avformat.h>
}

namespace trel {

std::string probe_report(const AVFormatContext& input);

// Checks the duration the header states against the streams when it is doubtful (missing, far
// longer than the file could hold, or than the streams state) by reading the packets, and puts
// the length they reach into input.duration (and the bit rate to match). Reads the whole source
// (at most a few seconds; a stop signal ends it), so the context is for reporting afterwards.
// Returns "" or why the source holds nothing to convert.
std::string settle_duration(AVFormatContext& input);

// Whether the duration the container states is not to be believed: missing, far longer than the
// file's size can hold, or than the streams state for themselves.
bool duration_doubtful(const AVFormatContext& input);

// The rate a video stream's pictures come at, frames per second: its real (base) rate, unless
// that is unset or far from the average (field-rate or variable timing), then the average.
// {0, 1} when the stream states neither. Not checked for plausibility.
AVRational stream_frame_rate(const AVStream& stream);

}  // namespace trel
