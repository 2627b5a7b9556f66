// The output size a run is expected to need, from the target's bit rates and each row's part,
// and the free space of the file system the outputs go to. Pure apart from FreeBytesOf, which
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

// Bits per second the run's target writes in all, or 0 when they are not known (a free-form
// type that keeps the source's video rate, from a source whose rate was not probed).
int64_t OutputBitsPerSecond(const ConversionSettings& settings, const SourceItem& item);
// Expected bytes of one row's output: its part at the target's rates.
int64_t EstimateOutputBytes(const ConversionSettings& settings, const SourceItem& item);
// The sum over rows; null rows count nothing.
int64_t EstimateRunBytes(const ConversionSettings& settings,
                         const std::vector<const SourceItem*>& items);

// Bytes an unprivileged user may still write on the file system holding folder (or, for a
// folder not made yet, its nearest existing parent); nullopt when that cannot be told.
using FreeSpaceSource = std::function<std::optional<uint64_t>(const std::string& folder)>;
void SetFreeSpaceSource(FreeSpaceSource source);  // empty: statvfs again
std::optional<uint64_t> FreeBytesOf(const std::string& folder);

// "14.2 GB", "310.0 MB", "12.0 KB" (1024-based, one decimal); "0 bytes" for none.
std::string ByteSizeText(uint64_t bytes);

}  // namespace clipwright
