#include "engine/free_space.h"

#include <sys/statvfs.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "base/text_format.h"
#include "engine/command_line.h"

namespace clipwright {

namespace {

// Total rates of the disc targets as trelcore writes them (its target presets): a Video CD's
// multiplex is padded to a constant rate, DV is 144000 bytes a frame at either standard.
constexpr int64_t kDvdBits = 6000000 + 448000;
constexpr int64_t kVcdMuxBits = 1411200;
constexpr int64_t kSvcdBits = 2040000 + 224000;
constexpr int64_t kDvBits = 28800000;
// Estimates stop here (an exabyte): far past any disk, and sums of it cannot overflow.
constexpr double kByteLimit = 1e18;
// trelcore's AAC default when no audio rate is chosen.
constexpr int64_t kAacBitsPerChannel = 64000;

int64_t WithOverhead(int64_t bits) {
    return bits + bits * kMuxOverheadPerMille / 1000;
}

// The "N kb/s" the probe found for the source, in bits per second; 0 when none.
int64_t SourceBits(const SourceItem& item) {
    const int64_t kbps = std::strtoll(item.bitrateText.c_str(), nullptr, 10);
    return kbps > 0 && kbps < 10000000 ? kbps * 1000 : 0;
}

int64_t FreeFormBits(const ConversionSettings& s, const SourceItem& item) {
    const int32_t* videoKbps = EntryOfRow(kVideoBitrates, s.videoBitrateChoice);
    const AudioBitrate* audio = EntryOfRow(kAudioBitrates, s.audioBitrateChoice);
    if (videoKbps == nullptr) {
        // Keeping the source's video rate: the source's whole rate is the best guess there is.
        return SourceBits(item);
    }
    const int32_t* channels = EntryOfRow(kAudioChannels, s.channelsChoice);
    const int64_t audioBits =
        audio != nullptr ? audio->kbps * 1000LL : kAacBitsPerChannel * (channels ? *channels : 2);
    return WithOverhead(*videoKbps * 1000LL + audioBits);
}

std::mutex gSourceLock;
FreeSpaceSource gSource;

std::optional<uint64_t> StatvfsFree(const std::string& folder) {
    std::string path = folder.empty() ? std::string(".") : folder;
    while (true) {
        struct statvfs info {};
        if (::statvfs(path.c_str(), &info) == 0) {
            return static_cast<uint64_t>(info.f_bavail) * info.f_frsize;
        }
        // A folder the run will make: its parent's file system is where it will be.
        while (path.size() > 1 && path.back() == '/') {
            path.pop_back();
        }
        const size_t slash = path.rfind('/');
        if (slash == std::string::npos) {
            return std::nullopt;
        }
        const std::string parent = slash == 0 ? std::string("/") : path.substr(0, slash);
        if (parent == path) {
            return std::nullopt;
        }
        path = parent;
    }
}

}  // namespace

int64_t OutputBitsPerSecond(const ConversionSettings& settings, const SourceItem& item) {
    switch (settings.outputType) {
        case kTypeDvd:
            return WithOverhead(kDvdBits);
        case kTypeVcd:
            return kVcdMuxBits;
        case kTypeSvcd:
            return WithOverhead(kSvcdBits);
        case kTypeDv:
            return kDvBits;
        case kTypeMpeg4:
        case kTypeH264:
            return FreeFormBits(settings, item);
        default:
            return 0;  // not converted at all
    }
}

int64_t EstimateOutputBytes(const ConversionSettings& settings, const SourceItem& item) {
    if (item.selEnd <= item.selStart) {
        return 0;
    }
    // In floating point: a wild probed rate times a long part would overflow 64 bits.
    const double bytes = static_cast<double>(OutputBitsPerSecond(settings, item)) / 8.0 *
                         static_cast<double>(PartOf(item).lengthMs) / 1000.0;
    return bytes < kByteLimit ? static_cast<int64_t>(bytes) : static_cast<int64_t>(kByteLimit);
}

int64_t EstimateRunBytes(const ConversionSettings& settings,
                         const std::vector<const SourceItem*>& items) {
    int64_t total = 0;
    for (const SourceItem* item : items) {
        if (item != nullptr) {
            total = std::min<int64_t>(total + EstimateOutputBytes(settings, *item),
                                      static_cast<int64_t>(kByteLimit));
        }
    }
    return total;
}

void SetFreeSpaceSource(FreeSpaceSource source) {
    const std::lock_guard lock(gSourceLock);
    gSource = std::move(source);
}

std::optional<uint64_t> FreeBytesOf(const std::string& folder) {
    FreeSpaceSource source;
    {
        const std::lock_guard lock(gSourceLock);
        source = gSource;
    }
    return source ? source(folder) : StatvfsFree(folder);
}

std::string ByteSizeText(uint64_t bytes) {
    // "B" rather than a word: the text is shown in every language.
    static const char* const kUnits[] = {"B", "KB", "MB", "GB", "TB"};
    double value = static_cast<double>(bytes);
    size_t unit = 0;
    while (value >= 1024.0 && unit + 1 < std::size(kUnits)) {
        value /= 1024.0;
        ++unit;
    }
    if (unit == 0) {
        return std::to_string(bytes) + " B";
    }
    return DisplayDecimal(value, 1) + " " + kUnits[unit];
}

}  // namespace clipwright
