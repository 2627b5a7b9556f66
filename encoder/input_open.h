// Opening a source file for reading. The returned context reads only through the file protocol,
// so a path that looks like a URL or holds a colon is still a plain file name.
#pragma once

#include <string>

#include "av_handles.h"

namespace trel {

struct OpenedInput {
    InputContextPtr context;
    std::string error;  // reason when context is empty
};

// Opens and reads stream information. Only regular files (or links to them) are opened. `interrupt`
// (may be null) is polled during blocking reads; returning non-zero from it aborts them.
// Refused with the reason: a still picture, sound without channels or at a sample rate no one
// hears, and a source with neither video nor audio.
OpenedInput open_input(const std::string& path, int (*interrupt)(void*));

// The reason given for a failed open or stream read (rc: an AVERROR code). The library's own
// text where it speaks of the file; a code from deeper down (such as "Device or resource busy"
// from a demuxer that gave up on a bad header) says nothing true about a regular file, so the
// header is named instead.
std::string open_error_text(int rc);

// Why an opened source cannot be converted, or "" when it can.
std::string unconvertible_reason(const AVFormatContext& input);

}  // namespace trel
