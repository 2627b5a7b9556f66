// The analysis pass before a run is fitted to a disc: how hard each file is to encode, measured
// by trelcore at a fixed quantiser on short stretches spread over the file's part. At a fixed
// quantiser every picture is coded to the same precision, so the bits it takes say how many
// bits that quality costs; files given rates in proportion come out alike.
// The pure parts (samples, command lines, reading the result) run on any thread;
// MeasureDifficulty starts child processes and blocks: call it from a worker thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/command_line.h"
#include "engine/source_item.h"

namespace clipwright {

// The fixed quantiser of the pass: about the precision the disc's rates reach on camera
// pictures, so the measure ranks files as their real encodes will.
inline constexpr int kAnalysisQuantiser = 4;
// Share of the part the samples cover, in per mille, and the most samples a file gets.
inline constexpr int64_t kAnalysisSharePerMille = 80;
inline constexpr size_t kAnalysisMostSamples = 40;

// One stretch measured: start and length in whole seconds of the source, as a part's are.
struct AnalysisSample {
    int64_t start = 0;
    int64_t length = 0;
};

// Samples of one second spread evenly over the part, centred in equal slices of it; a part of
// a second or less is measured whole. None for an empty part.
std::vector<AnalysisSample> AnalysisSamples(const ConversionPart& part);

// The options with words inserted right after the "-target NAME" pair (at the end when there is
// no target): how a fitted or measured command line differs from the standard one.
std::string OptionsAfterTarget(const std::string& options, const std::vector<std::string>& words);

// trelcore measuring one sample of the item: its standard options plus the fixed quantiser, the
// output thrown away (nothing is left behind, also when the pass is cancelled).
std::string AnalysisCommandLine(const SourceItem& item, const std::string& options,
                                const AnalysisSample& sample);

// Bits per second of the output from trelcore's last progress line ("size=...kB time=...");
// nullopt when there is none or it covers no time.
std::optional<double> MeasuredBitsPerSecond(const std::string& output);

// Runs the item's samples one after another and returns the video bits per second at the fixed
// quantiser (audioBits, the audio's rate with its multiplex share, taken off). nullopt when
// cancel was set (the running sample is stopped at once) or no sample could be measured.
std::optional<double> MeasureDifficulty(const SourceItem& item, const std::string& options,
                                        int64_t audioBits, const std::atomic<bool>& cancel);

}  // namespace clipwright
