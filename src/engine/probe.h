// Probing a source with the encoder (`trelcore -i PATH`) and reading its report: duration,
// bit rate, the video and audio stream lines. Blocks the calling thread; any thread.
#pragma once

#include <cstdint>
#include <string>

#include "engine/source_item.h"

namespace clipwright {

// The probe's failure code (no duration found), negative as a signed value.
inline constexpr int32_t kProbeFailed = static_cast<int32_t>(0x80040200u);

// How long the probe waits for the encoder to finish its text.
inline constexpr int kProbeTimeoutMs = 10000;

// Why a probe found no duration, as far as it is known.
struct ProbeFailure {
    // kNoDuration: the probe ended without a length and nothing else is known;
    // kUndecodableName: the name lost bytes that are not UTF-8 on its way here.
    enum Kind { kNone, kEncoderSaid, kTimedOut, kEncoderEnded, kNoDuration, kUndecodableName };
    Kind kind = kNone;
    std::string text;  // kEncoderSaid: the encoder's own reason, as it wrote it
};

// Probes path with the encoder and fills item. 0, or kProbeFailed when no duration was found.
int32_t Probe(SourceItem& item, const std::string& path);
// The same; failure, when given, gets why a failed probe failed.
int32_t Probe(SourceItem& item, const std::string& path, ProbeFailure* failure);
// The parsing half of Probe, on text the encoder printed.
int32_t ParseProbeOutput(SourceItem& item, const std::string& path, const std::string& output);

// What is known of why a probe whose text was output failed: the encoder's error line for
// path ("trelcore: PATH: REASON"), else the time limit (timedOut), else the encoder's death by a
// signal it did not get from us (ended), else kNoDuration. A path that holds the replacement
// character for bytes that were not UTF-8, and names no file, is kUndecodableName before all.
ProbeFailure DescribeProbeFailure(const std::string& output, const std::string& path, bool timedOut,
                                  bool ended);

}  // namespace clipwright
