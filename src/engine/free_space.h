// The most output a run can need, from the target's peak bit rates and each row's part, and the
// free space of the file system the outputs go to. Pure apart from FreeBytesOf, which
// asks the file system (through a seam tests replace). Safe from any thread; set the seam
// before any worker starts.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/source_item.h"

namespace clipwright {

// Container overhead on top of the streams' rates, in per mille.
inline constexpr int64_t kMuxOverheadPerMille = 20;
// The multiplex and audio rates of trelcore's DVD and SVCD targets (bits per second) and their
// MPEG-2 video buffer (bits), as its target presets set them.
inline constexpr int64_t kDvdMuxBits = 10080000;
inline constexpr int64_t kSvcdMuxBits = 2788800;
inline constexpr int64_t kDvdAudioBits = 448000;
inline constexpr int64_t kSvcdAudioBits = 224000;
inline constexpr int64_t kMpeg2BufferBits = 1835008;

// The most a row's output can take: a rate for the whole part and, on top, what a rate-
// controlled encoder may spend beyond it once (its buffer). Bits per second and bits.
struct OutputRate {
    int64_t bitsPerSecond = 0;  // 0: not known (a kept rate of a source not probed for one)
    int64_t bufferBits = 0;
};

// From the type's peak rates, multiplex rate and buffer, and from the source: an output carries
// only the kinds of stream its source has, and one that keeps the source's rate never more than
// the source's own rate. An upper bound, not the likely size: detailed pictures reach it.
OutputRate OutputRateUpTo(const ConversionSettings& settings, const SourceItem& item);
// Most bytes of one row's output: its part at that rate, plus the buffer; 0 for an empty part
// or an unknown rate.
int64_t OutputBytesUpTo(const ConversionSettings& settings, const SourceItem& item);
// The sum over rows; null rows count nothing.
int64_t RunBytesUpTo(const ConversionSettings& settings,
                     const std::vector<const SourceItem*>& items);

// Bytes an unprivileged user may still write on the file system holding folder (or, for a
// folder not made yet, its nearest existing parent); nullopt when that cannot be told.
using FreeSpaceSource = std::function<std::optional<uint64_t>(const std::string& folder)>;
void SetFreeSpaceSource(FreeSpaceSource source);  // empty: statvfs again
std::optional<uint64_t> FreeBytesOf(const std::string& folder);

// "14.2 GB", "310.0 MB", "12.0 KB" (1024-based, one decimal); "0 bytes" for none.
std::string ByteSizeText(uint64_t bytes);

}  // namespace clipwright
