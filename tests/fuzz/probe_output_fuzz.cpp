// The probe's parse of the encoder's "Duration: ..." and "Stream #..." text, and of its error
// line, as the detection worker runs them on every source file the user adds.
#include <cstdint>
#include <string>

#include "engine/probe.h"
#include "fuzz_input.h"

namespace {

using clipwright::SourceItem;

// What a list row shows is cut to this many bytes by the parser.
constexpr size_t kFieldLimit = 199;

bool SameResult(const SourceItem& a, const SourceItem& b) {
    return a.duration == b.duration && a.durationText == b.durationText &&
           a.bitrateText == b.bitrateText && a.videoInfo == b.videoInfo &&
           a.audioInfo == b.audioInfo && a.selStart == b.selStart && a.selEnd == b.selEnd &&
           a.sourcePath == b.sourcePath && a.title == b.title && a.sourceExt == b.sourceExt;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string output(reinterpret_cast<const char*>(data), size);
    const std::string path = "/videos/clip.avi";

    SourceItem fresh;
    const int32_t result = clipwright::ParseProbeOutput(fresh, path, output);
    FUZZ_CHECK(result == 0 || result == clipwright::kProbeFailed);
    FUZZ_CHECK(fresh.duration >= 0);
    FUZZ_CHECK((result == 0) == (fresh.duration > 0));
    FUZZ_CHECK(fresh.selStart == 0 && fresh.selEnd == fresh.duration);
    FUZZ_CHECK(fresh.videoInfo.size() <= kFieldLimit && fresh.audioInfo.size() <= kFieldLimit);
    FUZZ_CHECK(fresh.bitrateText.empty() || fresh.bitrateText.size() <= kFieldLimit + 5);
    FUZZ_CHECK(fresh.title == "clip" && fresh.sourceExt == "avi");

    // An item that held another file's probe must come out the same: nothing may linger.
    SourceItem reused;
    clipwright::ParseProbeOutput(reused, "/old/other.mkv",
                                 "  Duration: 00:10:00.00, start: 0.0, bitrate: 900 kb/s\n"
                                 "    Stream #0.0: Video: h264, 1920x1080\n"
                                 "    Stream #0.1: Audio: aac, 48000 Hz\n");
    reused.selStart = 7;
    FUZZ_CHECK(clipwright::ParseProbeOutput(reused, path, output) == result);
    FUZZ_CHECK(SameResult(fresh, reused));

    // The reason shown under a failed file is one line of what the encoder wrote.
    const clipwright::ProbeFailure failure =
        clipwright::DescribeProbeFailure(output, path, false, false);
    FUZZ_CHECK((failure.kind == clipwright::ProbeFailure::kEncoderSaid) == !failure.text.empty());
    FUZZ_CHECK(failure.text.find('\n') == std::string::npos);
    FUZZ_CHECK(failure.text.size() < output.size());
    return 0;
}
