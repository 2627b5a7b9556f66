// The media graph on libmpv: the filter graph manager (CLSID_FilterGraph) and the three source
// filters that force a demuxer (RealMedia: rm, Windows Media: asf, QuickTime: mov). libmpv is
// loaded with dlopen the first time one of these is created, never at start-up. User-interface
// thread only, except where noted.
#pragma once

#include <memory>
#include <string>

#include "platform/media_graph.h"

namespace clipwright {

// libmpv's video and audio outputs for graphs created from now on. The preview draws through
// the render API ("libmpv"); tests and benchmarks without a display use "null".
struct MediaOutputs {
    std::string video = "libmpv";
    std::string audio = "auto";
};
void SetMediaOutputs(const MediaOutputs& outputs);
MediaOutputs CurrentMediaOutputs();

// Whether libmpv loads and its client API is new enough for the preview. Loads it once;
// thread-safe.
bool MediaRuntimeUsable();

// libmpv cores alive now, in this process: each open file holds one until its graph or filter
// lets go. Thread-safe.
int LiveMediaSessions();

// A new object of a built-in class, or nullptr (unknown class, or libmpv not usable).
std::shared_ptr<Unknown> CreateMpvObject(const Clsid& clsid);

}  // namespace clipwright
